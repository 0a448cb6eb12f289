#pragma once
// Moments and dates as the database hands them back, and as windows show them. PostgreSQL
// returns timestamps; SQLite returns whatever was stored: ISO text with a space or a 'T', with
// or without milliseconds, a bare date, or a Julian day number. One conversion reads them all.
#include <QDateTime>
#include <QVariant>

namespace tarvic {

// The moment a database value holds; invalid when NULL or unreadable.
QDateTime momentFromDb(const QVariant& value);
// Its date part (DOC_DATE and other dates stored as moments).
QDate dateFromDb(const QVariant& value);
// A date to store in a moment column: the start of its day, or NULL for an invalid date. Every
// date is written this way, so that dates compare with each other and with moments alike.
QVariant dateToDb(const QDate& date);

// "dd/MM/yyyy hh:mm:ss", or empty.
QString momentText(const QVariant& value);
// "dd/MM/yyyy", or empty.
QString dateText(const QVariant& value);
// The same two texts appended to out, from a date and a time of day already read: the export
// writes a whole listing through these, without a moment or a format to parse per cell.
void appendDateText(QString& out, const QDate& date);
void appendMomentText(QString& out, const QDate& date, const QTime& time);
// The "CREATED BY - ON" text: the user, " - " and the moment; empty when both are.
QString byOnText(const QVariant& by, const QVariant& on);

// A range of whole days over a date or moment column: from the from-date to before the day
// after the to-date, so the to-date counts whole. The bounds are bound as dates: the embedded
// database keeps a date as "2024-03-01" and a moment as "2024-03-01 00:00:00.000" and compares
// them as text, so only a bound written as a date sits at or before both on its day.
struct DayRange {
    QDate from;
    QDate before;
};
DayRange dayRange(const QDate& from, const QDate& to);
// "(column >= ? AND column < ?)" with the two bounds appended to values.
QString dayRangeCondition(const QString& column, const QDate& from, const QDate& to, QVariantList& values);

}  // namespace tarvic
