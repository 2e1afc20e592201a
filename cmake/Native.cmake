# Host build: the portable core, its unit tests and the native benchmarks.
find_package(GTest REQUIRED)
add_subdirectory(tests/unit)
if(EXISTS ${CMAKE_SOURCE_DIR}/resources/skin_engine/CMakeLists.txt)
  add_subdirectory(resources/skin_engine)
endif()
if(EXISTS ${CMAKE_SOURCE_DIR}/bench/CMakeLists.txt)
  add_subdirectory(bench)
endif()
