// The real program, run as its own process: a missing data source, an empty database set up
// at first start, the splash handing over to the logon, and the second copy refused.
#include "support/TestDb.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace tarvic;
using namespace tarvic::test;

class TestStartUp : public QObject {
    Q_OBJECT

    QString program_;
    QTemporaryDir runtime_;

    QProcessEnvironment environment(const QString& odbcDir, bool splash) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ODBCINI"), odbcDir + QStringLiteral("/odbc.ini"));
        env.insert(QStringLiteral("ODBCSYSINI"), odbcDir);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
        env.insert(QStringLiteral("TARVIC_ECHO_PROMPTS"), QStringLiteral("1"));
        env.insert(QStringLiteral("TARVIC_TRACE_WINDOWS"), QStringLiteral("1"));
        if (splash)
            env.remove(QStringLiteral("TARVIC_NO_SPLASH"));
        else
            env.insert(QStringLiteral("TARVIC_NO_SPLASH"), QStringLiteral("1"));
        return env;
    }

    // Reads the program's output until a line appears (or the time runs out).
    static bool waitForLine(QProcess& p, QStringList& lines, const QString& wanted, int ms) {
        QElapsedTimer clock;
        clock.start();
        while (!lines.contains(wanted) && clock.elapsed() < ms) {
            p.waitForReadyRead(200);
            while (p.canReadLine())
                lines << QString::fromUtf8(p.readLine()).chopped(1);
            if (p.state() == QProcess::NotRunning && !p.canReadLine())
                break;
        }
        return lines.contains(wanted);
    }

    static QStringList allLines(QProcess& p) {
        return QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

private slots:
    void initTestCase() {
        program_ = qEnvironmentVariable("TARVIC_BIN_DIR") + QStringLiteral("/src/tarvic");
        QVERIFY2(QFile::exists(program_), qPrintable(program_ + QStringLiteral(" is not built")));
        QVERIFY(runtime_.isValid());
    }

    void missingDataSourceEndsWithOneMessage() {
        QTemporaryDir odbc;
        for (const char* f : {"/odbc.ini", "/odbcinst.ini"}) {
            QFile file(odbc.path() + QLatin1String(f));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QProcess p;
        p.setProcessEnvironment(environment(odbc.path(), true));
        p.start(program_, {});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QVERIFY(p.exitCode() != 0);
        // Exactly one message, its two lines joined by CR LF, and no window at all.
        QCOMPARE(allLines(p), QStringList{QStringLiteral(
                                  "exclamation| Connection Failure| Data Source Name Does Not Exsist.Cannot "
                                  "Continue!!\\r\\nPlease, Check ODBC Data Source.")});
    }

    void firstStartSetsUpTheDatabaseAndSecondCopyIsRefused() {
        TestDb t(false);
        QVERIFY(!t.db().tableExists(QStringLiteral("SCHEMA_VERSION")));
        // The program's own data source: the test's, pointed at this test's database.
        QTemporaryDir odbc;
        QFile testIni(qEnvironmentVariable("ODBCINI"));
        QVERIFY(testIni.open(QIODevice::ReadOnly));
        QStringList ini = QString::fromUtf8(testIni.readAll()).split(QLatin1Char('\n'));
        for (QString& line : ini) {
            if (line.startsWith(QLatin1String("Database=")))
                line = t.connectionString().overrides;
        }
        QFile own(odbc.path() + QStringLiteral("/odbc.ini"));
        QVERIFY(own.open(QIODevice::WriteOnly));
        own.write(ini.join(QLatin1Char('\n')).toUtf8());
        own.close();
        QVERIFY(QFile::copy(qEnvironmentVariable("ODBCSYSINI") + QStringLiteral("/odbcinst.ini"),
                            odbc.path() + QStringLiteral("/odbcinst.ini")));

        QProcess first;
        first.setProcessEnvironment(environment(odbc.path(), true));
        first.start(program_, {});
        QStringList lines;
        QVERIFY2(waitForLine(first, lines, QStringLiteral("shown|frm_Splash"), 60000), qPrintable(lines.join('\n')));
        QElapsedTimer splashShown;
        splashShown.start();
        QVERIFY2(waitForLine(first, lines, QStringLiteral("shown|frm_logon"), 40000),
                 qPrintable(lines.join('\n') + QString::fromUtf8(first.readAllStandardError())));
        QVERIFY2(splashShown.elapsed() >= 9000, qPrintable(QString::number(splashShown.elapsed())));
        QCOMPARE(lines, (QStringList{QStringLiteral("shown|frm_Splash"), QStringLiteral("shown|frm_logon")}));

        QVERIFY(t.db().tableExists(QStringLiteral("SCHEMA_VERSION")));
        QCOMPARE(t.db().scalar(QStringLiteral("SELECT USER_NAME FROM MST_LOGINDETAILS WHERE LOGIN_ID=1")).toString(),
                 QStringLiteral("ADMIN"));
        QCOMPARE(t.db().scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_MENUDETAILS")).toInt(), 115);

        QProcess second;
        second.setProcessEnvironment(environment(odbc.path(), false));
        second.start(program_, {});
        QVERIFY(second.waitForFinished(30000));
        QCOMPARE(allLines(second), QStringList{QStringLiteral("information|Morvane|Program is already running.")});
        QCOMPARE(second.exitCode(), 0);

        QVERIFY(first.state() == QProcess::Running);
        first.kill();
        QVERIFY(first.waitForFinished(10000));
    }
};

QTEST_MAIN(TestStartUp)
#include "tst_startup.moc"
