// Media tags of the inline markup; see markup_objects.h and text_markup.h.
#include "bookwriter/markup_objects.h"

#include <sstream>

#include "bookwriter/text_markup.h"

namespace {

bool IsObjectTag(const std::string& name) {
  return name == "fig" || name == "cfig" || name == "map" || name == "sound" || name == "movie";
}

bool Bad(std::string* error, const std::string& why) {
  *error = why;
  return false;
}

// What an object's opening tag writes, and what its closing tag will.
struct Split {
  CTextEncoder open, close;
};

// Minutes, seconds and frames (75 a second) of an EB sound time.
void FrameTime(CTextEncoder* t, int frames) {
  t->Bcd(static_cast<uint32_t>(frames / 75 / 60), 1);
  t->Bcd(static_cast<uint32_t>(frames / 75 % 60), 1);
  t->Bcd(static_cast<uint32_t>(frames % 75), 1);
}

uint32_t Dim(int n) { return static_cast<uint32_t>(n); }

bool IsImage(const PlacedObject& p) {
  return p.object->kind == MediaObject::kMonoImage || p.object->kind == MediaObject::kColourImage;
}

// Begin and end of a figure: EPWING monochrome 1F44 … 1F64, colour (or
// `colourCodes`) 1F4D … 1F6D, EB 1F31 … 1F51.
void Figure(const PlacedObject& p, bool eb, bool colourCodes, Split* s) {
  const MediaObject& m = *p.object;
  bool mono = m.kind == MediaObject::kMonoImage;
  if (eb && !colourCodes) {
    s->open.Escape(0x31);
    s->open.Word(mono ? 0 : 1);
    s->open.Bcd(mono ? Dim(m.width) : 0, 2);
    s->open.Bcd(mono ? Dim(m.height) : 0, 2);
    s->close.Escape(0x51);
    s->close.Pos(p.start);
  } else if (mono && !colourCodes) {
    s->open.Escape(0x44);
    s->open.Bcd(0, 2);
    s->open.Bcd(Dim(m.height), 4);
    s->open.Bcd(Dim(m.width), 4);
    s->close.Escape(0x64);
    s->close.Pos(p.start);
  } else {
    s->open.Escape(0x4D);
    s->open.Bcd(0, 8);  // two parameters and the origin
    s->open.Bcd(Dim(m.width), 2);
    s->open.Bcd(Dim(m.height), 2);
    s->open.Pos(p.start);
    s->close.Escape(0x6D);
  }
}

void Sound(const PlacedObject& p, Split* s) {
  if (p.object->kind == MediaObject::kXaSound) {
    s->open.Escape(0x33);
    s->close.Escape(0x53);
    s->close.Word(0);
    // The book's start time is one frame past the first frame.
    FrameTime(&s->close, p.firstFrame + 1);
    FrameTime(&s->close, p.lastFrame);
    return;
  }
  s->open.Escape(0x4A);
  s->open.Bcd(1, 2);  // format: PCM
  s->open.Bcd(static_cast<uint32_t>(p.object->soundDigits), 2);
  s->open.Pos(p.start);
  s->open.Pos(p.end);
  s->close.Escape(0x6A);
}

void Movie(const PlacedObject& p, Split* s) {
  s->open.Escape(0x39);
  s->open.Bcd(0, 12);  // parameters, origin and size
  s->open.Bcd(0, 8);   // start and end
  const std::string& name = p.object->name;
  for (size_t i = 0; i < 8; ++i) {
    uint16_t code = 0;
    if (i < name.size()) code = name[i] == '_' ? 0x2132 : static_cast<uint16_t>(0x2300 | static_cast<uint8_t>(name[i]));
    s->open.Word(code);
  }
  s->open.Bcd(0, 8);
  s->close.Escape(0x59);
}

void Inline(const PlacedObject& p, CTextEncoder* text) {
  text->Escape(0x3C);
  text->Bcd(0, 4);
  text->Bcd(0, 8);  // four words of zeros
  text->Pos(p.start);
  text->Escape(0x5C);
}

// The object a tag names, of the kinds the tag takes.
bool Lookup(const std::string& tag, const std::string& name, const CTextEncoder& text, const PlacedObject** out,
            std::string* error) {
  const MarkupContext* ctx = text.Context();
  const PlacedObject* p = ctx != nullptr && ctx->media != nullptr ? ctx->media->Find(name) : nullptr;
  if (p == nullptr) return Bad(error, "{" + tag + "} names no media object: " + name);
  MediaObject::Kind k = p->object->kind;
  bool fits = (tag == "fig" || tag == "map") ? IsImage(*p)
              : (tag == "cfig" || tag == "inline") ? k == MediaObject::kColourImage
              : tag == "sound" ? (k == MediaObject::kPcmSound || k == MediaObject::kXaSound)
                               : k == MediaObject::kMovie;
  if (!fits) return Bad(error, "{" + tag + "} cannot show " + name);
  *out = p;
  return true;
}

bool Open(const std::string& tag, const std::string& name, CTextEncoder* text, COpenObject* open,
          std::string* error) {
  if (!open->m_tag.empty()) return Bad(error, "{" + tag + "} inside {" + open->m_tag + "}");
  const PlacedObject* p = nullptr;
  if (!Lookup(tag, name, *text, &p, error)) return false;
  bool eb = text->Context()->kind == BookKind::kEb;
  bool colour = p->object->kind == MediaObject::kColourImage;
  Split s;
  if (tag == "fig" || tag == "cfig") Figure(*p, eb, tag == "cfig" || (!eb && colour), &s);
  if (tag == "sound") Sound(*p, &s);
  if (tag == "movie") Movie(*p, &s);
  if (tag == "map") {
    if (eb) {
      s.open.Escape(colour ? 0x3F : 0x32);
    } else {
      s.open.Escape(0x4C);
      s.open.Bcd(0, 2);
      Figure(*p, false, colour, &s);
    }
  }
  text->Bytes().insert(text->Bytes().end(), s.open.Bytes().begin(), s.open.Bytes().end());
  open->m_tag = tag;
  open->m_object = p;
  open->m_close = s.close.Bytes();
  open->m_areas.clear();
  return true;
}

// EB: the record readers look the areas up in, after all entries; the
// figure's closing code points at it.
void EbMapRecord(const COpenObject& open, CTextEncoder* text) {
  const PlacedObject& p = *open.m_object;
  bool mono = p.object->kind == MediaObject::kMonoImage;
  std::vector<uint8_t>& tail = text->Tail();
  text->Escape(mono ? 0x52 : 0x5F);
  text->Links().push_back(TextRef{text->Size(), "", 0, tail.size()});
  text->Bcd(0, 6);
  CTextEncoder rec;
  rec.Escape(0x45);
  rec.Word(0);
  rec.Escape(0x31);
  rec.Word(mono ? 0 : 1);
  rec.Bcd(Dim(p.object->width), 2);
  rec.Bcd(Dim(p.object->height), 2);
  rec.Escape(0x51);
  rec.Pos(p.start);
  for (const COpenObject::Area& a : open.m_areas) {
    rec.Escape(0x42);
    rec.Bcd(a.x, 2);
    rec.Bcd(a.y, 2);
    rec.Escape(0x62);
    text->Links().push_back(TextRef{tail.size() + rec.Size(), a.entry, 0x42, 0, true});
    rec.Bcd(0, 6);
  }
  rec.Escape(0x65);
  tail.insert(tail.end(), rec.Bytes().begin(), rec.Bytes().end());
}

// EPWING: the figure, then one area code per area, then the map's end.
void EpwingMapEnd(const COpenObject& open, CTextEncoder* text) {
  text->Bytes().insert(text->Bytes().end(), open.m_close.begin(), open.m_close.end());
  for (const COpenObject::Area& a : open.m_areas) {
    text->Escape(0x4F);
    text->Bcd(0, 6);  // parameters
    text->Bcd(a.x, 2);
    text->Bcd(a.y, 2);
    text->Bcd(a.width, 2);
    text->Bcd(a.height, 2);
    text->Bcd(0, 12);
    text->Links().push_back(TextRef{text->Size(), a.entry, 0x42});
    text->Bcd(0, 6);
    text->Escape(0x6F);
  }
  text->Escape(0x6C);
}

bool Close(const std::string& tag, CTextEncoder* text, COpenObject* open, std::string* error) {
  if (open->m_tag != tag) return Bad(error, "{/" + tag + "} without {" + tag + " NAME}");
  if (tag != "map") {
    text->Bytes().insert(text->Bytes().end(), open->m_close.begin(), open->m_close.end());
  } else if (text->Context()->kind == BookKind::kEb) {
    EbMapRecord(*open, text);
  } else {
    EpwingMapEnd(*open, text);
  }
  *open = COpenObject();
  return true;
}

bool AddArea(const std::string& arg, COpenObject* open, std::string* error) {
  if (open->m_tag != "map") return Bad(error, "{area} outside {map}");
  std::istringstream in(arg);
  COpenObject::Area a;
  if (!(in >> a.x >> a.y >> a.width >> a.height) || a.x > 999 || a.y > 999 || a.width > 999 || a.height > 999)
    return Bad(error, "bad area: " + arg);
  std::getline(in >> std::ws, a.entry);
  if (a.entry.empty()) return Bad(error, "area without an entry: " + arg);
  open->m_areas.push_back(a);
  return true;
}

}  // namespace

bool ObjectTag(const std::string& name, const std::string& arg, CTextEncoder* text, COpenObject* open,
               std::string* error) {
  if (name.size() > 1 && name[0] == '/' && IsObjectTag(name.substr(1)) && arg.empty()) {
    return Close(name.substr(1), text, open, error);
  }
  if (name == "area") return AddArea(arg, open, error);
  if (!IsObjectTag(name) && name != "inline") return false;
  if (arg.empty()) return Bad(error, "{" + name + "} needs a media name");
  if (name != "inline") return Open(name, arg, text, open, error);
  const PlacedObject* p = nullptr;
  if (!Lookup(name, arg, *text, &p, error)) return false;
  Inline(*p, text);
  return true;
}
