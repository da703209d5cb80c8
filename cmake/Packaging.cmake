# The Debian package, built from an already built tree with
#   cpack --config build/CPackConfig.cmake -G DEB -B build/package
# It holds what `cmake --install` installs, under /usr; dpkg-shlibdeps
# (dpkg-dev, and `file` to find the binaries) works out its Depends.

set(CPACK_PACKAGE_NAME lapidor)
set(CPACK_PACKAGE_VERSION "${LAPIDOR_DISPLAY_VERSION}")
set(CPACK_PACKAGE_VENDOR "Edda Rowan")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# Debian shows the long description as it is broken here.
set(CPACK_PACKAGE_DESCRIPTION "Type how many gems of each of the 24 kinds you hold and your current
level or experience, and Lapidor shows the experience the gems bring and
your new level. A sample levels.txt is installed in /usr/share/lapidor.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://varnhollow.example.org/")
set(CPACK_STRIP_FILES ON)

if(WIN32)
    # For Windows, a zip of what the install puts in one folder:
    #   cpack --config build-windows-gui/CPackConfig.cmake -G ZIP
    set(CPACK_GENERATOR ZIP)
    set(CPACK_PACKAGE_FILE_NAME "lapidor-${LAPIDOR_DISPLAY_VERSION}-windows-x64")
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
    include(CPack)
    return()
endif()
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Edda Rowan <edda.rowan@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# lapidor_<version>_<architecture>.deb
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)

# Debian's documents of the package, in /usr/share/doc/lapidor. The licence
# goes with every copy, packaged or not, in Debian's machine-readable form.
include(GNUInstallDirs)
set(lapidor_doc_dir ${CMAKE_INSTALL_DATADIR}/doc/lapidor)
install(FILES ${PROJECT_SOURCE_DIR}/cmake/debian/copyright DESTINATION ${lapidor_doc_dir})
# The changelog of this native package, and the lintian tags that are right
# for it, mean something only in the package: `cmake --install` leaves them
# out, and CPack installs their component besides everything else.
configure_file(${PROJECT_SOURCE_DIR}/cmake/debian/changelog.in debian/changelog @ONLY)
lapidor_install_gzipped(${CMAKE_CURRENT_BINARY_DIR}/debian/changelog ${lapidor_doc_dir} COMPONENT debian EXCLUDE_FROM_ALL)
install(FILES ${PROJECT_SOURCE_DIR}/cmake/debian/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME lapidor COMPONENT debian EXCLUDE_FROM_ALL)
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};ALL;/"
                                 "${CMAKE_BINARY_DIR};${PROJECT_NAME};debian;/")

include(CPack)
