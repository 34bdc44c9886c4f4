// Whole-book writer: turns an in-memory description of a book (subbooks,
// entries, search words, keyword groups, fonts) into a book directory in the
// EB layout (CATALOG, LANGUAGE, <dir>/START) or the EPWING layout (CATALOGS,
// <dir>/DATA/HONMON or HONMON2, <dir>/GAIJI/*), with every file in the
// storage the caller chooses.
//
// The writer is built from the book format alone, not from the engine's
// reader, so that the end-to-end tests compare two independent readings of
// the format. It reports where it put every entry (text and heading
// positions) so tests can check that searches land on the right bytes.
//
// Text is given as UTF-8 and stored as JIS X 0208 (through code page 932).
// Search words are normalised with the style of the index they go into and
// sorted as the reader compares keys (unsigned bytes of the JIS key; keys of
// endword indexes reversed by characters).
//
// Related: "bookwriter/book_source.h" (text form of a BookSource),
// "bookwriter/key_style.h" (key normalisation), "bookwriter/index_builder.h"
// (B-tree pages), "bookwriter/text_encoder.h" (entry text).
#ifndef TOMELING_TOOLS_MKBOOK_BOOKWRITER_BOOK_WRITER_H_
#define TOMELING_TOOLS_MKBOOK_BOOKWRITER_BOOK_WRITER_H_

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// A place in a book file: 1-based page of 2048 bytes and offset in it.
struct BookPos {
  int32_t page = 0;
  uint16_t offset = 0;
  bool operator==(const BookPos&) const = default;
};

enum class BookKind : uint8_t { kEb, kEpwing };

// How one file is stored on disk.
struct FileStorage {
  enum Kind : uint8_t {
    kPlain,
    kEbzip,     // `level` 0 to 5; the file gets ".ebz" appended
    kHuffman,   // EPWING text only (HONMON2); `level` 3 or 4 = variant
    kSebxa,     // EB START only
  };
  Kind kind = kPlain;
  int level = 0;
};

// One search word of an entry, filed under an index identifier
// (0x30 kana, 0x40 alphabet, 0x50 kanji, 0x60 written form, 0x61,
// 0x70-0x72 endword, 0x80 keyword, 0x81 cross, 0x90-0x92, 0xA0, 0xA1).
struct SearchWord {
  uint8_t indexId = 0;
  std::string word;  // UTF-8, as a user would type it
};

struct BookEntry {
  std::string heading;              // UTF-8
  std::vector<std::string> body;    // UTF-8 lines after the heading line
  std::vector<SearchWord> words;    // words besides those taken from heading
  // Escape-coded bytes placed after the body lines (image, sound and movie
  // objects; see media_writer.h).
  std::vector<uint8_t> codes = {};
};

// Entries sharing one keyword (classes 3 and 4: 0x80, 0x81, 0xA0, 0xA1).
// Only the first member's hit carries a heading; the others take the
// headings that follow it in the heading area.
struct KeywordGroup {
  uint8_t indexId = 0x80;
  std::string keyword;              // UTF-8
  std::vector<int> members;         // indexes into SubbookSource::entries
};

// How one index area is built.
struct IndexOptions {
  uint8_t id = 0;
  // Availability flag, then the three key-normalisation style bytes, as
  // stored in the index table.
  std::array<uint8_t, 4> style{0, 0, 0, 0};
  // Every entry's heading is also filed in this index.
  bool fromHeadings = false;
  // 0: every key has its own length byte; > 0: fixed key length in bytes
  // (keys padded with zeros, longer keys cut on a character boundary);
  // -1: fixed, as long as the longest key.
  int keyLength = 0;
  // Write group leaves (flag 0x10): heads and members instead of plain
  // entries where the index's class has groups.
  bool groups = false;
  // Most entries per page (0: as many as fit); small values force several
  // inner levels.
  int pageFill = 0;
  // A group whose members run on to another leaf page gets its head again
  // at the top of that page (a class 3 head then carries the heading of
  // the page's first member), so every leaf page can be read alone.
  bool repeatGroupHeads = true;
};

// External-character font: `glyphs` in code order from `firstCode`, each
// width/8 * height bytes, rows top down, leftmost dot in the top bit.
struct FontSource {
  int width = 16;
  int height = 16;
  uint16_t firstCode = 0xA121;
  std::vector<std::vector<uint8_t>> glyphs;
  std::string fileName;  // EPWING GAIJI file name (up to 8 characters)
};

// An image, sound or movie that entries name in their markup ({fig NAME},
// {sound NAME}, {movie NAME}...). The writer places it where readers look
// for its kind: EPWING images in DATA/HONMONG and sounds in DATA/HONMONS,
// EB images in a data area 0xD1 of START and XA sounds in SOUND, movies in
// the subbook's MOVIE folder.
struct MediaObject {
  enum Kind : uint8_t {
    kMonoImage,    // `bytes`: rows of ceil(width / 8) bytes (PackMonoBitmap)
    kColourImage,  // `bytes`: JPEG or BMP, bare or with a "data" header
    kPcmSound,     // `bytes`: raw PCM, or a wave body ("fmt " and "data")
    kXaSound,      // `samples`: mono 16-bit, coded into XA sectors
    kMovie,        // `bytes`: the movie file; `name` is its file name
  };
  std::string name;
  Kind kind = kMonoImage;
  int width = 0, height = 0;  // images, in pixels
  std::vector<uint8_t> bytes;
  // PCM: the four digits of the sound code: channels - 1, 1 when the data
  // needs a wave header (raw PCM), 1 for 8-bit samples, rate code (0
  // 44,100 Hz, 1 22,050 Hz, 2 11,025 Hz).
  int soundDigits = 0;
  std::vector<int16_t> samples;
};

struct SubbookSource {
  std::string title;       // UTF-8, stored as JIS X 0208
  std::string directory;   // up to 8 ASCII characters
  uint8_t catalogType = 0x00;    // 0xF0: listed in the catalog, never used
  uint8_t epwingVersion = 2;     // EPWING catalog byte 1 (version hint)
  int indexPage = 1;             // EPWING: page of the index table
  uint8_t styleMode = 0;         // index table byte 4 (0, 1 or 2)
  bool headingArea = true;       // headings in their own area, else in text
  std::vector<BookEntry> entries;
  std::vector<KeywordGroup> groups;
  std::vector<IndexOptions> indexes;
  std::vector<FontSource> narrowFonts;  // half-width (EB: first one only)
  std::vector<FontSource> wideFonts;    // full-width
  bool useHonmon2 = false;              // EPWING text file named HONMON2
  // Text and keys in single bytes (ASCII), as EB books marked by their
  // LANGUAGE file carry them; titles stay JIS.
  bool singleByte = false;
  FileStorage textStorage;              // START / HONMON(2)
  FileStorage fontStorage;              // EPWING GAIJI files
  // Raw data areas (identifier, bytes) after the indexes and fonts, listed
  // in the index table; their start pages are reported in indexStart.
  std::vector<std::pair<uint8_t, std::vector<uint8_t>>> dataAreas = {};
  // Objects the markup names; see MediaObject.
  std::vector<MediaObject> media = {};
  // Lines of the menu (0x01) and copyright (0x02) areas, with the inline
  // markup of body lines; no area when empty.
  std::vector<std::string> menu = {};
  std::vector<std::string> copyright = {};
};

struct BookSource {
  BookKind kind = BookKind::kEpwing;
  std::vector<SubbookSource> subbooks;
  bool languageFlag = false;     // EB: LANGUAGE byte 1
  FileStorage catalogStorage;
};

struct WriteOptions {
  bool lowerCaseNames = false;   // "catalogs", "data/honmon"...
  bool versionSuffix = false;    // "CATALOGS;1", "HONMON;1"...
};

// Where the writer put things, for the tests.
struct WrittenSubbook {
  std::vector<BookPos> text;      // per entry: its text (keyword start)
  std::vector<BookPos> heading;   // per entry: its heading
  std::vector<BookPos> groupHeading;  // per keyword group: first heading
  std::vector<std::pair<uint8_t, int32_t>> indexStart;  // id, start page
  std::string textPath;           // the text file as written
  // Per media object, in source order: where its stored form starts and
  // ends (images, PCM sounds) or its first and last frame (XA sounds).
  struct Media {
    std::string name;
    BookPos start, end;  // images: end after the last byte; PCM sounds: at it
    int firstFrame = 0, lastFrame = 0;
  };
  std::vector<Media> media;
};

struct WrittenBook {
  std::string catalogPath;
  std::vector<WrittenSubbook> subbooks;
};

// Writes the book into `dir` (created if needed). Returns false and sets
// `*error` when the source cannot be written (bad names, text that code
// page 932 cannot express, a storage the file kind does not allow).
bool WriteBook(const BookSource& book, const std::string& dir,
               const WriteOptions& options, WrittenBook* written,
               std::string* error);

// A random but reproducible book for property tests: `entries` entries
// of kana, kanji and Latin words, filed in the usual indexes.
BookSource RandomBook(uint32_t seed, int entries,
                      BookKind kind = BookKind::kEpwing);

#endif  // TOMELING_TOOLS_MKBOOK_BOOKWRITER_BOOK_WRITER_H_
