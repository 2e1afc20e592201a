# The hidden runner and the message-pumping wait, linked in; 保存设置 and the
# parameter view through the real program.
add_executable(emitter emitter.cpp)
target_include_directories(emitter PRIVATE ${CMAKE_SOURCE_DIR})

add_wine_test(exec_wine_test exec_test.cpp)
target_link_libraries(exec_wine_test PRIVATE nevrolt_win)
add_dependencies(exec_wine_test emitter)
register_wine_test(wine.exec exec_wine_test)

add_wine_test(settings_wine_test settings_test.cpp)
target_link_libraries(settings_wine_test PRIVATE iphlpapi)
add_dependencies(settings_wine_test nevrolt_listed_connections)
register_wine_test(wine.settings settings_wine_test)
set_property(TEST wine.settings APPEND PROPERTY ENVIRONMENT
  "NEVROLT_LISTED_EXE=$<TARGET_FILE:nevrolt_listed_connections>")
