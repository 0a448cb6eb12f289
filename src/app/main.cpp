// The TARVIC program: builds the registry of task windows from the subsystem libraries,
// then hands over to the start routine.
#include "app/AllWindows.h"
#include "engine/admin/DatabaseSetup.h"
#include "data/PrivateFiles.h"
#include "shell/StartUp.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstring>

#ifndef TARVIC_VERSION
#define TARVIC_VERSION "1.0.0"
#endif

namespace {

// What --help prints; the manual page is made from it, so the two cannot disagree. Returns the
// option that skips the splash.
QCommandLineOption describe(QCommandLineParser& parser) {
    parser.setApplicationDescription(QStringLiteral(
        "TARVIC tour operator back office.\n"
        "Connects to the ODBC data source TARVIC, shows the splash for ten seconds, then the logon.\n"
        "A user who has neither the data source nor the embedded database is offered the embedded\n"
        "database (the same set-up as tarvic-admin setup, demo data included). An empty database is\n"
        "set up with the schema and a first administrator (ADMIN); an older one is backed up beside\n"
        "itself and brought up to date; one newer than the program is refused.\n\n"
        "Environment:\n"
        "  TARVIC_NO_SPLASH=1      skip the splash window (same as --no-splash)\n"
        "  TARVIC_ECHO_PROMPTS=1   print messages to standard output instead of showing boxes\n"
        "                          (for automated runs; questions are answered No)\n"
        "  TARVIC_TRACE_WINDOWS=1  print the name of every window as it is shown\n"
        "  ODBCINI, ODBCSYSINI     where unixODBC finds the data source definitions\n"
        "  XDG_DATA_HOME           holds tarvic/tarvic.db, the embedded database (default ~/.local/share)"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption noSplash(QStringLiteral("no-splash"), QStringLiteral("Go straight to the logon window."));
    parser.addOption(noSplash);
    return noSplash;
}

// --help and --version answer on a terminal without a display.
bool onlyText(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        for (const char* flag : {"-h", "--help", "-?", "--help-all", "-v", "--version"})
            if (std::strcmp(argv[i], flag) == 0)
                return true;
    }
    return false;
}

void name(QCoreApplication& app) {
    app.setApplicationName(QStringLiteral("tarvic"));
    app.setApplicationVersion(QStringLiteral(TARVIC_VERSION));
}

}  // namespace

int main(int argc, char** argv) {
    // Before anything is written or connected: every file the program creates (the embedded
    // database, its journal, exports, pages, PDFs) is its user's alone, and the driver's logs
    // stay off.
    tarvic::keepFilesPrivate();
    if (onlyText(argc, argv)) {
        QCoreApplication app(argc, argv);
        name(app);
        QCommandLineParser parser;
        describe(parser);
        parser.process(app);
        return 0;
    }
    // Every moment read from the database becomes a local QDateTime through the C library, which,
    // with TZ unset, looks at /etc/localtime again for each one (a file system call per cell of a
    // ledger). Naming the same zone once lets it read the file once.
    if (!qEnvironmentVariableIsSet("TZ"))
        qputenv("TZ", ":/etc/localtime");
    QApplication app(argc, argv);
    name(app);
    // The desktop entry this window belongs to, for the task bar's icon.
    QApplication::setDesktopFileName(QStringLiteral("org.tarvic.Tarvic"));

    QCommandLineParser parser;
    const QCommandLineOption noSplash = describe(parser);
    parser.process(app);

    // Before the embedded database is opened: it and its journal are the owner's alone.
    tarvic::makeDataFolderPrivate();

    tarvic::WindowRegistry registry;
    tarvic::registerAllWindows(registry);

    tarvic::StartOptions options;
    options.splash = !parser.isSet(noSplash) && qEnvironmentVariableIntValue("TARVIC_NO_SPLASH") != 1;
    return tarvic::runProgram(app, registry, options);
}
