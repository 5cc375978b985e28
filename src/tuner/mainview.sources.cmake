# Sources of the main screen and tuning keys.
list(APPEND OVRA_TUNER_SOURCES)
