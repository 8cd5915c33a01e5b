#pragma once
// A text trace of a loaded drawing: page directory, counts, every record of
// the list one a line, and the polygon buffer. Golden tests compare it.

#include <string>

#include "interp/drawing_model.h"
#include "interp/loader.h"

namespace interp {

std::string dumpDrawing(const DrawingModel& model, const LoadResult& result);

// One record in the dump's line form, without the line end.
std::string formatRecord(const struct Record& r, const char* layout);

} // namespace interp
