// The sample drawing rendered by the render tool with the settings a new user starts with
// (the Init folder): the picture is drawn through the pen table those settings select.

#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "settings/pen_tables.h"
#include "settings/settings_file.h"

namespace fs = std::filesystem;

namespace {

QRgb toQRgb(uint32_t colour) {
    return qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

int pixelsOf(const QImage& image, QRgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF)) ++n;
    return n;
}

} // namespace

TEST(SampleRender, NewUserSettingsDrawThroughTheSelectedPenTable) {
    const std::string init = QM_INIT_DIR;
    settings::SettingsRecord shipped;
    ASSERT_EQ(settings::loadSettingsFile(init + "/QuindleMini.PAR", shipped),
              settings::LoadResult::Loaded);
    settings::PenColours colour{};
    settings::PenWidths width{};
    std::string name;
    ASSERT_TRUE(settings::readPenTableFile(settings::penTablePath(init, shipped.pens.PenTblNo),
                                           colour, width, name));

    const fs::path png = fs::temp_directory_path() / "qm-sample-render.png";
    fs::remove(png);
    const std::string cmd = std::string("\"") + QM_RENDER_TOOL + "\" \"" + QM_SAMPLES_DIR +
                            "/sample.plt\" -o \"" + png.string() +
                            "\" --size 800x500 --settings \"" + init + "\" 2>/dev/null";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    const QImage image(QString::fromStdString(png.string()));
    fs::remove(png);
    ASSERT_EQ(image.size(), QSize(800, 500));

    // The paper is the background pen's colour; the border and title block (pen 1) come
    // out in table's pen 1 colour, and nothing in the built-in dark red.
    EXPECT_EQ(image.pixel(799, 250) & 0xFFFFFF, toQRgb(colour[shipped.pens.BackPenNo]) & 0xFFFFFF);
    EXPECT_GT(pixelsOf(image, toQRgb(colour[1])), 1000);
    EXPECT_EQ(pixelsOf(image, toQRgb(settings::defaultPenColours()[1])), 0);
    // Pen 4 (the hatching of the section) in its table colour, not the built-in dark blue.
    EXPECT_GT(pixelsOf(image, toQRgb(colour[4])), 200);
    EXPECT_EQ(pixelsOf(image, toQRgb(settings::defaultPenColours()[4])), 0);
}
