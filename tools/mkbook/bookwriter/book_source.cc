#include "bookwriter/book_source.h"

#include <charconv>
#include <sstream>

#include "bookwriter/media_source.h"

namespace {

struct Line {
  std::string text;
  size_t pos = 0;

  // Next space-separated token, or "".
  std::string Token() {
    while (pos < text.size() && text[pos] == ' ') ++pos;
    size_t start = pos;
    while (pos < text.size() && text[pos] != ' ') ++pos;
    return text.substr(start, pos - start);
  }
  std::string Rest() {
    while (pos < text.size() && text[pos] == ' ') ++pos;
    return text.substr(pos);
  }
};

bool Number(const std::string& s, int base, long* out) {
  if (s.empty()) return false;
  auto r = std::from_chars(s.data(), s.data() + s.size(), *out, base);
  return r.ec == std::errc() && r.ptr == s.data() + s.size();
}

struct Parser {
  BookSource* book;
  WriteOptions* options;
  std::string baseDir;
  std::string why;
  std::vector<FontSource>* lastFonts = nullptr;  // where `glyph` goes

  bool Bad(const std::string& reason) {
    why = reason;
    return false;
  }
  bool Int(Line& l, int base, long lo, long hi, long* out) {
    std::string t = l.Token();
    if (!Number(t, base, out) || *out < lo || *out > hi) return Bad("bad number '" + t + "'");
    return true;
  }
  bool Byte(Line& l, uint8_t* out) {
    long v = 0;
    if (!Int(l, 16, 0, 255, &v)) return false;
    *out = static_cast<uint8_t>(v);
    return true;
  }
  bool Storage(Line& l, FileStorage* st) {
    std::string kind = l.Token();
    long level = 0;
    if (kind == "plain") {
      *st = {FileStorage::kPlain, 0};
    } else if (kind == "ebzip") {
      if (!Int(l, 10, 0, 5, &level)) return false;
      *st = {FileStorage::kEbzip, static_cast<int>(level)};
    } else if (kind == "huffman") {
      if (!Int(l, 10, 3, 4, &level)) return false;
      *st = {FileStorage::kHuffman, static_cast<int>(level)};
    } else if (kind == "sebxa") {
      *st = {FileStorage::kSebxa, 0};
    } else {
      return Bad("unknown storage '" + kind + "'");
    }
    return true;
  }
  SubbookSource* Sub() { return book->subbooks.empty() ? nullptr : &book->subbooks.back(); }
  BookEntry* Entry() {
    SubbookSource* s = Sub();
    return s && !s->entries.empty() ? &s->entries.back() : nullptr;
  }

  bool Index(Line& l, SubbookSource* s) {
    IndexOptions opt;
    if (!Byte(l, &opt.id)) return false;
    for (std::string t = l.Token(); !t.empty(); t = l.Token()) {
      long v = 0;
      if (t == "style") {
        for (uint8_t& b : opt.style) {
          if (!Byte(l, &b)) return false;
        }
      } else if (t == "headings") {
        opt.fromHeadings = true;
      } else if (t == "groups") {
        opt.groups = true;
      } else if (t == "fixed") {
        std::string n = l.Token();
        if (n == "auto") {
          opt.keyLength = -1;
        } else if (Number(n, 10, &v) && v > 0 && v <= 254) {
          opt.keyLength = static_cast<int>(v);
        } else {
          return Bad("bad key length '" + n + "'");
        }
      } else if (t == "fill") {
        if (!Int(l, 10, 1, 2044, &v)) return false;
        opt.pageFill = static_cast<int>(v);
      } else {
        return Bad("unknown index option '" + t + "'");
      }
    }
    s->indexes.push_back(opt);
    return true;
  }

  bool Font(Line& l, SubbookSource* s) {
    std::string which = l.Token();
    if (which != "narrow" && which != "wide") return Bad("font must be narrow or wide");
    FontSource f;
    long w = 0, h = 0, first = 0;
    if (!Int(l, 10, 8, 48, &w) || !Int(l, 10, 16, 48, &h) || !Int(l, 16, 0, 0xFFFF, &first)) return false;
    f.width = static_cast<int>(w);
    f.height = static_cast<int>(h);
    f.firstCode = static_cast<uint16_t>(first);
    if (l.Token() == "file") f.fileName = l.Token();
    lastFonts = which == "narrow" ? &s->narrowFonts : &s->wideFonts;
    lastFonts->push_back(f);
    return true;
  }

  bool Glyph(Line& l) {
    std::vector<FontSource>* fonts = lastFonts;
    if (!fonts || fonts->empty()) return Bad("glyph outside a font");
    std::string hex = l.Rest();
    std::vector<uint8_t> g;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) {
      if (hex[i] == ' ') {
        --i;
        continue;
      }
      long v = 0;
      if (!Number(hex.substr(i, 2), 16, &v)) return Bad("bad glyph byte");
      g.push_back(static_cast<uint8_t>(v));
    }
    fonts->back().glyphs.push_back(std::move(g));
    return true;
  }

  bool SubbookStatement(const std::string& word, Line& l, SubbookSource* s) {
    long v = 0;
    if (word == "type") return Byte(l, &s->catalogType);
    if (word == "version") return Byte(l, &s->epwingVersion);
    if (word == "index-page") {
      if (!Int(l, 10, -128, 127, &v)) return false;
      s->indexPage = static_cast<int>(v);
      return true;
    }
    if (word == "style-mode") return Byte(l, &s->styleMode);
    if (word == "heading-area") {
      std::string t = l.Token();
      s->headingArea = t == "yes";
      return t == "yes" || t == "no" ? true : Bad("heading-area takes yes or no");
    }
    if (word == "single-byte") {
      s->singleByte = true;
      return true;
    }
    if (word == "text-file") {
      std::string t = l.Token();
      s->useHonmon2 = t == "honmon2";
      return t == "honmon" || t == "honmon2" ? true : Bad("text-file takes honmon or honmon2");
    }
    if (word == "storage") return Storage(l, &s->textStorage);
    if (word == "font-storage") return Storage(l, &s->fontStorage);
    if (word == "index") return Index(l, s);
    if (word == "font") return Font(l, s);
    if (word == "glyph") return Glyph(l);
    if (word == "menu" || word == "copyright") {
      (word == "menu" ? s->menu : s->copyright).push_back(l.Rest());
      return true;
    }
    if (IsMediaStatement(word)) {
      MediaObject m;
      if (!ParseMediaStatement(word, l.Rest(), baseDir, &m, &why)) return false;
      s->media.push_back(std::move(m));
      return true;
    }
    if (word == "entry") {
      BookEntry e;
      e.heading = l.Rest();
      s->entries.push_back(std::move(e));
      return true;
    }
    if (word == "group") {
      KeywordGroup g;
      if (!Byte(l, &g.indexId)) return false;
      g.keyword = l.Token();
      for (std::string t = l.Token(); !t.empty(); t = l.Token()) {
        if (!Number(t, 10, &v) || v < 0) return Bad("bad group member '" + t + "'");
        g.members.push_back(static_cast<int>(v));
      }
      s->groups.push_back(std::move(g));
      return true;
    }
    return Bad("unknown statement '" + word + "'");
  }

  bool Statement(Line& l) {
    std::string word = l.Token();
    if (word.empty() || word[0] == '#') return true;
    if (word == "book") {
      std::string k = l.Token();
      if (k != "eb" && k != "epwing") return Bad("book kind must be eb or epwing");
      book->kind = k == "eb" ? BookKind::kEb : BookKind::kEpwing;
      return true;
    }
    if (word == "language") {
      long v = 0;
      if (!Int(l, 10, 0, 1, &v)) return false;
      book->languageFlag = v == 1;
      return true;
    }
    if (word == "catalog-storage") return Storage(l, &book->catalogStorage);
    if (word == "names") {
      std::string t = l.Token();
      if (t == "lower") {
        options->lowerCaseNames = true;
      } else if (t == "suffix") {
        options->versionSuffix = true;
      } else {
        return Bad("names takes lower or suffix");
      }
      return true;
    }
    if (word == "subbook") {
      lastFonts = nullptr;
      SubbookSource s;
      s.directory = l.Token();
      s.title = l.Rest();
      book->subbooks.push_back(std::move(s));
      return true;
    }
    if (word == "body" || word == "word") {
      BookEntry* e = Entry();
      if (!e) return Bad(word + " outside an entry");
      if (word == "body") {
        e->body.push_back(l.Rest());
        return true;
      }
      SearchWord w;
      if (!Byte(l, &w.indexId)) return false;
      w.word = l.Rest();
      e->words.push_back(std::move(w));
      return true;
    }
    SubbookSource* s = Sub();
    if (!s) return Bad("'" + word + "' before any subbook");
    return SubbookStatement(word, l, s);
  }
};

}  // namespace

bool ParseBookSource(const std::string& text, BookSource* book, WriteOptions* options,
                     std::string* error, const std::string& baseDir) {
  *book = BookSource{};
  *options = WriteOptions{};
  Parser p{book, options, baseDir, {}};
  std::istringstream in(text);
  std::string raw;
  for (int n = 1; std::getline(in, raw); ++n) {
    if (!raw.empty() && raw.back() == '\r') raw.pop_back();
    for (char& c : raw) {
      if (c == '\t') c = ' ';
    }
    Line line{raw, 0};
    if (!p.Statement(line)) {
      if (error) *error = "line " + std::to_string(n) + ": " + p.why;
      return false;
    }
  }
  return true;
}
