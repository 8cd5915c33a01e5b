#include "view/window/display_undo.h"

namespace view {

void DisplayUndo::add(const ViewRect& r) {
    if (count_ > 0 && entries_[count_ - 1] == r) {
        position_ = count_;
        return;
    }
    if (count_ == kCapacity) {
        for (int k = 1; k < kCapacity; ++k)
            entries_[k - 1] = entries_[k];
        --count_;
    }
    entries_[count_++] = r;
    position_ = count_;
}

bool DisplayUndo::undo(ViewRect& r) {
    if (!canUndo()) return false;
    --position_;
    r = entries_[position_ - 1];
    return true;
}

bool DisplayUndo::redo(ViewRect& r) {
    if (!canRedo()) return false;
    ++position_;
    r = entries_[position_ - 1];
    return true;
}

} // namespace view
