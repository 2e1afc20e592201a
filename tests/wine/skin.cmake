# The skin engine inside the real Nevrolt.exe: the library written beside it,
# what reaches the engine, and the colours on the screen.
add_wine_test(skin_wine_test skin_test.cpp ${CMAKE_SOURCE_DIR}/resources/skin_engine/skin_format.cpp)
add_dependencies(skin_wine_test skin_engine skins nevrolt_skin_report)
register_wine_test(wine.skin skin_wine_test --gtest_filter=-*SingleByteCodePage*)
# Wine takes the ANSI code page from the locale it starts in: a pass of its own.
register_wine_test(wine.skin.english_locale skin_wine_test --gtest_filter=*SingleByteCodePage*)
foreach(test IN ITEMS wine.skin wine.skin.english_locale)
  set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT
    "NEVROLT_SKIN_ENGINE=$<TARGET_FILE:skin_engine>;NEVROLT_SKIN11=${CMAKE_BINARY_DIR}/skins/skin11.she"
    "NEVROLT_SKIN_REPORT_EXE=$<TARGET_FILE:nevrolt_skin_report>")
endforeach()
set_property(TEST wine.skin.english_locale APPEND PROPERTY ENVIRONMENT "LANG=en_US.UTF-8;LC_ALL=en_US.UTF-8")

# make gallery: shows each skin on every page (scripts/gallery.sh).
add_executable(skin_gallery EXCLUDE_FROM_ALL skin_gallery.cpp)
target_link_libraries(skin_gallery PRIVATE wine_driver)
add_dependencies(skin_gallery NevroltGallery)
