#pragma once
// A flat button filled with one colour, as the pen and grid dialogs show pen and grid
// colours, and the conversions between QColor and the stored 0x00BBGGRR colour values.

#include <QAbstractButton>
#include <QColor>
#include <cstdint>

namespace dialogs {

inline QColor toQColor(uint32_t bgr) {
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

inline uint32_t toBgr(const QColor& c) {
    return uint32_t(c.red()) | (uint32_t(c.green()) << 8) | (uint32_t(c.blue()) << 16);
}

class ColourSwatch : public QAbstractButton {
    Q_OBJECT
  public:
    explicit ColourSwatch(QWidget* parent = nullptr);
    void setColour(uint32_t bgr);
    uint32_t colour() const { return colour_; }
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* e) override;

  private:
    uint32_t colour_ = 0;
};

} // namespace dialogs
