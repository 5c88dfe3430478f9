# Installs the program with its desktop entry, icon and AppStream metainfo,
# and describes the Debian package that `cpack -G DEB` builds.
include(GNUInstallDirs)

set(APP_ID org.rootsofpolynomial.RootsOfPolynomial)
set(PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})

install(TARGETS RootsOfPolynomial RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PACKAGING_DIR}/${APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PACKAGING_DIR}/${APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PACKAGING_DIR}/${APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# The About box points to this file.
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/roots-of-polynomial)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME roots-of-polynomial)
set(CPACK_PACKAGE_VENDOR "Roots Of Polynomial developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Find every real and complex root of a polynomial")
set(CPACK_PACKAGE_DESCRIPTION
    "Finds all roots, real and complex, of a real polynomial of degree 1 to 22, in extended precision, recognising multiple roots exactly, and plots the polynomial.")
# No mail address: the project has none to give yet.
set(CPACK_PACKAGE_CONTACT "Roots Of Polynomial developers")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
# The libraries the program links, and so the package's dependencies, are
# worked out by dpkg-shlibdeps on the release it is built on.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt 6 on some releases keeps its X11 platform plugin apart from its
# libraries; without it no window opens.
if(QT_VERSION_MAJOR EQUAL 6)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
endif()
# Without dpkg-shlibdeps CPack would build a package that depends on
# nothing: this file, read by cpack, refuses instead.
set(CPACK_PROJECT_CONFIG_FILE ${PACKAGING_DIR}/CPackChecks.cmake)
set(CPACK_STRIP_FILES ON)
include(CPack)
