#pragma once
// The pen rows of the pen dialog: 16 pens at a time in two columns of 8, each with its
// display check box, its label (enabled when the drawing uses the pen), its colour swatch,
// its width editor in the current length unit and its width bar; a scroll bar of 16
// positions pages through the 256 pens.

#include <QWidget>
#include <array>
#include <cstdint>

#include "settings/pen_tables.h"

class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QScrollBar;

namespace dialogs {

class ColourSwatch;

constexpr int kPenRowCount = 16;

// A bar as many pixels high as the pen is wide in tenths of a millimetre (at most 15).
class WidthBar : public QWidget {
    Q_OBJECT
  public:
    explicit WidthBar(QWidget* parent = nullptr);
    void setBarHeight(int pixels);
    int barHeight() const { return height_; }
    QSize sizeHint() const override { return {24, 17}; }

  protected:
    void paintEvent(QPaintEvent* e) override;

  private:
    int height_ = 0;
};

class PenRows : public QWidget {
    Q_OBJECT
  public:
    // `penUsed` tells which pens the loaded drawing uses; `unit` is the length unit index.
    PenRows(const std::array<bool, settings::kPenCount>& penUsed, int unit,
            QWidget* parent = nullptr);

    // Shows pens 16 × position .. 16 × position + 15 from the given values.
    void fill(const settings::PenColours& colours, const settings::PenWidths& widths,
              const std::array<uint8_t, settings::kPenCount>& display);
    // Scroll position of the pens shown (0..15).
    int position() const { return shown_; }
    // First pen shown.
    int firstPen() const { return 16 * shown_; }
    QScrollBar* scrollBar() const { return scroll_; }
    // Takes any width typed but not yet entered.
    void enterPendingWidths();

  signals:
    void positionChanged();
    void colourClicked(int pen);
    void widthChanged(int pen, int32_t hundredthsMm);
    void displayToggled(int pen, bool shown);

  private:
    struct Row {
        QCheckBox* shown;
        QLabel* label;
        ColourSwatch* swatch;
        QDoubleSpinBox* width;
        WidthBar* bar;
    };
    const std::array<bool, settings::kPenCount>& penUsed_;
    int unit_;
    std::array<Row, kPenRowCount> rows_{};
    QScrollBar* scroll_ = nullptr;
    int shown_ = 0;
    bool filling_ = false;
};

} // namespace dialogs
