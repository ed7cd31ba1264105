# KT_SANITIZE: every target under AddressSanitizer and UndefinedBehaviorSanitizer, stopping at the
# first report. scripts/test.sh builds and runs every test this way (with clang).
option(KT_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(KT_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# What every sanitized test runs with, the programs it starts included: the first report ends the
# run, leaks are reported, and only the system libraries' own leaks are suppressed.
set(KT_SANITIZER_ENV
    ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:strict_string_checks=1
    LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/sanitizer/lsan.supp:print_suppressions=0
    UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1)
