// Load throughput of the interpreter on a synthetic drawing of N pen-down
// vectors: MB/s, bytes of drawing list per vector, and peak memory.
//
// usage: load_bench [vectors=1000000] [repeats=5]

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "bench/plot_generator.h"
#include "interp/loader.h"

namespace {

class QuietReporter : public interp::Reporter {
  public:
    void report(const std::string& text) override {
        std::fprintf(stderr, "message: %s\n", text.c_str());
    }
};

long residentKb() {
    std::ifstream f("/proc/self/statm");
    long pages = 0, resident = 0;
    f >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

long peakKb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

} // namespace

int main(int argc, char** argv) {
    size_t vectors = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1000000;
    int repeats = argc > 2 ? std::atoi(argv[2]) : 5;
    if (vectors == 0 || repeats <= 0) {
        std::fprintf(stderr, "usage: load_bench [vectors] [repeats]\n");
        return 2;
    }

    std::string path = (std::filesystem::temp_directory_path() / "qm-load-bench.plt").string();
    size_t fileBytes;
    {
        std::string text = bench::generatePlot(vectors, 7);
        fileBytes = text.size();
        std::ofstream(path, std::ios::binary)
            .write(text.data(), static_cast<std::streamsize>(text.size()));
    }
    long baseKb = residentKb();

    interp::DrawingModel model;
    QuietReporter reporter;
    interp::LoadOptions options;
    double best = 1e9;
    for (int r = 0; r < repeats; ++r) {
        auto t0 = std::chrono::steady_clock::now();
        interp::LoadResult res = interp::LoadPlotFile(model, path, options, reporter);
        auto t1 = std::chrono::steady_clock::now();
        if (!res.opened) return 1;
        best = std::min(best, std::chrono::duration<double>(t1 - t0).count());
    }
    long afterKb = residentKb();
    std::filesystem::remove(path);

    double mb = static_cast<double>(fileBytes) / 1e6;
    size_t used = static_cast<size_t>(model.fillBlock()) * interp::kBlockSize + model.fillOffset();
    std::printf("vectors              %zu\n", vectors);
    std::printf("file size            %.2f MB\n", mb);
    std::printf("best load time       %.1f ms (of %d)\n", best * 1e3, repeats);
    std::printf("throughput           %.0f MB/s\n", mb / best);
    std::printf("drawing list         %.2f MB in %u blocks\n", model.streamBytes() / 1e6,
                model.blockCount());
    std::printf("list bytes/vector    %.2f\n",
                static_cast<double>(used) / static_cast<double>(vectors));
    std::printf("resident after load  %.1f MB (before load %.1f MB; list %.1f MB)\n",
                afterKb / 1024.0, baseKb / 1024.0, model.streamBytes() / 1048576.0);
    std::printf("peak resident        %.1f MB\n", peakKb() / 1024.0);
    return 0;
}
