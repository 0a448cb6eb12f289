// Amounts in words: the worked results, the three limits for " and ", fractions of a rupee,
// and amounts far beyond a 32-bit whole number.
#include "data/AmountInWords.h"
#include "data/Money.h"

#include <QtTest>

using namespace tarvic;

class TstAmountInWords : public QObject {
    Q_OBJECT
private slots:
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

QTEST_GUILESS_MAIN(TstAmountInWords)
#include "tst_amountinwords.moc"
