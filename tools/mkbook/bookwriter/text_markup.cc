// Typography, references and the line scanner of the inline markup; the
// media tags are in markup_objects.cc. See text_markup.h.
#include "bookwriter/text_markup.h"

#include <cstdint>

#include "bookwriter/markup_objects.h"

namespace {

enum TagKinds : uint8_t { kBoth, kEbOnly, kEpwingOnly };

struct SimpleTag {
  const char* name;
  uint16_t code;
  int param;  // -1: none
  TagKinds kinds;
};

const SimpleTag kSimpleTags[] = {
    {"b", 0x1FE0, 0, kBoth},          {"/b", 0x1FE1, -1, kBoth},         {"i", 0x1FE0, 1, kBoth},
    {"/i", 0x1FE1, -1, kBoth},        {"u", 0x1F12, -1, kBoth},          {"/u", 0x1F13, -1, kBoth},
    {"sub", 0x1F06, -1, kBoth},       {"/sub", 0x1F07, -1, kBoth},       {"sup", 0x1F0E, -1, kBoth},
    {"/sup", 0x1F0F, -1, kBoth},      {"narrow", 0x1F04, -1, kBoth},     {"/narrow", 0x1F05, -1, kBoth},
    {"nobr", 0x1F10, -1, kBoth},      {"/nobr", 0x1F11, -1, kBoth},      {"table", 0x1F0B, -1, kBoth},
    {"/table", 0x1F0C, -1, kBoth},    {"key", 0x1F41, 0, kBoth},         {"/key", 0x1F61, -1, kBoth},
    {"nl", 0x1F0A, -1, kBoth},        {"/col", 0x1FA3, -1, kEbOnly},     {"compound", 0x1F1C, -1, kEbOnly},
    {"/compound", 0x1F1D, -1, kEbOnly}, {"nonl", 0x1FFE, -1, kEbOnly},    {"/nonl", 0x1FFF, -1, kEbOnly},
};

// Book colour codes by name; the decoder's colour table lists them.
const char* const kColourNames[] = {"white", "yellow", "cyan",   "lime",  "silver", "grey",  "olive", "magenta",
                                    "teal",  "red",    "green",  "purple", "maroon", "blue", "navy",  "black"};

bool HexWord(const std::string& s, uint16_t* out) {
  if (s.size() != 4) return false;
  uint16_t v = 0;
  for (char c : s) {
    int d = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
    if (d < 0) return false;
    v = static_cast<uint16_t>(v * 16 + d);
  }
  *out = v;
  return true;
}

bool Decimal(const std::string& s, size_t digits, uint32_t* out) {
  if (s.empty() || s.size() > digits || s.find_first_not_of("0123456789") != std::string::npos) return false;
  *out = static_cast<uint32_t>(std::stoul(s));
  return true;
}

BookKind KindOf(const CTextEncoder& text) {
  return text.Context() != nullptr ? text.Context()->kind : BookKind::kEpwing;
}

bool KindFits(TagKinds kinds, const CTextEncoder& text, const std::string& tag, std::string* error) {
  bool eb = KindOf(text) == BookKind::kEb;
  if (kinds == kBoth || (kinds == kEbOnly) == eb) return true;
  *error = "{" + tag + "} is for " + (eb ? "EPWING" : "EB") + " books only";
  return false;
}

// The colour chart number (1 to 999) goes as 0x1E-led BCD pairs; a word
// that is no pair lead ends it.
void ColourChart(uint32_t n, CTextEncoder* text) {
  text->Escape(0x14);
  if (n >= 100) {
    text->Bytes().push_back(0x1E);
    text->Bcd(n / 100, 1);
  }
  text->Bytes().push_back(0x1E);
  text->Bcd(n % 100, 1);
  text->Word(0);
}

// Tags with an argument: writes them and returns true; false when the
// braces hold no such tag (then they are text) or its argument is bad
// (`*error` set).
bool ArgumentTag(const std::string& name, const std::string& arg, CTextEncoder* text, std::string* error) {
  uint32_t n = 0;
  if (name == "indent" || name == "tab") {
    if (!Decimal(arg, 4, &n)) return (*error = "bad " + name + ": " + arg), false;
    if (name == "tab" && !KindFits(kEpwingOnly, *text, name, error)) return false;
    text->Escape(name == "tab" ? 0x1A : 0x09);
    text->Bcd(n, 2);
    return true;
  }
  if ((name == "link" || name == "menu") && !arg.empty()) {
    uint8_t code = name == "link" ? 0x42 : 0x43;
    text->Escape(code);
    text->Links().push_back(TextRef{0, arg, code});  // the name waits for its closing tag
    return true;
  }
  if (name == "gaiji") {
    uint16_t code = 0;
    if (!HexWord(arg, &code) || code < 0x2121 || (code >> 8) == 0x1F) return (*error = "bad gaiji code: " + arg), false;
    text->Word(code);
    return true;
  }
  if (name == "col") {
    if (!KindFits(kEbOnly, *text, name, error)) return false;
    uint16_t code = 0;
    for (uint16_t i = 0; i < 16; ++i)
      if (arg == kColourNames[i]) code = static_cast<uint16_t>(0x1110 + i);
    if (code == 0 && !HexWord(arg, &code)) return (*error = "bad colour: " + arg), false;
    text->Escape(0xA2);
    text->Word(code);
    return true;
  }
  if (name == "colchart") {
    if (!Decimal(arg, 3, &n) || n == 0) return (*error = "bad colour chart: " + arg), false;
    if (!KindFits(kEpwingOnly, *text, name, error)) return false;
    ColourChart(n, text);
    return true;
  }
  return false;
}

// The position bytes of the latest open reference, which `tag` closes.
bool CloseRef(const std::string& tag, CTextEncoder* text, std::string* error) {
  uint8_t open = tag == "/link" ? 0x42 : 0x43;
  auto& links = text->Links();
  TextRef* last = nullptr;
  for (TextRef& ref : links)
    if (ref.open != 0 && ref.at == 0 && !ref.inTail) last = &ref;
  if (last == nullptr) return (*error = "{" + tag + "} without {" + tag.substr(1) + " NAME}"), false;
  if (last->open != open) {
    *error = "{" + tag + "} cannot close {" + (last->open == 0x42 ? "link " : "menu ") + last->entry + "}";
    return false;
  }
  text->Escape(static_cast<uint8_t>(open + 0x20));
  last->at = text->Size();
  text->Bcd(0, 6);
  return true;
}

// Writes the tag between the braces; false when it is no tag (then it is
// text) or when it is bad (`*error` set).
bool Tag(const std::string& tag, CTextEncoder* text, COpenObject* object, std::string* error) {
  for (const SimpleTag& t : kSimpleTags) {
    if (tag != t.name) continue;
    if (!KindFits(t.kinds, *text, tag, error)) return false;
    text->Word(t.code);
    if (t.param >= 0) text->Word(static_cast<uint16_t>(t.param));
    return true;
  }
  if (tag == "/link" || tag == "/menu") return CloseRef(tag, text, error);
  size_t space = tag.find(' ');
  std::string name = tag.substr(0, space), arg = space == std::string::npos ? "" : tag.substr(space + 1);
  if (ObjectTag(name, arg, text, object, error)) return true;
  if (!error->empty() || space == std::string::npos) return false;
  return ArgumentTag(name, arg, text, error);
}

int EntryNamed(const std::vector<BookEntry>& entries, const std::string& name) {
  for (size_t i = 0; i < entries.size(); ++i)
    if (entries[i].heading == name) return static_cast<int>(i);
  return -1;
}

void PutPos(std::vector<uint8_t>& bytes, size_t at, BookPos pos) {
  CTextEncoder digits;
  digits.Pos(pos);
  for (size_t i = 0; i < 6; ++i) bytes[at + i] = digits.Bytes()[i];
}

}  // namespace

bool CheckLinks(CTextEncoder& text, const std::vector<BookEntry>& entries, std::string* error) {
  for (const TextRef& ref : text.Links()) {
    if (ref.open == 0) continue;
    std::string tag = ref.open == 0x42 ? "link" : "menu";
    if (ref.at == 0) return (*error = "{" + tag + " " + ref.entry + "} without {/" + tag + "}"), false;
    if (EntryNamed(entries, ref.entry) < 0) return (*error = tag + " to no entry: " + ref.entry), false;
  }
  return true;
}

void ResolveLinks(CTextEncoder* text, const std::vector<BookEntry>& entries, const std::vector<size_t>& textOff,
                  int32_t textStart, int32_t ownStart) {
  std::vector<uint8_t>& bytes = text->Bytes();
  for (const TextRef& ref : text->Links()) {
    if (ref.at == 0 || ref.inTail || ref.at + 6 > bytes.size()) continue;
    if (ref.open == 0) {
      PutPos(bytes, ref.at, CTextEncoder::PosOf(ownStart, ref.target));
      continue;
    }
    int entry = EntryNamed(entries, ref.entry);
    if (entry < 0 || static_cast<size_t>(entry) >= textOff.size()) continue;
    PutPos(bytes, ref.at, CTextEncoder::PosOf(textStart, textOff[static_cast<size_t>(entry)]));
  }
}

bool EncodeBodyLine(const std::string& line, CTextEncoder* text, std::string* error) {
  std::string plain;
  auto flush = [&]() {
    if (plain.empty()) return true;
    if (!text->Text(plain)) {
      *error = "text cannot be stored as JIS X 0208: " + plain;
      return false;
    }
    plain.clear();
    return true;
  };
  COpenObject object;
  for (size_t i = 0; i < line.size();) {
    if (line.compare(i, 2, "{{") == 0) {
      plain += '{';
      i += 2;
      continue;
    }
    size_t end = line[i] == '{' ? line.find('}', i) : std::string::npos;
    if (end != std::string::npos) {
      std::string tag = line.substr(i + 1, end - i - 1), tagError;
      // Tags write straight into the text: a tag either writes whole or
      // fails the line.
      if (!flush()) return false;
      if (Tag(tag, text, &object, &tagError)) {
        i = end + 1;
        continue;
      }
      if (!tagError.empty()) return (*error = tagError), false;
    }
    plain += line[i++];
  }
  if (!flush()) return false;
  return object.CheckClosed(error);
}
