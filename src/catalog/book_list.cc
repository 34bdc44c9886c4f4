// See book_list.h.
#include "catalog/book_list.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "catalog/path_resolve.h"
#include "reader/eb_reader.h"

namespace fs = std::filesystem;

namespace {

bool IsCatalogName(const std::string& name) {
  for (const char* wanted : {"CATALOG", "CATALOGS", "CATALOG.ebz", "CATALOGS.ebz"})
    if (BookNameMatches(name, wanted)) return true;
  return false;
}

bool IsSystemTree(const fs::path& dir) {
  std::error_code ec;
  fs::path canonical = fs::canonical(dir, ec);
  if (ec) return false;
  for (const char* system : {"/proc", "/sys", "/dev"})
    if (canonical == system) return true;
  return false;
}

}  // namespace

int CBookList::ScanBooks(const std::string& directory, int depth) {
  int before = Count();
  std::set<DirId> visited;
  Scan(directory, depth, &visited);
  return Count() - before;
}

void CBookList::Scan(const std::string& directory, int depth, std::set<DirId>* visited) {
  struct stat st;
  if (stat(directory.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return;
  if (!visited->insert({st.st_dev, st.st_ino}).second || IsSystemTree(directory)) return;
  std::error_code ec;
  fs::directory_iterator it(directory, ec), end;
  if (ec) return;
  std::vector<fs::path> names;
  for (; it != end; it.increment(ec)) {
    if (ec) break;
    names.push_back(it->path());
  }
  std::sort(names.begin(), names.end());
  for (const fs::path& p : names) {
    std::error_code kindError;
    if (fs::is_directory(p, kindError)) {
      if (depth > 0) Scan(p.string(), depth - 1, visited);
    } else if (IsCatalogName(p.filename().string()) && fs::is_regular_file(p, kindError)) {
      AddBook(p.string());
    }
  }
}

int CBookList::AddBook(const std::string& catalogPath) {
  size_t slash = catalogPath.rfind('/');
  std::string name = slash == std::string::npos ? catalogPath : catalogPath.substr(slash + 1);
  Catalog catalog;
  ReadCatalogFile(catalogPath, IsEpwingCatalogName(name), &catalog);
  int added = 0;
  for (int i = 0; i < static_cast<int>(catalog.entries.size()); ++i) {
    SubbookEntry entry;
    if (!MakeSubbookEntry(catalog, i, &entry)) continue;
    if (!entry.m_isEpwing) OpenSubbook(entry, catalog.languageFlag);
    m_entries.push_back(std::move(entry));
    ++added;
  }
  return added;
}

int CBookList::AddSubbook(const std::string& catalogPath, int entryIndex, const std::u16string& extraName) {
  size_t slash = catalogPath.rfind('/');
  std::string name = slash == std::string::npos ? catalogPath : catalogPath.substr(slash + 1);
  Catalog catalog;
  ReadCatalogFile(catalogPath, IsEpwingCatalogName(name), &catalog);
  SubbookEntry entry;
  if (!MakeSubbookEntry(catalog, entryIndex, &entry)) return -1;
  entry.extraName = extraName.substr(0, 30);
  if (!entry.m_isEpwing) OpenSubbook(entry, catalog.languageFlag);
  m_entries.push_back(std::move(entry));
  return Count() - 1;
}

SubbookEntry* CBookList::GetEntry(int i) {
  SubbookEntry* entry = PeekEntry(i);
  if (entry != nullptr && !entry->opened) OpenSubbook(*entry, LanguageFlagOf(entry->catalogPath));
  return entry;
}

SubbookEntry* CBookList::PeekEntry(int i) {
  if (i < 0 || i >= Count()) return nullptr;
  return &m_entries[static_cast<size_t>(i)];
}

void CBookList::Clear() {
  for (SubbookEntry& e : m_entries) e.Close();
  m_entries.clear();
}

bool CBookList::LanguageFlagOf(const std::string& catalogPath) {
  size_t slash = catalogPath.rfind('/');
  std::string name = slash == std::string::npos ? catalogPath : catalogPath.substr(slash + 1);
  if (IsEpwingCatalogName(name)) return false;
  Catalog catalog;
  ReadCatalogFile(catalogPath, false, &catalog);
  return catalog.languageFlag;
}
