#include "bookwriter/text_markup.h"

#include <cstdint>

namespace {

struct SimpleTag {
  const char* name;
  uint16_t code;
  int param;  // -1: none
};

const SimpleTag kSimpleTags[] = {
    {"b", 0x1FE0, 0},   {"/b", 0x1FE1, -1},   {"i", 0x1FE0, 1},        {"/i", 0x1FE1, -1},
    {"sub", 0x1F06, -1}, {"/sub", 0x1F07, -1}, {"sup", 0x1F0E, -1},     {"/sup", 0x1F0F, -1},
    {"narrow", 0x1F04, -1}, {"/narrow", 0x1F05, -1}, {"nl", 0x1F0A, -1},
};

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

// Writes the tag between the braces; false when it is no tag (then it is
// text) or when its argument is bad (`*error` set).
bool Tag(const std::string& tag, CTextEncoder* text, std::string* error) {
  for (const SimpleTag& t : kSimpleTags) {
    if (tag != t.name) continue;
    text->Word(t.code);
    if (t.param >= 0) text->Word(static_cast<uint16_t>(t.param));
    return true;
  }
  size_t space = tag.find(' ');
  if (space == std::string::npos) return false;
  std::string name = tag.substr(0, space), arg = tag.substr(space + 1);
  if (name == "indent") {
    if (arg.empty() || arg.size() > 4 || arg.find_first_not_of("0123456789") != std::string::npos) {
      *error = "bad indent: " + arg;
      return false;
    }
    int n = std::stoi(arg);
    text->Escape(0x09);
    text->Word(static_cast<uint16_t>(((n / 1000) << 12) | ((n / 100 % 10) << 8) | ((n / 10 % 10) << 4) | (n % 10)));
    return true;
  }
  if (name == "link" && !arg.empty()) {
    text->Escape(0x42);
    text->Links().emplace_back(0, arg);  // the name waits for its {/link}
    return true;
  }
  if (name == "gaiji") {
    uint16_t code = 0;
    if (!HexWord(arg, &code) || code < 0x2121 || (code >> 8) == 0x1F) {
      *error = "bad gaiji code: " + arg;
      return false;
    }
    text->Word(code);
    return true;
  }
  return false;
}

// The position bytes of the latest {link} without its {/link}.
bool CloseLink(CTextEncoder* text, std::string* error) {
  auto& links = text->Links();
  if (links.empty() || links.back().first != 0) {
    *error = "{/link} without {link NAME}";
    return false;
  }
  text->Escape(0x62);
  links.back().first = text->Size();
  for (int i = 0; i < 3; ++i) text->Word(0);
  return true;
}

uint8_t BcdByte(uint32_t n) { return static_cast<uint8_t>(((n / 10 % 10) << 4) | (n % 10)); }

int EntryNamed(const std::vector<BookEntry>& entries, const std::string& name) {
  for (size_t i = 0; i < entries.size(); ++i)
    if (entries[i].heading == name) return static_cast<int>(i);
  return -1;
}

}  // namespace

bool CheckLinks(CTextEncoder& text, const std::vector<BookEntry>& entries, std::string* error) {
  for (const auto& [at, name] : text.Links()) {
    if (at == 0) return (*error = "{link " + name + "} without {/link}"), false;
    if (EntryNamed(entries, name) < 0) return (*error = "link to no entry: " + name), false;
  }
  return true;
}

void ResolveLinks(CTextEncoder* text, const std::vector<BookEntry>& entries, const std::vector<size_t>& textOff,
                  int32_t textStart) {
  std::vector<uint8_t>& bytes = text->Bytes();
  for (const auto& [at, name] : text->Links()) {
    int entry = EntryNamed(entries, name);
    if (entry < 0 || static_cast<size_t>(entry) >= textOff.size() || at + 6 > bytes.size()) continue;
    BookPos pos = CTextEncoder::PosOf(textStart, textOff[static_cast<size_t>(entry)]);
    uint32_t page = static_cast<uint32_t>(pos.page);
    const uint8_t digits[6] = {BcdByte(page / 1000000), BcdByte(page / 10000), BcdByte(page / 100),
                               BcdByte(page),           BcdByte(pos.offset / 100u), BcdByte(pos.offset)};
    for (int i = 0; i < 6; ++i) bytes[at + static_cast<size_t>(i)] = digits[i];
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
  for (size_t i = 0; i < line.size();) {
    size_t end = line[i] == '{' ? line.find('}', i) : std::string::npos;
    if (line.compare(i, 2, "{{") == 0) {
      plain += '{';
      i += 2;
      continue;
    }
    if (end != std::string::npos) {
      std::string tag = line.substr(i + 1, end - i - 1);
      std::string tagError;
      if (tag == "/link") {
        if (!flush() || !CloseLink(text, error)) return false;
        i = end + 1;
        continue;
      }
      CTextEncoder probe;
      bool isTag = Tag(tag, &probe, &tagError);
      if (!tagError.empty()) {
        *error = tagError;
        return false;
      }
      if (isTag) {
        if (!flush()) return false;
        text->Bytes().insert(text->Bytes().end(), probe.Bytes().begin(), probe.Bytes().end());
        for (auto& link : probe.Links()) text->Links().push_back(link);
        i = end + 1;
        continue;
      }
    }
    plain += line[i++];
  }
  return flush();
}
