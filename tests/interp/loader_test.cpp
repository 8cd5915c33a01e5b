// The byte reader, parameter reader, dispatcher and the end of a load.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <random>

#include "interp/record_reader.h"
#include "load_helper.h"

using testhelp::header;
using testhelp::load;
using testhelp::records;

TEST(Loader, PlainPlotRecordsPenMovesAndBox) {
    auto l = load("SP1;PU0,0;PD100,0;");
    EXPECT_EQ(records(l.dump), "1 1|2|4 0 0|3|4 100 0|0");
    // (0,0)-(100,0) widened by 40 on each side.
    EXPECT_EQ(header(l.dump), "pages 1|page 1 -40 -40 140 40|errors 0|hpgl2 0|rtl 0");
    EXPECT_TRUE(l.messages.empty());
}

TEST(Loader, EmptyFileGivesOnlyTheEndRecordAndNoPages) {
    auto l = load("");
    EXPECT_EQ(records(l.dump), "0");
    EXPECT_EQ(header(l.dump), "pages 0|errors 0|hpgl2 0|rtl 0");
    EXPECT_TRUE(l.messages.empty());
}

TEST(Loader, LowerCaseMnemonicsAreNotRecognised) {
    auto l = load("pd100,0;");
    EXPECT_EQ(records(l.dump), "0");
}

TEST(Loader, BlanksSeparateParameters) {
    EXPECT_EQ(records(load("PA10 20;").dump), "4 10 20|0");
    EXPECT_EQ(records(load("PA10 ,20;").dump), "4 10 20|0");
    EXPECT_EQ(records(load("PA 10,20;").dump), "4 10 20|0");
    // Line ends and other control bytes between parameters are dropped.
    EXPECT_EQ(records(load("PA\r\n10,\r\n20;").dump), "4 10 20|0");
}

TEST(Loader, CommandsRunTogetherWithoutTerminators) {
    EXPECT_EQ(records(load("SP1PA10,20PD30,40PU").dump), "1 1|4 10 20|3|4 30 40|2|0");
}

TEST(Loader, RealCoordinatesRoundTiesToEven) {
    EXPECT_EQ(records(load("PA1.5,2.5;").dump), "4 2 2|0");
    EXPECT_EQ(records(load("PA-0.5,3.5000001;").dump), "4 0 4|0");
    // Letters end a parameter, so an exponent never reaches the conversion.
    EXPECT_EQ(records(load("PA+2.5,1e2;").dump), "4 2 1|0");
}

TEST(Loader, TokenIsCutAt255Characters) {
    // 300 digits of "1" would overflow; cut to 255 it still overflows: error.
    std::string big(300, '1');
    auto l = load("PA" + big + ",0;PA5,5;");
    EXPECT_EQ(records(l.dump), "4 5 5|0");
    EXPECT_EQ(l.result.errorCount, 1);
    // 255 zeros followed by more digits: the cut leaves a zero.
    std::string zeros = std::string(255, '0') + "77";
    EXPECT_EQ(records(load("PA" + zeros + ",3;").dump), "4 0 3|0");
}

TEST(Loader, BadNumbersCountOneErrorPerCommandAndReportOnce) {
    auto l = load("PA1,x;PA\"2\",3;PA4,5;PA1e999,0;PA9999999999,0;");
    EXPECT_EQ(records(l.dump), "4 4 5|0");
    // "x" and "e" are letters: they end the list after one coordinate, which
    // is an error too.
    EXPECT_EQ(l.result.errorCount, 4);
    ASSERT_EQ(l.messages.size(), 1u);
    EXPECT_EQ(l.messages[0], "HPGL Data Error Count=4");
}

TEST(Loader, SurplusParametersAreSkipped) {
    EXPECT_EQ(records(load("SP2,7,8;PA1,1;").dump), "1 2|4 1 1|0");
}

TEST(Loader, MutoHeaderErrorsAreNotCounted) {
    auto l = load("\x1bMuto,#1,xx;SP1;PA1,1;");
    EXPECT_EQ(l.result.errorCount, 0);
    EXPECT_TRUE(l.messages.empty());
}

TEST(Loader, OpenErrorLeavesThePreviousDrawing) {
    interp::DrawingModel model;
    testhelp::loadInto(model, "SP1;PD100,100;");
    testhelp::CollectingReporter rep;
    std::string missing = testhelp::tempPath("missing");
    auto r = interp::LoadPlotFile(model, missing, {}, rep);
    EXPECT_FALSE(r.opened);
    ASSERT_EQ(rep.messages.size(), 1u);
    EXPECT_EQ(rep.messages[0], "File=" + missing + " open error ! code=2");
    EXPECT_EQ(model.pageCount(), 1);
    EXPECT_NE(interp::dumpDrawing(model, {}).find("4 100 100"), std::string::npos);

    // A folder cannot be read as a plot file either.
    rep.messages.clear();
    auto dir = std::filesystem::temp_directory_path();
    EXPECT_FALSE(interp::LoadPlotFile(model, dir.string(), {}, rep).opened);
    EXPECT_EQ(rep.messages.size(), 1u);
}

TEST(Loader, ReloadReplacesEverything) {
    interp::DrawingModel model;
    std::string many;
    for (int i = 0; i < 3000; ++i)
        many += "PD" + std::to_string(i) + ",1;";
    testhelp::loadInto(model, many);
    EXPECT_GT(model.blockCount(), 1u);
    auto l = testhelp::loadInto(model, "PD5,5;");
    EXPECT_EQ(model.blockCount(), 1u);
    EXPECT_EQ(records(l.dump), "3|4 5 5|0");
}

TEST(Loader, PageAdvanceSplitsOnlyWithMultiPage) {
    std::string src = "SP1;PD100,100;PG;PD200,300;";
    auto single = load(src);
    EXPECT_EQ(header(single.dump).substr(0, 7), "pages 1");
    // PG resets the position to (0, 0) even without splitting.
    EXPECT_NE(single.dump.find("4 200 300"), std::string::npos);

    interp::LoadOptions mp;
    mp.multiPage = true;
    auto multi = load(src, mp);
    EXPECT_EQ(header(multi.dump),
              "pages 2|page 1 60 60 140 140|page 2 160 260 240 340|errors 0|hpgl2 0|rtl 0");
    // The second page begins with the replay of the state.
    std::string r = records(multi.dump);
    EXPECT_NE(r.find("254|2|1 1|11 114 150|12 0|13 0|24 0|14 1|15 0 0|18 1 12 0|23 255 "),
              std::string::npos)
        << r;
    EXPECT_NE(r.find("|27 0|29 0|30 50044|3|4 200 300|0"), std::string::npos) << r;

    // NR splits but keeps the position.
    auto nr = load("PD100,100;NR;PD200,300;", mp);
    EXPECT_EQ(header(nr.dump).substr(0, 7), "pages 2");
}

TEST(Loader, PagesBeyondTwentyUseTheNextDirectoryBlock) {
    std::string src;
    for (int p = 1; p <= 23; ++p)
        src += "PD" + std::to_string(p * 10) + ",1;PG;";
    interp::LoadOptions mp;
    mp.multiPage = true;
    interp::DrawingModel model;
    auto l = testhelp::loadInto(model, src, mp);
    ASSERT_EQ(model.pageCount(), 23);
    // Page 21 is slot 1 of the second directory block and holds its own box.
    interp::Extents e = model.pageExtents(21);
    EXPECT_EQ(e.xMax, 210 + 40);
    interp::RecordReader rd(model, 21);
    interp::Record rec;
    std::string seen;
    while (rd.nextOnPage(rec))
        if (rec.code == interp::Rec::Point)
            seen += std::to_string(rec.as<interp::rec::Point>().x) + " ";
    EXPECT_EQ(seen, "210 ");
}

TEST(Loader, EmptyPagesDoNotCount) {
    interp::LoadOptions mp;
    mp.multiPage = true;
    auto l = load("PG;PG;SP1;PG;PD10,10;PG;PG;", mp);
    EXPECT_EQ(header(l.dump).substr(0, 7), "pages 1");
}

TEST(Loader, TrailingPenUpMovesDoNotGrowThePage) {
    auto l = load("PU500,500;PD600,600;PU9000,9000;");
    EXPECT_EQ(header(l.dump).substr(0, 30), "pages 1|page 1 460 460 640 640");
}

TEST(Loader, AbsurdCoordinatesInvalidateThePage) {
    auto l = load("PD214748365,0;");
    EXPECT_EQ(header(l.dump), "pages 0|errors 0|hpgl2 0|rtl 0");
    auto ok = load("PD214748364,-214748364;");
    EXPECT_EQ(header(ok.dump).substr(0, 7), "pages 1");
}

TEST(Loader, GarbageNeverBreaksTheLoad) {
    std::mt19937 rng(12345);
    for (int round = 0; round < 200; ++round) {
        std::string bytes;
        int len = static_cast<int>(rng() % 4000);
        const char alphabet[] = "PAPDPUSPLBCIPMFPINPG;,. -+0123456789e\x1b@\x03\r\n";
        for (int i = 0; i < len; ++i) {
            if (rng() % 4 == 0)
                bytes += static_cast<char>(rng() & 0xFF);
            else
                bytes += alphabet[rng() % (sizeof alphabet - 1)];
        }
        interp::LoadOptions opt;
        opt.multiPage = round % 2;
        interp::DrawingModel model;
        auto l = testhelp::loadInto(model, bytes, opt);
        ASSERT_TRUE(l.result.opened);
        // The whole list reads back and ends with the end record.
        ASSERT_GE(l.dump.size(), 2u);
        for (int p = 1; p <= model.pageCount(); ++p) {
            interp::RecordReader rd(model, p);
            interp::Record rec;
            int guard = 0;
            while (rd.nextOnPage(rec))
                ASSERT_LT(++guard, 10000000);
        }
    }
}

TEST(Loader, HugeLineWithoutSeparatorsEndsNormally) {
    std::string digits(3 * 1024 * 1024, '7');
    auto l = load("PA" + digits + ";PD1,2;");
    EXPECT_EQ(l.result.errorCount, 1);
    EXPECT_NE(l.dump.find("4 1 2"), std::string::npos);
}

TEST(Loader, ResetEndsPolygonMode) {
    // Points after IN go to the drawing list again, not into the open polygon.
    auto l = load("SP1;PU10,10;PM0;PD20,20;IN;PD30,30;");
    EXPECT_NE(records(l.dump).find("|3|4 30 30|0"), std::string::npos) << records(l.dump);
}

TEST(Loader, OnlyRegularFilesAreOpened) {
    // A FIFO without a writer, an endless device and a folder are open errors at once; the
    // model keeps what it held.
    std::string fifo = testhelp::tempPath("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    interp::DrawingModel model;
    testhelp::loadInto(model, "SP1;PD10,10;");
    const std::string before = interp::dumpDrawing(model, {});
    const std::string folder = std::filesystem::temp_directory_path().string();
    const std::pair<std::string, int> cases[] = {
        {fifo, EINVAL}, {"/dev/zero", EINVAL}, {folder, EISDIR}};
    for (const auto& [path, code] : cases) {
        testhelp::CollectingReporter rep;
        interp::LoadResult r = interp::LoadPlotFile(model, path, {}, rep);
        EXPECT_FALSE(r.opened) << path;
        ASSERT_EQ(rep.messages.size(), 1u) << path;
        EXPECT_EQ(rep.messages[0], "File=" + path + " open error ! code=" + std::to_string(code));
        EXPECT_EQ(interp::dumpDrawing(model, {}), before);
    }
    // The tools read a FIFO as a stream.
    pid_t writer = fork();
    if (writer == 0) {
        FILE* f = std::fopen(fifo.c_str(), "wb");
        if (f) std::fputs("SP2;PD5,5;", f);
        _exit(f && std::fclose(f) == 0 ? 0 : 1);
    }
    interp::LoadOptions tools;
    tools.specialFiles = true;
    testhelp::CollectingReporter rep;
    EXPECT_TRUE(interp::LoadPlotFile(model, fifo, tools, rep).opened);
    int status = 0;
    waitpid(writer, &status, 0);
    EXPECT_EQ(records(interp::dumpDrawing(model, {})), "1 2|3|4 5 5|0");
    std::filesystem::remove(fifo);
}
