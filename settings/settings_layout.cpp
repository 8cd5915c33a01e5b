#include "settings_layout.h"

namespace settings {

namespace {

void colour(SettingsFieldIo& io, uint32_t& value) {
    int32_t v = static_cast<int32_t>(value);
    io.integer(v);
    value = static_cast<uint32_t>(v);
}

// Twelve toolbar flags as one line of "1"/"0"; a shorter line counts as padded with "0".
void toolbarLine(SettingsFieldIo& io, std::array<bool, kToolbarCount>& shown) {
    std::string line;
    for (bool b : shown)
        line += b ? '1' : '0';
    io.digits(line, shown.size(), '1');
    for (std::size_t i = 0; i < shown.size(); ++i)
        shown[i] = i < line.size() && line[i] == '1';
}

// Up to eight one-digit option values as one line of digits; missing digits read as 0.
void digitLine(SettingsFieldIo& io, std::array<uint8_t, 8>& digits) {
    std::string line;
    for (uint8_t d : digits)
        line += static_cast<char>('0' + (d > 9 ? 9 : d));
    io.digits(line, digits.size(), '9');
    for (std::size_t i = 0; i < digits.size(); ++i) {
        char c = i < line.size() ? line[i] : '0';
        digits[i] = c >= '0' && c <= '9' ? static_cast<uint8_t>(c - '0') : 0;
    }
}

// Four 0/1 options as the bits 8, 4, 2 and 1 of one integer.
void bitOptions(SettingsFieldIo& io, std::array<uint8_t, 4>& options) {
    int32_t v = 0;
    for (uint8_t o : options)
        v = v * 2 + (o ? 1 : 0);
    io.integer(v);
    for (int i = 0; i < 4; ++i)
        options[i] = (v >> (3 - i)) & 1;
}

// Two one-digit options as the tens and units of one integer.
void digitPair(SettingsFieldIo& io, std::array<uint8_t, 2>& options) {
    auto digit = [](uint8_t d) { return d > 9 ? 9 : d; };
    int32_t v = digit(options[0]) * 10 + digit(options[1]);
    io.integer(v);
    if (v < 0 || v > 99) return; // not two digits: both options keep their values
    options[0] = static_cast<uint8_t>(v / 10);
    options[1] = static_cast<uint8_t>(v % 10);
}

} // namespace

void walkSettingsFile(SettingsRecord& r, SettingsFieldIo& io) {
    ReservedValues& rv = r.reserved;
    PenSettings& pen = r.pens;

    // 1: recent files, most recent first.
    for (std::string& f : r.window.recentFiles)
        io.text(f);

    // 2: PDF options of the open dialog, two reserved bytes and texts, PDFFontUse.
    io.byte(rv.g2Byte);
    io.flag(rv.g2PdfFlags[0]);
    io.flag(rv.g2PdfFlags[1]);
    io.real(r.open.pdfOpenScale, 6, 5);
    io.byte(rv.g2Bytes[0]);
    io.byte(rv.g2Bytes[1]);
    io.text(rv.g2Texts[0]);
    io.text(rv.g2Texts[1]);
    io.flag(r.text.PDFFontUse);

    // 3: toolbar visibility.
    toolbarLine(io, r.window.toolbarVisible);

    // 4: drawing window and pen dialog options.
    io.byte(rv.g4Bytes[0]);
    io.byte(rv.g4Bytes[1]);
    io.text(rv.g4Text);
    io.byte(rv.g4WindowByte);
    io.byte(r.view.lengthUnit);
    io.byte(rv.g4PenDialogByte);
    io.flag(pen.ResetPenPenTBL);
    io.byte(pen.PenPenTblNo);
    digitLine(io, rv.g4WindowDigits);
    io.byte(r.open.DrawSize);
    io.byte(r.mouse.ZoomIconMode);

    // 5: pen switches of the display and the interpreter, MultiPage, line end.
    io.flag(pen.OutBackColor);
    io.flag(pen.NotPC);
    io.flag(pen.NotPW);
    io.flag(pen.NotFP);
    io.flag(pen.FTLebel100);
    io.flag(r.open.MultiPage);
    io.flag(pen.BlackPenPrinter);
    io.flag(pen.PenWidthPen16Printer);
    io.byte(r.line.LineAdgeAttrDef);
    io.flag(pen.BlackPenDisplay);
    io.flag(pen.PenWidthPen16Display);
    io.flag(pen.ChgColor_not_BackC);
    io.byte(rv.g5WindowByte);

    // 6: twenty-one reserved values.
    io.byte(rv.g6Bytes[0]);
    io.real(rv.g6Reals[0], 4, 2);
    for (int i = 1; i <= 4; ++i)
        io.byte(rv.g6Bytes[i]);
    io.integer(rv.g6Integer);
    io.byte(rv.g6Bytes[5]);
    io.real(rv.g6Reals[1], 4, 2);
    for (int i = 6; i <= 9; ++i)
        io.byte(rv.g6Bytes[i]);
    for (int i = 2; i <= 4; ++i)
        io.real(rv.g6Reals[i], 4, 2);
    io.byte(rv.g6Bytes[10]);
    io.real(rv.g6Reals[5], 4, 2);
    io.real(rv.g6Reals[6], 4, 2);
    io.byte(rv.g6Bytes[11]);
    io.text(rv.g6Text);

    // 7: pen dialog options and the pen table in use, zoom-window icon.
    io.byte(rv.g7Byte);
    io.integer(rv.g7Integers[0]);
    io.integer(rv.g7Integers[1]);
    bitOptions(io, rv.g7BitOptions);
    io.flag(pen.BitmapBack);
    io.byte(pen.DrawModes);
    io.byte(rv.g7PenDialogByte);
    io.byte(pen.PenTblNo);
    digitPair(io, rv.g7DigitOptions);
    io.integer(rv.g7MoreIntegers[0]);
    io.integer(rv.g7MoreIntegers[1]);
    io.byte(r.view.zoomWindowIcon);
    io.byte(rv.g7LastByte);

    // 8: reserved texts, open dialog file list, image editor.
    for (std::string& s : rv.g8Texts)
        io.text(s);
    io.byte(r.open.FileViewStyle);
    io.integer(r.open.FileKindIndex);
    io.integer(rv.g8Integer);
    io.text(r.window.imageEditorPath);

    // 9: scroll bars, mouse operations.
    io.flag(r.view.useScrollBar);
    io.byte(r.mouse.MouseOpeLClick);
    io.byte(r.mouse.MouseOpeRClick);
    io.byte(r.mouse.MouseOpeOffLDrag);
    io.byte(r.mouse.MouseOpeOffRDrag);
    io.byte(r.mouse.MouseOpeOnLDrag);
    io.byte(r.mouse.MouseOpeOnRDrag);

    // 10: reserved render values, then the byte older files lack.
    for (uint8_t& b : rv.g10Bytes)
        io.byte(b);
    io.real(rv.g10Real, 5, 3);
    io.lateByte(rv.g10LateByte);

    // 11: line properties.
    LineSettings& l = r.line;
    io.integer(l.DspMinLinDot);
    io.integer(l.PltMinLinDot);
    for (int32_t* v : {&l.LT1Up, &l.LT2Up, &l.LT3Up, &l.LT4Up, &l.LT5Up, &l.LT6Up})
        io.integer(*v);
    for (int32_t* v : {&l.LT1Dwn1, &l.LT2Dwn1, &l.LT3Dwn1, &l.LT4Dwn1, &l.LT5Dwn1, &l.LT6Dwn1})
        io.integer(*v);
    for (int32_t* v : {&l.LT4Dwn2, &l.LT5Dwn2, &l.LT6Dwn2})
        io.integer(*v);
    io.flag(l.UserDefLT);

    // 12: reserved values, drag mode, preview mode.
    io.byte(rv.g12Byte);
    for (int32_t& v : rv.g12Integers)
        io.integer(v);
    io.flag(r.view.DragMode);
    io.flag(r.open.PreViewMode);

    // 13: text rates and font names.
    for (int32_t& v : r.text.TextRate)
        io.integer(v);
    for (std::string& s : r.text.TextFontName)
        io.text(s);

    // 14: display rotation, font kind, back and mark pens.
    io.byte(r.view.displayRotation);
    io.byte(r.text.TextFontKind);
    io.byte(pen.BackPenNo);
    io.byte(pen.MarkPenNo);

    // 15: grid.
    GridSettings& g = r.grid;
    io.real(g.GridPitchX, 5, 3);
    io.real(g.GridPitchY, 5, 3);
    io.real(g.GridOriginX, 5, 3);
    io.real(g.GridOriginY, 5, 3);
    io.integer(g.GridInterval);
    colour(io, g.GridColorFine);
    colour(io, g.GridColorRough);
    io.flag(g.DisGrdMode);
    io.flag(g.InsGrdMode);

    // 16: reserved render byte, main window placement.
    io.byte(rv.g16Byte);
    io.integer(r.window.left);
    io.integer(r.window.top);
    io.integer(r.window.width);
    io.integer(r.window.height);

    // 17: file-type list of the open dialog.
    io.trailingText(r.open.fileFilter);
}

} // namespace settings
