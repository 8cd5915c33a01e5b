#include "app/user_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <fcntl.h>
#include <unistd.h>

#include "interp/regular_file.h"
#include "settings/atomic_file.h"

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

// Largest file of the Init folder copied; its files are a few kilobytes.
constexpr qint64 kMaxInitFileBytes = 16 << 20;

// Copies one regular file; the copy appears whole or not at all. A FIFO, device or
// oversized file in the source fails the copy instead of blocking it.
bool copyFile(const QString& from, const QString& to) {
    int error = 0;
    const int fd = interp::openRegularFile(QFile::encodeName(from).toStdString(), error);
    if (fd < 0) return false;
    QFile in;
    if (!in.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    const QByteArray bytes = in.read(kMaxInitFileBytes + 1);
    if (in.error() != QFileDevice::NoError || bytes.size() > kMaxInitFileBytes) return false;
    return settings::writeFileAtomically(QFile::encodeName(to).toStdString(), bytes.toStdString());
}

// A folder name beside `target` for a copy in progress, as the stale-temporary clean-up
// knows them: "<target>.tmp<pid>.<8 hex digits>".
QString temporaryFolderName(const QString& target) {
    return target + QStringLiteral(".tmp%1.%2")
                        .arg(QCoreApplication::applicationPid())
                        .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
}

// Removes the folder copies in `folder` that a start which no longer runs left unfinished.
void removeStaleFolderCopies(const QString& folder) {
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QFileInfo& e : entries)
        if (!e.isSymLink() && settings::isStaleTemporaryName(e.fileName().toStdString()))
            QDir(e.absoluteFilePath()).removeRecursively();
}

void syncFolder(const QString& folder) {
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}
} // namespace

QString copyFailedMessage(const QString& from, const QString& to) {
    return QStringLiteral("Can not copy folder !\nFrom:") + from + QStringLiteral("\nTo  :") + to;
}

bool copyFolder(const QString& from, const QString& to, bool overwrite) {
    QDir src(from);
    if (!src.exists()) return false;
    if (!QDir().mkpath(to)) return false;
    const QFileInfoList entries = src.entryInfoList(
        QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
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
    if (!QFileInfo(company).isDir() && !QDir().mkpath(company))
        return {false, false, createFailed(company)};
    removeStaleFolderCopies(company);
    if (!QFileInfo(user).isDir()) {
        // The Init files go into a folder of their own that takes the user folder's name
        // only once it is complete, so that a failed or killed copy leaves no half-filled
        // settings folder behind (the next start simply tries again).
        r.created = true;
        const QString temp = temporaryFolderName(user);
        if (!QDir().mkdir(temp)) return {false, true, createFailed(user)};
        if (!copyFolder(initFolder, temp, true)) {
            QDir(temp).removeRecursively();
            return {false, true, copyFailedMessage(initFolder, user)};
        }
        if (::rename(QFile::encodeName(temp).constData(), QFile::encodeName(user).constData()) !=
            0) {
            QDir(temp).removeRecursively();
            // Another start may have finished the same copy first.
            if (!QFileInfo(user).isDir()) return {false, true, createFailed(user)};
        }
        syncFolder(company);
    }
    // Saves that were killed half-way leave their temporary files; nobody else will.
    settings::removeStaleTemporaries(QFile::encodeName(user).toStdString());
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
