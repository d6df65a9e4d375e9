# Installing Мерилон and packing it as a Debian package (cpack -G DEB).
include(GNUInstallDirs)

install(TARGETS merilon RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES resources/merilon.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 16 32 48 64 128 256)
  install(FILES resources/icons/merilon-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME merilon.png)
endforeach()
install(FILES resources/icons/merilon.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES README.md resources/fonts/LICENSE-OFL.txt DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME merilon)
set(CPACK_PACKAGE_VENDOR "Merilon developers")
set(CPACK_PACKAGE_CONTACT "Merilon developers <merilon@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "reference calculator of engineering tolerances (GOST, ST SEV)")
set(CPACK_PACKAGE_DESCRIPTION
    "Мерилон shows the limit deviations of tolerance fields up to 500 mm, tolerances of form\n"
    "and position (GOST 24643-81), unspecified tolerances of form and position, angle\n"
    "tolerances (ST SEV 178-75) and the drawing symbols of GOST 2.308-79. Russian interface.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY merilon)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The platform plugins (X11, Wayland) that a desktop needs live outside the libraries
# that the binary links.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_STRIP_FILES ON)
include(CPack)
