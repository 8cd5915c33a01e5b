// Entry names: the bare name an entry is written under, masks, and names in messages.

#include <gtest/gtest.h>

#include "archive/entry_name.h"

using archives::matchesMask;
using archives::printableName;
using archives::safeFileName;

TEST(SafeFileName, KeepsOnlyTheLastComponentAfterEitherSeparator) {
    EXPECT_EQ(safeFileName("plot.hgl"), "plot.hgl");
    EXPECT_EQ(safeFileName("sub/deep/b.hgl"), "b.hgl");
    EXPECT_EQ(safeFileName("../../escape.hgl"), "escape.hgl");
    EXPECT_EQ(safeFileName("..\\..\\back.hgl"), "back.hgl");
    EXPECT_EQ(safeFileName("C:\\work/mixed\\x.hgl"), "x.hgl");
    EXPECT_EQ(safeFileName("/tmp/absolute.hgl"), "absolute.hgl");
    EXPECT_EQ(safeFileName("図面/図面.hgl"), "図面.hgl");
    EXPECT_EQ(safeFileName(".hidden.hgl"), ".hidden.hgl");
}

TEST(SafeFileName, RefusesNamesThatAreNotAFileName) {
    for (const char* bad : {"", "dir/", "dir\\", ".", "..", "dir/..", "a\\.", "bell\x07.hgl",
                            "tab\there.hgl", "new\nline.hgl", "del\x7f.hgl", "/"})
        EXPECT_FALSE(safeFileName(bad)) << printableName(bad);
    EXPECT_FALSE(safeFileName(std::string(256, 'a')));
    EXPECT_TRUE(safeFileName(std::string(255, 'a')));
}

TEST(EntryMask, MatchesTheLastComponentLikeDosArchivers) {
    EXPECT_TRUE(matchesMask("plot.hgl", "*.hgl"));
    EXPECT_TRUE(matchesMask("PLOT.HGL", "*.hgl"));
    EXPECT_TRUE(matchesMask("sub/deep/b.hgl", "*.hgl"));
    EXPECT_TRUE(matchesMask("図面.hgl", "*.hgl"));
    EXPECT_FALSE(matchesMask("plot.hgl.txt", "*.hgl"));
    EXPECT_FALSE(matchesMask("hgl/readme.txt", "*.hgl"));
    EXPECT_FALSE(matchesMask("plot.hg", "*.hgl"));
    EXPECT_TRUE(matchesMask("anything", "*"));
    EXPECT_TRUE(matchesMask("no_dot", "*.*"));
    EXPECT_FALSE(matchesMask("no_dot", "*.?*"));
    EXPECT_TRUE(matchesMask("a1.plt", "a?.plt"));
    EXPECT_TRUE(matchesMask("図.plt", "?.plt"));
    EXPECT_FALSE(matchesMask("ab1.plt", "a?.plt"));
    EXPECT_TRUE(matchesMask("abcabd", "*ab?"));
    EXPECT_FALSE(matchesMask("", "*.hgl"));
    // Many stars against a long name stay quick (no backtracking blow-up).
    EXPECT_FALSE(matchesMask(std::string(5000, 'a'), "*a*a*a*a*a*a*a*a*b"));
}

TEST(PrintableName, ShowsControlBytes) {
    EXPECT_EQ(printableName("bell\x07.hgl"), "bell\\x07.hgl");
    EXPECT_EQ(printableName("図面.hgl"), "図面.hgl");
    EXPECT_EQ(printableName("a\x1b[2Jb"), "a\\x1B[2Jb");
}
