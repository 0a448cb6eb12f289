#pragma once
// Typing filters of the form fields. Each rule exists twice: as a pure function over one
// typed character (the rule itself, testable without a widget) and as a filter attached
// to a line edit by one call:
//
//     attachFilter(txt_PartyName, KeyFilter::Upper);
//     attachFilter(txt_Amount, KeyFilter::Amount);   // Amt_Key, then Dec_Key
//
// The attached filter applies the rule to every typed character. Pasted or dropped text
// never passes a key event, so a validator of the same rule guards the whole text too:
// Upper turns every letter into its capital, Number keeps only digits and "-", Amount only
// digits and one point (a leading point is left as unfinished input), Decimal refuses a
// second point.
//
// A field that feeds the books is bounded too: an amount by the largest amount, a quantity
// or a percentage by its own limit. Typing, pasting or dropping more is refused as it happens,
// the field keeps what it had, and the window's prompter names the limit ("AMOUNT CANNOT
// EXCEED 9999999999999.99 ...."). Text the program sets is never refused.
#include "data/Money.h"

#include <QString>

class QLineEdit;
class QObject;

namespace tarvic {

// Character codes are those of the typed key: 8 is Backspace; 0 means "drop the key".
inline constexpr int kBackspace = 8;

// Keeps "0".."9", Backspace and "-".
int Num_Key(int code);
// Keeps Backspace and "0123456789.".
int Amt_Key(int code);
// text is the field's trimmed text before the key. A text that is not empty and holds no
// "." keeps any character; otherwise only digits and Backspace are kept.
int Dec_Key(const QString& text, int code);
// Every letter becomes its capital ("a" -> "A", "ü" -> "Ü"); other codes are returned
// unchanged. One character for one, so a field's length and cursor stay where they were.
int Upper_Key(int code);

// The same rule over a whole text: what Upper_Key makes of each character. Every text that
// is stored upper case passes here, so typed, pasted and saved text agree.
QString upperText(const QString& text);
// The older name of upperText (it once knew only a-z).
inline QString upperAscii(const QString& text) { return upperText(text); }

enum class KeyFilter {
    Upper,    // Upper_Key: codes and names
    Number,   // Num_Key: whole numbers
    Amount,   // Amt_Key then Dec_Key: amounts and rates
    Decimal,  // Dec_Key alone: distance, time, tax percentage
};

// The largest value a field takes and what its message calls it.
struct FieldLimit {
    Money largest;
    QString caption;     // "AMOUNT", "RATE", "QUANTITY", "PERCENTAGE"
    bool whole = false;  // a count: the limit is named without decimals

    QString message() const;  // "<CAPTION> CANNOT EXCEED <largest> ...."
};
// The largest amount, under the field's own caption.
FieldLimit amountLimit(const QString& caption = QStringLiteral("AMOUNT"));
// A count or quantity that multiplies a rate (rooms, vehicles, quantity of a line).
FieldLimit quantityLimit();
// A tax, commission or mark-up percentage.
FieldLimit percentLimit();

// Attaches the filter (key rule and paste guard) to a line edit; replaces an earlier one.
// Amount fields are bounded by the largest amount.
void attachFilter(QLineEdit* edit, KeyFilter filter);
// The same, bounded by a limit of the field's own.
void attachFilter(QLineEdit* edit, KeyFilter filter, const FieldLimit& limit);
// Bounds a field whose typing another validator guards; replaces an earlier limit.
void limitField(QLineEdit* edit, const FieldLimit& limit);
// An amount field shows two decimals once left, and a field left empty shows 0.00 (or stays
// empty). Text that holds no amount within the limit (only the program can put it there)
// stays as it is, never 0.00, for the save to name.
enum class Blank { ShowsZero, Stays };
void showTwoDecimalsOnLeaving(QLineEdit* edit, Blank blank = Blank::ShowsZero);

}  // namespace tarvic
