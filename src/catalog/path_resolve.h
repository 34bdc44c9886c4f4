// Finding book files by name the way the discs name them.
//
// Books come from CD-ROM images and copies of them made on every kind of
// system, so one book may spell its files "CATALOGS", "catalogs",
// "CATALOGS;1" (the ISO 9660 version suffix) or "CATALOGS." (an ISO name
// without extension), and its subbook directories "DATA" or "Data". Every
// lookup of a file inside a book goes through here: each component of the
// relative name is matched against the directory listing without regard to
// ASCII case, with a ";1"-style version suffix or a trailing dot on the disc
// name accepted.
//
// FindBookFile adds the storage rule: the plain name first, then the name
// with ".ebz" appended (the EBZip-compressed form of the same file).
#ifndef TOMELING_CATALOG_PATH_RESOLVE_H_
#define TOMELING_CATALOG_PATH_RESOLVE_H_

#include <string>
#include <string_view>

// True when the disc name `onDisc` stands for `wanted`: equal without regard
// to ASCII case once a trailing ";<digits>" and then a trailing "." are
// taken off `onDisc`.
bool BookNameMatches(std::string_view onDisc, std::string_view wanted);

// Resolves `relative` ("DATA/HONMON", components separated by '/') below
// `dir`. An exact match of a component is tried before folded ones, and
// folded matches in name order, so the result is the same on every run;
// when a directory exists in two spellings, both are searched. Returns the full path, or "" when some component is missing.
// With `wantDirectory` the last component must be a directory, else a
// regular file (symbolic links are followed for this test).
std::string ResolveBookPath(const std::string& dir, std::string_view relative, bool wantDirectory = false);

// The file `relative` below `dir`, plain or with ".ebz" appended, whichever
// exists first in that order; "" when neither does.
std::string FindBookFile(const std::string& dir, std::string_view relative);

// Joins a directory and a name with one '/'.
std::string JoinPath(const std::string& dir, std::string_view name);

// `path` from the root: a relative path is taken from the current
// directory, and "." components are dropped. ".." is kept, since through a
// symbolic link it need not lead where dropping a component would. "" when
// the current directory cannot be told.
std::string AbsolutePath(const std::string& path);

#endif  // TOMELING_CATALOG_PATH_RESOLVE_H_
