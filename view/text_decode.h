#pragma once
// Label texts as Unicode for the system-font text kinds: Shift-JIS through
// iconv, everything else as Windows Latin-1.

#include <QString>
#include <cstddef>
#include <cstdint>

namespace view {

// Decodes Shift-JIS bytes; bytes iconv cannot convert become U+FFFD.
QString decodeShiftJis(const uint8_t* text, size_t length);
// Decodes one-byte text (Windows-1252, Latin-1 where that has no mapping).
QString decodeSingleByte(const uint8_t* text, size_t length);

} // namespace view
