#pragma once
// What operations write on a booking: its status with the locks that status carries (copied
// onto its lead and its quotation), its operations consultant, and its operations log. Each
// write is one transaction that refuses a cancelled booking, and every statement aimed at one
// row must change exactly that row, or nothing is kept.
#include "data/Database.h"

#include <QSqlRecord>
#include <QStringList>
#include <optional>

namespace tarvic {

class BookingOperations {
public:
    BookingOperations(Database& db, QString userFullName) : db_(db), user_(std::move(userFullName)) {}

    // The eight lock flags a booking status carries, in the order the booking row lists them.
    static const QStringList& lockColumns();
    // Refusal of a cancelled booking.
    static QString cancelledText(qint64 booking);

    // The booking with what the operations windows show of it, every name outer-joined (a
    // booking without a status, consultant or operations status loads): BILL_PARTY, LEAD_DATE,
    // CONSULTANT_NAME, QUOT_DATE, ITN_NAME, CBPT_STATUS, OPS_CONSULTANT, OPS_STATUS.
    std::optional<QSqlRecord> booking(qint64 number);

    // Sets the booking's status and copies its eight flags onto the booking, LCK_LEAD onto the
    // lead and LCK_QUOT onto the quotation, with who and when. Throws DbError Refused for a
    // cancelled booking, Changed when the booking, its lead, its quotation or the status is gone.
    void setStatus(qint64 booking, qint64 status);
    // Gives the booking to an operations consultant (who and when: the log sheet's date).
    void assignConsultant(qint64 booking, qint64 consultant);
    // The action taken and the operations status (0: none).
    void updateLog(qint64 booking, const QString& action, qint64 opsStatus);

private:
    // The booking row is there and not cancelled; held until the transaction ends.
    void requireLive(qint64 booking);

    Database& db_;
    QString user_;
};

}  // namespace tarvic
