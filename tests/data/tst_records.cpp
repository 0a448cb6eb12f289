// Numbering and transaction records: documents saved whole or not at all, balances over the
// named code lists, cancellation of a pair, invoice lines.
#include "support/Documents.h"
#include "support/Drive.h"
#include "support/TestDb.h"

#include "data/Moments.h"
#include "data/Numbering.h"
#include "data/TransactionRecords.h"

#include <QtTest>

using namespace tarvic;
using namespace tarvic::test;

namespace {

int rows(Database& db, const QString& code) {
    return int(count(db, QStringLiteral("M_TBL_TRANSACTION"), QStringLiteral("DOC_CODE=?"), {code}));
}

}  // namespace

class TstRecords : public QObject {
    Q_OBJECT
private slots:
    void counters() {
        TestDb t;
        Numbering n(t.db());
        // a new code starts at 0: its first number is 1, and the row now exists
        QCOMPARE(n.Get_Counter(QStringLiteral("NEWCODE")), 1);
        QCOMPARE(n.next(QStringLiteral("NEWCODE")), 1);
        QCOMPARE(n.next(QStringLiteral(" NEWCODE ")), 2);  // trimmed: the same counter
        QCOMPARE(n.Get_Counter(QStringLiteral("NEWCODE")), 3);
        QCOMPARE(n.Get_Counter(QStringLiteral("NEWCODE")), 3);  // peeking takes nothing
        // a reset to 100 makes the next number 101
        n.Upd_Counter(QStringLiteral("NEWCODE"), 100);
        QCOMPARE(n.next(QStringLiteral("NEWCODE")), 101);
        // storing into a missing counter creates it instead of failing
        n.Upd_Counter(QStringLiteral("MISSING"), 7);
        QCOMPARE(n.next(QStringLiteral("MISSING")), 8);
        // line numbers: per quotation, shared by every kind of line
        QCOMPARE(n.nextLine(QStringLiteral("10")), 1);
        QCOMPARE(n.nextLine(QStringLiteral("10")), 2);
        QCOMPARE(n.nextLine(QStringLiteral("11")), 1);
        QCOMPARE(n.nextLine(QStringLiteral("10")), 3);
        QCOMPARE(n.Get_Counter2(QStringLiteral("11")), 2);
        n.Upd_Counter2(QStringLiteral("11"), 5);
        QCOMPARE(n.nextLine(QStringLiteral("11")), 6);
        // numbers beyond 32 bits
        n.Upd_Counter(QStringLiteral("BIG"), 4'294'967'296LL);
        QCOMPARE(n.next(QStringLiteral("BIG")), 4'294'967'297LL);
    }

    void savingAPairAndSavingItAgain() {
        TestDb t;
        Database& db = t.db();
        // amounts in paise, so that both engines print them alike
        const auto pair = [&](qint64 no) {
            return lines(db, QStringLiteral("SELECT DOC_CODE, CAST(ROUND(DB_AMT * 100) AS BIGINT), CAST(ROUND(CR_AMT * 100) "
                                            "AS BIGINT), TO_ACC, IN_DOCNO, PARTY_CODE, DOC_STATUS, CREATED_BY, UPDATE_BY "
                                            "FROM M_TBL_TRANSACTION WHERE DOC_NO=? ORDER BY DOC_CODE DESC"),
                         {no});
        };
        TransactionRecords tr(db, QStringLiteral("FIRST USER"));
        const qint64 no = tr.save(receipt(7, 42, QStringLiteral("5000.50")));
        QCOMPARE(no, 1);
        QCOMPARE(pair(no), (QStringList{"FRDB01|500050|0|FRDB01|7|42|APPRV|FIRST USER|FIRST USER",
                                        "FRCR01|0|500050|FRCR01|7|42|APPRV|FIRST USER|FIRST USER"}));
        QVERIFY(momentFromDb(db.scalar(QStringLiteral("SELECT CREATED_ON FROM M_TBL_TRANSACTION WHERE DOC_NO=1"))).isValid());

        // saved again under its number by someone else: rows updated in place, created kept,
        // counter untouched, no third row
        QCOMPARE(TransactionRecords(db, QStringLiteral("SECOND USER")).save(receipt(7, 42, QStringLiteral("6000"), no)), no);
        QCOMPARE(pair(no), (QStringList{"FRDB01|600000|0|FRDB01|7|42|APPRV|FIRST USER|SECOND USER",
                                        "FRCR01|0|600000|FRCR01|7|42|APPRV|FIRST USER|SECOND USER"}));
        QCOMPARE(counter(db, QStringLiteral("FRDB01")), 1);
        QCOMPARE(tr.save(receipt(7, 42, QStringLiteral("1"))), 2);
    }

    void nullSideAndInvoiceLines() {
        TestDb t;
        Database& db = t.db();
        TransactionRecords tr(db, QStringLiteral("U"));
        // a bank debit posting leaves its debit empty (NULL), not 0
        Document bank = posting(QStringLiteral("BDAP01"), 0, 5, QStringLiteral("250"));
        bank.nullOther = true;
        tr.save(bank);
        QVERIFY(db.scalar(QStringLiteral("SELECT DB_AMT FROM M_TBL_TRANSACTION WHERE DOC_CODE='BDAP01'")).isNull());
        // a party whose rows are all credits with empty debits still gets its balance
        QCOMPARE(tr.balanceOf({QStringLiteral("BDAP01")}, {.party = 5}).toString(), QStringLiteral("-250.00"));

        // invoice lines are replaced whole on every save
        Document inv;
        inv.code = QStringLiteral("INV001");
        inv.booking = 3;
        for (int i = 0; i < 3; ++i)
            inv.lines.push_back({{QStringLiteral("INV_AMT"), Money::fromRupees(100 * (i + 1)).toVariant()}});
        inv.number = tr.save(inv);
        QCOMPARE(rows(db, QStringLiteral("INV002")), 3);
        inv.lines.resize(1);
        tr.save(inv);
        QCOMPARE(rows(db, QStringLiteral("INV002")), 1);
        QCOMPARE(db.scalar(QStringLiteral("SELECT INV_DETSLNO FROM M_TBL_TRANSACTION WHERE DOC_CODE='INV002'")).toInt(), 1);
        QCOMPARE(rows(db, QStringLiteral("INV001")), 1);
        QVERIFY(db.scalar(QStringLiteral("SELECT DB_AMT FROM M_TBL_TRANSACTION WHERE DOC_CODE='INV001'")).isNull());
    }

    void balancesOverCodeLists() {
        TestDb t;
        Database& db = t.db();
        TransactionRecords tr(db, QStringLiteral("U"));
        const qint64 customer = 100, hotel = 200;
        // nothing at all: zero, not NULL
        QCOMPARE(tr.balance(QStringLiteral("PTBAL"), {.party = customer, .booking = 1}).paise(), 0);
        const qint64 b = tr.save(booking(customer, QStringLiteral("10000")));
        const qint64 r1 = tr.save(receipt(b, customer, QStringLiteral("3000.25")));
        tr.save(receipt(b, customer, QStringLiteral("1000")));
        // a hotel's bill for the booking and a payment to the hotel
        tr.save(posting(QStringLiteral("ANCP01"), b, hotel, QStringLiteral("4500")));
        tr.save(posting(QStringLiteral("FTCR01"), b, hotel, QStringLiteral("2000"), QDate(2026, 11, 6)));

        // the customer owes the booking less the receipts (FRCR01 side)
        QCOMPARE(tr.balance(QStringLiteral("PTBAL"), {.party = customer, .booking = b}).toString(), QStringLiteral("5999.75"));
        QCOMPARE(tr.balance(QStringLiteral("LDOP"), {.party = customer}).toString(), QStringLiteral("5999.75"));
        // we owe the hotel its bill less the payment (FTDB01 side)
        QCOMPARE(tr.balance(QStringLiteral("LDOP"), {.party = hotel}).toString(), QStringLiteral("-2500.00"));
        QCOMPARE((-tr.balance(QStringLiteral("ANCPBAL1"), {.party = hotel, .booking = b})).toString(), QStringLiteral("2500.00"));
        // the cash side of the receipts is what the bank book sees
        QCOMPARE(tr.balance(QStringLiteral("CRDB"), {.party = customer}).toString(), QStringLiteral("4000.25"));
        // ledger as of a date before the receipts
        QCOMPARE(tr.balance(QStringLiteral("LDOP"), {.party = customer, .until = QDateTime(QDate(2026, 11, 30), QTime())})
                     .toString(), QStringLiteral("10000.00"));

        // a cancelled receipt leaves every sum, on both its rows
        QCOMPARE(tr.cancel(QStringLiteral("FRDB01"), r1, QStringLiteral("BOUNCED 'CHEQUE'")), 2);
        QCOMPARE(db.scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_TRANSACTION WHERE DOC_NO=? AND DOC_CODE IN "
                                          "('FRDB01','FRCR01') AND DOC_STATUS='CNCL' AND CNCL_BY='U' AND CNCL_ON IS NOT NULL "
                                          "AND REASON_CNCL='BOUNCED ''CHEQUE'''"), {r1}).toInt(), 2);
        QCOMPARE(tr.balance(QStringLiteral("PTBAL"), {.party = customer, .booking = b}).toString(), QStringLiteral("9000.00"));
        QCOMPARE(tr.balance(QStringLiteral("CRDB"), {.party = customer}).toString(), QStringLiteral("1000.00"));
    }

    void codeListsAreParsedNotPasted() {
        QCOMPARE(TransactionRecords::parseCodeList(QStringLiteral("'CBPT01', 'FRCR01','FTREF02'")),
                 (QStringList{QStringLiteral("CBPT01"), QStringLiteral("FRCR01"), QStringLiteral("FTREF02")}));
        QVERIFY_THROWS_EXCEPTION(DbError, TransactionRecords::parseCodeList(QStringLiteral("'A') OR 1=1 --")));
        QVERIFY_THROWS_EXCEPTION(DbError, TransactionRecords::parseCodeList(QStringLiteral("CBPT01")));
        TestDb t;
        TransactionRecords tr(t.db(), QStringLiteral("U"));
        // an unknown list sums nothing
        QCOMPARE(tr.balance(QStringLiteral("NOSUCHLIST"), {}).paise(), 0);
    }

    // A cancelled document is never rewritten: saving it again is refused and changes nothing.
    void aCancelledDocumentIsNotSavedAgain() {
        TestDb t;
        Database& db = t.db();
        TransactionRecords tr(db, QStringLiteral("U"));
        const qint64 no = tr.save(receipt(7, 42, QStringLiteral("500")));
        QCOMPARE(tr.cancel(QStringLiteral("FRDB01"), no, QStringLiteral("BOUNCED")), 2);
        try {
            tr.save(receipt(7, 42, QStringLiteral("900"), no));
            QFAIL("a cancelled receipt was saved again");
        } catch (const DbError& e) {
            QCOMPARE(e.kind(), DbError::Kind::Cancelled);
        }
        QCOMPARE(db.scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_TRANSACTION WHERE DOC_NO=? AND DOC_STATUS='CNCL' "
                                          "AND DB_AMT + CR_AMT = 500"),
                           {no})
                     .toInt(),
                 2);
    }

    // An update aimed at a number with no rows is reported and adds nothing; a new document
    // takes a new number.
    void anUpdateNeverFallsThroughToAnInsert() {
        TestDb t;
        Database& db = t.db();
        TransactionRecords tr(db, QStringLiteral("U"));
        const qint64 no = tr.save(receipt(7, 42, QStringLiteral("500")));
        for (const auto& [number, booking] : {std::pair<qint64, qint64>{no + 5, 7}, {no, 8}}) {
            try {
                tr.save(receipt(booking, 42, QStringLiteral("100"), number));
                QFAIL("an update created rows");
            } catch (const DbError& e) {
                QCOMPARE(e.kind(), DbError::Kind::Changed);
                QCOMPARE(e.message(), QString::fromLatin1(kChangedByAnotherUser));
            }
        }
        QCOMPARE(rows(db, QStringLiteral("FRDB01")) + rows(db, QStringLiteral("FRCR01")), 2);
        QCOMPARE(tr.save(receipt(7, 42, QStringLiteral("100"))), no + 1);
    }

    // A second cancellation changes nothing and keeps the first one's who, when and why.
    void cancellingTwiceKeepsTheFirstCancellation() {
        TestDb t;
        Database& db = t.db();
        const qint64 no = TransactionRecords(db, QStringLiteral("FIRST")).save(receipt(7, 42, QStringLiteral("500")));
        db.exec(QStringLiteral("UPDATE M_TBL_TRANSACTION SET DOC_STATUS='CNCL', CNCL_BY='FIRST', REASON_CNCL='WHY', "
                               "CNCL_ON=? WHERE DOC_CODE='FRDB01'"),
                {QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5))});
        // the half left live is cancelled; the cancelled half is not touched
        QCOMPARE(TransactionRecords(db, QStringLiteral("SECOND"))
                     .cancel(QStringLiteral("FRDB01"), no, QStringLiteral("AGAIN")),
                 1);
        QCOMPARE(TransactionRecords(db, QStringLiteral("THIRD"))
                     .cancel(QStringLiteral("FRDB01"), no, QStringLiteral("AGAIN")),
                 0);
        const auto first = db.firstRow(QStringLiteral("SELECT * FROM M_TBL_TRANSACTION WHERE DOC_CODE='FRDB01'"));
        QCOMPARE(first->value("CNCL_BY").toString(), QStringLiteral("FIRST"));
        QCOMPARE(first->value("REASON_CNCL").toString(), QStringLiteral("WHY"));
        QCOMPARE(momentFromDb(first->value("CNCL_ON")), QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)));
        QCOMPARE(db.scalar(QStringLiteral("SELECT CNCL_BY FROM M_TBL_TRANSACTION WHERE DOC_CODE='FRCR01'")).toString(),
                 QStringLiteral("SECOND"));
    }

    // The save's own check runs inside the transaction: a refusal carries the window's
    // message, writes no row and uses no number. The booking check reads the kind's lock.
    void aRefusingCheckLeavesNothing() {
        TestDb t;
        Database& db = t.db();
        TransactionRecords tr(db, QStringLiteral("U"));
        const qint64 b = tr.save(booking(1, QStringLiteral("1000")));
        const auto counter = [&] {
            return db.scalar(QStringLiteral("SELECT COALESCE(MAX(COUNTER),0) FROM MST_COUNTER WHERE CODE='FRDB01'"))
                .toLongLong();
        };
        const qint64 before = counter();
        const QString message = QStringLiteral("CANNOT PROCEED, BOOKING IS LOCKED ....");
        const SaveCheck open = [&] { return tr.bookingOpen(QStringLiteral("FRDB01"), b) ? QString() : message; };
        db.exec(QStringLiteral("UPDATE M_TBL_TRANSACTION SET LCK_MONEYRCPT='Y' WHERE DOC_CODE='CBPT01'"));
        try {
            tr.save(receipt(b, 1, QStringLiteral("10")), open);
            QFAIL("a refused save went through");
        } catch (const DbError& e) {
            QCOMPARE(e.kind(), DbError::Kind::Refused);
            QCOMPARE(e.message(), message);
        }
        QCOMPARE(rows(db, QStringLiteral("FRDB01")), 0);
        QCOMPARE(counter(), before);
        // another kind's lock does not guard receipts; a NULL lock reads as 'N'
        db.exec(
            QStringLiteral("UPDATE M_TBL_TRANSACTION SET LCK_MONEYRCPT=NULL, LCK_PAYMENT='Y' WHERE DOC_CODE='CBPT01'"));
        QCOMPARE(tr.save(receipt(b, 1, QStringLiteral("10")), open), before + 1);
        QVERIFY(!tr.bookingOpen(QStringLiteral("FTCR01"), b));
        tr.cancel(QStringLiteral("CBPT01"), b, QStringLiteral("GONE"));
        QVERIFY(!tr.bookingOpen(QStringLiteral("FRDB01"), b));
    }

    // A bulk posting: one number, one pair per booking, each booking's pair its own key.
    void aBulkPostingSharesOneNumber() {
        TestDb t;
        Database& db = t.db();
        TransactionRecords tr(db, QStringLiteral("U"));
        const qint64 no = tr.save(
            std::vector<Document>{receipt(11, 5, QStringLiteral("1000")), receipt(12, 5, QStringLiteral("2000"))});
        QCOMPARE(tr.balanceOf({QStringLiteral("FRCR01")}, {.booking = 12}).toString(), QStringLiteral("-2000.00"));
        tr.save(std::vector<Document>{receipt(11, 5, QStringLiteral("1500"), no),
                                      receipt(12, 5, QStringLiteral("2000"), no)});
        QCOMPARE(tr.balanceOf({QStringLiteral("FRCR01")}, {.booking = 11}).toString(), QStringLiteral("-1500.00"));
        QCOMPARE(rows(db, QStringLiteral("FRCR01")), 2);
        QCOMPARE(tr.cancel(QStringLiteral("FRDB01"), no, QStringLiteral("X")), 4);
    }

    // A document the caller put together wrongly is refused before anything is written.
    void malformedDocumentsAreRefused() {
        TestDb t;
        TransactionRecords tr(t.db(), QStringLiteral("U"));
        Document unknown = receipt(7, 42, QStringLiteral("1")), unbooked = unknown, lined = unknown, linked = unknown,
                 badColumn = unknown, mixed = unknown, single = booking(1, QStringLiteral("1"));
        unknown.code = QStringLiteral("NOSUCH");
        unbooked.booking = 0;
        lined.lines = {{{QStringLiteral("INV_AMT"), QStringLiteral("1")}}};
        linked.columns.push_back({QStringLiteral("IN_DOCNO"), 9});
        badColumn.columns.push_back({QStringLiteral("X; DROP"), 1});
        mixed.number = 3;
        const std::vector<std::vector<Document>> cases{
            {}, {unknown}, {unbooked}, {lined}, {linked}, {badColumn}, {unknown, mixed}, {single, single}};
        for (const auto& parts : cases)
            QVERIFY_THROWS_EXCEPTION(DbError, tr.save(parts));
        QCOMPARE(count(t.db(), QStringLiteral("M_TBL_TRANSACTION")), 0);
    }

    // The layer is made to refuse the Nth statement of a save, for every N: afterwards the
    // document is whole or absent, the counter agrees, and the caller was told.
    void failureAtEveryStatement() {
        TestDb t;
        Database& db = t.db();
        TransactionRecords tr(db, QStringLiteral("U"));
        int n = 1;
        for (;; ++n) {
            const int before = rows(db, QStringLiteral("FRDB01"));
            db.failStatement(n);
            bool told = false;
            try {
                tr.save(receipt(1, 1, QStringLiteral("99.99")));
            } catch (const DbError&) {
                told = true;
            }
            db.failStatement(0);
            const int frdb = rows(db, QStringLiteral("FRDB01"));
            QCOMPARE(rows(db, QStringLiteral("FRCR01")), frdb);
            const qint64 counter = db.scalar(QStringLiteral("SELECT COALESCE(MAX(COUNTER),0) FROM MST_COUNTER WHERE CODE='FRDB01'")).toLongLong();
            const qint64 highest = db.scalar(QStringLiteral("SELECT COALESCE(MAX(DOC_NO),0) FROM M_TBL_TRANSACTION WHERE DOC_CODE='FRDB01'")).toLongLong();
            QCOMPARE(counter, highest);
            if (!told) {
                QCOMPARE(frdb, before + 1);
                break;  // N beyond the save's last statement: it went through
            }
            QCOMPARE(frdb, before);
            QVERIFY(n < 50);
        }
        QVERIFY2(n >= 3, "a paired save runs at least its number and its two rows");
    }
};

QTEST_GUILESS_MAIN(TstRecords)
#include "tst_records.moc"
