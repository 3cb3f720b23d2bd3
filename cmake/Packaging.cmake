# The Debian package (`make package`, or cpack in a build folder): what the
# install rules lay out, under /usr, with the dependencies dpkg-shlibdeps
# reads from the program's own links.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumivane)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "The Lumivane developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "see-through desktop agenda of appointments and tasks")
set(CPACK_PACKAGE_DESCRIPTION
  "Lumivane keeps one borderless, see-through window on the desktop that lists
the coming appointments (today and a chosen number of days ahead, recurring
ones expanded) and the open tasks, drawn over the wallpaper. It reads
iCalendar files and vdir folders, such as a calendar synchroniser keeps of a
CalDAV account, and refreshes as soon as they change.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${LUMIVANE_PACKAGE_MAINTAINER}")  # cmake/Install.cmake
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The pictures of the display, the tray and the menu are SVG, drawn by Qt's
# SVG plugins, which the program loads at run time rather than links.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
# A calendar synchroniser fills the store from a CalDAV account.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "vdirsyncer")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

include(CPack)
