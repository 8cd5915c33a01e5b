#pragma once
// The display undo list of one drawing window: the last ten view rectangles,
// a position that undo and redo walk, and no cutting off of newer entries.

#include <array>

#include "view/window/navigation.h"

namespace view {

class DisplayUndo {
  public:
    static constexpr int kCapacity = 10;

    // Appends `r` unless it equals the newest entry; a full list drops its
    // oldest. The position becomes the newest entry.
    void add(const ViewRect& r);
    bool canUndo() const { return position_ >= 2; }
    bool canRedo() const { return position_ < count_; }
    // Step back / forward; false (nothing changed) past either end.
    bool undo(ViewRect& r);
    bool redo(ViewRect& r);

    int count() const { return count_; }
    int position() const { return position_; }
    const ViewRect& entry(int position) const { return entries_[position - 1]; }

  private:
    std::array<ViewRect, kCapacity> entries_{};
    int count_ = 0;
    int position_ = 0;
};

} // namespace view
