// Notices: the few book problems the user is told about while reading goes
// on (today only "Cannot seek"). The desktop program shows them in a message
// box, the command-line tool writes one line to stderr. Book-data damage is
// otherwise silent, so this is deliberately not a logging facility.
#ifndef TOMELING_CATALOG_NOTICE_H_
#define TOMELING_CATALOG_NOTICE_H_

using NoticeHandler = void (*)(const char* message);

// Installs the handler for every later notice; nullptr silences them. Set
// once at start-up, before any book is opened. Without a call, notices are
// silent.
void SetNoticeHandler(NoticeHandler handler);

void Notice(const char* message);

#endif  // TOMELING_CATALOG_NOTICE_H_
