#pragma once
// Test helpers: load HP-GL text through a temporary file and dump the result.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "interp/loader.h"
#include "interp/record_dump.h"

namespace testhelp {

class CollectingReporter : public interp::Reporter {
  public:
    void report(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

inline std::string tempPath(const std::string& stem) {
    static int counter = 0;
    auto dir = std::filesystem::temp_directory_path() / "qm-tests";
    std::filesystem::create_directories(dir);
    return (dir / (stem + "-" + std::to_string(::getpid()) + "-" + std::to_string(++counter)))
        .string();
}

inline std::string writeTemp(const std::string& bytes) {
    std::string path = tempPath("plot");
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

struct Loaded {
    interp::LoadResult result;
    std::vector<std::string> messages;
    std::string dump;
};

inline Loaded loadInto(interp::DrawingModel& model, const std::string& bytes,
                       const interp::LoadOptions& options = {}) {
    std::string path = writeTemp(bytes);
    CollectingReporter rep;
    Loaded out;
    out.result = interp::LoadPlotFile(model, path, options, rep);
    out.messages = rep.messages;
    out.dump = interp::dumpDrawing(model, out.result);
    std::filesystem::remove(path);
    return out;
}

inline Loaded load(const std::string& bytes, const interp::LoadOptions& options = {}) {
    interp::DrawingModel model;
    return loadInto(model, bytes, options);
}

// The lines between "records" and "polygons" of a dump, joined with "|".
inline std::string records(const std::string& dump) {
    auto a = dump.find("records\n");
    auto b = dump.find("polygons ");
    if (a == std::string::npos || b == std::string::npos) return "?";
    std::string body = dump.substr(a + 8, b - a - 8);
    std::string out;
    for (char c : body)
        out += c == '\n' ? '|' : c;
    if (!out.empty() && out.back() == '|') out.pop_back();
    return out;
}

// The dump's header lines up to "records", joined with "|".
inline std::string header(const std::string& dump) {
    std::string head = dump.substr(0, dump.find("records\n"));
    std::string out;
    for (char c : head)
        out += c == '\n' ? '|' : c;
    if (!out.empty() && out.back() == '|') out.pop_back();
    return out;
}

} // namespace testhelp
