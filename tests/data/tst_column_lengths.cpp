// Text lengths held to the columns the schema declares: the table of lengths as each engine
// reports it, a write refused before its statement with the column named, a document save
// that takes no number for it, the server's own refusal in the system's words, and the books
// check that lists what SQLite kept beyond its column.
#include "data/BooksCheck.h"
#include "data/ColumnLengths.h"
#include "data/Numbering.h"
#include "data/RowWriter.h"
#include "data/TransactionRecords.h"
#include "support/TestDb.h"

#include <QtTest>

using namespace tarvic;
using namespace tarvic::test;
using namespace Qt::StringLiterals;

namespace {

const QString kParty = u"M_TBL_PARTY"_s;
const QString kSmile = QString::fromUtf8("\xF0\x9F\x98\x80");  // one character, two UTF-16 units

Columns party(const QString& address) {
    return {{u"PARTY_NAME"_s, u"LENGTHS"_s}, {u"PARTY_ADDRESS"_s, address}};
}

}  // namespace

class TstColumnLengths : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { TestDb::defineDataSource(); }

    // Read from either engine's schema: a text column's declared length; the digits a whole
    // number or an amount always fits; a date as typed; nothing for a column that is not there.
    void lengthsReadFromTheSchema() {
        TestDb t;
        const ColumnLengths& l = t.db().columnLengths();
        const std::vector<std::tuple<QString, QString, int, int>> cases = {
            {kParty, u"PARTY_ADDRESS"_s, 1000, 1000},
            {u"m_tbl_party"_s, u"party_name"_s, 200, 200},
            {u"M_TBL_TRANSACTION"_s, u"DOC_CODE"_s, 7, 7},
            {u"M_TBL_TRANSACTION"_s, u"CFA"_s, 0, 0},  // no such column
            {u"M_TBL_TRANSACTION"_s, u"GRAND_TOTAL"_s, 0, 19},
            {u"M_TBL_TRANSACTION"_s, u"NOOF_PAX"_s, 0, 9},
            {kParty, u"PARTY_CODE"_s, 0, 18},
            {u"M_TBL_TRANSACTION"_s, u"DOC_DATE"_s, 0, 10},
            {u"NO_SUCH_TABLE"_s, u"X"_s, 0, 0},
        };
        for (const auto& [table, column, text, field] : cases) {
            QVERIFY2(l.textLength(table, column) == text, qPrintable(table + u'.' + column));
            QVERIFY2(l.fieldLength(table, column) == field, qPrintable(table + u'.' + column));
        }
        // Kept for the connection, and read again for a table created since.
        QCOMPARE(&t.db().columnLengths(kParty), &l);
        t.db().exec(u"CREATE TABLE ZZ_NOTE (ZZ_TEXT VARCHAR(12))"_s);
        QCOMPARE(t.db().columnLengths(u"ZZ_NOTE"_s).textLength(u"ZZ_NOTE"_s, u"ZZ_TEXT"_s), 12);
    }

    // Lengths count characters, as both engines do: the longest text a column takes is stored
    // whole, one character more is refused before the statement, naming the column.
    void writesBeyondTheColumnRefusedBeforeTheStatement() {
        TestDb t;
        Database& db = t.db();
        RowWriter writer(db, u"ADMINISTRATOR"_s);
        const std::vector<std::pair<QString, bool>> cases = {
            {QString(1000, u'A'), true},
            {kSmile.repeated(1000), true},
            {QString(1001, u'A'), false},
            {kSmile.repeated(999) + u"AB"_s, false},
        };
        qint64 code = 0;
        for (const auto& [address, stored] : cases) {
            ++code;
            const int before = db.statementsRun();
            try {
                writer.insert(kParty, {{u"PARTY_CODE"_s, code}}, party(address));
                QVERIFY2(stored, qPrintable(QString::number(code)));
            } catch (const TextTooLong& e) {
                QVERIFY2(!stored, qPrintable(e.message()));
                QCOMPARE(e.message(), u"PARTY ADDRESS CANNOT BE LONGER THAN 1000 CHARACTERS ...."_s);
                QCOMPARE(e.table() + u'.' + e.column(), u"M_TBL_PARTY.PARTY_ADDRESS"_s);
                QCOMPARE(db.statementsRun(), before);  // nothing reached the database
            }
            QCOMPARE(db.scalar(u"SELECT COUNT(*) FROM M_TBL_PARTY WHERE PARTY_CODE=?"_s, {code}).toInt(),
                     stored ? 1 : 0);
        }
        QCOMPARE(db.scalar(u"SELECT PARTY_ADDRESS FROM M_TBL_PARTY WHERE PARTY_CODE=2"_s).toString(),
                 kSmile.repeated(1000));
        QVERIFY_THROWS_EXCEPTION(TextTooLong,
                                 writer.update(kParty, {{u"PARTY_CODE"_s, 1}}, party(QString(1001, u'B'))));
        QCOMPARE(db.scalar(u"SELECT PARTY_ADDRESS FROM M_TBL_PARTY WHERE PARTY_CODE=1"_s).toString(),
                 QString(1000, u'A'));
    }

    // A document whose text is too long for its column takes no number and writes no row.
    void documentSaveRefusedWholeWithNoNumberTaken() {
        TestDb t;
        Database& db = t.db();
        const qint64 counter = Numbering(db).Get_Counter(u"FRDM01"_s);
        Document d;
        d.code = u"FRDM01"_s;
        d.amount = Money::fromRupees(100);
        d.columns = {{u"DOC_DESC"_s, QString(2001, u'X')}, {u"PARTY_CODE"_s, 1}};
        try {
            TransactionRecords(db, u"ADMINISTRATOR"_s).save(d);
            QFAIL("saved");
        } catch (const TextTooLong& e) {
            QCOMPARE(e.column(), u"DOC_DESC"_s);
        }
        QCOMPARE(Numbering(db).Get_Counter(u"FRDM01"_s), counter);
        QCOMPARE(db.scalar(u"SELECT COUNT(*) FROM M_TBL_TRANSACTION WHERE DOC_CODE='FRDM01'"_s).toInt(), 0);
    }

    // Only SQLite keeps a text beyond its column; the books check lists it by table, row and
    // column. The server refuses it, in the system's words, never the driver's.
    void overlongTextsListedOrRefused() {
        TestDb t;
        Database& db = t.db();
        const QString insert = u"INSERT INTO M_TBL_PARTY (PARTY_CODE, PARTY_NAME, PARTY_ADDRESS) VALUES (7, ?, ?)"_s;
        if (TestDb::usePostgres()) {
            try {
                db.exec(insert, {u"FITS"_s, QString(1001, u'A')});
                QFAIL("stored");
            } catch (const DbError& e) {
                QCOMPARE(e.kind(), DbError::Kind::Refused);
                QCOMPARE(e.message(), u"A TEXT IS LONGER THAN ITS COLUMN ALLOWS, NOTHING WAS SAVED ...."_s);
            }
            QVERIFY(checkBooks(db).ok());
            return;
        }
        QVERIFY(checkBooks(db).ok());
        db.exec(insert, {QString(201, u'N'), QString(5000, u'A')});
        QCOMPARE(checkBooks(db).problems,
                 (QStringList{u"M_TBL_PARTY PARTY_CODE=7: PARTY_NAME holds 201 characters, its column 200"_s,
                              u"M_TBL_PARTY PARTY_CODE=7: PARTY_ADDRESS holds 5000 characters, its column 1000"_s}));
    }
};

QTEST_GUILESS_MAIN(TstColumnLengths)
#include "tst_column_lengths.moc"
