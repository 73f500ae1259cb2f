# `cmake --install`: the program folder PREFIX/lib/xingfan (the executable
# and the read-only files it finds beside itself, with the marker that
# sends its writes to the user's own folder), a launcher in PREFIX/bin, the
# desktop entry, the icon in the hicolor theme and the manual page.
# Included from resources/CMakeLists.txt, which knows the data files.
include(GNUInstallDirs)
set(XF_INSTALL_APPDIR lib/xingfan CACHE STRING "The program folder, relative to the install prefix")

install(TARGETS xingfan RUNTIME DESTINATION ${XF_INSTALL_APPDIR})
install(TARGETS UpModule LIBRARY DESTINATION ${XF_INSTALL_APPDIR})
install(FILES ${XF_DATA_OUTPUTS} ${XF_EMPTY_DATABASE} DESTINATION ${XF_INSTALL_APPDIR})
install(FILES ${XF_BIN_DIR}/images/show.bmp ${XF_BIN_DIR}/images/hide.bmp
        DESTINATION ${XF_INSTALL_APPDIR}/images)
install(FILES ${XF_SKIN_FILES} DESTINATION ${XF_INSTALL_APPDIR}/Skins)
# The name is platform::TDataFolder::MarkerName.
set(XF_MARKER ${CMAKE_CURRENT_BINARY_DIR}/xingfan.installed)
file(WRITE ${XF_MARKER} "An installed copy: each user's files go to $XDG_DATA_HOME/xingfan.\n")
install(FILES ${XF_MARKER} DESTINATION ${XF_INSTALL_APPDIR})

# The launcher links to the executable, so the program still finds its
# folder (the link's target) wherever the prefix is moved.
file(RELATIVE_PATH XF_LAUNCHER_TARGET /p/${CMAKE_INSTALL_BINDIR} /p/${XF_INSTALL_APPDIR}/xingfan)
install(CODE "
  set(bindir \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  file(MAKE_DIRECTORY \"\${bindir}\")
  message(STATUS \"Installing: \${bindir}/xingfan -> ${XF_LAUNCHER_TARGET}\")
  file(CREATE_LINK \"${XF_LAUNCHER_TARGET}\" \"\${bindir}/xingfan\" SYMBOLIC)
")

# The desktop entry names the launcher by its full path, known only once
# the prefix is (`cmake --install --prefix` may change it).
install(CODE "
  set(XF_LAUNCHER \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/xingfan\")
  configure_file(\"${PROJECT_SOURCE_DIR}/resources/desktop/xingfan.desktop.in\"
                 \"${CMAKE_CURRENT_BINARY_DIR}/xingfan.desktop\" @ONLY)
")
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/xingfan.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

foreach(size IN LISTS XF_ICON_SIZES)
  install(FILES ${XF_ICON_DIR}/${size}x${size}/apps/xingfan.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

install(FILES ${PROJECT_SOURCE_DIR}/resources/man/xingfan.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
