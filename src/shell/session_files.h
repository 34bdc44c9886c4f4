// Saving what a run of the desktop program keeps: the current group file,
// the Globals and the search-word history.
//
//   frame closes: history box, search type and pane size into the settings
//   SaveSessionFiles(session, listReplaced);   // then the session goes
//
// A group file is not rewritten when it names dictionaries the list lacks
// because their books are away (a card taken out, a disk not mounted):
// saving would drop them from the group for good. A list the user replaced
// as a whole (a rescan) is saved all the same. Every file is replaced
// atomically; a failed write keeps the old file.
#ifndef TOMELING_SHELL_SESSION_FILES_H_
#define TOMELING_SHELL_SESSION_FILES_H_

#include "storage/atomic_file.h"

class CBookList;
class CDictSession;

// Whether the list's group file holds more dictionaries than the list.
bool GroupFileHasAbsentBooks(const CBookList& list);

// Writes the list to its group file unless that would lose absent books
// (see above; `replaced` overrides). 1 when written, else 0.
int SaveGroupFile(CBookList& list, bool replaced, RenameFunction renameFn = nullptr);

// The group file, then the Globals and the history. True when all that
// was to be written was.
bool SaveSessionFiles(CDictSession& session, bool listReplaced, RenameFunction renameFn = nullptr);

#endif  // TOMELING_SHELL_SESSION_FILES_H_
