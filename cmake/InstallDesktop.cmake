# Run by `cmake --install` once the program is in place. CMAKE_INSTALL_PREFIX is this installation's
# prefix (also when `--prefix` changed it after configuring), and DESTDIR is honoured. Writes the
# desktop entry with the installed program's full path; file(INSTALL) lists it in the install
# manifest like every other file.
#
# Set by the caller: SNIPWELL_DIST (the dist folder), SNIPWELL_BINDIR, SNIPWELL_DATADIR (relative
# to the prefix), SNIPWELL_STAGING (a folder of the build to write the entry in first).

set(SNIPWELL_EXECUTABLE "${CMAKE_INSTALL_PREFIX}/${SNIPWELL_BINDIR}/snipwell")
configure_file("${SNIPWELL_DIST}/snipwell.desktop.in" "${SNIPWELL_STAGING}/snipwell.desktop" @ONLY)
file(INSTALL "${SNIPWELL_STAGING}/snipwell.desktop"
     DESTINATION "${CMAKE_INSTALL_PREFIX}/${SNIPWELL_DATADIR}/applications")
