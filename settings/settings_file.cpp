#include "settings_file.h"

#include <optional>
#include <vector>

#include "settings/atomic_file.h"
#include "settings/loaded_value_checks.h"
#include "settings/settings_layout.h"
#include "settings/text_lines.h"

namespace settings {

namespace {

constexpr std::size_t kTrailingLineLength = 80;

// Reads values line by line. After the first failure every later read is skipped, leaving
// its value unchanged, until the late byte of group 10 clears the failure.
class FieldReader final : public SettingsFieldIo {
  public:
    FieldReader(const std::vector<std::string>& lines, std::size_t first)
        : lines_(lines), next_(first) {}

    void byte(uint8_t& value) override {
        if (std::optional<int32_t> v = readInteger()) value = static_cast<uint8_t>(*v & 0xFF);
    }
    void flag(bool& value) override {
        if (std::optional<int32_t> v = readInteger()) value = *v != 0;
    }
    void integer(int32_t& value) override {
        if (std::optional<int32_t> v = readInteger()) value = *v;
    }
    void real(double& value, int, int) override {
        const std::string* line = nextLine();
        if (!line) return;
        if (std::optional<double> v = parseReal(*line))
            value = *v;
        else
            failed_ = true;
    }
    void text(std::string& value) override {
        if (const std::string* line = nextLine()) value = *line;
    }
    void lateByte(uint8_t& value) override {
        byte(value);
        if (failed_) {
            value = 0;
            failed_ = false;
        }
    }
    void trailingText(std::string& value) override {
        if (failed_ || next_ >= lines_.size()) return;
        value.clear();
        for (; next_ < lines_.size(); ++next_)
            value += lines_[next_].substr(0, kTrailingLineLength);
    }

  private:
    const std::string* nextLine() {
        if (failed_) return nullptr;
        if (next_ >= lines_.size()) {
            failed_ = true;
            return nullptr;
        }
        return &lines_[next_++];
    }
    std::optional<int32_t> readInteger() {
        const std::string* line = nextLine();
        if (!line) return std::nullopt;
        std::optional<int32_t> v = parseInt32(*line);
        if (!v) failed_ = true;
        return v;
    }

    const std::vector<std::string>& lines_;
    std::size_t next_;
    bool failed_ = false;
};

class FieldWriter final : public SettingsFieldIo {
  public:
    explicit FieldWriter(std::string& out) : out_(out) {}

    void byte(uint8_t& value) override { appendLine(out_, std::to_string(value)); }
    void flag(bool& value) override { appendLine(out_, value ? "1" : "0"); }
    void integer(int32_t& value) override { appendLine(out_, std::to_string(value)); }
    void real(double& value, int width, int decimals) override {
        appendLine(out_, formatFixed(value, width, decimals));
    }
    void text(std::string& value) override { appendLine(out_, singleLine(value)); }
    void lateByte(uint8_t& value) override { byte(value); }
    void trailingText(std::string& value) override {
        std::string flat;
        for (char c : value)
            if (c != '\r' && c != '\n') flat += c;
        for (std::size_t pos = 0; pos < flat.size(); pos += kTrailingLineLength)
            appendLine(out_, std::string_view(flat).substr(pos, kTrailingLineLength));
    }

  private:
    std::string& out_;
};

} // namespace

LoadResult loadSettingsFile(const std::string& path, SettingsRecord& record) {
    std::optional<std::vector<std::string>> lines = readTextLines(path);
    if (!lines) return LoadResult::CannotOpen;
    if (lines->empty() || lines->front().substr(0, 80) != kVersionTag)
        return LoadResult::OtherVersion;
    FieldReader reader(*lines, 1);
    walkSettingsFile(record, reader);
    replaceUnusableValues(record);
    return LoadResult::Loaded;
}

std::string settingsFileText(const SettingsRecord& record) {
    std::string out;
    appendLine(out, kVersionTag);
    SettingsRecord copy = record;
    FieldWriter writer(out);
    walkSettingsFile(copy, writer);
    return out;
}

bool saveSettingsFile(const std::string& path, const SettingsRecord& record) {
    return writeFileAtomically(path, settingsFileText(record));
}

} // namespace settings
