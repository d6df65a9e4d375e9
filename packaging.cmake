# Installing Мерилон and packing it as a Debian package (cpack -G DEB).
include(GNUInstallDirs)

# The menu entry and the metainfo are named by the application's id (MERILON_APP_ID).
configure_file(resources/merilon.metainfo.xml.in ${PROJECT_BINARY_DIR}/${MERILON_APP_ID}.metainfo.xml @ONLY)
install(TARGETS merilon RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES resources/merilon.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
        RENAME ${MERILON_APP_ID}.desktop)
install(FILES ${PROJECT_BINARY_DIR}/${MERILON_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 32 48 64 128 256)
  install(FILES resources/icons/merilon-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME merilon.png)
endforeach()
install(FILES resources/icons/merilon.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES README.md resources/fonts/LICENSE-OFL.txt packaging/copyright
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
# The pages the README links to, beside it, so that its links hold in the package
# (plain text; the pictures stay in the source tree).
file(GLOB merilon_docs CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/*.md)
install(FILES ${merilon_docs} DESTINATION ${CMAKE_INSTALL_DOCDIR}/docs)

# The manual page (English, and Russian under ru/) and the changelog, compressed as
# Debian wants them: gzip -9 without a name or time stamp.
set(gz ${PROJECT_BINARY_DIR}/packaging)
set(gzipped)
foreach(pair "merilon.1:en/merilon.1.gz" "merilon.ru.1:ru/merilon.1.gz" "changelog:changelog.gz")
  string(REPLACE ":" ";" pair "${pair}")
  list(GET pair 0 from)
  list(GET pair 1 to)
  get_filename_component(dir ${gz}/${to} DIRECTORY)
  add_custom_command(OUTPUT ${gz}/${to}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/packaging/${from} > ${gz}/${to}
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/${from} VERBATIM)
  list(APPEND gzipped ${gz}/${to})
endforeach()
add_custom_target(merilon_packaging_docs ALL DEPENDS ${gzipped})
install(FILES ${gz}/en/merilon.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${gz}/ru/merilon.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/ru/man1)
install(FILES ${gz}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME merilon)
set(CPACK_PACKAGE_VENDOR "Merilon developers")
set(CPACK_PACKAGE_CONTACT "Merilon developers <merilon@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "reference calculator of engineering tolerances (GOST, ST SEV)")
# One string: the lines of the extended description, each under 80 columns.
set(CPACK_PACKAGE_DESCRIPTION "\
Мерилон shows the limit deviations of tolerance fields for sizes up to
500 mm (GOST 25346), the tolerances of form and position
(GOST 24643-81), the unspecified tolerances of form and position
(GOST 25069-81), angle tolerances (ST SEV 178-75) and the drawing
symbols of GOST 2.308-79. The interface is in Russian.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY merilon)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Outside the libraries that the binary links: the X11 platform plugin (xcb) that a
# desktop needs, and Qt's own Russian texts (menus, dialog buttons). On a Wayland
# session Qt runs natively with its Wayland platform plugin, which only qt6-wayland
# brings; without it the program runs through XWayland.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_STRIP_FILES ON)
include(CPack)
