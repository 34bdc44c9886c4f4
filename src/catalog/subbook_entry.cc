// See subbook_entry.h.
#include "catalog/subbook_entry.h"

#include "catalog/path_resolve.h"
#include "reader/eb_reader.h"

namespace {

bool EndsWith(const std::string& s, const char* suffix) {
  std::string t(suffix);
  return s.size() >= t.size() && s.compare(s.size() - t.size(), t.size(), t) == 0;
}

bool OpenTextReader(SubbookEntry& entry) {
  std::string path;
  if (entry.m_isEpwing) {
    if (entry.catalogEntry.type == kUnusableSubbook) return false;
    path = FindBookFile(entry.subbookDir, "DATA/HONMON");
    if (path.empty()) path = FindBookFile(entry.subbookDir, "DATA/HONMON2");
  } else {
    path = FindBookFile(entry.subbookDir, "START");
  }
  if (path.empty()) return false;
  return entry.textReader->Open(path, entry.catalogEntry.indexPage, entry.versionHint) == 1;
}

// EPWING fonts are files of their own; the text reader is told about the
// largest of each kind so the drawing code can ask it for glyphs.
void OpenEpwingFonts(SubbookEntry& entry) {
  for (int slot = 0; slot < kFontSlots; ++slot) {
    const std::string& name = entry.catalogEntry.fontNames[slot];
    if (name.empty()) continue;
    std::string path = FindBookFile(entry.subbookDir, "GAIJI/" + name);
    if (path.empty()) continue;
    auto reader = std::make_unique<CEBReader>();
    if (reader->OpenRaw(path) != 1) continue;
    const FontInfo& font = reader->HalfFont();
    if (!font.Present()) continue;
    if (font.height - font.width >= 3) {
      entry.textReader->SetHalfFont(font);
      if (IsHalfWidthSlot(slot)) entry.largestHalfFont = slot;
    } else {
      entry.textReader->SetFullFont(font);
    }
    entry.fontReaders[slot] = std::move(reader);
  }
}

std::unique_ptr<CEBReader> OpenOptional(const std::string& dir, const char* name, bool* failed) {
  std::string path = FindBookFile(dir, name);
  if (path.empty()) return nullptr;
  auto reader = std::make_unique<CEBReader>();
  if (reader->Open(path, 1, 0) == 1) return reader;
  if (failed != nullptr) *failed = true;
  return nullptr;
}

}  // namespace

SubbookEntry::SubbookEntry() = default;
SubbookEntry::~SubbookEntry() = default;
SubbookEntry::SubbookEntry(SubbookEntry&&) noexcept = default;
SubbookEntry& SubbookEntry::operator=(SubbookEntry&&) noexcept = default;

void SubbookEntry::Close() {
  if (textReader) textReader->Close();
  graphicsReader.reset();
  soundReader.reset();
  for (auto& r : fontReaders) r.reset();
  largestHalfFont = -1;
  opened = false;
}

bool SubbookEntry::SingleByteText() const { return textReader && textReader->SingleByte(); }

bool MakeSubbookEntry(const Catalog& catalog, int index, SubbookEntry* entry) {
  if (index < 0 || index >= static_cast<int>(catalog.entries.size())) return false;
  const CatalogEntry& ce = catalog.entries[static_cast<size_t>(index)];
  if (ce.type == kUnusableSubbook || ce.directory.empty()) return false;
  size_t slash = catalog.path.rfind('/');
  std::string bookDir = slash == std::string::npos ? "." : catalog.path.substr(0, slash);
  std::string dir = ResolveBookPath(bookDir, ce.directory, true);
  if (dir.empty()) return false;
  *entry = SubbookEntry();
  entry->catalogPath = catalog.path;
  entry->bookDir = bookDir;
  entry->catalogIndex = index;
  entry->catalogEntry = ce;
  entry->m_isEpwing = catalog.isEpwing;
  entry->versionHint = ce.version;
  entry->directory = ce.directory;
  entry->subbookDir = dir;
  entry->specialBook = EndsWith(ce.directory, "ZHONG_RI");
  entry->textReader = std::make_unique<CEBReader>();
  return true;
}

bool OpenSubbook(SubbookEntry& entry, bool languageFlag) {
  if (entry.opened || !entry.textReader) return false;
  entry.openFailed = true;
  if (!OpenTextReader(entry)) return false;
  bool failed = false;
  if (entry.m_isEpwing) {
    OpenEpwingFonts(entry);
    entry.graphicsReader = OpenOptional(entry.subbookDir, "DATA/HONMONG", &failed);
    if (failed) {
      entry.Close();
      entry.openFailed = true;
      return false;
    }
    entry.soundReader = OpenOptional(entry.subbookDir, "DATA/HONMONS", nullptr);
  } else {
    if (entry.textReader->HalfFont().count == 0 && languageFlag) entry.textReader->SetSingleByte(1);
    if (entry.textReader->HalfFont().Present()) entry.largestHalfFont = 0;
    entry.soundReader = OpenOptional(entry.subbookDir, "SOUND", nullptr);
  }
  entry.opened = true;
  entry.openFailed = false;
  return true;
}

std::string SubbookPath(const SubbookEntry& entry) { return entry.subbookDir; }
