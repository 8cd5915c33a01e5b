#pragma once
// PDF export: one PDF page per drawing page asked for, each the size of its
// drawing's extent, drawn by the render pass through a PainterCanvas, so the
// page holds vectors and real text, not pixels.

#include <string>
#include <vector>

#include "interp/drawing_model.h"
#include "render/view_values.h"
#include "settings/pen_tables.h"
#include "settings/settings_record.h"
#include "view/atomic_file.h"

namespace view {

// The PDF document of `pages` (page numbers of `model`, in order) in `out`.
// Selects each page in turn; the model's current page is restored afterwards.
// False (and `out` empty) when the document could not be made. Needs a
// QGuiApplication (fonts).
bool pdfOfPages(interp::DrawingModel& model, const settings::SettingsRecord& settings,
                const settings::PenTable& pens, const ViewValues& values,
                const std::vector<int>& pages, std::string& out);

// The same written to `path` through a temporary file.
WriteResult writePdf(const std::string& path, interp::DrawingModel& model,
                     const settings::SettingsRecord& settings, const settings::PenTable& pens,
                     const ViewValues& values, const std::vector<int>& pages);

} // namespace view
