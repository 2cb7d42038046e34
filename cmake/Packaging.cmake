# The Debian package, made by CPack from the installation above: scripts/package runs
# `cpack -G DEB` in the optimised build and prints the package's path.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME snipwell)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Snipwell developers <snipwell@lists.snipwell.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "text snippets in a bar, copied by moving the mouse over them")
# One paragraph, its lines under 80 columns as Debian's control files want them.
set(CPACK_PACKAGE_DESCRIPTION
    "Snipwell keeps seven text snippets in a thin, borderless, always-on-top bar\n\
at the bottom centre of the screen. Moving the mouse over a snippet puts its\n\
text on the clipboard, ready to paste; an editor changes the seven snippets.\n\
Its look comes from skins: three are built in, and skin folders of one's own\n\
can be added.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from the binary; the fonts are what the look was made with: Wine's bitmap
# "MS Sans Serif", and Liberation for "Arial" and "Courier New".
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wine, fonts-liberation2")

include(CPack)
