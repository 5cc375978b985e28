# Screenshots of the running tuner with its state beside them.
list(APPEND OVRA_APP_SOURCES ScreenState.cpp)
