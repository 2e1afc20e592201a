# The window at 100 %, 125 %, 150 % and 200 %. Wine reads the display scale when
# it starts, so each scale runs in a prefix of its own (scripts/wine-dpi-test.sh).
# The test program carries the program's manifest and links its window code, so
# it can make the main window itself and read its fonts.
add_wine_test(dpi_wine_test dpi_test.cpp ${CMAKE_SOURCE_DIR}/resources/nevrolt.rc)
target_link_libraries(dpi_wine_test PRIVATE nevrolt_win)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(dpi_preset win32)
else()
  set(dpi_preset win64)
endif()
foreach(dpi IN ITEMS 96 120 144 192)
  add_test(NAME wine.dpi.${dpi}
           COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-dpi-test.sh ${dpi_preset} ${dpi} $<TARGET_FILE:dpi_wine_test>
                   --gtest_output=xml:${CMAKE_BINARY_DIR}/results/wine.dpi.${dpi}.xml)
  set_tests_properties(wine.dpi.${dpi} PROPERTIES TIMEOUT 900 ENVIRONMENT "NEVROLT_EXE=$<TARGET_FILE:Nevrolt>")
endforeach()
