#pragma once
// The render pass: replays the current page of the drawing list onto a
// canvas through a ViewState, with the pen table's colours and widths, the
// line settings and the label drawing. One object per pass.

#include <cstdint>
#include <vector>

#include "interp/drawing_model.h"
#include "interp/record_reader.h"
#include "render/canvas.h"
#include "render/point.h"
#include "render/render_state.h"
#include "render/view_state.h"
#include "render/view_values.h"
#include "settings/pen_tables.h"
#include "settings/settings_record.h"

namespace view {

// What a pass reads besides the view: the model, the settings record, the pen
// table in use and the process-wide view values. All outlive the pass.
struct RenderInputs {
    const interp::DrawingModel& model;
    const settings::SettingsRecord& settings;
    const settings::PenTable& pens;
    const ViewValues& values;
};

class RenderPass {
  public:
    RenderPass(const RenderInputs& in, ViewState& view, Canvas& canvas);

    // Draws the model's current page with the current view (steps of the
    // page drawing: mirror slot, contrast pair, state reset, walk, restore).
    void DrawPage();

    // This pass draws only pixel rows top <= y < bottom (its canvas is limited
    // to them): runs of lines that lie wholly elsewhere are stepped over.
    void setBand(int top, int bottom);
    // The reference pass: every record read and drawn through its handler,
    // no chunk stepped over and no run drawn straight onto the pixels.
    void setReference() { skipping_ = fastRuns_ = false; }

    // The state the last walk left (for tests and the window).
    const RenderState& state() const { return st_; }

    // Pen drawing primitives in plotter units; used by the walk, the grid and
    // label drawing.
    void MoveTo(double x, double y);
    void LineTo(double x, double y);
    void SelectPen(int pen);

  private:
    friend class LabelDrawer;

    void resetRecordState();
    void DrawRecords();
    // The common case of one-pixel solid lines on a canvas with a pixel
    // surface: runs of point, pen up and pen down records drawn straight onto
    // the pixels. False when it took no record.
    bool pointRunReady() const;
    bool drawPointRun();
    // A chunk of line records that draws nothing this pass can show starts at
    // the reader: step over it, leaving the state its records would leave.
    bool skipHiddenChunk();
    bool chunkHidden(const interp::PointChunk& c) const;
    // Moves the chunk cursor up to the reader; false when no chunk is ahead
    // in the reader's block.
    bool syncChunkCursor();
    // Bytes from the reader to the next chunk start after it in its block (0: none).
    uint32_t bytesToNextChunk();

    // Record handlers (render_records.cpp): one per record the pass draws or
    // takes state from; the records of a family share a helper.
    void on(const interp::rec::Point& r);
    void on(const interp::rec::PenSelect& r);
    void on(const interp::rec::PenUp&);
    void on(const interp::rec::PenDown&);
    void on(const interp::rec::Circle& r);
    void on(const interp::rec::CircleScaled& r);
    void on(const interp::rec::Arc& r);
    void on(const interp::rec::ArcScaled& r);
    void on(const interp::rec::PenWidth& r);
    void on(const interp::rec::PenColour& r);
    void on(const interp::rec::Label& r);
    void on(const interp::LabelText&) {} // a text without its header: nothing to draw
    void on(const interp::rec::CharSize& r);
    void on(const interp::rec::LabelDirection& r);
    void on(const interp::rec::CharSlant& r);
    void on(const interp::rec::LabelVertical& r);
    void on(const interp::rec::LabelOrigin& r);
    void on(const interp::rec::ExtraSpace& r);
    void on(const interp::rec::CharMove& r);
    void on(const interp::rec::FontByte& r);
    void on(const interp::rec::CharSetSelect& r);
    void on(const interp::rec::FillType& r);
    void on(const interp::rec::FillPolygon& r);
    void on(const interp::rec::EdgePolygon& r);
    void on(const interp::rec::LineType& r);
    void on(const interp::rec::InputWindow& r);
    void on(const interp::rec::LineAttributes& r);
    void on(const interp::rec::EndOfDrawing&) {} // page and block structure: the reader's
    void on(const interp::rec::EndOfPage&) {}
    void on(const interp::rec::ContinueBlock&) {}
    void circleRecord(int32_t radius, int chords, bool scaled, double fx, double fy);
    void arcRecord(int32_t cx, int32_t cy, int32_t sweep, int chords, bool scaled, double fx,
                   double fy);
    void polygonRecord(int32_t polygon, double fx, double fy, bool fill, bool winding);
    // After a label or a character move: the pen stands at the new position.
    void moveToCurrent();
    // Reselects the current pen so that a changed colour or width shows.
    void reselectPen();

    // Segments, thick polylines and dashes (render_lines.cpp).
    bool roundLines() const; // round ends with round joins or none
    bool thinPath() const;
    void drawSegment();
    void drawThickRun();
    void drawThickPolyline(const std::vector<PointD>& pts);
    void drawPiece(double ax, double ay, double bx, double by); // pixels, real
    void drawDashed(double ax, double ay, double bx, double by);
    void strokeFilled(double ax, double ay, double bx, double by);
    void drawPolylinePu(const std::vector<PointD>& pts);
    bool boxTouchesView(double x0, double y0, double x1, double y1) const;
    bool boxStrictlyInside(double x0, double y0, double x1, double y1) const;

    // Line types (line_types.cpp).
    void SetLineType(int n, int32_t length);
    void restartDash();

    // Circles and arcs (render_curves.cpp).
    void drawCircle(int32_t radius, int segments);
    void drawArc(int32_t cx, int32_t cy, int32_t sweep1000, int segments);

    // Fill types and polygons (render_fill.cpp).
    void setFillType(interp::FillKind type, int32_t value, int32_t angle100);
    void drawPolygonRecord(int32_t header, bool fill, bool winding);
    void collectRings(int32_t header, std::vector<std::vector<PointD>>& rings,
                      std::vector<std::vector<uint8_t>>& penUp) const;
    void fillRings(const std::vector<std::vector<PointD>>& rings, bool winding);
    void hatchRings(const std::vector<std::vector<PointD>>& rings, double angle);
    void edgeRings(const std::vector<std::vector<PointD>>& rings,
                   const std::vector<std::vector<uint8_t>>& penUp);

    void setInputWindow(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    void resetClipWindow();
    RasterOp lineOp() const;
    RasterOp mergeControlOp() const;
    void applyCanvasPen();

    const RenderInputs in_;
    ViewState& view_;
    Canvas& canvas_;
    PixelSurface* surface_; // the canvas's pixels when it offers them (fast path)
    RenderState st_;

    uint32_t penColour_ = 0; // colour of the canvas pen
    int canvasWidth_ = 1;    // width of the canvas pen
    RasterOp penOp_ = RasterOp::Copy;
    interp::RecordReader* reader_ = nullptr; // the walk's reader, while it runs
    // Pixel of the logical pen position while it is on-window.
    bool devOnWindow_ = false;
    int32_t devX_ = 0, devY_ = 0;
    // Record read ahead by a thick polyline, handled next.
    bool pendingRecord_ = false;
    interp::Record pending_;

    // The chunk index when it fits the model, and where the walk stands in it.
    const interp::ChunkIndex* chunks_ = nullptr;
    bool skipping_ = true;
    bool fastRuns_ = true;
    uint32_t chunkBlock_ = 0xFFFFFFFFu; // the block chunkNext_ belongs to
    uint32_t chunkNext_ = 0;            // first chunk not yet behind the reader
    bool banded_ = false;
    int bandTop_ = 0, bandBottom_ = 0;
};

} // namespace view
