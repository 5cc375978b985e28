# The ovratuner command line.
list(APPEND OVRA_APP_SOURCES CommandLine.cpp)
