#pragma once
// A canvas that draws nothing and writes one line per call instead: the
// canvas calls of a render pass as text, for tests that need no pixels. It
// offers no pixel surface, so the pass takes its general path.

#include <string>
#include <vector>

#include "render/canvas.h"

namespace view {

class TraceCanvas final : public Canvas {
  public:
    TraceCanvas(int width, int height) : width_(width), height_(height) {}

    // Every call so far, one line each, without line ends.
    const std::vector<std::string>& lines() const { return lines_; }
    void clear() { lines_.clear(); }

    int width() const override { return width_; }
    int height() const override { return height_; }

    void setPen(uint32_t colour, int width, RasterOp op) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void fillRect(int x, int y, int width, int height, uint32_t colour) override;
    void setPixel(int x, int y, uint32_t colour) override;
    void fillPolygon(const PointD* points, const int* partSizes, int parts, FillRule rule,
                     const CanvasBrush& brush, RasterOp op) override;
    void setClipRect(int x0, int y0, int x1, int y1) override;
    void clearClip() override;
    void drawText(const TextRun& run) override;
    // Every byte of the run counts as pixelWidth pixels wide.
    double textWidth(const TextRun& run) override;

  private:
    void add(std::string line) { lines_.push_back(std::move(line)); }

    int width_;
    int height_;
    std::vector<std::string> lines_;
};

} // namespace view
