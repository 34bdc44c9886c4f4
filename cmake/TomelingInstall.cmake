# Where `cmake --install` puts things (GNUInstallDirs under the prefix):
#
#   bin/tomeling, bin/velloc, bin/marrit
#   share/tomeling/demo/            the demo dictionary (demo-ebzip/: EBZip copy)
#   share/tomeling/help/            Tomeling.htm (Japanese), Tomeling.en.htm
#   share/applications/            velloc.desktop, marrit.desktop
#   share/icons/hicolor/scalable/apps/tomeling.svg, NxN/apps/tomeling.png
#   share/man/man1/tomeling.1
#
# The programs find share/tomeling from bin/ (src/shell/data_dir.h), so the
# relative path between the two is compiled in.

# The data directory, relative to the prefix and in full.
set(TOMELING_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/tomeling)
set(TOMELING_INSTALL_FULL_DATADIR ${CMAKE_INSTALL_FULL_DATADIR}/tomeling)

# Installs the desktop program `target` (velloc or marrit): its executable
# and its .desktop file from data/desktop/. apps/CMakeLists.txt calls it for
# each of the two whose target exists.
function(tomeling_install_desktop_program target)
  install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/${target}.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
endfunction()
