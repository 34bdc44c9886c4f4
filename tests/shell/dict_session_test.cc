// The session reads a dictionary through its "profile.ini" record: the
// gaiji map it names and its decoder settings reach the wide markup, and
// its EBXA-C and EBG flags choose the face the line manager draws with --
// for that dictionary only.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "catalog/book_list.h"
#include "catalog/subbook_entry.h"
#include "common/temp_dir.h"
#include "decode/cp932.h"
#include "layout/entry_book.h"
#include "layout/fixed_canvas.h"
#include "layout/line_mgr.h"
#include "reader/eb_reader.h"
#include "shell/dict_session.h"
#include "shell/plain_text.h"
#include "shell_books.h"

namespace {

using FaceSet = std::set<std::u16string>;

// Animals whose entries also show a full-width gaiji, B021.
SubbookSource GaijiSubbook(const std::string& dir) {
  SubbookSource s = AnimalSubbook(dir, AnimalWords());
  for (BookEntry& e : s.entries) e.body.push_back("記号：{gaiji B021}");
  return s;
}

class DictSessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_catalog =
        WriteShellBook(m_dir.File("book"), {GaijiSubbook("ALPHA"), GaijiSubbook("BETA"), GaijiSubbook("ZHONG_RI")});
    ASSERT_FALSE(m_catalog.empty());
    m_dir.Write("app/GAIJI/ANIMAL.MAP", "zB021\tu25CE\n");
  }

  std::unique_ptr<CDictSession> SessionWith(const std::string& profile) {
    m_dir.Write("app/profile.ini", profile);
    SessionOptions options;
    options.home = m_dir.File("app");
    options.profilePath = m_dir.File("store.ini");
    auto session = std::make_unique<CDictSession>(options);
    EXPECT_EQ(session->Books().AddBook(m_catalog), 3);
    session->BooksChanged();
    return session;
  }

  // Dictionary `dict`'s entry for いぬ, as the layout gets it.
  std::u16string Entry(CDictSession& session, int dict) {
    DictDisplay d = session.Display(dict);
    if (d.entry == nullptr) return u"(not opened)";
    std::vector<HitEntry> hits;
    if (d.reader->WordSearch(Utf16ToCp932(u"いぬ")) > 0) d.reader->GetHitEntSorted(&hits);
    if (hits.empty()) return u"(no hit)";
    return session.Entry(dict, hits[0].textPage, hits[0].textOffset).wide;
  }

  // The faces of every text run of dictionary `dict`'s entry, laid out and
  // drawn with a distinct name for each face.
  FaceSet Faces(CDictSession& session, int dict) {
    std::unique_ptr<CLayoutBook> book = session.LayoutBook(dict);
    if (!book) return {};
    EXPECT_EQ(book->Face(), session.Display(dict).face);
    std::u16string text = u"<HEAD>犬</HEAD>\r\ndog &zB021; <B>bold</B>\r\n";
    CLineMgr mgr;
    mgr.SetFonts(u"Japanese", u"EBG", u"EBXA-C", 16, true, true, true);
    mgr.SetViewWidth(240);
    CFixedCanvas canvas;
    LayoutOptions options;
    mgr.Layout(text.data(), static_cast<int>(text.size()), canvas, book.get(), options);
    mgr.Draw(text.data(), 0, 0, 240, 200, 0, 0, canvas, book.get(), options);
    FaceSet faces;
    for (const CFixedCanvas::Record& r : canvas.Records())
      if (r.op == CFixedCanvas::Op::kText && r.font != nullptr) faces.insert(r.font->face);
    return faces;
  }

  CTempDir m_dir;
  std::string m_catalog;
};

TEST_F(DictSessionTest, TheNamedGaijiMapAndDecoderSettingsReachTheMarkup) {
  auto plain = SessionWith("");
  std::u16string asIs = Entry(*plain, 0);
  EXPECT_NE(asIs.find(u"&zB021;"), std::u16string::npos) << ToUtf8(asIs);
  EXPECT_NE(asIs.find(u"ｄｏｇ"), std::u16string::npos) << ToUtf8(asIs);

  auto mapped = SessionWith("[x]\nDICT=ALPHA\nGAIJIMAP=ANIMAL.MAP\nHANKAKU=1\n");
  std::u16string alpha = Entry(*mapped, 0);
  EXPECT_NE(alpha.find(u"記号:◎"), std::u16string::npos) << ToUtf8(alpha);
  EXPECT_EQ(alpha.find(u"&zB021;"), std::u16string::npos) << ToUtf8(alpha);
  EXPECT_NE(alpha.find(u"dog"), std::u16string::npos) << ToUtf8(alpha);
  // The other dictionaries of the list are read as they stand.
  EXPECT_EQ(Entry(*mapped, 1), asIs);

  // A map that is not in the GAIJI folder leaves the entity alone.
  auto missing = SessionWith("[x]\nDICT=ALPHA\nGAIJIMAP=OTHER.MAP\n");
  EXPECT_EQ(Entry(*missing, 0), asIs);
}

TEST_F(DictSessionTest, AMapNamedAfterTheDirectoryNeedsNoRecord) {
  m_dir.Write("app/GAIJI/BETA.MAP", "zB021\tu25C7\n");
  auto plain = SessionWith("");
  EXPECT_NE(Entry(*plain, 1).find(u"記号：◇"), std::u16string::npos) << ToUtf8(Entry(*plain, 1));
  EXPECT_NE(Entry(*plain, 0).find(u"&zB021;"), std::u16string::npos);
  // A record's own map name wins, and one that is missing is not replaced
  // by the directory's.
  auto named = SessionWith("[x]\nDICT=BETA\nGAIJIMAP=ANIMAL.MAP\n");
  EXPECT_NE(Entry(*named, 1).find(u"記号：◎"), std::u16string::npos);
  auto missing = SessionWith("[x]\nDICT=BETA\nGAIJIMAP=OTHER.MAP\n");
  EXPECT_NE(Entry(*missing, 1).find(u"&zB021;"), std::u16string::npos);
  // The folder takes the suffix in any case.
  m_dir.Write("app/GAIJI/ALPHA.map", "zB021\tu25C6\n");
  EXPECT_NE(Entry(*SessionWith(""), 0).find(u"記号：◆"), std::u16string::npos);
}

TEST_F(DictSessionTest, TheRecordChoosesTheFaceTheLineManagerDrawsWith) {
  auto plain = SessionWith("");
  EXPECT_EQ(Faces(*plain, 0), (FaceSet{u"Japanese"}));
  // A book whose directory is ZHONG_RI is EBXA-C without being told.
  EXPECT_EQ(Faces(*plain, 2), (FaceSet{u"EBXA-C"}));

  auto ebxac = SessionWith("[x]\nDICT=ALPHA\nEBXA-C=1\n");
  EXPECT_EQ(Faces(*ebxac, 0), (FaceSet{u"EBXA-C"}));
  EXPECT_EQ(Faces(*ebxac, 1), (FaceSet{u"Japanese"}));

  auto ebg = SessionWith("[x]\nDICT=BETA\nEBG=1\n");
  EXPECT_EQ(Faces(*ebg, 1), (FaceSet{u"EBG"}));
  EXPECT_EQ(Faces(*ebg, 0), (FaceSet{u"Japanese"}));

  // EBXA-C wins over EBG; EBG=0 keeps a two-byte book on the Japanese face.
  auto both = SessionWith("[x]\nDICT=ALPHA\nEBXAC=1\nEBG=1\n[y]\nDICT=BETA\nEBG=0\n");
  EXPECT_EQ(Faces(*both, 0), (FaceSet{u"EBXA-C"}));
  EXPECT_EQ(Faces(*both, 1), (FaceSet{u"Japanese"}));
}

}  // namespace
