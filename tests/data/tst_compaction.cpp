// Compaction of the single-file transfer database: it shrinks and keeps its rows, and no
// failure ever leaves the source missing, changed or a temporary copy behind.
#include "data/Compaction.h"

#include <QProcess>
#include <QtTest>

#include <sqlite3.h>

#include <csignal>
#include <sys/resource.h>

using namespace tarvic;

namespace {

void exec(sqlite3* db, const char* sql) {
    char* err = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &err) != SQLITE_OK) {
        const QByteArray msg(err ? err : "?");
        sqlite3_free(err);
        QFAIL(msg.constData());
    }
}

// What the sqlite3 shell answers on the file, a line a row.
QStringList shell(const QString& path, const QString& sql) {
    QProcess p;
    p.start(QStringLiteral("sqlite3"), {path, sql});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// A transfer file with the menu table, filled and then mostly emptied again.
void makeFile(const QString& path, int rows, int keep, bool wal = false) {
    shell(path, QStringLiteral("%1 CREATE TABLE M_Tbl_MenuDetails (Menu_Id INTEGER, Group_Id INTEGER, Group_Name TEXT, "
                               "Menu_Name TEXT, Menu_Caption TEXT); WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT "
                               "i + 1 FROM n WHERE i < %2) INSERT INTO M_Tbl_MenuDetails SELECT i, i % 7, 'GROUP', "
                               "'mnu_Entry' || i, 'Caption of entry ' || printf('%.200c', 'x') FROM n; "
                               "DELETE FROM M_Tbl_MenuDetails WHERE Menu_Id > %3;")
                    .arg(wal ? QStringLiteral("PRAGMA journal_mode=WAL;") : QString())
                    .arg(rows)
                    .arg(keep));
}

// Rows as text, in key order, to compare before and after.
QStringList contents(const QString& path) {
    return shell(path, QStringLiteral("SELECT Menu_Id, Group_Id, Menu_Name, Menu_Caption FROM M_Tbl_MenuDetails "
                                      "ORDER BY Menu_Id"));
}

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList entries(const QString& dir) {
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

}  // namespace

class TstCompaction : public QObject {
    Q_OBJECT
private slots:
    void shrinksAndKeepsRows_data() {
        QTest::addColumn<int>("format");
        QTest::addColumn<bool>("wal");
        QTest::newRow("format 0") << 0 << false;
        QTest::newRow("format 1") << 1 << false;
        QTest::newRow("write-ahead log") << 0 << true;
    }
    void shrinksAndKeepsRows() {
        QFETCH(int, format);
        QFETCH(bool, wal);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("menu.dat"));
        makeFile(path, 3000, 25, wal);
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                                        QFileDevice::ReadOther);
        const QStringList before = contents(path);
        QCOMPARE(before.size(), 25);
        const qint64 sizeBefore = QFileInfo(path).size();

        const CompactResult r = compactDatabase(path, QString(), format);
        QVERIFY2(r.ok(), qPrintable(r.description));
        QCOMPARE(r.sizeBefore, sizeBefore);
        QCOMPARE(r.sizeAfter, QFileInfo(path).size());
        QVERIFY2(r.sizeAfter < sizeBefore / 10, qPrintable(QStringLiteral("%1 -> %2").arg(sizeBefore).arg(r.sizeAfter)));
        QCOMPARE(contents(path), before);
        // Only the file itself remains: no copy, no journal, no log; its permissions kept.
        QCOMPARE(entries(dir.path()), QStringList{QStringLiteral("menu.dat")});
        QVERIFY(QFile::permissions(path) & QFileDevice::ReadOther);

        // The compacted file is an ordinary database again: it can be refilled and compacted.
        makeFile(dir.filePath(QStringLiteral("other.dat")), 10, 10);
        QVERIFY(compactDatabase(path, QString(), format).ok());
        QCOMPARE(contents(path), before);
    }

    // A format not supported, a file that is no database and a mistyped path: each is refused
    // and the folder is left exactly as it was.
    void refusedFilesAreLeftAsTheyWere() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("menu.dat"));
        makeFile(path, 200, 10);
        const QByteArray bytes = bytesOf(path);
        for (int format : {2, -1}) {
            const CompactResult r = compactDatabase(path, QString(), format);
            QCOMPARE(r.status, CompactResult::NotSupported);
            QCOMPARE(r.description, QStringLiteral("Invalid Database or database is not yet supported with the code!"));
        }
        QCOMPARE(bytesOf(path), bytes);

        const QByteArray text = QByteArray("This is a plain text file, not a database.\n").repeated(500);
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(text) == text.size());
        f.close();
        const CompactResult r = compactDatabase(path, QString(), 0);
        QCOMPARE(r.status, CompactResult::Failed);
        QCOMPARE(r.errorId & 0xFF, SQLITE_NOTADB);
        QCOMPARE(bytesOf(path), text);
        QCOMPARE(compactDatabase(dir.filePath(QStringLiteral("nothere.dat")), QString(), 0).status, CompactResult::Failed);
        QCOMPARE(entries(dir.path()), QStringList{QStringLiteral("menu.dat")});
    }

    // The copy cannot be written: the source stays whole and nothing is left behind.
    void copyCannotBeWritten() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("menu.dat"));
        makeFile(path, 3000, 2500);
        const QByteArray bytes = bytesOf(path);

        // A disk that fills up half-way through the copy.
        struct rlimit old {};
        getrlimit(RLIMIT_FSIZE, &old);
        struct rlimit small = old;
        small.rlim_cur = static_cast<rlim_t>(bytes.size() / 2);
        auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        CompactResult r = compactDatabase(path, QString(), 0);
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
        QCOMPARE(r.status, CompactResult::Failed);
        QVERIFY(!r.description.isEmpty());
        QCOMPARE(bytesOf(path), bytes);
        QCOMPARE(entries(dir.path()), QStringList{QStringLiteral("menu.dat")});
        QCOMPARE(contents(path).size(), 2500);

        // A folder that cannot take the copy (root writes there anyway).
        if (geteuid() != 0) {
            QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
            r = compactDatabase(path, QString(), 0);
            QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
            QCOMPARE(r.status, CompactResult::Failed);
            QCOMPARE(bytesOf(path), bytes);
            QCOMPARE(entries(dir.path()), QStringList{QStringLiteral("menu.dat")});
        }
    }

    // Another user still has the file open in write-ahead mode: replacing it would lose
    // that user's log, so it is left alone.
    void fileInUse() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("menu.dat"));
        makeFile(path, 300, 100, true);
        sqlite3* other = nullptr;
        QCOMPARE(sqlite3_open(QFile::encodeName(path).constData(), &other), SQLITE_OK);
        exec(other, "PRAGMA wal_autocheckpoint=0");
        exec(other, "DELETE FROM M_Tbl_MenuDetails WHERE Menu_Id > 50");
        const CompactResult r = compactDatabase(path, QString(), 0);
        QCOMPARE(r.status, CompactResult::Failed);
        QCOMPARE(contents(path).size(), 50);
        sqlite3_close(other);
        QCOMPARE(entries(dir.path()), QStringList{QStringLiteral("menu.dat")});
    }

    void errorReport() {
        CompactResult r;
        r.errorId = 26;
        r.description = QStringLiteral("file is not a database");
        r.lineNumber = 120;
        QCOMPARE(compactionErrorTitle(QStringLiteral("TARVIC")), QStringLiteral("TARVIC: Unexpected Error"));
        const QString text = compactionErrorReport(QStringLiteral("TARVIC"), QVersionNumber(1, 2, 3), r);
        QVERIFY(text.startsWith(QLatin1String("An Unexpected Error has Occured in TARVIC (Build 1.2.3)")));
        const QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        const QStringList expected = {
            QStringLiteral("Please report this problem by contacting the author so it can be resolved."),
            QStringLiteral("Technical Information:"),
            QStringLiteral("Error ID: 26"),
            QStringLiteral("Description: file is not a database"),
            QStringLiteral("Module: ModDatabase"),
            QStringLiteral("Function: CompactAccess"),
            QStringLiteral("Line Number: 120"),
            QStringLiteral("Press Ctrl + C to copy this information to the clipboard")};
        QCOMPARE(lines.mid(1), expected);
    }
};

QTEST_GUILESS_MAIN(TstCompaction)
#include "tst_compaction.moc"
