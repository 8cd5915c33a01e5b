#pragma once
// One running instance per user: the first start listens on a local socket;
// a later start hands its file (full path) to it, or only asks it to come
// forward, and ends.

#include <QObject>
#include <QString>

class QLocalServer;

namespace app {

class SingleInstance : public QObject {
    Q_OBJECT
  public:
    // `name` defaults to the per-user server name of the program.
    explicit SingleInstance(QString name = QString(), QObject* parent = nullptr);
    ~SingleInstance() override;

    static QString defaultServerName();

    // Sender side. True when an instance runs: it was asked to come forward
    // and, with a non-empty `filePath`, to open that file; waits for it to
    // answer at most `timeoutMs`. False when none runs.
    bool handOver(const QString& filePath, int timeoutMs = 10000);

    // Receiver side: starts listening (a stale socket of an ended instance is
    // removed). False when the server cannot be started.
    bool listen();

  signals:
    // A later start asked to come forward; `filePath` is empty when it named
    // no single file. The answer goes back once the slots have returned.
    void handedOver(const QString& filePath);

  private:
    void onConnection();

    QString name_;
    QLocalServer* server_ = nullptr;
};

} // namespace app
