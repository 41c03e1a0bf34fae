# Native Linux build of the portable code: its tests under AddressSanitizer
# and UndefinedBehaviorSanitizer, and its libFuzzer targets.
set(NKCFG_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
target_compile_options(nkcfg_portable PRIVATE ${NKCFG_SANITIZE} -g)

if(NKCFG_TESTS)
  enable_testing()
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest googletest EXCLUDE_FROM_ALL)
  target_compile_options(gtest PRIVATE ${NKCFG_SANITIZE})
  target_compile_options(gtest_main PRIVATE ${NKCFG_SANITIZE})

  add_executable(native_tests
    tests/native/sjis_test.cpp
    tests/native/program_dir_test.cpp
    tests/common/settings_file_test.cpp
    tests/native/os_classify_test.cpp)
  target_link_libraries(native_tests PRIVATE nkcfg_portable gtest_main)
  target_include_directories(native_tests PRIVATE tests/common)
  target_compile_options(native_tests PRIVATE ${NKCFG_SANITIZE} -g)
  target_link_options(native_tests PRIVATE ${NKCFG_SANITIZE})
  nkcfg_strict(native_tests)
  add_test(NAME native_tests COMMAND native_tests)
  set_tests_properties(native_tests PROPERTIES TIMEOUT 120
    ENVIRONMENT "ASAN_OPTIONS=detect_leaks=1;UBSAN_OPTIONS=print_stacktrace=1")
endif()

if(NKCFG_FUZZ)
  foreach(name sjis_helpers program_dir settings_reader)
    add_executable(fuzz_${name} tests/fuzz/fuzz_${name}.cpp)
    target_link_libraries(fuzz_${name} PRIVATE nkcfg_portable)
    target_compile_options(fuzz_${name} PRIVATE -fsanitize=fuzzer,address,undefined -g)
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    nkcfg_strict(fuzz_${name})
    if(NKCFG_TESTS)
      # A bounded run: seconds, not minutes.
      add_test(NAME fuzz_${name}
        COMMAND fuzz_${name} -max_total_time=5 -timeout=5 -rss_limit_mb=2048
                -artifact_prefix=${CMAKE_CURRENT_BINARY_DIR}/fuzz_${name}-)
      set_tests_properties(fuzz_${name} PROPERTIES TIMEOUT 60)
    endif()
  endforeach()
  target_compile_options(nkcfg_portable PRIVATE -fsanitize=fuzzer-no-link)
endif()
