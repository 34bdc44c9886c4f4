// The one place that opens iconv for code page 932. Each thread keeps one
// descriptor per direction for its life: opening one costs far more than
// converting a short string, and a descriptor must not be shared between
// threads.

#include "decode/cp932.h"

#include <iconv.h>

#include <bit>
#include <cerrno>
#include <cstring>

#include "decode/char_conv.h"
#include "storage/fatal.h"

namespace {

constexpr const char* kUtf16 =
    std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";

class CIconv {
 public:
  CIconv(const char* to, const char* from) : m_cd(iconv_open(to, from)) {
    if (m_cd == reinterpret_cast<iconv_t>(-1)) {
      FatalError("iconv_open error in CIconv::CIconv[m_cd]");
    }
  }
  ~CIconv() { iconv_close(m_cd); }
  CIconv(const CIconv&) = delete;
  CIconv& operator=(const CIconv&) = delete;

  // Converts as much of [*in, *in + *in_left) as it can into the output,
  // advancing both. Returns 0 or the errno of the stop.
  int Convert(const char** in, size_t* in_left, char** out, size_t* out_left) {
    char* src = const_cast<char*>(*in);
    size_t result = iconv(m_cd, &src, in_left, out, out_left);
    *in = src;
    return result == static_cast<size_t>(-1) ? errno : 0;
  }

  // Forgets any shift state left by an interrupted conversion.
  void Reset() { iconv(m_cd, nullptr, nullptr, nullptr, nullptr); }

 private:
  iconv_t m_cd;
};

CIconv& FromCp932() {
  thread_local CIconv cd(kUtf16, "CP932");
  return cd;
}

CIconv& ToCp932() {
  thread_local CIconv cd("CP932", kUtf16);
  return cd;
}

bool IsTrail(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

// Bytes of the undecodable character at `p`: a lead byte takes its trail
// with it, so an ASCII-looking trail is not shown as a character of its own.
size_t BadCp932Length(const char* p, size_t left) {
  if (left >= 2 && IsSjisLead(static_cast<unsigned char>(p[0])) &&
      IsTrail(static_cast<unsigned char>(p[1]))) {
    return 2;
  }
  return 1;
}

// Bytes of the unmappable UTF-16 character at `p`: a surrogate pair is one
// character. A stray odd byte at the end (never from a u16string_view) goes
// whole.
size_t BadUtf16Length(const char* p, size_t left) {
  if (left < 2) return left;
  char16_t units[2] = {};
  std::memcpy(units, p, left >= 4 ? 4 : 2);
  if (left >= 4 && units[0] >= 0xD800 && units[0] <= 0xDBFF &&
      units[1] >= 0xDC00 && units[1] <= 0xDFFF) {
    return 4;
  }
  return 2;
}

// Runs `cd` over the whole input into `result`, writing `replacement` for
// each character it cannot take; `bad_length` says how many input bytes
// that character spans. The output is sized for the usual case and grown
// should iconv ever ask for more.
template <typename Out>
void ConvertAll(CIconv& cd, const char* in, size_t in_left, Out* result,
                const Out& replacement,
                size_t (*bad_length)(const char*, size_t)) {
  cd.Reset();
  size_t used = 0;
  while (true) {
    char* out = reinterpret_cast<char*>(result->data()) + used;
    size_t out_left = result->size() * sizeof((*result)[0]) - used;
    int error = cd.Convert(&in, &in_left, &out, &out_left);
    used = static_cast<size_t>(out - reinterpret_cast<char*>(result->data()));
    if (error == 0 || in_left == 0) break;
    if (error == E2BIG || out_left < replacement.size() * sizeof(replacement[0])) {
      result->resize(result->size() * 2 + replacement.size());
      continue;
    }
    size_t bad = error == EINVAL ? in_left : bad_length(in, in_left);
    std::memcpy(out, replacement.data(), replacement.size() * sizeof(replacement[0]));
    used += replacement.size() * sizeof(replacement[0]);
    in += bad;
    in_left -= bad;
    cd.Reset();
  }
  result->resize(used / sizeof((*result)[0]));
}

}  // namespace

std::u16string Cp932ToUtf16(std::string_view text) {
  // Every byte gives at most one unit.
  std::u16string result(text.size(), u'\0');
  ConvertAll(FromCp932(), text.data(), text.size(), &result,
             std::u16string(1, u'\uFFFD'), BadCp932Length);
  return result;
}

std::string Utf16ToCp932(std::u16string_view text) {
  // Every unit gives at most two bytes.
  std::string result(text.size() * 2, '\0');
  ConvertAll(ToCp932(), reinterpret_cast<const char*>(text.data()),
             text.size() * sizeof(char16_t), &result, std::string("?"),
             BadUtf16Length);
  return result;
}
