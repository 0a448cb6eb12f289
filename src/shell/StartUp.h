#pragma once
// The program's start routine: opens the one connection (setting up an empty database),
// shows the splash, hands over to the logon and from there to the main window.
#include "shell/WindowRegistry.h"

#include <QLockFile>
#include <QObject>
#include <memory>

class QApplication;
class QLocalServer;

namespace tarvic {

// One running copy per workstation user: a lock file in the user's runtime location, and
// beside it a local socket through which a second copy asks the first to come to the front.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // dir: where the lock and the socket live (the runtime location when empty).
    explicit SingleInstance(const QString& dir = {}, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when another copy holds the lock (it has been asked to come forward); otherwise
    // this copy takes the lock and listens for later copies.
    bool anotherCopyRunning();

signals:
    // A later copy was started: the current window should come to the front.
    void anotherCopyStarted();

private:
    QString dir_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr;
};

struct StartOptions {
    bool splash = true;
};

// The whole run, from opening the connection to the end of the event loop. Returns the
// process exit code.
int runProgram(QApplication& app, const WindowRegistry& registry, const StartOptions& options);

}  // namespace tarvic
