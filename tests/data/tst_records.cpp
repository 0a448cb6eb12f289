// The data layer on both engines. Money: parsing, rounding, database values, sums exact to
// the paisa, amounts in words. The database: connection string, bound values that never change
// the SQL, scripts and seed. Numbering; documents saved whole, balances over the code lists,
// cancelling, invoice lines; moments and day ranges; eight workstations posting at once.
#include "data/AmountInWords.h"
#include "data/BooksCheck.h"
#include "data/Migrations.h"
#include "data/Moments.h"
#include "data/Money.h"
#include "data/Numbering.h"
#include "data/RowReader.h"
#include "data/RowWriter.h"
#include "data/TransactionRecords.h"
#include "support/Documents.h"
#include "support/Drive.h"
#include "support/TestDb.h"

#include <QtTest>

#include <map>
#include <random>
#include <set>

using namespace tarvic;
using namespace tarvic::test;
using namespace Qt::StringLiterals;

namespace {

int rows(Database& db, const QString& code) {
    return int(count(db, u"M_TBL_TRANSACTION"_s, u"DOC_CODE=?"_s, {code}));
}

}  // namespace

class TstRecords : public QObject {
    Q_OBJECT
private slots:
    void databaseLayerNumberingAndHostileTexts() {
        const auto cs = ConnectionString::parse(QString::fromLatin1(kConnectionString));
        QCOMPARE(QStringList({cs.dsn, cs.user, cs.password}), QStringList({"TARVIC", "tarvicuser", "pass987"}));
        const auto other = ConnectionString::parse(u" dsn = X ; UID=u;Password=p=q;"_s);
        QCOMPARE(QStringList({other.dsn, other.user, other.password}), QStringList({"X", "u", "p=q"}));
        TestDb t;
        Database& db = t.db();
        if (db.dialect().isSqlite()) {
            QCOMPARE(db.scalar(u"PRAGMA journal_mode"_s).toString().toLower(), u"delete"_s);
            QCOMPARE(db.scalar(u"PRAGMA synchronous"_s).toInt(), 2);  // FULL
            QVERIFY(db.scalar(u"PRAGMA busy_timeout"_s).toInt() >= 1000);
        } else {
            QCOMPARE(db.scalar(u"SHOW synchronous_commit"_s).toString(), u"on"_s);
        }
        // Every document code and balance list the postings rely on is seeded.
        for (const char* code : {"BLFC01",  "QGBL01", "QGBL02", "QGBL03", "QFOC01", "CBPT01", "ANCP01", "ANCP02",
                                 "ANCP03",  "ANCP08", "ANDP08", "FRDB01", "FRCR01", "FTCR01", "FTDB01", "FTREF01",
                                 "FTREF02", "FAAN01", "APCM01", "APCM02", "FRDM01", "FRDM02", "BDAP01", "BCAP01",
                                 "BTCR01",  "BTDB01", "INV001", "INV002", "INV006", "INV007", "VBS001", "QAC001"})
            QVERIFY2(count(db, u"MST_DOCUMENTCODES"_s, u"DOC_CODE=?"_s, {QString::fromLatin1(code)}) == 1, code);
        for (const char* list : {"LDOP", "LDMA", "PTBAL", "ANCPBAL1", "ANCPBAL2", "ANCPBAL3", "CRDB"})
            QVERIFY2(!db.scalar(u"SELECT CODE_LIST FROM M_TBL_CODES WHERE CODE=?"_s, {QString::fromLatin1(list)})
                          .toString()
                          .isEmpty(),
                     list);
        const QStringList st = Migrations::statements(
            u"-- note; not a statement\nCREATE TABLE A (X INT);\nINSERT INTO A VALUES\n(1),\n(2);\nSELECT 1"_s);
        QCOMPARE(st.size(), 3);
        QCOMPARE(st[1], u"INSERT INTO A VALUES\n(1),\n(2)"_s);
        // A function body's own statements stay inside it.
        QCOMPARE(Migrations::statements(u"CREATE FUNCTION F() AS $$\nBEGIN\n  X;\nEND\n$$;\nSELECT 2;"_s),
                 (QStringList{u"CREATE FUNCTION F() AS $$\nBEGIN\n  X;\nEND\n$$"_s, u"SELECT 2"_s}));
        Numbering n(t.db());
        // A new code starts at 0: its first number is 1, peeking takes nothing, codes are
        // trimmed; a reset to 100 makes the next 101; storing into a missing counter creates it.
        const QString code = u"NEWCODE"_s;
        QCOMPARE((QList<qint64>{n.Get_Counter(code), n.next(code), n.next(u" NEWCODE "_s), n.Get_Counter(code),
                                n.Get_Counter(code)}),
                 (QList<qint64>{1, 1, 2, 3, 3}));
        n.Upd_Counter(code, 100);
        n.Upd_Counter(u"MISSING"_s, 7);
        n.Upd_Counter(u"BIG"_s, 4'294'967'296LL);  // beyond 32 bits
        QCOMPARE((QList<qint64>{n.next(code), n.next(u"MISSING"_s), n.next(u"BIG"_s)}),
                 (QList<qint64>{101, 8, 4'294'967'297LL}));
        // Line numbers: per quotation, shared by every kind of line.
        QCOMPARE((QList<qint64>{n.nextLine(u"10"_s), n.nextLine(u"10"_s), n.nextLine(u"11"_s), n.nextLine(u"10"_s),
                                n.Get_Counter2(u"11"_s)}),
                 (QList<qint64>{1, 2, 1, 3, 2}));
        n.Upd_Counter2(u"11"_s, 5);
        QCOMPARE(n.nextLine(u"11"_s), 6);
        const qint64 codes = count(db, u"M_TBL_CODES"_s);
        // clang-format off
        const QStringList texts = {"O'Brien", "''", "' OR '1'='1", "100% _sure_", "a--b /* c */",
                                   "x'; DROP TABLE M_TBL_CODES; --", "Ünïcødé ₹ दिल्ली", "tab\tnew\nline\r\n",
                                   "back\\slash", QString(2000, QLatin1Char('Z')), QString(), " padded "};
        // clang-format on
        const QDateTime at(QDate(2026, 12, 6), QTime(23, 59, 58));
        for (int i = 0; i < texts.size(); ++i) {
            const QString& s = texts[i];
            // text, whole number, amount, moment and flag columns in one row
            db.exec(
                u"INSERT INTO M_TBL_TRANSACTION (DOC_CODE, DOC_NO, DOC_DESC, REMARKS, TOURIST_NAME, PARTY_CODE, "
                "GRAND_TOTAL, DOC_DATE, LCK_CBPT) VALUES (?,?,?,?,?,?,?,?,?)"_s,
                {u"TEST01"_s, i + 1, s, s.left(2000), s.left(200), qint64(9'000'000'000) + i,
                 Money::fromPaise(123456789012LL + i).toVariant(), at, u"Y"_s});
        }
        QCOMPARE(count(db, u"M_TBL_CODES"_s), codes);
        for (int i = 0; i < texts.size(); ++i) {
            const QString& s = texts[i];
            auto row = db.firstRow(
                u"SELECT DOC_DESC, REMARKS, TOURIST_NAME, PARTY_CODE, GRAND_TOTAL, DOC_DATE "
                "FROM M_TBL_TRANSACTION WHERE DOC_CODE=? AND DOC_NO=?"_s,
                {u"TEST01"_s, i + 1});
            QVERIFY(row);
            QCOMPARE((QStringList{row->value(0).toString(), row->value(1).toString()}), (QStringList{s, s}));
            QCOMPARE((QList<qint64>{row->value(3).toLongLong(), Money::fromVariant(row->value(4)).paise()}),
                     (QList<qint64>{9'000'000'000LL + i, 123456789012LL + i}));
            QCOMPARE(row->value(5).toDateTime(), at);
            // the same text as a search value finds exactly its own row
            if (!s.isEmpty())
                QCOMPARE(count(db, u"M_TBL_TRANSACTION"_s, u"DOC_DESC=?"_s, {s}), 1);
        }
        // a LIKE pattern is used as given: "%" and "_" are the caller's, never the data's way in
        QCOMPARE(count(db, u"M_TBL_TRANSACTION"_s, u"DOC_DESC LIKE ?"_s, {u"100%"_s}), 1);
        QCOMPARE(count(db, u"MST_LOGINDETAILS"_s, u"USER_NAME=?"_s, {u"' OR '1'='1"_s}), 0);
        // Rows read in blocks are the rows read one by one, value for value and type for type:
        // the hostile texts (one longer than its column's declared width), NULLs, big numbers,
        // amounts and moments, and a result that spans several blocks.
        const auto sameRows = [&](const QString& sql, const QVariantList& values, int expected) {
            QSqlQuery one = db.exec(sql, values);
            RowReader blocks(db, sql, values);
            QVERIFY(blocks.inBlocks());
            int n = 0;
            while (blocks.next()) {
                QVERIFY(one.next());
                for (int c = 0; c < blocks.columnCount(); ++c) {
                    QCOMPARE(blocks.value(c).isNull(), one.value(c).isNull());
                    QCOMPARE(blocks.value(c), one.value(c));
                }
                ++n;
            }
            QVERIFY(!one.next());
            QCOMPARE(n, expected);
        };
        sameRows(
            u"SELECT DOC_NO, DOC_DESC, REMARKS, TOURIST_NAME, PARTY_CODE, GRAND_TOTAL, DOC_DATE, CNCL_ON, "
            "INSTR_DATE FROM M_TBL_TRANSACTION WHERE DOC_CODE=? ORDER BY DOC_NO"_s,
            {u"TEST01"_s}, int(texts.size()));
        sameRows(
            u"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ?) SELECT i, "
            "CASE WHEN i % 7 = 0 THEN NULL ELSE 'ROW ' || i END, i * 1.25 FROM n ORDER BY i"_s,
            {700}, 700);
        const QString tenThirty = u"05/01/2024 10:30:00"_s, midnight = u"05/01/2024 00:00:00"_s;
        const std::pair<QVariant, QString> cases[] = {
            {QDateTime(QDate(2024, 1, 5), QTime(10, 30, 0)), tenThirty},
            {u"2024-01-05 10:30:00"_s, tenThirty},
            {u"2024-01-05 10:30:00.250"_s, tenThirty},
            {u"2024-01-05T10:30:00"_s, tenThirty},
            {u"2024-01-05"_s, midnight},
            {QDate(2024, 1, 5), midnight},
            {2460314.9375, tenThirty},  // julianday('2024-01-05 10:30')
            {QVariant(), QString()},
            {u"not a moment"_s, QString()},
        };
        for (const auto& [stored, shown] : cases)
            QCOMPARE(momentText(stored), shown);
        QCOMPARE(dateText(u"2024-01-05 23:59:59"_s), u"05/01/2024"_s);
        QCOMPARE(byOnText(u" ADMIN "_s, QVariant()), u"ADMIN - "_s);
        QCOMPARE(byOnText(QVariant(), QVariant()), QString());
        // A range of days runs from the start of the from-date to before the day after the to-date,
        // over moments and bare dates alike; the row writer stamps the server's clock, read back
        // as a moment of today.
        const QDate from(2024, 3, 1), to(2024, 3, 2);
        qint64 party = 0;
        for (const QVariant& m : {QVariant(QDateTime(from.addDays(-1), QTime(23, 59, 59))), dateToDb(from),
                                  QVariant(QDateTime(to, QTime(23, 59, 59, 999))), dateToDb(to.addDays(1)),
                                  QVariant(from.addDays(-1)), QVariant(from), QVariant(to), QVariant(to.addDays(1))})
            db.exec(u"INSERT INTO M_TBL_PARTY (PARTY_CODE, CREATED_ON) VALUES (?, ?)"_s, {++party, m});
        QVariantList values;
        const QString where = dayRangeCondition(u"CREATED_ON"_s, from, to, values);
        QCOMPARE(lines(db, u"SELECT PARTY_CODE FROM M_TBL_PARTY WHERE %1 ORDER BY PARTY_CODE"_s.arg(where), values),
                 (QStringList{"2", "3", "6", "7"}));
        RowWriter(db, u"U"_s).write(u"M_TBL_PARTY"_s, {{u"PARTY_CODE"_s, 1}}, {{u"PARTY_NAME"_s, u"A"_s}}, false);
        QCOMPARE(dateFromDb(db.scalar(u"SELECT UPDATE_ON FROM M_TBL_PARTY WHERE PARTY_CODE=1"_s)),
                 QDate::currentDate());
    }

    void savingAPairAgainAndUpdatesThatFindNoRows() {
        TestDb t;
        Database& db = t.db();
        // amounts in paise, so that both engines print them alike
        const auto pair = [&](qint64 no) {
            return lines(db,
                         u"SELECT DOC_CODE, CAST(ROUND(DB_AMT * 100) AS BIGINT), CAST(ROUND(CR_AMT * 100) AS BIGINT), "
                         "TO_ACC, IN_DOCNO, PARTY_CODE, DOC_STATUS, CREATED_BY, UPDATE_BY FROM M_TBL_TRANSACTION "
                         "WHERE DOC_NO=? ORDER BY DOC_CODE DESC"_s,
                         {no});
        };
        TransactionRecords tr(db, u"FIRST USER"_s);
        const qint64 no = tr.save(receipt(7, 42, u"5000.50"_s));
        QCOMPARE(no, 1);
        QCOMPARE(pair(no), (QStringList{"FRDB01|500050|0|FRDB01|7|42|APPRV|FIRST USER|FIRST USER",
                                        "FRCR01|0|500050|FRCR01|7|42|APPRV|FIRST USER|FIRST USER"}));
        QVERIFY(momentFromDb(db.scalar(u"SELECT CREATED_ON FROM M_TBL_TRANSACTION WHERE DOC_NO=1"_s)).isValid());
        // saved again under its number by someone else: rows updated in place, created kept,
        // counter untouched, no third row
        QCOMPARE(TransactionRecords(db, u"SECOND USER"_s).save(receipt(7, 42, u"6000"_s, no)), no);
        QCOMPARE(pair(no), (QStringList{"FRDB01|600000|0|FRDB01|7|42|APPRV|FIRST USER|SECOND USER",
                                        "FRCR01|0|600000|FRCR01|7|42|APPRV|FIRST USER|SECOND USER"}));
        QCOMPARE(counter(db, u"FRDB01"_s), 1);
        QCOMPARE(tr.save(receipt(7, 42, u"1"_s)), 2);
        // An update aimed at a number with no rows is reported and adds nothing; a new document
        // takes a new number. A cancelled document is never rewritten.
        const qint64 third = tr.save(receipt(7, 42, u"500"_s));
        for (const auto& [number, booking] : {std::pair<qint64, qint64>{third + 5, 7}, {third, 8}}) {
            const DbError e = refusalOf([&] { tr.save(receipt(booking, 42, u"100"_s, number)); });
            QCOMPARE(e.kind(), DbError::Kind::Changed);
            QCOMPARE(e.message(), QString::fromLatin1(kChangedByAnotherUser));
        }
        QCOMPARE(rows(db, u"FRDB01"_s) + rows(db, u"FRCR01"_s), 6);
        QCOMPARE(tr.cancel(u"FRDB01"_s, third, {7}, u"BOUNCED"_s), 2);
        QCOMPARE(refusalOf([&] { tr.save(receipt(7, 42, u"900"_s, third)); }).kind(), DbError::Kind::Cancelled);
        QCOMPARE(
            count(db, u"M_TBL_TRANSACTION"_s, u"DOC_NO=? AND DOC_STATUS='CNCL' AND DB_AMT + CR_AMT = 500"_s, {third}),
            2);
        QCOMPARE(tr.save(receipt(7, 42, u"100"_s)), third + 1);
    }

    void balancesOverCodeListsNullSidesAndInvoiceLines() {
        TestDb t;
        Database& db = t.db();
        TransactionRecords tr(db, u"U"_s);
        const qint64 customer = 100, hotel = 200;
        // nothing at all: zero, not NULL
        QCOMPARE(tr.balance(u"PTBAL"_s, {.party = customer, .booking = 1}).paise(), 0);
        const qint64 b = tr.save(booking(customer, u"10000"_s));
        const qint64 r1 = tr.save(receipt(b, customer, u"3000.25"_s));
        tr.save(receipt(b, customer, u"1000"_s));
        // a hotel's bill for the booking and a payment to the hotel
        tr.save(posting(u"ANCP01"_s, b, hotel, u"4500"_s));
        tr.save(posting(u"FTCR01"_s, b, hotel, u"2000"_s, QDate(2026, 11, 6)));
        // the customer owes the booking less the receipts (FRCR01 side)
        QCOMPARE(tr.balance(u"PTBAL"_s, {.party = customer, .booking = b}).toString(), u"5999.75"_s);
        QCOMPARE(tr.balance(u"LDOP"_s, {.party = customer}).toString(), u"5999.75"_s);
        // we owe the hotel its bill less the payment (FTDB01 side)
        QCOMPARE(tr.balance(u"LDOP"_s, {.party = hotel}).toString(), u"-2500.00"_s);
        QCOMPARE((-tr.balance(u"ANCPBAL1"_s, {.party = hotel, .booking = b})).toString(), u"2500.00"_s);
        // the cash side of the receipts is what the bank book sees
        QCOMPARE(tr.balance(u"CRDB"_s, {.party = customer}).toString(), u"4000.25"_s);
        // ledger as of a date before the receipts
        QCOMPARE(
            tr.balance(u"LDOP"_s, {.party = customer, .until = QDateTime(QDate(2026, 11, 30), QTime())}).toString(),
            u"10000.00"_s);
        // a cancelled receipt leaves every sum, on both its rows
        QCOMPARE(tr.cancel(u"FRDB01"_s, r1, {b}, u"BOUNCED 'CHEQUE'"_s), 2);
        QCOMPARE(count(db, u"M_TBL_TRANSACTION"_s,
                       u"DOC_NO=? AND DOC_CODE IN ('FRDB01','FRCR01') AND DOC_STATUS='CNCL' AND CNCL_BY='U' AND "
                       "CNCL_ON IS NOT NULL AND REASON_CNCL='BOUNCED ''CHEQUE'''"_s,
                       {r1}),
                 2);
        QCOMPARE(tr.balance(u"PTBAL"_s, {.party = customer, .booking = b}).toString(), u"9000.00"_s);
        QCOMPARE(tr.balance(u"CRDB"_s, {.party = customer}).toString(), u"1000.00"_s);
        // code lists are parsed, never pasted into the statement; an unknown list sums nothing
        QCOMPARE(TransactionRecords::parseCodeList(u"'CBPT01', 'FRCR01','FTREF02'"_s),
                 (QStringList{"CBPT01", "FRCR01", "FTREF02"}));
        QVERIFY_THROWS_EXCEPTION(DbError, TransactionRecords::parseCodeList(u"'A') OR 1=1 --"_s));
        QVERIFY_THROWS_EXCEPTION(DbError, TransactionRecords::parseCodeList(u"CBPT01"_s));
        QCOMPARE(tr.balance(u"NOSUCHLIST"_s, {}).paise(), 0);
        // a bank debit posting leaves its debit empty (NULL), not 0
        Document bank = posting(u"BDAP01"_s, 0, 5, u"250"_s);
        bank.nullOther = true;
        tr.save(bank);
        QVERIFY(db.scalar(u"SELECT DB_AMT FROM M_TBL_TRANSACTION WHERE DOC_CODE='BDAP01'"_s).isNull());
        // a party whose rows are all credits with empty debits still gets its balance
        QCOMPARE(tr.balanceOf({u"BDAP01"_s}, {.party = 5}).toString(), u"-250.00"_s);
        // invoice lines are replaced whole on every save
        Document inv;
        inv.code = u"INV001"_s;
        inv.booking = 3;
        for (int i = 0; i < 3; ++i)
            inv.lines.push_back({{u"INV_AMT"_s, Money::fromRupees(100 * (i + 1)).toVariant()}});
        inv.number = tr.save(inv);
        QCOMPARE(rows(db, u"INV002"_s), 3);
        inv.lines.resize(1);
        tr.save(inv);
        QCOMPARE(rows(db, u"INV002"_s), 1);
        QCOMPARE(db.scalar(u"SELECT INV_DETSLNO FROM M_TBL_TRANSACTION WHERE DOC_CODE='INV002'"_s).toInt(), 1);
        QCOMPARE(rows(db, u"INV001"_s), 1);
        QVERIFY(db.scalar(u"SELECT DB_AMT FROM M_TBL_TRANSACTION WHERE DOC_CODE='INV001'"_s).isNull());
    }

    // A second cancellation changes nothing and keeps the first one's who, when and why.
    void cancellationsAndTheBookingCheck() {
        TestDb t;
        Database& db = t.db();
        const qint64 no = TransactionRecords(db, u"FIRST"_s).save(receipt(7, 42, u"500"_s));
        db.exec(
            u"UPDATE M_TBL_TRANSACTION SET DOC_STATUS='CNCL', CNCL_BY='FIRST', REASON_CNCL='WHY', CNCL_ON=? "
            "WHERE DOC_CODE='FRDB01'"_s,
            {QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5))});
        // the half left live is cancelled; the cancelled half is not touched
        QCOMPARE(TransactionRecords(db, u"SECOND"_s).cancel(u"FRDB01"_s, no, {7}, u"AGAIN"_s), 1);
        QCOMPARE(TransactionRecords(db, u"THIRD"_s).cancel(u"FRDB01"_s, no, {7}, u"AGAIN"_s), 0);
        const auto first = db.firstRow(u"SELECT * FROM M_TBL_TRANSACTION WHERE DOC_CODE='FRDB01'"_s);
        QCOMPARE(first->value("CNCL_BY").toString() + first->value("REASON_CNCL").toString(), u"FIRSTWHY"_s);
        QCOMPARE(momentFromDb(first->value("CNCL_ON")), QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)));
        QCOMPARE(db.scalar(u"SELECT CNCL_BY FROM M_TBL_TRANSACTION WHERE DOC_CODE='FRCR01'"_s).toString(), u"SECOND"_s);
        // A booking shut after it was chosen is refused inside the save (the document window's
        // test); only the kind's own lock guards it, a NULL lock reads as 'N', and cancelling shuts it.
        TransactionRecords tr(db, u"U"_s);
        const qint64 b = tr.save(booking(1, u"1000"_s));
        db.exec(u"UPDATE M_TBL_TRANSACTION SET LCK_MONEYRCPT=NULL, LCK_PAYMENT='Y' WHERE DOC_CODE='CBPT01'"_s);
        QVERIFY(tr.bookingOpen(u"FRDB01"_s, b) && !tr.bookingOpen(u"FTCR01"_s, b));
        tr.cancel(u"CBPT01"_s, b, {}, u"GONE"_s);
        QVERIFY(!tr.bookingOpen(u"FRDB01"_s, b) && !db.inTransaction());
    }

    // A bulk posting: one number, one pair per booking, each booking's pair its own key. A
    // document the caller put together wrongly is refused before anything is written.
    void aBulkPostingSharesOneNumberAndMalformedOnesAreRefused() {
        TestDb t;
        Database& db = t.db();
        TransactionRecords tr(db, u"U"_s);
        Document unknown = receipt(7, 42, u"1"_s), unbooked = unknown, lined = unknown, linked = unknown,
                 badColumn = unknown, mixed = unknown, single = booking(1, u"1"_s);
        unknown.code = u"NOSUCH"_s;
        unbooked.booking = 0;
        lined.lines = {{{u"INV_AMT"_s, u"1"_s}}};
        linked.columns.push_back({u"IN_DOCNO"_s, 9});
        badColumn.columns.push_back({u"X; DROP"_s, 1});
        mixed.number = 3;
        const std::vector<std::vector<Document>> cases{{},       {unknown},   {unbooked},       {lined},
                                                       {linked}, {badColumn}, {unknown, mixed}, {single, single}};
        for (const auto& parts : cases)
            QVERIFY_THROWS_EXCEPTION(DbError, tr.save(parts));
        QCOMPARE(count(db, u"M_TBL_TRANSACTION"_s), 0);
        const qint64 no = tr.save(std::vector<Document>{receipt(11, 5, u"1000"_s), receipt(12, 5, u"2000"_s)});
        QCOMPARE(tr.balanceOf({u"FRCR01"_s}, {.booking = 12}).toString(), u"-2000.00"_s);
        tr.save(std::vector<Document>{receipt(11, 5, u"1500"_s, no), receipt(12, 5, u"2000"_s, no)});
        QCOMPARE(tr.balanceOf({u"FRCR01"_s}, {.booking = 11}).toString(), u"-1500.00"_s);
        QCOMPARE(rows(db, u"FRCR01"_s), 2);
        QCOMPARE(tr.cancel(u"FRDB01"_s, no, {11, 12}, u"X"_s), 4);
    }

    // Eight connections post receipts at once; each embedded commit costs three fsyncs, and
    // two hundred receipts a writer collide many times over.
    void eightWritersPostAtOnce() {
        constexpr int kWriters = 8, kDocsPerWriter = 200, kBookings = 40, kParties = 10;
        struct Posting {
            qint64 number, booking, paise;
        };
        TestDb t;
        Database& db = t.db();
        TransactionRecords setup(db, u"SETUP"_s);
        std::map<qint64, qint64> partyOf, expectBooking, expectParty;  // by booking, by party
        for (int i = 0; i < kBookings; ++i) {
            const qint64 party = 1 + i % kParties, paise = 1'000'000 + i * 1234;
            const qint64 no = setup.save(booking(party, Money::fromPaise(paise).toString()));
            partyOf[no] = party;
            expectBooking[no] = paise;
        }
        std::vector<Posting> byWriter[kWriters];
        const QStringList errors = t.writersAtOnce(kWriters, [&](Database& conn, int w) {
            TransactionRecords tr(conn, u"WRITER %1"_s.arg(w));
            std::mt19937 rng(w);
            for (int i = 0; i < kDocsPerWriter; ++i) {
                const qint64 booking = 1 + rng() % kBookings;
                const Money amount = Money::fromPaise(1 + rng() % 5'000'000);
                const qint64 no = tr.save(receipt(booking, partyOf.at(booking), amount.toString()));
                byWriter[w].push_back({no, booking, amount.paise()});
            }
        });
        QVERIFY2(errors.isEmpty(), qPrintable(errors.mid(0, 3).join(QLatin1Char('\n'))));
        std::vector<Posting> posted;
        for (const auto& some : byWriter)
            posted.insert(posted.end(), some.begin(), some.end());
        QCOMPARE(int(posted.size()), kWriters * kDocsPerWriter);
        // no number taken twice, and the books whole: every pair mirrored, counters at the highest
        std::set<qint64> numbers;
        for (const Posting& p : posted)
            QVERIFY2(numbers.insert(p.number).second, "a receipt number was taken twice");
        QCOMPARE(*numbers.rbegin(), qint64(kWriters * kDocsPerWriter));
        QCOMPARE(checkBooks(db).problems, QStringList());
        // balances recomputed from what each writer posted
        for (const Posting& p : posted)
            expectBooking[p.booking] -= p.paise;
        for (const auto& [booking, paise] : expectBooking)
            expectParty[partyOf[booking]] += paise;
        TransactionRecords tr(db, u"CHECK"_s);
        for (const auto& [booking, paise] : expectBooking)
            QCOMPARE(tr.balance(u"PTBAL"_s, {.party = partyOf[booking], .booking = booking}).paise(), paise);
        for (const auto& [party, paise] : expectParty)
            QCOMPARE(tr.balance(u"LDOP"_s, {.party = party}).paise(), paise);
    }

    void balancesExactToThePaisaWhereFloatingPointSumsDrift() {
        TestDb t;
        TransactionRecords tr(t.db(), u"U"_s);
        // Per party, rows of a debit (FAAN01) or credit (FRCR01) code of both lists LDOP and PTBAL:
        // how many, the amount, and that of every third. 99999999999.99 is near 10^13 paise, where
        // a REAL sum of the tenths drifts. The empty party first: a sum once a whole 0 must not
        // keep the statement whole.
        using Rows = std::tuple<QString, int, QString, QString>;
        const std::vector<std::tuple<qint64, std::vector<Rows>, qint64>> cases = {
            {1, {}, 0},
            {2, {{"FAAN01", 1, "100000000000", "100000000000"}, {"FAAN01", 1000, "5", "5"}}, 10000000500000},
            {3, {{"FAAN01", 3, "99999999999.99", "99999999999.99"}, {"FAAN01", 2000, "0.10", "0.20"}}, 30000000026657},
            {4, {{"FRCR01", 3, "99999999999.99", "99999999999.99"}, {"FAAN01", 2000, "0.10", "0.20"}}, -29999999973337},
            {5, {{"FAAN01", 2500, "0.29", "0.07"}, {"FRCR01", 700, "0.01", "0.01"}}, 53474},
        };
        const QString amount = u"CASE WHEN i % 3 = 0 THEN %1 ELSE %1 END"_s.arg(t.db().dialect().amount());
        int doc = 0;
        for (const auto& [party, rows, paise] : cases) {
            for (const auto& [code, count, every, third] : rows) {
                const bool debit = code == u"FAAN01"_s;
                t.db().execAffected(
                    u"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ?) "
                    "INSERT INTO M_TBL_TRANSACTION (DOC_CODE, DOC_NO, DOC_STATUS, PARTY_CODE, "
                    "IN_DOCCODE, IN_DOCNO, DB_AMT, CR_AMT) SELECT ?, ? + i, 'APPRV', ?, 'CBPT01', ?, "
                    "%1, %2 FROM n"_s.arg(debit ? amount : u"0"_s, debit ? u"0"_s : amount),
                    {count, code, doc, party, party, third, every});
                doc += count;
            }
            QCOMPARE(tr.balance(u"LDOP"_s, {.party = party}).paise(), paise);
            QCOMPARE(tr.balance(u"PTBAL"_s, {.party = party, .booking = party}).paise(), paise);
        }
    }

    // Typed amounts: to the paisa, halves to even; anything malformed is refused and reads as zero.
    void parse() {
        // clang-format off
        const std::tuple<QString, bool, qint64> cases[] = {
            {"1234", true, 123400}, {"1234.5", true, 123450}, {"1234.50", true, 123450}, {"-0.75", true, -75},
            {"  +12.34 ", true, 1234}, {"12.", true, 1200}, {".5", true, 50},
            {"0.005", true, 0}, {"0.015", true, 2}, {"0.0051", true, 1}, {"0.0049999", true, 0},  // half to even
            {"-12.345", true, -1234}, {"9.996", true, 1000},
            {"", false, 0}, {"   ", false, 0}, {".", false, 0}, {"-", false, 0}, {"12a", false, 0},
            {"1.2.3", false, 0}, {"1,234.00", false, 0}, {"12 34", false, 0}, {"1e3", false, 0},
            {"99999999999999999999", false, 0}};
        // clang-format on
        for (const auto& [text, valid, paise] : cases) {
            const auto m = Money::parse(text);
            QVERIFY2(m.has_value() == valid && (!valid || m->paise() == paise), qPrintable(text));
            QCOMPARE(Money::fromText(text).paise(), paise);
        }
    }

    void moneyFormsSumsAndWords() {
        const std::pair<Money, QString> formatted[] = {
            {Money::fromPaise(123450), u"1234.50"_s},
            {Money::fromPaise(-75), u"-0.75"_s},
            {Money::fromPaise(5), u"0.05"_s},
            {Money(), u"0.00"_s},
            {Money::fromRupees(123456789), u"123456789.00"_s}};  // no grouping
        for (const auto& [m, text] : formatted)
            QCOMPARE(m.toString(), text);
        QCOMPARE(Money::fromText(Money::fromPaise(-100001).toString()).paise(), qint64(-100001));
        // SQLite hands NUMERIC back as REAL, the nearest paisa being the stored amount;
        // PostgreSQL exact text; a whole number column value is rupees; NULL reads as zero.
        // clang-format off
        const std::pair<QVariant, qint64> read[] = {
            {0.1 + 0.2, 30}, {1234.56, 123456}, {-0.07, -7}, {12345678.91, 1234567891}, {u"1234.50"_s, 123450},
            {u"-0.75"_s, -75}, {qint64(1234), 123400}, {7, 700}, {QVariant(), 0},
            {QVariant(QMetaType(QMetaType::QString)), 0}};
        // clang-format on
        for (const auto& [stored, paise] : read)
            QCOMPARE(Money::fromVariant(stored).paise(), paise);
        QCOMPARE(Money::fromPaise(123450).toVariant().toString(), u"1234.50"_s);  // bound as exact text
        // A thousand receipts of 0.10 and 0.20, through their database forms, sum to the paisa.
        Money viaReal, viaText;
        for (int i = 0; i < 1000; ++i) {
            viaReal += Money::fromVariant(QVariant(0.1)) + Money::fromVariant(QVariant(0.2));
            viaText += Money::fromVariant(QVariant(QStringLiteral("0.10"))) + Money::fromText(QStringLiteral("0.2"));
        }
        QCOMPARE(viaReal.toString(), QStringLiteral("300.00"));
        QCOMPARE(viaText, viaReal);
        Money debit, credit;
        for (int i = 1; i <= 10000; ++i) {
            debit += Money::fromPaise(i * 7 + 1);
            credit -= Money::fromText(QStringLiteral("0.01"));
        }
        QCOMPARE(debit.paise(), qint64(7LL * 10000 * 10001 / 2 + 10000));
        QCOMPARE((debit + credit).paise(), qint64(7LL * 10000 * 10001 / 2));
        QVERIFY(Money::fromPaise(-1) < Money() && (Money::fromPaise(5) - Money::fromPaise(5)).isZero());
        // Whole rupees, halves to the even rupee, the paise never spelled.
        const std::pair<qint64, QString> spelled[] = {{123450, u"One Thousand Two Hundred and Thirty Four"_s},
                                                      {123550, u"One Thousand Two Hundred and Thirty Six"_s},
                                                      {123451, u"One Thousand Two Hundred and Thirty Five"_s},
                                                      {9999950, u"One Lakh"_s},
                                                      {50, QString()}};
        for (const auto& [paise, words] : spelled)
            QCOMPARE(AmountInWords(Money::fromPaise(paise)), words);
        QCOMPARE(amountInWordsPhrase(Money::fromText("2500.00")), u"Two Thousand Five Hundred Rupees Only /-"_s);
        QCOMPARE(amountInWordsPhrase(Money()), u" Rupees Only /-"_s);
        QCOMPARE(AmountInWords(-105), u"Minus One Hundred and Five"_s);
        QVERIFY(AmountInWords(std::numeric_limits<qint64>::min()).startsWith(u"Minus Ninety Two Thousand"_s));
    }

    void roundedRupees() {
        const std::pair<qint64, qint64> cases[] = {{123450, 1234}, {123550, 1236}, {123449, 1234}, {123451, 1235},
                                                   {50, 0},        {-50, 0},       {-150, -2},     {-251, -3}};
        for (const auto& [paise, rupees] : cases)
            QCOMPARE(Money::fromPaise(paise).roundedRupees(), rupees);
    }

    // Spelled in lakhs and crores: each word of the tables once, " and " before the last group
    // (99 below a crore, 999 below a lakh, 99 below a thousand, any rest below a hundred), and
    // beyond 32 bits crores of crores.
    void worked() {
        // clang-format off
        const std::pair<qint64, const char*> cases[] = {
            {0, ""}, {7, "Seven"}, {40, "Fourty"}, {105, "One Hundred and Five"}, {1005, "One Thousand and Five"},
            {12345, "Twelve Thousand Three Hundred and Fourty Five"}, {100000, "One Lakh"},
            {100500, "One Lakh and Five Hundred"}, {250000, "Two Lakh Fifty Thousand"},
            {10000050, "One Crore and Fifty"}, {10000500, "One Crore Five Hundred"},
            {12500000, "One Crore Twenty Five Lakh"}, {19, "Nineteen"}, {13017, "Thirteen Thousand and Seventeen"},
            {2030, "Two Thousand and Thirty"}, {6070809, "Sixty Lakh Seventy Thousand Eight Hundred and Nine"},
            {99, "Ninety Nine"}, {1112, "One Thousand One Hundred and Twelve"},
            {10000099, "One Crore and Ninety Nine"}, {10000100, "One Crore One Hundred"},
            {100999, "One Lakh and Nine Hundred and Ninety Nine"}, {101000, "One Lakh One Thousand"},
            {1099, "One Thousand and Ninety Nine"}, {1100, "One Thousand One Hundred"}, {101, "One Hundred and One"},
            {900, "Nine Hundred"},
            {2147483647,
             "Two Hundred and Fourteen Crore Seventy Four Lakh Eighty Three Thousand Six Hundred and Fourty Seven"},
            {2147483648,
             "Two Hundred and Fourteen Crore Seventy Four Lakh Eighty Three Thousand Six Hundred and Fourty Eight"},
            {99999999999LL,
             "Nine Thousand Nine Hundred and Ninety Nine Crore Ninety Nine Lakh Ninety "
             "Nine Thousand Nine Hundred and Ninety Nine"},
            {1000000000000LL, "One Lakh Crore"},
            {100000000000000LL, "One Crore Crore"},
            {100000000000001LL, "One Crore Crore and One"},
            {std::numeric_limits<qint64>::max(),
             "Ninety Two Thousand Two Hundred and Thirty Three Crore Seventy Two Lakh Three Thousand Six Hundred "
             "and Eighty Five Crore Fourty Seven Lakh Seventy Five Thousand Eight Hundred and Seven"}};
        // clang-format on
        for (const auto& [n, words] : cases)
            QCOMPARE(AmountInWords(n), QString::fromUtf8(words));
    }
};

QTEST_GUILESS_MAIN(TstRecords)
#include "tst_records.moc"
