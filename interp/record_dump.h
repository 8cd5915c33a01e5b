#pragma once
// A text trace of a loaded drawing: page directory, counts, every record of
// the list one a line, and the polygon buffer. Golden tests compare it.

#include <functional>
#include <string>
#include <string_view>

#include "interp/drawing_model.h"
#include "interp/loader.h"

namespace interp {

std::string dumpDrawing(const DrawingModel& model, const LoadResult& result);

// The same text handed to `sink` piece by piece (pieces of up to about 64 KiB, each ending
// at a line end), so that a large dump never has to be held whole. The dump stops as soon
// as `sink` returns false; the result is false then.
bool dumpDrawing(const DrawingModel& model, const LoadResult& result,
                 const std::function<bool(std::string_view)>& sink);

// One record in the dump's line form, without the line end.
std::string formatRecord(const struct Record& r, const char* layout);

} // namespace interp
