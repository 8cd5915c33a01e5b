#include "page_commands.h"

#include "interp/interpreter.h"

namespace interp {

void writePageStart(Interpreter& in) {
    DrawingModel& m = in.model;
    auto rnd = Interpreter::roundSaturated;
    m.beginRecord(2);
    if (in.pen.penSelected) m.writePenSelect(static_cast<uint8_t>(in.pen.currentPen));
    if (m.pens.widthsSet) {
        for (int p = 0; p < 256; ++p) {
            m.beginRecord(9);
            m.putI(rnd(m.pens.width[p]));
            m.putI(p);
        }
    }
    const LabelState& l = in.label;
    m.beginRecord(11);
    m.putI(l.width);
    m.putI(l.height);
    m.beginRecord(12);
    m.putI(rnd(l.direction * 1000.0));
    m.beginRecord(13);
    m.putI(rnd(l.slant * 1000.0));
    m.beginRecord(24);
    m.putI(l.verticalMode * 1000);
    m.beginRecord(14);
    m.putB(static_cast<uint8_t>(l.origin));
    m.beginRecord(15);
    m.putI(rnd(l.extraSpaces * 100000.0));
    m.putI(rnd(l.extraLines * 100000.0));
    m.beginRecord(18);
    m.putB(in.poly.fillType);
    m.putI(in.poly.hatchSpacing);
    m.putI(rnd(in.poly.hatchAngle * 100.0));
    m.beginRecord(23);
    m.putI(in.pen.lineType);
    m.putI(in.pen.patternLength);
    for (int p = 0; p < 256; ++p) {
        if (!m.pens.colourDefined[p]) continue;
        uint32_t c = m.pens.colour[p];
        m.beginRecord(26);
        m.putW(p);
        m.putW(c & 0xFF);
        m.putW((c >> 8) & 0xFF);
        m.putW((c >> 16) & 0xFF);
    }
    m.beginRecord(27);
    m.putB(l.sets[l.selectedSet & 1].fontByte);
    if (in.coord.windowSet) {
        m.beginRecord(28);
        m.putI(in.coord.windowMin[0]);
        m.putI(in.coord.windowMin[1]);
        m.putI(in.coord.windowMax[0]);
        m.putI(in.coord.windowMax[1]);
    }
    m.beginRecord(29);
    m.putB(static_cast<uint8_t>(l.selectedSet));
    m.beginRecord(30);
    m.putI(50044);
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
