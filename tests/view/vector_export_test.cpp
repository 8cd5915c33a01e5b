// Vector export: the SVG of a small drawing holds one stroked path per pen
// run in the pen's colour, the fill as a filled path, vector-font text as
// strokes, and a viewBox in plotter units; the PDF has one page per drawing
// page, each the size of its drawing, and no pictures inside.

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QXmlStreamReader>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "interp/loader.h"
#include "settings/settings_store.h"
#include "view/pdf_export.h"
#include "view/svg_export.h"

namespace fs = std::filesystem;

namespace {

class Quiet : public interp::Reporter {
  public:
    void report(const std::string&) override {}
};

struct Drawing {
    settings::SettingsStore store{".", "QuindleMini"};
    interp::DrawingModel model;
    view::ViewValues values;

    explicit Drawing(const std::string& hpgl, bool multiPage = false) {
        store.setDefaults();
        interp::LoadOptions options;
        options.multiPage = multiPage;
        options.defaultColours = store.penTable.colour;
        std::FILE* f = fmemopen(const_cast<char*>(hpgl.data()), hpgl.size(), "rb");
        Quiet quiet;
        interp::LoadPlotStream(model, f, options, quiet);
        std::fclose(f);
        model.selectPage(1);
    }
    view::RenderInputs inputs() const { return {model, store.values, store.penTable, values}; }
    // "#rrggbb" of pen `pen` in the default pen table.
    std::string colour(int pen) const {
        const uint32_t c = store.penTable.colour[size_t(pen)];
        char buf[8];
        std::snprintf(buf, sizeof buf, "#%02x%02x%02x", unsigned(c & 0xFF),
                      unsigned((c >> 8) & 0xFF), unsigned((c >> 16) & 0xFF));
        return buf;
    }
};

struct SvgSummary {
    std::map<std::string, int> strokes; // stroked paths per colour
    std::map<std::string, int> fills;   // filled paths per colour
    int texts = 0;
    QString viewBox, width, height;
    bool wellFormed = false;
};

SvgSummary summarise(const std::string& svg) {
    SvgSummary s;
    QXmlStreamReader xml(QByteArray::fromStdString(svg));
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        const QXmlStreamAttributes a = xml.attributes();
        if (xml.name() == QLatin1String("svg")) {
            s.viewBox = a.value("viewBox").toString();
            s.width = a.value("width").toString();
            s.height = a.value("height").toString();
        } else if (xml.name() == QLatin1String("path")) {
            if (a.hasAttribute("stroke") && a.value("stroke") != QLatin1String("none"))
                ++s.strokes[a.value("stroke").toString().toStdString()];
            if (a.hasAttribute("fill") && a.value("fill") != QLatin1String("none"))
                ++s.fills[a.value("fill").toString().toStdString()];
        } else if (xml.name() == QLatin1String("text")) {
            ++s.texts;
        }
    }
    s.wellFormed = !xml.hasError();
    return s;
}

} // namespace

TEST(SvgExport, EveryPenRunFillAndLabelBecomesAnElement) {
    // Pen 1: a 4000 x 2000 frame in one run; pen 2: a diagonal; pen 3: a
    // circle; pen 4: a filled rectangle; pen 5: a label in the vector font.
    Drawing d("IN;SP1;PU0,0;PD4000,0,4000,2000,0,2000,0,0;"
              "SP2;PU1000,500;PD3000,1500;"
              "SP3;PU2000,1000;CI400;"
              "SP4;PU200,200;RA600,600;"
              "SP5;PU2500,200;LBAB\x03;");
    SvgSummary s = summarise(view::svgOfCurrentPage(d.inputs()));
    ASSERT_TRUE(s.wellFormed);
    EXPECT_EQ(s.strokes[d.colour(1)], 1);
    EXPECT_EQ(s.strokes[d.colour(2)], 1);
    EXPECT_EQ(s.strokes[d.colour(3)], 1);
    EXPECT_GE(s.fills[d.colour(4)], 1);
    EXPECT_GE(s.strokes[d.colour(5)], 1); // the label's strokes
    EXPECT_EQ(s.texts, 0);                // vector-font text stays strokes

    // The viewBox spans the page's extent (the drawing with the margin the
    // window shows too) in plotter units, the size is in millimetres.
    const interp::Extents& e = d.model.extents();
    const QStringList box = s.viewBox.split(' ');
    ASSERT_EQ(box.size(), 4);
    EXPECT_NEAR(box[2].toDouble(), e.xMax - e.xMin, 2.0);
    EXPECT_NEAR(box[3].toDouble(), e.yMax - e.yMin, 2.0);
    EXPECT_GE(e.xMax - e.xMin, 4000);
    EXPECT_LE(e.xMax - e.xMin, 4200);
    EXPECT_EQ(s.width.right(2), "mm");
    EXPECT_NEAR(s.width.chopped(2).toDouble(), (e.xMax - e.xMin) / 40.0, 0.1);
    EXPECT_NEAR(s.height.chopped(2).toDouble(), (e.yMax - e.yMin) / 40.0, 0.1);
}

TEST(SvgExport, TinyDrawingKeepsItsResolution) {
    // 40 x 20 plotter units (1 mm): the canvas is enlarged so that points a
    // unit apart stay apart, and the viewBox is still in plotter units.
    Drawing d("IN;SP1;PU0,0;PD40,0,40,20,39,20,38,19;");
    const std::string svg = view::svgOfCurrentPage(d.inputs());
    const SvgSummary s = summarise(svg);
    ASSERT_TRUE(s.wellFormed);
    const interp::Extents& e = d.model.extents();
    const QStringList box = s.viewBox.split(' ');
    ASSERT_EQ(box.size(), 4);
    EXPECT_NEAR(box[2].toDouble(), e.xMax - e.xMin, 0.5);
    // The last two segments are distinct: three different points in the path.
    const QRegularExpression path(QStringLiteral("<path stroke=\"[^\"]*\"[^>]* d=\"([^\"]*)\""));
    const QRegularExpressionMatch m = path.match(QString::fromStdString(svg));
    ASSERT_TRUE(m.hasMatch());
    EXPECT_EQ(m.captured(1).count('L'), 4) << m.captured(1).toStdString();
}

TEST(PdfExport, OnePagePerDrawingPageSizedToItsDrawing) {
    // Three pages: 4000 x 2000, 1000 x 3000 and 2000 x 2000 plotter units.
    Drawing d("IN;SP1;PU0,0;PD4000,2000;PG;"
              "SP2;PU0,0;PD1000,3000;PG;"
              "SP3;PU0,0;PD2000,2000;",
              /*multiPage=*/true);
    ASSERT_EQ(d.model.pageCount(), 3);
    // Each page's extent: its drawing and the margin the window shows too.
    std::vector<std::pair<double, double>> expected;
    for (int page = 1; page <= 3; ++page) {
        d.model.selectPage(page);
        const interp::Extents& e = d.model.extents();
        expected.emplace_back(e.xMax - e.xMin, e.yMax - e.yMin);
    }
    d.model.selectPage(1);
    EXPECT_NEAR(expected[0].first, 4000, 200);
    EXPECT_NEAR(expected[1].second, 3000, 200);
    const fs::path file =
        fs::temp_directory_path() / ("qm-pdf-" + std::to_string(getpid()) + ".pdf");
    const view::WriteResult r = view::writePdf(file.string(), d.model, d.store.values,
                                               d.store.penTable, d.values, {1, 2, 3});
    ASSERT_TRUE(r.ok()) << r.message();
    EXPECT_EQ(d.model.currentPage(), 1);
    std::ifstream in(file, std::ios::binary);
    const std::string pdf{std::istreambuf_iterator<char>(in), {}};
    fs::remove(file);

    const QString text = QString::fromLatin1(pdf.data(), qsizetype(pdf.size()));
    EXPECT_EQ(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page\\b(?!s)"))), 3);
    EXPECT_EQ(text.count(QStringLiteral("/Subtype /Image")), 0);
    // Page sizes in points: 1 mm = 40 plotter units = 72 / 25.4 points.
    const QRegularExpression box(QStringLiteral("/MediaBox\\s*\\[\\s*0 0 ([0-9.]+) ([0-9.]+)"));
    std::vector<std::pair<double, double>> sizes;
    for (auto it = box.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        sizes.emplace_back(m.captured(1).toDouble(), m.captured(2).toDouble());
    }
    ASSERT_EQ(sizes.size(), 3u);
    const double pt = 72.0 / 25.4 / 40.0;
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_NEAR(sizes[i].first, expected[i].first * pt, 1.0) << "page " << i + 1;
        EXPECT_NEAR(sizes[i].second, expected[i].second * pt, 1.0) << "page " << i + 1;
    }
}

TEST(SvgCanvas, PatternBrushesBecomePatternsDefinedOnce) {
    // A 100 x 100 canvas of 0.5 plotter units a pixel: a pattern pixel of 10
    // units is 20 canvas pixels, the 8 x 8 cell 160.
    view::SvgCanvas canvas(100, 100, 0.5);
    const view::PointD square[4] = {{10, 10}, {90, 10}, {90, 90}, {10, 90}};
    const int size = 4;
    view::CanvasBrush brush;
    brush.pattern = true;
    brush.colour = 0x0000FF;                                       // red
    brush.background = 0xFFFFFF;                                   // white
    brush.rows = {0x7F, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}; // one red dot
    canvas.fillPolygon(square, &size, 1, view::FillRule::Alternate, brush, view::RasterOp::Copy);
    canvas.fillPolygon(square, &size, 1, view::FillRule::Winding, brush, view::RasterOp::Copy);
    // Merged onto the paper, the background bits stay clear.
    canvas.fillPolygon(square, &size, 1, view::FillRule::Winding, brush, view::RasterOp::Merge);
    const std::string svg = canvas.document();
    SvgSummary s = summarise(svg);
    ASSERT_TRUE(s.wellFormed);
    EXPECT_EQ(s.fills["url(#p1)"], 2);
    EXPECT_EQ(s.fills["url(#p2)"], 1);
    EXPECT_EQ(svg.find("<pattern id=\"p3\""), std::string::npos);

    const auto definition = [&](const std::string& id) {
        const size_t at = svg.find("<pattern id=\"" + id + "\"");
        return at == std::string::npos ? std::string()
                                       : svg.substr(at, svg.find("</pattern>", at) - at);
    };
    const std::string copied = definition("p1"), merged = definition("p2");
    EXPECT_NE(copied.find("width=\"160\""), std::string::npos) << copied;
    EXPECT_NE(copied.find("<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\""),
              std::string::npos)
        << copied;
    EXPECT_NE(copied.find("fill=\"#ff0000\" d=\"M0 0h20v20h-20z\""), std::string::npos) << copied;
    EXPECT_EQ(merged.find("<rect"), std::string::npos) << merged;
    EXPECT_NE(merged.find("fill=\"#ff0000\""), std::string::npos) << merged;
    // The first fill is even-odd, the others non-zero (SVG's default).
    EXPECT_EQ(QString::fromStdString(svg).count("fill-rule=\"evenodd\""), 1);
}
