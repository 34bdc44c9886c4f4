#include "shell/dict_config.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "catalog/book_list.h"
#include "catalog/line_reader.h"
#include "decode/cp932.h"
#include "storage/regular_file.h"
#include "decode/gaiji_map.h"
#include "reader/eb_reader.h"

namespace {

// fgets into a 256-byte buffer: 255 bytes of text at a time.
constexpr size_t kLinePiece = 255;
// 128 sections of hand-written settings fit many times over.
constexpr size_t kMaxDictConfigBytes = 4u << 20;

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// "%d" from the front of `*text`: white space, a sign, digits. Values
// beyond 32 bits are clamped rather than wrapped.
bool ScanDecimal(std::string_view* text, int32_t* out) {
  size_t i = 0;
  while (i < text->size() && IsSpace((*text)[i])) ++i;
  bool negative = false;
  if (i < text->size() && ((*text)[i] == '-' || (*text)[i] == '+')) negative = (*text)[i++] == '-';
  size_t first = i;
  int64_t value = 0;
  for (; i < text->size() && (*text)[i] >= '0' && (*text)[i] <= '9'; ++i)
    if (value < (int64_t{1} << 32)) value = value * 10 + ((*text)[i] - '0');
  if (i == first) return false;
  if (negative) value = -value;
  if (value > INT32_MAX) value = INT32_MAX;
  if (value < INT32_MIN) value = INT32_MIN;
  *out = static_cast<int32_t>(value);
  text->remove_prefix(i);
  return true;
}

// "%X" (at most `width` digits) from the front of `*text`.
bool ScanHex(std::string_view* text, size_t width, uint32_t* out) {
  size_t i = 0;
  while (i < text->size() && IsSpace((*text)[i])) ++i;
  size_t first = i;
  uint32_t value = 0;
  for (; i < text->size() && i - first < width && HexDigit((*text)[i]) >= 0; ++i)
    value = value << 4 | static_cast<uint32_t>(HexDigit((*text)[i]));
  if (i == first) return false;
  *out = value;
  text->remove_prefix(i);
  return true;
}

bool ParseDecimal(std::string_view text, int32_t* out) { return ScanDecimal(&text, out); }

// "#RRGGBB" or "RRGGBB"; components that do not parse keep their default.
RgbColour ParseColour(std::string_view text, RgbColour fallback) {
  if (!text.empty() && text[0] == '#') text.remove_prefix(1);
  uint8_t* parts[3] = {&fallback.red, &fallback.green, &fallback.blue};
  for (uint8_t* part : parts) {
    uint32_t v = 0;
    if (!ScanHex(&text, 2, &v)) break;
    *part = static_cast<uint8_t>(v);
  }
  return fallback;
}

void ParseStyle(std::string_view text, uint8_t style[3]) {
  uint32_t v = 0;
  if (!ScanHex(&text, 6, &v)) return;
  style[0] = static_cast<uint8_t>(v >> 16);
  style[1] = static_cast<uint8_t>(v >> 8);
  style[2] = static_cast<uint8_t>(v);
}

// "%X,%d" (skip) or "%X,%X" (replace); a rule needs both numbers.
void AddCodeRule(std::string_view text, uint16_t kind, DictConfig* record) {
  if (record->codeRules.size() >= kMaxCodeRules) return;
  uint32_t code = 0, operand = 0;
  if (!ScanHex(&text, 8, &code) || text.empty() || text[0] != ',') return;
  text.remove_prefix(1);
  if (kind == 0) {
    int32_t count = 0;
    if (!ScanDecimal(&text, &count)) return;
    operand = static_cast<uint32_t>(count);
  } else if (!ScanHex(&text, 8, &operand)) {
    return;
  }
  record->codeRules.push_back(CodeRule{static_cast<uint16_t>(code), static_cast<uint16_t>(operand), kind});
}

bool KeyIs(std::string_view key, const char* name) {
  size_t n = std::strlen(name);
  if (key.size() != n) return false;
  for (size_t i = 0; i < n; ++i)
    if (std::toupper(static_cast<unsigned char>(key[i])) != name[i]) return false;
  return true;
}

// Splits a line as strtok(" =\t\n") then strtok("|\t\n") would.
bool SplitLine(std::string_view line, std::string_view* key, std::string_view* value) {
  auto isKeyEnd = [](char c) { return c == ' ' || c == '=' || c == '\t' || c == '\n'; };
  auto isValueEnd = [](char c) { return c == '|' || c == '\t' || c == '\n'; };
  size_t i = 0;
  while (i < line.size() && isKeyEnd(line[i])) ++i;
  size_t start = i;
  while (i < line.size() && !isKeyEnd(line[i])) ++i;
  if (i == start || i == line.size()) return false;
  *key = line.substr(start, i - start);
  ++i;  // the one character that ended the key
  while (i < line.size() && isValueEnd(line[i])) ++i;
  start = i;
  while (i < line.size() && !isValueEnd(line[i])) ++i;
  if (i == start) return false;
  *value = line.substr(start, i - start);
  return true;
}

bool ApplyGlobalKey(std::string_view key, std::string_view value, DictConfigFile* out) {
  int32_t n = 0;
  if (KeyIs(key, "ICONSIZE")) {
    if (ParseDecimal(value, &n)) out->iconSize = n;
  } else if (KeyIs(key, "MAX_HISTORY")) {
    if (ParseDecimal(value, &n)) out->maxHistory = n;
  } else if (KeyIs(key, "WAITCURSOR") || KeyIs(key, "WAIT_CURSOR")) {
    if (ParseDecimal(value, &n)) out->waitCursor = static_cast<uint16_t>(n);
  } else if (KeyIs(key, "COLOR_TITLE")) {
    out->colorTitle = ParseColour(value, RgbColour{0, 0, 255});
  } else if (KeyIs(key, "COLOR_LINK")) {
    out->colorLink = ParseColour(value, RgbColour{0, 128, 0});
  } else if (KeyIs(key, "COLOR_BOLD")) {
    out->colorBold = ParseColour(value, RgbColour{0, 0, 0});
  } else if (KeyIs(key, "COLOR_ITALIC")) {
    out->colorItalic = ParseColour(value, RgbColour{0, 0, 0});
  } else if (KeyIs(key, "COLOR_HIGHLIGHT")) {
    out->colorHighlight = ParseColour(value, RgbColour{255, 0, 0});
  } else {
    return false;
  }
  return true;
}

void ApplyFlag(std::string_view value, int8_t* field) {
  int32_t n = 0;
  if (ParseDecimal(value, &n)) *field = static_cast<int8_t>(n);
}
void ApplyFlag(std::string_view value, int32_t* field) {
  int32_t n = 0;
  if (ParseDecimal(value, &n)) *field = n;
}

void ApplySectionKey(std::string_view key, std::string_view value, DictConfig* r) {
  if (KeyIs(key, "DICT")) {
    r->dict = std::string(value.substr(0, 8));
  } else if (KeyIs(key, "GAIJIMAP")) {
    r->gaijiMap = std::string(value.substr(0, 14));
  } else if (KeyIs(key, "STOP")) {
    uint32_t v = 0;
    if (ScanHex(&value, 8, &v)) {
      r->stopCode = static_cast<uint16_t>(v >> 16);
      r->stopParam = static_cast<uint16_t>(v);
    }
  } else if (KeyIs(key, "STOPCOUNT")) {
    ApplyFlag(value, &r->stopCount);
  } else if (KeyIs(key, "ABBREV")) {
    r->abbrev = Cp932ToUtf16(value).substr(0, 30);
  } else if (KeyIs(key, "EBXAC") || KeyIs(key, "EBXA-C")) {
    ApplyFlag(value, &r->ebxac);
  } else if (KeyIs(key, "EBG")) {
    ApplyFlag(value, &r->ebg);
  } else if (KeyIs(key, "SEION")) {
    ApplyFlag(value, &r->seion);
  } else if (KeyIs(key, "HINDEXINFO")) {
    ParseStyle(value, r->formIndexStyle);
  } else if (KeyIs(key, "KINDEXINFO")) {
    ParseStyle(value, r->kanaIndexStyle);
  } else if (KeyIs(key, "SKIPCODE")) {
    AddCodeRule(value, 0, r);
  } else if (KeyIs(key, "REPCODE")) {
    AddCodeRule(value, 1, r);
  } else if (KeyIs(key, "STRICT")) {
    ApplyFlag(value, &r->strict);
  } else if (KeyIs(key, "HANKAKU")) {
    ApplyFlag(value, &r->hankaku);
  } else if (KeyIs(key, "GRAPH_HEAD_AS_MENU")) {
    ApplyFlag(value, &r->graphHeadAsMenu);
  }
}

void CloseRecord(DictConfig* working, DictConfigFile* out) {
  if (!working->dict.empty() && out->records.size() < kMaxDictConfigs) out->records.push_back(std::move(*working));
  *working = DictConfig();
}

void ParseLines(CLineReader& lines, DictConfigFile* out) {
  DictConfig working;
  std::string line;
  while (lines.Next(&line)) {
    if (line.empty() || line[0] == '#') continue;
    if (line[0] == '[') {
      CloseRecord(&working, out);
      continue;
    }
    std::string_view key, value;
    if (!SplitLine(line, &key, &value)) continue;
    if (!ApplyGlobalKey(key, value, out)) ApplySectionKey(key, value, &working);
  }
  CloseRecord(&working, out);
}

}  // namespace

void ParseDictConfig(std::string_view text, DictConfigFile* out) {
  CLineReader lines(text, kLinePiece, CLineReader::LongLines::kSplit);
  ParseLines(lines, out);
}

int ReadDictConfig(const std::string& path, DictConfigFile* out) {
  FileRead read = ReadRegularFile(path, kMaxDictConfigBytes);
  if (!read.ok()) return 0;
  ParseDictConfig(WholeLines(read), out);
  return 1;
}

const DictConfig* FindDictConfig(const std::vector<DictConfig>& records, std::string_view directory) {
  directory = directory.substr(0, directory.find(' '));
  // An empty name would match every record.
  if (directory.empty()) return nullptr;
  for (const DictConfig& r : records)
    if (r.dict.size() >= directory.size() && std::string_view(r.dict).substr(0, directory.size()) == directory)
      return &r;
  return nullptr;
}

void ConfigureReader(CEBReader& reader, const DictConfig& config) {
  reader.SetStyleOverrides(config.kanaIndexStyle, config.formIndexStyle);
  reader.SetSeion(config.seion != 0);
  reader.SetStrict(config.strict != 0);
  reader.SetSingleByte(config.ebg);
}

void ConfigureDecoder(CTextDecoder& decoder, const DictConfig* config) {
  static const DictConfig kDefaults;
  const DictConfig& c = config != nullptr ? *config : kDefaults;
  decoder.SetStopCode(c.stopCode, c.stopParam);
  decoder.SetStopCount(static_cast<uint16_t>(c.stopCount < 0 ? 0 : c.stopCount));
  decoder.SetCodeRules(c.codeRules.data(), c.codeRules.size());
  decoder.SetHalfWidth(c.hankaku != 0);
}

std::vector<int> ApplyDictConfigs(const std::vector<DictConfig>& records, CBookList& list) {
  std::vector<int> chosen(static_cast<size_t>(list.Count()), -1);
  for (int i = 0; i < list.Count(); ++i) {
    SubbookEntry* entry = list.PeekEntry(i);
    if (entry == nullptr) continue;
    const DictConfig* config = FindDictConfig(records, entry->directory);
    if (config == nullptr) continue;
    chosen[static_cast<size_t>(i)] = static_cast<int>(config - records.data());
    if (entry->textReader) ConfigureReader(*entry->textReader, *config);
  }
  return chosen;
}

const GaijiMapRecord* FindDictGaijiMap(CGaijiMap& maps, const DictConfig* config, const std::string& directory) {
  if (config != nullptr && !config->gaijiMap.empty()) return maps.FindMap(config->gaijiMap);
  if (directory.empty()) return nullptr;
  // Map records are named by file, suffix included, so the bare directory
  // name alone would never find one; the folder takes the suffix in any case.
  for (const char* suffix : {"", ".MAP", ".map"}) {
    if (const GaijiMapRecord* map = maps.FindMap(directory + suffix)) return map;
  }
  return nullptr;
}
