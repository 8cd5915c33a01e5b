// The render tool's command line and output: page and rotation checks, "--", and that a
// failed write exits 1 and leaves an old picture as it was.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "../settings/temp_folder.h"
#include "settings/atomic_file.h"

using settings_test::readBytes;
using settings_test::TempFolder;
using settings_test::writeBytes;

namespace {

// Exit status of the render tool run with `args` (shell syntax) in `folder`; -1 when it
// did not exit normally. `prefix` runs first in the same shell (limits, traps).
int runRender(const std::string& folder, const std::string& args, const std::string& prefix = {}) {
    const std::string cmd = "cd '" + folder + "' && " + prefix + " exec " +
                            std::string(QM_TOOLS_DIR) + "/quindlemini-render " + args +
                            " 2>/dev/null";
    const int st = std::system(("sh -c \"" + cmd + "\"").c_str());
    return WIFEXITED(st) ? WEXITSTATUS(st) : -1;
}

// Two pages when read with --multipage.
constexpr char kPlot[] = "IN;SP1;PA0,0;PD4000,3000;PG;SP2;PA0,0;PD3000,4000;";

} // namespace

TEST(RenderTool, PageAndRotationMustBeWholeNumbersInRange) {
    TempFolder dir;
    writeBytes(dir.file("p.plt"), kPlot);
    EXPECT_EQ(runRender(dir.path(), "-o a.png --size 64x48 p.plt"), 0);
    EXPECT_EQ(runRender(dir.path(), "-o a.png --size 64x48 --multipage --page 2 p.plt"), 0);
    // One page without --multipage; page 0 and text are no page numbers.
    EXPECT_EQ(runRender(dir.path(), "-o a.png --size 64x48 --page 2 p.plt"), 2);
    EXPECT_EQ(runRender(dir.path(), "-o a.png --size 64x48 --multipage --page 3 p.plt"), 2);
    EXPECT_EQ(runRender(dir.path(), "-o a.png --size 64x48 --page 0 p.plt"), 2);
    EXPECT_EQ(runRender(dir.path(), "-o a.png --size 64x48 --page 1x p.plt"), 2);
    EXPECT_EQ(runRender(dir.path(), "-o a.png --size 64x48 --rotation 3 p.plt"), 0);
    EXPECT_EQ(runRender(dir.path(), "-o a.png --size 64x48 --rotation 3abc p.plt"), 2);
    EXPECT_EQ(runRender(dir.path(), "-o a.png --size 64x48 --rotation '' p.plt"), 2);
    EXPECT_EQ(runRender(dir.path(), "-o a.png --size 64x48 --rotation 5 p.plt"), 2);
}

TEST(RenderTool, DoubleDashLetsAFileNameStartWithADash) {
    TempFolder dir;
    writeBytes(dir.file("-p.plt"), kPlot);
    EXPECT_EQ(runRender(dir.path(), "-o a.png --size 64x48 -p.plt"), 2);
    EXPECT_EQ(runRender(dir.path(), "-o a.png --size 64x48 -- -p.plt"), 0);
    EXPECT_EQ(readBytes(dir.file("a.png")).substr(1, 3), "PNG");
    EXPECT_EQ(dir.entryCount(), 2u);
}

TEST(RenderTool, FailedWritesExitOneAndKeepTheOldPicture) {
    TempFolder dir;
    writeBytes(dir.file("p.plt"), kPlot);
    EXPECT_EQ(runRender(dir.path(), "-o /dev/full --size 64x48 p.plt"), 1);

    // A full disk (writes beyond 2 KiB fail) while a large picture is written.
    writeBytes(dir.file("old.png"), "old picture");
    EXPECT_EQ(
        runRender(dir.path(), "-o old.png --size 3000x2000 p.plt", "trap '' XFSZ; ulimit -f 2;"),
        1);
    EXPECT_EQ(readBytes(dir.file("old.png")), "old picture");
    EXPECT_EQ(dir.entryCount(), 2u); // no temporary left beside it

    // A picture the user made read-only is not replaced.
    std::filesystem::permissions(dir.file("old.png"), std::filesystem::perms::owner_read);
    EXPECT_EQ(runRender(dir.path(), "-o old.png --size 64x48 p.plt"), 1);
    EXPECT_EQ(readBytes(dir.file("old.png")), "old picture");
    // Into a folder that does not exist.
    EXPECT_EQ(runRender(dir.path(), "-o none/a.png --size 64x48 p.plt"), 1);
}
