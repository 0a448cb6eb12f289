// A process saving documents is killed (SIGKILL) at random moments, again and again, on one
// SQLite file. After every kill the books must be whole: no receipt without its second side,
// counters at the highest number, everything reported as saved still there, and
// `tarvic-admin check` content.
#include "support/AdminRunner.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <QtTest>

using namespace tarvic;
using namespace tarvic::test;

namespace {

constexpr int kKills = 200;

}  // namespace

class TstCrash : public QObject {
    Q_OBJECT
private slots:
    void killedPosterLeavesWholeBooks();
};

void TstCrash::killedPosterLeavesWholeBooks() {
    if (TestDb::usePostgres())
        QSKIP("the crash test runs on SQLite");
    TestDb t;
    Database& db = t.db();
    const QString overrides = t.connectionString().overrides;
    QRandomGenerator rng(QRandomGenerator::system()->generate());

    qint64 announcedTotal = 0;
    int killsMidStream = 0;
    for (int round = 1; round <= kKills; ++round) {
        QProcess poster;
        poster.start(QStringLiteral(TARVIC_CRASH_POSTER), {QStringLiteral("--set"), overrides});
        QVERIFY2(poster.waitForStarted(10000), qPrintable(poster.errorString()));
        // Most kills are timed from the moment the poster is connected, so that they land
        // among the saves; the rest from its start, so that some hit the opening itself.
        if (round % 4 != 0) {
            while (!poster.canReadLine())
                QVERIFY2(poster.waitForReadyRead(10000),
                         qPrintable(QString::fromLocal8Bit(poster.readAllStandardError())));
            QCOMPARE(poster.readLine().trimmed(), QByteArray("ready"));
        }
        QThread::msleep(rng.bounded(5, 151));
        poster.kill();
        QVERIFY(poster.waitForFinished(10000));
        const QString err = QString::fromLocal8Bit(poster.readAllStandardError());
        QVERIFY2(poster.exitStatus() == QProcess::CrashExit,
                 qPrintable(QStringLiteral("round %1: the poster stopped by itself: %2").arg(round).arg(err)));

        // What the poster reported was committed before it printed it: it must have survived.
        // Only whole lines count: the kill may cut the last one.
        QString out = QString::fromLatin1(poster.readAllStandardOutput());
        out.truncate(out.lastIndexOf(QLatin1Char('\n')) + 1);
        const QStringList saved = out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (const QString& line : saved) {
            const QStringList parts = line.split(QLatin1Char(' '));
            if (parts.size() != 2)
                continue;  // "ready"
            QCOMPARE(db.scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_TRANSACTION WHERE DOC_CODE=? AND DOC_NO=?"),
                               {parts[0], parts[1].toLongLong()}).toInt(),
                     1);
        }
        const auto posted = std::count_if(saved.begin(), saved.end(), [](const QString& l) { return l != QLatin1String("ready"); });
        announcedTotal += posted;
        killsMidStream += posted > 0 ? 1 : 0;

        // Every counter stands at its highest number: no number lost, none to be handed out twice.
        for (const QString& code : {QStringLiteral("FRDB01"), QStringLiteral("CBPT01")}) {
            const QVariant highest = db.scalar(QStringLiteral("SELECT MAX(DOC_NO) FROM M_TBL_TRANSACTION WHERE DOC_CODE=?"), {code});
            const QVariant counter = db.scalar(QStringLiteral("SELECT COUNTER FROM MST_COUNTER WHERE CODE=?"), {code});
            QCOMPARE(counter.isNull() ? 0 : counter.toLongLong(), highest.isNull() ? 0 : highest.toLongLong());
        }

        // The books check also finds any receipt left without its second side.
        const AdminRun check = runAdmin(t, {QStringLiteral("check")});
        QVERIFY2(check.code == 0, qPrintable(QStringLiteral("round %1: %2").arg(round).arg(check.describe())));
    }
    const qint64 receipts = db.scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_TRANSACTION WHERE DOC_CODE='FRDB01'")).toLongLong();
    qInfo("%d kills, %d of them while documents were being saved; %lld documents reported saved, %lld receipts stored",
          kKills, killsMidStream, announcedTotal, receipts);
    // The kills must have hit a working poster, or nothing was tested.
    QVERIFY(killsMidStream > 0);
}

QTEST_GUILESS_MAIN(TstCrash)
#include "tst_crash.moc"
