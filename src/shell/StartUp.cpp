#include "StartUp.h"

#include "engine/admin/DatabaseSetup.h"
#include "data/Migrations.h"
#include "shell/Logon.h"
#include "shell/MainWindow.h"
#include "shell/Splash.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPainter>
#include <QPointer>
#include <QStandardPaths>
#include <QTimer>

#include <cstdio>

namespace tarvic {

namespace {

QString lockDir(const QString& dir) {
    if (!dir.isEmpty())
        return dir;
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

void say(const QString& text) {
    std::fprintf(stderr, "tarvic: %s\n", text.toLocal8Bit().constData());
}

// For automated runs (TARVIC_ECHO_PROMPTS=1): every message goes to standard output as
// "<kind>|<title>|<text>" (backslash, CR and LF escaped) instead of a box; questions get No.
class EchoPrompter : public Prompter {
public:
    void information(QWidget*, const QString& text, const QString& title) override { echo("information", title, text); }
    void critical(QWidget*, const QString& text, const QString& title) override { echo("critical", title, text); }
    void exclamation(QWidget*, const QString& text, const QString& title) override { echo("exclamation", title, text); }
    bool question(QWidget*, const QString& text, const QString& title) override {
        echo("question", title, text);
        return false;
    }

private:
    static void echo(const char* kind, const QString& title, QString text) {
        text.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
            .replace(QLatin1Char('\r'), QLatin1String("\\r"))
            .replace(QLatin1Char('\n'), QLatin1String("\\n"));
        std::printf("%s|%s|%s\n", kind, title.toUtf8().constData(), text.toUtf8().constData());
        std::fflush(stdout);
    }
};

// For automated runs (TARVIC_TRACE_WINDOWS=1): names each window as it is shown.
class WindowTracer : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow()) {
            std::printf("shown|%s\n", watched->objectName().toUtf8().constData());
            std::fflush(stdout);
        }
        return false;
    }
};

bool envFlag(const char* name) { return qEnvironmentVariableIntValue(name) == 1; }

// The one message for a data source that is missing or cannot be opened.
void connectionFailure(Prompter& prompter) {
    prompter.exclamation(nullptr,
                         QStringLiteral(" Data Source Name Does Not Exsist.Cannot Continue!!") +
                             QStringLiteral("\r\n") + QStringLiteral("Please, Check ODBC Data Source."),
                         QStringLiteral(" Connection Failure"));
}

// The embedded database set up for this user once asked and agreed; the logins it offers are named.
std::unique_ptr<Database> setUpForUser(Prompter& prompter, const ConnectionString& cs) {
    if (!prompter.question(nullptr, QStringLiteral("THERE IS NO DATABASE FOR THIS USER YET (NO DATA SOURCE %1).\r\n"
                                                   "CREATE THE EMBEDDED DATABASE WITH THE DEMO DATA IN\r\n%2 (Y/N) ?")
                                        .arg(cs.dsn, dataFolder()))) {
        connectionFailure(prompter);
        return nullptr;
    }
    try {
        const DatabaseInit done = setUpDatabase(cs, true, say);
        QString text =
            QStringLiteral(
                "THE EMBEDDED DATABASE IS READY ....\r\nLOG ON AS %1 WITH THE PASSWORD %2, "
                "AND CHANGE THE PASSWORD.")
                .arg(QString::fromLatin1(Migrations::kAdminName), QString::fromLatin1(Migrations::kAdminPassword));
        for (const DemoLogin& l : done.demo.logins)
            text += QStringLiteral("\r\nDEMO LOGIN %1, PASSWORD %2").arg(l.userName, l.password);
        prompter.information(nullptr, text);
        return std::make_unique<Database>(cs);
    } catch (const DbError& e) {
        say(e.message());
        prompter.exclamation(nullptr,
                             QStringLiteral("THE EMBEDDED DATABASE COULD NOT BE SET UP ....\r\n") + e.message());
        return nullptr;
    }
}

// Everything one run owns, alive until the event loop ends.
struct Run {
    std::unique_ptr<Prompter> prompter;
    std::unique_ptr<Database> db;
    Session session;
    SingleInstance instance;
    QPointer<QWidget> front;  // the window a second copy brings forward
};

void showLogon(Run& run, const WindowRegistry& registry) {
    auto* logon = new Logon(run.session);
    logon->setAttribute(Qt::WA_DeleteOnClose);
    logon->setInstanceCheck([&run] { return run.instance.anotherCopyRunning(); });
    QObject::connect(logon, &Logon::loggedOn, logon, [&run, &registry] {
        auto* main = new MainWindow(run.session, registry);
        main->setAttribute(Qt::WA_DeleteOnClose);
        // Closing the frame ends the program, whatever else was left open; logging off does not.
        const auto quits =
            QObject::connect(main, &QObject::destroyed, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        QObject::connect(main, &MainWindow::loggedOff, qApp, [&run, &registry, quits] {
            QObject::disconnect(quits);
            showLogon(run, registry);
        });
        run.front = main;
        main->showMaximized();
        QTimer::singleShot(0, main, &MainWindow::openAtLogon);
    });
    run.front = logon;
    if (!logon->start())
        QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

}  // namespace

SingleInstance::SingleInstance(const QString& dir, QObject* parent) : QObject(parent), dir_(lockDir(dir)) {}

SingleInstance::~SingleInstance() {
    if (server_)
        server_->close();
}

bool SingleInstance::anotherCopyRunning() {
    if (lock_ && lock_->isLocked())
        return false;
    QDir().mkpath(dir_);
    const QString lockPath = dir_ + QStringLiteral("/tarvic.lock");
    const QString socketPath = dir_ + QStringLiteral("/tarvic.socket");
    lock_ = std::make_unique<QLockFile>(lockPath);
    // A lock left by a copy that died is recognised by its process id and taken over.
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(0)) {
        QLocalSocket socket;
        socket.connectToServer(socketPath);
        if (socket.waitForConnected(1000)) {
            socket.write("raise\n");
            socket.waitForBytesWritten(1000);
            socket.disconnectFromServer();
        }
        return true;
    }
    QLocalServer::removeServer(socketPath);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* s = server_->nextPendingConnection()) {
            connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
            emit anotherCopyStarted();
        }
    });
    if (!server_->listen(socketPath))
        say(QStringLiteral("cannot listen on %1: %2").arg(socketPath, server_->errorString()));
    return false;
}

std::unique_ptr<Database> openDatabase(Prompter& prompter, const ConnectionString& cs) {
    // Asked before any connection is tried: unixODBC keeps what it looked up of a data source for
    // twenty seconds, so a failed attempt would hide the data source the set-up then defines.
    if (!dataSourceDefined(cs.dsn) && !QFileInfo::exists(embeddedDatabaseFile())) {
        say(QStringLiteral("data source %1 is not defined").arg(cs.dsn));
        return setUpForUser(prompter, cs);
    }
    try {
        return std::make_unique<Database>(cs);
    } catch (const DbError& e) {
        say(e.message());
        connectionFailure(prompter);
        return nullptr;
    }
}

bool prepareDatabase(Database& db, Prompter& prompter, const ConnectionString& cs) {
    try {
        if (!db.tableExists(QStringLiteral("SCHEMA_VERSION")) && db.tableExists(QStringLiteral("MST_LOGINDETAILS")))
            return true;
        const int found = Migrations(db).currentVersion();
        const int latest = Migrations::latestVersion();
        if (found > latest) {
            prompter.exclamation(nullptr,
                                 QStringLiteral("THE DATABASE IS OF SCHEMA VERSION %1, NEWER THAN THIS "
                                                "PROGRAM'S %2.\r\nPLEASE INSTALL THE NEWER VERSION OF TARVIC ....")
                                     .arg(found)
                                     .arg(latest));
            return false;
        }
        if (found == latest)
            return true;
        const SchemaUpgrade u = upgradeSchema(db, cs, dataFolder(), say);
        say(QStringLiteral("schema version %1 -> %2 (%3 scripts applied)").arg(u.from).arg(u.to).arg(u.applied));
        if (!u.backup.isEmpty())
            prompter.information(nullptr,
                                 QStringLiteral("THE DATABASE WAS BROUGHT UP TO DATE (SCHEMA VERSION %1 TO %2) ....\r\n"
                                                "ITS BACKUP: %3")
                                     .arg(u.from)
                                     .arg(u.to)
                                     .arg(u.backup));
        return true;
    } catch (const DbError& e) {
        say(e.message());
        prompter.exclamation(nullptr,
                             QStringLiteral("THE DATABASE COULD NOT BE BROUGHT UP TO DATE ....\r\n") + e.message());
        return false;
    }
}

int runProgram(QApplication& app, const WindowRegistry& registry, const StartOptions& options) {
    Run run;
    if (envFlag("TARVIC_ECHO_PROMPTS"))
        run.prompter = std::make_unique<EchoPrompter>();
    else
        run.prompter = std::make_unique<BoxPrompter>();
    run.session.prompter = run.prompter.get();
    run.session.windows = &registry;
    {
        // The installed emblem; a painted one when the program runs from its build folder.
        QPixmap icon(64, 64);
        QPainter p(&icon);
        Splash::paintPicture(p, icon.rect());
        p.end();
        QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.tarvic.Tarvic"), QIcon(icon)));
    }
    WindowTracer tracer;
    if (envFlag("TARVIC_TRACE_WINDOWS"))
        app.installEventFilter(&tracer);

    run.db = openDatabase(*run.prompter);
    if (!run.db || !prepareDatabase(*run.db, *run.prompter))
        return 1;
    run.session.db = run.db.get();

    QObject::connect(&run.instance, &SingleInstance::anotherCopyStarted, &app, [&run] {
        if (QWidget* w = run.front) {
            if (w->isMinimized())
                w->showNormal();
            w->raise();
            w->activateWindow();
        }
    });

    if (options.splash) {
        auto* splash = new Splash;
        splash->setAttribute(Qt::WA_DeleteOnClose);
        // The logon appears before the splash goes, so the program never runs out of windows.
        QObject::connect(splash, &Splash::timeUp, splash, [&run, &registry, splash] {
            showLogon(run, registry);
            splash->close();
        });
        run.front = splash;
        splash->show();
    } else {
        showLogon(run, registry);
    }
    const int code = app.exec();
    // Windows go before the connection they use.
    QList<QPointer<QWidget>> left;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->parentWidget())
            left << w;
    }
    for (const QPointer<QWidget>& w : left)
        delete w.data();
    return code;
}

}  // namespace tarvic
