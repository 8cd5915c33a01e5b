#pragma once
// The order of the values in the settings file, written once and used by both the reader
// and the writer so that the two can never disagree.

#include <cstddef>
#include <cstdint>
#include <string>

#include "settings/settings_record.h"

namespace settings {

// One value of the file, in the form it takes on its line; every value owns exactly one line
// (the trailing text owns the rest of the file). A reader fills the value in, leaving it
// unchanged when its line is missing or unreadable; a writer emits it.
class SettingsFieldIo {
  public:
    virtual ~SettingsFieldIo() = default;
    virtual void byte(uint8_t& value) = 0;    // decimal integer, low 8 bits kept
    virtual void flag(bool& value) = 0;       // "1"/"0"; any non-zero integer reads true
    virtual void integer(int32_t& value) = 0; // signed decimal
    virtual void real(double& value, int width, int decimals) = 0; // fixed notation
    virtual void text(std::string& value) = 0;                     // the whole line
    // A line of at most `maxLength` characters, each '0'..`highestDigit`; a reader keeps
    // `value` unchanged when the line holds anything else.
    virtual void digits(std::string& value, std::size_t maxLength, char highestDigit) = 0;
    // The last byte of group 10, which older files lack: a reader that cannot read it sets
    // it to 0.
    virtual void lateByte(uint8_t& value) = 0;
    // Everything after group 16, in lines of at most 80 characters.
    virtual void trailingText(std::string& value) = 0;
};

// Passes every value of `record`, after the version tag, to `io` in file order.
void walkSettingsFile(SettingsRecord& record, SettingsFieldIo& io);

} // namespace settings
