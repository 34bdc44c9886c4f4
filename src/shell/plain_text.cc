#include "shell/plain_text.h"

#include "decode/cp932.h"
#include "decode/markup_convert.h"
#include "decode/markup_text.h"
#include "decode/utf8.h"
#include "reader/eb_reader.h"
#include "reader/reader_text_source.h"
#include "reader/text_decoder.h"
#include "shell/dict_config.h"

namespace {

constexpr int kHeadingCapacity = 2048;
// As much as the decoder writes: a view lays out the longest entry whole.
constexpr int kEntryCapacity = CTextDecoder::kMaxCapacity;

void SeekTo(CEBReader& reader, int32_t page, int16_t offset) {
  reader.SeekPage(page);
  if (offset > 0) reader.SeekOffset(static_cast<uint16_t>(offset));
}

}  // namespace

std::string ToUtf8(std::u16string_view text) {
  std::string out(text.size() * 3, '\0');
  out.resize(Utf16ToUtf8(text.data(), text.size(), out.data(), out.size()));
  return out;
}

std::u16string FromUtf8(std::string_view text) {
  std::u16string out(text.size(), u'\0');
  long n = Utf8ToUtf16(text.data(), text.size(), out.data());
  out.resize(n < 0 ? 0 : static_cast<size_t>(n));
  return out;
}

std::string Utf8ToCp932(std::string_view text) { return Utf16ToCp932(FromUtf8(text)); }

std::u16string WideMarkup(std::string_view markup, bool singleByte, const GaijiMapRecord* map) {
  MarkupBook book;
  book.singleByte = singleByte;
  book.gaijiMap = map;
  // Each byte gives at most one unit, and URL tags add a few.
  std::u16string wide(markup.size() * 2 + 64, u'\0');
  wide.resize(ConvertMarkup(book, markup.data(), markup.size(), wide.data(), wide.size(), nullptr));
  return wide;
}

std::string MarkupToPlain(std::string_view markup, bool singleByte, const GaijiMapRecord* map) {
  return ToUtf8(MarkupToPlainText(WideMarkup(markup, singleByte, map), nullptr, true));
}

std::string HeadingMarkup(CEBReader& reader, const DictConfig* config, const HitEntry& hit) {
  CReaderTextSource source(reader);
  CTextDecoder decoder(source);
  ConfigureDecoder(decoder, config);
  // A hit without a heading of its own shows the start of its text.
  if (hit.headingPage > 0) SeekTo(reader, hit.headingPage, hit.headingOffset);
  else SeekTo(reader, hit.textPage, hit.textOffset);
  std::string buf(kHeadingCapacity, '\0');
  int length = 0;
  decoder.ReadHeadingText(buf.data(), kHeadingCapacity, &length);
  buf.resize(static_cast<size_t>(length));
  return buf;
}

std::string EntryMarkup(CEBReader& reader, const DictConfig* config, int32_t page, int offset, int pageLimit,
                        int capacity, bool stopAtNext) {
  CReaderTextSource source(reader);
  CTextDecoder decoder(source);
  ConfigureDecoder(decoder, config);
  SeekTo(reader, page, static_cast<int16_t>(offset));
  if (capacity <= 0 || capacity > kEntryCapacity) capacity = kEntryCapacity;
  std::string buf(static_cast<size_t>(capacity), '\0');
  int length = 0;
  decoder.ReadEntryText(buf.data(), capacity, &length, stopAtNext, pageLimit);
  buf.resize(static_cast<size_t>(length));
  return buf;
}

std::string HeadingPlain(CEBReader& reader, const DictConfig* config, const HitEntry& hit,
                         const GaijiMapRecord* map) {
  return MarkupToPlain(HeadingMarkup(reader, config, hit), reader.SingleByte(), map);
}

std::string EntryPlain(CEBReader& reader, const DictConfig* config, const HitEntry& hit,
                       const GaijiMapRecord* map) {
  return MarkupToPlain(EntryMarkup(reader, config, hit.textPage, hit.textOffset, 0), reader.SingleByte(), map);
}
