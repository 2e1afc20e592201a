# The hidden runner and the message-pumping wait, linked in; 保存设置 and the
# parameter view through the real program.
add_executable(emitter emitter.cpp)
target_include_directories(emitter PRIVATE ${CMAKE_SOURCE_DIR})

add_wine_test(exec_wine_test exec_test.cpp)
target_sources(exec_wine_test PRIVATE
  ${CMAKE_SOURCE_DIR}/exec/pump_wait_win.cpp ${CMAKE_SOURCE_DIR}/exec/run_hidden_win.cpp
  ${CMAKE_SOURCE_DIR}/runtime/window_win.cpp ${CMAKE_SOURCE_DIR}/runtime/process_win.cpp
  ${CMAKE_SOURCE_DIR}/runtime/system_win.cpp ${CMAKE_SOURCE_DIR}/runtime/codepage_win.cpp)
target_link_libraries(exec_wine_test PRIVATE nevrolt_core)
add_dependencies(exec_wine_test emitter)
register_wine_test(wine.exec exec_wine_test)

add_wine_test(settings_wine_test settings_test.cpp)
register_wine_test(wine.settings settings_wine_test)
