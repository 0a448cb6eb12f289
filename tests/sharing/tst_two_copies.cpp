// Two copies of the program, each with its own connection, save new parties through the
// party window in the same instant, many times over: every party is stored exactly once,
// under a code of its own, and every success a copy reported names a row that exists.
#include "support/TestDb.h"

#include <QProcess>
#include <QtTest>

using namespace tarvic;
using namespace tarvic::test;

namespace {
constexpr int kParties = 60;
const QString kSaved = QStringLiteral("UPDATION OF PARTY SUCCESSFULLY DONE ...");
}  // namespace

class tst_two_copies : public QObject {
    Q_OBJECT
private slots:
    void partiesSavedAtOnceAreEachStoredOnce() {
        TestDb t;
        Database& db = t.db();
        db.exec(QStringLiteral("INSERT INTO M_TBL_PARTYTYPE (PARTYTYPE_CODE, PARTY_TYPE) VALUES (1, 'AGENT')"));
        db.exec(QStringLiteral("INSERT INTO M_TBL_CSP_COUNTRY (COUNTRY_CODE, COUNTRY_NAME) VALUES (1, 'INDIA')"));
        db.exec(QStringLiteral("INSERT INTO M_TBL_CSP_STATE (COUNTRY_CODE, STATE_CODE, STATE_NAME) VALUES (1, 10, 'KERALA')"));
        db.exec(QStringLiteral("INSERT INTO M_TBL_CSP_PLACE (COUNTRY_CODE, STATE_CODE, PLACE_CODE, PLACE_NAME) "
                               "VALUES (1, 10, 100, 'KOCHI')"));

        const QStringList copies{QStringLiteral("FIRST COPY"), QStringLiteral("SECOND COPY")};
        std::vector<std::unique_ptr<QProcess>> procs;
        for (const QString& name : copies) {
            auto p = std::make_unique<QProcess>();
            p->start(QStringLiteral(TARVIC_PARTY_POSTER), {QStringLiteral("--set"), t.connectionString().overrides,
                                                           QStringLiteral("--count"), QString::number(kParties),
                                                           QStringLiteral("--name"), name});
            QVERIFY2(p->waitForStarted(10000), qPrintable(p->errorString()));
            while (!p->canReadLine())
                QVERIFY2(p->waitForReadyRead(30000), qPrintable(QString::fromLocal8Bit(p->readAllStandardError())));
            QCOMPARE(p->readLine().trimmed(), QByteArray("ready"));
            procs.push_back(std::move(p));
        }
        for (auto& p : procs)
            p->write("go\n");

        QHash<qint64, QString> reported;  // code -> copy that reported it saved
        for (int i = 0; i < procs.size(); ++i) {
            QProcess& p = *procs[i];
            QVERIFY2(p.waitForFinished(240000), "a copy did not finish");
            QVERIFY2(p.exitCode() == 0, qPrintable(QString::fromLocal8Bit(p.readAllStandardError())));
            const QList<QByteArray> lines = p.readAllStandardOutput().trimmed().split('\n');
            QCOMPARE(lines.size(), kParties);
            for (const QByteArray& line : lines) {
                const auto [code, message] = std::pair{line.left(line.indexOf('|')).toLongLong(),
                                                       QString::fromUtf8(line.mid(line.indexOf('|') + 1))};
                QCOMPARE(message, kSaved);
                QVERIFY2(!reported.contains(code), qPrintable(QStringLiteral("code %1 reported twice").arg(code)));
                reported.insert(code, copies[i]);
            }
        }

        // Each reported code holds the party of the copy that reported it, and nothing else was stored.
        QCOMPARE(db.scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_PARTY")).toInt(), 2 * kParties);
        QCOMPARE(db.scalar(QStringLiteral("SELECT COUNT(DISTINCT PARTY_NAME) FROM M_TBL_PARTY")).toInt(), 2 * kParties);
        for (auto it = reported.cbegin(); it != reported.cend(); ++it) {
            const QString name = db.scalar(QStringLiteral("SELECT PARTY_NAME FROM M_TBL_PARTY WHERE PARTY_CODE=?"), {it.key()}).toString();
            QVERIFY2(name.startsWith(it.value() + QLatin1Char(' ')), qPrintable(QStringLiteral("%1: %2").arg(it.key()).arg(name)));
        }
        QCOMPARE(db.scalar(QStringLiteral("SELECT COUNTER FROM MST_COUNTER WHERE CODE='PARTY'")).toLongLong(),
                 db.scalar(QStringLiteral("SELECT MAX(PARTY_CODE) FROM M_TBL_PARTY")).toLongLong());
    }
};

QTEST_GUILESS_MAIN(tst_two_copies)
#include "tst_two_copies.moc"
