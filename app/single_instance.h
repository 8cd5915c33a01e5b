#pragma once
// One running instance per user and desktop: the first start listens on a local socket in
// a folder only its user can enter; a later start on the same desktop hands its file name
// to it (or only asks it to come forward) and ends. Both ends check that the other runs as
// the same user.

#include <QByteArray>
#include <QObject>
#include <QString>

class QLocalServer;

namespace app {

class SingleInstance : public QObject {
    Q_OBJECT
  public:
    // `socketPath`: the full path of the socket (see locate()).
    explicit SingleInstance(QString socketPath, QObject* parent = nullptr);
    ~SingleInstance() override;

    // The desktop this process shows its windows on, as a file-name-safe word: the Wayland
    // display ("wayland-0"), the X display without its screen (":0", "host_10"), or the
    // platform's name. Starts on different desktops never hand over to each other.
    static QString desktopName();

    struct Location {
        QString socketPath; // empty when no private folder could be had
        QString error;      // what went wrong then, with the folder
    };
    // Where the socket for `desktop` lives: in `runtimeDir` ($XDG_RUNTIME_DIR) when it is
    // set and a folder of this user that nobody else may enter; otherwise in the folder
    // "QuindleMini-<uid>" of `tempDir`, made with mode 0700 and used only when it belongs
    // to this user, is no link, and nobody else may enter it.
    static Location locate(const QString& desktop, const QByteArray& runtimeDir,
                           const QString& tempDir);

    enum class HandOver {
        NoInstance, // no instance of this user listens; start one
        Foreign,    // a program of another user listens there: told nothing; start one
        Received,   // the running instance acknowledged the request
        NoAnswer,   // an instance took the connection but did not acknowledge in time
    };
    // Sender side: asks the instance listening on the socket to come forward and, with a
    // non-empty `fileName` (the exact bytes of the name), to open that file. Waits at
    // most `timeoutMs` for the acknowledgement. A listener of another user gets nothing.
    HandOver handOver(const QByteArray& fileName, int timeoutMs = 10000);

    // Receiver side: starts listening. A socket file left by an instance that ended (or
    // anything else in its place) is removed first. False with `error` set on failure.
    bool listen(QString& error);

    const QString& socketPath() const { return path_; }

  signals:
    // A later start asked to come forward; `fileName` holds the exact bytes of the name it
    // handed over, empty when it named no single file. Emitted from the event loop after
    // the request has been acknowledged, never from inside a socket's own signal.
    void requested(const QByteArray& fileName);

  private:
    void onConnection();

    QString path_;
    QLocalServer* server_ = nullptr;
};

} // namespace app
