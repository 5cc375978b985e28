# The application delegate: preferences, settings arithmetic, launch and life
# cycle, and the settings panel working on the real delegate.
find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets Test)

ovra_test(app_delegate_tests
  SOURCES PreferencesTest.cpp DelegateSettingsTest.cpp DelegateLifecycleTest.cpp
          SettingsWithDelegateTest.cpp AppTestSupport.hpp
  LIBS ovra_app ovra_test_support Qt6::Test
  LABELS app)
target_include_directories(app_delegate_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
