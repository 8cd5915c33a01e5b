#pragma once
// Helpers of the archive tests: the fixture folder, a throw-away settings folder, and file
// contents and listings to compare before and after an extraction.

#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <sstream>
#include <string>

#include "../settings/temp_folder.h"

namespace archive_test {

inline std::string fixture(const std::string& name) {
    return std::string(QM_TEST_DATA_DIR) + "/archive/" + name;
}

// A fresh folder removed with everything in it at scope exit; tests use it as the settings
// folder (its "TEMP" is the scratch folder) and for copies of fixtures.
using settings_test::readBytes;
using settings_test::TempFolder;
using settings_test::writeBytes;

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
