#pragma once
// The render pass: replays the current page of the drawing list onto a
// canvas through a ViewState, with the pen table's colours and widths, the
// line settings and the label drawing. One object per pass.

#include <cstdint>
#include <string>
#include <vector>

#include "interp/drawing_model.h"
#include "interp/record_reader.h"
#include "settings/pen_tables.h"
#include "settings/settings_record.h"
#include "view/canvas.h"
#include "view/render_state.h"
#include "view/view_state.h"
#include "view/view_values.h"

namespace view {

// What a pass reads besides the view: the model, the settings record, the pen
// table in use and the process-wide view values. All outlive the pass.
struct RenderInputs {
    const interp::DrawingModel& model;
    const settings::SettingsRecord& settings;
    const settings::PenTable& pens;
    const ViewValues& values;
};

struct PointD {
    double x = 0.0, y = 0.0;
};

class RenderPass {
  public:
    RenderPass(const RenderInputs& in, ViewState& view, Canvas& canvas);

    // Draws the model's current page with the current view (steps of the
    // page drawing: mirror slot, contrast pair, state reset, walk, restore).
    void DrawPage();

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
    void handle(const interp::Record& r, interp::RecordReader& reader);
    // The common case of one-pixel solid lines on the image canvas: runs of
    // point records drawn straight onto the pixels.
    bool pointRunReady() const;
    void drawPointRun(interp::RecordReader& reader);

    // Segments, thick polylines and dashes (render_lines.cpp).
    bool thinPath() const;
    void drawSegment();
    void drawThickRun(interp::RecordReader& reader);
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
    void setFillType(int type, int32_t value, int32_t angle100);
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
    class ImageCanvas* image_; // the canvas when it is a QImage canvas (fast path)
    RenderState st_;

    uint32_t penColour_ = 0; // colour of the canvas pen
    int canvasWidth_ = 1;    // width of the canvas pen
    RasterOp penOp_ = RasterOp::Copy;
    // Pixel of the logical pen position while it is on-window.
    bool devOnWindow_ = false;
    int32_t devX_ = 0, devY_ = 0;
    // Record read ahead by a thick polyline, handled next.
    bool pendingRecord_ = false;
    interp::Record pending_;
    std::vector<uint8_t> labelText_;
};

} // namespace view
