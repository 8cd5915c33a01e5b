#include "loaded_value_checks.h"

#include <cmath>

namespace settings {

namespace {

// Plotter units per millimetre.
constexpr double kPuPerMm = 40.0;

template <class T, class L> void keepWithin(T& value, L low, L high, T fallback) {
    if (!(value >= low && value <= high)) value = fallback;
}

void checkLine(LineSettings& l) {
    const LineSettings d;
    keepWithin(l.DspMinLinDot, 0, 10, d.DspMinLinDot);
    keepWithin(l.PltMinLinDot, 0, 400, d.PltMinLinDot); // 0 .. 10 mm
    // Pattern lengths: the line property dialog accepts 0.05 mm up to 1000 mm.
    int32_t* lengths[] = {&l.LT1Up,   &l.LT2Up,   &l.LT3Up,   &l.LT4Up,   &l.LT5Up,
                          &l.LT6Up,   &l.LT1Dwn1, &l.LT2Dwn1, &l.LT3Dwn1, &l.LT4Dwn1,
                          &l.LT5Dwn1, &l.LT6Dwn1, &l.LT4Dwn2, &l.LT5Dwn2, &l.LT6Dwn2};
    const int32_t* defaults[] = {&d.LT1Up,   &d.LT2Up,   &d.LT3Up,   &d.LT4Up,   &d.LT5Up,
                                 &d.LT6Up,   &d.LT1Dwn1, &d.LT2Dwn1, &d.LT3Dwn1, &d.LT4Dwn1,
                                 &d.LT5Dwn1, &d.LT6Dwn1, &d.LT4Dwn2, &d.LT5Dwn2, &d.LT6Dwn2};
    for (std::size_t i = 0; i < std::size(lengths); ++i)
        keepWithin(*lengths[i], 1, static_cast<int32_t>(1000 * kPuPerMm), *defaults[i]);
    keepWithin(l.LineAdgeAttrDef, 0, 1, d.LineAdgeAttrDef);
}

void checkGrid(GridSettings& g) {
    const GridSettings d;
    // Pitches 0.025 mm .. 1000 mm, origins within 10000 mm, as the grid dialog accepts.
    keepWithin(g.GridPitchX, 1.0, 1000 * kPuPerMm, d.GridPitchX);
    keepWithin(g.GridPitchY, 1.0, 1000 * kPuPerMm, d.GridPitchY);
    keepWithin(g.GridOriginX, -10000 * kPuPerMm, 10000 * kPuPerMm, d.GridOriginX);
    keepWithin(g.GridOriginY, -10000 * kPuPerMm, 10000 * kPuPerMm, d.GridOriginY);
    keepWithin(g.GridInterval, 1, 1000, d.GridInterval);
    g.GridColorFine &= 0x00FFFFFFu;
    g.GridColorRough &= 0x00FFFFFFu;
}

void checkMouse(MouseSettings& m) {
    const MouseSettings d;
    keepWithin(m.MouseOpeLClick, 0, 2, d.MouseOpeLClick);
    keepWithin(m.MouseOpeRClick, 0, 2, d.MouseOpeRClick);
    keepWithin(m.MouseOpeOffLDrag, 0, 1, d.MouseOpeOffLDrag);
    keepWithin(m.MouseOpeOffRDrag, 0, 1, d.MouseOpeOffRDrag);
    keepWithin(m.MouseOpeOnLDrag, 0, 1, d.MouseOpeOnLDrag);
    keepWithin(m.MouseOpeOnRDrag, 0, 1, d.MouseOpeOnRDrag);
    keepWithin(m.ZoomIconMode, 0, 1, d.ZoomIconMode);
}

void checkText(TextSettings& t) {
    const TextSettings d;
    keepWithin(t.TextFontKind, 0, 1, d.TextFontKind);
    for (std::size_t i = 0; i < t.TextRate.size(); ++i) {
        bool isSpace = i % 3 == 2;
        keepWithin(t.TextRate[i], isSpace ? 0 : 50, 200, d.TextRate[i]);
    }
}

} // namespace

void replaceUnusableValues(SettingsRecord& r) {
    const SettingsRecord d;
    keepWithin(r.view.lengthUnit, 0, 5, d.view.lengthUnit);
    keepWithin(r.view.displayRotation, 1, 4, d.view.displayRotation);
    keepWithin(r.pens.PenTblNo, 0, 5, d.pens.PenTblNo);
    keepWithin(r.pens.PenPenTblNo, 0, 5, d.pens.PenPenTblNo);
    keepWithin(r.pens.DrawModes, 0, 15, d.pens.DrawModes);
    keepWithin(r.pens.MarkPenNo, 1, 255, d.pens.MarkPenNo);
    keepWithin(r.open.DrawSize, 0, 1, d.open.DrawSize);
    keepWithin(r.open.FileKindIndex, 0, 1000, d.open.FileKindIndex);
    keepWithin(r.open.pdfOpenScale, 0.1, 10.0, d.open.pdfOpenScale);
    if (r.open.fileFilter.empty()) r.open.fileFilter = d.open.fileFilter;
    if (r.window.width <= 0) r.window.width = d.window.width;
    if (r.window.height <= 0) r.window.height = d.window.height;
    checkLine(r.line);
    checkGrid(r.grid);
    checkMouse(r.mouse);
    checkText(r.text);
}

} // namespace settings
