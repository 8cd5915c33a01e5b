// The render tool on every sample plot file of the shared corpus (skipped
// when the corpus is not there): each run ends without error and writes a
// picture of the requested size.

#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

TEST(CorpusRender, EveryFileRendersWithoutError) {
    const fs::path corpus(QM_CORPUS_DIR);
    if (!fs::is_directory(corpus)) GTEST_SKIP() << "no corpus at " << corpus;
    const fs::path out = fs::temp_directory_path() / "qm-corpus-render";
    fs::create_directories(out);
    int files = 0;
    for (const fs::directory_entry& e : fs::directory_iterator(corpus)) {
        if (!e.is_regular_file()) continue;
        ++files;
        const fs::path png = out / (e.path().filename().string() + ".png");
        fs::remove(png);
        const std::string cmd = std::string("\"") + QM_RENDER_TOOL + "\" \"" + e.path().string() +
                                "\" -o \"" + png.string() +
                                "\" --size 320x200 --multipage 2>/dev/null";
        EXPECT_EQ(std::system(cmd.c_str()), 0) << e.path();
        QImage image(QString::fromStdString(png.string()));
        EXPECT_EQ(image.width(), 320) << e.path();
        EXPECT_EQ(image.height(), 200) << e.path();
        fs::remove(png);
    }
    EXPECT_GT(files, 0);
}

TEST(CorpusRender, MissingFileFails) {
    const std::string cmd = std::string("\"") + QM_RENDER_TOOL +
                            "\" /nonexistent/file.plt -o /tmp/qm-none.png 2>/dev/null";
    EXPECT_NE(std::system(cmd.c_str()), 0);
}
