#pragma once
// The picture formats of the headless tools, chosen by the output file's
// extension (any case): .png, .svg, .pdf. No Qt.

#include <string>

namespace view {

enum class OutputFormat { Png, Svg, Pdf, Unknown };

inline OutputFormat outputFormatOf(const std::string& path) {
    const size_t dot = path.find_last_of("./");
    if (dot == std::string::npos || path[dot] != '.') return OutputFormat::Unknown;
    std::string ext = path.substr(dot + 1);
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    if (ext == "png") return OutputFormat::Png;
    if (ext == "svg") return OutputFormat::Svg;
    if (ext == "pdf") return OutputFormat::Pdf;
    return OutputFormat::Unknown;
}

} // namespace view
