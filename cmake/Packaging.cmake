# One Debian package of everything `cmake --install` lays out: `cpack -G DEB` in the build folder. Configure with
# -DCMAKE_INSTALL_PREFIX=/usr so that the library goes to Debian's multiarch folder (GNUInstallDirs). The
# dependencies on Debian's Qt 6, libusb and the C++ runtime come from dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME radlink)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Radlink maintainers <maintainers@radlink.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configure ZigBee radio modules (CEL, ORLNET, SNAP) on a serial port")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION_SUMMARY}
 Plexcon, a Qt desktop program, opens a serial port, identifies the radio module on it, reads and writes its
 configuration behind a password, searches the air for remote modules and configures them through the local one.
 .
 The package also holds libradlink (the wire protocols as flat C functions, with radlink.h, a pkg-config file and
 a CMake package), the radlink command-line tool, the radlink-sim module simulator, a udev rule for CP210x
 USB-to-serial bridges and a Wireshark dissector for the library's frame traces.")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The shlibs file and the ldconfig trigger of the library.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
# Qt loads its display plugins (xcb, wayland) at run time; dpkg-shlibdeps cannot see them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk | fonts-wqy-zenhei")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "tshark | wireshark")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
