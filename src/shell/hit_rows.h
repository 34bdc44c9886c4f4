// CHitRows: the rows of the hit list after a search -- every hit taken
// from the readers, and one row per hit whose heading shows something.
//
// Filling takes the hits of the current dictionary, or with all
// dictionaries those of every dictionary of the book list from the last to
// the first (so the last dictionary's rows come first). For each hit the
// heading is decoded through the dictionary's configuration (254 bytes of
// markup at most), leading ideographic and ASCII spaces are dropped, and
// what is left becomes the row's heading markup in the wide form the
// drawing reads (255 units at most, gaiji mapped). A hit whose heading is
// empty keeps its place among the hits but gets no row.
//
//   CHitRows rows(session);
//   int n = rows.Fill(terms, settings.bFindAllDict, settings.dictNo);
//   const HitRow& r = rows.Rows()[0];
//   const DictHit* hit = rows.Hit(r.hit);   // what UM_SHOW_HIT's argument names
//
// A row's `hit` is the index of its hit in Hits() -- the row's item data,
// which the list hands to the frame as the display argument of
// UM_SHOW_HIT. Dictionary names are cut or padded with spaces to
// `lenDictName` characters; with `lenDictName` 0 the rows have no name.
//
// Dictionary indices name entries of the session's book list: after the
// list is rebuilt, Clear or Fill again before using the rows.
#ifndef TOMELING_SHELL_HIT_ROWS_H_
#define TOMELING_SHELL_HIT_ROWS_H_

#include <string>
#include <string_view>
#include <vector>

#include "shell/search_cycle.h"

class CDictSession;

struct HitRow {
  int hit = 0;             // index into CHitRows::Hits()
  int dict = 0;            // dictionary of the book list
  int face = 0;            // its font face: 0 Japanese, 1 EBG, 2 EBXA-C
  std::u16string name;     // the padded dictionary name
  std::u16string heading;  // heading markup, wide form
};

class CHitRows {
 public:
  // Bytes of markup a heading is read into, and units of its wide form.
  static constexpr int kHeadingBytes = 255;
  static constexpr int kHeadingUnits = 255;
  // A name column holds this many characters at most.
  static constexpr int kMaxNameLength = 255;

  explicit CHitRows(CDictSession& session) : m_session(session) {}

  void Clear();
  // Empties the rows and takes the readers' hits (for `terms` > 0 those
  // found by all terms): every dictionary's, from the last to the first,
  // when `allDicts`, else `currentDict`'s. Returns the number of rows.
  int Fill(int terms, bool allDicts, int currentDict);
  // Appends dictionary `dict`'s hits and their rows; returns the rows
  // added.
  int AddHits(int dict, int terms);
  // Pads every row's dictionary name again, after lenDictName changed.
  void RenameRows();

  const std::vector<DictHit>& Hits() const { return m_hits; }
  const std::vector<HitRow>& Rows() const { return m_rows; }
  int RowCount() const { return static_cast<int>(m_rows.size()); }
  // The hit a row's item data names; nullptr when out of range.
  const DictHit* Hit(long display) const;

 private:
  CDictSession& m_session;
  std::vector<DictHit> m_hits;
  std::vector<HitRow> m_rows;
};

// The name cut to `lenDictName` characters (255 at most), missing ones as
// spaces; empty for a length of 0 or less.
std::u16string PadDictName(std::u16string_view name, int lenDictName);

// Byte-form heading markup without its leading ideographic (Shift_JIS
// 0x81 0x40) and ASCII spaces; a single-byte book has only ASCII ones.
std::string_view StripHeadingSpaces(std::string_view bytes, bool singleByte);

#endif  // TOMELING_SHELL_HIT_ROWS_H_
