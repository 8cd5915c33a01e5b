#include "view/render_pass.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "view/image_canvas.h"
#include "view/label_draw.h"
#include "view/round.h"

namespace view {

namespace {
constexpr int32_t kUnlimited = 2147483647;
// Hard-clip area the line type and hatch defaults are taken from: P1 at
// (0, 0), P2 at (15120, 10760).
const double kP1P2Diagonal = std::hypot(15120.0, 10760.0);
} // namespace

RenderPass::RenderPass(const RenderInputs& in, ViewState& view, Canvas& canvas)
    : in_(in), view_(view), canvas_(canvas), image_(dynamic_cast<ImageCanvas*>(&canvas)) {}

namespace {

// Where a run of point records drawn straight onto the pixels ended.
struct RunEnd {
    uint32_t bytes = 0;   // bytes of the list consumed
    int32_t x = 0, y = 0; // last point drawn (plotter units)
    int px = 0, py = 0;   // its pixel
};

// Draws consecutive point records as one-pixel segments from pixel (px, py)
// for as long as each new point maps inside the clip box; stops before the
// first record that is not a point or does not map inside. Both ends of every
// segment lie in the box, so no pixel of it can fall outside.
template <class Op>
RunEnd drawPointRun(const uint8_t* p, uint32_t available, const ViewState& v, const PixelTarget& t,
                    const ClipBox& box, uint32_t colour, int px, int py) {
    RunEnd end;
    end.px = px;
    end.py = py;
    const double s = v.scale, cx = v.centreX, cy = v.centreY;
    const double mirror = v.mirrorActive ? -1.0 : 1.0;
    const long long stride = t.stride;
    uint32_t used = 0;
    while (available - used >= 9 && p[used] == 4) {
        int32_t xy[2];
        std::memcpy(xy, p + used + 1, 8);
        const double dx = (xy[0] * s - cx) * mirror;
        const double dy = xy[1] * s - cy;
        if (!(std::fabs(dx) <= v.hwLimit && std::fabs(dy) <= v.hhLimit)) break;
        const int ex = v.hw + roundInt(dx), ey = v.hh - roundInt(dy);
        if (ex < box.x0 || ex >= box.x1 || ey < box.y0 || ey >= box.y1) break;
        if (ex == px && ey == py)
            Op::apply(t.bits[ey * stride + ex], colour); // a zero-length segment shows one pixel
        else
            lineInside<Op>(t.bits, stride, px, py, ex - px, ey - py, colour);
        px = ex;
        py = ey;
        end.x = xy[0];
        end.y = xy[1];
        used += 9;
    }
    end.bytes = used;
    end.px = px;
    end.py = py;
    return end;
}

} // namespace

bool RenderPass::pointRunReady() const {
    // A thin solid one-pixel line that continues from an on-window pixel.
    return image_ && st_.penVisible && st_.penDown && st_.continuing && devOnWindow_ &&
           canvasWidth_ <= 1 && image_->penWidth() <= 1 && st_.dash.mode == 0 &&
           st_.logicalX == st_.prevX && st_.logicalY == st_.prevY && thinPath();
}

void RenderPass::drawPointRun(interp::RecordReader& reader) {
    uint32_t available = 0;
    const uint8_t* p = reader.rawRun(available);
    if (!p || available < 9 || p[0] != 4) return;
    const ClipBox& box = image_->clip();
    if (devX_ < box.x0 || devX_ >= box.x1 || devY_ < box.y0 || devY_ >= box.y1) return;
    const PixelTarget& t = image_->target();
    const uint32_t pixel = image_->penPixel();
    RunEnd end;
    switch (image_->penOp()) {
    case RasterOp::Copy:
        end = view::drawPointRun<OpCopy>(p, available, view_, t, box, pixel, devX_, devY_);
        break;
    case RasterOp::Merge:
        end = view::drawPointRun<OpMerge>(p, available, view_, t, box, pixel & 0x00FFFFFFu, devX_,
                                          devY_);
        break;
    case RasterOp::Mask:
        end = view::drawPointRun<OpMask>(p, available, view_, t, box, pixel | 0xFF000000u, devX_,
                                         devY_);
        break;
    case RasterOp::Xor:
        end = view::drawPointRun<OpXor>(p, available, view_, t, box, pixel & 0x00FFFFFFu, devX_,
                                        devY_);
        break;
    }
    if (end.bytes == 0) return;
    reader.skip(end.bytes);
    devX_ = end.px;
    devY_ = end.py;
    image_->moveTo(end.px, end.py);
    st_.curX = st_.prevX = st_.logicalX = end.x;
    st_.curY = st_.prevY = st_.logicalY = end.y;
}

RasterOp RenderPass::mergeControlOp() const {
    // Merge-control values as raster codes: source AND destination, source OR
    // destination, source XOR destination; everything else copies.
    switch (st_.mergeControl) {
    case 136:
        return RasterOp::Mask;
    case 238:
        return RasterOp::Merge;
    case 102:
        return RasterOp::Xor;
    default:
        return RasterOp::Copy;
    }
}

RasterOp RenderPass::lineOp() const {
    switch (settings::lineDrawMode(in_.settings.pens.DrawModes)) {
    case settings::DrawMode::Merge:
        return RasterOp::Merge;
    case settings::DrawMode::Xor:
        return RasterOp::Xor;
    case settings::DrawMode::CommandInData:
        return mergeControlOp();
    default:
        return RasterOp::Copy;
    }
}

void RenderPass::applyCanvasPen() {
    canvas_.setPen(penColour_, canvasWidth_, penOp_);
}

void RenderPass::resetRecordState() {
    const int rotation = std::clamp(in_.values.displayRotation, 1, 4);
    const auto& line = in_.settings.line;
    st_.fillOn = false;
    st_.shadingLevel = 100;
    st_.shadingDensity = 16;
    st_.fillType = 1;
    st_.patternNumber = 0;
    st_.colour = in_.pens.colour;
    st_.label = LabelState{};
    st_.label.direction = (rotation - 1) * 90.0;
    // Line type defaults; the user length factor keeps the shortest user
    // dash at least DspMinLinDot pixels long.
    st_.userLengthFactor = 1.0;
    st_.dash = DashState{};
    if (line.UserDefLT) {
        const int32_t m = std::min(
            {line.LT1Dwn1, line.LT2Dwn1, line.LT3Dwn1, line.LT4Dwn2, line.LT5Dwn2, line.LT6Dwn2});
        const double px = m * view_.scale;
        if (!(px >= line.DspMinLinDot) && px > 0.0) st_.userLengthFactor = line.DspMinLinDot / px;
    } else {
        SetLineType(1, roundInt(0.04 * kP1P2Diagonal));
    }
    st_.dash.mode = 0;
    st_.dash.type = 255;
    st_.hatchSpacing = roundInt(0.01 * kP1P2Diagonal);
    st_.hatchAngle = (rotation - 1) * 90.0;
    st_.ellipse = false;
    st_.ellipseX = st_.ellipseY = 1.0;
    st_.mergeControl = 252;
    st_.currentPen = 0;
    st_.forceReselect = true;
    st_.penVisible = true;
    st_.pwWidth.fill(0.0f);
    st_.pwSet = false;
    st_.curX = st_.curY = st_.prevX = st_.prevY = 0.0;
    st_.penDown = false;
    st_.continuing = false;
}

void RenderPass::DrawPage() {
    view_.activateMirror(in_.values.mirror);
    const auto& pens = in_.settings.pens;
    st_.background = in_.pens.colour[pens.BackPenNo];
    if (st_.background == 0) {
        st_.paper = 0;
        st_.ink = 0xFFFFFF;
    } else {
        st_.paper = 0xFFFFFF;
        st_.ink = 0;
    }
    resetClipWindow();
    resetRecordState();

    const uint8_t edge = in_.settings.line.LineAdgeAttrDef;
    st_.lineEnd = edge != 0 ? edge : 4;
    st_.lineJoin = 4;
    penOp_ = lineOp();
    penColour_ = st_.ink;
    const double w16 = std::min(0.4 * in_.pens.width[16] * view_.scale, 100000.0);
    canvasWidth_ = roundInt(w16);
    st_.widthPx = canvasWidth_;
    st_.widthPu = canvasWidth_ / view_.scale;
    applyCanvasPen();
    st_.logicalX = st_.logicalY = 0.0;
    devOnWindow_ = false;

    DrawRecords();

    st_.lineEnd = st_.lineJoin = 4;
    st_.shadingLevel = 100;
    st_.fillType = 1;
    st_.fillOn = false;
    resetClipWindow();
    // The pen is left as the rubber band expects it: xor, mark colour, width 1.
    penOp_ = RasterOp::Xor;
    penColour_ = in_.pens.colour[pens.MarkPenNo];
    canvasWidth_ = 1;
    applyCanvasPen();
    st_.shadingDensity = 16;
    view_.activateMirror(false);
}

void RenderPass::DrawRecords() {
    interp::RecordReader reader(in_.model, in_.model.currentPage());
    interp::Record r;
    pendingRecord_ = false;
    for (;;) {
        if (pendingRecord_) {
            pendingRecord_ = false;
            r = pending_;
            if (r.code == 254 || r.code == 0) break;
        } else {
            if (pointRunReady()) drawPointRun(reader);
            if (!reader.nextOnPage(r)) break;
        }
        handle(r, reader);
    }
}

void RenderPass::handle(const interp::Record& r, interp::RecordReader& reader) {
    const auto& pens = in_.settings.pens;
    switch (r.code) {
    case 4:
        st_.curX = r.i(0);
        st_.curY = r.i(1);
        if (st_.penVisible && st_.penDown) {
            if (thinPath()) {
                drawSegment();
            } else {
                drawThickRun(reader);
                return;
            }
        }
        st_.prevX = st_.curX;
        st_.prevY = st_.curY;
        st_.continuing = st_.penDown;
        break;
    case 1: {
        const int pen = r.i(0);
        SelectPen(pen);
        st_.penVisible = in_.pens.display[st_.currentPen & 255] != 0;
        if (st_.penDown) MoveTo(st_.curX, st_.curY);
        break;
    }
    case 2:
        st_.penDown = false;
        st_.continuing = false;
        break;
    case 3:
        st_.penDown = true;
        break;
    case 6:
    case 31: {
        const int k = r.code == 31 ? 2 : 0;
        st_.ellipse = r.code == 31;
        st_.ellipseX = r.code == 31 ? r.f(0) : 1.0;
        st_.ellipseY = r.code == 31 ? r.f(1) : 1.0;
        if (st_.penVisible) drawCircle(r.i(k), r.i(k + 1));
        st_.continuing = false;
        break;
    }
    case 7:
    case 32: {
        const int k = r.code == 32 ? 2 : 0;
        st_.ellipse = r.code == 32;
        st_.ellipseX = r.code == 32 ? r.f(0) : 1.0;
        st_.ellipseY = r.code == 32 ? r.f(1) : 1.0;
        drawArc(r.i(k), r.i(k + 1), r.i(k + 2), r.i(k + 3));
        st_.continuing = false;
        break;
    }
    case 9: {
        if (pens.NotPW) break;
        const int32_t value = r.i(0);
        const int32_t index = r.i(1);
        const float mm = value < 0 ? 0.0f : float(value / 1000.0);
        if (index == -1)
            st_.pwWidth.fill(mm);
        else if (index >= 0 && index < 256)
            st_.pwWidth[index] = mm;
        st_.pwSet = value != -1;
        const int pen = st_.currentPen;
        st_.currentPen = 0;
        st_.forceReselect = true;
        SelectPen(pen);
        st_.forceReselect = true;
        break;
    }
    case 10: {
        if (r.isText) break; // a text without its header: nothing to draw
        LabelState& l = st_.label;
        l.longestLine = r.i(1);
        l.lineFeeds = r.i(2);
        l.carriageReturns = r.i(3);
        l.charSet = uint8_t(r.i(4) & 0xFF);
        l.headerByte1 = uint8_t(r.i(5));
        l.headerByte2 = uint8_t(r.i(6));
        interp::Record text;
        if (!reader.nextOnPage(text)) {
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
        st_.prevX = st_.curX;
        st_.prevY = st_.curY;
        MoveTo(st_.curX, st_.curY);
        st_.continuing = false;
        break;
    }
    case 11:
        st_.label.width = r.i(0);
        st_.label.height = r.i(1);
        break;
    case 12:
        st_.label.direction = r.i(0) / 1000.0;
        break;
    case 13:
        st_.label.slant = r.i(0) / 1000.0;
        break;
    case 24:
        st_.label.vertical = r.i(0) / 1000.0;
        break;
    case 14:
        st_.label.origin = uint8_t(r.i(0));
        break;
    case 15:
        st_.label.extraSpaces = r.i(0) * 0.00001;
        st_.label.extraLines = r.i(1) * 0.00001;
        break;
    case 16:
        LabelDrawer(*this).characterMove(r.i(0) * 0.00001, r.i(1) * 0.00001);
        st_.prevX = st_.curX;
        st_.prevY = st_.curY;
        MoveTo(st_.curX, st_.curY);
        st_.continuing = false;
        break;
    case 18:
        setFillType(r.i(0), r.i(1), r.i(2));
        break;
    case 21:
    case 22: {
        const int k = r.code == 21 ? 1 : 0;
        const double fx = r.f(k + 1), fy = r.f(k + 2);
        st_.ellipse = std::fabs(fx - 1.0) >= 0.001 || std::fabs(fy - 1.0) >= 0.001;
        st_.ellipseX = fx;
        st_.ellipseY = fy;
        const bool fill = r.code == 21 && !pens.NotFP;
        drawPolygonRecord(r.i(k), fill, r.code == 21 && r.i(0) != 0);
        st_.continuing = false;
        break;
    }
    case 23:
        SetLineType(r.i(0), r.i(1));
        break;
    case 26: {
        if (pens.NotPC) break;
        const int pen = r.i(0);
        if (pen == interp::kAllPensDefaultColour) {
            st_.colour = in_.pens.colour;
        } else if (r.itemCount >= 4 && pen >= 0 && pen < 256) {
            auto comp = [](int32_t v) { return uint32_t(std::clamp(v, 0, 255)); };
            st_.colour[pen] = comp(r.i(1)) | (comp(r.i(2)) << 8) | (comp(r.i(3)) << 16);
        }
        // The colour shows at once on the current pen; its width stays.
        const int current = st_.currentPen;
        st_.forceReselect = true;
        SelectPen(current);
        st_.forceReselect = true;
        break;
    }
    case 27:
        st_.label.fontByte = uint8_t(r.i(0));
        break;
    case 28:
        setInputWindow(r.i(0), r.i(1), r.i(2), r.i(3));
        break;
    case 29:
        st_.label.selectedSet = uint8_t(r.i(0));
        break;
    case 30: {
        const int32_t v = r.i(0);
        st_.lineEnd = (v / 10) % 10;
        st_.lineJoin = v % 10;
        st_.miterLimit = (v / 100) / 100.0;
        break;
    }
    default:
        break;
    }
}

void RenderPass::SelectPen(int pen) {
    if (pen > 255) pen = ((pen - 1) % 255) + 1;
    if (pen < 0) pen = 0;
    if (pen == st_.currentPen && !st_.forceReselect) return;
    const auto& ps = in_.settings.pens;
    if (settings::lineDrawMode(ps.DrawModes) == settings::DrawMode::CommandInData)
        penOp_ = mergeControlOp();
    if (!ps.BlackPenDisplay) {
        const uint32_t c = st_.colour[pen];
        if (ps.ChgColor_not_BackC && c == st_.background)
            penColour_ = st_.background == 0 ? 0xFFFFFF : 0;
        else
            penColour_ = c;
    }
    if (!ps.PenWidthPen16Display) {
        double w = (st_.pwSet && !ps.NotPW) ? view_.scale * 40.0 * st_.pwWidth[pen]
                                            : 0.4 * in_.pens.width[pen] * view_.scale;
        w = std::clamp(w, 0.0, 100000.0);
        st_.widthPx = roundInt(w);
        st_.widthPu = w / view_.scale;
        canvasWidth_ = roundInt(w + 0.6);
    }
    st_.currentPen = pen;
    st_.forceReselect = false;
    applyCanvasPen();
}

void RenderPass::MoveTo(double x, double y) {
    st_.logicalX = x;
    st_.logicalY = y;
    const PixelPos p = mapToPixel(view_, x, y);
    devOnWindow_ = p.onWindow();
    if (devOnWindow_) {
        devX_ = p.x;
        devY_ = p.y;
        canvas_.moveTo(p.x, p.y);
    }
    if (st_.dash.mode != 0) restartDash();
}

void RenderPass::LineTo(double x, double y) {
    const double sx = st_.logicalX, sy = st_.logicalY;
    st_.logicalX = x;
    st_.logicalY = y;
    double bx, by;
    deviceOffset(view_, x, y, bx, by);
    const bool endOn = std::fabs(bx) <= view_.hwLimit && std::fabs(by) <= view_.hhLimit;
    if (devOnWindow_ && endOn) {
        // Both ends on-window: the common case.
        const int32_t ex = view_.hw + roundInt(bx), ey = view_.hh - roundInt(by);
        if (!st_.dash.active() && canvasWidth_ <= 1) {
            if (ex == devX_ && ey == devY_) {
                canvas_.lineTo(ex + 1, ey);
                canvas_.moveTo(ex, ey);
            } else {
                canvas_.lineTo(ex, ey);
            }
        } else {
            drawPiece(devX_, devY_, ex, ey);
        }
        devX_ = ex;
        devY_ = ey;
        return;
    }
    // One or both ends off-window: clip the real segment to the window.
    double ax, ay;
    deviceOffset(view_, sx, sy, ax, ay);
    double t0 = 0.0, t1 = 1.0;
    const double ddx = bx - ax, ddy = by - ay;
    const double lim[4] = {ax + view_.hwLimit, view_.hwLimit - ax, ay + view_.hhLimit,
                           view_.hhLimit - ay};
    const double dir[4] = {-ddx, ddx, -ddy, ddy};
    bool visible = ax == ax && ay == ay && bx == bx && by == by;
    for (int k = 0; k < 4 && visible; ++k) {
        if (dir[k] == 0.0) {
            if (lim[k] < 0.0) visible = false;
            continue;
        }
        const double q = lim[k] / dir[k];
        if (dir[k] < 0.0)
            t0 = std::max(t0, q);
        else
            t1 = std::min(t1, q);
        if (t0 > t1) visible = false;
    }
    if (visible) {
        const double cax = std::clamp(ax + t0 * ddx, -view_.hwLimit, view_.hwLimit);
        const double cay = std::clamp(ay + t0 * ddy, -view_.hhLimit, view_.hhLimit);
        const double cbx = std::clamp(ax + t1 * ddx, -view_.hwLimit, view_.hwLimit);
        const double cby = std::clamp(ay + t1 * ddy, -view_.hhLimit, view_.hhLimit);
        const int32_t px0 = view_.hw + roundInt(cax), py0 = view_.hh - roundInt(cay);
        const int32_t px1 = view_.hw + roundInt(cbx), py1 = view_.hh - roundInt(cby);
        drawPiece(px0, py0, px1, py1);
    }
    devOnWindow_ = endOn;
    if (endOn) {
        devX_ = view_.hw + roundInt(bx);
        devY_ = view_.hh - roundInt(by);
        canvas_.moveTo(devX_, devY_);
    }
}

void RenderPass::setInputWindow(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    if (x1 == kUnlimited && y1 == kUnlimited && x2 == kUnlimited && y2 == kUnlimited) {
        resetClipWindow();
        return;
    }
    st_.clipX1 = x1;
    st_.clipY1 = y1;
    st_.clipX2 = x2;
    st_.clipY2 = y2;
    // Corners far outside the window are held a little outside it, so the
    // rectangle stays representable.
    auto pixel = [&](double x, double y, double& px, double& py) {
        double dx, dy;
        deviceOffset(view_, x, y, dx, dy);
        px = std::clamp(view_.hw + dx, -16.0, canvas_.width() + 16.0);
        py = std::clamp(view_.hh - dy, -16.0, canvas_.height() + 16.0);
    };
    double ax, ay, bx, by;
    pixel(x1, y1, ax, ay);
    pixel(x2, y2, bx, by);
    const int l = roundInt(std::min(ax, bx)) - 1, r = roundInt(std::max(ax, bx)) + 1;
    const int t = roundInt(std::min(ay, by)) - 1, b = roundInt(std::max(ay, by)) + 1;
    canvas_.setClipRect(l, t, r + 1, b + 1);
    st_.clipActive = true;
}

void RenderPass::resetClipWindow() {
    canvas_.clearClip();
    st_.clipX1 = st_.clipY1 = st_.clipX2 = st_.clipY2 = kUnlimited;
    st_.clipActive = false;
}

} // namespace view
