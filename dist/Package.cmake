# `cpack -G DEB` in the build folder makes zunaka_<version>_<arch>.deb. The libraries' packages come from
# dpkg-shlibdeps; the fonts, the SoundFont and Qt's SQLite driver (for the records) are loaded at run time,
# so they are named here.
set(ZUNAKA_PACKAGE_MAINTAINER "The Zunaka Typing developers <maintainers@zunaka.invalid>"
    CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zunaka)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ZUNAKA_PACKAGE_MAINTAINER}")
# Debian wants the programs of section games in /usr/games; a typing trainer sits as well in education,
# and keeps the same layout as every other install.
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-ipafont-gothic, timgm6mb-soundfont | sf3-soundfont-gm | sf2-soundfont-gm, libqt6sql6-sqlite")
# Qt's Wayland back end: without it a Wayland session runs the game through XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "whack-a-mole typing practice for beginners
Zunaka Typing (ずなかタイピング) teaches touch typing on a Japanese (JIS)
keyboard. Moles rise out of six holes, each holding up the character of one
key; type it while the mole is out of its hole to catch it.
.
Six lessons lead from the home row to every key, three speeds set how long a
mole stays up, and a game has 30, 50 or 70 moles. A guide page shows which
finger types which key. Background music, hit and miss sounds; all on-screen
text is Japanese.")
include(CPack)
