// The real program, run as its own process: a missing data source, an empty database set up
// at first start, the splash handing over to the logon, and the second copy refused.
#include "shell/Splash.h"
#include "support/TestDb.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace tarvic;
using namespace tarvic::test;
using namespace Qt::StringLiterals;

class TestStartUp : public QObject {
    Q_OBJECT

    QString program_ = qEnvironmentVariable("TARVIC_BIN_DIR") + u"/src/tarvic"_s;
    QTemporaryDir runtime_;

    // Starts the program with its own data sources, its prompts and shown windows echoed.
    void start(QProcess& p, const QString& odbcDir, bool splash) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"ODBCINI"_s, odbcDir + u"/odbc.ini"_s);
        env.insert(u"ODBCSYSINI"_s, odbcDir);
        env.insert(u"XDG_RUNTIME_DIR"_s, runtime_.path());
        env.insert(u"TARVIC_ECHO_PROMPTS"_s, u"1"_s);
        env.insert(u"TARVIC_TRACE_WINDOWS"_s, u"1"_s);
        if (splash)
            env.remove(u"TARVIC_NO_SPLASH"_s);
        p.setProcessEnvironment(env);
        p.start(program_, {});
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
        return QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    }

private slots:
    void initTestCase() {
        QVERIFY2(QFile::exists(program_), qPrintable(program_ + u" is not built"_s));
        QVERIFY(runtime_.isValid());
    }

    void missingDataSourceEndsWithOneMessage() {
        QTemporaryDir odbc;
        for (const char* f : {"/odbc.ini", "/odbcinst.ini"})
            QVERIFY(QFile(odbc.path() + QLatin1String(f)).open(QIODevice::WriteOnly));
        QProcess p;
        start(p, odbc.path(), true);
        QVERIFY(p.waitForFinished(30000));
        QVERIFY(p.exitStatus() == QProcess::NormalExit && p.exitCode() != 0);
        // Exactly one message, its two lines joined by CR LF, and no window at all.
        QCOMPARE(allLines(p), QStringList{u"exclamation| Connection Failure| Data Source Name Does Not Exsist.Cannot "
                                          "Continue!!\\r\\nPlease, Check ODBC Data Source."_s});
    }

    void firstStartSetsUpTheDatabaseAndSecondCopyIsRefused() {
        TestDb t(false);
        QVERIFY(!t.db().tableExists(u"SCHEMA_VERSION"_s));
        // The program's own data source: the test's, pointed at this test's database.
        QTemporaryDir odbc;
        QFile testIni(qEnvironmentVariable("ODBCINI"));
        QVERIFY(testIni.open(QIODevice::ReadOnly));
        QStringList ini = QString::fromUtf8(testIni.readAll()).split('\n');
        for (QString& line : ini)
            if (line.startsWith("Database="_L1))
                line = t.connectionString().overrides;
        QFile own(odbc.path() + u"/odbc.ini"_s);
        QVERIFY(own.open(QIODevice::WriteOnly));
        own.write(ini.join('\n').toUtf8());
        own.close();
        QVERIFY(QFile::copy(qEnvironmentVariable("ODBCSYSINI") + u"/odbcinst.ini"_s, odbc.path() + u"/odbcinst.ini"_s));
        QProcess first;
        start(first, odbc.path(), true);
        QStringList lines;
        QVERIFY2(waitForLine(first, lines, u"shown|frm_Splash"_s, 60000), qPrintable(lines.join('\n')));
        QElapsedTimer splashShown;
        splashShown.start();
        QVERIFY2(waitForLine(first, lines, u"shown|frm_logon"_s, 40000),
                 qPrintable(lines.join('\n') + QString::fromUtf8(first.readAllStandardError())));
        QVERIFY2(splashShown.elapsed() >= 9000, qPrintable(QString::number(splashShown.elapsed())));
        QCOMPARE(lines, (QStringList{u"shown|frm_Splash"_s, u"shown|frm_logon"_s}));
        QCOMPARE(t.db().scalar(u"SELECT USER_NAME FROM MST_LOGINDETAILS WHERE LOGIN_ID=1"_s).toString(), u"ADMIN"_s);
        QCOMPARE(t.db().scalar(u"SELECT COUNT(*) FROM M_TBL_MENUDETAILS"_s).toInt(), 115);
        QProcess second;
        start(second, odbc.path(), false);
        QVERIFY(second.waitForFinished(30000));
        QCOMPARE(allLines(second), QStringList{u"information|Morvane|Program is already running."_s});
        QCOMPARE(second.exitCode(), 0);
        QVERIFY(first.state() == QProcess::Running);
        first.kill();
        QVERIFY(first.waitForFinished(10000));
    }

    // The splash hands over once, when its ten seconds are up.
    void splashHandsOverOnce() {
        Splash s;
        QTimer* t = s.findChild<QTimer*>(QStringLiteral("Timer1"));
        QVERIFY(t && t->isSingleShot() && t->isActive());
        QCOMPARE(t->interval(), 10000);
        QSignalSpy spy(&s, &Splash::timeUp);
        s.Timer1_Timer();
        QCOMPARE(spy.count(), 1);
        QVERIFY(!t->isActive());
    }
};

QTEST_MAIN(TestStartUp)
#include "tst_startup.moc"
