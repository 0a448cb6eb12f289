#include "Moments.h"

namespace tarvic {

namespace {

// Julian day number of 1970-01-01 00:00 (SQLite's julianday()). The system keeps local wall
// time everywhere (the server clock is read with 'localtime'), so a day number is read as one.
constexpr double kUnixEpochJulianDay = 2440587.5;

void appendDigits(QChar*& at, int value, int width) {
    for (int i = width - 1; i >= 0; --i, value /= 10)
        at[i] = QLatin1Char(char('0' + value % 10));
    at += width;
}

// Years of four digits are written here; any other goes through Qt's own formatting.
bool plainYear(const QDate& date) {
    return date.isValid() && date.year() >= 1 && date.year() <= 9999;
}

void appendDay(QChar*& at, const QDate& date) {
    int y = 0, m = 0, d = 0;
    date.getDate(&y, &m, &d);
    appendDigits(at, d, 2);
    *at++ = QLatin1Char('/');
    appendDigits(at, m, 2);
    *at++ = QLatin1Char('/');
    appendDigits(at, y, 4);
}

}  // namespace

QDateTime momentFromDb(const QVariant& value) {
    if (value.isNull() || !value.isValid())
        return {};
    switch (value.typeId()) {
        case QMetaType::QDateTime:
            return value.toDateTime();
        case QMetaType::QDate:
            return value.toDate().startOfDay();
        case QMetaType::Double:
        case QMetaType::Float:
        case QMetaType::LongLong:
        case QMetaType::Int: {
            const double days = value.toDouble();
            const qint64 ms = qRound64((days - kUnixEpochJulianDay) * 86400000.0);
            const QDateTime wall = QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC);
            return QDateTime(wall.date(), wall.time());
        }
        default:
            break;
    }
    QString text = value.toString().trimmed();
    if (text.size() > 10 && text.at(10) == QLatin1Char(' '))
        text[10] = QLatin1Char('T');
    QDateTime moment = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (!moment.isValid()) {
        const QDate date = QDate::fromString(text.left(10), Qt::ISODate);
        if (date.isValid() && text.size() == 10)
            moment = date.startOfDay();
    }
    return moment;
}

QDate dateFromDb(const QVariant& value) {
    return momentFromDb(value).date();
}

void appendDateText(QString& out, const QDate& date) {
    if (!plainYear(date)) {
        out += date.toString(QStringLiteral("dd/MM/yyyy"));
        return;
    }
    const qsizetype from = out.size();
    out.resize(from + 10);
    QChar* at = out.data() + from;
    appendDay(at, date);
}

void appendMomentText(QString& out, const QDate& date, const QTime& time) {
    if (!plainYear(date) || !time.isValid()) {
        out += QDateTime(date, time).toString(QStringLiteral("dd/MM/yyyy hh:mm:ss"));
        return;
    }
    const qsizetype from = out.size();
    out.resize(from + 19);
    QChar* at = out.data() + from;
    appendDay(at, date);
    *at++ = QLatin1Char(' ');
    appendDigits(at, time.hour(), 2);
    *at++ = QLatin1Char(':');
    appendDigits(at, time.minute(), 2);
    *at++ = QLatin1Char(':');
    appendDigits(at, time.second(), 2);
}

QString momentText(const QVariant& value) {
    const QDateTime m = momentFromDb(value);
    QString text;
    if (m.isValid())
        appendMomentText(text, m.date(), m.time());
    return text;
}

QString dateText(const QVariant& value) {
    QString text;
    if (value.typeId() == QMetaType::QDate && value.toDate().isValid()) {
        appendDateText(text, value.toDate());
        return text;
    }
    const QDateTime m = momentFromDb(value);
    if (m.isValid())
        appendDateText(text, m.date());
    return text;
}

QString byOnText(const QVariant& by, const QVariant& on) {
    const QString who = by.toString().trimmed();
    const QString when = momentText(on);
    if (who.isEmpty() && when.isEmpty())
        return {};
    return who + QStringLiteral(" - ") + when;
}

QVariant dateToDb(const QDate& date) {
    return date.isValid() ? QVariant(date.startOfDay()) : QVariant(QMetaType(QMetaType::QDateTime));
}

DayRange dayRange(const QDate& from, const QDate& to) {
    return {from, to.addDays(1)};
}

QString dayRangeCondition(const QString& column, const QDate& from, const QDate& to, QVariantList& values) {
    const DayRange r = dayRange(from, to);
    values << r.from << r.before;
    return QStringLiteral("(%1 >= ? AND %1 < ?)").arg(column);
}

}  // namespace tarvic
