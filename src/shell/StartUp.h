#pragma once
// The program's start routine: opens the one connection (setting up an empty database),
// shows the splash, hands over to the logon and from there to the main window.
#include "data/Database.h"
#include "shell/WindowRegistry.h"

#include <QLockFile>
#include <QObject>
#include <memory>

class QApplication;
class QLocalServer;

namespace tarvic {

class Prompter;

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

// Opens the connection the run shares. A user with neither the data source nor the embedded
// database is asked whether to set up the embedded database for them (with the demo set); a
// user who declines, and every other failure to connect, gets the connection-failure message.
// Null when the run ends here.
std::unique_ptr<Database> openDatabase(Prompter& prompter,
                                       const ConnectionString& cs = ConnectionString::parse(kConnectionString));

// Makes the database this program's: an empty one gets the schema, an older one is backed up
// and migrated; one newer than the program, or one that cannot be backed up or migrated, is
// refused with a message. A database without version table but with logins was set up by hand
// and is left alone. False when the run ends here.
bool prepareDatabase(Database& db, Prompter& prompter,
                     const ConnectionString& cs = ConnectionString::parse(kConnectionString));

struct StartOptions {
    bool splash = true;
};

// The whole run, from opening the connection to the end of the event loop. Returns the
// process exit code.
int runProgram(QApplication& app, const WindowRegistry& registry, const StartOptions& options);

}  // namespace tarvic
