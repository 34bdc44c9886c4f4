// Complex search as the user fills it in: the definitions a subbook offers,
// the candidate lists behind their fields, and the terms the filled fields
// become.
//
// A subbook may hold up to ten definitions, one per multi-search control
// area (reader/multi_search.h), each titled by the search-method name of
// its slot. Read through CMultiSearch, a control area is a run of rows:
//
//   --住所        kind 0: a field begins; its label
//   [01]...       kind 1: the field's candidate list (a text page)
//   [A1]...       kinds 4-11, 13, 0x30 ... 0xA1: indexes that search it
//   --氏名        the next field
//
// Rows before the first label end the reading, as does a sixth label: the
// dialog has five fields. Rows of other kinds are ignored.
//
// A candidate list is text in the book: each item's text runs up to a
// "</MENU[PPPPPPPP:OOOO]>" tag, whose position leads to a further list
// when it is above 0; an item at position 0 is a value for the field.
//
//   CMultiSearch multi;
//   multi.Load(reader);
//   ComplexDefinition d = LoadComplexDefinition(multi, reader, 0);
//   auto items = ParseCandidates(ReadCandidateText(reader, config, d.fields[0].candidates));
//   std::vector<ComplexTerm> terms = {MakeComplexTerm(d.fields[0], u"東京")};
//   int n = RunComplexTerms(reader, terms, &overflow);   // terms run
#ifndef TOMELING_SHELL_COMPLEX_SEARCH_H_
#define TOMELING_SHELL_COMPLEX_SEARCH_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/index_entry.h"

class CEBReader;
class CMultiSearch;
struct DictConfig;

constexpr int kMaxComplexFields = 5;
// Bytes of Shift_JIS a field's text is cut to.
constexpr size_t kMaxComplexKeyBytes = 128;
// Bytes of a candidate text read, and characters of an item kept.
constexpr int kMaxCandidateTextBytes = 8000;
constexpr size_t kMaxCandidateItemLength = 255;

struct ComplexField {
  std::u16string label;
  int64_t candidates = 0;            // position (page * 2048 + offset); 0 for none
  std::vector<IndexEntry> searchRows;  // the indexes its text is searched in
};

struct ComplexDefinition {
  std::u16string title;              // "" when the book names none
  std::vector<ComplexField> fields;  // at most five
};

// Whether rows of `kind` search a field's text.
bool IsComplexSearchKind(uint8_t kind);

// Definition `n` (0-based) of the subbook whose areas `multi` has loaded;
// it selects that area in `multi`. No fields for an `n` out of range.
ComplexDefinition LoadComplexDefinition(CMultiSearch& multi, CEBReader& reader, int n);

// The definition after or before `n` of `count`, wrapping at both ends.
int NextDefinition(int n, int count);
int PreviousDefinition(int n, int count);

struct Candidate {
  std::u16string text;
  int64_t position = 0;  // page * 2048 + offset; above 0: a further list
};

// The display markup (wide form) of a candidate list as items: line breaks
// dropped, "&...;" entities kept as text, other tags skipped, each item
// ended by its "</MENU" tag. Text after the last such tag is no item.
std::vector<Candidate> ParseCandidates(std::u16string_view markup);

// The markup of the text at `position`, at most 8000 bytes of it, in the
// wide form ParseCandidates reads (Shift_JIS decoded, or byte by byte for a
// single-byte book). `config` may be null.
std::u16string ReadCandidateText(CEBReader& reader, const DictConfig* config, int64_t position);

// One filled field on its way to the reader.
struct ComplexTerm {
  std::vector<IndexEntry> rows;
  std::string key;  // Shift_JIS, at most 128 bytes, whole characters
};

// The term of `field` holding `text`.
ComplexTerm MakeComplexTerm(const ComplexField& field, std::u16string_view text);

// Runs the terms with keys in order, each at the level of the terms run
// before it, in the first of its rows that has pages. Returns the terms
// run (the level to read the hits with); `overflow` (may be null) tells
// whether the hit limit was reached.
int RunComplexTerms(CEBReader& reader, const std::vector<ComplexTerm>& terms, bool* overflow);

#endif  // TOMELING_SHELL_COMPLEX_SEARCH_H_
