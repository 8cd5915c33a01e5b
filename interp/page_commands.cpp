#include "page_commands.h"

#include "interp/interpreter.h"

namespace interp {

void writePageStart(Interpreter& in) {
    DrawingModel& m = in.model;
    auto rnd = Interpreter::roundSaturated;
    m.write(rec::PenUp{});
    if (in.pen.penSelected) m.writePenSelect(static_cast<uint8_t>(in.pen.currentPen));
    if (m.pens.widthsSet) {
        for (int p = 0; p < 256; ++p)
            m.write(rec::PenWidth{rnd(m.pens.width[p]), p});
    }
    const LabelState& l = in.label;
    m.write(rec::CharSize{l.width, l.height});
    m.write(rec::LabelDirection{rnd(l.direction * 1000.0)});
    m.write(rec::CharSlant{rnd(l.slant * 1000.0)});
    m.write(rec::LabelVertical{l.verticalMode * 1000});
    m.write(rec::LabelOrigin{static_cast<uint8_t>(l.origin)});
    m.write(rec::ExtraSpace{rnd(l.extraSpaces * 100000.0), rnd(l.extraLines * 100000.0)});
    m.write(rec::FillType{uint8_t(in.poly.fillType), in.poly.hatchSpacing,
                          rnd(in.poly.hatchAngle * 100.0)});
    m.write(rec::LineType{in.pen.lineType, in.pen.patternLength});
    for (int p = 0; p < 256; ++p) {
        if (!m.pens.colourDefined[p]) continue;
        const uint32_t c = m.pens.colour[p];
        m.write(rec::PenColour{static_cast<uint16_t>(p), static_cast<uint16_t>(c & 0xFF),
                               static_cast<uint16_t>((c >> 8) & 0xFF),
                               static_cast<uint16_t>((c >> 16) & 0xFF)});
    }
    m.write(rec::FontByte{l.sets[l.selectedSet & 1].fontByte});
    if (in.coord.windowSet)
        m.write(rec::InputWindow{in.coord.windowMin[0], in.coord.windowMin[1],
                                 in.coord.windowMax[0], in.coord.windowMax[1]});
    m.write(rec::CharSetSelect{static_cast<uint8_t>(l.selectedSet)});
    // Line ends and joins round, miter limit 5.
    m.write(rec::LineAttributes{50044});
}

void cmdPageAdvance(Interpreter& in, int resetPosition) {
    if (in.model.hasRecords() && in.options.multiPage) {
        if (!in.model.pageEnd(in.paperCorner())) in.pendingError = 0;
        writePageStart(in);
    }
    if (resetPosition) {
        in.absoluteMode = true;
        in.posX = in.posY = 0;
        in.userX = in.userY = 0;
        in.resetLabelOrigin();
    }
}

} // namespace interp
