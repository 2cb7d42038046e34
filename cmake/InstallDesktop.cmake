# Run by `cmake --install` once the program is in place. CMAKE_INSTALL_PREFIX is this installation's
# prefix (also when `--prefix` changed it after configuring), and DESTDIR is honoured. Writes the
# desktop entry with the installed program's full path, so menus and autostart find it whatever
# the PATH, and puts the starter snippet file beside the program unless one is there already: the
# program reads and writes Config.txt beside itself, and reinstalling must not replace the user's
# snippets.
#
# Set by the caller: SNIPWELL_DIST (the dist folder), SNIPWELL_BINDIR, SNIPWELL_DATADIR (relative
# to the prefix).

set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")

set(SNIPWELL_EXECUTABLE "${CMAKE_INSTALL_PREFIX}/${SNIPWELL_BINDIR}/snipwell")
set(entry "${root}/${SNIPWELL_DATADIR}/applications/snipwell.desktop")
message(STATUS "Installing: ${entry}")
configure_file("${SNIPWELL_DIST}/snipwell.desktop.in" "${entry}" @ONLY)

set(config "${root}/${SNIPWELL_BINDIR}/Config.txt")
if(EXISTS "${config}")
  message(STATUS "Keeping: ${config}")
else()
  message(STATUS "Installing: ${config}")
  file(COPY_FILE "${SNIPWELL_DIST}/Config.txt" "${config}")
endif()
