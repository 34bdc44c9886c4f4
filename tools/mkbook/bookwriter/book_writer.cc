// Book directory assembly: catalogs, the language file, each subbook's text
// and font files, and the storage each file is given.
#include "bookwriter/book_writer.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

#include "bookwriter/big_endian.h"
#include "bookwriter/ebzip_writer.h"
#include "bookwriter/font_writer.h"
#include "bookwriter/huffman_writer.h"
#include "bookwriter/media_placement.h"
#include "bookwriter/sebxa_writer.h"
#include "bookwriter/subbook_builder.h"
#include "bookwriter/text_encoder.h"

namespace fs = std::filesystem;

namespace {

constexpr size_t kPage = 2048;

struct Context {
  const WriteOptions& options;
  std::string* error;

  bool Fail(const std::string& what) {
    if (error) *error = what;
    return false;
  }

  std::string DirName(std::string name) const {
    if (options.lowerCaseNames) {
      for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return name;
  }

  std::string FileName(const std::string& name) const {
    std::string n = DirName(name);
    return options.versionSuffix ? n + ";1" : n;
  }

  // Writes `plain` as `name` in `dir` in the given storage; returns the path.
  bool Store(const fs::path& dir, const std::string& name, std::vector<uint8_t> plain,
             const FileStorage& storage, std::string* path) {
    std::string diskName = name;
    switch (storage.kind) {
      case FileStorage::kPlain:
        break;
      case FileStorage::kEbzip: {
        EbzipOptions eo;
        eo.level = storage.level;
        auto z = EbzipCompress(plain, eo, error);
        if (!z) return false;
        plain = std::move(*z);
        diskName += ".ebz";
        break;
      }
      case FileStorage::kHuffman: {
        HuffmanOptions ho;
        ho.kind = storage.level == 4 ? 4 : 3;
        auto h = EpwingHuffmanCompress(plain, ho, error);
        if (!h) return false;
        plain = std::move(*h);
        break;
      }
      case FileStorage::kSebxa: {
        auto s = SebxaCompressStart(plain, error);
        if (!s) return false;
        plain = std::move(*s);
        break;
      }
    }
    std::error_code ec;
    fs::create_directories(dir, ec);
    fs::path p = dir / FileName(diskName);
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(plain.data()), static_cast<std::streamsize>(plain.size()));
    if (!out) return Fail("cannot write " + p.string());
    if (path) *path = p.string();
    return true;
  }
};

bool JisTitle(const std::string& title, size_t width, uint8_t* out, std::string* error) {
  CTextEncoder enc;
  if (!enc.Text(title)) {
    if (error) *error = "title cannot be stored as JIS X 0208: " + title;
    return false;
  }
  std::copy_n(enc.Bytes().begin(), std::min(width, enc.Size()) & ~static_cast<size_t>(1), out);
  return true;
}

void PutName(uint8_t* out, const std::string& name, size_t width, char pad) {
  std::fill_n(out, width, static_cast<uint8_t>(pad));
  std::copy_n(name.begin(), std::min(width, name.size()), out);
}

int FontSlot(int height) {
  if (height <= 16) return 0;
  if (height <= 24) return 1;
  if (height <= 32) return 2;
  return 3;
}

bool ValidDirectory(const std::string& d) {
  return !d.empty() && d.size() <= 8 && std::all_of(d.begin(), d.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
  });
}

// EPWING font files of one subbook; fills the catalog's name slots.
bool WriteGaiji(Context& ctx, const SubbookSource& sub, const fs::path& subDir, uint8_t* entry) {
  const std::pair<const std::vector<FontSource>*, int> kinds[] = {{&sub.wideFonts, 100},
                                                                  {&sub.narrowFonts, 132}};
  for (const auto& [fonts, at] : kinds) {
    for (const FontSource& f : *fonts) {
      int slot = FontSlot(f.height);
      std::string name = f.fileName;
      if (name.empty()) {
        name = "GA" + std::to_string(f.height) + (at == 100 ? "FULL" : "HALF");
      }
      if (!ValidDirectory(name)) return ctx.Fail("bad font file name " + name);
      std::vector<uint8_t> pages;
      if (!BuildFontPages(f, &pages, ctx.error)) return false;
      if (!ctx.Store(subDir / ctx.DirName("GAIJI"), name, std::move(pages), sub.fontStorage, nullptr)) {
        return false;
      }
      PutName(entry + at + 8 * slot, name, 8, '\0');
    }
  }
  return true;
}

// The graphics and sound files and the movies of a subbook, where
// media_placement.h puts them.
bool WriteMediaFiles(Context& ctx, const SubbookSource& sub, const PlacedMedia& media, const fs::path& subDir,
                     bool epwing) {
  fs::path data = epwing ? subDir / ctx.DirName("DATA") : subDir;
  if (!media.graphics.empty() && !ctx.Store(data, "HONMONG", media.graphics, {}, nullptr)) return false;
  if (!media.sound.empty() && !ctx.Store(data, epwing ? "HONMONS" : "SOUND", media.sound, {}, nullptr)) return false;
  for (const MediaObject& m : sub.media) {
    if (m.kind == MediaObject::kMovie && !ctx.Store(subDir / ctx.DirName("MOVIE"), m.name, m.bytes, {}, nullptr)) {
      return false;
    }
  }
  return true;
}

bool WriteSubbook(Context& ctx, const BookSource& book, size_t i, const fs::path& root,
                  uint8_t* entry, WrittenSubbook* written) {
  const SubbookSource& sub = book.subbooks[i];
  bool epwing = book.kind == BookKind::kEpwing;
  if (!ValidDirectory(sub.directory)) return ctx.Fail("bad subbook directory " + sub.directory);
  entry[0] = sub.catalogType;
  if (epwing) {
    entry[1] = sub.epwingVersion;
    if (!JisTitle(sub.title, 80, entry + 2, ctx.error)) return false;
    PutName(entry + 82, sub.directory, 8, ' ');
    entry[95] = static_cast<uint8_t>(static_cast<int8_t>(std::clamp(sub.indexPage, -128, 127)));
  } else {
    if (!JisTitle(sub.title, 30, entry + 2, ctx.error)) return false;
    PutName(entry + 32, sub.directory, 8, ' ');
  }
  std::vector<uint8_t> text;
  PlacedMedia media;
  if (!BuildSubbookText(sub, book.kind, &text, written, ctx.error, &media)) return false;
  fs::path subDir = root / ctx.DirName(sub.directory);
  const FileStorage& st = sub.textStorage;
  if (st.kind == FileStorage::kHuffman && !epwing) return ctx.Fail("Huffman storage is for EPWING text");
  if (st.kind == FileStorage::kSebxa && epwing) return ctx.Fail("S-EBXA storage is for EB START");
  if (!WriteMediaFiles(ctx, sub, media, subDir, epwing)) return false;
  if (!epwing) return ctx.Store(subDir, "START", std::move(text), st, &written->textPath);
  bool honmon2 = sub.useHonmon2 || st.kind == FileStorage::kHuffman;
  if (!ctx.Store(subDir / ctx.DirName("DATA"), honmon2 ? "HONMON2" : "HONMON", std::move(text), st,
                 &written->textPath)) {
    return false;
  }
  return WriteGaiji(ctx, sub, subDir, entry);
}

}  // namespace

bool WriteBook(const BookSource& book, const std::string& dir, const WriteOptions& options,
               WrittenBook* written, std::string* error) {
  Context ctx{options, error};
  WrittenBook local;
  WrittenBook& out = written ? *written : local;
  out = WrittenBook{};
  bool epwing = book.kind == BookKind::kEpwing;
  size_t entrySize = epwing ? 164 : 40;
  if (book.subbooks.size() > 0xFFFF) return ctx.Fail("too many subbooks");
  std::vector<uint8_t> catalog(16 + entrySize * book.subbooks.size(), 0);
  catalog.resize((catalog.size() + kPage - 1) / kPage * kPage, 0);
  PutBE16(catalog.data(), static_cast<uint32_t>(book.subbooks.size()));
  fs::path root(dir);
  out.subbooks.resize(book.subbooks.size());
  for (size_t i = 0; i < book.subbooks.size(); ++i) {
    if (!WriteSubbook(ctx, book, i, root, &catalog[16 + entrySize * i], &out.subbooks[i])) return false;
  }
  if (!epwing) {
    std::vector<uint8_t> language(kPage, 0);
    language[1] = book.languageFlag ? 1 : 0;
    if (!ctx.Store(root, "LANGUAGE", std::move(language), {}, nullptr)) return false;
  }
  return ctx.Store(root, epwing ? "CATALOGS" : "CATALOG", std::move(catalog), book.catalogStorage,
                   &out.catalogPath);
}
