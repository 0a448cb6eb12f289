// The TARVIC program: builds the registry of task windows from the subsystem libraries,
// then hands over to the start routine.
#include "app/AllWindows.h"
#include "app/DataFolder.h"
#include "data/PrivateFiles.h"
#include "shell/StartUp.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char** argv) {
    // Before anything is written or connected: every file the program creates (the embedded
    // database, its journal, exports, pages, PDFs) is its user's alone, and the driver's logs
    // stay off.
    tarvic::keepFilesPrivate();
    // Every moment read from the database becomes a local QDateTime through the C library, which,
    // with TZ unset, looks at /etc/localtime again for each one (a file system call per cell of a
    // ledger). Naming the same zone once lets it read the file once.
    if (!qEnvironmentVariableIsSet("TZ"))
        qputenv("TZ", ":/etc/localtime");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tarvic"));
    QApplication::setApplicationVersion(QStringLiteral("1.0.0"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "TARVIC tour operator back office.\n"
        "Connects to the ODBC data source TARVIC, shows the splash for ten seconds, then the logon.\n"
        "An empty database is set up with the schema and a first administrator (ADMIN).\n\n"
        "Environment:\n"
        "  TARVIC_NO_SPLASH=1      skip the splash window (same as --no-splash)\n"
        "  TARVIC_ECHO_PROMPTS=1   print messages to standard output instead of showing boxes\n"
        "                          (for automated runs; questions are answered No)\n"
        "  TARVIC_TRACE_WINDOWS=1  print the name of every window as it is shown\n"
        "  ODBCINI, ODBCSYSINI     where unixODBC finds the data source definitions"));
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption noSplash(QStringLiteral("no-splash"), QStringLiteral("Go straight to the logon window."));
    parser.addOption(noSplash);
    parser.process(app);

    // Before the embedded database is opened: it and its journal are the owner's alone.
    tarvic::makeDataFolderPrivate();

    tarvic::WindowRegistry registry;
    tarvic::registerAllWindows(registry);

    tarvic::StartOptions options;
    options.splash = !parser.isSet(noSplash) && qEnvironmentVariableIntValue("TARVIC_NO_SPLASH") != 1;
    return tarvic::runProgram(app, registry, options);
}
