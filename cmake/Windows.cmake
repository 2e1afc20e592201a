# MinGW-w64 build: Nevrolt.exe and the programs its Wine tests use.
enable_language(RC)
# The wide API throughout: Windows' own names (IDC_ARROW, RT_RCDATA) then mean
# the wide resources. Functions are still called by their explicit W or A name.
add_compile_definitions(UNICODE _UNICODE)

# runtime/load_config_win.cpp defines the load configuration of a program or
# library. Nothing refers to it, so it is kept through --gc-sections by name
# (i686 names carry a leading "_"); GNU ld before 2.43 does not enter it in the
# data directory, so a step after the link does, from the linker's map.
function(add_load_config target)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(symbol __load_config_used)
  else()
    set(symbol _load_config_used)
  endif()
  set(map ${CMAKE_CURRENT_BINARY_DIR}/${target}.map)
  target_link_options(${target} PRIVATE -Wl,--require-defined=${symbol} -Wl,-Map=${map})
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND python3 ${CMAKE_SOURCE_DIR}/cmake/stamp_load_config.py $<TARGET_FILE:${target}> ${map} VERBATIM)
endfunction()

# The program's Windows sources, compiled once. The program, its test builds,
# the Wine test programs and the benchmarks link these objects; a test build
# replaces a part (the probe site, the start-up skin) by linking its own
# definition, which keeps the program's from being taken from nevrolt_core.
# The machine's connections are such a part, though Windows code: it goes into
# the archive with the portable core, from which the linker takes it only when
# the program links no definition of its own.
set(archived_win_sources ${CMAKE_SOURCE_DIR}/runtime/connections_win.cpp)
list(REMOVE_ITEM win_sources ${archived_win_sources})
target_sources(nevrolt_core PRIVATE ${archived_win_sources})
add_library(nevrolt_win OBJECT ${win_sources})
target_link_libraries(nevrolt_win PUBLIC nevrolt_core user32 gdi32 uuid)
set_source_files_properties(resources/nevrolt.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/resources/nevrolt.manifest;${CMAKE_SOURCE_DIR}/resources/nevrolt.ico")

# add_nevrolt_program(NAME SKIN_RC [SOURCES...]): a build of the program with the
# given skin resources and the sources that replace a part of it.
function(add_nevrolt_program name skin_rc)
  add_executable(${name} WIN32 ${CMAKE_SOURCE_DIR}/resources/nevrolt.rc ${skin_rc} ${ARGN})
  target_link_libraries(${name} PRIVATE nevrolt_win)
  add_load_config(${name})
endfunction()

add_subdirectory(resources/skin_engine)

# The shipped program, and builds of it for make gallery and the Wine tests,
# never shipped: NevroltGallery wears the skin named by NEVROLT_GALLERY_SKIN;
# nevrolt_skin_report carries the reporting engine; nevrolt_loopback_probe
# probes where NEVROLT_PROBE_REACH and NEVROLT_PROBE_PAGE say;
# nevrolt_listed_connections sees the connections NEVROLT_CONNECTIONS lists.
add_nevrolt_program(Nevrolt ${skin_rc})
add_dependencies(Nevrolt skin_engine skins)
add_nevrolt_program(NevroltGallery ${skin_rc} tests/wine/gallery_skin.cpp)
add_nevrolt_program(nevrolt_skin_report ${skin_report_rc})
add_nevrolt_program(nevrolt_loopback_probe ${skin_rc} tests/wine/loopback_probe.cpp)
add_nevrolt_program(nevrolt_listed_connections ${skin_rc} tests/wine/listed_connections.cpp)
add_dependencies(nevrolt_listed_connections skin_engine skins)
add_dependencies(NevroltGallery skin_engine skins)
add_dependencies(nevrolt_skin_report skin_engine_report skins)
add_dependencies(nevrolt_loopback_probe skin_engine skins)
set_target_properties(NevroltGallery nevrolt_skin_report PROPERTIES EXCLUDE_FROM_ALL TRUE)
# The Wine tests and benchmarks are built with MinGW on Linux.
if(MINGW)
  add_subdirectory(tests/wine)
  if(EXISTS ${CMAKE_SOURCE_DIR}/bench/wine/CMakeLists.txt)
    add_subdirectory(bench/wine)
  endif()
endif()

# The shipped binaries import only KnownDLLs, restrict load-time imports to the
# system folder, and the engine exports its one function.
add_test(NAME binaries.nevrolt COMMAND python3 ${CMAKE_SOURCE_DIR}/tests/binaries/check_binary.py
         $<TARGET_FILE:Nevrolt> --manifest --report ${CMAKE_BINARY_DIR}/results/binaries.nevrolt.xml)
add_test(NAME binaries.skin_engine COMMAND python3 ${CMAKE_SOURCE_DIR}/tests/binaries/check_binary.py
         $<TARGET_FILE:skin_engine> --report ${CMAKE_BINARY_DIR}/results/binaries.skin_engine.xml
         --exports SkinH_AttachRes)
