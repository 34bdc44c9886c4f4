// What one dictionary offers the user: the search methods its indexes
// allow, its menus, graphic menu, copyright notice, complex-search
// definitions and where its text starts. The main window enables its
// commands from this and picks what to show when a dictionary is chosen.
//
//   DictFeatures f = FeaturesOf(*session.Display(dict).reader);
//   if (f.menu) ... "メニュー検索(&M)" is enabled
//
// Reading the complex-search definitions reads the book, so callers keep
// the result while the dictionary stays current.
#ifndef TOMELING_SHELL_DICT_FEATURES_H_
#define TOMELING_SHELL_DICT_FEATURES_H_

#include <cstdint>

class CEBReader;

struct DictFeatures {
  bool word = false;         // forward and exact search (the word indexes)
  bool endword = false;      // backward search (0x70-0x72)
  bool cross = false;        // cross search (0x81)
  bool keyword = false;      // keyword search (0x80)
  bool menu = false;         // a menu (0x01, else 0x20)
  bool graphicMenu = false;  // a graphic menu (0x10, 0x11, 0xEE, 0x0E, 0x0F)
  bool copyright = false;    // a copyright notice (0x02, EPWING 0x21)
  bool complex = false;      // complex-search definitions (a 0xFF area)
  int32_t textStart = 0;     // first page of the text (area 0x00), 0 for none

  // Whether some index takes a typed word.
  bool AnyIndex() const { return word || endword || cross || keyword; }
};

// Nothing for a reader that is not open.
DictFeatures FeaturesOf(CEBReader& reader);

#endif  // TOMELING_SHELL_DICT_FEATURES_H_
