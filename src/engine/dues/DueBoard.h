#pragma once
// The TODAY board: what is due or overdue, in sections, each row naming the document it opens.
// An ADMIN consultant sees every consultant's rows, an OPERATOR his own (the lead rules' role);
// the administration tool may ask for everyone's. The office's days ahead bound the customer
// instalments, supplier dues and hotel deadlines; tours starting within a week with a balance,
// and leads whose follow-up date has come, are always shown.
#include "data/Database.h"
#include "data/Money.h"

#include <QDate>

#include <optional>
#include <vector>

namespace tarvic {

enum class DueSection {
    Instalment,        // a customer instalment with a balance, due within the days ahead or overdue
    SupplierDue,       // an advice note with a balance, due within the days ahead or overdue
    HotelDeadline,     // a hotel option date or free-cancellation deadline from today within the days ahead
    TourStarting,      // a tour starting within 7 days whose booking has a balance
    LeadFollowUp,      // a lead, not yet closed, whose follow-up date has come
    ScheduleMismatch,  // a booking whose instalments no longer sum to its grand total
    SupplierRequest,   // a request to a supplier unanswered for longer than the office's hours
};
inline constexpr DueSection kDueSections[] = {
    DueSection::Instalment,   DueSection::SupplierDue,      DueSection::HotelDeadline,  DueSection::TourStarting,
    DueSection::LeadFollowUp, DueSection::ScheduleMismatch, DueSection::SupplierRequest};
QString sectionCaption(DueSection s);
// The short name a report and a script use: INSTALMENT, SUPPLIER, HOTEL, TOUR, LEAD, SCHEDULE,
// REQUEST.
QString sectionName(DueSection s);

inline constexpr int kTourDaysAhead = 7;
inline constexpr int kDefaultDueDays = 7;
// A board looks ahead weeks; a date thousands of years on overflows a timestamp on a server.
inline constexpr int kMaxDueDays = 999;

struct DueRow {
    DueSection section = DueSection::Instalment;
    // The document the row opens: CBPT01 (instalments, hotel lines, tours, schedules), an
    // advice note's code, or BLFC01; line: the instalment or the quotation's hotel line.
    QString docCode;
    qint64 docNo = 0;
    int line = 0;
    qint64 booking = 0;
    QDate date;           // due date, deadline, tour start or follow-up date; none for a schedule
    int daysOverdue = 0;  // days past the date; negative while it is still ahead
    int consultant = 0;
    QString party;   // customer, supplier or hotel
    QString detail;  // what is due
    Money amount;    // instalment, note or grand total; the schedule's grand total
    Money settled;   // received or paid; the schedule's instalments
    Money balance;
};

struct DueBoardQuery {
    QDate today;
    int daysAhead = -1;             // below 0: the office's setting
    std::optional<int> consultant;  // the logged-on consultant; none: everyone's (administration)
};

struct DueBoard {
    QDate today;
    int daysAhead = 0;
    std::vector<DueRow> rows;  // by section, then date, document and line
    int count(DueSection s) const;
};

// Refused (DbError Refused, the lead rules' message) for a consultant without a role.
DueBoard dueBoard(Database& db, const DueBoardQuery& query);

// The office's days ahead (kDefaultDueDays while none is set), and its setting.
int officeDueDays(Database& db);
void setOfficeDueDays(Database& db, int days);

// The board as the administration tool prints it: a text report by section with its counts,
// or CSV (a header line, then one line per row).
enum class DueFormat { Text, Csv };
QString dueReport(const DueBoard& board, DueFormat format);

}  // namespace tarvic
