# SPDX-FileCopyrightText: 2026 The Arcadeon developers
# SPDX-License-Identifier: GPL-3.0-or-later
# make package: the Debian package arcadeon_VERSION_ARCH.deb, built by CPack
# from the install rules with /usr as its prefix, the programs in /usr/games
# as Debian has games. Its dependencies are the libraries the programs link,
# as dpkg-shlibdeps finds them.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME arcadeon)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Arcadeon developers")
set(CPACK_PACKAGE_CONTACT "${ARCADEON_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "three arcade games for one player")
set(CPACK_PACKAGE_DESCRIPTION "\
Arcadeon is a small collection of three arcade games for one player, opened
from a main menu: Froggy, where a frog crosses two roads and a bridge to a
trophy; Vavod Uvavovirovu Divadazo, a fixed shooter with a ship, twelve
aliens and a mothership that drops bombs; and Ping, one-player paddle ball
with hits, losses and a high score. Nothing is random: the same moves at the
same moments give the same game.

The package also holds arcadeon-script, which plays the same games without a
screen, driven by a script of a person's actions, for tests and bug reports.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/packaging/games.cmake)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${ARCADEON_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's Wayland platform, so that a session without X opens the windows too.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
