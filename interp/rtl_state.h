#pragma once
// HP RTL state tracked while raster sequences are read past: only what is
// needed to measure raster blocks, plus the palette, which is stored but never
// drawn.

#include <array>
#include <cstdint>
#include <vector>

namespace interp {

using RtlPalette = std::array<uint32_t, 256>; // 0x00BBGGRR per index

// One entry of the saved-palette stack.
struct SavedPalette {
    RtlPalette colours{};
    int32_t words[4] = {}; // colour components A, B, C and the assigned index
    int16_t value = 0;     // bits per index
};

struct RtlState {
    // Deepest saved-palette stack kept; further saves are dropped.
    static constexpr size_t kMaxSavedPalettes = 16;

    bool endOfFile = false;   // a reader met the end of the file inside a sequence
    int32_t resolution = 300; // dots per inch
    int32_t setting252 = 252; // stored and reset only
    bool rasterActive = false;
    int32_t rows = 0; // rows received in the current raster block
    int32_t plane = 1;
    int32_t rowCounter = 0;                    // stored and reset only
    int32_t sourceWidth = 0, sourceHeight = 0; // 0 = not given
    bool widthGiven = false, heightGiven = false;
    int32_t destWidth = 0, destHeight = 0; // stored only
    int32_t compression = 0;
    int32_t colourA = 0, colourB = 0, colourC = 0;
    int32_t colourIndex = 0;
    uint8_t descriptor[18] = {}; // configure-image-data bytes
    int descriptorLength = 0;
    int pixelEncoding = 0;
    int bitsPerIndex = 1;
    RtlPalette palette{};
    std::vector<SavedPalette> savedPalettes; // top of the stack is the back

    // Pushes the palette in force; false (nothing saved) when the stack is full.
    bool savePalette();
    // Pops the top of the stack into the palette in force; false when empty.
    bool restorePalette();
};

// Loads palette preset `selector`: 1 white, black; 2 black, red, green, white;
// -3 and -4 the eight and sixteen entry tables; any other number the eight
// basic colours repeated over all 256 entries. Entries a preset does not name
// are black.
void loadPalettePreset(RtlPalette& palette, int selector);

} // namespace interp
