#pragma once
// Document and master numbering over MST_COUNTER (per code) and MST_COUNTER2 (line numbers
// per quotation). next() is the one way to take a number: it advances the counter and reads
// it back inside one transaction, so two workstations never take the same number. A counter
// never hands out a number at or below the highest one its rows already use (see counterUses).
#include "Database.h"

#include <QStringList>

#include <span>

namespace tarvic {

// What one counter of MST_COUNTER numbers: the rows of a table, by a number column, and (in
// the shared tables) only the rows of some codes.
struct CounterUse {
    QString counter;  // MST_COUNTER.CODE
    QString table;
    QString column;     // the number the counter hands out
    QStringList codes;  // DOC_CODE of the rows it numbers; empty: every row of the table
    // A document counter: its numbers exist only through it, so a missing counter row is a
    // fault of the books (a master's counter row is simply made when first needed).
    bool document = false;
};

// Every counter the program takes, said once: each document kind over its first, pair and line
// codes, the quotation, and the masters. Numbering, the books check and the counter window read it.
std::span<const CounterUse> counterUses();
const CounterUse* counterUse(const QString& counter);

class Numbering {
public:
    explicit Numbering(Database& db) : db_(db) {}

    // Takes the next number of a counter (a missing counter starts past the highest number in
    // use). Inside a document's transaction the number is only kept if the document is.
    // A number already held by a row (the counter set behind its rows by hand, behind the
    // program's back) is refused, DbError Refused naming it: it is never taken again.
    qint64 next(const QString& code) { return advance(QStringLiteral("MST_COUNTER"), code); }
    qint64 nextLine(const QString& quotationNo) { return advance(QStringLiteral("MST_COUNTER2"), quotationNo); }

    // The highest number the counter's rows use (0 when none, or for a counter not in the table).
    qint64 highestUsed(const QString& code);
    // Whether a row of the counter's already holds number.
    bool inUse(const QString& code, qint64 number);
    // Why a counter cannot be set to number (below the highest number in use), or an empty text.
    QString refusal(const QString& code, qint64 number);

    // The stored number + 1, without taking it (creates the counter when missing).
    qint64 Get_Counter(const QString& code) { return peek(QStringLiteral("MST_COUNTER"), code); }
    // Stores a number as the counter's last number (creates the counter when missing). A number
    // below the highest in use is refused: DbError Refused with refusal()'s text.
    void Upd_Counter(const QString& code, qint64 number) { store(QStringLiteral("MST_COUNTER"), code, number); }
    qint64 Get_Counter2(const QString& quotationNo) { return peek(QStringLiteral("MST_COUNTER2"), quotationNo); }
    void Upd_Counter2(const QString& quotationNo, qint64 number) {
        store(QStringLiteral("MST_COUNTER2"), quotationNo, number);
    }

private:
    qint64 advance(const QString& table, const QString& code);
    qint64 peek(const QString& table, const QString& code);
    void store(const QString& table, const QString& code, qint64 number);
    // highestUsed for MST_COUNTER, 0 for the line counters.
    qint64 floor(const QString& table, const QString& code);
    Database& db_;
};

}  // namespace tarvic
