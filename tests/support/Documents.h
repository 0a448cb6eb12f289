#pragma once
// The documents the data tests post: a booking, and a money receipt against it with its
// second side. Amounts as the user types them ("5000.50"); one beyond the largest amount stays
// beyond it, for the save to refuse.
#include "data/Money.h"
#include "data/TransactionRecords.h"

#include <QDate>

namespace tarvic::test {

inline Document booking(qint64 party, const QString& amount, QDate date = QDate(2026, 11, 1)) {
    Document d;
    d.code = QStringLiteral("CBPT01");
    d.amount = Money::fromInput(amount);
    d.columns = {{QStringLiteral("DOC_DATE"), date},
                 {QStringLiteral("PARTY_CODE"), party},
                 {QStringLiteral("GRAND_TOTAL"), d.amount.toVariant()}};
    return d;
}

inline Document receipt(qint64 booking, qint64 party, const QString& amount, qint64 number = 0,
                        QDate date = QDate(2026, 12, 1)) {
    Document d;
    d.code = QStringLiteral("FRDB01");
    d.number = number;
    d.booking = booking;
    d.amount = Money::fromInput(amount);
    d.columns = {{QStringLiteral("DOC_DATE"), date},
                 {QStringLiteral("PARTY_CODE"), party},
                 {QStringLiteral("GRAND_TOTAL"), d.amount.toVariant()},
                 {QStringLiteral("TO_ACC"), QStringLiteral("FRDB01")}};
    d.pairColumns = {{QStringLiteral("TO_ACC"), QStringLiteral("FRCR01")}};
    return d;
}

// Any other single posting: a supplier's note, a payment, a bank entry.
inline Document posting(const QString& code, qint64 booking, qint64 party, const QString& amount,
                        QDate date = QDate(2026, 11, 5)) {
    Document d;
    d.code = code;
    d.booking = booking;
    d.amount = Money::fromInput(amount);
    d.columns = {{QStringLiteral("PARTY_CODE"), party}, {QStringLiteral("DOC_DATE"), date}};
    return d;
}

}  // namespace tarvic::test
