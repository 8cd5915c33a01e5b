#include "app/user_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace app {

QString userFolderPath(const QString& dataRoot) {
    return dataRoot + QStringLiteral("/Kestrune/QuindleMini");
}

QString initFolderPath() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Init");
}

namespace {
QString createFailed(const QString& folder) {
    return QStringLiteral(": Can not create folder !\n") + folder;
}

bool copyFile(const QString& from, const QString& to) {
    QFile in(from), out(to);
    if (!in.open(QIODevice::ReadOnly)) return false;
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    char block[512];
    for (;;) {
        qint64 n = in.read(block, sizeof block);
        if (n < 0) return false;
        if (n == 0) break;
        if (out.write(block, n) != n) return false;
    }
    return out.flush();
}
} // namespace

QString copyFailedMessage(const QString& from, const QString& to) {
    return QStringLiteral("Can not copy folder !\nFrom:") + from + QStringLiteral("\nTo  :") + to;
}

bool copyFolder(const QString& from, const QString& to, bool overwrite) {
    QDir src(from);
    if (!src.exists()) return false;
    if (!QDir().mkpath(to)) return false;
    const QFileInfoList entries =
        src.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QFileInfo& e : entries) {
        const QString target = to + QLatin1Char('/') + e.fileName();
        if (e.isDir()) {
            if (!copyFolder(e.absoluteFilePath(), target, overwrite)) return false;
        } else {
            if (!overwrite && QFileInfo::exists(target)) continue;
            if (!copyFile(e.absoluteFilePath(), target)) return false;
        }
    }
    return true;
}

FolderResult prepareUserFolder(const QString& dataRoot, const QString& initFolder) {
    FolderResult r;
    const QString company = dataRoot + QStringLiteral("/Kestrune");
    const QString user = userFolderPath(dataRoot);
    if (!QFileInfo(company).isDir()) {
        if (!QDir().mkpath(company)) return {false, false, createFailed(company)};
        if (!QDir().mkdir(user)) return {false, false, createFailed(user)};
        r.created = true;
    } else if (!QFileInfo(user).isDir()) {
        if (!QDir().mkdir(user)) return {false, false, createFailed(user)};
        r.created = true;
    }
    if (r.created && !copyFolder(initFolder, user, true)) {
        r.ok = false;
        r.message = copyFailedMessage(initFolder, user);
    }
    return r;
}

SettingsStartUp loadSettingsAtStartUp(settings::SettingsStore& store, const QString& initFolder) {
    SettingsStartUp s;
    const QString path = QString::fromStdString(store.settingsFilePath());
    const QString cannotOpen = path + QStringLiteral(" : Can not open file !");
    store.setDefaults();
    settings::LoadResult result = store.load();
    if (result == settings::LoadResult::OtherVersion) {
        // Keep the foreign file, bring the shipped one in, and try again.
        const QString kept = path + QStringLiteral(".old");
        QFile::remove(kept);
        const bool movedAside = QFile::rename(path, kept);
        copyFolder(initFolder, QString::fromStdString(store.folder()), false);
        store.setDefaults();
        result = store.load();
        if (result != settings::LoadResult::Loaded) {
            store.setDefaults();
            s.message = cannotOpen;
            // The foreign file could not be set aside: leave it as it is.
            if (!movedAside) s.keepSettingsFile = true;
        }
    } else if (result == settings::LoadResult::CannotOpen) {
        s.message = cannotOpen;
        if (QFileInfo::exists(path)) s.keepSettingsFile = true;
    }
    s.loaded = result == settings::LoadResult::Loaded;
    store.loadPenTablesAtStartUp(s.loaded);
    return s;
}

} // namespace app
