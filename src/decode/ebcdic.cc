// Code page 037 to ASCII, printable characters only.

#include "decode/ebcdic.h"

namespace {

// Index = EBCDIC byte - 0x40 for 0x40 to 0xFF; 0 marks "no printable ASCII
// counterpart". 0x4F "|", 0x5A "!", 0xB0 "^", 0xBA "[" and 0xBB "]" are left
// out on purpose: books do not use code page 037's positions for them.
constexpr char kFrom40[0xC0] = {
    // 0x40
    ' ', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, '.', '<', '(', '+', 0,
    // 0x50
    '&', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, '$', '*', ')', ';', 0,
    // 0x60
    '-', '/', 0, 0, 0, 0, 0, 0, 0, 0, 0, ',', '%', '_', '>', '?',
    // 0x70
    0, 0, 0, 0, 0, 0, 0, 0, 0, '`', ':', '#', '@', '\'', '=', '"',
    // 0x80
    0, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i', 0, 0, 0, 0, 0, 0,
    // 0x90
    0, 'j', 'k', 'l', 'm', 'n', 'o', 'p', 'q', 'r', 0, 0, 0, 0, 0, 0,
    // 0xA0
    0, '~', 's', 't', 'u', 'v', 'w', 'x', 'y', 'z', 0, 0, 0, 0, 0, 0,
    // 0xB0
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    // 0xC0
    '{', 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 0, 0, 0, 0, 0, 0,
    // 0xD0
    '}', 'J', 'K', 'L', 'M', 'N', 'O', 'P', 'Q', 'R', 0, 0, 0, 0, 0, 0,
    // 0xE0
    '\\', 0, 'S', 'T', 'U', 'V', 'W', 'X', 'Y', 'Z', 0, 0, 0, 0, 0, 0,
    // 0xF0
    '0', '1', '2', '3', '4', '5', '6', '7', '8', '9', 0, 0, 0, 0, 0, 0,
};

}  // namespace

char EbcdicToAscii(unsigned char byte) {
  if (byte < 0x40) return '.';
  char c = kFrom40[byte - 0x40];
  return c != 0 ? c : '.';
}
