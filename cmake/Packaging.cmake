# `cpack -G DEB` in the build folder makes the Debian package of what `cmake --install` puts.
set(CPACK_PACKAGE_NAME zebreader)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "ZEB Book Reader developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "reader for long plain-text books with smooth auto-scroll")
set(CPACK_PACKAGE_DESCRIPTION
    "ZEB Book Reader Professional converts plain texts, loose or packed in ZIP,\n"
    "RAR, ARJ, LZH or HA archives, into indexed books and shows them in one large\n"
    "justified view, with antialiased lines, bookmarks and auto-scroll. zebtool\n"
    "imports, inspects and extracts from a terminal.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGE_CONTACT "ZEB Book Reader developers <zebreader@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# It needs libunrar from Debian's non-free component, which puts it in contrib.
set(CPACK_DEBIAN_PACKAGE_SECTION contrib/text)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so dpkg-shlibdeps cannot see them: Qt's platform plugins (xcb, wayland)
# and the fonts standing in for the two default faces.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-core, fonts-comic-neue")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")

include(CPack)
