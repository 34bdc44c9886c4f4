// See index_names.h.
#include "reader/index_names.h"

#include <cstdio>

namespace {

struct Name {
  uint8_t id;
  const char* name;
};

constexpr Name kEbNames[] = {
    {0x09, "英単語JUMP見出し"},
    {0x21, "圧縮本文"},
    {0x22, "圧縮本文インデックス"},
};

constexpr Name kNames[] = {
    {0x00, "本文"},
    {0x01, "メニュー"},
    {0x02, "著作権表示"},
    {0x03, "条件検索見出し"},
    {0x04, "前方一致かな見出し"},
    {0x05, "前方一致表記形見出し"},
    {0x06, "後方一致かな見出し"},
    {0x07, "後方一致表記形見出し"},
    {0x08, "前方一致英字見出し"},
    {0x09, "後方一致英字見出し"},
    {0x0A, "クロス検索見出し"},
    {0x0B, "項目番号見出し"},
    {0x0D, "項目別条件検索見出し"},
    {0x0F, "図版見出し"},
    {0x10, "図版メニュー"},
    {0x11, "図版メニュー(カラー)"},
    {0x16, "検索固有名称定義データ"},
    {0x20, "メニュー"},
    {0x21, "著作権表示"},
    {0x23, "著作権表示(1行表示用)"},
    {0x24, "音声見出し"},
    {0x30, "かなINDEX"},
    {0x40, "英字INDEX"},
    {0x50, "漢字INDEX"},
    {0x60, "表記形INDEX"},
    {0x61, "英単語JUMP"},
    {0x70, "後方一致かなINDEX"},
    {0x71, "後方一致表記形INDEX"},
    {0x72, "後方一致英字INDEX"},
    {0x80, "条件検索INDEX"},
    {0x81, "クロス検索INDEX"},
    {0x90, "前方一致かなINDEX"},
    {0x91, "前方一致表記形INDEX"},
    {0x92, "前方一致英字INDEX"},
    {0xA0, "項目番号INDEX"},
    {0xA1, "項目別条件検索INDEX"},
    {0xB0, "ページ検索INDEX"},
    {0xB1, "漢字INDEX"},
    {0xD0, "モノクロ図版"},
    {0xD1, "拡張モノクロ図版"},
    {0xD2, "カラー図版"},
    {0xD8, "PCM音声"},
    {0xE0, "色見本"},
    {0xEE, "オートデモ"},
    {0xEF, "図版見出し(カラー)"},
    {0xF0, "暗証"},
    {0xF1, "外字(16×16ドット)"},
    {0xF2, "外字(8×16ドット)"},
    {0xF3, "外字(24×24ドット)"},
    {0xF4, "外字(12×24ドット)"},
    {0xF5, "外字(32×30ドット)"},
    {0xF6, "外字(16×30ドット)"},
    {0xF7, "外字(48×48ドット)"},
    {0xF8, "外字(24×48ドット)"},
    {0xFB, "外字代替表?(SEBXA)"},
    {0xFF, "複合検索管理情報"},
};

template <size_t N>
const char* Lookup(const Name (&table)[N], uint8_t id) {
  for (const Name& n : table)
    if (n.id == id) return n.name;
  return nullptr;
}

}  // namespace

const char* IndexName(uint8_t id, bool ebBook) {
  if (ebBook) {
    if (const char* name = Lookup(kEbNames, id)) return name;
  }
  if (const char* name = Lookup(kNames, id)) return name;
  if (id <= 0x2F || (id >= 0x70 && id <= 0xBF)) return "その他のテキストデータ";
  if (id >= 0xD0 && id <= 0xDF) return "マルチメディアデータ";
  return "";
}

std::string IndexDisplayName(uint8_t id, bool ebBook) {
  char hex[8];
  std::snprintf(hex, sizeof(hex), "[%02X]", id);
  return std::string(hex) + IndexName(id, ebBook);
}

int IndexClass(uint8_t id) {
  switch (id) {
    case 0x30: case 0x40: case 0x50: case 0x60:
      return 1;
    case 0x61: case 0x70: case 0x71: case 0x72: case 0x90: case 0x91: case 0x92:
      return 2;
    case 0x80: case 0x81:
      return 3;
    case 0xA0: case 0xA1:
      return 4;
    default:
      return 0;
  }
}
