# Installation: the program and the skin export tool in bin; the desktop entry, the icons, the
# example snippets, the manual pages and the documents under share. `cmake --install build/release
# --prefix ~/.local` installs for one user without root; scripts/package makes a Debian package of
# the same files. Every file written is listed in install_manifest.txt, so that
# `xargs rm < build/release/install_manifest.txt` removes the installation again.
include(GNUInstallDirs)

install(TARGETS snipwell snipwell-export-skin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The application icon at every size menus, docks and launchers ask for, and as a drawing.
foreach(size IN ITEMS 16 24 32 48 64 128 256)
  install(FILES dist/icons/snipwell-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME snipwell.png)
endforeach()
install(FILES dist/icons/snipwell.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The example snippets: the program copies them to the user's own snippet file on the first start.
install(FILES dist/Config.txt DESTINATION ${CMAKE_INSTALL_DATADIR}/snipwell)

# Manual pages and the change log, compressed as Debian keeps them (gzip -9n: no name, no time, so
# the same source gives the same bytes).
set(compressed)
foreach(file IN ITEMS snipwell.1 snipwell-export-skin.1 changelog)
  set(out ${CMAKE_BINARY_DIR}/dist/${file}.gz)
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/dist
    COMMAND gzip -9n -c ${PROJECT_SOURCE_DIR}/dist/${file} > ${out}
    DEPENDS ${PROJECT_SOURCE_DIR}/dist/${file}
    VERBATIM)
  list(APPEND compressed ${out})
endforeach()
add_custom_target(snipwell_documents ALL DEPENDS ${compressed})
install(FILES ${CMAKE_BINARY_DIR}/dist/snipwell.1.gz ${CMAKE_BINARY_DIR}/dist/snipwell-export-skin.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES README.md dist/copyright ${CMAKE_BINARY_DIR}/dist/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The desktop entry names the installed program by its full path, so that menus and autostart
# find it whatever the PATH; the prefix is known only when installing (`--prefix` may change it).
install(CODE "set(SNIPWELL_DIST \"${PROJECT_SOURCE_DIR}/dist\")
  set(SNIPWELL_BINDIR \"${CMAKE_INSTALL_BINDIR}\")
  set(SNIPWELL_DATADIR \"${CMAKE_INSTALL_DATADIR}\")
  set(SNIPWELL_STAGING \"${CMAKE_BINARY_DIR}/dist\")")
install(SCRIPT cmake/InstallDesktop.cmake)

# What lintian is told about the package's own choices.
install(FILES dist/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME snipwell)
