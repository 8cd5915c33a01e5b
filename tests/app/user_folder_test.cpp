// The settings folder at start-up (offscreen platform): a failed copy of the Init folder
// leaves nothing half-filled, and what killed copies and saves left behind is removed.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/user_folder.h"

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// The id of a process that has ended.
pid_t deadProcess() {
    const pid_t child = fork();
    if (child == 0) _exit(0);
    int status = 0;
    waitpid(child, &status, 0);
    return child;
}

} // namespace

class UserFolderTest : public QObject {
    Q_OBJECT
  private slots:
    void failedInitCopyLeavesNoFolderAndIsRepairedLater();
    void leftoversOfKilledCopiesAndSavesAreRemoved();
};

void UserFolderTest::failedInitCopyLeavesNoFolderAndIsRepairedLater() {
    QTemporaryDir d;
    const QString init = d.filePath(QStringLiteral("Init"));
    QDir().mkpath(init);
    writeFile(init + QStringLiteral("/PenTable1.par"), "small");
    writeFile(init + QStringLiteral("/QuindleMini.PAR"), QByteArray(6000, 'v'));
    const QString root = d.filePath(QStringLiteral("data"));
    const QString user = app::userFolderPath(root);

    // A full disk: writes beyond 4000 bytes fail.
    rlimit old{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 4000;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const app::FolderResult failed = app::prepareUserFolder(root, init);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    QVERIFY(!failed.ok);
    QCOMPARE(failed.message, app::copyFailedMessage(init, user));
    QVERIFY(!QFileInfo::exists(user));
    QCOMPARE(
        QDir(root + QStringLiteral("/Kestrune")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
        QStringList());

    // The next start copies again, completely.
    const app::FolderResult later = app::prepareUserFolder(root, init);
    QVERIFY(later.ok);
    QVERIFY(later.created);
    QCOMPARE(QFileInfo(user + QStringLiteral("/QuindleMini.PAR")).size(), 6000);
    QCOMPARE(QFileInfo(user + QStringLiteral("/PenTable1.par")).size(), 5);

    // A FIFO in the Init folder fails the copy instead of blocking it.
    QDir(user).removeRecursively();
    QVERIFY(::mkfifo(QFile::encodeName(init + QStringLiteral("/PenTable2.par")).constData(),
                     0600) == 0);
    QVERIFY(!app::prepareUserFolder(root, init).ok);
    QVERIFY(!QFileInfo::exists(user));
}

void UserFolderTest::leftoversOfKilledCopiesAndSavesAreRemoved() {
    QTemporaryDir d;
    const QString init = d.filePath(QStringLiteral("Init"));
    QDir().mkpath(init);
    writeFile(init + QStringLiteral("/QuindleMini.PAR"), "settings");
    const QString root = d.filePath(QStringLiteral("data"));
    const QString company = root + QStringLiteral("/Kestrune");
    const QString user = app::userFolderPath(root);
    QVERIFY(app::prepareUserFolder(root, init).ok);

    const QString dead = QString::number(deadProcess());
    const QString staleSave =
        user + QStringLiteral("/QuindleMini.PAR.tmp") + dead + QStringLiteral(".0badf00d");
    const QString liveSave = user + QStringLiteral("/PenTable1.par.tmp") +
                             QString::number(getppid()) + QStringLiteral(".00c0ffee");
    const QString staleCopy =
        company + QStringLiteral("/QuindleMini.tmp") + dead + QStringLiteral(".12345678");
    writeFile(staleSave, "half");
    writeFile(liveSave, "being written");
    QDir().mkpath(staleCopy + QStringLiteral("/sub"));
    writeFile(staleCopy + QStringLiteral("/sub/x.par"), "half");

    QVERIFY(app::prepareUserFolder(root, init).ok);
    QVERIFY(!QFileInfo::exists(staleSave));
    QVERIFY(!QFileInfo::exists(staleCopy));
    QVERIFY(QFileInfo::exists(liveSave));
    QVERIFY(QFileInfo::exists(user + QStringLiteral("/QuindleMini.PAR")));
}

QTEST_MAIN(UserFolderTest)
#include "user_folder_test.moc"
