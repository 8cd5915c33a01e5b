#include "app/single_instance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <cerrno>
#include <memory>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/handover_protocol.h"

namespace app {

namespace {

// How long a connected later start may take to send its request.
constexpr int kRequestTimeoutMs = 10000;

// The uid of the process at the other end of a connected local socket; -1 when unknown.
long peerUid(qintptr descriptor) {
    ucred cred{};
    socklen_t size = sizeof cred;
    if (descriptor < 0 || ::getsockopt(int(descriptor), SOL_SOCKET, SO_PEERCRED, &cred, &size) != 0)
        return -1;
    return long(cred.uid);
}

bool peerIsThisUser(qintptr descriptor) {
    return peerUid(descriptor) == long(::geteuid());
}

// Letters, digits, ".", "-" and ":" stay; anything else (a "/" of a Wayland socket path
// above all) becomes "_".
QString fileNameSafe(const QString& text) {
    QString out;
    for (QChar c : text)
        out += (c.isLetterOrNumber() && c.unicode() < 128) || c == u'.' || c == u'-' || c == u':'
                   ? c
                   : u'_';
    return out;
}

// Whether `folder` is a folder (not a link) of this user that nobody else may enter.
bool isPrivateFolder(const QByteArray& folder) {
    struct stat st;
    return ::lstat(folder.constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
           st.st_uid == ::geteuid() && (st.st_mode & 077) == 0;
}

} // namespace

SingleInstance::SingleInstance(QString socketPath, QObject* parent)
    : QObject(parent), path_(std::move(socketPath)) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::desktopName() {
    const QString platform = QGuiApplication::platformName();
    if (platform.startsWith(QLatin1String("wayland"))) {
        QString display = qEnvironmentVariable("WAYLAND_DISPLAY", QStringLiteral("wayland-0"));
        return fileNameSafe(display);
    }
    if (platform == QLatin1String("xcb")) {
        QString display = qEnvironmentVariable("DISPLAY");
        // ":0.1" and ":0" are the same desktop.
        const qsizetype colon = display.lastIndexOf(u':');
        const qsizetype dot = display.lastIndexOf(u'.');
        if (colon >= 0 && dot > colon) display.truncate(dot);
        return display.isEmpty() ? QStringLiteral("x11") : fileNameSafe(display);
    }
    return fileNameSafe(platform.isEmpty() ? QStringLiteral("desktop") : platform);
}

SingleInstance::Location SingleInstance::locate(const QString& desktop,
                                                const QByteArray& runtimeDir,
                                                const QString& tempDir) {
    const QString socketName = QStringLiteral("/QuindleMini-") + desktop;
    if (!runtimeDir.isEmpty() && isPrivateFolder(runtimeDir))
        return {QFile::decodeName(runtimeDir) + socketName, QString()};
    // No usable runtime folder: a private folder of our own in the temporary folder.
    const QString folder = tempDir + QStringLiteral("/QuindleMini-%1").arg(::geteuid());
    const QByteArray encoded = QFile::encodeName(folder);
    if (::mkdir(encoded.constData(), 0700) != 0 && errno != EEXIST)
        return {QString(), QStringLiteral("Can not create folder !\n") + folder};
    if (!isPrivateFolder(encoded))
        return {QString(), QStringLiteral("The folder is not private to this user:\n") + folder};
    return {folder + socketName, QString()};
}

SingleInstance::HandOver SingleInstance::handOver(const QByteArray& fileName, int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(path_);
    if (!socket.waitForConnected(1000)) return HandOver::NoInstance;
    // Only an instance of this same user may learn which files are opened.
    if (!peerIsThisUser(socket.socketDescriptor())) {
        socket.abort();
        return HandOver::Foreign;
    }
    QDeadlineTimer deadline(timeoutMs);
    socket.write(handover::encodeRequest(fileName));
    while (socket.bytesToWrite() > 0 && socket.state() == QLocalSocket::ConnectedState)
        if (!socket.waitForBytesWritten(int(deadline.remainingTime()))) break;
    while (socket.bytesAvailable() < 1 && socket.state() == QLocalSocket::ConnectedState)
        if (!socket.waitForReadyRead(int(deadline.remainingTime()))) break;
    char answer = 0;
    const bool received = socket.getChar(&answer) && answer == handover::kReceived;
    socket.abort();
    return received ? HandOver::Received : HandOver::NoAnswer;
}

bool SingleInstance::listen(QString& error) {
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(path_)) {
        // Nobody of this user answered on the socket, so what is there is left over from
        // an instance that ended without cleaning up (or was put there by someone else):
        // the folder is ours, so it goes.
        QLocalServer::removeServer(path_);
        if (!server_->listen(path_)) {
            error = QStringLiteral("Can not listen for later starts of the program:\n") + path_ +
                    QStringLiteral("\n") + server_->errorString();
            delete server_;
            server_ = nullptr;
            return false;
        }
    }
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::onConnection);
    return true;
}

void SingleInstance::onConnection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (!peerIsThisUser(socket->socketDescriptor())) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        // A start that connects but never finishes its request is dropped.
        QTimer::singleShot(kRequestTimeoutMs, socket, [socket] { socket->abort(); });
        auto reader = std::make_shared<handover::RequestReader>();
        auto take = [this, socket, reader] {
            using State = handover::RequestReader::State;
            const State state = reader->feed(socket->readAll());
            if (state == State::NeedMore) return;
            if (state == State::Complete) {
                socket->write(&handover::kReceived, 1);
                socket->flush();
                // The open runs from the event loop, never inside this socket's signal: it
                // shows modal boxes, and the socket may be gone by the time they close.
                const QByteArray name = reader->fileName();
                QMetaObject::invokeMethod(
                    this, [this, name] { emit requested(name); }, Qt::QueuedConnection);
            }
            socket->disconnectFromServer();
        };
        connect(socket, &QLocalSocket::readyRead, this, take);
        if (socket->bytesAvailable() > 0) take();
    }
}

} // namespace app
