ovra_test(app_shell_tests
  SOURCES CommandLineTest.cpp ScreenStateTest.cpp
  LIBS ovra_app ovra_test_support)
