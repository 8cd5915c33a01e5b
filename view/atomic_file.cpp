#include "view/atomic_file.h"

#include <cstring>
#include <string_view>

#include "settings/atomic_file.h"

namespace view {

std::string WriteResult::message() const {
    const char* what = "written";
    switch (status) {
    case WriteStatus::Ok:
        return "written";
    case WriteStatus::CannotCreate:
        what = "cannot create the file";
        break;
    case WriteStatus::WriteFailed:
        what = "cannot write";
        break;
    case WriteStatus::CannotRename:
        what = "cannot replace the file";
        break;
    }
    return error ? std::string(what) + ": " + std::strerror(error) : std::string(what);
}

WriteResult writeFileAtomically(const std::string& path, const void* data, size_t size) {
    settings::OutputFile out;
    if (!out.open(path, settings::SpecialFiles::WriteDirectly))
        return {WriteStatus::CannotCreate, out.error()};
    if (!out.write(std::string_view(static_cast<const char*>(data), size)))
        return {WriteStatus::WriteFailed, out.error()};
    if (!out.commit()) return {WriteStatus::WriteFailed, out.error()};
    return {};
}

} // namespace view
