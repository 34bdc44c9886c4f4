// See session_files.h.
#include "shell/session_files.h"

#include "catalog/book_list.h"
#include "catalog/group_file.h"
#include "shell/dict_session.h"

bool GroupFileHasAbsentBooks(const CBookList& list) {
  GroupFile file;
  if (!ReadGroupFile(list.ListPath(), &file)) return false;
  return file.records.size() > static_cast<size_t>(list.Count());
}

int SaveGroupFile(CBookList& list, bool replaced, RenameFunction renameFn) {
  if (list.Count() == 0) return 0;
  if (!replaced && GroupFileHasAbsentBooks(list)) return 0;
  return list.SaveList("", renameFn);
}

bool SaveSessionFiles(CDictSession& session, bool listReplaced, RenameFunction renameFn) {
  CBookList& list = session.Books();
  bool groupOk = true;
  if (list.Count() > 0 && (listReplaced || !GroupFileHasAbsentBooks(list)))
    groupOk = list.SaveList("", renameFn) == 1;
  bool globalsOk = session.Settings().SaveGlobals(renameFn);
  return groupOk && globalsOk;
}
