ovra_test(app_keyboard_tests
  SOURCES KeyboardShortcutsTest.cpp AppTestSupport.hpp
  LIBS ovra_app ovra_test_support Qt6::Test
  LABELS app)
target_include_directories(app_keyboard_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
