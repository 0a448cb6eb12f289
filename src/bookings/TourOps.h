#pragma once
// The rows behind the operations tools of a booked tour, apart from their windows: tour days
// regenerated from the quotation lines, a hotel line's status, the booking's feedback, and
// the status lists and colours their grids share. Every write runs in one transaction.
#include "data/Database.h"
#include "shell/kit/QueryModel.h"

#include <QDate>
#include <functional>

class QComboBox;

namespace tarvic {

inline const QString kNoTourLines = QStringLiteral("SORRY CANNOT PROCEED AS NO RECORDS AVAILABLE ....");
inline const QString kChooseHotelStatus = QStringLiteral("PLEASE SELECT HOTEL STATUS PROPERLY ....");
inline const QString kBookingCancelled = QStringLiteral("CANNOT PROCEED AS CBPT IS CANCELLED ....");

// One quotation line whose day rows are being written.
struct TourDayLine {
    qint64 quotation = 0;
    qint64 line = 0;
    QString kind;  // HOTEL or VEHICLE
    QDate from;
    QDate to;
    int days = 0;
};

// What a regeneration tells its window: each phase's text, then each day row as it is added
// (the line, its first-based place among total lines, and the day).
struct TourDayProgress {
    std::function<void(const QString& text)> phase;
    std::function<void(int current, int total, const TourDayLine& line, const QDate& day)> row;
};

// Rewrites every tour day (QGBL03) from the hotel and vehicle lines in one transaction: all
// old day rows go and the new ones come together, or, on any failure, the old ones stay.
// Each day row copies its line as stored, so the line's hotel status goes with it. Returns
// the lines regenerated; with none, the (orphaned) old day rows are still cleared and 0 is
// returned.
int regenerateTourDays(Database& db, const TourDayProgress& progress = {});

// Gives a booked hotel line and its day rows a status, with who and when, in one transaction.
// A line whose booking is no longer live, or that is gone, is refused (DbError Changed); an
// unknown status too (Refused, kChooseHotelStatus).
void setHotelLineStatus(Database& db, const QString& user, qint64 quotation, qint64 line, qint64 status);

// Writes the feedback (REMARKS) on a live booking's row; never adds a row. A cancelled booking
// is refused (Cancelled, kBookingCancelled); a missing one is Changed.
void saveFeedback(Database& db, const QString& user, qint64 booking, const QString& feedback);

// Back and text colour from a status row's H_RED.. and H_F_RED.. columns; none without them.
RowColours statusColours(const QSqlRecord& r);

// Fills a status list: optionally a first "all" item (code empty), then each status by its
// order, the code in the item's data. Throws DbError.
void loadStatusChoices(Database& db, QComboBox* list, const QString& table, const QString& codeColumn,
                       const QString& nameColumn, const QString& orderColumn, const QString& allText = {});
// The code of the item chosen, empty for "all" or none.
QString chosenCode(const QComboBox* list);

}  // namespace tarvic
