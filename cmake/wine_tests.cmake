# Windows tests.  They are Windows programs: CTest starts them through
# CMAKE_CROSSCOMPILING_EMULATOR (scripts/wine-run), so every one of them runs
# on Wine's real implementation of the Windows API.  The PE, resource and
# template tests read the shipped 32-bit file; the behaviour tests start it,
# or, on a machine whose kernel cannot execute 32-bit code, the 64-bit twin
# built here from the same sources (scripts/test.sh decides and says which).
set(NKCFG_SHIPPED_EXE "" CACHE FILEPATH "The shipped 32-bit nkcfg.exe")
if(NOT NKCFG_SHIPPED_EXE)
  message(FATAL_ERROR "NKCFG_SHIPPED_EXE must name the shipped build's nkcfg.exe")
endif()
option(NKCFG_DRIVE_SHIPPED "Behaviour tests start the shipped 32-bit exe (the machine runs 32-bit code)" ON)
if(NKCFG_DRIVE_SHIPPED)
  set(NKCFG_DRIVEN_EXE ${NKCFG_SHIPPED_EXE})
else()
  set(NKCFG_DRIVEN_EXE $<TARGET_FILE:nkcfg>)
endif()

enable_testing()
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest googletest EXCLUDE_FROM_ALL)

# Every Wine test shares the tests' Wine prefix, and most of them start
# nkcfg.exe, whose mutex name is global: they run one at a time.  Timeouts
# keep a dialog that never closes from holding the suite.
function(nkcfg_wine_test_properties name timeout)
  set_tests_properties(${name} PROPERTIES TIMEOUT ${timeout} RESOURCE_LOCK wine_prefix)
endfunction()

function(nkcfg_wine_test name)
  nkcfg_helper_program(${name} ${ARGN})
  # The OtherCodePage suites run in a second entry on code page 1252.
  add_test(NAME ${name} COMMAND ${name} --gtest_filter=-OtherCodePage.*)
  nkcfg_wine_test_properties(${name} 300)
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
  tests/wine/program_dir_wine_test.cpp
  tests/wine/message_test.cpp)
target_compile_definitions(wine_settings_tests PRIVATE
  PROBE_PROGRAM_DIR_EXE="$<TARGET_FILE:probe_program_dir>")
add_dependencies(wine_settings_tests probe_program_dir)

# The shipped tool driven from a test process.
nkcfg_wine_test(wine_tool_tests
  tests/wine/startup_test.cpp
  tests/wine/dialog_template_test.cpp
  tests/wine/dialog_test.cpp
  tests/wine/resources_test.cpp
  tests/wine/binary_test.cpp)
target_link_libraries(wine_tool_tests PRIVATE version)
target_compile_definitions(wine_tool_tests PRIVATE NKCFG_EXE="${NKCFG_DRIVEN_EXE}"
  NKCFG_SHIPPED_EXE="${NKCFG_SHIPPED_EXE}" PROBE_ACP_EXE="$<TARGET_FILE:probe_acp>")
add_dependencies(wine_tool_tests nkcfg probe_acp)
add_test(NAME wine_tool_tests_cp1252 COMMAND wine_tool_tests --gtest_filter=OtherCodePage.*)
set_tests_properties(wine_tool_tests_cp1252 PROPERTIES ENVIRONMENT NKCFG_LANG=en_US.UTF-8)
nkcfg_wine_test_properties(wine_tool_tests_cp1252 120)

# Two clean builds of the shipped executable in two folders: the same bytes.
add_test(NAME reproducible_shipped_build COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-reproducible.sh)
set_tests_properties(reproducible_shipped_build PROPERTIES TIMEOUT 300)
