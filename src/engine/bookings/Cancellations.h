#pragma once
// Cancelling a posted document, whoever asks: its rows, its pair and its lines go to CNCL with
// who, when and why, and the rules of its kind run in the same transaction. A booking is held
// and refused while anything live is posted against it, and its lead takes the status a
// booking gives it; a single-window note takes the partner rows that point at it.
#include "data/Database.h"
#include "data/Money.h"

#include <vector>

namespace tarvic {

inline const QString kAlreadyCancelled = QStringLiteral("THIS DOCUMENT IS ALREADY CANCELLED ....");
inline const QString kLiveDependants =
    QStringLiteral("CANNOT CANCEL THE CBPT, DOCUMENTS POSTED AGAINST IT ARE STILL LIVE ....");

// A live document posted against a booking, as the booking's cancellation lists it.
struct PostedDocument {
    QString code;
    qint64 number = 0;
    Money total;
};

class Cancellations {
public:
    Cancellations(Database& db, QString userFullName) : db_(db), user_(std::move(userFullName)) {}

    // Cancels the document code/number (for a kind posted against a booking, the bookings it
    // was shown with) in one transaction, with the rules of its kind. Refused (DbError Refused)
    // with kAlreadyCancelled when nothing of it is live any more, with kLiveDependants for a
    // booking that still carries live documents; nothing changes then.
    void cancel(const QString& code, qint64 number, const QList<qint64>& bookings, const QString& reason);

    // Every live document posted against the booking (its rows, pairs included), by code and number.
    std::vector<PostedDocument> livePostedAgainst(qint64 booking);

private:
    QString refusal(const QString& code, qint64 number);
    void afterCancel(const QString& code, qint64 number);

    Database& db_;
    QString user_;
};

}  // namespace tarvic
