# Keyboard shortcuts for desktop users.
list(APPEND OVRA_APP_SOURCES KeyboardShortcuts.cpp)
