// Fuzz target: the settings file reader. Whatever it reads must save and read
// back to the same text.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "settings/settings_file.h"

namespace {
std::string scratch(const char* stem) {
    return std::string("/tmp/qm-fuzz-") + stem + "-" + std::to_string(getpid());
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string in = scratch("settings-in");
    static const std::string out = scratch("settings-out");
    if (std::FILE* f = std::fopen(in.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    settings::SettingsRecord record;
    settings::loadSettingsFile(in, record);
    std::string text = settings::settingsFileText(record);
    if (!settings::saveSettingsFile(out, record)) return 0;
    settings::SettingsRecord again;
    if (settings::loadSettingsFile(out, again) != settings::LoadResult::Loaded) std::abort();
    if (settings::settingsFileText(again) != text) std::abort();
    return 0;
}
