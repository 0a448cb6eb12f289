// A process saving documents is killed (SIGKILL) at random moments, again and again, on one
// SQLite file. After every kill the books must be whole: no receipt without its second side,
// counters at the highest number, everything reported as saved still there, and
// `tarvic-admin check` content.
#include "support/AdminRunner.h"
#include "support/Drive.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

using namespace tarvic;
using namespace tarvic::test;
using namespace Qt::StringLiterals;

class TstCrash : public QObject {
    Q_OBJECT
private slots:
    void killedPosterLeavesWholeBooks() {
        if (TestDb::usePostgres())
            QSKIP("the crash test runs on SQLite");
        TestDb t;
        Database& db = t.db();
        QRandomGenerator rng(QRandomGenerator::system()->generate());
        constexpr int kKills = 200;
        int announced = 0, killsMidStream = 0;
        for (int round = 1; round <= kKills; ++round) {
            QProcess poster;
            poster.start(QStringLiteral(TARVIC_CRASH_POSTER), {u"--set"_s, t.connectionString().overrides});
            QVERIFY2(poster.waitForStarted(10000), qPrintable(poster.errorString()));
            // Most kills are timed from the moment the poster is connected, so that they land
            // among the saves; the rest from its start, so that some hit the opening itself.
            while (round % 4 != 0 && !poster.canReadLine())
                QVERIFY2(poster.waitForReadyRead(10000),
                         qPrintable(QString::fromLocal8Bit(poster.readAllStandardError())));
            QThread::msleep(rng.bounded(5, 151));
            poster.kill();
            QVERIFY(poster.waitForFinished(10000));
            QVERIFY2(poster.exitStatus() == QProcess::CrashExit,
                     qPrintable(u"round %1: the poster stopped by itself: %2"_s.arg(round).arg(
                         QString::fromLocal8Bit(poster.readAllStandardError()))));

            // What the poster reported was committed before it printed it: it must have survived.
            // Only whole lines count: the kill may cut the last one.
            QString out = QString::fromLatin1(poster.readAllStandardOutput());
            out.truncate(out.lastIndexOf(QLatin1Char('\n')) + 1);
            int posted = 0;
            for (const QString& line : out.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
                const QStringList parts = line.split(QLatin1Char(' '));
                if (parts.size() != 2) {
                    QCOMPARE(line, u"ready"_s);
                    continue;
                }
                ++posted;
                QCOMPARE(
                    count(db, u"M_TBL_TRANSACTION"_s, u"DOC_CODE=? AND DOC_NO=?"_s, {parts[0], parts[1].toLongLong()}),
                    1);
            }
            announced += posted;
            killsMidStream += posted > 0;
            // Every counter stands at its highest number: no number lost, none to be handed out twice.
            for (const QString& code : {u"FRDB01"_s, u"CBPT01"_s})
                QCOMPARE(counter(db, code),
                         db.scalar(u"SELECT COALESCE(MAX(DOC_NO), 0) FROM M_TBL_TRANSACTION WHERE DOC_CODE=?"_s, {code})
                             .toLongLong());
            // The books check also finds any receipt left without its second side.
            const AdminRun check = runAdmin(t, {u"check"_s});
            QVERIFY2(check.code == 0, qPrintable(u"round %1: %2"_s.arg(round).arg(check.describe())));
        }
        qInfo("%d kills, %d of them while documents were being saved; %d documents reported saved", kKills,
              killsMidStream, announced);
        QVERIFY(killsMidStream > 0);  // the kills must have hit a working poster, or nothing was tested
    }
};

QTEST_GUILESS_MAIN(TstCrash)
#include "tst_crash.moc"
