# MinGW-w64 build: Nevrolt.exe and the programs its Wine tests use.
enable_language(RC)

add_executable(Nevrolt WIN32 ${win_sources} resources/nevrolt.rc)
target_link_libraries(Nevrolt PRIVATE nevrolt_core comctl32 user32 gdi32)
set_source_files_properties(resources/nevrolt.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/resources/nevrolt.manifest;${CMAKE_SOURCE_DIR}/resources/nevrolt.ico")

if(EXISTS ${CMAKE_SOURCE_DIR}/resources/skin_engine/CMakeLists.txt)
  add_subdirectory(resources/skin_engine)
endif()
# The Wine tests and benchmarks are built with MinGW on Linux.
if(MINGW)
  add_subdirectory(tests/wine)
  if(EXISTS ${CMAKE_SOURCE_DIR}/bench/wine/CMakeLists.txt)
    add_subdirectory(bench/wine)
  endif()
endif()
