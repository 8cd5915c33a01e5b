#include "view/pdf_export.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "render/compose_picture.h"
#include "view/painter_canvas.h"
#include "view/vector_page.h"

namespace view {

namespace {

// 40 plotter units to the millimetre: at 1016 dots an inch one device unit of
// the PDF writer is one plotter unit.
constexpr int kPlotterUnitsPerInch = 1016;
constexpr double kPatternPixelUnits = 10.0;

} // namespace

bool pdfOfPages(interp::DrawingModel& model, const settings::SettingsRecord& settings,
                const settings::PenTable& pens, const ViewValues& values,
                const std::vector<int>& pages, std::string& out) {
    out.clear();
    const int oldPage = model.currentPage();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("QuindleMini"));
        writer.setResolution(kPlotterUnitsPerInch);
        QPainter painter;
        const RenderInputs in{model, settings, pens, values};
        bool first = true;
        bool complete = true;
        for (const int page : pages) {
            model.selectPage(page);
            int width = 0, height = 0;
            vectorCanvasSize(model.extents(), width, height);
            ViewState view;
            displayAll(view, model, width, height);
            const double units = 1.0 / view.scale; // plotter units per canvas pixel
            const QPageSize size(QSizeF(width * units / 40.0, height * units / 40.0),
                                 QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
            writer.setPageSize(size);
            writer.setPageMargins(QMarginsF(0, 0, 0, 0));
            if (first ? !painter.begin(&writer) : !writer.newPage()) {
                complete = false;
                break;
            }
            first = false;
            painter.resetTransform();
            painter.scale(units, units);
            PainterCanvas canvas(painter, width, height, kPatternPixelUnits / units);
            composePicture(canvas, in, view);
        }
        if (painter.isActive() && !painter.end()) complete = false;
        if (first) complete = false; // no page at all
        if (!complete) {
            model.selectPage(oldPage);
            return false;
        }
    }
    model.selectPage(oldPage);
    const QByteArray& bytes = buffer.data();
    out.assign(bytes.constData(), size_t(bytes.size()));
    return !out.empty();
}

WriteResult writePdf(const std::string& path, interp::DrawingModel& model,
                     const settings::SettingsRecord& settings, const settings::PenTable& pens,
                     const ViewValues& values, const std::vector<int>& pages) {
    std::string bytes;
    if (!pdfOfPages(model, settings, pens, values, pages, bytes))
        return {WriteStatus::WriteFailed, 0};
    return writeFileAtomically(path, bytes.data(), bytes.size());
}

} // namespace view
