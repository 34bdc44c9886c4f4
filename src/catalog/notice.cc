// See notice.h.
#include "catalog/notice.h"

namespace {
NoticeHandler g_handler = nullptr;
}

void SetNoticeHandler(NoticeHandler handler) { g_handler = handler; }

void Notice(const char* message) {
  if (g_handler != nullptr) g_handler(message);
}
