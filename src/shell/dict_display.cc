#include "shell/dict_display.h"

#include "catalog/subbook_entry.h"
#include "reader/eb_reader.h"
#include "shell/dict_config.h"
#include "shell/plain_text.h"
#include "shell/settings.h"

DictDisplay PrepareDisplay(CSettings& settings, CBookList& list, int i) {
  DictDisplay d;
  SubbookEntry* entry = settings.PrepareDict(list, i);
  if (entry == nullptr || !entry->opened || !entry->textReader) return d;
  d.entry = entry;
  d.config = settings.ConfigForDict(i);
  d.gaijiMap = settings.GaijiMapForDict(list, i);
  d.ebxac = d.config != nullptr && d.config->ebxac != 0;
  // Read after the record's EBG flag reached the reader, which otherwise
  // keeps what it found in the book's fonts.
  d.ebg = entry->textReader->SingleByte();
  return d;
}

std::u16string DecodeEntryWide(const DictDisplay& display, int32_t page, int offset, int pageLimit) {
  if (display.entry == nullptr) return u"";
  CEBReader& reader = *display.entry->textReader;
  std::string markup = EntryMarkup(reader, display.config, page, offset, pageLimit);
  return WideMarkup(markup, reader.SingleByte(), display.gaijiMap);
}
