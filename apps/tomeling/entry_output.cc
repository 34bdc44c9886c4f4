#include "entry_output.h"

#include <cstdio>

#include "book_args.h"
#include "media_files.h"
#include "reader/subbook_media.h"
#include "shell/dict_session.h"
#include "shell/plain_text.h"

namespace {

constexpr int kEntryPages = 2;

std::string Position(int32_t page, int offset) {
  char text[20];
  std::snprintf(text, sizeof text, "%08X:%04X", static_cast<unsigned>(page), static_cast<unsigned>(offset));
  return text;
}

}  // namespace

bool ParseEntryOutputOption(const std::vector<std::string>& args, size_t* i, EntryOutputOptions* options,
                            bool* bad) {
  const std::string& a = args[*i];
  bool hasValue = *i + 1 < args.size();
  if (a == "--show") {
    options->show = true;
  } else if (a == "--format" || a == "--media" || a == "--sampling") {
    if (!hasValue) {
      *bad = true;
      return true;
    }
    std::string value = args[++*i];
    if (a == "--media") {
      *bad = value.empty();
      options->mediaDir = value;
    } else if (a == "--sampling") {
      *bad = !ParseSampling(value, &options->xaSampling);
    } else {
      *bad = value != "text" && value != "markup" && value != "json";
      options->format = value;
    }
  } else {
    return false;
  }
  return true;
}

std::string JsonString(const std::string& utf8) {
  std::string out = "\"";
  for (unsigned char c : utf8) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c < 0x20 || c == 0x7F) {
      char esc[8];
      std::snprintf(esc, sizeof esc, "\\u%04X", c);
      out += esc;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

CEntryPrinter::CEntryPrinter(const EntryOutputOptions& options, CDictSession& session, int dict)
    : m_options(options), m_session(session), m_dict(dict) {
  if (!options.mediaDir.empty()) {
    m_media = session.Media(dict);
    if (m_media) m_media->SetXaSampling(options.xaSampling);
  }
}

CEntryPrinter::~CEntryPrinter() = default;

namespace {

DecodedText Utf8Of(const DictText& text) { return DecodedText{ToUtf8(text.wide), ToUtf8(text.plain)}; }

}  // namespace

DecodedText CEntryPrinter::Heading(const HitEntry& hit) { return Utf8Of(m_session.Heading(m_dict, hit)); }

DecodedText CEntryPrinter::Entry(int32_t page, int offset) {
  EntryLimits limits;
  limits.maxPages = kEntryPages;
  return Utf8Of(m_session.Entry(m_dict, page, offset, limits));
}

bool CEntryPrinter::WriteMedia(const DecodedText& entry) {
  if (m_media == nullptr) return true;
  std::fflush(stdout);
  FILE* list = m_options.format == "json" ? stderr : stdout;
  return WriteEntryMedia(m_media->Book(), entry.markup, m_options.mediaDir, list);
}

bool CEntryPrinter::PrintHits(const std::vector<HitEntry>& hits, bool overflow) {
  const std::string& format = m_options.format;
  bool written = true;
  if (format == "json") {
    std::string name = JsonString(ToUtf8(m_session.DisplayName(m_dict)));
    std::fputs("{\"hits\":[", stdout);
    for (size_t i = 0; i < hits.size(); ++i) {
      const HitEntry& h = hits[i];
      DecodedText heading = Heading(h);
      std::printf("%s{\"dict\":%d,\"dict_name\":%s,\"text\":\"%s\",\"heading\":\"%s\",\"heading_text\":%s,"
                  "\"heading_markup\":%s",
                  i == 0 ? "" : ",", m_dict, name.c_str(), Position(h.textPage, h.textOffset).c_str(),
                  Position(h.headingPage, h.headingOffset).c_str(), JsonString(heading.text).c_str(),
                  JsonString(heading.markup).c_str());
      if (m_options.show) {
        DecodedText entry = Entry(h.textPage, h.textOffset);
        std::printf(",\"entry_text\":%s,\"entry_markup\":%s", JsonString(entry.text).c_str(),
                    JsonString(entry.markup).c_str());
        written = WriteMedia(entry) && written;
      }
      std::fputs("}", stdout);
    }
    std::printf("],\"overflow\":%s}\n", overflow ? "true" : "false");
    return written;
  }
  bool markup = format == "markup";
  for (const HitEntry& h : hits) {
    DecodedText heading = Heading(h);
    std::printf("%s\t%s\t%s\n", Position(h.textPage, h.textOffset).c_str(),
                Position(h.headingPage, h.headingOffset).c_str(),
                (markup ? heading.markup : heading.text).c_str());
    if (m_options.show) {
      DecodedText entry = Entry(h.textPage, h.textOffset);
      std::printf("%s\n", (markup ? entry.markup : entry.text).c_str());
      written = WriteMedia(entry) && written;
    }
  }
  return written;
}

bool CEntryPrinter::PrintEntry(int32_t page, int offset) {
  DecodedText entry = Entry(page, offset);
  if (m_options.format == "json") {
    std::printf("{\"dict\":%d,\"dict_name\":%s,\"text\":\"%s\",\"entry_text\":%s,\"entry_markup\":%s}\n", m_dict,
                JsonString(ToUtf8(m_session.DisplayName(m_dict))).c_str(), Position(page, offset).c_str(),
                JsonString(entry.text).c_str(), JsonString(entry.markup).c_str());
  } else {
    std::printf("%s\n", (m_options.format == "markup" ? entry.markup : entry.text).c_str());
  }
  return WriteMedia(entry);
}
