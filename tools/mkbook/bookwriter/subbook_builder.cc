#include "bookwriter/subbook_builder.h"

#include <algorithm>
#include <map>

#include "bookwriter/big_endian.h"
#include "bookwriter/font_writer.h"
#include "bookwriter/index_builder.h"
#include "bookwriter/key_style.h"
#include "bookwriter/text_encoder.h"
#include "bookwriter/text_markup.h"

namespace {

constexpr size_t kPage = 2048;
// Index table entries fit one page after the 16-byte header; two are kept
// free for the S-EBXA areas a compressor may add.
constexpr size_t kMaxTableEntries = (kPage - 16) / 16 - 2;

size_t PagesOf(size_t bytes) { return (bytes + kPage - 1) / kPage; }

struct Area {
  uint8_t id = 0;
  int32_t start = 0;
  int32_t count = 0;
  std::array<uint8_t, 4> style{0, 0, 0, 0};
};

// One word an index files: the entry it belongs to and its keys.
struct Filed {
  int entry = 0;
  IndexKeys keys;
};

// A group of entries under one key (classes 3 and 4), with its run of
// headings when it has one.
struct Group {
  IndexKeys keys;
  std::vector<int> members;
  int explicitIndex = -1;  // position in SubbookSource::groups
  // Where each member's heading lies in the group's run, as offsets in
  // the heading area and then as positions.
  std::vector<size_t> runOffsets;
  std::vector<BookPos> runPos;
  bool hasRun = false;
};

struct Builder {
  Builder(const SubbookSource& s, BookKind k, WrittenSubbook* w, std::string* e, const PlacedMedia* media)
      : sub(s), kind(k), written(w), error(e), context{k, media} {
    for (CTextEncoder* t : {&text, &headings, &menu, &copyright}) t->SetSingleByte(s.singleByte);
    for (CTextEncoder* t : {&text, &menu, &copyright}) t->SetContext(&context);
  }

  const SubbookSource& sub;
  BookKind kind;
  WrittenSubbook* written;
  std::string* error;
  MarkupContext context;

  CTextEncoder text, headings, menu, copyright;
  int32_t textStart = 0;
  std::vector<size_t> textOff, headOff;
  std::vector<std::vector<Group>> groupsOf;  // per index, classes 3 and 4
  std::vector<BookPos> textPos, headPos;
  std::vector<Area> areas;
  std::vector<uint8_t> body;  // pages after the index table
  int32_t tablePage = 1;

  bool Fail(const std::string& what) {
    if (error) *error = sub.directory + ": " + what;
    return false;
  }

  bool KeysOf(const std::string& word, uint8_t id, uint32_t style, IndexKeys* keys) {
    if (sub.singleByte) {
      // Single-byte books fold nothing but letter case.
      std::string k = word;
      for (char& c : k) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 0x20);
      }
      if (IsEndwordIndexId(id)) std::reverse(k.begin(), k.end());
      *keys = {k, k};
      return true;
    }
    SjisChars chars;
    if (!Utf8ToSjisChars(word, &chars)) return Fail("word has no code page 932 form: " + word);
    *keys = MakeIndexKeys(chars, id, style);
    return true;
  }

  // Every word an index files, in entry order.
  bool Collect(const IndexOptions& opt, uint32_t style, std::vector<Filed>* out) {
    for (size_t i = 0; i < sub.entries.size(); ++i) {
      const BookEntry& e = sub.entries[i];
      std::vector<const std::string*> words;
      if (opt.fromHeadings) words.push_back(&e.heading);
      for (const SearchWord& w : e.words) {
        if (w.indexId == opt.id) words.push_back(&w.word);
      }
      for (const std::string* w : words) {
        Filed f{static_cast<int>(i), {}};
        if (!KeysOf(*w, opt.id, style, &f.keys)) return false;
        if (!f.keys.k1.empty()) out->push_back(std::move(f));
      }
    }
    return true;
  }

  bool EncodeText() {
    for (const BookEntry& e : sub.entries) {
      size_t at = 0;
      if (!EncodeEntry(e, &text, &at, error)) return false;
      textOff.push_back(at);
    }
    text.AppendTail();
    return CheckLinks(text, sub.entries, error) && EncodeArea(sub.menu, &menu) &&
           EncodeArea(sub.copyright, &copyright);
  }

  // Menu and copyright text: one text of marked-up lines.
  bool EncodeArea(const std::vector<std::string>& lines, CTextEncoder* area) {
    if (lines.empty()) return true;
    area->Escape(kEscBeginText);
    for (const std::string& line : lines) {
      if (!EncodeBodyLine(line, area, error)) return false;
      area->Escape(kEscNewline);
    }
    area->Escape(kEscEndText);
    area->AppendTail();
    return CheckLinks(*area, sub.entries, error);
  }

  void PlaceMenus() {
    for (auto [id, area] : {std::pair<uint8_t, CTextEncoder*>{0x01, &menu}, {0x02, &copyright}}) {
      if (area->Size() == 0) continue;
      int32_t start = NextPage();
      ResolveLinks(area, sub.entries, textOff, textStart, start);
      written->indexStart.emplace_back(id, start);
      AddArea(id, area->Bytes());
    }
  }

  bool GroupsFor(const IndexOptions& opt, uint32_t style, std::vector<Group>* groups) {
    for (size_t g = 0; g < sub.groups.size(); ++g) {
      const KeywordGroup& kg = sub.groups[g];
      if (kg.indexId != opt.id) continue;
      Group group;
      if (!KeysOf(kg.keyword, opt.id, style, &group.keys)) return false;
      for (int m : kg.members) {
        if (m < 0 || static_cast<size_t>(m) >= sub.entries.size()) {
          return Fail("keyword group member out of range");
        }
      }
      group.members = kg.members;
      group.explicitIndex = static_cast<int>(g);
      if (!group.members.empty()) groups->push_back(std::move(group));
    }
    std::vector<Filed> filed;
    if (!Collect(opt, style, &filed)) return false;
    std::map<std::string, size_t> byKey;
    for (Filed& f : filed) {
      auto [it, added] = byKey.emplace(f.keys.k2, groups->size());
      if (added) groups->push_back(Group{f.keys, {}, -1, {}, {}, false});
      (*groups)[it->second].members.push_back(f.entry);
    }
    return true;
  }

  // Entry headings first, then one run per keyword group of a class 3
  // group index: a reader takes a member's heading from where the
  // previous one ended, so a group's headings must follow each other.
  bool EncodeHeadings() {
    bool needArea = sub.headingArea;
    groupsOf.resize(sub.indexes.size());
    for (size_t x = 0; x < sub.indexes.size(); ++x) {
      const IndexOptions& opt = sub.indexes[x];
      int cls = LeafClass(opt.id);
      if (cls != 3 && cls != 4) continue;
      uint32_t style = EffectiveStyle(opt.id, sub.styleMode, opt.style);
      if (!GroupsFor(opt, style, &groupsOf[x])) return false;
      if (cls == 3 && opt.groups && !groupsOf[x].empty()) needArea = true;
    }
    if (!needArea) return true;
    if (sub.headingArea) {
      for (const BookEntry& e : sub.entries) {
        size_t at = 0;
        if (!EncodeHeading(e.heading, &headings, &at, error)) return false;
        headOff.push_back(at);
      }
    }
    for (size_t x = 0; x < sub.indexes.size(); ++x) {
      if (LeafClass(sub.indexes[x].id) != 3 || !sub.indexes[x].groups) continue;
      for (Group& g : groupsOf[x]) {
        g.hasRun = true;
        for (int m : g.members) {
          size_t at = 0;
          if (!EncodeHeading(sub.entries[static_cast<size_t>(m)].heading, &headings, &at, error)) {
            return false;
          }
          g.runOffsets.push_back(at);
        }
      }
    }
    return true;
  }

  int32_t NextPage() const { return tablePage + 1 + static_cast<int32_t>(body.size() / kPage); }

  void AddArea(uint8_t id, const std::vector<uint8_t>& bytes, std::array<uint8_t, 4> style = {}) {
    if (bytes.empty()) return;
    Area a{id, NextPage(), static_cast<int32_t>(PagesOf(bytes.size())), style};
    areas.push_back(a);
    body.insert(body.end(), bytes.begin(), bytes.end());
    body.resize(body.size() + (kPage - body.size() % kPage) % kPage, 0);
  }

  void PlaceText() {
    textStart = NextPage();
    ResolveLinks(&text, sub.entries, textOff, textStart, textStart);
    AddArea(0x00, text.Bytes());
    int32_t headStart = NextPage();
    AddArea(kHeadingAreaId, headings.Bytes());
    for (size_t i = 0; i < textOff.size(); ++i) {
      textPos.push_back(CTextEncoder::PosOf(textStart, textOff[i]));
      headPos.push_back(sub.headingArea && !headOff.empty()
                            ? CTextEncoder::PosOf(headStart, headOff[i])
                            : textPos.back());
    }
    for (auto& groups : groupsOf) {
      for (Group& g : groups) {
        for (size_t at : g.runOffsets) g.runPos.push_back(CTextEncoder::PosOf(headStart, at));
      }
    }
  }

  void WordRecords(const IndexOptions& opt, const std::vector<Filed>& filed,
                   std::vector<LeafRecord>* out) {
    uint32_t group = 0;
    if (!opt.groups) {
      for (const Filed& f : filed) {
        out->push_back({LeafRecord::kPlain, f.keys.k1, f.keys.k1, textPos[f.entry],
                        headPos[f.entry], group++});
      }
      return;
    }
    // Group leaves: words folding to one key form a group whose members
    // keep their less folded form; a key no word changes stays plain.
    std::map<std::string, std::vector<const Filed*>> byKey;
    for (const Filed& f : filed) byKey[f.keys.k1].push_back(&f);
    for (const auto& [key, members] : byKey) {
      bool plain = std::all_of(members.begin(), members.end(),
                               [&](const Filed* f) { return f->keys.k2 == key; });
      ++group;
      if (plain) {
        for (const Filed* f : members) {
          out->push_back({LeafRecord::kPlain, key, key, textPos[f->entry], headPos[f->entry], group});
        }
        continue;
      }
      out->push_back({LeafRecord::kHead, key, key, {}, {}, group});
      for (const Filed* f : members) {
        out->push_back({LeafRecord::kMember, f->keys.k2, key, textPos[f->entry], headPos[f->entry], group});
      }
    }
  }

  void GroupRecords(const IndexOptions& opt, const std::vector<Group>& groups,
                    std::vector<LeafRecord>* out) {
    uint32_t n = 0;
    for (const Group& g : groups) {
      ++n;
      BookPos first = headPos[g.members.front()];
      BookPos head = g.hasRun ? g.runPos.front() : first;
      if (g.explicitIndex >= 0) written->groupHeading[static_cast<size_t>(g.explicitIndex)] = head;
      if (!opt.groups) {
        for (int m : g.members) {
          out->push_back({LeafRecord::kPlain, g.keys.k1, g.keys.k1, textPos[m], headPos[m], n});
        }
        continue;
      }
      // Members are matched against the group key in its unfolded form.
      out->push_back({LeafRecord::kHead, g.keys.k2, g.keys.k2, {}, head, n, g.keys.k1});
      for (size_t i = 0; i < g.members.size(); ++i) {
        int m = g.members[i];
        // A class 3 member's heading is its place in the run, which a head
        // repeated on a later page hands on.
        BookPos heading = g.hasRun ? g.runPos[i] : headPos[m];
        out->push_back({LeafRecord::kMember, g.keys.k2, g.keys.k2, textPos[m], heading, n, g.keys.k1});
      }
    }
  }

  bool PlaceIndexes() {
    for (size_t x = 0; x < sub.indexes.size(); ++x) {
      const IndexOptions& opt = sub.indexes[x];
      int cls = LeafClass(opt.id);
      if (cls == 0) return Fail("not a search index identifier");
      uint32_t style = EffectiveStyle(opt.id, sub.styleMode, opt.style);
      std::vector<LeafRecord> records;
      if (cls == 3 || cls == 4) {
        GroupRecords(opt, groupsOf[x], &records);
      } else {
        std::vector<Filed> filed;
        if (!Collect(opt, style, &filed)) return false;
        WordRecords(opt, filed, &records);
      }
      if (records.empty()) continue;
      SortRecords(&records);
      IndexShape shape{cls, opt.keyLength, opt.groups, opt.pageFill, opt.repeatGroupHeads};
      int32_t start = NextPage();
      std::vector<IndexPage> pages = BuildIndexPages(records, shape, start);
      std::vector<uint8_t> bytes;
      bytes.reserve(pages.size() * kPage);
      for (const IndexPage& p : pages) bytes.insert(bytes.end(), p.begin(), p.end());
      AddArea(opt.id, bytes, opt.style);
      written->indexStart.emplace_back(opt.id, start);
    }
    return true;
  }

  bool PlaceFonts() {
    if (kind != BookKind::kEb) return true;
    const std::pair<uint8_t, const std::vector<FontSource>*> fonts[] = {
        {0xF2, &sub.narrowFonts}, {0xF1, &sub.wideFonts}};
    for (const auto& [id, list] : fonts) {
      if (list->empty()) continue;
      std::vector<uint8_t> pages;
      if (!BuildFontPages(list->front(), &pages, error)) return false;
      AddArea(id, pages);
    }
    return true;
  }

  std::vector<uint8_t> Assemble() {
    if (areas.size() > kMaxTableEntries) areas.resize(kMaxTableEntries);
    std::vector<uint8_t> file(static_cast<size_t>(tablePage) * kPage, 0);
    uint8_t* table = &file[(static_cast<size_t>(tablePage) - 1) * kPage];
    PutBE16(table, static_cast<uint32_t>(areas.size()));
    table[4] = sub.styleMode;
    for (size_t i = 0; i < areas.size(); ++i) {
      uint8_t* e = table + 16 + 16 * i;
      e[0] = areas[i].id;
      PutBE32(e + 2, static_cast<uint32_t>(areas[i].start));
      PutBE32(e + 6, static_cast<uint32_t>(areas[i].count));
      std::copy(areas[i].style.begin(), areas[i].style.end(), e + 10);
    }
    file.insert(file.end(), body.begin(), body.end());
    return file;
  }
};

}  // namespace

bool BuildSubbookText(const SubbookSource& sub, BookKind kind, std::vector<uint8_t>* file,
                      WrittenSubbook* written, std::string* error, PlacedMedia* media) {
  int32_t tablePage = kind == BookKind::kEpwing ? std::max(1, sub.indexPage) : 1;
  if (!PlaceMedia(sub, kind, tablePage + 1, media, error)) {
    if (error) *error = sub.directory + ": " + *error;
    return false;
  }
  for (const MediaObject& m : sub.media) {
    const PlacedObject& p = *media->Find(m.name);
    written->media.push_back({m.name, p.start, p.end, p.firstFrame, p.lastFrame});
  }
  Builder b(sub, kind, written, error, media);
  b.tablePage = tablePage;
  written->groupHeading.assign(sub.groups.size(), BookPos{});
  if (!b.EncodeText() || !b.EncodeHeadings()) return false;
  if (!media->imageArea.empty()) {
    written->indexStart.emplace_back(kEbImageAreaId, b.NextPage());
    b.AddArea(kEbImageAreaId, media->imageArea);
  }
  b.PlaceText();
  if (!b.PlaceIndexes() || !b.PlaceFonts()) return false;
  b.PlaceMenus();
  for (const auto& [id, bytes] : sub.dataAreas) {
    if (!bytes.empty()) written->indexStart.emplace_back(id, b.NextPage());
    b.AddArea(id, bytes);
  }
  written->text = b.textPos;
  written->heading = b.headPos;
  *file = b.Assemble();
  return true;
}
