#include "view/text_font.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

#include "view/text_decode.h"

namespace view {

QString textOfRun(const TextRun& run) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(run.text.data());
    return run.encoding == TextEncoding::ShiftJis ? decodeShiftJis(bytes, run.text.size())
                                                  : decodeSingleByte(bytes, run.text.size());
}

QFont fontForRun(const TextRun& run) {
    QFont font(run.face.empty() ? QStringLiteral("Sans Serif") : QString::fromStdString(run.face));
    font.setPixelSize(std::max(1, int(std::lround(std::min(run.pixelHeight, 100000.0)))));
    font.setWeight(QFont::Weight(std::clamp(run.weight, 100, 900)));
    font.setItalic(run.italic);
    font.setLetterSpacing(QFont::AbsoluteSpacing, run.extraSpacing);
    if (run.pixelWidth > 0.0) {
        const double natural = QFontMetricsF(font).averageCharWidth();
        if (natural > 0.0)
            font.setStretch(
                std::clamp(int(std::lround(run.pixelWidth / natural * 100.0)), 1, 4000));
    }
    return font;
}

TextRunMetrics measureTextRun(const TextRun& run) {
    const QFont font = fontForRun(run);
    const QFontMetricsF metrics(font);
    const QString text = textOfRun(run);
    TextRunMetrics m;
    m.width = text.isEmpty() ? 0.0 : metrics.horizontalAdvance(text);
    m.ascent = metrics.ascent();
    m.stretch = font.stretch() > 0 ? font.stretch() / 100.0 : 1.0;
    return m;
}

} // namespace view
