// CEntryLayoutBook: the CLayoutBook of an opened dictionary of the book
// list -- gaiji from the book's fonts (EPWING: the GAIJI files of the
// chosen size; EB: the fonts inside the text file), images through the
// subbook's media, colour charts named through the caller's colour table.
// It borrows the entry and must not outlive it.
#ifndef TOMELING_LAYOUT_ENTRY_BOOK_H_
#define TOMELING_LAYOUT_ENTRY_BOOK_H_

#include <functional>
#include <memory>
#include <string>

#include "layout/layout_book.h"

struct SubbookEntry;
class CSubbookMedia;

class CEntryLayoutBook : public CLayoutBook {
 public:
  // The colour of a colour chart's ASCII name; false when unknown.
  using ColourLookup = std::function<bool(const std::string& name, Colour* colour)>;

  // `ebxac` and `ebg` choose the face (the dictionary's configuration).
  CEntryLayoutBook(SubbookEntry& entry, bool ebxac, bool ebg, ColourLookup colours = nullptr);
  ~CEntryLayoutBook() override;

  int Face() const override { return m_face; }
  bool IsEbCatalog() const override;
  int GaijiSizes() const override;
  bool GetGlyph(bool half, int size, uint16_t code, Glyph* out) override;
  bool LoadImage(int kind, int32_t page, int offset, int width, int height, int fitWidth,
                 CBitmapImage* out) override;
  bool ImageSize(int kind, int32_t page, int offset, int* width, int* height) override;
  bool GetColourChart(int number, std::u16string* name, Colour* colour) override;

 private:
  SubbookEntry& m_entry;
  int m_face;
  ColourLookup m_colours;
  std::unique_ptr<CSubbookMedia> m_media;
};

#endif  // TOMELING_LAYOUT_ENTRY_BOOK_H_
