#pragma once
// Document and master numbering over MST_COUNTER (per code) and MST_COUNTER2 (line numbers
// per quotation). next() is the one way to take a number: it advances the counter and reads
// it back inside one transaction, so two workstations never take the same number.
#include "Database.h"

namespace tarvic {

class Numbering {
public:
    explicit Numbering(Database& db) : db_(db) {}

    // Takes the next number of a counter (creating the counter at 0 when missing). Inside a
    // document's transaction the number is only kept if the document is.
    qint64 next(const QString& code) { return advance(QStringLiteral("MST_COUNTER"), code); }
    qint64 nextLine(const QString& quotationNo) { return advance(QStringLiteral("MST_COUNTER2"), quotationNo); }

    // The stored number + 1, without taking it (creates the counter when missing).
    qint64 Get_Counter(const QString& code) { return peek(QStringLiteral("MST_COUNTER"), code); }
    // Stores a number as the counter's last number (creates the counter when missing).
    void Upd_Counter(const QString& code, qint64 number) { store(QStringLiteral("MST_COUNTER"), code, number); }
    qint64 Get_Counter2(const QString& quotationNo) { return peek(QStringLiteral("MST_COUNTER2"), quotationNo); }
    void Upd_Counter2(const QString& quotationNo, qint64 number) { store(QStringLiteral("MST_COUNTER2"), quotationNo, number); }

private:
    qint64 advance(const QString& table, const QString& code);
    qint64 peek(const QString& table, const QString& code);
    void store(const QString& table, const QString& code, qint64 number);
    Database& db_;
};

}  // namespace tarvic
