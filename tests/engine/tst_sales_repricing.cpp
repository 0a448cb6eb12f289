// A quotation and the live booking made from it carry one price: a line added, changed or
// deleted moves the quotation's and the booking's grand total, the booking's debit, the
// booking's balance and the party's ledger together, in the line's own transaction, on the
// demo books; a booking whose own lock is set is never re-priced, so the line is refused.
#include "data/BooksCheck.h"
#include "data/TransactionRecords.h"
#include "engine/DocumentState.h"
#include "engine/admin/DemoData.h"
#include "engine/sales/QuotationLines.h"
#include "support/BehindTheBack.h"
#include "support/Drive.h"
#include "support/SaveProtocol.h"
#include "support/TestDb.h"

#include <QtTest>

using namespace tarvic;
using namespace tarvic::test;

namespace {

const QString kUser = QStringLiteral("SALES DESK");
const QStringList kTables{QStringLiteral("M_TBL_QUOTATION"), QStringLiteral("M_TBL_TRANSACTION"),
                          QStringLiteral("MST_COUNTER2")};

// The demo books: quotation 1 and booking 1 made from it, of DEMO ASHA NAIR.
struct DemoBooks {
    TestDb t;
    qint64 quotation = 1;
    qint64 booking = 0;
    qint64 party = 0;
    DemoBooks() {
        addDemoData(db());
        const auto row = db().firstRow(QStringLiteral("SELECT DOC_NO, PARTY_CODE FROM M_TBL_TRANSACTION WHERE "
                                                      "DOC_CODE='CBPT01' AND QUOTATION_NO=? AND ") +
                                           sql::live(),
                                       {quotation});
        booking = row->value(0).toLongLong();
        party = row->value(1).toLongLong();
    }
    Database& db() { return t.db(); }
    // A GUIDE CHARGES line of qty x rate, new (line 0) or over a stored one.
    qint64 guide(qint64 line, int qty, qint64 rate) {
        const Money total = Money::fromRupees(qty * rate);
        return storeQuotationLine(db(), kUser,
                                  {quotation,
                                   line,
                                   QStringLiteral("OTHRCHRG"),
                                   {{QStringLiteral("TOUR_DATE"), QDate(2026, 12, 11)},
                                    {QStringLiteral("OTHRCHRG_CODE"), QStringLiteral("GUIDE")},
                                    {QStringLiteral("NOOF_OTHRCHRG"), qty},
                                    {QStringLiteral("OTHRCHRG_RATE"), Money::fromRupees(rate).toVariant()},
                                    {QStringLiteral("TOTL_OTHRCHRG"), total.toVariant()},
                                    {QStringLiteral("TOTAL_AMOUNT"), total.toVariant()}},
                                   {},
                                   0});
    }
    // The quotation's grand total, the booking's grand total and debit, its balance and the
    // party's ledger balance.
    QStringList figures() {
        TransactionRecords records(db(), kUser);
        const auto money = [&](const QString& sql, qint64 key) {
            return Money::fromVariant(db().scalar(sql, {key})).toString();
        };
        return {
            money(QStringLiteral("SELECT GRAND_TOTAL FROM M_TBL_QUOTATION WHERE DOC_CODE='QGBL01' AND DOC_NO=?"),
                  quotation),
            money(QStringLiteral("SELECT GRAND_TOTAL FROM M_TBL_TRANSACTION WHERE DOC_CODE='CBPT01' AND DOC_NO=?"),
                  booking),
            money(QStringLiteral("SELECT DB_AMT FROM M_TBL_TRANSACTION WHERE DOC_CODE='CBPT01' AND DOC_NO=?"), booking),
            records.balance(QStringLiteral("LDOP"), {.party = party, .booking = booking}).toString(),
            records.balance(QStringLiteral("LDOP"), {.party = party}).toString()};
    }
};

// The figures moved from the demo's by delta rupees of grand total.
QStringList moved(const QStringList& start, qint64 delta) {
    QStringList out;
    for (const QString& f : start)
        out << (Money::fromInput(f) + Money::fromRupees(delta)).toString();
    return out;
}

}  // namespace

class TstSalesRepricing : public QObject {
    Q_OBJECT
private slots:
    // Add, change and delete of a line: after each, quotation and booking at the new grand
    // total (lines + 10 % commission + 5 % tax, to whole rupees), the booking's description
    // naming it, both balances moved by the difference, and the books sound.
    void lineChangesRepriceQuotationAndBookingTogether() {
        DemoBooks demo;
        const QStringList start = demo.figures();
        QCOMPARE(start.mid(0, 3), (QStringList{"39270.00", "39270.00", "39270.00"}));
        qint64 line = 0;
        struct Step {
            const char* what;
            std::function<void()> change;
            qint64 grandTotal;
        };
        const Step steps[] = {
            {"add 2 x 1000", [&] { line = demo.guide(0, 2, 1000); }, 41580},
            {"change to 3 x 1000", [&] { demo.guide(line, 3, 1000); }, 42735},
            {"change to 1 x 1", [&] { demo.guide(line, 1, 1); }, 39271},
            {"delete", [&] { deleteQuotationLine(demo.db(), kUser, demo.quotation, line, "OTHRCHRG", false); }, 39270},
        };
        for (const Step& s : steps) {
            s.change();
            QVERIFY2(demo.figures() == moved(start, s.grandTotal - 39270),
                     qPrintable(QStringLiteral("%1: %2").arg(s.what, demo.figures().join(' '))));
            QCOMPARE(demo.db()
                         .scalar("SELECT DOC_DESC FROM M_TBL_TRANSACTION WHERE DOC_CODE='CBPT01' AND DOC_NO=?",
                                 {demo.booking})
                         .toString()
                         .section(' ', 0, 1),
                     QStringLiteral("RS %1.00").arg(s.grandTotal));
            QCOMPARE(checkBooks(demo.db()).problems, QStringList());
        }
    }

    // A booking whose own lock is set keeps its price: adding, changing or deleting a line of
    // its quotation is refused naming it, nothing written and no line number used. A
    // cancelled booking is never rewritten, and the line goes through; the booking's other
    // locks do not guard its price.
    void lockedBookingRefusesTheLine_data() {
        QTest::addColumn<QString>("booking");
        QTest::addColumn<QString>("outcome");
        QTest::newRow("locked") << "LCK_CBPT='Y'"
                                << "refused";
        QTest::newRow("cancelled") << "DOC_STATUS='CNCL'"
                                   << "booking untouched";
        QTest::newRow("other locks") << "LCK_MONEYRCPT='Y', LCK_ANCP01='Y', LCK_PAYMENT='Y', LCK_QUOT='N'"
                                     << "booking follows";
    }
    void lockedBookingRefusesTheLine() {
        QFETCH(QString, booking);
        QFETCH(QString, outcome);
        DemoBooks demo;
        const qint64 line = demo.guide(0, 2, 1000);
        behindTheBack(demo.db(), [&] {
            demo.db().exec("UPDATE M_TBL_TRANSACTION SET " + booking + " WHERE DOC_CODE='CBPT01' AND DOC_NO=?",
                           {demo.booking});
        });
        const QString bookingRow =
            QStringLiteral("SELECT * FROM M_TBL_TRANSACTION WHERE DOC_CODE='CBPT01' AND DOC_NO=%1").arg(demo.booking);
        const QStringList bookingBefore = lines(demo.db(), bookingRow);
        const std::pair<const char*, std::function<void()>> changes[] = {
            {"add", [&] { demo.guide(0, 1, 500); }},
            {"change", [&] { demo.guide(line, 5, 1000); }},
            {"delete", [&] { deleteQuotationLine(demo.db(), kUser, demo.quotation, line, "OTHRCHRG", false); }},
        };
        for (const auto& [what, change] : changes) {
            const Footprint before = footprint(demo.db(), kTables);
            QString message;
            try {
                change();
            } catch (const DbError& e) {
                message = e.message();
                QCOMPARE(e.kind(), DbError::Kind::Refused);
            }
            const QStringList f = demo.figures();
            if (outcome == "refused") {
                QCOMPARE(message, QStringLiteral("CANNOT PROCEED, CBPT NO %1 IS LOCKED ....").arg(demo.booking));
                QVERIFY2(footprint(demo.db(), kTables) == before, what);
            } else if (outcome == "booking untouched") {
                QCOMPARE(message, QString());
                QCOMPARE(lines(demo.db(), bookingRow), bookingBefore);
            } else {
                QCOMPARE(message, QString());
                QVERIFY2(f[1] == f[0] && f[2] == f[0], qPrintable(f.join(' ')));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TstSalesRepricing)
#include "tst_sales_repricing.moc"
