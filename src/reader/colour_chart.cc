// Colour-chart records; see colour_chart.h.
#include "reader/colour_chart.h"

#include "decode/char_conv.h"
#include "decode/ebcdic.h"

namespace {

constexpr uint8_t kColourChartId = 0xE0;
constexpr int kNameBytes = 20;

}  // namespace

int ReadColourChart(CEBReader& reader, int number, std::string* name, std::string* text) {
  if (name) name->clear();
  if (text) text->clear();
  const IndexEntry* area = reader.IsOpen() ? reader.FindIndex(kColourChartId) : nullptr;
  if (area == nullptr || number < 1 || number > area->pageCount) return 0;
  reader.SeekPage(area->startPage + number - 1);
  const uint8_t* page = reader.PageData();
  if (name) {
    for (int i = 0; i < kNameBytes && page[i] != 0; ++i) name->push_back(EbcdicToAscii(page[i]));
  }
  if (text) {
    text->assign(kPageSize - kNameBytes + 1, '\0');
    size_t n = JisStringToSjis(text->data(), reinterpret_cast<const char*>(page + kNameBytes), kPageSize - kNameBytes);
    text->resize(n);
  }
  return 1;
}
