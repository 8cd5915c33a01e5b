#include "app/single_instance.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <unistd.h>

namespace app {

namespace {
constexpr char kOpen[] = "open ";
constexpr char kShow[] = "show";
} // namespace

SingleInstance::SingleInstance(QString name, QObject* parent)
    : QObject(parent), name_(name.isEmpty() ? defaultServerName() : std::move(name)) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultServerName() {
    return QStringLiteral("QuindleMiniMUnique-%1").arg(::getuid());
}

bool SingleInstance::handOver(const QString& filePath, int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(1000)) return false;
    QByteArray line =
        filePath.isEmpty() ? QByteArray(kShow) : QByteArray(kOpen) + filePath.toUtf8();
    line += '\n';
    socket.write(line);
    socket.waitForBytesWritten(timeoutMs);
    // The running instance answers once it has opened the file.
    socket.waitForReadyRead(timeoutMs);
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::listen() {
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(name_)) {
        // Nobody answered on the name, so its socket is left over from an
        // instance that ended without cleaning up.
        QLocalServer::removeServer(name_);
        if (!server_->listen(name_)) return false;
    }
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::onConnection);
    return true;
}

void SingleInstance::onConnection() {
    while (QLocalSocket* s = server_->nextPendingConnection()) {
        QPointer<QLocalSocket> socket(s);
        connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
        auto handle = [this, socket] {
            if (!socket || !socket->canReadLine()) return;
            QByteArray line = socket->readLine(65536).trimmed();
            QString path;
            if (line.startsWith(kOpen))
                path = QString::fromUtf8(line.mid(int(sizeof kOpen) - 1));
            else if (line != kShow)
                return;
            emit handedOver(path);
            if (socket) {
                socket->write("done\n");
                socket->flush();
            }
        };
        connect(s, &QLocalSocket::readyRead, this, handle);
        if (s->canReadLine()) handle();
    }
}

} // namespace app
