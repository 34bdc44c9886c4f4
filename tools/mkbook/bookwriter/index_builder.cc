#include "bookwriter/index_builder.h"

#include <algorithm>
#include <tuple>

#include "bookwriter/big_endian.h"

namespace {

constexpr size_t kPageBody = 2048 - 4;
constexpr size_t kMaxKey = 254;  // a length byte holds 255; keys are pairs

using Bytes = std::vector<uint8_t>;

std::string CutKey(const std::string& key, size_t limit) {
  if (key.size() <= limit) return key;
  return key.substr(0, limit & ~static_cast<size_t>(1));
}

void AppendKey(Bytes& out, const std::string& key, int fixed) {
  if (fixed > 0) {
    std::string k = CutKey(key, static_cast<size_t>(fixed));
    out.insert(out.end(), k.begin(), k.end());
    out.insert(out.end(), static_cast<size_t>(fixed) - k.size(), 0);
  } else {
    std::string k = CutKey(key, kMaxKey);
    out.push_back(static_cast<uint8_t>(k.size()));
    out.insert(out.end(), k.begin(), k.end());
  }
}

void AppendPos(Bytes& out, const BookPos& p) {
  AppendBE32(out, static_cast<uint32_t>(p.page));
  AppendBE16(out, p.offset);
}

// Class 1 leaves carry one position (text and heading are the same);
// the others carry text and heading.
void AppendPositions(Bytes& out, const LeafRecord& r, int cls) {
  AppendPos(out, r.text);
  if (cls != 1) AppendPos(out, r.heading);
}

Bytes EncodeRecord(const LeafRecord& r, const IndexShape& s) {
  Bytes out;
  int cls = s.indexClass;
  switch (r.type) {
    case LeafRecord::kPlain:
      if (s.groups) out.push_back(0x00);
      AppendKey(out, r.key, s.keyLength);
      AppendPositions(out, r, cls);
      break;
    case LeafRecord::kHead:
      out.push_back(0x80);
      {
        std::string k = CutKey(r.key, kMaxKey);
        out.push_back(static_cast<uint8_t>(k.size()));
        out.insert(out.end(), cls <= 2 ? 2 : 4, 0);
        out.insert(out.end(), k.begin(), k.end());
      }
      if (cls == 3) AppendPos(out, r.heading);
      break;
    case LeafRecord::kMember:
      out.push_back(0xC0);
      AppendKey(out, r.key, 0);
      if (cls == 3) {
        AppendPos(out, r.text);
      } else {
        AppendPositions(out, r, cls);
      }
      break;
  }
  return out;
}

struct Page {
  Bytes body;
  int count = 0;
  std::string lastKey;
  std::vector<size_t> ends;  // where each entry ends in `body`
};

struct Packer {
  size_t fill;
  std::vector<Page> pages{Page{}};
  bool Fits(size_t bytes, int entries) const {
    const Page& p = pages.back();
    return p.body.size() + bytes <= kPageBody && p.count + entries <= static_cast<int>(fill);
  }
  bool FitsBytes(size_t bytes) const { return pages.back().body.size() + bytes <= kPageBody; }
  // `member`: a group member, kept on its head's page whatever the entry
  // limit says, as long as the bytes fit.
  void Add(const Bytes& e, const std::string& key, bool member = false) {
    bool fits = member ? FitsBytes(e.size()) : Fits(e.size(), 1);
    if (!fits && pages.back().count > 0) pages.emplace_back();
    Page& p = pages.back();
    p.body.insert(p.body.end(), e.begin(), e.end());
    p.ends.push_back(p.body.size());
    ++p.count;
    p.lastKey = std::max(p.lastKey, key);
  }
};

IndexPage Finish(const Page& p, uint8_t flags, int keyLength) {
  IndexPage page{};
  page[0] = flags;
  page[1] = static_cast<uint8_t>(keyLength > 0 ? keyLength : 0);
  PutBE16(&page[2], static_cast<uint32_t>(p.count));
  std::copy(p.body.begin(), p.body.end(), page.begin() + 4);
  return page;
}

std::vector<Page> PackLeaves(const std::vector<LeafRecord>& records, const IndexShape& s) {
  Packer packer{s.pageFill > 0 ? static_cast<size_t>(s.pageFill) : kPageBody};
  const LeafRecord* head = nullptr;
  for (size_t i = 0; i < records.size(); ++i) {
    // A group that fits a page is not split, so every member page starts
    // with the head that gives it its key; only groups larger than a page
    // run on into the next.
    if (records[i].type == LeafRecord::kHead && packer.pages.back().count > 0) {
      size_t bytes = 0;
      for (size_t j = i; j < records.size() && records[j].group == records[i].group &&
                         (j == i || records[j].type == LeafRecord::kMember);
           ++j) {
        bytes += EncodeRecord(records[j], s).size();
      }
      if (!packer.Fits(bytes, 1) && bytes <= kPageBody) packer.pages.emplace_back();
    }
    const LeafRecord& r = records[i];
    Bytes e = EncodeRecord(r, s);
    if (r.type == LeafRecord::kHead) head = &r;
    if (r.type == LeafRecord::kMember && s.repeatHeads && head && head->group == r.group &&
        !packer.FitsBytes(e.size())) {
      LeafRecord again = *head;
      if (s.indexClass == 3) again.heading = r.heading;
      packer.pages.emplace_back();
      packer.Add(EncodeRecord(again, s), std::max(again.sortKey, again.descentKey));
    }
    packer.Add(e, std::max(r.sortKey, r.descentKey), r.type == LeafRecord::kMember);
  }
  return packer.pages;
}

}  // namespace

void SortRecords(std::vector<LeafRecord>* records) {
  std::stable_sort(records->begin(), records->end(), [](const LeafRecord& a, const LeafRecord& b) {
    auto rank = [](const LeafRecord& r) { return r.type == LeafRecord::kMember ? 1 : 0; };
    // std::string compares char_traits<char>, which orders as unsigned bytes.
    return std::make_tuple(std::cref(a.sortKey), a.group, rank(a)) <
           std::make_tuple(std::cref(b.sortKey), b.group, rank(b));
  });
}

std::vector<IndexPage> BuildIndexPages(const std::vector<LeafRecord>& records, const IndexShape& shape,
                                       int32_t startPage) {
  IndexShape s = shape;
  if (s.keyLength < 0) {
    size_t longest = 2;
    for (const LeafRecord& r : records) longest = std::max(longest, r.key.size());
    s.keyLength = static_cast<int>(std::min<size_t>(longest, kMaxKey));
  }
  std::vector<std::vector<Page>> levels{PackLeaves(records, s)};
  size_t fill = s.pageFill > 0 ? static_cast<size_t>(s.pageFill) : kPageBody;
  while (levels.back().size() > 1) {
    const std::vector<Page>& below = levels.back();
    Packer packer{std::max<size_t>(fill, 2)};
    for (size_t i = 0; i < below.size(); ++i) {
      Bytes e;
      AppendKey(e, below[i].lastKey, s.keyLength);
      e.resize(e.size() + 4);  // child page, filled once pages are numbered
      packer.Add(e, below[i].lastKey);
    }
    levels.push_back(std::move(packer.pages));
  }
  // Number the levels root first; then fill in the child pages.
  std::vector<int32_t> base(levels.size());
  int32_t next = startPage;
  for (size_t l = levels.size(); l-- > 0;) {
    base[l] = next;
    next += static_cast<int32_t>(levels[l].size());
  }
  std::vector<IndexPage> out(static_cast<size_t>(next - startPage));
  for (size_t l = 0; l < levels.size(); ++l) {
    int32_t child = l > 0 ? base[l - 1] : 0;
    for (size_t i = 0; i < levels[l].size(); ++i) {
      Page& p = levels[l][i];
      bool last = i + 1 == levels[l].size();
      if (l > 0) {
        for (size_t end : p.ends) PutBE32(&p.body[end - 4], static_cast<uint32_t>(child++));
      }
      uint8_t flags = static_cast<uint8_t>((last ? 0x20 : 0) |
                                           (l == 0 ? 0x80 | (s.groups ? 0x10 : 0) : 0));
      out[static_cast<size_t>(base[l] - startPage) + i] = Finish(p, flags, s.keyLength);
    }
  }
  return out;
}
