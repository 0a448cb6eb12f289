// A SQLite file beside the data source: values bound and read back as they went in (a quote
// stays text, a null stays null), a file that is not there never made by a mode that needs
// it, a transaction undone as a whole, SQLite's own words on a failure.
#include "data/SqliteFile.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace tarvic;
using namespace Qt::StringLiterals;

class SqliteFileTest : public QObject {
    Q_OBJECT
private slots:
    void valuesRoundTrip() {
        QTemporaryDir dir;
        SqliteFile f(dir.filePath(u"a.db"_s), SqliteFile::Mode::Create);
        f.run(u"CREATE TABLE t (n INTEGER, s TEXT, x REAL)"_s);
        f.run(u"INSERT INTO t VALUES (?1, ?2, ?3)"_s, {qlonglong(9007199254740993), u"O'Brien ₹ 'x' --"_s, 2.5});
        f.run(u"INSERT INTO t VALUES (?1, ?2, ?3)"_s,
              {QVariant(QMetaType::fromType<qlonglong>()), QVariant(QMetaType::fromType<QString>()), u"12"_s});
        QList<QStringList> rows;
        f.run(u"SELECT n, s, x FROM t ORDER BY rowid"_s, {}, [&](const SqliteFile::Row& r) {
            QCOMPARE(r.count(), 3);
            QCOMPARE(r.name(1), u"s"_s);
            rows << QStringList{r.isNull(0) ? u"NULL"_s : QString::number(r.integer(0).toLongLong()),
                                r.text(1).isNull() ? u"NULL"_s : r.string(1), r.string(2)};
        });
        QCOMPARE(rows, (QList<QStringList>{{u"9007199254740993"_s, u"O'Brien ₹ 'x' --"_s, u"2.5"_s},
                                           {u"NULL"_s, u"NULL"_s, u"12.0"_s}}));
        QCOMPARE(f.first(u"SELECT COUNT(*) FROM t WHERE s=?"_s, {u"O'Brien ₹ 'x' --"_s}), u"1"_s);
        QVERIFY(f.first(u"SELECT s FROM t WHERE 1=0"_s).isNull());
    }

    // A mode that needs the file refuses a missing one and leaves no empty file behind.
    void missingFileIsNotMade_data() {
        QTest::addColumn<int>("mode");
        QTest::newRow("read only") << int(SqliteFile::Mode::ReadOnly);
        QTest::newRow("read write") << int(SqliteFile::Mode::ReadWrite);
    }
    void missingFileIsNotMade() {
        QFETCH(int, mode);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"missing.db"_s);
        SqliteFile f;
        QVERIFY_THROWS_EXCEPTION(SqliteError, f.open(path, SqliteFile::Mode(mode)));
        QVERIFY(!f.isOpen());
        QVERIFY(!QFile::exists(path));
        QVERIFY_THROWS_EXCEPTION(SqliteError, f.open(u"  "_s, SqliteFile::Mode::Create));
    }

    void rollbackUndoesTheWhole() {
        QTemporaryDir dir;
        SqliteFile f(dir.filePath(u"b.db"_s), SqliteFile::Mode::Create);
        f.run(u"CREATE TABLE t (n INTEGER PRIMARY KEY)"_s);
        f.run(u"INSERT INTO t VALUES (1)"_s);
        f.begin();
        f.run(u"DELETE FROM t"_s);
        f.run(u"INSERT INTO t VALUES (2)"_s);
        try {
            f.run(u"INSERT INTO t VALUES (2)"_s);
            QFAIL("a duplicate key was stored");
        } catch (const SqliteError& e) {
            QVERIFY2(e.message.contains(u"UNIQUE"_s), qPrintable(e.message));
            QCOMPARE(e.code & 0xff, 19);  // a constraint
        }
        f.rollback();
        f.rollback();  // none open: nothing happens
        QCOMPARE(f.first(u"SELECT GROUP_CONCAT(n) FROM t"_s), u"1"_s);
        QCOMPARE(f.close(), 0);
    }
};

QTEST_GUILESS_MAIN(SqliteFileTest)
#include "tst_sqlite_file.moc"
