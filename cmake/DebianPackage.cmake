# The Debian package dist/tarvik_3.0-1_amd64.deb (`make package`, scripts/build-package; on Debian 13
# dist/tarvik_3.0-1+deb13_amd64.deb):
# /usr/bin/tarvik, the alarm's sound module in /usr/lib/tarvik/modules, the factory files, help
# and sound in /usr/share/tarvik (found from the executable as ../share/tarvik), the menu entry,
# the icon in every hicolor size, AppStream metainfo, the copyright file, changelog and manual page.
include(GNUInstallDirs)
set(TARVIK_DATA_DESTINATION ${CMAKE_INSTALL_DATADIR}/tarvik)
set(TARVIK_DOC_DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tarvik)
set(TARVIK_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging/linux)

install(TARGETS tarvik RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The alarm's sound module, which the program looks for in ../lib/tarvik/modules from its
# executable: a private module, one level below /usr/lib/tarvik so that no ldconfig call is added.
install(TARGETS tarvik_sound LIBRARY DESTINATION lib/tarvik/modules)
# From data/, never from build/bin, where the settings and log may be the developer's own.
install(FILES ${TARVIK_FACTORY_FILES} DESTINATION ${TARVIK_DATA_DESTINATION})
install(FILES ${CMAKE_BINARY_DIR}/help-stage/Tarvik.chm DESTINATION ${TARVIK_DATA_DESTINATION} OPTIONAL)
file(GLOB TARVIK_HELP_PAGES CONFIGURE_DEPENDS data/help/*.html data/help/*.css)
install(FILES ${TARVIK_HELP_PAGES} DESTINATION ${TARVIK_DATA_DESTINATION}/help)

install(FILES ${TARVIK_PACKAGING_DIR}/tarvik.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${TARVIK_PACKAGING_DIR}/io.github.tarvik.Tarvik.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The icon as the program draws it, rendered by tarvik_icons at build time.
foreach(size IN LISTS TARVIK_ICON_SIZES)
    install(FILES ${TARVIK_ICON_DIR}/tarvik-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME tarvik.png)
endforeach()

# Debian keeps its changelog and manual pages compressed, without a time stamp in the archive.
find_program(GZIP_EXECUTABLE gzip REQUIRED)
set(TARVIK_PACKAGE_STAGE ${CMAKE_BINARY_DIR}/package-stage)
add_custom_command(OUTPUT ${TARVIK_PACKAGE_STAGE}/changelog.Debian.gz ${TARVIK_PACKAGE_STAGE}/tarvik.1.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TARVIK_PACKAGE_STAGE}
    COMMAND ${GZIP_EXECUTABLE} -9nc ${TARVIK_PACKAGING_DIR}/changelog > ${TARVIK_PACKAGE_STAGE}/changelog.Debian.gz
    COMMAND ${GZIP_EXECUTABLE} -9nc ${TARVIK_PACKAGING_DIR}/tarvik.1 > ${TARVIK_PACKAGE_STAGE}/tarvik.1.gz
    DEPENDS ${TARVIK_PACKAGING_DIR}/changelog ${TARVIK_PACKAGING_DIR}/tarvik.1
    COMMENT "Changelog and manual page for the package")
add_custom_target(package_docs ALL DEPENDS ${TARVIK_PACKAGE_STAGE}/changelog.Debian.gz ${TARVIK_PACKAGE_STAGE}/tarvik.1.gz)
install(FILES ${TARVIK_PACKAGING_DIR}/copyright ${TARVIK_PACKAGE_STAGE}/changelog.Debian.gz
        DESTINATION ${TARVIK_DOC_DESTINATION})
install(FILES ${TARVIK_PACKAGE_STAGE}/tarvik.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${TARVIK_PACKAGING_DIR}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME tarvik)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvik)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})
# The Debian revision: 1, with the release it was built on after it when that is not Debian 12
# (scripts/build-package gives 1+deb13 on Debian 13), so the packages of two releases differ.
set(TARVIK_DEBIAN_REVISION 1 CACHE STRING "Debian revision of the package")
set(CPACK_DEBIAN_PACKAGE_RELEASE ${TARVIK_DEBIAN_REVISION})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/cpack)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(TARVIK_MAINTAINER "The Tarvik developers <tarvik@example.org>" CACHE STRING "Maintainer field of the Debian package")
set(CPACK_PACKAGE_CONTACT ${TARVIK_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${TARVIK_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop memory optimiser (塔维内存整理)")
# CPack indents the paragraphs and marks the empty line as Debian wants.
set(CPACK_PACKAGE_DESCRIPTION "Tarvik shows the share of free physical memory in a small monitor window
that stays on top of the other windows, as a bar, a line chart or a peak
chart, and puts an icon in the tray. It frees physical memory on request,
whenever the free memory falls below a minimum, and at a fixed period; it
can sound an alarm while memory is low and keeps an event log.

The user interface is in Chinese.")
# The libraries come from dpkg-shlibdeps. What the program loads at run time comes here: the
# GStreamer elements that play the .wav alarm (Qt Multimedia's back end), a font for the
# Chinese texts, and for .mid alarms the fluidsynth element with a sound font.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, fonts-noto-cjk | fonts-wqy-microhei | fonts-wqy-zenhei")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "gstreamer1.0-plugins-bad, timgm6mb-soundfont | fluid-soundfont-gm")
include(CPack)
