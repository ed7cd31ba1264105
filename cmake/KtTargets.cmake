# kt_library(NAME DIR [QT] [DEPS targets...])
# One static library per source folder; every .cpp directly in DIR belongs to it.
function(kt_library name dir)
  cmake_parse_arguments(ARG "QT" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS
       ${PROJECT_SOURCE_DIR}/${dir}/*.cpp ${PROJECT_SOURCE_DIR}/${dir}/*.h
       ${PROJECT_SOURCE_DIR}/${dir}/*.qrc)
  if(NOT sources)
    # A folder whose first file has not been written yet still yields a target.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
    if(ARG_QT)
      target_link_libraries(${name} INTERFACE Qt6::Widgets Qt6::PrintSupport Qt6::Network)
    endif()
    return()
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  if(ARG_QT)
    target_link_libraries(${name} PUBLIC Qt6::Widgets Qt6::PrintSupport Qt6::Network)
    set_target_properties(${name} PROPERTIES AUTOMOC ON AUTORCC ON)
  endif()
endfunction()

# kt_test(NAME DIR [QT] [DEPS targets...])
# One GoogleTest binary per test folder, registered with CTest test by test.
function(kt_test name dir)
  cmake_parse_arguments(ARG "QT" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} kt_test_support GTest::gtest GTest::gmock)
  if(ARG_QT)
    target_link_libraries(${name} PRIVATE kt_test_support_ui)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
  else()
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  # Tests that drive the command-line tool find it here.
  target_compile_definitions(${name} PRIVATE
    KT_TOOL_PATH="$<TARGET_FILE:kt-invorra-tool>"
    KT_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  add_dependencies(${name} kt-invorra-tool)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 900)
endfunction()
