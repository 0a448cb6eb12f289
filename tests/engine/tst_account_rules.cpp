// The accounts' operations without their windows: a bulk posting refused for any line whose
// booking cannot take it at the moment of the save (nothing written, no number used), and
// saved as one pair per line otherwise; the unsettled bookings of a party; an account of a
// document code kept while a live or pending document names it.
#include "data/Numbering.h"
#include "data/TransactionRecords.h"
#include "engine/DocumentState.h"
#include "engine/accounts/BulkPostings.h"
#include "engine/admin/DocumentAccounts.h"
#include "support/Documents.h"
#include "support/TestDb.h"

#include <QtTest>

using namespace tarvic;
using namespace tarvic::test;
using namespace Qt::StringLiterals;

namespace {

constexpr qint64 kParty = 42;

struct Books {
    TestDb t;
    Database& db = t.db();
    TransactionRecords records{db, u"TESTER"_s};

    Books() { db.exec(u"INSERT INTO M_TBL_PARTY (PARTY_CODE, PARTY_NAME) VALUES (?, 'BULK PARTY')"_s, {kParty}); }
    qint64 newBooking(const QString& amount = u"8000"_s) { return records.save(booking(kParty, amount)); }
    qint64 counter(const QString& code) { return Numbering(db).Get_Counter(code) - 1; }
    int rowsOf(const QString& code) {
        return db.scalar(u"SELECT COUNT(*) FROM M_TBL_TRANSACTION WHERE DOC_CODE=?"_s, {code}).toInt();
    }
    BulkPosting posting(std::vector<BulkLine> lines) {
        return {u"FRDB01"_s, QDate(2026, 12, 2), kParty, 0, 0, u"77"_s, {}, u"BULK"_s, u"REMARKS"_s, std::move(lines)};
    }
};

}  // namespace

class AccountRules : public QObject {
    Q_OBJECT
private slots:
    void bulkPostingRefusesALineItsBookingCannotTake_data() {
        QTest::addColumn<QString>("change");  // done to the second booking after its line was added
        QTest::addColumn<QString>("message");
        QTest::newRow("cancelled") << u"UPDATE M_TBL_TRANSACTION SET DOC_STATUS='%1' WHERE DOC_CODE='CBPT01' AND "
                                      "DOC_NO=?"_s.arg(status::kCancelled)
                                   << u"CANNOT PROCEED, CBPT NO %1 IS CANCELLED ...."_s;
        QTest::newRow("receipts locked") << u"UPDATE M_TBL_TRANSACTION SET LCK_MONEYRCPT='Y' WHERE DOC_CODE='CBPT01' "
                                            "AND DOC_NO=?"_s
                                         << u"CANNOT PROCEED, CBPT NO %1 IS LOCKED ...."_s;
        QTest::newRow("deleted") << u"DELETE FROM M_TBL_TRANSACTION WHERE DOC_CODE='CBPT01' AND DOC_NO=?"_s
                                 << u"CANNOT PROCEED, CBPT NO %1 DOES NOT EXIST ...."_s;
    }
    void bulkPostingRefusesALineItsBookingCannotTake() {
        QFETCH(QString, change);
        QFETCH(QString, message);
        Books b;
        const qint64 first = b.newBooking(), second = b.newBooking();
        const qint64 before = b.counter(u"FRDB01"_s);
        b.db.exec(change, {second});
        const DbError e = refusalOf([&] {
            postBulk(b.db, u"TESTER"_s,
                     b.posting({{first, Money::fromRupees(1000)}, {second, Money::fromRupees(500)}}));
        });
        QCOMPARE(e.kind(), DbError::Kind::Refused);
        QCOMPARE(e.message(), message.arg(second));
        QCOMPARE(b.rowsOf(u"FRDB01"_s), 0);
        QCOMPARE(b.rowsOf(u"FRCR01"_s), 0);
        QCOMPARE(b.counter(u"FRDB01"_s), before);
    }

    void bulkPostingRefusesABookingTwice() {
        Books b;
        const qint64 first = b.newBooking();
        QVERIFY_THROWS_EXCEPTION(
            DbError, postBulk(b.db, u"TESTER"_s,
                              b.posting({{first, Money::fromRupees(1000)}, {first, Money::fromRupees(200)}})));
        QCOMPARE(b.rowsOf(u"FRDB01"_s), 0);
    }

    // The progress hears every line in order. (One number, a pair per line and each booking's
    // balance down by its own line: tst_vouchers' bulkReceiptOfFiveBookingsReadBack.)
    void bulkPostingSavesAPairPerLine() {
        Books b;
        const qint64 first = b.newBooking(u"8000"_s), second = b.newBooking(u"3000.50"_s);
        QList<qint64> heard;
        const qint64 no = postBulk(b.db, u"TESTER"_s,
                                   b.posting({{first, Money::fromRupees(1000)}, {second, Money::fromRupees(3000)}}),
                                   [&](int done, qint64 booking) {
                                       QCOMPARE(done, heard.size());
                                       heard << booking;
                                   });
        QCOMPARE(heard, (QList<qint64>{first, second}));
        // Read back as saved: the lines in booking order, the head of the first row.
        const auto saved = savedBulkPosting(b.db, u"FRDB01"_s, no);
        QVERIFY(saved);
        QCOMPARE(saved->lines.size(), size_t(2));
        QCOMPARE(saved->lines.at(0).booking, first);
        QCOMPARE(saved->lines.at(1).amount.toString(), u"3000.00"_s);
        QCOMPARE(saved->head.value(u"INSTR_NO"_s).toString(), u"77"_s);
        QVERIFY(!savedBulkPosting(b.db, u"FRDB01"_s, no + 1));

        // A booking settled to the paisa is no longer listed; the other stays, newest first.
        b.records.save(receipt(second, kParty, u"0.50"_s));
        const QStringList codes = b.records.codeList(u"LDOP"_s);
        const auto open = unsettledBookings(b.db, codes, kParty);
        QCOMPARE(open.size(), size_t(1));
        QCOMPARE(open.front().booking, first);
        QCOMPARE(open.front().balance.toString(), u"7000.00"_s);
    }

    // A cancelled document no longer holds its account; a live or a pending one does, even when
    // it was saved after the window looked.
    void accountOfACodeKeptWhileInUse_data() {
        QTest::addColumn<QString>("state");
        QTest::addColumn<bool>("kept");
        QTest::newRow("live") << status::kLive << true;
        QTest::newRow("pending") << status::kPending << true;
        QTest::newRow("cancelled") << status::kCancelled << false;
        QTest::newRow("none") << QString() << false;
    }
    void accountOfACodeKeptWhileInUse() {
        QFETCH(QString, state);
        QFETCH(bool, kept);
        Books b;
        documentAccounts::put(b.db, u"TESTER"_s, u"APCM01"_s, u"TEA"_s, u"TEA AND SNACKS"_s);
        if (!state.isEmpty())
            b.db.exec(
                u"INSERT INTO M_TBL_TRANSACTION (DOC_CODE, DOC_NO, TO_ACC, DOC_STATUS) VALUES "
                "('APCM01', 900, 'TEA', ?)"_s,
                {state});
        QCOMPARE(documentAccounts::inUse(b.db, u"APCM01"_s, u"TEA"_s), kept);
        bool refused = false;
        try {
            documentAccounts::remove(b.db, u"APCM01"_s, u"TEA"_s);
        } catch (const DbError& e) {
            refused = e.kind() == DbError::Kind::Refused;
            QCOMPARE(e.message(), documentAccounts::inUseMessage(u"APCM01"_s, u"TEA"_s));
        }
        QCOMPARE(refused, kept);
        QCOMPARE(b.db.scalar(u"SELECT COUNT(*) FROM M_TBL_DOCUMENTACCOUNT_COMB WHERE DOC_CODE='APCM01' AND "
                             "ACC_CODE='TEA'"_s)
                     .toInt(),
                 kept ? 1 : 0);
    }

    // The codes whose accounts the program relies on are neither added to nor emptied, whoever
    // calls.
    void fixedCodesKeepTheirAccounts() {
        Books b;
        const int before = b.db.scalar(u"SELECT COUNT(*) FROM M_TBL_DOCUMENTACCOUNT_COMB"_s).toInt();
        for (const QString& code : {u"ESSLP01"_s, u"LIDB01"_s, u"LRCR01"_s, u"LRCR02"_s}) {
            QVERIFY(documentAccounts::isFixed(u" %1 "_s.arg(code)));
            QVERIFY_THROWS_EXCEPTION(DbError, documentAccounts::put(b.db, u"T"_s, code, u"NEW"_s, u"NEW"_s));
            QVERIFY_THROWS_EXCEPTION(DbError, documentAccounts::remove(b.db, code, u"NEW"_s));
        }
        QVERIFY(!documentAccounts::isFixed(u"FRDB01"_s));
        QCOMPARE(b.db.scalar(u"SELECT COUNT(*) FROM M_TBL_DOCUMENTACCOUNT_COMB"_s).toInt(), before);
    }
};

QTEST_GUILESS_MAIN(AccountRules)
#include "tst_account_rules.moc"
