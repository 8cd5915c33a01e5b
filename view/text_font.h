#pragma once
// The system font of a text run as the Qt canvases set it: the run's label
// bytes decoded, the font it asks for, and the width it takes. Needs a
// QGuiApplication for everything but the decoding.

#include <QFont>
#include <QString>

#include "render/canvas.h"

namespace view {

// The run's label bytes as text (Shift-JIS or one-byte, as the run says).
QString textOfRun(const TextRun& run);

// The face, pixel size, weight and slant the run asks for, its average
// character width stretched to the run's when it gives one.
QFont fontForRun(const TextRun& run);

// Advance width of the run in pixels, escapement ignored; its font's ascent
// in pixels; the stretch applied to reach the run's character width (1 = the
// face's own width).
struct TextRunMetrics {
    double width = 0.0;
    double ascent = 0.0;
    double stretch = 1.0;
};
TextRunMetrics measureTextRun(const TextRun& run);

} // namespace view
