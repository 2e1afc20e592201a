# The skin engine inside the real Nevrolt.exe: the library written beside it,
# what reaches the engine, and the colours on the screen.
add_wine_test(skin_wine_test skin_test.cpp ${CMAKE_SOURCE_DIR}/resources/skin_engine/skin_format.cpp)
add_dependencies(skin_wine_test skin_engine skins)
register_wine_test(wine.skin skin_wine_test)
set_property(TEST wine.skin APPEND PROPERTY ENVIRONMENT
  "NEVROLT_SKIN_ENGINE=$<TARGET_FILE:skin_engine>;NEVROLT_SKIN11=${CMAKE_BINARY_DIR}/skins/skin11.she")

# make gallery: shows each skin on every page (scripts/gallery.sh).
add_executable(skin_gallery EXCLUDE_FROM_ALL skin_gallery.cpp)
target_link_libraries(skin_gallery PRIVATE wine_driver)
add_dependencies(skin_gallery NevroltGallery)
