# SPDX-License-Identifier: GPL-3.0-or-later
# The screen's words in other languages. lrelease turns translations/*.ts
# into catalogues built into the program at every build; lupdate rewrites the
# .ts files only when asked: cmake --build build --target update_translations.

set(OVRA_LANGUAGES de fr es it pt_BR)
set(OVRA_TS_FILES)
foreach(language IN LISTS OVRA_LANGUAGES)
  list(APPEND OVRA_TS_FILES ${PROJECT_SOURCE_DIR}/translations/ovratuner_${language}.ts)
endforeach()

# Where the words a user reads are written: the Qt front end, the tuning
# names of the Qt-free model (marked there for lupdate only) and the page.
file(GLOB OVRA_TRANSLATED_SOURCES CONFIGURE_DEPENDS
     ${PROJECT_SOURCE_DIR}/src/app/*.cpp ${PROJECT_SOURCE_DIR}/src/app/*.hpp
     ${PROJECT_SOURCE_DIR}/src/tuner/*.cpp ${PROJECT_SOURCE_DIR}/src/tuner/*.hpp
     ${PROJECT_SOURCE_DIR}/src/ui/*.cpp ${PROJECT_SOURCE_DIR}/src/ui/*.hpp)
list(APPEND OVRA_TRANSLATED_SOURCES ${PROJECT_SOURCE_DIR}/src/model/Tunings.cpp)
# The browser edition's texts: its own sentences and the panel's, which it
# shares with the desktop.
list(APPEND OVRA_TRANSLATED_SOURCES ${PROJECT_SOURCE_DIR}/web/page-texts.js)

# Without source locations, an edit elsewhere in a file leaves the .ts alone.
set(OVRA_LUPDATE_OPTIONS -locations none -no-obsolete -silent)

function(ovra_add_translations target)
  qt_add_translations(${target}
    TS_FILES ${OVRA_TS_FILES}
    SOURCES ${OVRA_TRANSLATED_SOURCES}
    INCLUDE_DIRECTORIES ${PROJECT_SOURCE_DIR}/src
    LUPDATE_OPTIONS ${OVRA_LUPDATE_OPTIONS}
    LRELEASE_OPTIONS -nounfinished -silent
    RESOURCE_PREFIX /i18n)
endfunction()
