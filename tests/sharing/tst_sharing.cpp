// The embedded database shared with whatever else opens its files: other code of this
// process (a file dialog listing the database's folder reads the files it lists), another
// program connecting and disconnecting, a restore copied over the file. No saved row may be
// lost, and a save that cannot reach the file is never reported as done.
#include "shell/Prompter.h"
#include "shell/kit/ExpXls.h"
#include "support/TestDb.h"

#include <QApplication>
#include <QFileDialog>
#include <QProcess>
#include <QStandardItemModel>
#include <QtTest>

using namespace tarvic;
using namespace tarvic::test;

namespace {

// What another program sees in the file: the sqlite3 shell's answer.
QString shell(const QString& path, const QString& sql) {
    QProcess p;
    p.start(QStringLiteral("sqlite3"), {path, sql});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QStringLiteral("sqlite3 failed: ") + QString::fromLocal8Bit(p.readAllStandardError());
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

void saveCountry(Database& db, int code, const QString& name) {
    db.transact([&] {
        db.exec(QStringLiteral("INSERT INTO M_TBL_CSP_COUNTRY (COUNTRY_CODE, COUNTRY_NAME) VALUES (?, ?)"), {code, name});
    });
}

// Opens, reads and closes every file of the database as unrelated code of this process would.
void touchFiles(const QString& path) {
    for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
        QFile f(path + QLatin1String(suffix));
        if (f.open(QIODevice::ReadOnly)) {
            f.read(100);
            f.close();
        }
    }
}

}  // namespace

class tst_sharing : public QObject {
    Q_OBJECT
private slots:
    void init() {
        if (TestDb::usePostgres())
            QSKIP("the embedded database's files only");
    }

    void saveSurvivesFilesOpenedInProcessAndAnotherProgram() {
        TestDb t;
        saveCountry(t.db(), 1, QStringLiteral("BEFORE"));
        touchFiles(t.sqlitePath());
        QCOMPARE(shell(t.sqlitePath(), QStringLiteral("SELECT COUNT(*) FROM M_TBL_CSP_COUNTRY")), QStringLiteral("1"));
        saveCountry(t.db(), 2, QStringLiteral("LOSTLAND"));

        QCOMPARE(shell(t.sqlitePath(), QStringLiteral("SELECT COUNTRY_NAME FROM M_TBL_CSP_COUNTRY ORDER BY 1")),
                 QStringLiteral("BEFORE\nLOSTLAND"));
        auto fresh = t.connect(QStringLiteral("fresh"));
        QCOMPARE(fresh->scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_CSP_COUNTRY WHERE COUNTRY_NAME='LOSTLAND'")).toInt(), 1);
    }

    void saveSurvivesTheExportDialogOnTheDatabaseFolder() {
        TestDb t;
        ScriptedPrompter prompter;
        QStandardItemModel grid(1, 1);
        bool listed = false;
        // The dialog is left open on the database's folder until it has listed its files.
        QTimer poll;
        poll.setInterval(50);
        QElapsedTimer shown;
        connect(&poll, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            if (!shown.isValid()) {
                dialog->setDirectory(t.dir());
                shown.start();
            } else if (shown.elapsed() > 1500) {
                listed = true;
                QTest::keyClick(dialog, Qt::Key_Escape);
            }
        });
        poll.start();
        Exp_Xls(nullptr, &grid, prompter);
        poll.stop();
        QVERIFY(listed);
        QVERIFY(prompter.messages.isEmpty());

        QCOMPARE(shell(t.sqlitePath(), QStringLiteral("SELECT COUNT(*) FROM M_TBL_CSP_COUNTRY")), QStringLiteral("0"));
        saveCountry(t.db(), 1, QStringLiteral("LOSTLAND"));
        QCOMPARE(shell(t.sqlitePath(), QStringLiteral("SELECT COUNTRY_NAME FROM M_TBL_CSP_COUNTRY")), QStringLiteral("LOSTLAND"));
    }

    // A restore copied over the running program's file: the save fails and says why, and
    // the restored file is not touched.
    void saveRefusedWhenTheFileWasReplaced() {
        TestDb t;
        const QString copy = t.dir() + QStringLiteral("/restored.db");
        QVERIFY(QFile::copy(t.sqlitePath(), copy));
        QVERIFY(::rename(QFile::encodeName(copy).constData(), QFile::encodeName(t.sqlitePath()).constData()) == 0);
        try {
            saveCountry(t.db(), 1, QStringLiteral("LOSTLAND"));
            QFAIL("saved into a file that is no longer the database");
        } catch (const DbError& e) {
            QCOMPARE(e.kind(), DbError::Kind::Connection);
            QVERIFY2(e.message().contains(QLatin1String("removed or replaced")), qPrintable(e.message()));
        }
        QCOMPARE(shell(t.sqlitePath(), QStringLiteral("SELECT COUNT(*) FROM M_TBL_CSP_COUNTRY")), QStringLiteral("0"));
    }

    // A file an earlier version left in write-ahead mode is turned to a rollback journal on
    // connecting, its log folded in; the data source's own "JournalMode=WAL" is overridden.
    void writeAheadFileIsConvertedOnConnecting() {
        TestDb::defineDataSource();
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/old.db");
        QCOMPARE(shell(path, QStringLiteral("PRAGMA journal_mode=WAL; CREATE TABLE T(X); INSERT INTO T VALUES ('KEPT');")),
                 QStringLiteral("wal"));
        ConnectionString cs = ConnectionString::parse(QString::fromLatin1(kConnectionString));
        cs.overrides = QStringLiteral("Database=") + path;
        {
            Database db(cs, QStringLiteral("old"));
            QCOMPARE(db.scalar(QStringLiteral("PRAGMA journal_mode")).toString().toLower(), QStringLiteral("delete"));
            QCOMPARE(db.scalar(QStringLiteral("SELECT X FROM T")).toString(), QStringLiteral("KEPT"));
        }
        QVERIFY(!QFile::exists(path + QStringLiteral("-wal")));
        QCOMPARE(shell(path, QStringLiteral("SELECT X FROM T")), QStringLiteral("KEPT"));
    }
};

QTEST_MAIN(tst_sharing)
#include "tst_sharing.moc"
