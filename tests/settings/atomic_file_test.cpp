// Output files: what a save does with links, read-only files, FIFOs and devices, full
// disks, and the temporaries of saves that were killed.

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "settings/atomic_file.h"
#include "settings/text_lines.h"
#include "temp_folder.h"

using namespace settings;
using settings_test::readBytes;
using settings_test::TempFolder;
using settings_test::writeBytes;

namespace {

mode_t modeOf(const std::string& path) {
    struct stat st {};
    lstat(path.c_str(), &st);
    return st.st_mode;
}

// The id of a process that has ended (and been reaped).
pid_t deadProcess() {
    pid_t child = fork();
    if (child == 0) _exit(0);
    int status = 0;
    waitpid(child, &status, 0);
    return child;
}

} // namespace

TEST(OutputFile, LinkedSettingsFileIsWrittenThroughToItsTarget) {
    TempFolder dir;
    const std::string target = dir.file("real.PAR");
    const std::string link = dir.file("QuindleMini.PAR");
    writeBytes(target, "old\r\n");
    ASSERT_EQ(symlink("real.PAR", link.c_str()), 0);

    ASSERT_TRUE(writeFileAtomically(link, "new\r\n"));
    EXPECT_TRUE(S_ISLNK(modeOf(link)));
    EXPECT_EQ(readBytes(target), "new\r\n");
    EXPECT_EQ(dir.entryCount(), 2u);

    // A dangling link gets its target created.
    ASSERT_EQ(unlink(target.c_str()), 0);
    ASSERT_TRUE(writeFileAtomically(link, "again\r\n"));
    EXPECT_TRUE(S_ISLNK(modeOf(link)));
    EXPECT_EQ(readBytes(target), "again\r\n");
}

TEST(OutputFile, ReadOnlyFileIsLeftAloneAndPermissionsAreKept) {
    TempFolder dir;
    const std::string path = dir.file("QuindleMini.PAR");
    writeBytes(path, "mine\r\n");
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    EXPECT_FALSE(writeFileAtomically(path, "other\r\n"));
    EXPECT_EQ(readBytes(path), "mine\r\n");
    EXPECT_EQ(modeOf(path) & 07777, 0444u);
    EXPECT_EQ(dir.entryCount(), 1u);

    // A private file stays private when it is replaced.
    ASSERT_EQ(chmod(path.c_str(), 0600), 0);
    ASSERT_TRUE(writeFileAtomically(path, "other\r\n"));
    EXPECT_EQ(readBytes(path), "other\r\n");
    EXPECT_EQ(modeOf(path) & 07777, 0600u);
}

TEST(OutputFile, SpecialFilesAreRefusedOrWrittenDirectly) {
    TempFolder dir;
    const std::string fifo = dir.file("QuindleMini.PAR");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    // Neither blocks on the FIFO nor replaces it.
    EXPECT_FALSE(writeFileAtomically(fifo, "x\r\n"));
    EXPECT_TRUE(S_ISFIFO(modeOf(fifo)));
    EXPECT_FALSE(readTextLines(fifo).has_value());
    EXPECT_FALSE(readTextLines("/dev/zero").has_value());
    EXPECT_FALSE(readTextLines(dir.path()).has_value());

    // A tool's output on a full device fails at the write, not silently.
    OutputFile full;
    ASSERT_TRUE(full.open("/dev/full", SpecialFiles::WriteDirectly));
    EXPECT_FALSE(full.write("data"));
    EXPECT_FALSE(full.commit());
    EXPECT_EQ(full.error(), ENOSPC);
    EXPECT_TRUE(S_ISCHR(modeOf("/dev/full")));

    OutputFile null;
    ASSERT_TRUE(null.open("/dev/null", SpecialFiles::WriteDirectly));
    EXPECT_TRUE(null.write("data"));
    EXPECT_TRUE(null.commit());
}

TEST(OutputFile, FullDiskKeepsTheOldFileAndLeavesNoTemporary) {
    TempFolder dir;
    const std::string path = dir.file("picture.png");
    writeBytes(path, "old picture");

    // Writes beyond 1000 bytes fail with EFBIG, as on a full disk.
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    OutputFile out;
    const bool opened = out.open(path, SpecialFiles::WriteDirectly);
    const bool wrote = out.write(std::string(600, 'a')) && out.write(std::string(600, 'b'));
    const bool committed = out.commit();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_TRUE(opened);
    EXPECT_FALSE(wrote);
    EXPECT_FALSE(committed);
    EXPECT_EQ(out.error(), EFBIG);
    EXPECT_EQ(readBytes(path), "old picture");
    EXPECT_EQ(dir.entryCount(), 1u);
}

TEST(OutputFile, StaleTemporariesOfEndedProcessesAreRemoved) {
    long pid = 0;
    EXPECT_TRUE(isTemporaryName("QuindleMini.PAR.tmp123.0a1b2c3d", pid));
    EXPECT_EQ(pid, 123);
    EXPECT_FALSE(isTemporaryName("QuindleMini.PAR.tmp123.0A1B2C3D", pid));
    EXPECT_FALSE(isTemporaryName("QuindleMini.PAR.tmp.0a1b2c3d", pid));
    EXPECT_FALSE(isTemporaryName(".tmp123.0a1b2c3d", pid));
    EXPECT_FALSE(isTemporaryName("QuindleMini.PAR", pid));

    TempFolder dir;
    const std::string dead = "QuindleMini.PAR.tmp" + std::to_string(deadProcess()) + ".0a1b2c3d";
    const std::string live = "PenTable1.par.tmp" + std::to_string(getppid()) + ".00000000";
    writeBytes(dir.file(dead), "half");
    writeBytes(dir.file(live), "being written");
    writeBytes(dir.file("QuindleMini.PAR"), "kept");
    ASSERT_EQ(mkdir(dir.file("sub.tmp1.00000000").c_str(), 0700), 0);

    EXPECT_EQ(removeStaleTemporaries(dir.path()), 1);
    EXPECT_EQ(access(dir.file(dead).c_str(), F_OK), -1);
    EXPECT_EQ(readBytes(dir.file(live)), "being written");
    EXPECT_EQ(readBytes(dir.file("QuindleMini.PAR")), "kept");
    EXPECT_EQ(dir.entryCount(), 3u);
}
