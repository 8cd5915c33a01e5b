// End-to-end picture output against hp2xx: both programs turn the same
// synthetic drawing of N pen-down vectors into a PNG of about 1600 x 1000
// pixels, run as whole processes in turn (ours, theirs, ours, ...). Prints the
// wall and CPU seconds of every run, the medians and the ratio of the medians.
// Skips with status 0 when hp2xx is not installed.
//
// usage: hp2xx_compare RENDER_TOOL [vectors=1000000] [runs=3] [EARLIER_RENDER_TOOL]
//        hp2xx_compare --write FILE [vectors=1000000]   (only writes the drawing)
// An earlier build of the render tool, when given, runs in the same turns, so
// that before and after are measured under the same conditions.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/plot_generator.h"

namespace {

namespace fs = std::filesystem;

struct RunTime {
    double wall = 0.0;
    double cpu = 0.0; // user + system of the child
    int status = -1;
};

// Runs argv[0] (searched on PATH) with stdout and stderr sent to /dev/null.
RunTime runProcess(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    RunTime t;
    const auto t0 = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        std::FILE* null = std::fopen("/dev/null", "w");
        if (null) {
            dup2(fileno(null), 1);
            dup2(fileno(null), 2);
        }
        execvp(argv[0], argv.data());
        _exit(127);
    }
    if (pid < 0) return t;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) return t;
    t.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    t.cpu = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
            double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    t.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return t;
}

bool onPath(const char* name) {
    const char* path = std::getenv("PATH");
    if (!path) return false;
    std::string all = path;
    size_t start = 0;
    while (start <= all.size()) {
        const size_t end = std::min(all.find(':', start), all.size());
        const fs::path candidate = fs::path(all.substr(start, end - start)) / name;
        if (access(candidate.c_str(), X_OK) == 0) return true;
        start = end + 1;
    }
    return false;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

bool writeDrawing(const std::string& path, size_t vectors) {
    const std::string text = bench::generatePlot(vectors, 7);
    std::ofstream out(path, std::ios::binary);
    out.write(text.data(), std::streamsize(text.size()));
    out.close();
    return bool(out);
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "--write") == 0) {
        const size_t vectors = argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 1000000;
        return writeDrawing(argv[2], vectors) ? 0 : 1;
    }
    if (argc < 2) {
        std::fprintf(stderr, "usage: hp2xx_compare RENDER_TOOL [vectors] [runs]\n"
                             "       hp2xx_compare --write FILE [vectors]\n");
        return 2;
    }
    const std::string tool = fs::absolute(argv[1]).string();
    const size_t vectors = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1000000;
    const int runs = argc > 3 ? std::atoi(argv[3]) : 3;
    const std::string earlierTool = argc > 4 ? fs::absolute(argv[4]).string() : std::string();
    if (vectors == 0 || runs <= 0) return 2;
    if (!onPath("hp2xx")) {
        std::printf("hp2xx is not installed: comparison skipped\n");
        return 0;
    }

    const fs::path dir = fs::temp_directory_path() / ("qm-hp2xx-" + std::to_string(getpid()));
    fs::create_directories(dir);
    const std::string plot = (dir / "walk.plt").string();
    if (!writeDrawing(plot, vectors)) {
        std::fprintf(stderr, "cannot write %s\n", plot.c_str());
        return 1;
    }
    const std::string oursOut = (dir / "ours.png").string();
    const std::string theirsOut = (dir / "theirs.png").string();
    // 271 x 169 mm at 150 dpi is 1600 x 998 pixels.
    const std::vector<std::string> ours{tool, plot, "-o", oursOut, "--size", "1600x1000"};
    const std::string earlierOut = (dir / "earlier.png").string();
    const std::vector<std::string> earlier{earlierTool, plot,     "-o",
                                           earlierOut,  "--size", "1600x1000"};
    const std::vector<std::string> theirs{"hp2xx", "-q", "-m",  "png", "-d",      "150", "-w",
                                          "271",   "-h", "169", "-f",  theirsOut, plot};

    // One warm-up of each, so both read the drawing from the page cache.
    runProcess(ours);
    runProcess(theirs);
    if (!earlierTool.empty()) runProcess(earlier);
    std::vector<double> oursWall, oursCpu, theirsWall, theirsCpu, earlierWall, earlierCpu;
    for (int k = 0; k < runs; ++k) {
        const RunTime a = runProcess(ours);
        const RunTime b = runProcess(theirs);
        std::printf("run %d: ours %.3f s wall %.3f s cpu (status %d), hp2xx %.3f s wall %.3f s "
                    "cpu (status %d)",
                    k + 1, a.wall, a.cpu, a.status, b.wall, b.cpu, b.status);
        oursWall.push_back(a.wall);
        oursCpu.push_back(a.cpu);
        theirsWall.push_back(b.wall);
        theirsCpu.push_back(b.cpu);
        if (!earlierTool.empty()) {
            const RunTime c = runProcess(earlier);
            std::printf(", earlier %.3f s wall %.3f s cpu (status %d)", c.wall, c.cpu, c.status);
            earlierWall.push_back(c.wall);
            earlierCpu.push_back(c.cpu);
        }
        std::printf("\n");
    }
    std::error_code ec;
    const auto oursSize = fs::file_size(oursOut, ec);
    const auto theirsSize = fs::file_size(theirsOut, ec);
    std::printf("drawing: %zu vectors, %.1f MB; PNG bytes: ours %llu, hp2xx %llu\n", vectors,
                double(fs::file_size(plot)) / 1e6, (unsigned long long)oursSize,
                (unsigned long long)theirsSize);
    const double ow = median(oursWall), tw = median(theirsWall);
    std::printf("median of %d: ours %.3f s (cpu %.3f s), hp2xx %.3f s (cpu %.3f s)\n", runs, ow,
                median(oursCpu), tw, median(theirsCpu));
    std::printf("hp2xx / ours: %.1fx wall, %.1fx cpu\n", ow > 0 ? tw / ow : 0.0,
                median(oursCpu) > 0 ? median(theirsCpu) / median(oursCpu) : 0.0);
    if (!earlierTool.empty()) {
        const double ew = median(earlierWall);
        std::printf("earlier build: %.3f s (cpu %.3f s), earlier / ours: %.1fx wall; "
                    "hp2xx / earlier: %.1fx wall\n",
                    ew, median(earlierCpu), ow > 0 ? ew / ow : 0.0, ew > 0 ? tw / ew : 0.0);
    }
    fs::remove_all(dir, ec);
    return 0;
}
