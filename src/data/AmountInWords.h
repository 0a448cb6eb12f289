#pragma once
// Amounts in words in the Indian system (crore, lakh, thousand, hundred), title case,
// single blanks, as printed on vouchers, quotations and invoices. No words for paise.
#include <QString>

namespace tarvic {

class Money;

// The words of a whole amount; 0 gives the empty text. Crores above 99,99,999 are spelled
// in crores again ("One Crore Crore"), so the whole qint64 range is spelled without
// overflow. A negative amount is spelled as its magnitude after "Minus".
QString AmountInWords(qint64 n);
// The amount rounded to whole rupees, halves to the even rupee, in words.
QString AmountInWords(const Money& amount);
// The text stored in AMT_INWORDS: the words followed by " Rupees Only /-".
QString amountInWordsPhrase(const Money& amount);

inline constexpr const char* kRupeesOnly = " Rupees Only /-";

// The inner levels. Each spells one group and hands the rest down; each is exact for the
// values its caller gives it (Words_Lakh below 1,00,00,00,00,000, Words_Thousand below
// 10,00,000, Words_Hundred below 1,000, Words_Tens below 100).
QString Words_Lakh(quint64 n);
QString Words_Thousand(quint64 n);
QString Words_Hundred(quint64 n);
QString Words_Tens(quint64 n);
QString Words_Teens(quint64 n);
QString Words_Ones(quint64 n);

}  // namespace tarvic
