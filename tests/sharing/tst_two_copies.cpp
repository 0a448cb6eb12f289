// The database shared with others. Two copies of the program, each with its own connection,
// save new parties through the party window in the same instant, many times over: every party
// is stored exactly once, under a code of its own, and every success a copy reported names a
// row that exists. The embedded database's files shared with whatever else opens them: other
// code of this process (a file dialog listing the database's folder reads the files it lists),
// another program connecting and disconnecting, a restore copied over the file. No saved row
// may be lost, and a save that cannot reach the file is never reported as done.
#include "shell/Prompter.h"
#include "shell/kit/ExpXls.h"
#include "support/Drive.h"
#include "support/TestDb.h"

#include <QFileDialog>
#include <QProcess>
#include <QStandardItemModel>

using namespace tarvic;
using namespace tarvic::test;
using namespace Qt::StringLiterals;

namespace {

constexpr int kParties = 60;

// What another program sees in the file: the sqlite3 shell's answer.
QString shell(const QString& path, const QString& sql) {
    QProcess p;
    p.start(u"sqlite3"_s, {path, sql});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return u"sqlite3 failed: "_s + QString::fromLocal8Bit(p.readAllStandardError());
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

void saveCountry(Database& db, int code, const QString& name) {
    db.transact([&] {
        db.exec(u"INSERT INTO M_TBL_CSP_COUNTRY (COUNTRY_CODE, COUNTRY_NAME) VALUES (?, ?)"_s, {code, name});
    });
}

const QString kNames = u"SELECT COUNTRY_NAME FROM M_TBL_CSP_COUNTRY ORDER BY 1"_s;

}  // namespace

class tst_two_copies : public QObject {
    Q_OBJECT
private slots:
    void init() {
        if (TestDb::usePostgres() && qstrcmp(QTest::currentTestFunction(), "partiesSavedAtOnceAreEachStoredOnce"))
            QSKIP("the embedded database's files only");
    }

    void partiesSavedAtOnceAreEachStoredOnce() {
        TestDb t;
        Database& db = t.db();
        db.exec(u"INSERT INTO M_TBL_PARTYTYPE (PARTYTYPE_CODE, PARTY_TYPE) VALUES (1, 'AGENT')"_s);
        db.exec(u"INSERT INTO M_TBL_CSP_COUNTRY (COUNTRY_CODE, COUNTRY_NAME) VALUES (1, 'INDIA')"_s);
        db.exec(u"INSERT INTO M_TBL_CSP_STATE (COUNTRY_CODE, STATE_CODE, STATE_NAME) VALUES (1, 10, 'KERALA')"_s);
        db.exec(
            u"INSERT INTO M_TBL_CSP_PLACE (COUNTRY_CODE, STATE_CODE, PLACE_CODE, PLACE_NAME) VALUES (1, 10, 100, 'KOCHI')"_s);
        const QStringList copies{u"FIRST COPY"_s, u"SECOND COPY"_s};
        std::vector<std::unique_ptr<QProcess>> procs;
        for (const QString& name : copies) {
            auto& p = *procs.emplace_back(std::make_unique<QProcess>());
            p.start(QStringLiteral(TARVIC_PARTY_POSTER),
                    {t.connectionString().overrides, QString::number(kParties), name});
            QVERIFY2(p.waitForStarted(10000), qPrintable(p.errorString()));
            while (!p.canReadLine())
                QVERIFY2(p.waitForReadyRead(30000), qPrintable(QString::fromLocal8Bit(p.readAllStandardError())));
            QCOMPARE(p.readLine().trimmed(), QByteArray("ready"));
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
                const qint64 code = line.left(line.indexOf('|')).toLongLong();
                QCOMPARE(QString::fromUtf8(line.mid(line.indexOf('|') + 1)),
                         u"UPDATION OF PARTY SUCCESSFULLY DONE ..."_s);
                QVERIFY2(!reported.contains(code), qPrintable(u"code %1 reported twice"_s.arg(code)));
                reported.insert(code, copies[i]);
            }
        }
        // Each reported code holds the party of the copy that reported it, and nothing else was stored.
        QCOMPARE(db.scalar(u"SELECT COUNT(DISTINCT PARTY_NAME) FROM M_TBL_PARTY"_s).toInt(), 2 * kParties);
        QCOMPARE(count(db, u"M_TBL_PARTY"_s), 2 * kParties);
        for (auto it = reported.cbegin(); it != reported.cend(); ++it) {
            const QString name =
                db.scalar(u"SELECT PARTY_NAME FROM M_TBL_PARTY WHERE PARTY_CODE=?"_s, {it.key()}).toString();
            QVERIFY2(name.startsWith(it.value() + QLatin1Char(' ')), qPrintable(u"%1: %2"_s.arg(it.key()).arg(name)));
        }
        QCOMPARE(counter(db, u"PARTY"_s), db.scalar(u"SELECT MAX(PARTY_CODE) FROM M_TBL_PARTY"_s).toLongLong());
    }

    // Files opened and closed in this process, another program reading, then a file dialog
    // left open on the database's folder until it has listed its files: no save is lost.
    void savesSurviveFilesOpenedElsewhereAndFailOnAReplacedFile() {
        TestDb t;
        saveCountry(t.db(), 1, u"BEFORE"_s);
        for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
            QFile f(t.sqlitePath() + QLatin1String(suffix));
            if (f.open(QIODevice::ReadOnly))
                f.read(100);
        }
        QCOMPARE(shell(t.sqlitePath(), u"SELECT COUNT(*) FROM M_TBL_CSP_COUNTRY"_s), u"1"_s);
        saveCountry(t.db(), 2, u"LOSTLAND"_s);
        QCOMPARE(shell(t.sqlitePath(), kNames), u"BEFORE\nLOSTLAND"_s);
        auto fresh = t.connect(u"fresh"_s);
        QCOMPARE(count(*fresh, u"M_TBL_CSP_COUNTRY"_s, u"COUNTRY_NAME='LOSTLAND'"_s), 1);

        // The real save dialog, messages recorded.
        struct DialogPrompter : ScriptedPrompter {
            QString askSavePath(QWidget* parent, const QString& title, const QString& filters, const QString& suggested,
                                QString* chosen) override {
                return BoxPrompter().askSavePath(parent, title, filters, suggested, chosen);
            }
        } prompter;
        QStandardItemModel grid(1, 1);
        bool listed = false;
        QTimer poll;
        QElapsedTimer shown;
        connect(&poll, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (dialog && !shown.isValid()) {
                dialog->setDirectory(t.dir());
                shown.start();
            } else if (dialog && shown.elapsed() > 1500) {
                listed = true;
                QTest::keyClick(dialog, Qt::Key_Escape);
            }
        });
        poll.start(50);
        Exp_Xls(nullptr, &grid, prompter);
        poll.stop();
        QVERIFY(listed && prompter.messages.isEmpty());
        QCOMPARE(shell(t.sqlitePath(), kNames), u"BEFORE\nLOSTLAND"_s);
        saveCountry(t.db(), 3, u"THIRDLAND"_s);
        QCOMPARE(shell(t.sqlitePath(), kNames), u"BEFORE\nLOSTLAND\nTHIRDLAND"_s);
        // A restore copied over the running program's file: the save fails and says why, and
        // the restored file is not touched.
        const QString copy = t.dir() + u"/restored.db"_s;
        QVERIFY(QFile::copy(t.sqlitePath(), copy));
        QVERIFY(::rename(QFile::encodeName(copy).constData(), QFile::encodeName(t.sqlitePath()).constData()) == 0);
        try {
            saveCountry(t.db(), 4, u"LOSTLAND"_s);
            QFAIL("saved into a file that is no longer the database");
        } catch (const DbError& e) {
            QCOMPARE(e.kind(), DbError::Kind::Connection);
            QVERIFY2(e.message().contains(QLatin1String("removed or replaced")), qPrintable(e.message()));
        }
        QCOMPARE(shell(t.sqlitePath(), u"SELECT COUNT(*) FROM M_TBL_CSP_COUNTRY"_s), u"3"_s);
    }
};

QTEST_MAIN(tst_two_copies)
#include "tst_two_copies.moc"
