// Money: parsing typed and stored text, rounding to paise and to whole rupees, database
// values, sums that must be exact to the paisa, and amounts in words (the three limits for
// " and ", fractions of a rupee, amounts far beyond a 32-bit whole number).
#include "data/AmountInWords.h"
#include "data/Money.h"

#include <QtTest>

using namespace tarvic;

class TstMoney : public QObject {
    Q_OBJECT
private slots:
    void parse_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<qint64>("paise");
        QTest::newRow("whole") << "1234" << true << qint64(123400);
        QTest::newRow("one decimal") << "1234.5" << true << qint64(123450);
        QTest::newRow("two decimals") << "1234.50" << true << qint64(123450);
        QTest::newRow("negative") << "-0.75" << true << qint64(-75);
        QTest::newRow("plus, blanks") << "  +12.34 " << true << qint64(1234);
        QTest::newRow("trailing point") << "12." << true << qint64(1200);
        QTest::newRow("leading point") << ".5" << true << qint64(50);
        QTest::newRow("half paisa to even, down") << "0.005" << true << qint64(0);
        QTest::newRow("half paisa to even, up") << "0.015" << true << qint64(2);
        QTest::newRow("above half") << "0.0051" << true << qint64(1);
        QTest::newRow("below half") << "0.0049999" << true << qint64(0);
        QTest::newRow("negative half") << "-12.345" << true << qint64(-1234);
        QTest::newRow("carry into rupees") << "9.996" << true << qint64(1000);
        QTest::newRow("empty") << "" << false << qint64(0);
        QTest::newRow("blank") << "   " << false << qint64(0);
        QTest::newRow("point only") << "." << false << qint64(0);
        QTest::newRow("sign only") << "-" << false << qint64(0);
        QTest::newRow("letters") << "12a" << false << qint64(0);
        QTest::newRow("two points") << "1.2.3" << false << qint64(0);
        QTest::newRow("grouping") << "1,234.00" << false << qint64(0);
        QTest::newRow("inner blank") << "12 34" << false << qint64(0);
        QTest::newRow("exponent") << "1e3" << false << qint64(0);
        QTest::newRow("too large") << "99999999999999999999" << false << qint64(0);
    }
    void parse() {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(qint64, paise);
        const auto m = Money::parse(text);
        QCOMPARE(m.has_value(), valid);
        if (valid)
            QCOMPARE(m->paise(), paise);
        QCOMPARE(Money::fromText(text).paise(), paise);  // malformed typed text reads as zero
    }

    void format() {
        QCOMPARE(Money::fromPaise(123450).toString(), QStringLiteral("1234.50"));
        QCOMPARE(Money::fromPaise(-75).toString(), QStringLiteral("-0.75"));
        QCOMPARE(Money::fromPaise(5).toString(), QStringLiteral("0.05"));
        QCOMPARE(Money().toString(), QStringLiteral("0.00"));
        QCOMPARE(Money::fromRupees(123456789).toString(), QStringLiteral("123456789.00"));  // no grouping
        QCOMPARE(Money::fromText(Money::fromPaise(-100001).toString()).paise(), qint64(-100001));
    }

    void roundedRupees_data() {
        QTest::addColumn<qint64>("paise");
        QTest::addColumn<qint64>("rupees");
        QTest::newRow("1234.50 to even") << qint64(123450) << qint64(1234);
        QTest::newRow("1235.50 to even") << qint64(123550) << qint64(1236);
        QTest::newRow("1234.49") << qint64(123449) << qint64(1234);
        QTest::newRow("1234.51") << qint64(123451) << qint64(1235);
        QTest::newRow("0.50") << qint64(50) << qint64(0);
        QTest::newRow("-0.50") << qint64(-50) << qint64(0);
        QTest::newRow("-1.50") << qint64(-150) << qint64(-2);
        QTest::newRow("-2.51") << qint64(-251) << qint64(-3);
    }
    void roundedRupees() {
        QFETCH(qint64, paise);
        QFETCH(qint64, rupees);
        QCOMPARE(Money::fromPaise(paise).roundedRupees(), rupees);
    }

    void fromVariant() {
        // SQLite hands NUMERIC back as REAL: the nearest paisa is the stored amount.
        QCOMPARE(Money::fromVariant(QVariant(0.1 + 0.2)).paise(), qint64(30));
        QCOMPARE(Money::fromVariant(QVariant(1234.56)).paise(), qint64(123456));
        QCOMPARE(Money::fromVariant(QVariant(-0.07)).paise(), qint64(-7));
        QCOMPARE(Money::fromVariant(QVariant(12345678.91)).paise(), qint64(1234567891));
        // PostgreSQL hands back exact text.
        QCOMPARE(Money::fromVariant(QVariant(QStringLiteral("1234.50"))).paise(), qint64(123450));
        QCOMPARE(Money::fromVariant(QVariant(QStringLiteral("-0.75"))).paise(), qint64(-75));
        // A whole number column value is rupees.
        QCOMPARE(Money::fromVariant(QVariant(qint64(1234))).paise(), qint64(123400));
        QCOMPARE(Money::fromVariant(QVariant(7)).paise(), qint64(700));
        // NULL and nothing read as zero.
        QCOMPARE(Money::fromVariant(QVariant()).paise(), qint64(0));
        QCOMPARE(Money::fromVariant(QVariant(QMetaType(QMetaType::QString))).paise(), qint64(0));
        // The bound value is exact text.
        QCOMPARE(Money::fromPaise(123450).toVariant().toString(), QStringLiteral("1234.50"));
    }

    void sums() {
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
        QVERIFY(Money::fromPaise(-1) < Money());
        QVERIFY((Money::fromPaise(5) - Money::fromPaise(5)).isZero());
    }

    void worked_data() {
        QTest::addColumn<qint64>("n");
        QTest::addColumn<QString>("words");
        QTest::newRow("0") << qint64(0) << QString();
        QTest::newRow("7") << qint64(7) << "Seven";
        QTest::newRow("40") << qint64(40) << "Fourty";
        QTest::newRow("105") << qint64(105) << "One Hundred and Five";
        QTest::newRow("1005") << qint64(1005) << "One Thousand and Five";
        QTest::newRow("1100") << qint64(1100) << "One Thousand One Hundred";
        QTest::newRow("12345") << qint64(12345) << "Twelve Thousand Three Hundred and Fourty Five";
        QTest::newRow("100000") << qint64(100000) << "One Lakh";
        QTest::newRow("100500") << qint64(100500) << "One Lakh and Five Hundred";
        QTest::newRow("250000") << qint64(250000) << "Two Lakh Fifty Thousand";
        QTest::newRow("10000050") << qint64(10000050) << "One Crore and Fifty";
        QTest::newRow("10000500") << qint64(10000500) << "One Crore Five Hundred";
        QTest::newRow("12500000") << qint64(12500000) << "One Crore Twenty Five Lakh";
        // Teens and tens, each word of the tables once.
        QTest::newRow("11..19") << qint64(19) << "Nineteen";
        QTest::newRow("teen thousand") << qint64(13017) << "Thirteen Thousand and Seventeen";
        QTest::newRow("tens words") << qint64(2030) << "Two Thousand and Thirty";
        QTest::newRow("all tens") << qint64(6070809) << "Sixty Lakh Seventy Thousand Eight Hundred and Nine";
        QTest::newRow("ninety") << qint64(99) << "Ninety Nine";
        QTest::newRow("eleven/twelve") << qint64(1112) << "One Thousand One Hundred and Twelve";
    }
    void worked() {
        QFETCH(qint64, n);
        QFETCH(QString, words);
        QCOMPARE(AmountInWords(n), words);
    }

    // " and " before the last group: 99 below a crore, 999 below a lakh, 99 below a
    // thousand, any non-zero rest below a hundred.
    void andLimits_data() {
        QTest::addColumn<qint64>("n");
        QTest::addColumn<QString>("words");
        QTest::newRow("crore+99") << qint64(10000099) << "One Crore and Ninety Nine";
        QTest::newRow("crore+100") << qint64(10000100) << "One Crore One Hundred";
        QTest::newRow("lakh+999") << qint64(100999) << "One Lakh and Nine Hundred and Ninety Nine";
        QTest::newRow("lakh+1000") << qint64(101000) << "One Lakh One Thousand";
        QTest::newRow("thousand+99") << qint64(1099) << "One Thousand and Ninety Nine";
        QTest::newRow("thousand+100") << qint64(1100) << "One Thousand One Hundred";
        QTest::newRow("hundred+1") << qint64(101) << "One Hundred and One";
        QTest::newRow("hundred+0") << qint64(900) << "Nine Hundred";
    }
    void andLimits() { worked(); }

    void large_data() {
        QTest::addColumn<qint64>("n");
        QTest::addColumn<QString>("words");
        QTest::newRow("int32 max") << qint64(2147483647)
            << "Two Hundred and Fourteen Crore Seventy Four Lakh Eighty Three Thousand Six Hundred and Fourty Seven";
        QTest::newRow("above int32") << qint64(2147483648) << "Two Hundred and Fourteen Crore Seventy Four Lakh Eighty Three Thousand Six Hundred and Fourty Eight";
        QTest::newRow("99,99,99,99,999") << qint64(99999999999)
            << "Nine Thousand Nine Hundred and Ninety Nine Crore Ninety Nine Lakh Ninety Nine Thousand Nine Hundred and Ninety Nine";
        QTest::newRow("lakh crore") << qint64(1000000000000) << "One Lakh Crore";
        QTest::newRow("crore crore") << qint64(100000000000000) << "One Crore Crore";
        QTest::newRow("crore crore + 1") << qint64(100000000000001) << "One Crore Crore and One";
        QTest::newRow("qint64 max") << std::numeric_limits<qint64>::max()
            << "Ninety Two Thousand Two Hundred and Thirty Three Crore Seventy Two Lakh Three Thousand Six Hundred "
               "and Eighty Five Crore Fourty Seven Lakh Seventy Five Thousand Eight Hundred and Seven";
    }
    void large() { worked(); }

    void money() {
        // Whole rupees, halves to the even rupee, the paise never spelled.
        QCOMPARE(AmountInWords(Money::fromPaise(123450)), QStringLiteral("One Thousand Two Hundred and Thirty Four"));
        QCOMPARE(AmountInWords(Money::fromPaise(123550)), QStringLiteral("One Thousand Two Hundred and Thirty Six"));
        QCOMPARE(AmountInWords(Money::fromPaise(123451)), QStringLiteral("One Thousand Two Hundred and Thirty Five"));
        QCOMPARE(AmountInWords(Money::fromPaise(9999950)), QStringLiteral("One Lakh"));
        QCOMPARE(AmountInWords(Money::fromPaise(50)), QString());
        QCOMPARE(amountInWordsPhrase(Money::fromText("2500.00")), QStringLiteral("Two Thousand Five Hundred Rupees Only /-"));
        QCOMPARE(amountInWordsPhrase(Money()), QStringLiteral(" Rupees Only /-"));
    }

    void negative() {
        QCOMPARE(AmountInWords(-105), QStringLiteral("Minus One Hundred and Five"));
        QVERIFY(AmountInWords(std::numeric_limits<qint64>::min()).startsWith(QLatin1String("Minus Ninety Two Thousand")));
    }
};

QTEST_GUILESS_MAIN(TstMoney)
#include "tst_money.moc"
