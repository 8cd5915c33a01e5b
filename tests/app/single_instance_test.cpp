// The single-instance hand-over in one process (offscreen platform): the request format,
// where the socket goes, acknowledgement before the open, and what a later start does
// when nobody answers.

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstring>
#include <future>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

#include "app/handover_protocol.h"
#include "app/single_instance.h"

using app::SingleInstance;
using State = app::handover::RequestReader::State;

namespace {

// A listening socket at `path` that accepts one connection and then does `onClient`
// with it; stands in for a running instance that misbehaves.
class RawListener {
  public:
    RawListener(const QString& path, std::function<void(int)> onClient) {
        fd_ = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        const QByteArray p = QFile::encodeName(path);
        std::memcpy(addr.sun_path, p.constData(), size_t(p.size()));
        ok_ = ::bind(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
              ::listen(fd_, 4) == 0;
        thread_ = std::thread([this, onClient] {
            const int client = ::accept(fd_, nullptr, nullptr);
            if (client >= 0) {
                onClient(client);
                ::close(client);
            }
        });
    }
    ~RawListener() {
        ::shutdown(fd_, SHUT_RDWR);
        thread_.join();
        ::close(fd_);
    }
    bool ok() const { return ok_; }

  private:
    int fd_ = -1;
    bool ok_ = false;
    std::thread thread_;
};

// A later start, run on a thread of its own: the hand-over blocks until answered.
std::future<SingleInstance::HandOver> startLater(const QString& path, const QByteArray& name,
                                                 int timeoutMs = 10000) {
    return std::async(std::launch::async, [path, name, timeoutMs] {
        SingleInstance later(path);
        return later.handOver(name, timeoutMs);
    });
}

// Runs the event loop until `f` is ready.
template <typename T> T waitFor(std::future<T>& f) {
    QElapsedTimer t;
    t.start();
    while (f.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready &&
           t.elapsed() < 30000)
        QCoreApplication::processEvents();
    return f.get();
}

} // namespace

class SingleInstanceTest : public QObject {
    Q_OBJECT
  private slots:
    void requestsCarryTheExactBytesOfTheName();
    void socketGoesIntoAPrivateFolderPerDesktop();
    void requestIsAcknowledgedBeforeItIsOpened();
    void laterStartWithoutAnAnswerFails();
    void listenReplacesWhatIsLeftAndReportsFailure();
};

void SingleInstanceTest::requestsCarryTheExactBytesOfTheName() {
    const QByteArray names[] = {"/d/trail.hp ", "/d/line\nfeed.hp",    " lead\r\n",
                                "\xff\xfe.plt", QByteArray(4096, 'x'), QByteArray()};
    for (const QByteArray& name : names) {
        // Fed byte by byte, as a slow connection might deliver it.
        app::handover::RequestReader reader;
        const QByteArray bytes = app::handover::encodeRequest(name);
        State state = State::NeedMore;
        for (qsizetype k = 0; k < bytes.size(); ++k) {
            QCOMPARE(state, State::NeedMore);
            state = reader.feed(bytes.mid(k, 1));
        }
        QCOMPARE(state, State::Complete);
        QCOMPARE(reader.fileName(), name);
    }
    app::handover::RequestReader other;
    QCOMPARE(other.feed("open /x\n"), State::Invalid);
    app::handover::RequestReader huge;
    QCOMPARE(huge.feed(QByteArray("QMH1\x7f\xff\xff\xff", 8)), State::Invalid);
    app::handover::RequestReader extra;
    QCOMPARE(extra.feed(app::handover::encodeRequest("/a") + "more"), State::Invalid);
}

void SingleInstanceTest::socketGoesIntoAPrivateFolderPerDesktop() {
    QTemporaryDir d;
    const QString runtime = d.filePath(QStringLiteral("run"));
    const QString temp = d.filePath(QStringLiteral("tmp"));
    QDir().mkpath(runtime);
    QDir().mkpath(temp);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QByteArray run = QFile::encodeName(runtime);

    SingleInstance::Location a = SingleInstance::locate(QStringLiteral(":0"), run, temp);
    SingleInstance::Location b = SingleInstance::locate(QStringLiteral(":1"), run, temp);
    QCOMPARE(a.socketPath, runtime + QStringLiteral("/QuindleMini-:0"));
    QVERIFY(a.socketPath != b.socketPath);
    QVERIFY(a.error.isEmpty());

    // No runtime folder, or one others may enter: a private folder of our own.
    const QString own = temp + QStringLiteral("/QuindleMini-%1").arg(::geteuid());
    for (const QByteArray& unusable : {QByteArray(), QFile::encodeName(temp)}) {
        ::chmod(QFile::encodeName(temp).constData(), 0755);
        SingleInstance::Location f = SingleInstance::locate(QStringLiteral(":0"), unusable, temp);
        QCOMPARE(f.socketPath, own + QStringLiteral("/QuindleMini-:0"));
        struct stat st {};
        QCOMPARE(::lstat(QFile::encodeName(own).constData(), &st), 0);
        QCOMPARE(st.st_mode & 0777, 0700u);
    }
    // A fallback folder others may enter, or a link, is not used.
    ::chmod(QFile::encodeName(own).constData(), 0777);
    SingleInstance::Location open = SingleInstance::locate(QStringLiteral(":0"), {}, temp);
    QVERIFY(open.socketPath.isEmpty());
    QVERIFY(open.error.contains(own));
    QDir(own).removeRecursively();
    QVERIFY(QFile::link(runtime, own));
    QVERIFY(SingleInstance::locate(QStringLiteral(":0"), {}, temp).socketPath.isEmpty());
}

void SingleInstanceTest::requestIsAcknowledgedBeforeItIsOpened() {
    QTemporaryDir d;
    SingleInstance running(d.filePath(QStringLiteral("socket")));
    QString error;
    QVERIFY2(running.listen(error), qPrintable(error));
    QList<QByteArray> opened;
    SingleInstance::HandOver laterResult = SingleInstance::HandOver::NoInstance;
    std::future<SingleInstance::HandOver> later;
    connect(&running, &SingleInstance::requested, this, [&](const QByteArray& name) {
        // The open shows a modal box: the later start has had its answer and ended before
        // the box is closed, and its socket goes away meanwhile.
        if (later.valid()) laterResult = later.get();
        QEventLoop box;
        QTimer::singleShot(200, &box, &QEventLoop::quit);
        box.exec();
        opened << name;
    });
    later = startLater(running.socketPath(), "/d/trail.hp ");
    QTRY_COMPARE(opened, QList<QByteArray>{"/d/trail.hp "});
    QCOMPARE(laterResult, SingleInstance::HandOver::Received);

    // Only come forward: an empty name.
    auto forward = startLater(running.socketPath(), QByteArray());
    QCOMPARE(waitFor(forward), SingleInstance::HandOver::Received);
    QTRY_COMPARE(opened.size(), 2);
    QCOMPARE(opened.last(), QByteArray());

    // Not a request of this program: dropped, nothing opened.
    {
        QLocalSocket raw;
        raw.connectToServer(running.socketPath());
        QVERIFY(raw.waitForConnected(1000));
        raw.write("open /etc/passwd\n");
        raw.flush();
        QTRY_COMPARE(raw.state(), QLocalSocket::UnconnectedState);
    }
    QTest::qWait(50);
    QCOMPARE(opened.size(), 2);
}

void SingleInstanceTest::laterStartWithoutAnAnswerFails() {
    QTemporaryDir d;
    const QString path = d.filePath(QStringLiteral("socket"));
    // Nobody listens: start an instance.
    QCOMPARE(SingleInstance(path).handOver("/a"), SingleInstance::HandOver::NoInstance);
    {
        // Takes the request and never answers.
        std::promise<QByteArray> got;
        RawListener silent(path, [&got](int client) {
            char buf[64];
            const ssize_t n = ::read(client, buf, sizeof buf);
            got.set_value(QByteArray(buf, int(std::max<ssize_t>(n, 0))));
            ::sleep(1);
        });
        QVERIFY(silent.ok());
        QCOMPARE(SingleInstance(path).handOver("/a", 300), SingleInstance::HandOver::NoAnswer);
        QCOMPARE(got.get_future().get(), app::handover::encodeRequest("/a"));
    }
    QFile::remove(path);
    {
        // Hangs up at once.
        RawListener rude(path, [](int) {});
        QVERIFY(rude.ok());
        QCOMPARE(SingleInstance(path).handOver("/a", 5000), SingleInstance::HandOver::NoAnswer);
    }
}

void SingleInstanceTest::listenReplacesWhatIsLeftAndReportsFailure() {
    QTemporaryDir d;
    const QString path = d.filePath(QStringLiteral("socket"));
    QFile plain(path);
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    SingleInstance running(path);
    QString error;
    QVERIFY(running.listen(error));
    auto later = startLater(path, "/b");
    QCOMPARE(waitFor(later), SingleInstance::HandOver::Received);

    SingleInstance nowhere(d.filePath(QStringLiteral("none/socket")));
    QVERIFY(!nowhere.listen(error));
    QVERIFY(error.contains(d.filePath(QStringLiteral("none/socket"))));
}

QTEST_MAIN(SingleInstanceTest)
#include "single_instance_test.moc"
