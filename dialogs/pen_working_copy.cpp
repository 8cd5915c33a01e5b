#include "dialogs/pen_working_copy.h"

namespace dialogs {

namespace {

int tableNumber(int n) {
    return n >= 1 && n <= settings::kPenTableCount ? n : 1;
}

} // namespace

PenWorkingCopy::PenWorkingCopy(settings::SettingsStore& store)
    : store_(store), colour_(store.penTable.colour), width_(store.penTable.width),
      display_(store.penTable.display), tableName_(store.penTable.name),
      loadedTableName_(tableName_), tableNo_(tableNumber(store.values.pens.PenTblNo)),
      map_(store.penPenTable.map), mapName_(store.penPenTable.name), loadedMapName_(mapName_),
      mapNo_(store.values.pens.PenPenTblNo <= settings::kPenTableCount
                 ? store.values.pens.PenPenTblNo
                 : 0) {}

void PenWorkingCopy::setColour(int pen, uint32_t colour) {
    if (colour_[pen] == colour) return;
    colour_[pen] = colour;
    tableChanged_ = true;
}

void PenWorkingCopy::setWidth(int pen, int32_t hundredthsMm) {
    if (width_[pen] == hundredthsMm) return;
    width_[pen] = hundredthsMm;
    tableChanged_ = true;
}

void PenWorkingCopy::setDisplay(int pen, bool shown) {
    display_[pen] = shown ? 1 : 0;
}

void PenWorkingCopy::setDestination(int origin, int destination) {
    const auto d = static_cast<uint8_t>(destination);
    if (map_[origin] == d) return;
    map_[origin] = d;
    mapChanged_ = true;
}

void PenWorkingCopy::switchTable(int n, const AskOverwrite& ask,
                                 std::vector<std::string>& failedWrites) {
    if (tableNeedsWriting() && ask(kPenTableOverwrite)) {
        const std::string path = settings::penTablePath(store_.folder(), tableNo_);
        if (!settings::writePenTableFile(path, colour_, width_, tableName_))
            failedWrites.push_back(path);
    }
    tableNo_ = tableNumber(n);
    settings::readPenTableFile(settings::penTablePath(store_.folder(), tableNo_), colour_, width_,
                               tableName_);
    tableChanged_ = false;
    loadedTableName_ = tableName_;
}

void PenWorkingCopy::switchMap(int n, const AskOverwrite& ask,
                               std::vector<std::string>& failedWrites) {
    if (mapNo_ != 0 && mapNeedsWriting() && ask(kPenPenTableOverwrite)) {
        const std::string path = settings::penPenTablePath(store_.folder(), mapNo_);
        if (!settings::writePenPenTableFile(path, map_, mapName_)) failedWrites.push_back(path);
    }
    mapNo_ = n >= 1 && n <= settings::kPenTableCount ? n : 0;
    if (mapNo_ == 0 || !settings::readPenPenTableFile(
                           settings::penPenTablePath(store_.folder(), mapNo_), map_, mapName_)) {
        map_ = settings::PenPenTable::identity();
        mapName_.clear();
    }
    mapChanged_ = false;
    loadedMapName_ = mapName_;
}

void PenWorkingCopy::commit(const settings::PenSettings& switches,
                            std::vector<std::string>& failedWrites) {
    settings::PenSettings& pens = store_.values.pens;
    pens = switches;
    pens.PenTblNo = static_cast<uint8_t>(tableNo_);
    pens.PenPenTblNo = static_cast<uint8_t>(mapNo_);
    store_.penTable.colour = colour_;
    store_.penTable.width = width_;
    store_.penTable.display = display_;
    store_.penTable.name = tableName_;
    store_.penPenTable.map = map_;
    store_.penPenTable.name = mapName_;
    if (tableNeedsWriting() && !store_.writePenTable(tableNo_))
        failedWrites.push_back(settings::penTablePath(store_.folder(), tableNo_));
    if (mapNo_ != 0 && mapNeedsWriting() && !store_.writePenPenTable(mapNo_))
        failedWrites.push_back(settings::penPenTablePath(store_.folder(), mapNo_));
    // The copies now match their files.
    tableChanged_ = mapChanged_ = false;
    loadedTableName_ = tableName_;
    loadedMapName_ = mapName_;
}

PenPreview::PenPreview(settings::SettingsStore& store, const PenWorkingCopy& copy,
                       const settings::PenSettings& switches)
    : store_(store), savedSwitches_(store.values.pens), savedColours_(store.penTable.colour),
      savedWidths_(store.penTable.width), savedDisplay_(store.penTable.display) {
    settings::PenSettings& p = store.values.pens;
    p.OutBackColor = switches.OutBackColor;
    p.NotPC = switches.NotPC;
    p.NotPW = switches.NotPW;
    p.NotFP = switches.NotFP;
    p.PenTblNo = static_cast<uint8_t>(copy.tableNo());
    p.BlackPenDisplay = switches.BlackPenDisplay;
    p.PenWidthPen16Display = switches.PenWidthPen16Display;
    p.BackPenNo = switches.BackPenNo;
    p.MarkPenNo = switches.MarkPenNo;
    p.BitmapBack = switches.BitmapBack;
    p.FTLebel100 = switches.FTLebel100;
    p.ChgColor_not_BackC = switches.ChgColor_not_BackC;
    p.DrawModes = switches.DrawModes;
    store.penTable.colour = copy.colours();
    store.penTable.width = copy.widths();
    store.penTable.display = copy.display();
}

PenPreview::~PenPreview() {
    store_.values.pens = savedSwitches_;
    store_.penTable.colour = savedColours_;
    store_.penTable.width = savedWidths_;
    store_.penTable.display = savedDisplay_;
}

} // namespace dialogs
