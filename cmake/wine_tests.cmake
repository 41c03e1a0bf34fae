# Tests of the 64-bit build.  They are Windows programs: CTest starts them
# through CMAKE_CROSSCOMPILING_EMULATOR (scripts/wine-run), so every one of
# them runs on Wine's real implementation of the Windows API.
enable_testing()
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest googletest EXCLUDE_FROM_ALL)

function(nkcfg_wine_test name)
  nkcfg_helper_program(${name} ${ARGN})
  # The OtherCodePage suites run in a second entry on code page 1252.
  add_test(NAME ${name} COMMAND ${name} --gtest_filter=-OtherCodePage.*)
  target_link_libraries(${name} PRIVATE nkcfg_windows gtest_main)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/common ${CMAKE_SOURCE_DIR}/tests/wine)
endfunction()

# Probes started by the tests: the program directory a copy finds for
# itself, and the code page a child really runs on.
nkcfg_helper_program(probe_program_dir tests/wine/probe_program_dir.cpp)
target_link_libraries(probe_program_dir PRIVATE nkcfg_windows)
nkcfg_helper_program(probe_acp tests/wine/probe_acp.cpp)

nkcfg_wine_test(wine_settings_tests
  tests/common/settings_file_test.cpp
  tests/wine/settings_sharing_test.cpp
  tests/wine/program_dir_wine_test.cpp)
target_compile_definitions(wine_settings_tests PRIVATE
  PROBE_PROGRAM_DIR_EXE="$<TARGET_FILE:probe_program_dir>")
add_dependencies(wine_settings_tests probe_program_dir)

# The real tool driven from a test process.
set(NKCFG32_EXE ${CMAKE_BINARY_DIR}/../win32/nkcfg.exe CACHE FILEPATH "The shipped 32-bit build")
nkcfg_wine_test(wine_tool_tests
  tests/wine/startup_test.cpp
  tests/wine/dialog_template_test.cpp
  tests/wine/dialog_test.cpp
  tests/wine/resources_test.cpp
  tests/wine/binary_test.cpp)
target_link_libraries(wine_tool_tests PRIVATE version)
target_compile_definitions(wine_tool_tests PRIVATE NKCFG_EXE="$<TARGET_FILE:nkcfg>"
  PROBE_ACP_EXE="$<TARGET_FILE:probe_acp>" NKCFG32_EXE="${NKCFG32_EXE}")
add_dependencies(wine_tool_tests nkcfg probe_acp)
add_test(NAME wine_tool_tests_cp1252 COMMAND wine_tool_tests --gtest_filter=OtherCodePage.*)
set_tests_properties(wine_tool_tests_cp1252 PROPERTIES ENVIRONMENT NKCFG_LANG=en_US.UTF-8)

# Two clean builds of the shipped executable in two folders: the same bytes.
add_test(NAME reproducible_shipped_build COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-reproducible.sh)
