// EBCDIC names of the colour-chart records.
//
// The names are written in code page 037. Only bytes whose counterpart is
// printable ASCII are kept; the few letters and symbols that books spell
// differently from code page 037 (0x4F, 0x5A, 0xB0, 0xBA, 0xBB) and every
// byte without a printable ASCII counterpart read as ".".

#ifndef TOMELING_DECODE_EBCDIC_H_
#define TOMELING_DECODE_EBCDIC_H_

// EBCDIC byte to ASCII 0x20 to 0x7E ("." when there is none).
char EbcdicToAscii(unsigned char byte);

#endif  // TOMELING_DECODE_EBCDIC_H_
