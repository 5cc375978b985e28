# The settings panel: table, controls, dialogs and slides, driven through a
# real view with mouse clicks.
find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets Test)

ovra_test(tuner_settings_tests
  SOURCES SettingsPanelTest.cpp SettingsControlsTest.cpp SettingsDialogsTest.cpp
          SettingsSlideTest.cpp SettingsWidgetsTest.cpp
          SettingsTestSupport.hpp UrlRecorder.hpp
  LIBS ovra_tuner ovra_test_support Qt6::Test
  LABELS tuner)
set_target_properties(tuner_settings_tests PROPERTIES AUTOMOC ON)
target_include_directories(tuner_settings_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
