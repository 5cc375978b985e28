# Sources of the main screen and tuning keys.
list(APPEND OVRA_TUNER_SOURCES
  OvraMainView.cpp
  OvraMainViewDisplay.cpp
  MainViewRefreshPoster.cpp
  OvraTuningKey.cpp)
