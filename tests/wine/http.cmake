# Page requests and the connectivity check with the real WinINet, against the
# loopback server that with-http-server.sh starts and stops around each run.

# Registers one run of a Wine test program beside the loopback server.
function(register_http_wine_test test_name program)
  add_test(NAME ${test_name}
           COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/with-http-server.sh ${CMAKE_SOURCE_DIR}/scripts/wine-test.sh
                   $<TARGET_FILE:${program}> --gtest_output=xml:${CMAKE_BINARY_DIR}/results/${test_name}.xml ${ARGN})
  set_tests_properties(${test_name} PROPERTIES TIMEOUT 900 ENVIRONMENT
    "NEVROLT_EXE=$<TARGET_FILE:Nevrolt>;NEVROLT_PROBE_EXE=$<TARGET_FILE:nevrolt_loopback_probe>;NEVROLT_PLANTED_LIBRARY=$<TARGET_FILE:planted_library>")
endfunction()

# FetchPage linked straight into the test program.
add_wine_test(page_request_wine_test page_request_test.cpp
              ${CMAKE_SOURCE_DIR}/http/fetch_page_win.cpp ${CMAKE_SOURCE_DIR}/http/wininet_win.cpp
              ${CMAKE_SOURCE_DIR}/runtime/system_win.cpp ${CMAKE_SOURCE_DIR}/runtime/codepage_win.cpp)
target_link_libraries(page_request_wine_test PRIVATE nevrolt_core)

# Nevrolt.exe built whole, with a probe aimed where NEVROLT_PROBE_REACH and
# NEVROLT_PROBE_PAGE say. The shipped program has no such way in.
get_target_property(nevrolt_sources Nevrolt SOURCES)
set(probe_sources)
foreach(source IN LISTS nevrolt_sources)
  if(IS_ABSOLUTE "${source}" OR source MATCHES "^\\$<")
    list(APPEND probe_sources "${source}")
  else()
    list(APPEND probe_sources "${CMAKE_SOURCE_DIR}/${source}")
  endif()
endforeach()
add_executable(nevrolt_loopback_probe WIN32 ${probe_sources} loopback_probe.cpp)
foreach(property LINK_LIBRARIES INCLUDE_DIRECTORIES COMPILE_DEFINITIONS LINK_OPTIONS)
  get_target_property(value Nevrolt ${property})
  if(value)
    set_property(TARGET nevrolt_loopback_probe PROPERTY ${property} "${value}")
  endif()
endforeach()
get_target_property(nevrolt_dependencies Nevrolt MANUALLY_ADDED_DEPENDENCIES)
if(nevrolt_dependencies)
  add_dependencies(nevrolt_loopback_probe ${nevrolt_dependencies})
endif()

add_wine_test(connectivity_wine_test connectivity_test.cpp)
add_dependencies(connectivity_wine_test nevrolt_loopback_probe)

register_http_wine_test(wine.page_request page_request_wine_test)
register_http_wine_test(wine.connectivity connectivity_wine_test --gtest_filter=-*Planted*)
# Under wininet=n,b a wininet.dll file beside the program would be preferred to
# the built-in one if the program looked there.
register_http_wine_test(wine.connectivity.planted connectivity_wine_test --gtest_filter=*Planted*)
set_property(TEST wine.connectivity.planted APPEND PROPERTY ENVIRONMENT "WINEDLLOVERRIDES=wininet=n,b")

# Nevrolt.exe takes WinINet from the system folder at run time, never by import.
add_test(NAME nevrolt.no_wininet_import
         COMMAND sh -c "! ${CMAKE_OBJDUMP} -p \"$1\" | grep -i 'DLL Name: wininet'" sh $<TARGET_FILE:Nevrolt>)
