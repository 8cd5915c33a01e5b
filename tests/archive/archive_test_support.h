#pragma once
// Helpers of the archive tests: the fixture folder, a throw-away settings folder, and file
// contents and listings to compare before and after an extraction.

#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <sstream>
#include <string>

namespace archive_test {

inline std::string fixture(const std::string& name) {
    return std::string(QM_TEST_DATA_DIR) + "/archive/" + name;
}

// A fresh folder under the system temporary folder, removed with everything in it at scope
// exit. Tests use it as the settings folder (its "TEMP" is the scratch folder) and as the
// place for copies of fixtures.
class TempFolder {
  public:
    TempFolder() {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() /
                ("qm-archive-" + std::to_string(rd()) + "-" + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string path() const { return path_.string(); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};

inline std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Every path below `root` (links not followed), relative to it.
inline std::set<std::string> treeOf(const std::string& root) {
    std::set<std::string> paths;
    std::error_code ec;
    for (auto it = std::filesystem::recursive_directory_iterator(root, ec);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
        paths.insert(std::filesystem::relative(it->path(), root).string());
    return paths;
}

// The drawing every fixture holds.
inline const std::string kDrawing = "IN;SP1;PU0,0;PD4000,0,4000,4000,0,4000,0,0;SP0;\n";

} // namespace archive_test
