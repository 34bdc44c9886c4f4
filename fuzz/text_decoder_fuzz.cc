// Fuzz target for the text decoder: any bytes as the text pages of a book,
// decoded in any open mode, from any offset, with any page limit, buffer
// size, stop code and code rule. The decoder must end, stay inside its
// buffer and always leave NUL-terminated markup.
//
// Input: a 24-byte header, then the book image from page 1.
//   0      flags: bits 0-1 open mode, 2 single-byte text, 3 stop at next,
//          4 heading table, 5 half-width, 6 text in a graphic-menu area
//   1-2    start offset (mod 2049)
//   3      page limit (signed, so 0 and below mean none)
//   4-5    buffer capacity
//   6-9    stop code and parameter
//   10     stop count
//   11-16  one code rule: code (low byte), operand, kind
//   17-18  half-width gaiji range (high bytes of first and last code)
//   19-20  full-width gaiji range
//   21     page count of the text area
//   22-23  start page (mod 4, from 1); with bit 7 of byte 22 set, the page
//          0x80000000 + byte 23 instead, a position no book holds
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "reader/memory_text_source.h"
#include "reader/text_decoder.h"

namespace {

// Every "<" closes with ">" and every "&" with ";" before the next markup
// starts, no byte below 0x20 but CR LF occurs, and in books of two-byte
// text every Shift_JIS lead byte has its trail byte.
bool WellFormed(const char* text, size_t n, bool twoByte) {
  for (size_t i = 0; i < n; ++i) {
    auto c = static_cast<unsigned char>(text[i]);
    if (c == '<' || c == '&') {
      char end = c == '<' ? '>' : ';';
      size_t j = i + 1;
      while (j < n && text[j] != end && text[j] != '<' && text[j] != '&') ++j;
      if (j >= n || text[j] != end) return false;
      if (c == '&' && j - i != 4 && j - i != 3 && j - i != 6) return false;
      i = j;
    } else if (c < 0x20) {
      if (c != '\r' || i + 1 >= n || text[i + 1] != '\n') return false;
      ++i;
    } else if (twoByte && ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC))) {
      if (i + 1 >= n || static_cast<unsigned char>(text[i + 1]) < 0x40) return false;
      ++i;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  constexpr size_t kHeader = 24;
  if (size < kHeader) return 0;
  const uint8_t* h = data;
  CMemoryTextSource source(std::vector<uint8_t>(data + kHeader, data + size));
  source.SetOpenMode(h[0] & 3);
  source.SetSingleByte((h[0] & 4) != 0);
  source.SetHalfGaiji(GaijiRange{static_cast<uint16_t>(h[17] << 8 | 0x21), static_cast<uint16_t>(h[18] << 8 | 0x7E)});
  source.SetFullGaiji(GaijiRange{static_cast<uint16_t>(h[19] << 8 | 0x21), static_cast<uint16_t>(h[20] << 8 | 0x7E)});
  source.AddArea((h[0] & 0x40) ? 0x10 : 0x00, 1, h[21]);
  source.AddArea(0x91, 2, 1);
  source.AddArea(0x71, 3, 100000);

  CTextDecoder decoder(source);
  decoder.SetStopCode(static_cast<uint16_t>(h[6] << 8 | h[7]), static_cast<uint16_t>(h[8] << 8 | h[9]));
  decoder.SetStopCount(h[10] % 8);
  CodeRule rule{static_cast<uint16_t>(0x1F00 | h[11]), static_cast<uint16_t>(h[12] << 8 | h[13]),
                static_cast<uint16_t>(h[14] << 8 | h[15])};
  rule.operand = static_cast<uint16_t>(rule.operand % 64 | (h[16] & 0x80 ? 0x1F00 : 0));
  decoder.SetCodeRules(&rule, 1);
  decoder.SetHalfWidth((h[0] & 0x20) != 0);

  int capacity = h[4] << 8 | h[5];
  std::vector<char> buffer(static_cast<size_t>(capacity) + 16, '\x55');
  source.SeekPage((h[22] & 0x80) ? static_cast<int32_t>(0x80000000u | h[23]) : 1 + (h[22] << 8 | h[23]) % 4);
  source.SeekOffset((h[1] << 8 | h[2]) % 2049);
  const TextHookTable& table = (h[0] & 0x10) ? HeadingHookTable() : EntryHookTable();
  int length = -1;
  int n = decoder.DecodeText(table, buffer.data(), capacity, &length, (h[0] & 8) != 0,
                             static_cast<int8_t>(h[3]));
  if (n != length || n < 0 || (capacity > 0 && n >= capacity) || (capacity == 0 && n != 0)) std::abort();
  if (capacity > 0 && buffer[static_cast<size_t>(n)] != '\0') std::abort();
  for (size_t i = static_cast<size_t>(capacity); i < buffer.size(); ++i) {
    if (buffer[i] != '\x55') std::abort();
  }
  if (!WellFormed(buffer.data(), static_cast<size_t>(n), !source.IsSingleByte())) std::abort();
  return 0;
}
