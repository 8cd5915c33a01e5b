#include "render/render_pass.h"

#include <algorithm>
#include <cmath>

#include "render/clip_segment.h"
#include "render/round.h"
#include "render/thin_line.h"

namespace view {

namespace {
constexpr int32_t kUnlimited = 2147483647;
// Hard-clip area the line type and hatch defaults are taken from: P1 at
// (0, 0), P2 at (15120, 10760).
const double kP1P2Diagonal = std::hypot(15120.0, 10760.0);
} // namespace

RenderPass::RenderPass(const RenderInputs& in, ViewState& view, Canvas& canvas)
    : in_(in), view_(view), canvas_(canvas), surface_(canvas.pixelSurface()) {}

namespace {

// Where a run of line records drawn straight onto the pixels ended.
struct RunEnd {
    uint32_t bytes = 0;      // bytes of the list consumed
    bool penDown = false;    // pen state after the run
    bool continuing = false; // the last point continued a line
    bool moved = false;      // a point was read: (x, y) is the new position
    int32_t x = 0, y = 0;    // last point read (plotter units)
    bool drew = false;       // a segment was drawn: it ended at (dx, dy), pixel (px, py)
    bool endOn = false;      // ... when that end lies on the window
    int32_t dx = 0, dy = 0;
    int px = 0, py = 0;
};

// The pixel loop kept out of the run's loop, so that it has the registers
// to itself.
template <class Op>
[[gnu::noinline]] void lineOutOfLine(uint32_t* bits, long long stride, int x, int y, int dx, int dy,
                                     uint32_t c) {
    lineInside<Op>(bits, stride, x, y, dx, dy, c);
}

// Where the run starts: the pen, the continuing flag and the position the
// next segment starts from (plotter units, its pixel when on-window).
struct RunStart {
    bool penDown = false;
    bool continuing = false;
    double x = 0.0, y = 0.0;
    bool onWindow = false;
    int px = 0, py = 0;
};

// The pen a run draws with: the pixel value for Op, and the plain pixel value
// and raster operation for the clipped line routine.
struct RunPen {
    uint32_t opColour = 0;
    uint32_t pixel = 0;
    RasterOp op = RasterOp::Copy;
};

// Draws consecutive point, pen up and pen down records as one-pixel segments,
// as the full pass would draw them through the canvas; stops before the first
// other record. A segment whose box misses the view draws nothing; one with an
// end off the window is cut to it as the full pass cuts it; one that leaves
// the clip box goes through the clipped line routine. A point read with the
// pen up only moves.
template <class Op>
RunEnd drawPointRun(const uint8_t* p, uint32_t available, const ViewState& v, const PixelSurface& t,
                    const RunPen& pen, const RunStart& start) {
    const ClipBox& box = t.clip;
    const double s = v.scale, cx = v.centreX, cy = v.centreY;
    const double mirror = v.mirrorActive ? -1.0 : 1.0;
    const long long stride = t.stride;
    // A point at least a pixel inside the window edges lies inside the view
    // rectangle, so every segment from or to it touches the view.
    const double innerW = v.hw - 1.0, innerH = v.hh - 1.0;
    bool penDown = start.penDown, continuing = start.continuing;
    bool onWindow = start.onWindow, inner = false, inBox = false;
    double fromX = start.x, fromY = start.y;
    int px = start.px, py = start.py;
    if (onWindow) {
        double sx, sy;
        deviceOffset(v, start.x, start.y, sx, sy);
        inner = std::fabs(sx) <= innerW && std::fabs(sy) <= innerH;
        inBox = px >= box.x0 && px < box.x1 && py >= box.y0 && py < box.y1;
    }
    // What the run leaves, kept in locals while it runs.
    bool moved = false, drew = false, endOn = false;
    int32_t lastX = 0, lastY = 0, drewX = 0, drewY = 0;
    int drewPx = 0, drewPy = 0;
    uint32_t used = 0;
    while (used < available) {
        const uint8_t code = p[used];
        if (code != uint8_t(interp::Rec::Point) || available - used < interp::kPointRecordBytes) {
            if (code == uint8_t(interp::Rec::PenUp)) {
                penDown = continuing = false;
                ++used;
                continue;
            }
            if (code == uint8_t(interp::Rec::PenDown)) {
                penDown = true;
                ++used;
                continue;
            }
            break;
        }
        const interp::rec::Point pt = interp::decodePayload<interp::rec::Point>(p + used + 1);
        const double dx = (pt.x * s - cx) * mirror;
        const double dy = pt.y * s - cy;
        const double adx = std::fabs(dx), ady = std::fabs(dy);
        const bool on = adx <= v.hwLimit && ady <= v.hhLimit;
        int ex = 0, ey = 0;
        bool in = false;
        if (on) {
            ex = v.hw + roundInt(dx);
            ey = v.hh - roundInt(dy);
            in = ex >= box.x0 && ex < box.x1 && ey >= box.y0 && ey < box.y1;
        }
        const bool nowInner = adx <= innerW && ady <= innerH;
        if (penDown) {
            const double x = pt.x, y = pt.y;
            const bool touches = nowInner || inner ||
                                 !(std::max(fromX, x) < v.rX1 || std::min(fromX, x) > v.rX2 ||
                                   std::max(fromY, y) < v.rY1 || std::min(fromY, y) > v.rY2);
            if (touches) {
                if (!(on && onWindow)) {
                    // An end off the window: the segment is cut to the window in
                    // real coordinates, as the full pass does it.
                    double ax, ay;
                    deviceOffset(v, fromX, fromY, ax, ay);
                    const WindowPiece piece = cutToWindow(v, ax, ay, dx, dy);
                    // A piece of no length still shows its pixel.
                    if (piece.visible)
                        drawThinLine(t, piece.x0, piece.y0,
                                     piece.x1 + (piece.x0 == piece.x1 && piece.y0 == piece.y1),
                                     piece.y1, pen.pixel, pen.op);
                } else if (ex == px && ey == py) {
                    // A zero-length segment shows one pixel.
                    if (in) Op::apply(t.bits[ey * stride + ex], pen.opColour);
                } else if (in && inBox) {
                    lineOutOfLine<Op>(t.bits, stride, px, py, ex - px, ey - py, pen.opColour);
                } else if (std::max(px, ex) >= box.x0 && std::min(px, ex) < box.x1 &&
                           std::max(py, ey) >= box.y0 && std::min(py, ey) < box.y1) {
                    drawThinLine(t, px, py, ex, ey, pen.pixel, pen.op);
                }
                drew = true;
                endOn = on;
                drewX = pt.x;
                drewY = pt.y;
                drewPx = ex;
                drewPy = ey;
            }
        }
        px = ex;
        py = ey;
        onWindow = on;
        inner = nowInner;
        inBox = in;
        fromX = pt.x;
        fromY = pt.y;
        continuing = penDown;
        moved = true;
        lastX = pt.x;
        lastY = pt.y;
        used += interp::kPointRecordBytes;
    }
    RunEnd end;
    end.bytes = used;
    end.penDown = penDown;
    end.continuing = continuing;
    end.moved = moved;
    end.x = lastX;
    end.y = lastY;
    end.drew = drew;
    end.endOn = endOn;
    end.dx = drewX;
    end.dy = drewY;
    end.px = drewPx;
    end.py = drewPy;
    return end;
}

} // namespace

bool RenderPass::pointRunReady() const {
    // Thin solid one-pixel lines of a visible pen.
    return surface_ && st_.penVisible && canvasWidth_ <= 1 &&
           st_.dash.family == DashFamily::Solid && thinPath();
}

bool RenderPass::drawPointRun() {
    uint32_t available = 0;
    const uint8_t* p = reader_->rawRun(available);
    if (!p || available == 0) return false;
    const uint8_t code = p[0];
    if (code != uint8_t(interp::Rec::Point) && code != uint8_t(interp::Rec::PenUp) &&
        code != uint8_t(interp::Rec::PenDown))
        return false;
    // Runs end where the next chunk begins, which the pass may step over.
    if (const uint32_t toChunk = bytesToNextChunk(); toChunk != 0 && toChunk < available)
        available = toChunk;
    RunStart start;
    start.penDown = st_.penDown;
    start.continuing = st_.continuing;
    // The next segment starts at the previous point, wherever the canvas pen is.
    start.x = st_.prevX;
    start.y = st_.prevY;
    const PixelPos from = mapToPixel(view_, st_.prevX, st_.prevY);
    start.onWindow = from.onWindow();
    start.px = from.x;
    start.py = from.y;
    const PixelSurface& t = *surface_;
    RunPen pen;
    pen.pixel = toPixel(penColour_);
    pen.op = penOp_;
    RunEnd end;
    switch (penOp_) {
    case RasterOp::Copy:
        pen.opColour = pen.pixel;
        end = view::drawPointRun<OpCopy>(p, available, view_, t, pen, start);
        break;
    case RasterOp::Merge:
        pen.opColour = pen.pixel & 0x00FFFFFFu;
        end = view::drawPointRun<OpMerge>(p, available, view_, t, pen, start);
        break;
    case RasterOp::Mask:
        pen.opColour = pen.pixel | 0xFF000000u;
        end = view::drawPointRun<OpMask>(p, available, view_, t, pen, start);
        break;
    case RasterOp::Xor:
        pen.opColour = pen.pixel & 0x00FFFFFFu;
        end = view::drawPointRun<OpXor>(p, available, view_, t, pen, start);
        break;
    }
    if (end.bytes == 0) return false;
    reader_->skip(end.bytes);
    st_.penDown = end.penDown;
    st_.continuing = end.continuing;
    if (end.moved) {
        st_.curX = st_.prevX = end.x;
        st_.curY = st_.prevY = end.y;
    }
    if (end.drew) {
        // As the last segment drawn through the canvas would leave it.
        st_.logicalX = end.dx;
        st_.logicalY = end.dy;
        devOnWindow_ = end.endOn;
        if (end.endOn) {
            devX_ = end.px;
            devY_ = end.py;
            canvas_.moveTo(end.px, end.py);
        }
    }
    return true;
}

bool RenderPass::syncChunkCursor() {
    if (!chunks_) return false;
    const uint32_t block = reader_->block(), offset = reader_->offset();
    const auto& all = chunks_->chunks();
    if (block != chunkBlock_) {
        chunkBlock_ = block;
        chunkNext_ = chunks_->firstInBlock(block);
    }
    while (chunkNext_ < all.size() && all[chunkNext_].block == block &&
           all[chunkNext_].begin < offset)
        ++chunkNext_;
    return chunkNext_ < all.size() && all[chunkNext_].block == block;
}

uint32_t RenderPass::bytesToNextChunk() {
    if (!syncChunkCursor()) return 0;
    const auto& all = chunks_->chunks();
    const uint32_t offset = reader_->offset();
    uint32_t k = chunkNext_;
    if (all[k].begin == offset) ++k; // the chunk the reader stands at: the one after it
    if (k >= all.size() || all[k].block != reader_->block()) return 0;
    return all[k].begin - offset;
}

bool RenderPass::chunkHidden(const interp::PointChunk& c) const {
    if (!thinPath()) return false; // wide runs are joined with their neighbours
    if (!c.drawsAny || !st_.penVisible) return true;
    double x0 = c.xMin, y0 = c.yMin, x1 = c.xMax, y1 = c.yMax;
    if (c.fromEntry) {
        x0 = std::min(x0, st_.prevX);
        x1 = std::max(x1, st_.prevX);
        y0 = std::min(y0, st_.prevY);
        y1 = std::max(y1, st_.prevY);
    }
    // Segments wholly outside the view draw nothing and change no state.
    if (!boxTouchesView(x0, y0, x1, y1)) return true;
    if (!banded_ || st_.dash.family != DashFamily::Solid) return false;
    // Outside this pass's rows, widened by the pen: what the segments draw
    // belongs to another band, and the next segment drawn here starts afresh
    // from its own first point.
    const double margin = canvasWidth_ + 2.0;
    const double top = view_.hh - (bandTop_ - margin) + view_.centreY;
    const double bottom = view_.hh - (bandBottom_ + margin) + view_.centreY;
    return y0 * view_.scale > top || y1 * view_.scale < bottom;
}

bool RenderPass::skipHiddenChunk() {
    if (!syncChunkCursor()) return false;
    const auto& all = chunks_->chunks();
    if (all[chunkNext_].begin != reader_->offset()) return false; // not at a chunk start
    const interp::PointChunk& c = all[chunkNext_];
    if (!chunkHidden(c)) return false;
    const bool entryPen = st_.penDown;
    if (c.lastPoint != 0) {
        const interp::rec::Point pt =
            interp::decodePayload<interp::rec::Point>(in_.model.block(c.block) + c.lastPoint + 1);
        st_.curX = st_.prevX = pt.x;
        st_.curY = st_.prevY = pt.y;
    }
    switch (c.continuing()) {
    case interp::ChunkContinuing::No:
        st_.continuing = false;
        break;
    case interp::ChunkContinuing::Yes:
        st_.continuing = true;
        break;
    case interp::ChunkContinuing::EntryPen:
        st_.continuing = entryPen;
        break;
    case interp::ChunkContinuing::Keep:
        break;
    }
    if (c.pen() == interp::ChunkPen::Up) st_.penDown = false;
    if (c.pen() == interp::ChunkPen::Down) st_.penDown = true;
    reader_->skip(uint32_t(c.end - c.begin));
    ++chunkNext_;
    return true;
}

void RenderPass::setBand(int top, int bottom) {
    banded_ = true;
    bandTop_ = top;
    bandBottom_ = bottom;
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
    st_.fillType = interp::FillKind::SolidBidirectional;
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
    st_.dash.family = DashFamily::Solid;
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
    st_.lineEnd = edge != 0 ? LineEnd(edge) : LineEnd::Round;
    st_.lineJoin = LineJoin::Round;
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

    st_.lineEnd = LineEnd::Round;
    st_.lineJoin = LineJoin::Round;
    st_.shadingLevel = 100;
    st_.fillType = interp::FillKind::SolidBidirectional;
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
    reader_ = &reader;
    chunks_ = skipping_ && in_.model.chunks.matches(in_.model) ? &in_.model.chunks : nullptr;
    chunkBlock_ = 0xFFFFFFFFu;
    chunkNext_ = 0;
    interp::Record r;
    pendingRecord_ = false;
    for (;;) {
        if (pendingRecord_) {
            pendingRecord_ = false;
            r = pending_;
            if (r.code == interp::Rec::EndOfPage || r.code == interp::Rec::EndOfDrawing) break;
        } else {
            if (chunks_ && skipHiddenChunk()) continue;
            if (fastRuns_ && pointRunReady() && drawPointRun()) continue;
            if (!reader.nextOnPage(r)) break;
        }
        interp::visitRecord(r, [this](const auto& record) { on(record); });
    }
    reader_ = nullptr;
    chunks_ = nullptr;
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
    if (st_.dash.family != DashFamily::Solid) restartDash();
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
    const WindowPiece piece = cutToWindow(view_, ax, ay, bx, by);
    if (piece.visible) drawPiece(piece.x0, piece.y0, piece.x1, piece.y1);
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
    canvas_.setClipRect(l, t, r, b); // right and bottom edges exclusive
    st_.clipActive = true;
}

void RenderPass::resetClipWindow() {
    canvas_.clearClip();
    st_.clipX1 = st_.clipY1 = st_.clipX2 = st_.clipY2 = kUnlimited;
    st_.clipActive = false;
}

} // namespace view
