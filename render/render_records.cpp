// The record handlers of the render pass: each record of the page mapped to
// canvas calls or to the pass's state.

#include <algorithm>
#include <cmath>

#include "render/label_draw.h"
#include "render/render_pass.h"

namespace view {

namespace rec = interp::rec;

// ---- pen and points ----

void RenderPass::on(const rec::Point& r) {
    st_.curX = r.x;
    st_.curY = r.y;
    if (st_.penVisible && st_.penDown) {
        if (!thinPath()) {
            drawThickRun();
            return;
        }
        drawSegment();
    }
    st_.prevX = st_.curX;
    st_.prevY = st_.curY;
    st_.continuing = st_.penDown;
}

void RenderPass::on(const rec::PenSelect& r) {
    SelectPen(r.pen);
    st_.penVisible = in_.pens.display[st_.currentPen & 255] != 0;
    if (st_.penDown) MoveTo(st_.curX, st_.curY);
}

void RenderPass::on(const rec::PenUp&) {
    st_.penDown = false;
    st_.continuing = false;
}

void RenderPass::on(const rec::PenDown&) {
    st_.penDown = true;
}

void RenderPass::on(const rec::PenWidth& r) {
    if (in_.settings.pens.NotPW) return;
    const float mm = r.width < 0 ? 0.0f : float(r.width / 1000.0);
    if (r.pen == -1)
        st_.pwWidth.fill(mm);
    else if (r.pen >= 0 && r.pen < 256)
        st_.pwWidth[r.pen] = mm;
    st_.pwSet = r.width != -1;
    reselectPen();
}

void RenderPass::on(const rec::PenColour& r) {
    if (in_.settings.pens.NotPC) return;
    if (r.pen == interp::kAllPensDefaultColour) {
        st_.colour = in_.pens.colour;
    } else if (r.pen < 256) {
        auto comp = [](int32_t v) { return uint32_t(std::clamp(v, 0, 255)); };
        st_.colour[r.pen] = comp(r.red) | (comp(r.green) << 8) | (comp(r.blue) << 16);
    }
    // The colour shows at once on the current pen; its width stays.
    reselectPen();
}

void RenderPass::reselectPen() {
    st_.forceReselect = true;
    SelectPen(st_.currentPen);
    st_.forceReselect = true;
}

// ---- line types and attributes ----

void RenderPass::on(const rec::LineType& r) {
    SetLineType(r.type, r.length);
}

void RenderPass::on(const rec::LineAttributes& r) {
    st_.lineEnd = LineEnd((r.value / 10) % 10);
    st_.lineJoin = LineJoin(r.value % 10);
    st_.miterLimit = (r.value / 100) / 100.0;
}

void RenderPass::on(const rec::InputWindow& r) {
    setInputWindow(r.x1, r.y1, r.x2, r.y2);
}

// ---- circles and arcs ----

void RenderPass::on(const rec::Circle& r) {
    circleRecord(r.radius, r.chords, false, 1.0, 1.0);
}

void RenderPass::on(const rec::CircleScaled& r) {
    circleRecord(r.radius, r.chords, true, r.scaleX, r.scaleY);
}

void RenderPass::circleRecord(int32_t radius, int chords, bool scaled, double fx, double fy) {
    st_.ellipse = scaled;
    st_.ellipseX = fx;
    st_.ellipseY = fy;
    if (st_.penVisible) drawCircle(radius, chords);
    st_.continuing = false;
}

void RenderPass::on(const rec::Arc& r) {
    arcRecord(r.centreX, r.centreY, r.sweep, r.chords, false, 1.0, 1.0);
}

void RenderPass::on(const rec::ArcScaled& r) {
    arcRecord(r.centreX, r.centreY, r.sweep, r.chords, true, r.scaleX, r.scaleY);
}

void RenderPass::arcRecord(int32_t cx, int32_t cy, int32_t sweep, int chords, bool scaled,
                           double fx, double fy) {
    st_.ellipse = scaled;
    st_.ellipseX = fx;
    st_.ellipseY = fy;
    drawArc(cx, cy, sweep, chords);
    st_.continuing = false;
}

// ---- fills and polygons ----

void RenderPass::on(const rec::FillType& r) {
    setFillType(interp::FillKind(r.type), r.value, r.angle);
}

void RenderPass::on(const rec::FillPolygon& r) {
    polygonRecord(r.polygon, r.scaleX, r.scaleY, !in_.settings.pens.NotFP, r.winding != 0);
}

void RenderPass::on(const rec::EdgePolygon& r) {
    polygonRecord(r.polygon, r.scaleX, r.scaleY, false, false);
}

void RenderPass::polygonRecord(int32_t polygon, double fx, double fy, bool fill, bool winding) {
    st_.ellipse = std::fabs(fx - 1.0) >= 0.001 || std::fabs(fy - 1.0) >= 0.001;
    st_.ellipseX = fx;
    st_.ellipseY = fy;
    drawPolygonRecord(polygon, fill, winding);
    st_.continuing = false;
}

// ---- labels ----

void RenderPass::on(const rec::Label& r) {
    LabelState& l = st_.label;
    l.longestLine = r.longestLine;
    l.lineFeeds = r.lineFeeds;
    l.carriageReturns = r.carriageReturns;
    l.charSet = uint8_t(r.charSet & 0xFF);
    l.headerByte1 = r.headerByte1;
    l.headerByte2 = r.headerByte2;
    interp::Record text;
    if (!reader_->nextOnPage(text)) {
        pending_ = interp::Record{};
        pendingRecord_ = true; // the page ended: stop the walk
        return;
    }
    if (!text.isText) {
        pending_ = text;
        pendingRecord_ = true;
        return;
    }
    LabelDrawer(*this).draw(text.text, text.textLength);
    moveToCurrent();
}

void RenderPass::on(const rec::CharMove& r) {
    LabelDrawer(*this).characterMove(r.spaces * 0.00001, r.lines * 0.00001);
    moveToCurrent();
}

void RenderPass::moveToCurrent() {
    st_.prevX = st_.curX;
    st_.prevY = st_.curY;
    MoveTo(st_.curX, st_.curY);
    st_.continuing = false;
}

void RenderPass::on(const rec::CharSize& r) {
    st_.label.width = r.width;
    st_.label.height = r.height;
}

void RenderPass::on(const rec::LabelDirection& r) {
    st_.label.direction = r.direction / 1000.0;
}

void RenderPass::on(const rec::CharSlant& r) {
    st_.label.slant = r.slant / 1000.0;
}

void RenderPass::on(const rec::LabelVertical& r) {
    st_.label.vertical = r.vertical / 1000.0;
}

void RenderPass::on(const rec::LabelOrigin& r) {
    st_.label.origin = r.origin;
}

void RenderPass::on(const rec::ExtraSpace& r) {
    st_.label.extraSpaces = r.spaces * 0.00001;
    st_.label.extraLines = r.lines * 0.00001;
}

void RenderPass::on(const rec::FontByte& r) {
    st_.label.fontByte = r.value;
}

void RenderPass::on(const rec::CharSetSelect& r) {
    st_.label.selectedSet = r.set;
}

} // namespace view
