// iconv used directly as the reference the character conversions are
// checked against, independently of the program's own wrapper.
#ifndef TOMELING_TESTS_DECODE_ICONV_ORACLE_H_
#define TOMELING_TESTS_DECODE_ICONV_ORACLE_H_

#include <iconv.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

class CIconvOracle {
 public:
  CIconvOracle(const char* to, const char* from) : m_cd(iconv_open(to, from)) {
    if (m_cd == reinterpret_cast<iconv_t>(-1)) std::abort();
  }
  ~CIconvOracle() { iconv_close(m_cd); }
  CIconvOracle(const CIconvOracle&) = delete;
  CIconvOracle& operator=(const CIconvOracle&) = delete;

  // The whole input converted, or nothing if iconv rejects any of it.
  std::optional<std::string> Convert(std::string_view in) {
    iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
    std::string out(in.size() * 4 + 8, '\0');
    char* src = const_cast<char*>(in.data());
    size_t src_left = in.size();
    char* dst = out.data();
    size_t dst_left = out.size();
    if (iconv(m_cd, &src, &src_left, &dst, &dst_left) == static_cast<size_t>(-1)) {
      return std::nullopt;
    }
    out.resize(out.size() - dst_left);
    return out;
  }

 private:
  iconv_t m_cd;
};

// Big-endian UTF-16 bytes as a u16string, for comparing with the program's.
inline std::u16string FromUtf16Be(std::string_view bytes) {
  std::u16string s;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    s.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) << 8 |
                                      static_cast<unsigned char>(bytes[i + 1])));
  }
  return s;
}

inline std::string TwoBytes(unsigned value) {
  return std::string{static_cast<char>(value >> 8), static_cast<char>(value & 0xFF)};
}

#endif  // TOMELING_TESTS_DECODE_ICONV_ORACLE_H_
