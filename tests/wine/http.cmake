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
add_wine_test(page_request_wine_test page_request_test.cpp)
target_link_libraries(page_request_wine_test PRIVATE nevrolt_win)

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
