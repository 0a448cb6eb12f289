#pragma once
// Tour days (QGBL03) regenerated from the hotel and vehicle lines of every quotation: each day
// row is a copy of its line as the quotation lines store it.
#include "data/Database.h"

#include <QDate>
#include <functional>

namespace tarvic {

inline const QString kNoTourLines = QStringLiteral("SORRY CANNOT PROCEED AS NO RECORDS AVAILABLE ....");

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

}  // namespace tarvic
