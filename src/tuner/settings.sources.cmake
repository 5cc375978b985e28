# Sources of the settings panel.
list(APPEND OVRA_TUNER_SOURCES)
