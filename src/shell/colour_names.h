// CColourNames: the colour-name table of "color.dat", which the layout
// consults for colour-chart markup.
//
//   # name,red,green,blue
//   akane,183,40,46
//
// Each line (at most 254 characters; a longer one is cut) is split at
// commas and needs four fields: the name (cut to 23 bytes) and three
// decimal numbers. At most 512 entries are kept; a missing file leaves the
// table empty.
#ifndef TOMELING_SHELL_COLOUR_NAMES_H_
#define TOMELING_SHELL_COLOUR_NAMES_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

constexpr int kMaxColourNames = 512;
constexpr size_t kMaxColourNameBytes = 23;

struct ColourName {
  std::string name;
  int32_t red = 0, green = 0, blue = 0;
};

class CColourNames {
 public:
  // Empties the table and reads `path`: false when it cannot be opened.
  bool LoadColorTable(const std::string& path);
  // Empties the table and reads file text.
  void Parse(std::string_view text);

  // The components of the first entry called `name`; false, with 255 in
  // each, when there is none.
  bool LookUpColor(std::string_view name, int32_t* red, int32_t* green, int32_t* blue) const;

  const std::vector<ColourName>& Entries() const { return m_entries; }

 private:
  std::vector<ColourName> m_entries;
};

#endif  // TOMELING_SHELL_COLOUR_NAMES_H_
