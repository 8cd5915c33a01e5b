#pragma once
// A test drawing (see tests/render/drawing_builder.h for its view and pens)
// drawn into a QImage through composeImage, with helpers to look at the
// picture.

#include <QImage>
#include <algorithm>
#include <cstdint>

#include "tests/render/drawing_builder.h"
#include "view/compose_image.h"

namespace viewtest {

namespace rec = interp::rec;
using rendertest::kPen1;

struct InkBox {
    int x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1;
    int count = 0;
    bool empty() const { return count == 0; }
};

struct Scene : rendertest::Drawing {
    QImage image;

    // ---- drawing ----
    void render(int width = 200, int height = 100, bool displayAll = false) {
        image = QImage(width, height, QImage::Format_RGB32);
        setView(width, height, displayAll);
        view::composeImage(image, inputs(), view);
    }

    // ---- looking ----
    uint32_t at(int x, int y) const { return view::fromPixel(image.pixel(x, y)); }
    bool inked(int x, int y) const {
        return x >= 0 && y >= 0 && x < image.width() && y < image.height() && at(x, y) != 0;
    }
    InkBox ink(int x0 = 0, int y0 = 0, int x1 = 1 << 30, int y1 = 1 << 30) const {
        InkBox b;
        for (int y = std::max(0, y0); y < std::min(image.height(), y1); ++y)
            for (int x = std::max(0, x0); x < std::min(image.width(), x1); ++x)
                if (at(x, y) != 0) {
                    b.x0 = std::min(b.x0, x);
                    b.y0 = std::min(b.y0, y);
                    b.x1 = std::max(b.x1, x);
                    b.y1 = std::max(b.y1, y);
                    ++b.count;
                }
        return b;
    }
};

} // namespace viewtest
