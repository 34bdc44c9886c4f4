// CDictSession: the one front door of the front ends to the engine -- the
// application object of a run of the desktop program or of one `tomeling`
// command.
//
// It owns, made in this order, the book list, the settings (which own the
// key table, the search-word history and the gaiji map store) and the
// colour names of "color.dat", all read from one application directory:
// the --home directory when one is given, else the one FindAppDirectory
// picks ($TOMELING_HOME, the program's own directory when it holds
// "profile.ini", $XDG_CONFIG_HOME/tomeling/).
//
// The book list is (re)built only through the session -- ScanBooks,
// LoadGroup, LoadDemo, or a caller's own edit followed by BooksChanged --
// and every build hands the "profile.ini" records to the new list once, so
// every front end reads a dictionary alike: the record's index styles,
// seion, strict and EBG flags in its reader, its stop code, code rules and
// half-width flag in each decoder, its gaiji map in every conversion, its
// EBXA-C flag and EBG mode in the face.
//
//   CDictSession session({.home = options.home});
//   session.ScanBooks({bookDir}, 0);
//   DictDisplay d = session.Display(0);           // opens and configures
//   DictText e = session.Entry(0, page, offset);  // byte, wide and plain
//
// Dictionaries are addressed by their index in the book list. Pointers in
// a DictDisplay hold until the list is next rebuilt.
#ifndef TOMELING_SHELL_DICT_SESSION_H_
#define TOMELING_SHELL_DICT_SESSION_H_

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/book_list.h"
#include "layout/line_mgr.h"
#include "reader/hit_list.h"
#include "reader/text_decoder.h"
#include "shell/colour_names.h"
#include "shell/settings.h"

class CEBReader;
class CLayoutBook;
class CSubbookMedia;
struct DictConfig;
struct GaijiMapRecord;

struct SessionOptions {
  std::string home;         // the application directory; "" to find it
  std::string profilePath;  // the Globals store; "" for the user's own
  // The screen's work area, for the default font sizes (0 by 0 without a
  // screen: the small defaults).
  int workRight = 0;
  int workBottom = 0;
};

// How one dictionary is read and shown.
struct DictDisplay {
  int dict = -1;
  SubbookEntry* entry = nullptr;  // opened, with a text reader; else nullptr
  CEBReader* reader = nullptr;    // the entry's text reader, configured
  const DictConfig* config = nullptr;        // its "profile.ini" record
  const GaijiMapRecord* gaijiMap = nullptr;  // its external-character map
  bool ebxac = false;  // EBXA-C: the record says so, or a ZHONG_RI book
  bool ebg = false;    // the reader reads single-byte (EBG) text
  int face = 0;        // 0 Japanese, 1 EBG, 2 EBXA-C (ChooseFace)
};

// Where decoding an entry ends (CTextDecoder::ReadEntryText).
struct EntryLimits {
  bool stopAtNext = true;  // at the start of the next entry
  int maxPages = 0;        // pages at most; 0 for the text area's end
  int capacity = CTextDecoder::kMaxCapacity;  // bytes of markup at most
};

// A heading or an entry in each form a front end takes.
struct DictText {
  std::string bytes;    // the decoder's byte form (Shift_JIS or single bytes)
  std::u16string wide;  // the wide form the layout reads, gaiji mapped
  std::u16string plain; // plain text: tags out, entities and gaiji resolved
};

class CDictSession {
 public:
  explicit CDictSession(const SessionOptions& options = {});
  ~CDictSession();
  CDictSession(const CDictSession&) = delete;
  CDictSession& operator=(const CDictSession&) = delete;

  // The application directory, with a trailing '/'.
  const std::string& AppDir() const { return m_settings.AppDir(); }
  CSettings& Settings() { return m_settings; }
  const CSettings& Settings() const { return m_settings; }
  CBookList& Books() { return m_books; }
  const CColourNames& ColourNames() const { return m_colourNames; }
  int Count() const { return m_books.Count(); }

  // ---- building the list; each applies the records once
  // Empties the list and adds the books below `dirs`, walked as one tree:
  // a folder reached from two of them is listed once. Returns the count.
  int ScanBooks(const std::vector<std::string>& dirs, int depth);
  // Empties the list and loads a group file ("" for the settings' current
  // one). 1 when the file could be read, else 0.
  int LoadGroup(const std::string& path = "");
  // Empties the list and adds the bundled demo dictionary found beside the
  // program; false when there is none.
  bool LoadDemo();
  // After the caller added, removed or moved entries itself.
  void BooksChanged();

  // ---- one dictionary
  // Opens dictionary `dict` and (re)applies its record; `entry` is
  // nullptr when it is out of range or cannot be opened.
  DictDisplay Display(int dict);
  // The user's name, the record's ABBREV, else the catalog title.
  std::u16string DisplayName(int dict);
  const DictConfig* Config(int dict) const { return m_settings.ConfigForDict(dict); }
  const GaijiMapRecord* GaijiMap(int dict) { return m_settings.GaijiMapForDict(m_books, dict); }
  // A decoder over the dictionary's reader gets the record's settings.
  void ConfigureDecoder(int dict, CTextDecoder& decoder) const;

  // ---- text: empty when the dictionary cannot be opened
  // A hit's heading (a hit without one shows the start of its text).
  DictText Heading(int dict, const HitEntry& hit);
  // The entry at page:offset.
  DictText Entry(int dict, int32_t page, int offset, const EntryLimits& limits = {});
  // Byte-form markup of the dictionary in the wide form, and wide markup
  // as plain text (carriage returns dropped when asked).
  std::u16string Wide(int dict, std::string_view bytes);
  std::u16string Plain(int dict, std::u16string_view wide, bool dropReturns = true);

  // ---- layout
  // The options of a layout and a paint, from the settings; `searchWord`
  // is highlighted (bHighlight).
  LayoutOptions MakeLayoutOptions(const std::u16string& searchWord = u"") const;
  // The line manager's fonts from the settings; `fontSize` > 0 overrides
  // the setting.
  void SetFonts(CLineMgr& mgr, int fontSize = 0) const;
  // The dictionary's face, gaiji fonts, images and colour charts (named
  // through "color.dat") for the line manager; nullptr when it cannot be
  // opened. It borrows the entry: rebuild it after the list changes.
  std::unique_ptr<CLayoutBook> LayoutBook(int dict);
  // The dictionary's images, sounds and movies, EB XA sounds at the
  // EBXA_sampling setting; nullptr when it cannot be opened.
  std::unique_ptr<CSubbookMedia> Media(int dict);

 private:
  DictText Finish(int dict, std::string bytes);

  CBookList m_books;
  CSettings m_settings;
  CColourNames m_colourNames;
};

// The bundled demo dictionary in the data directory (data_dir.h), or "".
std::string DemoBookDirectory();

#endif  // TOMELING_SHELL_DICT_SESSION_H_
