// A dictionary session over one written book, as the views' tests open it:
// the application directory and the settings store inside a temporary
// folder, so nothing of the user's own settings comes in.
#ifndef TOMELING_TESTS_COMMON_BOOK_SESSION_H_
#define TOMELING_TESTS_COMMON_BOOK_SESSION_H_

#include <memory>
#include <string>

#include "common/temp_dir.h"
#include "shell/dict_session.h"

// Null when the book at `catalogPath` does not open.
inline std::unique_ptr<CDictSession> OpenBookSession(const CTempDir& dir, const std::string& catalogPath) {
  SessionOptions options;
  options.home = dir.File("app");
  options.profilePath = dir.File("store.ini");
  auto session = std::make_unique<CDictSession>(options);
  if (session->Books().AddBook(catalogPath) != 1) return nullptr;
  session->BooksChanged();
  return session;
}

#endif  // TOMELING_TESTS_COMMON_BOOK_SESSION_H_
