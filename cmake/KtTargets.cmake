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
    kt_precompile_qt_headers(${name})
  endif()
endfunction()

# kt_precompile_headers(TARGET args...): target_precompile_headers(TARGET args...) under
# clang. g++ 12 loses track of which headers are system headers inside a precompiled header, and
# then fails the build on its own false -Warray-bounds warnings in std::string.
function(kt_precompile_headers name)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    target_precompile_headers(${name} ${ARGN})
  endif()
endfunction()

# The Qt and standard headers that most windows include, compiled once into kt_widgets'
# precompiled header, which every other window library reuses (they share its flags and Qt).
set(KT_QT_PRECOMPILED_HEADERS
    <QApplication> <QDialog> <QDialogButtonBox> <QLabel> <QLineEdit> <QPushButton> <QComboBox>
    <QCheckBox> <QGroupBox> <QVBoxLayout> <QHBoxLayout> <QGridLayout> <QFormLayout> <QString>
    <algorithm> <functional> <memory> <optional> <string> <vector>)
function(kt_precompile_qt_headers name)
  if(name STREQUAL "kt_widgets")
    kt_precompile_headers(${name} PRIVATE ${KT_QT_PRECOMPILED_HEADERS})
  else()
    kt_precompile_headers(${name} REUSE_FROM kt_widgets)
  endif()
endfunction()

# Test code does little work of its own: in the sanitized test build it is compiled without
# optimisation, in half the time, while the code under test keeps the build's optimisation.
function(kt_unoptimized_when_sanitized name)
  if(KT_SANITIZE)
    target_compile_options(${name} PRIVATE -O0)
  endif()
endfunction()

# Test tiers, as GoogleTest filter patterns on "Suite.Test" names. A test that no list names is
# quick; the first list that names it wins.
#   fuzz: the saved fuzz inputs replayed through the fuzzer's entry point
#   smtp: tests that talk to the loopback SMTP server (testsupport::SmtpServer)
#   slow: killed processes, concurrent processes, random no-drift runs, fault sweeps and the demo
#         company (a thousand postings)
set(KT_FUZZ_TESTS FuzzReplay.*)
set(KT_SMTP_TESTS MailConnectionTest.* InvoiceDispatchTest.Mailed* InvoiceDispatchTest.BatchMail*
                  PostDispatch.Mailed* FirstInvoiceTest.* BulkMail*Test.*
                  CorrespondenceTool.BulkMail* SendMailMessageTest.*)
set(KT_SLOW_TESTS *KillTest.* Desks*.* *NoDriftTest.* *FaultSweepTest.* */RandomizedTest.*
                  DemoCompany.*)

# kt_test(NAME DIR [QT] [SHARDS n] [DEPS targets...])
# One GoogleTest binary per test folder, labelled by tier (quick, slow, smtp, fuzz), so that
# `ctest -L quick` is the edit-test loop. The slow, smtp and fuzz tests are registered with CTest
# one by one; the quick tier runs as one CTest test per binary, or per shard of a long binary
# (SHARDS): starting a sanitized process costs more than most quick tests, and the quick tier has
# hundreds of them.
function(kt_test name dir)
  cmake_parse_arguments(ARG "QT" "SHARDS" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} kt_test_support GTest::gtest GTest::gmock)
  # Every test file parses GoogleTest; a window test also the Qt headers of the windows.
  kt_precompile_headers(${name} PRIVATE <gtest/gtest.h> <gmock/gmock.h> <filesystem> <string>
                                        <vector>)
  if(ARG_QT)
    target_link_libraries(${name} PRIVATE kt_test_support_ui)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    kt_precompile_headers(${name} PRIVATE ${KT_QT_PRECOMPILED_HEADERS} <QTest>)
  else()
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  # Tests that drive the command-line tool find it here.
  target_compile_definitions(${name} PRIVATE
    KT_TOOL_PATH="$<TARGET_FILE:kt-invorra-tool>"
    KT_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  add_dependencies(${name} kt-invorra-tool)
  kt_unoptimized_when_sanitized(${name})
  if(KT_SANITIZE)
    # The sanitizer options go on the command line of the test (and of its listing), so that they
    # reach every process the test starts; a test property cannot carry a list through discovery.
    # A kill-test round costs several times as much under the sanitizers: fewer rounds keep the
    # test run short, and bench/crash.sh runs as many as asked.
    set_target_properties(${name} PROPERTIES
      CROSSCOMPILING_EMULATOR "env;${KT_SANITIZER_ENV};KT_KILL_ROUNDS=30")
  endif()
  string(JOIN ":" fuzz ${KT_FUZZ_TESTS})
  string(JOIN ":" smtp ${KT_SMTP_TESTS})
  string(JOIN ":" slow ${KT_SLOW_TESTS})
  set(filter_fuzz "${fuzz}")
  set(filter_smtp "${smtp}-${fuzz}")
  set(filter_slow "${slow}-${fuzz}:${smtp}")
  set(filter_quick "-${fuzz}:${smtp}:${slow}")
  foreach(tier fuzz smtp slow)
    gtest_discover_tests(${name}
      TEST_FILTER "${filter_${tier}}"
      TEST_LIST ${name}_${tier}
      DISCOVERY_MODE PRE_TEST
      DISCOVERY_TIMEOUT 60
      PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" LABELS ${tier} TIMEOUT 900)
  endforeach()
  if(NOT ARG_SHARDS)
    set(ARG_SHARDS 1)
  endif()
  math(EXPR last_shard "${ARG_SHARDS} - 1")
  foreach(shard RANGE ${last_shard})
    add_test(NAME ${name}.quick.${shard}
             COMMAND ${name} --gtest_filter=${filter_quick} --gtest_brief=1)
    set_tests_properties(${name}.quick.${shard} PROPERTIES LABELS quick TIMEOUT 900
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;GTEST_TOTAL_SHARDS=${ARG_SHARDS};GTEST_SHARD_INDEX=${shard}")
  endforeach()
endfunction()
