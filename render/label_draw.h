#pragma once
// Label drawing: lays a label text out (lines, origin, direction, spacing)
// from the label state of the render pass and draws it with the vector font
// or a system font; leaves the pass's current point where the next label
// would start.

#include <cstddef>
#include <cstdint>

#include "render/render_pass.h"

namespace view {

// How a label's text is drawn: with the vector font or a system font, as
// one-byte or two-byte text. Characters the vector font has no glyph for
// (two-byte text, codes from 128) come from the system font, in their cells.
enum class TextKind : uint8_t { VectorOneByte, SystemOneByte, VectorTwoByte, SystemTwoByte };

// The kind for the label header's character set and Windows character set
// and the TextFontKind setting (1: system font).
TextKind textKindOf(uint8_t charSet, uint8_t windowsCharSet, int textFontKind);

class LabelDrawer {
  public:
    explicit LabelDrawer(RenderPass& pass);

    // Draws `length` bytes of label text at the pass's current point.
    void draw(const uint8_t* text, size_t length);
    // A character move of `spaces` character advances and `lines` line
    // advances (up is positive), turned by the label direction.
    void characterMove(double spaces, double lines);

  private:
    struct Metrics;
    // (x, y) turned by the label direction: exact for quarter turns, rounded
    // to whole plotter units otherwise.
    void turn(double x, double y, double& tx, double& ty) const;
    double pieceWidth(const Metrics& m, const uint8_t* text, size_t n);
    void drawVector(const Metrics& m, const uint8_t* text, size_t n, double x, double y);
    void drawSystem(const Metrics& m, const uint8_t* text, size_t n, double x, double y);
    // Draws `run` with its top left `shift` up the text's vertical from (x, y), plotter
    // units; nothing when that lies far off the canvas.
    void drawRunAt(TextRun& run, double x, double y, double shift);
    // Two-byte text in the vector setting: each character in its cell, from
    // the system font.
    void drawTwoByteCells(const Metrics& m, const uint8_t* text, size_t n, double x, double y);
    // One character the stroke font has no glyph for, drawn with the system
    // font into the cell whose baseline starts at (x, y).
    void drawCellCharacter(const Metrics& m, const uint8_t* bytes, size_t length, double x,
                           double y);
    struct TextRun makeRun(const Metrics& m, const uint8_t* text, size_t n, bool forMeasure) const;

    RenderPass& pass_;
    RenderState& st_;
    double theta_ = 0.0;
};

} // namespace view
