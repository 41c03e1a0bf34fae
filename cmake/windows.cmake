# Windows builds (32-bit shipped tool, 64-bit twin whose tests run under
# wine64).  Everything links statically: no libstdc++, libgcc or
# winpthread DLL ever sits beside an executable.
enable_language(RC)

set(NKCFG_WINDOWS_LINK -static -static-libgcc -static-libstdc++)
# Reproducible output: no time stamp in the PE header, no build paths.
set(NKCFG_REPRODUCIBLE_COMPILE -ffile-prefix-map=${CMAKE_SOURCE_DIR}=. -ffile-prefix-map=${CMAKE_BINARY_DIR}=.)
set(NKCFG_REPRODUCIBLE_LINK -Wl,--no-insert-timestamp)
target_compile_options(nkcfg_portable PRIVATE ${NKCFG_REPRODUCIBLE_COMPILE})
target_compile_options(nkcfg_startup_portable PRIVATE ${NKCFG_REPRODUCIBLE_COMPILE})

# The tool's Windows-facing code, shared by nkcfg.exe and the test probes.
add_library(nkcfg_windows STATIC
  settings/program_dir_win.cpp
  startup/instance_guard.cpp
  startup/os_gate.cpp
  startup/message.cpp
  startup/configurator.cpp
  dialog/settings_dialog.cpp)
target_link_libraries(nkcfg_windows PUBLIC nkcfg_portable nkcfg_startup_portable comctl32)
target_compile_options(nkcfg_windows PRIVATE ${NKCFG_REPRODUCIBLE_COMPILE})
nkcfg_strict(nkcfg_windows)

add_executable(nkcfg WIN32 startup/main.cpp resources/nkcfg.rc)
target_link_libraries(nkcfg PRIVATE nkcfg_windows)
target_compile_options(nkcfg PRIVATE ${NKCFG_REPRODUCIBLE_COMPILE} -Os)
target_link_options(nkcfg PRIVATE ${NKCFG_WINDOWS_LINK} ${NKCFG_REPRODUCIBLE_LINK}
  -s -Wl,--dynamicbase -Wl,--nxcompat -Wl,--gc-sections)
set_target_properties(nkcfg PROPERTIES OUTPUT_NAME nkcfg)
nkcfg_strict(nkcfg)

# Development tool for scripts/run.sh: a screenshot of the running dialog.
add_executable(screenshot_dialog tools/screenshot_dialog.cpp)
target_include_directories(screenshot_dialog PRIVATE ${CMAKE_SOURCE_DIR})
target_link_options(screenshot_dialog PRIVATE ${NKCFG_WINDOWS_LINK})
nkcfg_strict(screenshot_dialog)

if(NKCFG_TESTS)
  include(cmake/wine_tests.cmake)
endif()
