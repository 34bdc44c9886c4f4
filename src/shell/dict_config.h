// "profile.ini": the hand-edited per-dictionary configuration in the
// application directory, read once at start-up and never written.
//
//   # global switches and colours
//   COLOR_LINK=#FF8000
//   MAX_HISTORY 500
//   [any name; DICT says which dictionary the section is for]
//   DICT=KOJIEN
//   STOP=1F410100
//   SKIPCODE=1F0B,2
//   KINDEXINFO=000000
//
// A key ends at the first blank, "=", tab or newline; its value starts at
// the very next character and runs to "|", tab or newline. So
// "COLOR_LINK = #FF8000" has the value "= #FF8000", which is no colour: the
// old files were written that way and must read the same. Keys match
// without regard to case; unknown keys are ignored. Lines are read in
// pieces of 255 bytes, each piece parsed as a line.
//
// A "[" line closes the section being read: the record is kept when it
// names a dictionary (DICT) and fewer than 128 are kept. At most 31 code
// rules per record.
//
// ApplyDictConfigs hands the records to the dictionaries of a book list:
// a record applies to a subbook when its DICT begins with the subbook's
// directory name (up to its first blank).
#ifndef TOMELING_SHELL_DICT_CONFIG_H_
#define TOMELING_SHELL_DICT_CONFIG_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "reader/text_decoder.h"

class CGaijiMap;
struct GaijiMapRecord;

class CBookList;
class CEBReader;
struct SubbookEntry;

constexpr int kMaxDictConfigs = 128;
constexpr int kMaxCodeRules = 31;

// 24-bit colour, as the drawing code takes it.
struct RgbColour {
  uint8_t red = 0, green = 0, blue = 0;
  bool operator==(const RgbColour&) const = default;
};

// One "[" section.
struct DictConfig {
  std::string dict;              // at most 8 bytes
  std::string gaijiMap;          // at most 14 bytes
  std::u16string abbrev;         // at most 30 units
  uint16_t stopCode = 0;
  uint16_t stopParam = 0;
  int8_t stopCount = 0;
  int8_t ebxac = 0;
  int8_t ebg = -1;               // -1: leave the reader's own choice
  uint8_t formIndexStyle[3] = {0xFF, 0xFF, 0xFF};  // HINDEXINFO
  uint8_t kanaIndexStyle[3] = {0xFF, 0xFF, 0xFF};  // KINDEXINFO
  std::vector<CodeRule> codeRules;
  int32_t seion = 0;
  int32_t strict = 1;
  int32_t graphHeadAsMenu = 0;
  int32_t hankaku = 0;
};

// Everything "profile.ini" holds.
struct DictConfigFile {
  int32_t iconSize = -1;
  int maxHistory = -1;           // -1: not given
  uint16_t waitCursor = 0;
  RgbColour colorTitle{0, 0, 255};
  RgbColour colorLink{0, 128, 0};
  RgbColour colorBold{0, 0, 0};
  RgbColour colorItalic{0, 0, 0};
  RgbColour colorHighlight{255, 0, 0};
  std::vector<DictConfig> records;
};

// Parses file text into `*out` (which keeps what the text does not set).
void ParseDictConfig(std::string_view text, DictConfigFile* out);
// Reads the file: 0 when it cannot be opened (`*out` unchanged), else 1.
int ReadDictConfig(const std::string& path, DictConfigFile* out);

// The record that applies to a subbook directory name, or nullptr.
const DictConfig* FindDictConfig(const std::vector<DictConfig>& records, std::string_view directory);

// Reader settings of a record: styles, seion, strict, single-byte.
void ConfigureReader(CEBReader& reader, const DictConfig& config);
// Decoder settings of a record: stop code and count, code rules, half
// width. With nullptr the decoder gets the defaults.
void ConfigureDecoder(CTextDecoder& decoder, const DictConfig* config);

// The external-character map of a subbook, or nullptr: the one its record
// (may be null) names, else the one named after its catalog directory
// ("KOJIEN" finds "KOJIEN.MAP" or "KOJIEN.map", so a map dropped into the
// folder works without a record).
const GaijiMapRecord* FindDictGaijiMap(CGaijiMap& maps, const DictConfig* config, const std::string& directory);

// For each subbook of `list` in order, the index of its record in
// `records` or -1, and the reader settings of the record applied to the
// subbook's text reader (opened or not: the reader keeps them).
std::vector<int> ApplyDictConfigs(const std::vector<DictConfig>& records, CBookList& list);

#endif  // TOMELING_SHELL_DICT_CONFIG_H_
