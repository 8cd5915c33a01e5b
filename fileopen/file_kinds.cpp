#include "fileopen/file_kinds.h"

namespace fileopen {

namespace {
QString asMask(const QString& pattern) {
    const QString p = pattern.trimmed();
    return p.startsWith(QLatin1Char('*')) ? p : QStringLiteral("*") + p;
}
} // namespace

QVector<FileKind> parseFileKinds(const QString& filterText) {
    QVector<FileKind> kinds;
    const QStringList parts = filterText.split(QLatin1Char('|'));
    for (qsizetype k = 0; k + 1 <= parts.size(); k += 2) {
        FileKind kind;
        kind.description = parts[k].trimmed();
        if (k + 1 < parts.size())
            for (const QString& p : parts[k + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts))
                if (!p.trimmed().isEmpty()) kind.patterns << p.trimmed();
        if (kind.description.isEmpty() && kind.patterns.isEmpty()) continue;
        if (kind.patterns.isEmpty()) kind.patterns << QStringLiteral(".*");
        kinds << kind;
    }
    if (kinds.isEmpty()) kinds << FileKind{QStringLiteral("All files (*.*)"), {".*"}};
    return kinds;
}

QStringList fileListMasks(const FileKind& kind) {
    QStringList masks;
    for (const QString& p : kind.patterns) {
        const QString m = asMask(p);
        masks << (m == QLatin1String("*.*") ? QStringLiteral("*") : m);
    }
    if (masks.isEmpty()) masks << QStringLiteral("*.hgl");
    return masks;
}

QString archiveEntryMask(const FileKind& kind) {
    const QString mask =
        kind.patterns.isEmpty() ? QStringLiteral("*.hgl") : asMask(kind.patterns.first());
    const QString lower = mask.toLower();
    if (lower == QLatin1String("*.lzh") || lower == QLatin1String("*.zip"))
        return QStringLiteral("*.*");
    return mask;
}

} // namespace fileopen
