// The data directory: where the programs find what they ship with -- the
// demo dictionary (demo/, and its EBZip copy demo-ebzip/) and the help
// pages (help/Tomeling.htm, help/Tomeling.en.htm).
//
// It is found from the program's own place, never from a path fixed at
// build time, so an installed tree can be moved as a whole and the
// programs run straight from the build tree:
//
//   installed     PREFIX/bin/marrit      -> PREFIX/share/tomeling/
//   build tree    build/apps/NAME/NAME   -> build/data/
//                 build/tests/x_tests    -> build/data/
//
// The installed place is the path from the binary directory to the data
// directory as the build was configured (CMAKE_INSTALL_BINDIR to
// CMAKE_INSTALL_DATADIR/tomeling), "../share/tomeling/" by default. A
// candidate counts when it holds demo/ or help/. The data directory is
// read only; the user's own files live in the application directory
// (app_dir.h) and the user's books in UserBookFolder (scan_roots.h).
#ifndef TOMELING_SHELL_DATA_DIR_H_
#define TOMELING_SHELL_DATA_DIR_H_

#include <string>

// The data directory of a program in `programDir` (with or without a
// trailing '/'), with a trailing '/'; "" when none is found.
std::string FindDataDirectory(const std::string& programDir);

// The data directory of the running program, or "".
std::string DataDirectory();

#endif  // TOMELING_SHELL_DATA_DIR_H_
