# Windows builds: the shipped 32-bit tool (NKCFG_TESTS off), or the 64-bit
# programs that test it under Wine (NKCFG_TESTS on) with a 64-bit twin of
# the tool, which the tests drive only on a machine that cannot execute the
# shipped 32-bit file.  Everything links statically: no libstdc++, libgcc or
# winpthread DLL ever sits beside an executable.
enable_language(RC)

set(NKCFG_WINDOWS_LINK -static -static-libgcc -static-libstdc++)
# What ships is built for size at one level throughout, each function and
# datum in a section of its own so that the linker's --gc-sections drops
# what nothing calls.  Reproducible output: no build paths, and (at link
# time) no time stamp in the PE header.
set(CMAKE_C_FLAGS_RELEASE "-Os -DNDEBUG")
set(CMAKE_CXX_FLAGS_RELEASE "-Os -DNDEBUG")
set(NKCFG_TOOL_COMPILE -ffunction-sections -fdata-sections
  -ffile-prefix-map=${CMAKE_SOURCE_DIR}=. -ffile-prefix-map=${CMAKE_BINARY_DIR}=.)
set(NKCFG_REPRODUCIBLE_LINK -Wl,--no-insert-timestamp)
target_compile_options(nkcfg_portable PRIVATE ${NKCFG_TOOL_COMPILE})

# Resources generated from the committed scripts in resources/.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(NKCFG_GENERATED ${CMAKE_BINARY_DIR}/generated)
file(MAKE_DIRECTORY ${NKCFG_GENERATED})
add_custom_command(OUTPUT ${NKCFG_GENERATED}/nkcfg.ico
  COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/resources/make_icon.py ${NKCFG_GENERATED}/nkcfg.ico
  DEPENDS ${CMAKE_SOURCE_DIR}/resources/make_icon.py
  COMMENT "Drawing the program icon")
add_custom_command(OUTPUT ${NKCFG_GENERATED}/version.bin
  COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/resources/make_version_block.py ${NKCFG_GENERATED}/version.bin
  DEPENDS ${CMAKE_SOURCE_DIR}/resources/make_version_block.py
  COMMENT "Building the version block")
set(NKCFG_RESOURCE_INPUTS ${NKCFG_GENERATED}/nkcfg.ico ${NKCFG_GENERATED}/version.bin
  ${CMAKE_SOURCE_DIR}/resources/nkcfg.manifest ${CMAKE_SOURCE_DIR}/dialog/dialog_ids.h)
add_custom_target(nkcfg_resource_inputs DEPENDS ${NKCFG_RESOURCE_INPUTS})
# The resource script, compiled once: the tool and the bench baselines link
# the same compiled resources.  It is compiled again when an input changes.
set_source_files_properties(resources/nkcfg.rc PROPERTIES OBJECT_DEPENDS "${NKCFG_RESOURCE_INPUTS}")
add_library(nkcfg_resources OBJECT resources/nkcfg.rc)
target_include_directories(nkcfg_resources PRIVATE ${CMAKE_SOURCE_DIR} ${NKCFG_GENERATED}
  ${CMAKE_SOURCE_DIR}/resources)
add_dependencies(nkcfg_resources nkcfg_resource_inputs)

# comctl32's InitCommonControls imported by ordinal 17.  32-bit names carry
# the stdcall suffix, which dlltool's -k keeps out of the import.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(NKCFG_DLLTOOL_ARGS -k)
  set(STDCALL_SUFFIX "@0")
else()
  set(NKCFG_DLLTOOL_ARGS)
  set(STDCALL_SUFFIX "")
endif()
configure_file(resources/comctl32_ordinal.def.in ${NKCFG_GENERATED}/comctl32_ordinal.def @ONLY)
add_custom_command(OUTPUT ${NKCFG_GENERATED}/libcomctl32_ordinal.a
  COMMAND ${CMAKE_DLLTOOL} ${NKCFG_DLLTOOL_ARGS} -d ${NKCFG_GENERATED}/comctl32_ordinal.def
          -l ${NKCFG_GENERATED}/libcomctl32_ordinal.a
  DEPENDS ${NKCFG_GENERATED}/comctl32_ordinal.def)
add_custom_target(comctl32_ordinal DEPENDS ${NKCFG_GENERATED}/libcomctl32_ordinal.a)

# The tool's Windows-facing code, shared by nkcfg.exe and the test probes.
add_library(nkcfg_windows STATIC
  settings/program_dir_win.cpp
  startup/instance_guard.cpp
  startup/os_gate.cpp
  startup/message.cpp
  startup/configurator.cpp
  dialog/settings_dialog.cpp)
target_link_libraries(nkcfg_windows PUBLIC nkcfg_portable
  ${NKCFG_GENERATED}/libcomctl32_ordinal.a)
add_dependencies(nkcfg_windows comctl32_ordinal)
target_compile_options(nkcfg_windows PRIVATE ${NKCFG_TOOL_COMPILE})
nkcfg_strict(nkcfg_windows)

add_executable(nkcfg WIN32 startup/main.cpp)
target_link_libraries(nkcfg PRIVATE nkcfg_windows nkcfg_resources)
target_compile_options(nkcfg PRIVATE ${NKCFG_TOOL_COMPILE})
target_link_options(nkcfg PRIVATE ${NKCFG_WINDOWS_LINK} ${NKCFG_REPRODUCIBLE_LINK}
  -s -Wl,--dynamicbase -Wl,--nxcompat -Wl,--gc-sections)
nkcfg_strict(nkcfg)
# Bare dialog programs beside each tool, of its own bitness (bench/run.sh).
add_subdirectory(bench)
if(NOT NKCFG_TESTS)
  return()
endif()

# The one module that drives Windows programs, for the tests, the
# screenshot helper and the bench.
add_library(nkcfg_driver STATIC tools/driver/win_driver.cpp)
target_include_directories(nkcfg_driver PUBLIC ${CMAKE_SOURCE_DIR})
nkcfg_strict(nkcfg_driver)

# Helper programs beside the tool: screenshot, benchmark, test probes.
function(nkcfg_helper_program name)
  add_executable(${name} ${ARGN})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE nkcfg_driver)
  target_link_options(${name} PRIVATE ${NKCFG_WINDOWS_LINK})
  nkcfg_strict(${name})
endfunction()

# Development tool for scripts/run.sh: a screenshot of the running dialog.
nkcfg_helper_program(screenshot_dialog tools/screenshot_dialog.cpp)

# The start-up bench's driver (bench/run.sh).
nkcfg_helper_program(startup_bench bench/startup_bench.cpp)
target_link_libraries(startup_bench PRIVATE psapi)

include(cmake/wine_tests.cmake)
