# Sources of the settings panel.
list(APPEND OVRA_TUNER_SOURCES
  OvraSettings.cpp
  OvraSettingsDialogs.cpp
  GroupedTableView.cpp
  SegmentedControl.cpp
  FloatSlider.cpp
  NavigationBar.cpp
  SettingsStyle.cpp)
