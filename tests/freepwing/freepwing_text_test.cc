// Decoding the FreePWING dictionary of freepwing_book.h: headings, entry
// texts, references, menu and copyright notice hold what the parser wrote,
// the external-character fonts give back the bitmaps of gaiji/*.xbm, and
// the images and sounds of media/ load from the positions the text gives.
#include <gtest/gtest.h>

#include "common/run_command.h"
#include "decode/media_book.h"
#include "decode/media_tags.h"
#include "reader/subbook_media.h"
#include "freepwing/freepwing_book.h"
#include "reader/menu_info.h"

namespace {

TEST_F(FreePwingBook, HeadingsAndTextsHoldWhatTheParserWrote) {
  for (size_t i = 0; i < m_entries.size(); ++i) {
    const Entry& e = m_entries[i];
    EXPECT_EQ(PlainText(Decode(e.headingPage, e.headingOffset, true)), e.Heading());

    std::string markup = Decode(e.textPage, e.textOffset, false);
    std::string text = PlainText(markup);
    std::string english;
    for (const std::string& w : e.english) english += (english.empty() ? "" : ", ") + w;
    std::string expected = e.Heading() + "\n" + english + "\n" + AsDecoded(e.description) + "\n";
    if (!e.see.empty()) expected += "→" + e.see + "\n";
    // The text stops where the next entry begins.
    EXPECT_EQ(text.substr(0, expected.size()), expected) << markup;
    if (i + 1 < m_entries.size()) {
      EXPECT_EQ(text.find(m_entries[i + 1].description), std::string::npos) << e.reading << ": " << markup;
    }

    // A see-also reference leads to the other entry's text.
    std::vector<std::pair<int32_t, int>> links = LinkTargets(markup);
    if (e.see.empty()) {
      EXPECT_TRUE(links.empty()) << markup;
    } else {
      const Entry* target = EntryByReading(e.see);
      ASSERT_NE(target, nullptr);
      ASSERT_EQ(links.size(), 1u) << markup;
      EXPECT_EQ(links[0], std::make_pair(target->textPage, target->textOffset)) << e.reading;
    }
  }
}

TEST_F(FreePwingBook, MenuLeadsThroughTheGroupsToEveryEntry) {
  const IndexEntry* menu = MenuArea(*m_reader);
  ASSERT_NE(menu, nullptr);
  std::string top = Decode(menu->startPage, 0, false);
  const std::string heading = "くだもの・どうぶつ・いろ\n果物\n動物\n色\n";
  EXPECT_EQ(PlainText(top).substr(0, heading.size()), heading) << top;

  std::set<const Entry*> reached;
  std::vector<std::pair<int32_t, int>> groups = LinkTargets(top);
  ASSERT_EQ(groups.size(), 3u) << top;
  for (const auto& [page, offset] : groups) {
    EXPECT_TRUE(menu->HoldsPage(page));
    std::string list = Decode(page, offset, false);
    std::string text = PlainText(list);
    for (const auto& [entryPage, entryOffset] : LinkTargets(list)) {
      const Entry* e = EntryAt(entryPage, entryOffset);
      ASSERT_NE(e, nullptr) << entryPage << ":" << entryOffset << " in " << list;
      EXPECT_NE(text.find(e->Heading()), std::string::npos) << text;
      EXPECT_NE(text.find("【" + e->group + "】"), std::string::npos) << text;
      reached.insert(e);
    }
  }
  EXPECT_EQ(reached.size(), m_entries.size());
}

TEST_F(FreePwingBook, ExternalCharacterFontsHoldTheBitmaps) {
  // The text reader knows both fonts (for the decoder's gaiji ranges); the
  // glyphs come from the font file of the slot.
  EXPECT_EQ(m_reader->HalfFont().width, 8);
  EXPECT_EQ(m_reader->FullFont().width, 16);
  for (int slot : {0, 1}) {
    const bool half = slot == 0;
    auto chars = ReadCharacterList(half ? "halfchars.txt" : "fullchars.txt");
    CEBReader* font = m_entry->fontReaders[slot].get();
    ASSERT_NE(font, nullptr) << slot;
    const FontInfo& info = font->HalfFont();
    EXPECT_EQ(info.width, half ? 8 : 16);
    EXPECT_EQ(info.height, 16);
    EXPECT_EQ(info.firstCode, 0xA121);
    EXPECT_EQ(info.count, static_cast<int>(chars.size()));

    for (size_t i = 0; i < chars.size(); ++i) {
      int width = 0;
      std::vector<uint8_t> bits = ReadXbm(chars[i].second, &width);
      ASSERT_EQ(width, info.width) << chars[i].first;
      ASSERT_EQ(bits.size(), static_cast<size_t>(width / 8 * 16)) << chars[i].first;
      Glyph glyph;
      ASSERT_TRUE(font->GetGlyph(width, 16, CharacterCode(i), &glyph)) << chars[i].first;
      EXPECT_EQ(glyph.width, width);
      EXPECT_EQ(glyph.height, 16);
      EXPECT_EQ(std::vector<uint8_t>(glyph.bits, glyph.bits + bits.size()), bits) << chars[i].first;
    }
    Glyph none;
    EXPECT_FALSE(font->GetGlyph(info.width, 16, CharacterCode(chars.size()), &none));
  }
}

TEST_F(FreePwingBook, ImagesAndSoundsLoadFromTheirData) {
  const IndexEntry* imageArea = m_reader->FindIndex(0xD2);
  const IndexEntry* sounds = m_reader->FindIndex(0xD8);
  ASSERT_NE(imageArea, nullptr);
  ASSERT_NE(sounds, nullptr);

  CSubbookMedia media(*m_entry);
  std::vector<CBitmapImage> images;

  // FreePWING keeps a colour image behind an 8-byte header: "data" and the
  // length, little-endian.
  for (const auto& [reading, file] : {std::pair{"りんご", "media/apple.jpg"}, {"あお", "media/sky.bmp"}}) {
    const Entry* e = EntryByReading(reading);
    ASSERT_NE(e, nullptr);
    std::string markup = Decode(e->textPage, e->textOffset, false);
    size_t at = markup.find("</FIG[");
    ASSERT_NE(at, std::string::npos) << markup;
    unsigned page = 0, offset = 0, width = 0, height = 0, kind = 0;
    ASSERT_EQ(std::sscanf(markup.c_str() + at, "</FIG[%8X:%4X](%4u*%4u:%1u)>", &page, &offset, &width, &height, &kind),
              5)
        << markup;
    EXPECT_EQ(kind, 1u) << markup;
    EXPECT_EQ(width, 0u);
    EXPECT_EQ(height, 0u);
    EXPECT_TRUE(imageArea->HoldsPage(static_cast<int32_t>(page))) << markup;

    std::vector<uint8_t> data = ReadSourceFile(file);
    ASSERT_FALSE(data.empty()) << file;
    std::vector<uint8_t> stored = ReadAt(static_cast<int32_t>(page), static_cast<int>(offset), 8 + data.size());
    const uint8_t header[8] = {'d', 'a', 't', 'a', static_cast<uint8_t>(data.size()),
                               static_cast<uint8_t>(data.size() >> 8), 0, 0};
    EXPECT_EQ(std::vector<uint8_t>(stored.begin(), stored.begin() + 8), std::vector<uint8_t>(header, header + 8));
    EXPECT_EQ(std::vector<uint8_t>(stored.begin() + 8, stored.end()), data) << file;

    ImageTag tag;
    ASSERT_TRUE(FindImageTag(std::string_view(markup).substr(at), &tag)) << markup;
    CBitmapImage image;
    ASSERT_TRUE(LoadTagImage(media.Book(), tag, &image)) << file;
    images.push_back(std::move(image));
  }

  // The JPEG: 12 x 10, a red disc on white. The BMP: 6 x 4 sky blue with a
  // white line in its second row.
  ASSERT_EQ(images.size(), 2u);
  EXPECT_EQ(images[0].Width(), 12);
  EXPECT_EQ(images[0].Height(), 10);
  uint32_t centre = images[0].PixelRgb(6, 5), corner = images[0].PixelRgb(0, 0);
  EXPECT_TRUE((centre >> 16) > 150 && (centre >> 8 & 0xFF) < 90) << std::hex << centre;
  EXPECT_TRUE((corner >> 16) > 220 && (corner >> 8 & 0xFF) > 220 && (corner & 0xFF) > 220) << std::hex << corner;
  EXPECT_EQ(images[1].Width(), 6);
  EXPECT_EQ(images[1].Height(), 4);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 6; ++x) {
      EXPECT_EQ(images[1].PixelRgb(x, y), y == 1 && x >= 1 && x <= 4 ? 0xFFFFFFu : 0x87CEEBu) << x << "," << y;
    }
  }

  // A sound is the wave file from its "fmt " chunk on; FreePWING gives the
  // position of its first and of its last byte, and digits that tell a
  // wave carrying its own chunks, mono, 16 or 8 bits. (The rate digit is
  // always 2: FreePWING compares the rate with 441000 and 220500.)
  for (const auto& [reading, file, digits] :
       {std::tuple{"ねこ", "media/meow.wav", "(1:0:0:0:2)"}, {"いぬ", "media/woof.wav", "(1:0:0:1:2)"}}) {
    const Entry* e = EntryByReading(reading);
    ASSERT_NE(e, nullptr);
    std::string markup = Decode(e->textPage, e->textOffset, false);
    size_t at = markup.find("</WAV[");
    ASSERT_NE(at, std::string::npos) << markup;
    unsigned page = 0, offset = 0, endPage = 0, endOffset = 0;
    ASSERT_EQ(std::sscanf(markup.c_str() + at, "</WAV[%8X:%4X][%8X:%4X]", &page, &offset, &endPage, &endOffset), 4)
        << markup;
    EXPECT_EQ(markup.substr(at + 35, 11), digits) << markup;
    EXPECT_TRUE(sounds->HoldsPage(static_cast<int32_t>(page))) << markup;
    std::vector<uint8_t> wave = ReadSourceFile(file);
    ASSERT_GT(wave.size(), 12u);
    std::vector<uint8_t> tail(wave.begin() + 12, wave.end());
    EXPECT_EQ(ReadAt(static_cast<int32_t>(page), static_cast<int>(offset), tail.size()), tail) << file;
    const int64_t last = (int64_t{page} - 1) * 2048 + offset + static_cast<int64_t>(tail.size()) - 1;
    EXPECT_EQ((int64_t{endPage} - 1) * 2048 + endOffset, last) << markup;

    // The wave built for playing is the file again, byte for byte: the end
    // is the last byte, and the RIFF header counts it.
    WaveTag tag;
    ASSERT_TRUE(FindWaveTag(std::string_view(markup).substr(at), &tag)) << markup;
    EXPECT_EQ(BuildTagWave(media.Book(), tag), wave) << file;

    // `tomeling extract` writes the same file.
    if (!std::filesystem::exists(kTomeling)) continue;
    CTempDir out;
    std::string command = kTomeling + " extract --book '" + BookFile("") + "' --tag '" +
                          markup.substr(at, markup.find('>', at) + 1 - at) + "' --out '" + out.File("s.wav") + "'";
    std::string printed;
    EXPECT_EQ(RunCommand(command, &printed), 0) << command;
    EXPECT_EQ(ReadWholeFile(out.File("s.wav")), wave) << file;
  }
}

TEST_F(FreePwingBook, CopyrightNoticeDecodes) {
  ASSERT_TRUE(HasCopyright(*m_reader));
  const IndexEntry* copyright = CopyrightArea(*m_reader);
  ASSERT_NE(copyright, nullptr);
  EXPECT_EQ(PlainText(Decode(copyright->startPage, 0, false)),
            "トメリング試験用辞書\nこの辞書はトメリングの試験のために作った。\n"
            "Copyright (C) 2026 Tomeling authors\n");
}

}  // namespace
