# The application delegate and the preference store.
list(APPEND OVRA_APP_SOURCES OvraTunerAppDelegate.cpp Preferences.cpp)
