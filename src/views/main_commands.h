// The main window's commands: the identifiers its menus, tool buttons,
// accelerators and the key table ("keycode.ini") share, and the texts of
// the menu items.
//
// Dictionaries and groups of the "辞書" menu take the identifiers from
// 32775 on (kCommandDictionaryFirst + position, folian_view.h); the
// commands of the key table that fall into that range and are no menu
// items (32923, 32952, 32953, 33013, 33015) do nothing there -- the
// Handheld PC build (marrit) gives 32923, 32952 and 32953 their own work.
#ifndef TOMELING_VIEWS_MAIN_COMMANDS_H_
#define TOMELING_VIEWS_MAIN_COMMANDS_H_

#include <QString>

enum MainCommand : int {
  kCmdSearch = 1001,  // the search button; also "選択語で検索(&S)"
  kCmdAddDictionary = 32771,
  kCmdMenuSearch = 32772,
  kCmdCopyright = 32773,
  kCmdContinuous = 32774,
  kCmdRescan = 32901,
  kCmdBack = 32902,
  kCmdForward = 32903,
  kCmdFindAllDict = 32905,
  kCmdComplexSearch = 32906,
  kCmdSearchWord = 32908,
  kCmdSearchEndword = 32909,
  kCmdSearchCross = 32910,
  kCmdSearchKeyword = 32911,
  kCmdSearchExact = 32912,
  kCmdClipboardSearch = 32913,
  kCmdEditGroup = 32914,
  kCmdOptions = 32921,
  kCmdIncremental = 32922,
  kCmdSearchFullText = 32923,
  kCmdAbort = 32924,
  kCmdGraphicMenu = 32937,
  kCmdFindText = 32947,
  kCmdLoadHistory = 32948,
  kCmdSaveHistory = 32949,
  kCmdClearHistory = 32950,
  kCmdWordInflect = 32951,
  kCmdNextItem = 32952,
  kCmdPreviousItem = 32953,
  kCmdScrollUp = 33002,
  kCmdScrollDown = 33003,
  kCmdPageUp = 33004,
  kCmdPageDown = 33005,
  kCmdFindNext = 33006,
  kCmdFullScreen = 33008,
  kCmdFocusBack = 33009,
  kCmdCursorMode = 33012,
  kCmdEditor = 33013,
  kCmdOnlineSearch = 33015,
  kCmdCopy = 57634,
  kCmdCut = 57635,
  kCmdPaste = 57637,
  kCmdSelectAll = 57642,
  kCmdAbout = 57664,
  kCmdExit = 57665,
  kCmdHelp = 57670,
  kCmdDefaultHelp = 57671,
  kCmdNextPane = 57680,
  kCmdPreviousPane = 57681,
};

// The menu text of a command (translated; the Handheld PC build shows the
// keys of the edit items and an "(&A)" on the about item), or an empty
// text for a command that is no menu item.
QString CommandMenuText(int id, bool handheld);

#endif  // TOMELING_VIEWS_MAIN_COMMANDS_H_
