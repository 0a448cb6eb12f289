// A quotation's totals, step by step: commission by percentage (to whole rupees) or by amount
// (the percentage to two decimals), the taxable amount following total amount 2 unless typed
// otherwise, tax to the paisa and the grand total to whole rupees, halves to even throughout.
#include "engine/sales/QuotationTotals.h"

#include <QtTest>

using namespace tarvic;

class TstQuotationTotals : public QObject {
    Q_OBJECT
private slots:
    void totals_data() {
        for (const char* c : {"total", "markUp", "commPer", "commAmt", "taxable", "previous2", "taxPer", "outCommPer",
                              "outCommAmt", "total2", "outTaxable", "tax", "grand"})
            QTest::addColumn<QString>(c);
        // clang-format off
        QTest::newRow("percent, tax on total 2") << "10000" << "%" << "10" << "" << "" << "0" << "5"
            << "10.00" << "1000.00" << "11000.00" << "11000.00" << "550.00" << "11550.00";
        QTest::newRow("commission to whole rupees") << "999" << "%" << "2.5" << "" << "" << "0" << "0"
            << "2.50" << "25.00" << "1024.00" << "1024.00" << "0.00" << "1024.00";
        QTest::newRow("commission half to even, down") << "250" << "%" << "1" << "" << "" << "0" << "0"
            << "1.00" << "2.00" << "252.00" << "252.00" << "0.00" << "252.00";
        QTest::newRow("commission half to even, up") << "350" << "%" << "1" << "" << "" << "0" << "0"
            << "1.00" << "4.00" << "354.00" << "354.00" << "0.00" << "354.00";
        QTest::newRow("amount gives the percentage") << "8000" << "A" << "0" << "1000" << "" << "0" << "0"
            << "12.50" << "1000.00" << "9000.00" << "9000.00" << "0.00" << "9000.00";
        QTest::newRow("percentage to two decimals") << "3000" << "A" << "0" << "1000" << "" << "0" << "0"
            << "33.33" << "1000.00" << "4000.00" << "4000.00" << "0.00" << "4000.00";
        QTest::newRow("amount on no lines keeps the percentage") << "0" << "A" << "7" << "500" << "" << "0" << "0"
            << "7.00" << "500.00" << "500.00" << "500.00" << "0.00" << "500.00";
        QTest::newRow("grand total half to even, down") << "10250.50" << "%" << "0" << "" << "" << "0" << "0"
            << "0.00" << "0.00" << "10250.50" << "10250.50" << "0.00" << "10250.00";
        QTest::newRow("grand total half to even, up") << "10251.50" << "%" << "0" << "" << "" << "0" << "0"
            << "0.00" << "0.00" << "10251.50" << "10251.50" << "0.00" << "10252.00";
        QTest::newRow("tax to the paisa, half to even") << "2.50" << "%" << "0" << "" << "" << "0" << "1"
            << "0.00" << "0.00" << "2.50" << "2.50" << "0.02" << "3.00";
        QTest::newRow("typed taxable stays") << "10000" << "%" << "10" << "" << "5000" << "11000" << "5"
            << "10.00" << "1000.00" << "11000.00" << "5000.00" << "250.00" << "11250.00";
        QTest::newRow("taxable equal to the old total follows") << "12000" << "%" << "10" << "" << "11000"
            << "11000" << "5" << "10.00" << "1200.00" << "13200.00" << "13200.00" << "660.00" << "13860.00";
        QTest::newRow("taxable under a rupee follows") << "1000" << "%" << "0" << "" << "0.40" << "0" << "10"
            << "0.00" << "0.00" << "1000.00" << "1000.00" << "100.00" << "1100.00";
        // clang-format on
    }
    void totals() {
        QFETCH(QString, total);
        QFETCH(QString, markUp);
        QFETCH(QString, commPer);
        QFETCH(QString, commAmt);
        QFETCH(QString, taxable);
        QFETCH(QString, previous2);
        QFETCH(QString, taxPer);
        TotalsInput in{Money::fromText(total),   markUpFromText(markUp), Money::fromText(commPer),
                       Money::fromText(commAmt), Money::parse(taxable),  Money::fromText(previous2),
                       Money::fromText(taxPer)};
        const Totals t = computeTotals(in);
        QFETCH(QString, outCommPer);
        QFETCH(QString, outCommAmt);
        QFETCH(QString, total2);
        QFETCH(QString, outTaxable);
        QFETCH(QString, tax);
        QFETCH(QString, grand);
        const QStringList got{t.commPer.toString(), t.commAmount.toString(), t.total2.toString(),
                              t.taxable.toString(), t.tax.toString(),        t.grandTotal.toString()};
        QCOMPARE(got, (QStringList{outCommPer, outCommAmt, total2, outTaxable, tax, grand}));
    }
};

QTEST_GUILESS_MAIN(TstQuotationTotals)
#include "tst_quotation_totals.moc"
