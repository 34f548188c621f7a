# `make deb`: a Debian package of the installed tree. dpkg-shlibdeps computes the libraries the
# programs link against; what they load at run time without linking (Qt's X11 platform plugin
# and its SVG image plugin, for the tray icons) is named by hand.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME stripdeck)
set(CPACK_PACKAGE_VENDOR "Stripdeck")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "on-screen MIDI and OSC controller")
set(CPACK_PACKAGE_DESCRIPTION
    "Stripdeck docks a strip of controls at the bottom of the screen (faders, pads,\n"
    "transport buttons, a multi-touch piano, an eight-fader parameter bank and a\n"
    "channel strip) and turns touches and clicks on it into MIDI on its own virtual\n"
    "ports, on the ALSA sequencer or JACK, or into OSC over UDP or TCP. It lives in\n"
    "the system tray and never takes the keyboard.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(STRIPDECK_MAINTAINER "Stripdeck maintainers <maintainers@users.noreply.c-seed-61e91516.example>"
    CACHE STRING "Maintainer field of the Debian package")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${STRIPDECK_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
# The tray icon needs a running tray; the MIDI ports need an ALSA sequencer or a JACK server.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "jackd2 | pipewire-jack, alsa-utils")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
