// The render tool picks the picture format by the output's extension: PNG
// (a palette PNG for a drawing of few colours), SVG, PDF with one page per
// drawing page under --multipage; any other extension is a usage error that
// writes nothing.

#include <gtest/gtest.h>

#include <QImage>
#include <QRegularExpression>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace fs = std::filesystem;

namespace {

class RenderFormats : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("qm-formats-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
        std::ofstream(dir_ / "three.plt") << "IN;SP1;PU0,0;PD4000,2000;PG;"
                                             "SP2;PU0,0;PD1000,3000;PG;"
                                             "SP3;PU0,0;PD2000,2000;";
    }
    void TearDown() override { fs::remove_all(dir_); }

    // Exit status of the tool on three.plt with `args`.
    int render(const std::string& args) const {
        const std::string cmd = std::string("\"") + QM_RENDER_TOOL + "\" \"" +
                                (dir_ / "three.plt").string() + "\" " + args + " 2>\"" +
                                (dir_ / "stderr.txt").string() + "\"";
        const int rc = std::system(cmd.c_str());
        return WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
    }
    std::string read(const std::string& name) const {
        std::ifstream in(dir_ / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::string path(const std::string& name) const { return (dir_ / name).string(); }

    fs::path dir_;
};

int pdfPages(const std::string& pdf) {
    return int(QString::fromLatin1(pdf.data(), qsizetype(pdf.size()))
                   .count(QRegularExpression(QStringLiteral("/Type\\s*/Page\\b(?!s)"))));
}

} // namespace

TEST_F(RenderFormats, PngOfFewColoursIsAPalettePng) {
    ASSERT_EQ(render("-o \"" + path("out.png") + "\" --size 320x200"), 0);
    const std::string png = read("out.png");
    ASSERT_GT(png.size(), 26u);
    EXPECT_EQ(png[25], 3) << "colour type: palette";
    const QImage image(QString::fromStdString(path("out.png")));
    EXPECT_EQ(image.size(), QSize(320, 200));
}

TEST_F(RenderFormats, ExtensionDecidesInAnyCase) {
    ASSERT_EQ(render("-o \"" + path("out.SVG") + "\""), 0);
    EXPECT_NE(read("out.SVG").find("<svg "), std::string::npos);
    ASSERT_EQ(render("-o \"" + path("out.Pdf") + "\""), 0);
    EXPECT_EQ(read("out.Pdf").rfind("%PDF-", 0), 0u);
}

TEST_F(RenderFormats, PdfHasEveryPageWithMultipageElseThePageAskedFor) {
    ASSERT_EQ(render("--multipage -o \"" + path("all.pdf") + "\""), 0);
    EXPECT_EQ(pdfPages(read("all.pdf")), 3);
    ASSERT_EQ(render("--multipage --page 2 -o \"" + path("all2.pdf") + "\""), 0);
    EXPECT_EQ(pdfPages(read("all2.pdf")), 3);
    ASSERT_EQ(render("-o \"" + path("one.pdf") + "\""), 0);
    EXPECT_EQ(pdfPages(read("one.pdf")), 1);
}

TEST_F(RenderFormats, OtherExtensionsAreUsageErrors) {
    for (const char* name : {"out.jpg", "out", "out.png.bak", "dir.png/out"}) {
        EXPECT_EQ(render(std::string("-o \"") + path(name) + "\""), 2) << name;
        EXPECT_FALSE(fs::exists(path(name))) << name;
    }
    EXPECT_NE(read("stderr.txt").find("usage:"), std::string::npos);
}
