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

// Reads values line by line. Every value owns exactly one line (the file-type list owns the
// rest of the file), so a value that cannot be read keeps what it held and the next value
// is still read from its own line.
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
        if (std::optional<double> v = parseReal(*line)) value = *v;
    }
    void text(std::string& value) override {
        if (const std::string* line = nextLine()) value = *line;
    }
    void digits(std::string& value, std::size_t maxLength, char highestDigit) override {
        const std::string* line = nextLine();
        if (!line || line->size() > maxLength) return;
        for (char c : *line)
            if (c < '0' || c > highestDigit) return;
        value = *line;
    }
    void lateByte(uint8_t& value) override {
        std::optional<int32_t> v = readInteger();
        value = v ? static_cast<uint8_t>(*v & 0xFF) : 0;
    }
    void trailingText(std::string& value) override {
        if (next_ >= lines_.size()) return;
        value.clear();
        for (; next_ < lines_.size(); ++next_)
            value += lines_[next_].substr(0, kTrailingLineLength);
    }

  private:
    // The next line, or nothing once the file has ended. Always moves on by one line.
    const std::string* nextLine() {
        if (next_ >= lines_.size()) return nullptr;
        return &lines_[next_++];
    }
    std::optional<int32_t> readInteger() {
        const std::string* line = nextLine();
        return line ? parseInt32(*line) : std::nullopt;
    }

    const std::vector<std::string>& lines_;
    std::size_t next_;
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
    void digits(std::string& value, std::size_t, char) override { text(value); }
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
