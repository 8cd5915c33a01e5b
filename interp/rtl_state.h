#pragma once
// HP RTL state tracked while raster sequences are read past.

#include <cstdint>

namespace interp {

struct SavedPalette {
    uint32_t colours[256] = {};
    int32_t words[4] = {};
    int16_t value = 0;
};

struct RtlState {
    bool endOfFile = false;
    int32_t resolution = 300;  // dots per inch
    int32_t setting90 = 90;
    int32_t setting252 = 252;
    bool rasterActive = false;
    int32_t rows = 0;
    int32_t plane = 1;
    int32_t rowCounter = 0;
    int32_t sourceWidth = 0, sourceHeight = 0;
    bool widthGiven = false, heightGiven = false;
    int32_t destWidth = 0, destHeight = 0;
    int32_t compression = 0;
    int32_t colourA = 0, colourB = 0, colourC = 0;
    int32_t colourIndex = 0;
    uint8_t descriptor[18] = {};
    int descriptorLength = 0;
    int pixelEncoding = 0;
    int bitsPerIndex = 1;
    uint32_t palette[256] = {};
    int savedCount = 0;  // depth of the saved-palette stack (kept empty: nothing pushes)
};

}  // namespace interp
