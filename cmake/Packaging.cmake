# SPDX-License-Identifier: GPL-3.0-or-later
# `cpack -G DEB` in a build tree makes ovratuner_<version>_<arch>.deb from the
# install rules (cmake/Install.cmake), stripped, with its dependencies
# computed from the binaries by dpkg-shlibdeps.
include(GNUInstallDirs)

# Debian wants a copyright file and a compressed changelog in the package's
# documentation folder.
set(OVRA_DEBIAN_DIR ${PROJECT_SOURCE_DIR}/packaging/debian)
set(OVRA_CHANGELOG ${PROJECT_BINARY_DIR}/packaging/changelog.gz)
find_program(OVRA_GZIP gzip REQUIRED)
add_custom_command(OUTPUT ${OVRA_CHANGELOG}
                   COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/packaging
                   COMMAND ${OVRA_GZIP} -9 -n -c ${OVRA_DEBIAN_DIR}/changelog > ${OVRA_CHANGELOG}
                   DEPENDS ${OVRA_DEBIAN_DIR}/changelog)
add_custom_target(ovra_changelog ALL DEPENDS ${OVRA_CHANGELOG})
install(FILES ${OVRA_DEBIAN_DIR}/copyright ${OVRA_CHANGELOG}
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/ovratuner)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ovratuner)
set(CPACK_PACKAGE_VENDOR "The OvraTuner developers")
set(CPACK_PACKAGE_CONTACT "The OvraTuner developers <maintainers@ovratuner.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "guitar tuner for touch screens and desktops")
set(CPACK_PACKAGE_DESCRIPTION
    "OvraTuner listens to the microphone and shows how far the string played is
from its note: a guitar head whose tuning key and string light up for the
string being tuned, a cents meter and an input level bar. It works with touch
screens (phones and tablets) and with a mouse and keyboard.

ovratuner-analyze runs recordings through the same analysis and prints what
the tuner would show.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.ovratuner.example/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Wayland sessions (handhelds) need Qt's Wayland plugin; X11 is built into
# libqt6gui6. A sound server gives the microphone.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, pulseaudio | pipewire-pulse")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_IGNORE_FILES "/build.*/;/\\\\.git/")
include(CPack)
