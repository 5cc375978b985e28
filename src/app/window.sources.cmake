# The window the tuner's screen is shown in.
list(APPEND OVRA_APP_SOURCES TunerWindow.cpp)
