// Progress and cancelling of a load running on another thread, and handing a finished
// drawing from one model to another.

#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>

#include "load_helper.h"

using testhelp::CollectingReporter;

namespace {

// A plot of `lines` short strokes (about 30 bytes each) with a bad parameter at the end.
std::string strokes(int lines) {
    std::string s = "IN;SP1;";
    for (int k = 0; k < lines; ++k)
        s += "PU" + std::to_string(k % 9000) + ",0;PD" + std::to_string(k % 9000) + ",500;";
    return s + "PA1,x;";
}

void waitFor(const std::atomic<uint64_t>& value, uint64_t atLeast) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (value.load() < atLeast && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

} // namespace

TEST(LoadControl, BytesReadReachTheFileSizeAndTheDrawingIsUnchanged) {
    const std::string bytes = strokes(20000);
    interp::LoadControl control;
    interp::LoadOptions options;
    options.control = &control;
    auto watched = testhelp::load(bytes, options);
    auto plain = testhelp::load(bytes);
    EXPECT_EQ(control.bytesRead.load(), bytes.size());
    EXPECT_FALSE(watched.result.cancelled);
    EXPECT_EQ(watched.dump, plain.dump);
    EXPECT_EQ(watched.messages, plain.messages);
    EXPECT_EQ(watched.messages, std::vector<std::string>{"HPGL Data Error Count=1"});
}

TEST(LoadControl, CancelStopsTheLoadAtTheNextBufferAndReportsNothing) {
    // The reader takes its input from a pipe: it cannot get ahead of the test.
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    std::FILE* in = ::fdopen(fds[0], "rb");
    ASSERT_NE(in, nullptr);
    const std::string bytes = strokes(20000);
    // Four whole buffers, well within what a pipe holds.
    const size_t buffer = 8192;
    const size_t firstPart = 4 * buffer;

    interp::LoadControl control;
    interp::LoadOptions options;
    options.control = &control;
    interp::DrawingModel model;
    CollectingReporter reporter;
    interp::LoadResult result;
    std::thread reader([&] { result = interp::LoadPlotStream(model, in, options, reporter); });

    ASSERT_EQ(::write(fds[1], bytes.data(), firstPart), static_cast<ssize_t>(firstPart));
    waitFor(control.bytesRead, firstPart);
    EXPECT_EQ(control.bytesRead.load(), firstPart);
    control.cancel = true;
    // The reader, waiting for its fifth buffer, gets it; it takes no further one, though
    // the end of the file (with a bad parameter) is there to be read.
    const size_t tail = 20000;
    ASSERT_LT(firstPart + tail, bytes.size());
    const char* end = bytes.data() + bytes.size() - tail;
    ASSERT_EQ(::write(fds[1], end, tail), static_cast<ssize_t>(tail));
    ::close(fds[1]);
    reader.join();
    std::fclose(in);

    EXPECT_TRUE(result.opened);
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(control.bytesRead.load(), firstPart + buffer);
    EXPECT_EQ(result.errorCount, 0);
    EXPECT_TRUE(reporter.messages.empty());
    // What was read is a closed, walkable drawing.
    EXPECT_EQ(model.pageCount(), 1);
    EXPECT_TRUE(model.extents().valid());
}

TEST(LoadControl, CancelledBeforeTheStartReadsNothing) {
    interp::LoadControl control;
    control.cancel = true;
    interp::LoadOptions options;
    options.control = &control;
    auto l = testhelp::load(strokes(100), options);
    EXPECT_TRUE(l.result.opened);
    EXPECT_TRUE(l.result.cancelled);
    EXPECT_EQ(control.bytesRead.load(), 0u);
    EXPECT_EQ(testhelp::records(l.dump), "0");
}

TEST(DrawingModelSwap, ContentChangesPlacesAndBothModelsStayWritable) {
    interp::DrawingModel a;
    interp::DrawingModel b;
    const std::string small = "IN;SP1;PU0,0;PD100,0;";
    const std::string big = strokes(2000);
    auto la = testhelp::loadInto(a, small);
    auto lb = testhelp::loadInto(b, big);
    ASSERT_GT(b.blockCount(), 2u);

    a.swap(b);
    EXPECT_EQ(interp::dumpDrawing(a, lb.result), lb.dump);
    EXPECT_EQ(interp::dumpDrawing(b, la.result), la.dump);
    a.swap(a);
    EXPECT_EQ(interp::dumpDrawing(a, lb.result), lb.dump);

    // Each model goes on writing into its own blocks: a fresh load over either one is
    // the same as a load into a fresh model.
    auto again = testhelp::loadInto(b, big);
    EXPECT_EQ(again.dump, lb.dump);
    auto againSmall = testhelp::loadInto(a, small);
    EXPECT_EQ(againSmall.dump, la.dump);
}
