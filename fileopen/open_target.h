#pragma once
// What the main window reads when a file is opened: the drawing itself, or a copy taken out
// of an archive into the scratch folder, with the name shown in the title and recent files.

#include <QString>

namespace fileopen {

struct OpenTarget {
    QString drawingPath;    // the file the interpreter reads
    QString displayName;    // title, recent files and current file: the archive for a copy
    bool extracted = false; // drawingPath is a scratch copy, deleted once it has been read
};

} // namespace fileopen
