// See book_list.h.
#include "catalog/book_list.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <map>
#include <memory>

#include "catalog/group_file.h"
#include "catalog/path_resolve.h"
#include "catalog/text_convert.h"

namespace {

bool IsCatalogName(const std::string& name) {
  for (const char* wanted : {"CATALOG", "CATALOGS", "CATALOG.ebz", "CATALOGS.ebz"})
    if (BookNameMatches(name, wanted)) return true;
  return false;
}

bool IsSystemTree(const std::string& canonical) {
  for (std::string_view system : {"/proc", "/sys", "/dev"}) {
    if (canonical.compare(0, system.size(), system) != 0) continue;
    if (canonical.size() == system.size() || canonical[system.size()] == '/') return true;
  }
  return false;
}

std::string RealPath(const std::string& path) {
  std::unique_ptr<char, decltype(&std::free)> real(realpath(path.c_str(), nullptr), &std::free);
  return real ? std::string(real.get()) : std::string();
}

std::string CatalogFileName(const std::string& catalogPath) {
  size_t slash = catalogPath.rfind('/');
  return slash == std::string::npos ? catalogPath : catalogPath.substr(slash + 1);
}

struct DirItem {
  std::string name;
  unsigned char type;  // d_type: DT_UNKNOWN and DT_LNK need a stat
};

// The names in `dir` but "." and "..", sorted; false when it cannot be read.
bool ListDirectory(const std::string& dir, std::vector<DirItem>* items) {
  std::unique_ptr<DIR, int (*)(DIR*)> d(opendir(dir.c_str()), &closedir);
  if (!d) return false;
  while (const dirent* e = readdir(d.get())) {
    std::string_view name = e->d_name;
    if (name == "." || name == "..") continue;
    items->push_back({std::string(name), e->d_type});
  }
  std::sort(items->begin(), items->end(), [](const DirItem& a, const DirItem& b) { return a.name < b.name; });
  return true;
}

}  // namespace

struct CBookList::ScanState {
  std::set<DirId> visited;
  const ScanProgress* progress = nullptr;
  bool stopped = false;
};

int CBookList::ScanBooks(const std::string& directory, int depth, const ScanProgress& progress) {
  return ScanBooks(std::vector<std::string>{directory}, depth, progress);
}

int CBookList::ScanBooks(const std::vector<std::string>& directories, int depth, const ScanProgress& progress) {
  int before = Count();
  ScanState state;
  if (progress) state.progress = &progress;
  for (const std::string& directory : directories) {
    std::string canonical = RealPath(directory);
    if (!canonical.empty()) Scan(directory, canonical, depth, &state);
  }
  return Count() - before;
}

// `canonical` is the directory's real path, kept along the walk so that
// only links need resolving.
void CBookList::Scan(const std::string& directory, const std::string& canonical, int depth, ScanState* state) {
  struct stat st;
  if (stat(directory.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return;
  if (!state->visited.insert({st.st_dev, st.st_ino}).second || IsSystemTree(canonical)) return;
  if (state->stopped || (state->progress != nullptr && !(*state->progress)(directory))) {
    state->stopped = true;
    return;
  }
  std::vector<DirItem> items;
  if (!ListDirectory(directory, &items)) return;
  for (const DirItem& item : items) {
    if (state->stopped) return;
    std::string path = JoinPath(directory, item.name);
    bool isDir = item.type == DT_DIR, isFile = item.type == DT_REG;
    if (item.type == DT_LNK || item.type == DT_UNKNOWN) {
      struct stat target;
      if (stat(path.c_str(), &target) != 0) continue;
      isDir = S_ISDIR(target.st_mode);
      isFile = S_ISREG(target.st_mode);
    }
    if (isDir && depth > 0) {
      std::string real = item.type == DT_DIR ? JoinPath(canonical, item.name) : RealPath(path);
      if (!real.empty()) Scan(path, real, depth - 1, state);
    } else if (isFile && IsCatalogName(item.name)) {
      AddBook(path);
    }
  }
}

int CBookList::AddBook(const std::string& catalogPath) {
  Catalog catalog;
  ReadCatalogFile(catalogPath, IsEpwingCatalogName(CatalogFileName(catalogPath)), &catalog);
  int added = 0;
  for (int i = 0; i < static_cast<int>(catalog.entries.size()); ++i)
    if (AddFromCatalog(catalog, i, u"") >= 0) ++added;
  return added;
}

int CBookList::AddSubbook(const std::string& catalogPath, int entryIndex, const std::u16string& extraName) {
  Catalog catalog;
  ReadCatalogFile(catalogPath, IsEpwingCatalogName(CatalogFileName(catalogPath)), &catalog);
  return AddFromCatalog(catalog, entryIndex, extraName);
}

int CBookList::AddFromCatalog(const Catalog& catalog, int entryIndex, const std::u16string& extraName) {
  SubbookEntry entry;
  if (!MakeSubbookEntry(catalog, entryIndex, &entry)) return -1;
  entry.extraName = CutUnits(extraName, kMaxUserNameLength);
  if (!entry.m_isEpwing) OpenSubbook(entry, catalog.languageFlag);
  m_entries.push_back(std::move(entry));
  return Count() - 1;
}

int CBookList::LoadList(const std::string& path) {
  Clear();
  m_listPath = path;
  GroupFile file;
  bool opened = ReadGroupFile(path, &file);
  m_inflect = file.wordInflect;
  m_searchType = file.searchType;
  if (!opened) return 0;
  // Groups usually hold several subbooks of one book: read each catalog once.
  std::map<std::string, Catalog> catalogs;
  for (const GroupRecord& record : file.records) {
    auto [it, isNew] = catalogs.try_emplace(record.catalogPath);
    if (isNew)
      ReadCatalogFile(record.catalogPath, IsEpwingCatalogName(CatalogFileName(record.catalogPath)), &it->second);
    AddFromCatalog(it->second, record.catalogIndex, record.userName);
  }
  return 1;
}

int CBookList::ReloadList() {
  std::string path = m_listPath;
  return LoadList(path);
}

int CBookList::SaveList(const std::string& path, RenameFunction renameFn) {
  if (!path.empty()) m_listPath = path;
  if (m_entries.empty() || !UnstorableEntries().empty()) return 0;
  GroupFile file;
  file.wordInflect = m_inflect;
  file.searchType = m_searchType;
  for (int i = 0; i < Count(); ++i) {
    const SubbookEntry* e = GetEntry(i);
    if (e == nullptr) continue;
    GroupRecord& r = file.records.emplace_back();
    r.catalogPath = AbsolutePath(e->catalogPath);
    r.catalogIndex = e->catalogIndex;
    r.userName = e->extraName;
    r.singleByte = e->SingleByteText();
    // Single-byte books hold their title in plain bytes, which the JIS
    // conversion would garble.
    bool raw = r.singleByte && !e->catalogEntry.rawTitle.empty();
    r.title = raw ? e->catalogEntry.rawTitle : Utf8FromWide(Cp932ToUtf16(e->catalogEntry.title));
    r.directory = e->directory;
  }
  return WriteGroupFile(m_listPath, file, renameFn) ? 1 : 0;
}

std::vector<int> CBookList::FailedEntries() const {
  std::vector<int> out;
  for (int i = 0; i < Count(); ++i)
    if (m_entries[static_cast<size_t>(i)].openFailed) out.push_back(i);
  return out;
}

std::vector<int> CBookList::UnstorableEntries() const {
  std::vector<int> out;
  for (int i = 0; i < Count(); ++i)
    if (!IsStorableGroupPath(AbsolutePath(m_entries[static_cast<size_t>(i)].catalogPath))) out.push_back(i);
  return out;
}

void CBookList::SetListPath(const std::string& path) {
  Clear();
  m_listPath = path;
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

bool CBookList::RemoveEntry(int i) {
  SubbookEntry* entry = PeekEntry(i);
  if (entry == nullptr) return false;
  entry->Close();
  m_entries.erase(m_entries.begin() + i);
  m_navHistory.ForgetSubbook(i);
  return true;
}

bool CBookList::MoveEntry(int i, int direction) {
  if (direction == 0 || PeekEntry(i) == nullptr) return false;
  int other = direction < 0 ? i - 1 : i + 1;
  if (PeekEntry(other) == nullptr) return false;
  std::swap(m_entries[static_cast<size_t>(i)], m_entries[static_cast<size_t>(other)]);
  m_navHistory.SwapSubbooks(i, other);
  return true;
}

void CBookList::Clear() {
  for (SubbookEntry& e : m_entries) e.Close();
  m_entries.clear();
  m_navHistory.Clear();
}

void CBookList::GetTrailer(int* inflect, int* searchType) const {
  *inflect = m_inflect;
  *searchType = m_searchType;
}

void CBookList::SetTrailer(int inflect, int searchType) {
  m_inflect = inflect;
  m_searchType = searchType;
}

bool CBookList::LanguageFlagOf(const std::string& catalogPath) {
  if (IsEpwingCatalogName(CatalogFileName(catalogPath))) return false;
  Catalog catalog;
  ReadCatalogFile(catalogPath, false, &catalog);
  return catalog.languageFlag;
}
