#pragma once
// Payment schedule templates (a small master: a name and its lines) and the schedule a booking
// takes from one. A line is a share of the grand total, as a percentage or an amount, due on
// the booking date, N days before travel or N days after booking. The schedule's last line
// takes whatever the others leave, so a schedule sums to its grand total to the paisa whatever
// the rounding of its percentages.
#include "data/Database.h"
#include "data/Money.h"

#include <QDate>

#include <optional>
#include <vector>

namespace tarvic {

struct TemplateLine {
    enum class Share { Percent, Amount };
    enum class Due { OnBooking, BeforeTravel, AfterBooking };
    Share share = Share::Percent;
    Money value;  // a percentage as two decimals (25.00 is 25 %), or an amount
    Due due = Due::OnBooking;
    int days = 0;  // of BeforeTravel and AfterBooking
    QString note;
};

struct ScheduleTemplate {
    int code = 0;  // 0: a new template
    QString name;
    std::vector<TemplateLine> lines;
};

// One instalment of a booking's schedule, as stored.
struct Instalment {
    QDate due;
    Money amount;
    QString note;
};

// The first fault of a template, in the order the master checks its fields; empty when none.
QString templateFault(const ScheduleTemplate& t);

// The instalments a template gives a booking of the grand total, booked on booked and
// travelling on travel: percentages rounded to the paisa (halves to even), the last line the
// rest. A due date that would fall before the booking date is the booking date. Refused
// (DbError Refused) when the shares leave nothing, or less than nothing, for the last line.
std::vector<Instalment> scheduleFrom(const ScheduleTemplate& t, Money grandTotal, const QDate& booked,
                                     const QDate& travel);

inline const QString kScheduleExceedsTotal =
    QStringLiteral("THE INSTALMENTS OF THE TEMPLATE EXCEED THE GRAND TOTAL ....");
inline const QString kTemplateNameTaken = QStringLiteral("TEMPLATE NAME ALREADY EXISTS ....");

class ScheduleTemplates {
public:
    ScheduleTemplates(Database& db, QString userFullName) : db_(db), user_(std::move(userFullName)) {}

    // Saves a template whole (its lines replaced) and returns its code; a new one takes the
    // next code. Refused with templateFault's message, or kTemplateNameTaken.
    int save(const ScheduleTemplate& t);
    std::optional<ScheduleTemplate> read(int code);
    // Every template, by name (lines included).
    std::vector<ScheduleTemplate> all();
    // Removes a template; the schedules made from it stay as they are.
    void remove(int code);

private:
    Database& db_;
    QString user_;
};

}  // namespace tarvic
