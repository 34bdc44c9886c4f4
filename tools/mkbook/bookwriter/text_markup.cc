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

}  // namespace

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
      CTextEncoder probe;
      bool isTag = Tag(tag, &probe, &tagError);
      if (!tagError.empty()) {
        *error = tagError;
        return false;
      }
      if (isTag) {
        if (!flush()) return false;
        text->Bytes().insert(text->Bytes().end(), probe.Bytes().begin(), probe.Bytes().end());
        i = end + 1;
        continue;
      }
    }
    plain += line[i++];
  }
  return flush();
}
