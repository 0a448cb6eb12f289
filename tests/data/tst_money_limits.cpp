// The largest amount: what a text or a stored value reads as at the limit and one paisa
// beyond it, the checked arithmetic every figure goes through, the figures of an invoice, a
// quotation and a hotel line at the limit, the round trip and the sums of the database on both
// engines, the save that refuses one paisa more, and the books check that lists it.
#include "data/AmountInWords.h"
#include "data/BooksCheck.h"
#include "data/InvoiceTotals.h"
#include "engine/sales/QuotationLines.h"
#include "engine/sales/QuotationTotals.h"
#include "support/Documents.h"
#include "support/TestDb.h"

#include <QtTest>

using namespace tarvic;
using namespace tarvic::test;
using namespace Qt::StringLiterals;

namespace {

using Kind = Money::Reading::Kind;
const QString kLargest = u"9999999999999.99"_s;
const QString kRefused = u"AMOUNT CANNOT EXCEED 9999999999999.99 ...."_s;

Money m(const char* text) {
    return Money::fromText(QString::fromLatin1(text));
}

// A payment to the party, its amount carried as a posting's line total.
Document payment(qint64 booking, const char* amount) {
    Document d = posting(u"FTCR01"_s, booking, 5, QString::fromLatin1(amount));
    d.columns.emplace_back(u"GRAND_TOTAL"_s, d.amount.toVariant());
    return d;
}

// "-" for a result beyond the limit.
QString shown(const std::optional<Money>& r) {
    return r ? r->toString() : u"-"_s;
}

}  // namespace

class TstMoneyLimits : public QObject {
    Q_OBJECT
private slots:
    // At the limit an amount; a paisa more (typed, rounded up to it, or far beyond) is too large,
    // never empty, malformed or zero.
    void readingAtTheLimit_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("value");  // what fromInput keeps
        QTest::newRow("largest") << kLargest << int(Kind::Amount) << kLargest;
        QTest::newRow("largest negative") << u"-9999999999999.99"_s << int(Kind::Amount) << u"-9999999999999.99"_s;
        QTest::newRow("a paisa more") << u"10000000000000"_s << int(Kind::TooLarge) << u"10000000000000.00"_s;
        QTest::newRow("rounds up to a paisa more")
            << u"9999999999999.995"_s << int(Kind::TooLarge) << u"10000000000000.00"_s;
        QTest::newRow("15 digits rounded by SQLite")
            << u"12345678901234.56"_s << int(Kind::TooLarge) << u"12345678901234.56"_s;
        QTest::newRow("a paisa less, negative")
            << u"-10000000000000.00"_s << int(Kind::TooLarge) << u"-10000000000000.00"_s;
        QTest::newRow("beyond 64 bits") << u"99999999999999999999"_s << int(Kind::TooLarge)
                                        << u"92233720368547758.07"_s;
        QTest::newRow("empty") << u" "_s << int(Kind::Empty) << u"0.00"_s;
        QTest::newRow("malformed") << u"12a"_s << int(Kind::Malformed) << u"0.00"_s;
    }
    void readingAtTheLimit() {
        QFETCH(QString, text);
        QFETCH(int, kind);
        QFETCH(QString, value);
        const Money::Reading r = Money::read(text);
        QCOMPARE(int(r.kind), kind);
        QCOMPARE(Money::fromInput(text).toString(), value);
        QCOMPARE(Money::parse(text).has_value(), kind == int(Kind::Amount));
        QCOMPARE(Money::fromInput(text).withinLimit(), kind != int(Kind::TooLarge));
        // A stored value reads the same: exact text (PostgreSQL) or a REAL (SQLite).
        QCOMPARE(int(Money::read(QVariant(text)).kind), kind);
    }

    void storedValues() {
        const std::pair<QVariant, int> cases[] = {
            {9999999999999.99, int(Kind::Amount)},
            {1e13, int(Kind::TooLarge)},
            {-1.5e20, int(Kind::TooLarge)},
            {u"1.5e+20"_s, int(Kind::TooLarge)},  // SQLite's text for a REAL beyond 15 digits
            {qint64(10'000'000'000'000), int(Kind::TooLarge)},
            {qint64(9'999'999'999'999), int(Kind::Amount)},
        };
        for (const auto& [v, kind] : cases)
            QCOMPARE(int(Money::read(v).kind), kind);
        QCOMPARE(Money::fromVariant(9999999999999.99).toString(), kLargest);
    }

    // Sums, differences, products and percentages at the limit and a paisa beyond it.
    void checkedArithmetic_data() {
        QTest::addColumn<QString>("got");
        QTest::addColumn<QString>("expected");
        const Money L = Money::largest(), p = m("0.01");
        QTest::newRow("largest + 0") << shown(L.plus(Money())) << kLargest;
        QTest::newRow("largest + 0.01") << shown(L.plus(p)) << u"-"_s;
        QTest::newRow("-largest - 0.01") << shown((-L).minus(p)) << u"-"_s;
        QTest::newRow("beyond - 0.01") << shown(Money::beyondLargest().minus(p)) << u"-"_s;
        QTest::newRow("half x 2") << shown(m("4999999999999.99").times(2)) << u"9999999999999.98"_s;
        QTest::newRow("half + 0.01 x 2") << shown(m("5000000000000.00").times(2)) << u"-"_s;
        QTest::newRow("largest x 999999") << shown(L.times(999999)) << u"-"_s;
        QTest::newRow("largest x -1") << shown(L.times(-1)) << u"-9999999999999.99"_s;
        QTest::newRow("100 % of largest") << shown(L.percent(m("100"))) << kLargest;
        QTest::newRow("100.01 % of largest") << shown(L.percent(m("100.01"))) << u"-"_s;
        QTest::newRow("2.5 % of 333, half to even") << shown(m("333").percent(m("2.50"))) << u"8.32"_s;
        QTest::newRow("2.5 % of 335, half to even") << shown(m("335").percent(m("2.50"))) << u"8.38"_s;
        QTest::newRow("to the rupee") << shown(m("1025").percent(m("10"), 100)) << u"102.00"_s;
        QTest::newRow("sum to largest") << shown(Money::sum(QList<Money>{m("9999999999999.98"), p})) << kLargest;
        QTest::newRow("sum a paisa beyond") << shown(Money::sum(QList<Money>{L, p})) << u"-"_s;
        QTest::newRow("sum back within") << shown(Money::sum(QList<Money>{L, p, -p})) << kLargest;
        QTest::newRow("sum of a beyond one") << shown(Money::sum(QList<Money>{Money::beyondLargest(), -p})) << u"-"_s;
        QTest::newRow("whole rupees of largest") << shown(L.wholeRupees().plus(Money())) << u"-"_s;
    }
    void checkedArithmetic() {
        QFETCH(QString, got);
        QFETCH(QString, expected);
        QCOMPARE(got, expected);
    }

    // Every figure of an invoice, a quotation and a priced line names the first one beyond the
    // limit, never a wrapped one.
    void figuresAtTheLimit() {
        QCOMPARE(shown(lineAmount(m("9999999999999"), m("1"))), u"9999999999999.00"_s);
        QCOMPARE(shown(lineAmount(m("100000000000"), m("100000"))), u"-"_s);  // wrapped before to 38758200196842127.36
        const struct {
            QList<Money> lines;
            Money discount;
            GstRates rates;
            QString exceeded, grand;
        } invoices[] = {
            {{m("9999999999999")}, Money(), {}, {}, u"9999999999999.00"_s},
            {{m("9999999999999"), m("1")}, Money(), {}, u"TOTAL AMOUNT"_s, {}},
            {{m("9999999999999"), m("1")}, m("1"), {}, u"TOTAL AMOUNT"_s, {}},
            {{m("9999999999999")}, Money(), {Money(), Money(), m("5")}, u"GRAND TOTAL"_s, {}},
            {{m("9523809523809")}, Money(), {Money(), Money(), m("5")}, {}, u"9999999999999.45"_s},
        };
        for (const auto& c : invoices) {
            const InvoiceFigures f = calcTotal(c.lines, c.discount, c.rates, Money());
            QCOMPARE(f.exceeded, c.exceeded);
            if (c.exceeded.isEmpty())
                QCOMPARE(f.grand.toString(), c.grand);
        }
        const auto quotation = [](const char* total, const char* comm, const char* tax) {
            return computeTotals({m(total), MarkUp::Percent, m(comm), Money(), std::nullopt, Money(), m(tax)});
        };
        QCOMPARE(quotation("9999999999999", "0", "0").grandTotal.toString(), u"9999999999999.00"_s);
        QCOMPARE(quotation("9999999999999.50", "0", "0").exceeded, u"GRAND TOTAL"_s);  // to the rupee, beyond
        QCOMPARE(quotation("9999999999999", "1", "0").exceeded, u"TOTAL AMOUNT -2"_s);
        QCOMPARE(quotation("9999999999999", "0", "0.01").exceeded, u"GRAND TOTAL"_s);
        QCOMPARE(computeTotals({m("0.01"), MarkUp::Amount, Money(), Money::largest(), {}, Money(), Money()}).exceeded,
                 u"COMMISSION (%)"_s);
        const QDate in(2024, 5, 10);
        QVERIFY(!priceHotel(in, in.addDays(1), {{1, Money::largest()}}).exceeded);
        QVERIFY(priceHotel(in, in.addDays(2), {{1, Money::largest()}}).exceeded);
        QVERIFY(priceHotel(in, in.addDays(1), {{1, Money::largest()}, {1, m("0.01")}}).exceeded);
        QVERIFY(priceVehicle(in, in, 2, Money::largest()).exceeded);
        QCOMPARE(shown(priceOther(3, m("3333333333333.33"))), kLargest);
        QCOMPARE(shown(priceOther(3, m("3333333333333.34"))), u"-"_s);
    }

    // The largest amount is spelled, and the longest words of any amount fit AMT_INWORDS.
    void wordsOfTheLargest() {
        QCOMPARE(amountInWordsPhrase(Money::largest()), u"Ten Lakh Crore Rupees Only /-"_s);
        QCOMPARE(AmountInWords(m("9999999999999")),
                 u"Nine Lakh Ninety Nine Thousand Nine Hundred and Ninety Nine Crore Ninety Nine Lakh Ninety Nine "
                 "Thousand Nine Hundred and Ninety Nine"_s);
        QVERIFY(amountInWordsPhrase(m("7777777777777")).size() < 500);
    }

    // On both engines the largest amount goes in and comes back to the paisa, alone or summed
    // from its parts; a paisa more is refused by the save with nothing stored, and a stored one
    // (put there behind the program's back) shows as beyond the limit and is listed by the
    // books check.
    void databaseAtTheLimit() {
        TestDb t;
        Database& db = t.db();
        db.exec(u"INSERT INTO M_TBL_PARTY (PARTY_CODE, PARTY_NAME) VALUES (5, 'ANU')"_s);
        TransactionRecords records(db, u"T"_s);
        const qint64 b = records.save(booking(5, u"1"_s));
        const qint64 r = records.save(receipt(b, 5, kLargest));
        QCOMPARE(Money::fromVariant(db.scalar(u"SELECT GRAND_TOTAL FROM M_TBL_TRANSACTION WHERE DOC_CODE='FRDB01' "
                                              "AND DOC_NO=?"_s,
                                              {r}))
                     .toString(),
                 kLargest);
        for (const char* part : {"3333333333333.33", "3333333333333.33", "3333333333333.33"})
            records.save(payment(b, part));
        const QString sum = u"SELECT %1 FROM M_TBL_TRANSACTION WHERE DOC_CODE=?"_s;
        QCOMPARE(Money::fromVariant(db.scalar(sum.arg(exactSum(u"CR_AMT"_s)), {u"FTCR01"_s})).toString(), kLargest);
        QCOMPARE(records.balance(u"LDOP"_s, {.party = 5}).toString(), u"1.00"_s);
        // Beyond the limit a sum is never a wrong figure.
        QCOMPARE(int(Money::read(db.scalar(sum.arg(exactSum(u"DB_AMT"_s)), {u"FRDB01"_s})).kind), int(Kind::Amount));
        records.save(payment(b, "0.01"));
        QCOMPARE(int(Money::read(db.scalar(sum.arg(exactSum(u"CR_AMT"_s)), {u"FTCR01"_s})).kind), int(Kind::TooLarge));

        const qint64 rows = db.scalar(u"SELECT COUNT(*) FROM M_TBL_TRANSACTION"_s).toLongLong();
        for (const QString& beyond : {u"10000000000000.00"_s, u"12345678901234.56"_s}) {
            const DbError e = refusalOf([&] { records.save(receipt(b, 5, beyond)); });
            QCOMPARE(e.kind(), DbError::Kind::Refused);
            QCOMPARE(e.message(), kRefused);
        }
        QCOMPARE(db.scalar(u"SELECT COUNT(*) FROM M_TBL_TRANSACTION"_s).toLongLong(), rows);
        QCOMPARE(checkBooks(db).problems.join(u"\n"_s), QString());

        db.exec(u"UPDATE M_TBL_TRANSACTION SET ADV_AMOUNT=10000000000000 WHERE DOC_CODE='FRDB01' AND DOC_NO=?"_s, {r});
        QCOMPARE(checkBooks(db).problems,
                 QStringList{u"M_TBL_TRANSACTION FRDB01 %1: ADV_AMOUNT 10000000000000.00 is beyond the largest "
                             "amount 9999999999999.99"_s.arg(r)});
    }
};

QTEST_GUILESS_MAIN(TstMoneyLimits)
#include "tst_money_limits.moc"
