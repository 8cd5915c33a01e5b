#pragma once
// The file kinds of the open dialog: the persisted filter text split into description and
// pattern-list pairs, the masks the file list shows, and the mask for entries of archives.

#include <QString>
#include <QStringList>
#include <QVector>

namespace fileopen {

struct FileKind {
    QString description;  // "HP-GL files (*.hgl;...)"
    QStringList patterns; // ".hgl", ".plt", ...
};

// "desc|patterns|desc|patterns..." into its pairs; a description without patterns gets
// ".*". Never empty: an empty text gives one "All files" kind.
QVector<FileKind> parseFileKinds(const QString& filterText);

// The file list's masks for a kind: ".hgl" -> "*.hgl"; ".*" and "*.*" -> "*" (every file).
QStringList fileListMasks(const FileKind& kind);

// The mask for entries inside an archive: "*" and the kind's first pattern ("*.hgl"); a kind
// that names archives themselves ("*.lzh", "*.zip") lists every entry ("*.*").
QString archiveEntryMask(const FileKind& kind);

} // namespace fileopen
