// The PNG writer: pictures of every colour count and odd widths come back
// pixel for pixel through Qt's own PNG reader, with the expected colour type
// and bit depth; writing replaces the target only after every byte is on disk
// and leaves no temporary file behind on failure.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <QImage>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "view/png_writer.h"

namespace fs = std::filesystem;

namespace {

// A width x height picture using `colours` distinct colours: colour k is
// 0xFF000000 | k * 0x010305 (all distinct for k < 4096), placed so that every
// one appears and runs of one colour alternate with single pixels.
QImage patternImage(int width, int height, int colours) {
    QImage image(width, height, QImage::Format_RGB32);
    int k = 0;
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int c = (x % 5 == 0 || y % 3 == 0) ? (k++ % colours) : 0;
            row[x] = 0xFF000000u | uint32_t(c) * 0x010305u;
        }
    }
    return image;
}

view::PixelRows rowsOf(const QImage& image, bool keepAlpha = false) {
    return {reinterpret_cast<const uint32_t*>(image.constBits()), image.width(), image.height(),
            image.bytesPerLine() / 4, keepAlpha};
}

QImage decode(const std::vector<uint8_t>& png) {
    QImage image;
    image.loadFromData(png.data(), int(png.size()), "PNG");
    return image;
}

// Colour type and bit depth from the IHDR chunk.
int colourType(const std::vector<uint8_t>& png) {
    return png.at(25);
}
int bitDepth(const std::vector<uint8_t>& png) {
    return png.at(24);
}

struct CountCase {
    int colours;
    int width;
    int colourType; // 3 palette, 2 RGB
    int bits;
};

class PngColourCount : public ::testing::TestWithParam<CountCase> {};

} // namespace

TEST_P(PngColourCount, RoundTripsWithTheSmallestFormat) {
    const CountCase c = GetParam();
    const QImage image = patternImage(c.width, 37, c.colours);
    std::vector<uint8_t> png;
    ASSERT_TRUE(view::encodePng(rowsOf(image), png));
    EXPECT_EQ(colourType(png), c.colourType);
    EXPECT_EQ(bitDepth(png), c.bits);
    const QImage back = decode(png).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(back.size(), image.size());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ASSERT_EQ(back.pixel(x, y), image.pixel(x, y)) << "pixel " << x << "," << y;
}

// Widths that end a row in the middle of a packed byte for every depth.
INSTANTIATE_TEST_SUITE_P(Counts, PngColourCount,
                         ::testing::Values(CountCase{1, 1, 3, 1}, CountCase{2, 13, 3, 1},
                                           CountCase{3, 7, 3, 2}, CountCase{4, 9, 3, 2},
                                           CountCase{5, 3, 3, 4}, CountCase{16, 101, 3, 4},
                                           CountCase{17, 51, 3, 8}, CountCase{256, 333, 3, 8},
                                           CountCase{257, 333, 2, 8}, CountCase{1000, 64, 2, 8}));

TEST(PngWriter, KeepsAlphaWhenAsked) {
    QImage image(10, 4, QImage::Format_ARGB32);
    image.fill(0x80FF0000u); // half-transparent red, not premultiplied
    image.setPixel(3, 2, 0xFF00FF00u);
    std::vector<uint8_t> png;
    ASSERT_TRUE(view::encodePng(rowsOf(image, true), png));
    EXPECT_EQ(colourType(png), 3); // palette with a transparency chunk
    const QImage back = decode(png).convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(back.pixel(0, 0), 0x80FF0000u);
    EXPECT_EQ(back.pixel(3, 2), 0xFF00FF00u);

    // Without keepAlpha the alpha byte is ignored and the picture is opaque.
    ASSERT_TRUE(view::encodePng(rowsOf(image, false), png));
    EXPECT_EQ(decode(png).pixel(0, 0), 0xFFFF0000u);
}

TEST(PngWriter, RefusesPicturesWithoutPixels) {
    std::vector<uint8_t> png{1, 2, 3};
    EXPECT_FALSE(view::encodePng(view::PixelRows{}, png));
    EXPECT_TRUE(png.empty());
    const uint32_t pixel = 0;
    EXPECT_FALSE(view::encodePng(view::PixelRows{&pixel, 0, 1, 1, false}, png));
    EXPECT_FALSE(view::encodePng(view::PixelRows{&pixel, 2, 1, 1, false}, png)); // stride < width
}

class PngFile : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("qm-png-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir_);
    }
    // Files in the folder other than `keep`.
    int strayFiles(const fs::path& keep) const {
        int n = 0;
        for (const auto& e : fs::directory_iterator(dir_))
            n += e.path() != keep;
        return n;
    }
    static std::string contents(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    fs::path dir_;
};

TEST_F(PngFile, ReplacesTheTargetAndKeepsItsPermissions) {
    const fs::path target = dir_ / "out.png";
    { std::ofstream(target) << "old"; }
    fs::permissions(target, fs::perms(0640));
    const QImage image = patternImage(40, 30, 6);
    const view::WriteResult r = view::writePng(target.string(), rowsOf(image));
    ASSERT_TRUE(r.ok()) << r.message();
    EXPECT_EQ(QImage(QString::fromStdString(target.string())).size(), image.size());
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all, fs::perms(0640));
    EXPECT_EQ(strayFiles(target), 0);
}

TEST_F(PngFile, NewFileGetsTheUsualPermissions) {
    const fs::path target = dir_ / "new.png";
    const mode_t old = ::umask(022);
    const view::WriteResult r = view::writePng(target.string(), rowsOf(patternImage(8, 8, 2)));
    ::umask(old);
    ASSERT_TRUE(r.ok()) << r.message();
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all, fs::perms(0644));
}

TEST_F(PngFile, FailuresLeaveTheTargetAsItWas) {
    const QImage image = patternImage(300, 200, 200);

    // No folder to put the temporary file in.
    view::WriteResult r = view::writePng((dir_ / "no" / "out.png").string(), rowsOf(image));
    EXPECT_EQ(r.status, view::WriteStatus::CannotCreate);
    EXPECT_NE(r.message().find("No such file"), std::string::npos) << r.message();

    // The target is a folder: nothing is written and no temporary file stays.
    const fs::path folder = dir_ / "folder.png";
    fs::create_directory(folder);
    r = view::writePng(folder.string(), rowsOf(image));
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(strayFiles(folder), 0);

    // The disk fills up half way: a file size limit makes the write fail.
    const fs::path target = dir_ / "full.png";
    { std::ofstream(target) << "old"; }
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 1000;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    r = view::writePng(target.string(), rowsOf(image));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(r.status, view::WriteStatus::WriteFailed) << r.message();
    EXPECT_EQ(contents(target), "old");
    EXPECT_EQ(strayFiles(target), 1); // the folder made above
}
