// How the search and show subcommands print headings and entries: plain
// text (the default), the wide markup as UTF-8 (--format markup) or one
// JSON document (--format json). --show adds each hit's entry, decoded at
// its text position up to the next entry and at most two pages, through
// the session's record and gaiji map of the dictionary. --media DIR
// writes the images, sounds and movies of each printed entry into DIR
// (media_files.h) and lists the files after the entry -- on stdout, or on
// stderr when stdout carries JSON; --sampling HZ is the rate EB XA sounds
// are written at (18900 by default, as extract).
#ifndef TOMELING_APPS_TOMELING_ENTRY_OUTPUT_H_
#define TOMELING_APPS_TOMELING_ENTRY_OUTPUT_H_

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "decode/wave_builder.h"
#include "reader/hit_list.h"

class CDictSession;
class CSubbookMedia;

struct EntryOutputOptions {
  // text (also when empty), markup or json.
  std::string format;
  std::string mediaDir;
  int xaSampling = kDefaultXaSampling;  // Hz of EB XA sounds (--sampling)
  bool show = false;
};

// Consumes args[*i] (and its value) when it is --format, --show, --media
// or --sampling; `*bad` is set for a missing or unknown value.
bool ParseEntryOutputOption(const std::vector<std::string>& args, size_t* i, EntryOutputOptions* options,
                            bool* bad);

// One dictionary's decoded texts, as markup and as plain text (UTF-8).
struct DecodedText {
  std::string markup;
  std::string text;
};

class CEntryPrinter {
 public:
  // Prints dictionary `dict` of the session.
  CEntryPrinter(const EntryOutputOptions& options, CDictSession& session, int dict);
  ~CEntryPrinter();

  DecodedText Heading(const HitEntry& hit);
  DecodedText Entry(int32_t page, int offset);

  // Prints the hits in the chosen format. Both return false when a media
  // file could not be written.
  bool PrintHits(const std::vector<HitEntry>& hits, bool overflow);
  // Prints the entry at a position.
  bool PrintEntry(int32_t page, int offset);

 private:
  bool WriteMedia(const DecodedText& entry);

  EntryOutputOptions m_options;
  CDictSession& m_session;
  int m_dict;
  std::unique_ptr<CSubbookMedia> m_media;
};

// The string as a JSON string literal, quotes included.
std::string JsonString(const std::string& utf8);

#endif  // TOMELING_APPS_TOMELING_ENTRY_OUTPUT_H_
