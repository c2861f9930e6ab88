# Packaging: `cpack` in the build directory wraps what `cmake --install`
# lays out (the executable from the binding, the desktop files from resources/)
# into a Debian package, or for Windows into a ZIP. Included once, from the
# top-level CMakeLists.

set(ZELVO_PACKAGE_MAINTAINER "${ZELVO_PRODUCT_NAME} developers <zelvo@example.invalid>"
    CACHE STRING "Maintainer field of the Debian package: Name <address>")

set(CPACK_PACKAGE_NAME zelvo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "${ZELVO_PRODUCT_NAME} developers")
set(CPACK_PACKAGE_CONTACT ${ZELVO_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "darts score calculator for Count-Up and 301")
set(CPACK_PACKAGE_DESCRIPTION
    "${ZELVO_PRODUCT_NAME} adds up the points of a darts game played on a real board, for one\n"
    "to four players sharing one computer: Count-Up over eight rounds, and 301\n"
    "over twenty rounds with exact finish and bust. The interface is Japanese.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY zelvo)

if(WIN32)
  # zelvo.exe runs by double-click from wherever it is unpacked: no
  # installer, nothing beside it but the README and the licence.
  set(CPACK_GENERATOR ZIP)
  install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION .)
else()
  set(CPACK_GENERATOR DEB)
endif()
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${ZELVO_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# Qt loads its window-system plugin and its own Japanese translation at run
# time, which no linked library reveals; and every caption is Japanese, so a
# Japanese font should be there.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk | fonts-ipafont-gothic")

include(CPack)
