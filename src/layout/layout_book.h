// CLayoutBook: what the line manager needs of the dictionary whose entry it
// lays out and draws -- its face, its gaiji fonts, its images and colour
// charts. The content view hands the manager the one of the current
// dictionary; a missing dictionary is a null book, and Layout and Draw then
// do nothing. Every lookup may fail; the manager then draws nothing for
// that object.
#ifndef TOMELING_LAYOUT_LAYOUT_BOOK_H_
#define TOMELING_LAYOUT_LAYOUT_BOOK_H_

#include <cstdint>
#include <string>

#include "catalog/external_font.h"
#include "layout/canvas.h"

class CBitmapImage;

// The faces: 0 the Japanese face, 1 EBG books, 2 EBXA-C books.
int ChooseFace(bool ebxac, bool ebg);

// The glyph as a 1-bit image, 0 bits ink, as monochrome bitmaps are drawn
// (the canvas paints ink in the text colour).
void GlyphToImage(const Glyph& glyph, CBitmapImage* image);

// Bits of CLayoutBook::GaijiSizes(): the book has gaiji fonts of that size.
enum : int { kGaiji16 = 1, kGaiji24 = 2, kGaiji32 = 4, kGaiji48 = 8 };

// Of the gaiji sizes in `sizes` (16, 24, 32 -- which stands for the 30-dot
// fonts of EPWING books too -- and 48), the one nearest `pixels`, the
// larger on a tie (a bitmap shrinks better than it grows); 16 when there
// is none.
int NearestGaijiSize(int sizes, double pixels);

class CLayoutBook {
 public:
  virtual ~CLayoutBook() = default;
  virtual int Face() const { return 0; }
  // EB books (CATALOG) show image maps from <MAP> on; EPWING books do not.
  virtual bool IsEbCatalog() const { return false; }
  virtual int GaijiSizes() const { return kGaiji16; }
  // The glyph of a gaiji `code` from the half-width (`half`) or full-width
  // font of `size` dots high.
  virtual bool GetGlyph(bool /*half*/, int /*size*/, uint16_t /*code*/, Glyph* /*out*/) { return false; }
  // An image of a FIG or INL tag: kind 1 colour, 0 monochrome (whose size
  // the tag gives). `fitWidth` > 0: it will be drawn at most that wide, so
  // a large picture may come back smaller than its own size.
  virtual bool LoadImage(int /*kind*/, int32_t /*page*/, int /*offset*/, int /*width*/, int /*height*/,
                         int /*fitWidth*/, CBitmapImage* /*out*/) {
    return false;
  }
  // The size of a colour image as LoadImage gives it without `fitWidth`,
  // from its headers alone; false when the book cannot tell it that way
  // (the manager then loads the image).
  virtual bool ImageSize(int /*kind*/, int32_t /*page*/, int /*offset*/, int* /*width*/, int* /*height*/) {
    return false;
  }
  // Colour chart `number`: its name for display and its colour.
  virtual bool GetColourChart(int /*number*/, std::u16string* /*name*/, Colour* /*colour*/) { return false; }
};

#endif  // TOMELING_LAYOUT_LAYOUT_BOOK_H_
