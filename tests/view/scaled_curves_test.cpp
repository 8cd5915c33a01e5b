// Circles, wedges and polygon circles in a drawing scaled with unequal X and
// Y factors: all of them are drawn as the same ellipse. The plot text is run
// through the loader, so the polygon points are those the interpreter makes.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "interp/loader.h"
#include "scene.h"

using viewtest::Scene;

namespace {

struct QuietReporter : interp::Reporter {
    void report(const std::string&) override {}
};

// Loads `body` after marking the view's corners with dots (so the page box
// holds the default view) and with P1, P2 and SC set so that one user unit
// is 10 plotter units in X and 5 in Y: (100, 100) is plotter (1000, 500),
// pixel (100, 50).
void loadScaled(Scene& s, const std::string& body) {
    const std::string text = "IN;SP1;PA0,0;PD;PU;PA2000,1000;PD;PU;IP0,0,1000,1000;"
                             "SC0,100,0,200;PA100,100;" +
                             body;
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / "qm-scaled-curves.plt";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
    QuietReporter reporter;
    interp::LoadPlotFile(s.model, path.string(), interp::LoadOptions{}, reporter);
    std::filesystem::remove(path);
}

// Ink away from the corner dots.
viewtest::InkBox inkInside(const Scene& s) {
    return s.ink(5, 5, 195, 95);
}

} // namespace

TEST(ScaledCurves, CirclesWedgesAndPolygonCirclesAreTheSameEllipse) {
    // Radius 20 user units: 200 plotter units (20 pixels) across X, 100 (10
    // pixels) across Y.
    for (const char* body :
         {"CI20;", "EW20,0,360;", "WG20,0,360;", "PM0;CI20;PM2;EP;", "PM0;CI20;PM2;FP;"}) {
        SCOPED_TRACE(body);
        Scene s;
        loadScaled(s, body);
        s.render();
        const viewtest::InkBox b = inkInside(s);
        ASSERT_FALSE(b.empty());
        EXPECT_NEAR(b.x0, 80, 1);
        EXPECT_NEAR(b.x1, 120, 1);
        EXPECT_NEAR(b.y0, 40, 1);
        EXPECT_NEAR(b.y1, 60, 1);
    }
}

TEST(ScaledCurves, QuarterWedgeKeepsItsEllipticalRim) {
    // From 0 to 90 degrees: the rim runs from (120, 50) to (100, 40) pixels.
    Scene s;
    loadScaled(s, "EW20,0,90;");
    s.render();
    const viewtest::InkBox b = inkInside(s);
    ASSERT_FALSE(b.empty());
    EXPECT_NEAR(b.x0, 100, 1);
    EXPECT_NEAR(b.x1, 120, 1);
    EXPECT_NEAR(b.y0, 40, 1);
    EXPECT_NEAR(b.y1, 50, 1);
    // The rim's middle (45 degrees) lies on the ellipse, not the circle.
    EXPECT_TRUE(s.inked(114, 43) || s.inked(114, 42) || s.inked(115, 43) || s.inked(113, 43));
    EXPECT_FALSE(s.inked(114, 36));
}
