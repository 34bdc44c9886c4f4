// A scratch directory for one test, removed with everything in it when the
// object goes out of scope.
#ifndef TOMELING_TESTS_COMMON_TEMP_DIR_H_
#define TOMELING_TESTS_COMMON_TEMP_DIR_H_

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

class CTempDir {
 public:
  CTempDir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "tomeling-test-XXXXXX").string();
    if (mkdtemp(tmpl.data()) == nullptr) std::abort();
    m_path = tmpl;
  }
  ~CTempDir() {
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
  }
  CTempDir(const CTempDir&) = delete;
  CTempDir& operator=(const CTempDir&) = delete;

  const std::filesystem::path& Path() const { return m_path; }
  std::string File(std::string_view name) const { return (m_path / name).string(); }

  // Writes `bytes` to `name` (creating parent folders) and returns the full path.
  std::string Write(std::string_view name, const std::vector<uint8_t>& bytes) const {
    std::filesystem::path p = m_path / name;
    std::filesystem::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return p.string();
  }
  std::string Write(std::string_view name, std::string_view text) const {
    return Write(name, std::vector<uint8_t>(text.begin(), text.end()));
  }

 private:
  std::filesystem::path m_path;
};

inline std::vector<uint8_t> ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline std::string ReadWholeText(const std::string& path) {
  std::vector<uint8_t> bytes = ReadWholeFile(path);
  return std::string(bytes.begin(), bytes.end());
}

// A rename that fails as a full or broken disk would, for the rename seam of
// the atomic file writes: the old file must survive it.
inline int FailingRename(const char*, const char*) {
  errno = EIO;
  return -1;
}

#endif  // TOMELING_TESTS_COMMON_TEMP_DIR_H_
