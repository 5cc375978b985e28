# SPDX-License-Identifier: GPL-3.0-or-later
# What `cmake --install` puts under the prefix: the two programs, the desktop
# entry, the icons, the AppStream metainfo and the man pages. Everything goes
# below CMAKE_INSTALL_PREFIX; the built-in skin stays inside the binary.
include(GNUInstallDirs)

set(OVRA_APP_ID org.ovratuner.OvraTuner)
set(OVRA_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)

foreach(program ovratuner ovratuner-analyze)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

# The window shows the icon even when run from the build tree, before any
# icon theme knows it.
if(TARGET ovratuner)
  target_sources(ovratuner PRIVATE ${OVRA_PACKAGING_DIR}/window-icon.qrc)
  set_target_properties(ovratuner PROPERTIES AUTORCC ON)
endif()

install(FILES ${OVRA_PACKAGING_DIR}/${OVRA_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${OVRA_PACKAGING_DIR}/${OVRA_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${OVRA_PACKAGING_DIR}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

# Man pages carry the project's version and are installed compressed, as
# Debian wants them; `man -l` reads either form.
find_program(OVRA_GZIP gzip REQUIRED)
set(OVRA_MAN_PAGES)
foreach(page ovratuner ovratuner-analyze)
  set(source ${OVRA_PACKAGING_DIR}/man/${page}.1.in)
  set(page_file ${PROJECT_BINARY_DIR}/man/${page}.1)
  configure_file(${source} ${page_file} @ONLY)
  add_custom_command(OUTPUT ${page_file}.gz
                     COMMAND ${OVRA_GZIP} -9 -n -c ${page_file} > ${page_file}.gz
                     DEPENDS ${page_file} ${source}
                     COMMENT "Compressing ${page}.1")
  list(APPEND OVRA_MAN_PAGES ${page_file}.gz)
endforeach()
add_custom_target(ovra_man_pages ALL DEPENDS ${OVRA_MAN_PAGES})
install(FILES ${OVRA_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
