#include "settings_store.h"

#include <utility>

namespace settings {

namespace {
bool isTableNumber(int n) {
    return n >= 1 && n <= kPenTableCount;
}
} // namespace

SettingsStore::SettingsStore(std::string folder, std::string programBaseName)
    : folder_(std::move(folder)), programBaseName_(std::move(programBaseName)) {}

std::string SettingsStore::settingsFilePath() const {
    return folder_ + "/" + programBaseName_ + ".PAR";
}

void SettingsStore::setDefaults() {
    settings::setDefaults(values);
    penTable = PenTable{};
    penPenTable = PenPenTable{};
}

LoadResult SettingsStore::load() {
    return loadSettingsFile(settingsFilePath(), values);
}

bool SettingsStore::save() const {
    return saveSettingsFile(settingsFilePath(), values);
}

void SettingsStore::loadPenTablesAtStartUp(bool settingsLoaded) {
    penTable.display = PenTable::allShown();
    int n = values.pens.PenTblNo;
    bool fromFile =
        settingsLoaded && isTableNumber(n) &&
        readPenTableFile(penTablePath(folder_, n), penTable.colour, penTable.width, penTable.name);
    if (!fromFile) {
        penTable.colour = defaultPenColours(values.pens.BackPenNo, values.pens.MarkPenNo);
        penTable.width.fill(0);
        penTable.name.clear();
    }
    if (values.pens.PenPenTblNo != 0) loadPenPenTable(values.pens.PenPenTblNo);
}

void SettingsStore::loadPenPenTable(int n) {
    if (isTableNumber(n) &&
        readPenPenTableFile(penPenTablePath(folder_, n), penPenTable.map, penPenTable.name))
        return;
    penPenTable = PenPenTable{};
}

PenTableSwitch SettingsStore::PenTBLNoChange(int n) {
    if (n == values.pens.PenTblNo) return PenTableSwitch::Unchanged;
    if (!isTableNumber(n) ||
        !readPenTableFile(penTablePath(folder_, n), penTable.colour, penTable.width, penTable.name))
        return PenTableSwitch::Failed;
    values.pens.PenTblNo = static_cast<uint8_t>(n);
    return PenTableSwitch::Switched;
}

std::string SettingsStore::penTableReadError(int n) const {
    return penTablePath(folder_, n) + " : Can not read file !";
}

bool SettingsStore::writePenTable(int n) const {
    return isTableNumber(n) && writePenTableFile(penTablePath(folder_, n), penTable.colour,
                                                 penTable.width, penTable.name);
}

bool SettingsStore::writePenPenTable(int n) const {
    return isTableNumber(n) &&
           writePenPenTableFile(penPenTablePath(folder_, n), penPenTable.map, penPenTable.name);
}

int SettingsStore::translatePen(int pen) const {
    return settings::translatePen(penPenTable, values.pens.PenPenTblNo, pen);
}

void SettingsStore::afterFileOpen() {
    if (values.pens.ResetPenPenTBL) values.pens.PenPenTblNo = 0;
}

std::string SettingsStore::penTableMenuCaption(int n) const {
    return settings::penTableMenuCaption(folder_, n);
}

} // namespace settings
