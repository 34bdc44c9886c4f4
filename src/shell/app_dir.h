// The application directory: where the program keeps "profile.ini",
// "keycode.ini", "history.txt", "color.dat", "GaijiMap.db", the GAIJI map
// folder and, by default, the group files.
//
// Chosen in this order:
//   1. $TOMELING_HOME, when set and not empty;
//   2. the program's own directory, when it holds "profile.ini" -- a
//      portable copy on a stick keeps its files beside it;
//   3. $XDG_CONFIG_HOME/tomeling/ (by default ~/.config/tomeling/).
// The result always ends in '/', so file names are simply appended.
#ifndef TOMELING_SHELL_APP_DIR_H_
#define TOMELING_SHELL_APP_DIR_H_

#include <string>

// The directory of the running program, with a trailing '/' ("" when the
// system cannot tell).
std::string ProgramDirectory();

// The application directory for a program in `programDir` ("" to skip the
// portable check). Not created here.
std::string FindAppDirectory(const std::string& programDir);

// The directory given on the command line (--home) when there is one, else
// FindAppDirectory for the running program; with a trailing '/'.
std::string ResolveAppDirectory(const std::string& given);

// `dir` with exactly one trailing '/' (an empty `dir` stays empty).
std::string WithTrailingSlash(std::string dir);

// Whether `path` names an existing directory / regular file.
bool DirectoryExists(const std::string& path);
bool FileExists(const std::string& path);

// The first executable called `name` on $PATH, or "" (a name holding '/'
// is tested as it is).
std::string FindOnPath(const std::string& name);

#endif  // TOMELING_SHELL_APP_DIR_H_
