// See catalog.h.
#include "catalog/catalog.h"

#include <algorithm>
#include <cstring>

#include "catalog/path_resolve.h"
#include "decode/char_conv.h"
#include "storage/book_file.h"

namespace {

constexpr int kEbEntrySize = 40;
constexpr int kEpwingEntrySize = 164;

bool ReadFirstPage(const std::string& path, uint8_t* page) {
  CBookFile file;
  if (file.Open(path, 0) != 0) return false;
  std::memset(page, 0, kPageSize);
  bool ok = file.SetPage(1) == 0 && file.ReadPage(page) == 1;
  file.Close();
  return ok;
}

// A name field: up to `width` bytes, ended by NUL, trailing spaces removed.
std::string NameField(const uint8_t* p, int width) {
  std::string s(reinterpret_cast<const char*>(p), static_cast<size_t>(width));
  s.resize(std::strlen(s.c_str()));
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

std::string JisTitle(const uint8_t* p, int width) {
  char out[96] = {};
  JisStringToSjis(out, reinterpret_cast<const char*>(p), static_cast<size_t>(width));
  return std::string(out);
}

CatalogEntry DecodeEb(const uint8_t* e) {
  CatalogEntry entry;
  entry.type = e[0];
  entry.version = e[1];
  entry.rawTitle.assign(reinterpret_cast<const char*>(e + 2), 30);
  entry.title = JisTitle(e + 2, 30);
  entry.directory = NameField(e + 32, 8);
  return entry;
}

CatalogEntry DecodeEpwing(const uint8_t* e) {
  CatalogEntry entry;
  entry.type = e[0];
  entry.version = e[1];
  entry.title = JisTitle(e + 2, 80);
  entry.directory = NameField(e + 82, 8);
  entry.indexPage = std::max(1, static_cast<int>(static_cast<int8_t>(e[95])));
  for (int size = 0; size < 4; ++size) {
    entry.fontNames[size * 2] = NameField(e + 132 + size * 8, 8);
    entry.fontNames[size * 2 + 1] = NameField(e + 100 + size * 8, 8);
  }
  return entry;
}

bool ReadLanguageFlag(const std::string& bookDir) {
  std::string path = FindBookFile(bookDir, "LANGUAGE");
  uint8_t page[kPageSize];
  return !path.empty() && ReadFirstPage(path, page) && page[1] == 1;
}

}  // namespace

bool IsEpwingCatalogName(std::string_view fileName) {
  if (fileName.size() < 8) return false;
  static const char kName[] = "CATALOGS";
  for (int i = 0; i < 8; ++i) {
    char c = fileName[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != kName[i]) return false;
  }
  return true;
}

int ReadCatalog(const std::string& bookDir, bool isEpwing, Catalog* out) {
  std::string path = FindBookFile(bookDir, isEpwing ? "CATALOGS" : "CATALOG");
  if (path.empty()) {
    *out = Catalog();
    out->isEpwing = isEpwing;
    return 0;
  }
  return ReadCatalogFile(path, isEpwing, out);
}

int ReadCatalogFile(const std::string& catalogPath, bool isEpwing, Catalog* out) {
  *out = Catalog();
  out->path = catalogPath;
  out->isEpwing = isEpwing;
  size_t slash = catalogPath.rfind('/');
  std::string bookDir = slash == std::string::npos ? "." : catalogPath.substr(0, slash);
  if (!isEpwing) out->languageFlag = ReadLanguageFlag(bookDir);
  uint8_t page[kPageSize];
  if (!ReadFirstPage(catalogPath, page)) return 0;
  int count = page[0] << 8 | page[1];
  count = std::min(count, isEpwing ? kMaxEpwingSubbooks : kMaxEbSubbooks);
  int size = isEpwing ? kEpwingEntrySize : kEbEntrySize;
  for (int i = 0; i < count; ++i) {
    const uint8_t* e = page + 16 + i * size;
    CatalogEntry entry = isEpwing ? DecodeEpwing(e) : DecodeEb(e);
    entry.index = i;
    out->entries.push_back(std::move(entry));
  }
  return count;
}
