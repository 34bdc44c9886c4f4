// The character writer: one text character of the book into the byte form.
#include "decode/char_conv.h"
#include "reader/decoder_hooks.h"

namespace {

// Only real JIS X 0208 codes are converted: any other pair would turn into
// a Shift_JIS lead byte with a trail byte that breaks the markup (a NUL, a
// "<" or a lone lead byte).
bool IsJisX0208(uint16_t code) {
  unsigned high = code >> 8, low = code & 0xFF;
  return high >= 0x21 && high <= 0x7E && low >= 0x21 && low <= 0x7E;
}

// The last Shift_JIS value that has a single-byte form (the full-width
// letters end at 0x829A); the long-vowel mark has none even when it is the
// only thing that would look right.
constexpr uint16_t kLastNarrowable = 0x829E;
constexpr uint16_t kLongVowelMark = 0x815B;

}  // namespace

void WriteCharacter(TextOutput& out, const MediaArgs&) {
  uint16_t value = out.m_param;
  if (value == 0) return;
  if (value > 0xFF) {
    if (!IsJisX0208(value)) return;
    value = JisToSjis(value);
    if ((out.m_narrow || out.m_halfWidth) && value <= kLastNarrowable && value != kLongVowelMark) {
      value = ToHalfWidth(value);
    }
  }
  Emit(out, [value](MarkupBuffer* b) { return WriteTextChar(b, value); });
}
