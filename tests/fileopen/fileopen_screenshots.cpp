// Shows the open dialog and the archive chooser on the display and saves a picture of
// each, so that their layouts can be looked at on a real display server (Xvfb):
//
//     fileopen_screenshots OUTDIR
//
// writes OUTDIR/open_dialog.png and OUTDIR/archive_chooser.png. The dialog shows a
// temporary folder holding a few drawings and archives.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

#include "../support/window_shot.h"
#include "archive/open_from_archive.h"
#include "fileopen/archive_chooser.h"
#include "fileopen/open_file_dialog.h"
#include "settings/settings_store.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: fileopen_screenshots OUTDIR\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    QTemporaryDir dir;
    const QString data = QStringLiteral(QM_ARCHIVE_DATA);
    for (const char* name : {"plan.hgl", "section.hgl", "detail.plt", "notes.txt"}) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        if (f.open(QIODevice::WriteOnly)) f.write("SP1;PU0,0;PD100,100;");
    }
    QFile::copy(data + QStringLiteral("/two_drawings.lzh"), dir.filePath("drawings.lzh"));
    QFile::copy(data + QStringLiteral("/one_drawing.zip"), dir.filePath("single.zip"));
    QDir(dir.path()).mkpath(QStringLiteral("older"));

    settings::SettingsStore store(dir.path().toStdString(), "QuindleMini");
    store.setDefaults();
    store.values.open.FileKindIndex = 3; // all files
    fileopen::OpenFileDialog dialog(store, {}, dir.path());
    bool ok = test_support::shootWindow(dialog, out + QStringLiteral("/open_dialog.png"));

    const auto open = archives::openFromArchive(dir.filePath("drawings.lzh").toStdString(),
                                                dir.path().toStdString());
    fileopen::ArchiveChooser chooser(dir.filePath("drawings.lzh"), open.matches, dir.path());
    ok = test_support::shootWindow(chooser, out + QStringLiteral("/archive_chooser.png")) && ok;
    return ok ? 0 : 1;
}
