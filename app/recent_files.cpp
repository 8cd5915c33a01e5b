#include "app/recent_files.h"

namespace app {

void pushRecent(RecentFiles& recent, const std::string& name) {
    for (size_t k = recent.size() - 1; k > 0; --k)
        recent[k] = recent[k - 1];
    recent[0] = name;
}

void pushRecentIfNew(RecentFiles& recent, const std::string& name) {
    if (recent[0] != name) pushRecent(recent, name);
}

} // namespace app
