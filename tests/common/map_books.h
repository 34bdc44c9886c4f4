// Books with image maps and graphic menus for the tests of the graphic
// window, written by the bookwriter from source text and opened through a
// dictionary session as the program opens them. Pictures: the demo
// dictionary's (data/demo/media: sakura 40 x 40 colour, neko 48 x 48
// monochrome) and three made here: a scene of 320 x 240, the same at the
// 256 x 200 of EB graphic menus, and a monochrome strip 1,024 pixels wide.
//
// kEpwingMapSource, entries:
//   0 地図  {map sakura}: areas (0,0,20,20) -> 猫 and (20,20,20,20) -> 犬
//   1 猫    a figure (neko); in indexes 0x90, 0x70 and 0x80
//   2 犬    a colour figure (sakura)
//   3 広い  {map wide}: the 1024 x 4 strip
//   4 景色  {map scene}: area (0,0,100,100) -> 猫
// With WriteEpwing the book also gets a complex search (0xFF) and a menu
// (0x01), and a graphic menu (0x10): the scene, with area (10,10,50,50) ->
// 犬, as EPWING graphic menus are coded.
//
// kEbMapSource (an EB book, whose map areas are points), entries:
//   0 地図  {map scene} (256 x 200): points (10,5) -> 猫, (100,60) -> 犬,
//           and (270,195) -> 猫, off the picture
//   1 猫    with an XA sound "bell"
//   2 犬    {map ink} (neko): point (30,30) -> 猫
#ifndef TOMELING_TESTS_COMMON_MAP_BOOKS_H_
#define TOMELING_TESTS_COMMON_MAP_BOOKS_H_

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bookwriter/book_source.h"
#include "bookwriter/search_areas_writer.h"
#include "bookwriter/text_encoder.h"
#include "common/temp_dir.h"
#include "reader/eb_reader.h"
#include "common/book_session.h"
#include "shell/dict_session.h"

inline constexpr const char* kEpwingMapSource = R"(book epwing
subbook MAPS 図版の本
  index 90
  index 70
  index 80
  image sakura jpeg data media/sakura.ppm
  image neko mono media/neko.pbm
  image scene jpeg media/scene.ppm
  image wide mono media/wide.pbm
  entry 地図
    body {map sakura}桜の地図{area 0 0 20 20 猫}{area 20 20 20 20 犬}{/map}
  entry 猫
    body {fig neko}猫の顔{/fig}
    word 90 ねこ
    word 70 ねこ
    word 80 猫
  entry 犬
    body {cfig sakura}桜{/cfig}
    word 90 いぬ
  entry 広い
    body {map wide}広い絵{area 0 0 10 4 猫}{/map}
  entry 景色
    body {map scene}景色{area 0 0 100 100 猫}{/map}
)";

inline constexpr const char* kEbMapSource = R"(book eb
subbook EBMAP 地図の本
  index 90
  image ink mono media/neko.pbm
  image scene jpeg media/eb_scene.ppm
  sound bell xa media/suzu.wav
  entry 地図
    body {map scene}景色{area 10 5 0 0 猫}{area 100 60 0 0 犬}{area 270 195 0 0 猫}{/map}
  entry 猫
    body 猫の項目{sound bell}鈴{/sound}
    word 90 ねこ
  entry 犬
    body {map ink}猫の地図{area 30 30 0 0 猫}{/map}
    word 90 いぬ
)";

class CMapBook {
 public:
  CMapBook() {
    std::string media = TOMELING_SOURCE_DIR "/data/demo/media/";
    std::filesystem::create_directories(m_dir.Path() / "media");
    for (const char* name : {"sakura.ppm", "neko.pbm", "suzu.wav"})
      std::filesystem::copy_file(media + name, m_dir.Path() / "media" / name);
    m_dir.Write("media/scene.ppm", Scene(320, 240));
    m_dir.Write("media/eb_scene.ppm", Scene(256, 200));
    m_dir.Write("media/wide.pbm", WideStrip());
  }

  // Writes `source` as it stands.
  bool Write(const std::string& source) { return WriteBook(source, false); }
  // kEpwingMapSource with its complex search, menu and graphic menu.
  bool WriteEpwing() { return WriteBook(kEpwingMapSource, true); }

  CDictSession& Session() { return *m_session; }
  const std::string& Error() const { return m_error; }
  BookPos Text(size_t entry) const { return m_written.subbooks[0].text[entry]; }
  // First page of the area `id` of the book's index table; 0 without one.
  int32_t AreaStart(uint8_t id) {
    CEBReader* reader = m_session->Display(0).reader;
    const IndexEntry* area = reader != nullptr ? reader->FindIndex(id) : nullptr;
    return area != nullptr ? area->startPage : 0;
  }
  const WrittenSubbook::Media* Media(const std::string& name) const {
    for (const auto& m : m_written.subbooks[0].media)
      if (m.name == name) return &m;
    return nullptr;
  }
  // Entry `entry` as the content view has it (wide form), from its map on:
  // what the content view sends with UM_SHOW_NAMED_GRAPHIC.
  std::u16string MapText(size_t entry) {
    std::u16string wide = m_session->Entry(0, Text(entry).page, Text(entry).offset).wide;
    size_t at = wide.find(u"<MAP>");
    if (at == std::u16string::npos) at = wide.find(u"<FIG>");
    return at == std::u16string::npos ? wide : wide.substr(at);
  }

 private:
  // A picture of sky, a sun and a hill.
  static std::vector<uint8_t> Scene(int w, int h) {
    std::string head = "P6\n" + std::to_string(w) + " " + std::to_string(h) + "\n255\n";
    std::vector<uint8_t> out(head.begin(), head.end());
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        int r = 120 + y / 3, g = 170 + y / 4, b = 240;
        int sx = x - w * 3 / 4, sy = y - h / 4;
        if (sx * sx + sy * sy < 900) r = 250, g = 200, b = 40;
        int hill = h / 2 + (x - w / 3) * (x - w / 3) / 500;
        if (y > hill) r = 60, g = 150 - (y - hill) / 4, b = 60;
        out.push_back(static_cast<uint8_t>(r));
        out.push_back(static_cast<uint8_t>(g));
        out.push_back(static_cast<uint8_t>(b));
      }
    }
    return out;
  }

  // 1024 x 4, stripes of 8 pixels.
  static std::vector<uint8_t> WideStrip() {
    std::string head = "P4\n1024 4\n";
    std::vector<uint8_t> out(head.begin(), head.end());
    out.resize(out.size() + 128 * 4, 0xF0);
    return out;
  }

  // The graphic menu of area 0x10, EPWING codes: <MAP>, the scene as a
  // colour figure, one area leading to 犬, </MAP>. Positions come from a
  // first writing (`written` null: zeros), which places everything the
  // same way.
  std::vector<uint8_t> GraphicMenu(const WrittenBook* written) const {
    BookPos scene, dog;
    if (written != nullptr) {
      for (const auto& m : written->subbooks[0].media)
        if (m.name == "scene") scene = m.start;
      dog = written->subbooks[0].text[2];
    }
    CTextEncoder t;
    t.Escape(kEscBeginText);
    t.Escape(0x4C);
    t.Bcd(0, 2);
    t.Escape(0x4D);
    for (int v : {0, 0, 0, 0, 320, 240}) t.Bcd(static_cast<uint32_t>(v), 2);
    t.Pos(scene);
    t.Text("景色");
    t.Escape(0x6D);
    t.Escape(0x4F);
    for (int v : {0, 0, 0, 10, 10, 50, 50}) t.Bcd(static_cast<uint32_t>(v), 2);
    for (int bytes : {4, 2, 4, 2}) t.Bcd(0, bytes);
    t.Pos(dog);
    t.Escape(0x6F);
    t.Escape(0x6C);
    t.Escape(kEscEndText);
    return std::move(t.Bytes());
  }

  bool WriteBook(const std::string& source, bool searchAreas) {
    BookSource book;
    WriteOptions options;
    if (!ParseBookSource(source, &book, &options, &m_error, m_dir.Path().string())) return false;
    std::string dir = m_dir.File("book");
    SearchAreasSource areas;
    if (searchAreas) {
      areas.multiAreas = {{MultiSearchSource{"条件", {0x90}}}};
      areas.menu = {"目次"};
      book.subbooks[0].dataAreas.emplace_back(0x10, GraphicMenu(nullptr));
      if (!WriteBookWithSearchAreas(book, {areas}, dir, options, &m_written, &m_error)) return false;
      book.subbooks[0].dataAreas.back().second = GraphicMenu(&m_written);
      std::filesystem::remove_all(dir);
    }
    if (!WriteBookWithSearchAreas(book, {areas}, dir, options, &m_written, &m_error)) return false;
    m_session = OpenBookSession(m_dir, m_written.catalogPath);
    if (!m_session) {
      m_error = "the written book does not open";
      return false;
    }
    return true;
  }

  CTempDir m_dir;
  WrittenBook m_written;
  std::string m_error;
  std::unique_ptr<CDictSession> m_session;
};

#endif  // TOMELING_TESTS_COMMON_MAP_BOOKS_H_
