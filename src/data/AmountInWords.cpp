#include "AmountInWords.h"

#include "Money.h"

namespace tarvic {

namespace {

constexpr quint64 kCrore = 10'000'000;
constexpr quint64 kLakh = 100'000;

// Spells `high` scaled by `scale`, then `low`, joined by " and " when the lower group is
// small enough (each level has its own limit), otherwise by a blank.
QString joinGroups(const QString& high, quint64 highValue, const char* scale, const QString& low,
                   quint64 lowValue, quint64 andLimit) {
    QString text = high;
    if (highValue != 0)
        text += QLatin1String(scale);
    if (highValue != 0 && lowValue != 0)
        text += lowValue <= andLimit ? QLatin1String(" and ") : QLatin1String(" ");
    return text + low;
}

QString wordsOfMagnitude(quint64 n) {
    const quint64 crore = n / kCrore;
    const quint64 rest = n % kCrore;
    // Words_Lakh is exact below a crore of crores; beyond that the crores are themselves
    // counted in crores.
    const QString high = crore < kCrore ? Words_Lakh(crore) : wordsOfMagnitude(crore);
    return joinGroups(high, crore, " Crore", Words_Lakh(rest), rest, 99);
}

}  // namespace

QString Words_Ones(quint64 n) {
    static const char* const words[] = {"", "One", "Two", "Three", "Four", "Five", "Six", "Seven", "Eight", "Nine"};
    return n < 10 ? QString::fromLatin1(words[n]) : QString();
}

QString Words_Teens(quint64 n) {
    static const char* const words[] = {"Ten",     "Eleven",  "Twelve",    "Thirteen", "Fourteen",
                                        "Fifteen", "Sixteen", "Seventeen", "Eighteen", "Nineteen"};
    return n >= 10 && n <= 19 ? QString::fromLatin1(words[n - 10]) : QString();
}

QString Words_Tens(quint64 n) {
    static const char* const words[] = {"", "", "Twenty", "Thirty", "Fourty", "Fifty", "Sixty", "Seventy", "Eighty", "Ninety"};
    const quint64 tens = n / 10;
    const quint64 unit = n % 10;
    if (tens == 0)
        return Words_Ones(unit);
    if (tens == 1)
        return Words_Teens(n);
    if (tens > 9)
        return QString();
    QString text = QString::fromLatin1(words[tens]);
    if (unit != 0)
        text += QLatin1Char(' ');
    return text + Words_Ones(unit);
}

QString Words_Hundred(quint64 n) {
    const quint64 hundred = n / 100;
    const quint64 rest = n % 100;
    if (hundred == 0)
        return Words_Tens(rest);
    QString text = Words_Ones(hundred) + QLatin1String(" Hundred");
    if (rest != 0)
        text += QLatin1String(" and ");
    return text + Words_Tens(rest);
}

QString Words_Thousand(quint64 n) {
    const quint64 thousand = n / 1000;
    const quint64 rest = n % 1000;
    return joinGroups(Words_Hundred(thousand), thousand, " Thousand", Words_Hundred(rest), rest, 99);
}

QString Words_Lakh(quint64 n) {
    const quint64 lakh = n / kLakh;
    const quint64 rest = n % kLakh;
    return joinGroups(Words_Thousand(lakh), lakh, " Lakh", Words_Thousand(rest), rest, 999);
}

QString AmountInWords(qint64 n) {
    if (n >= 0)
        return wordsOfMagnitude(static_cast<quint64>(n));
    // Two's complement: the magnitude of the most negative value still fits in quint64.
    return QLatin1String("Minus ") + wordsOfMagnitude(0 - static_cast<quint64>(n));
}

QString AmountInWords(const Money& amount) { return AmountInWords(amount.roundedRupees()); }

QString amountInWordsPhrase(const Money& amount) { return AmountInWords(amount) + QLatin1String(kRupeesOnly); }

}  // namespace tarvic
