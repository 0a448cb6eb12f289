#include "DueBoard.h"

#include "HotelDeadlines.h"
#include "OldestFirst.h"
#include "PaymentSchedules.h"
#include "SupplierDues.h"
#include "data/Moments.h"
#include "data/RowReader.h"
#include "engine/DocumentState.h"
#include "engine/bookings/SupplierRequests.h"
#include "engine/masters/ConsultantRole.h"

#include <algorithm>
#include <iterator>
#include <map>

namespace tarvic {

namespace {

// The lead and party of a booking row b, outer-joined: a booking without them still shows.
const QString kBookingJoins = QStringLiteral(
    "LEFT JOIN M_TBL_TRANSACTION l ON l.DOC_CODE='BLFC01' AND "
    "l.DOC_NO=b.LEAD_NO LEFT JOIN M_TBL_PARTY p ON p.PARTY_CODE=b.PARTY_CODE ");

// Appends the consultant's condition on the lead l when the board is his alone.
QString mine(const std::optional<int>& consultant, QVariantList& values) {
    if (!consultant)
        return {};
    values << *consultant;
    return QStringLiteral(" AND l.CONSULTANT_CODE=?");
}

// An amount column in whole paise, as the sums are (none counts as nothing).
QString paiseOf(const QString& amount) {
    return QStringLiteral("ROUND(COALESCE(%1, 0) * 100)").arg(amount);
}

int daysPast(const QDate& date, const QDate& today) {
    return date.isValid() ? int(date.daysTo(today)) : 0;
}

// A row opening document code/number (line); its balance is what the settled amount leaves.
DueRow dueRow(DueSection section, const QString& code, qint64 number, int line, qint64 booking, const QDate& date,
              const QDate& today, int consultant, const QString& party, const QString& detail, Money amount = {},
              Money settled = {}) {
    return {section, code,   number, line,    booking,         date, daysPast(date, today), consultant,
            party,   detail, amount, settled, amount - settled};
}

QString noteKind(const QString& code) {
    if (code == QLatin1String("ANCP01"))
        return QStringLiteral("HOTEL ADVICE NOTE");
    if (code == QLatin1String("ANCP02"))
        return QStringLiteral("VEHICLE ADVICE NOTE");
    return QStringLiteral("OTHER CHARGES ADVICE NOTE");
}

void instalments(Database& db, const DueBoardQuery& query, const QDate& horizon, std::vector<DueRow>& rows) {
    QVariantList values{horizon};
    const QString own = mine(query.consultant, values);
    // Only a booking whose instalments come to more than its receipts (the sums kept per
    // booking, read first by the index of what is owed: SQLite keeps a CROSS JOIN's order) can leave
    // a balance; its instalments due by the horizon are read, oldest first, and its receipts,
    // as kept beside them, applied to them here. The instalments due later take only what
    // these leave.
    RowReader q(db,
                QStringLiteral("SELECT i.CBPT_NO, i.LINE_NO, i.DUE_DT, i.INST_AMT, i.INST_NOTE, l.CONSULTANT_CODE, "
                               "p.PARTY_NAME, %1 AS R_RECEIVED FROM M_TBL_BOOKING_DUE d "
                               "CROSS JOIN M_TBL_BOOKING_INSTALMENT i CROSS JOIN M_TBL_TRANSACTION b %3"
                               "WHERE d.DUE_PAISE - d.RECEIVED_PAISE > 0 AND i.CBPT_NO=d.CBPT_NO AND %4 "
                               "AND i.DUE_DT < ? "
                               "AND b.DOC_CODE='CBPT01' AND b.DOC_NO=i.CBPT_NO AND %2%5 "
                               "ORDER BY i.CBPT_NO, i.DUE_DT, i.LINE_NO")
                    .arg(rupeesOf(QStringLiteral("d.RECEIVED_PAISE")), sql::live(QStringLiteral("b")), kBookingJoins,
                         sql::live(QStringLiteral("i")), own),
                values);
    struct Booking {
        std::vector<InstalmentDue> lines;
        Money received;
        int consultant = 0;
        QString party;
    };
    std::map<qint64, Booking> bookings;
    while (q.next()) {
        Booking& b = bookings[q.value(0).toLongLong()];
        InstalmentDue l;
        l.line = q.value(1).toInt();
        l.due = dateFromDb(q.value(2));
        l.amount = Money::fromVariant(q.value(3));
        l.note = q.value(4).toString().trimmed();
        b.consultant = q.value(5).toInt();
        b.party = q.value(6).toString().trimmed();
        b.received = Money::fromVariant(q.value(7));
        b.lines.push_back(l);
    }
    for (const auto& [number, b] : bookings)
        for (const InstalmentDue& l : applyReceipts(b.lines, b.received, query.today)) {
            if (l.balance <= Money())
                continue;
            QString detail = QStringLiteral("INSTALMENT %1").arg(l.line);
            if (!l.note.isEmpty())
                detail += QStringLiteral(" - ") + l.note;
            rows.push_back(dueRow(DueSection::Instalment, QStringLiteral("CBPT01"), number, l.line, number, l.due,
                                  query.today, b.consultant, b.party, detail, l.amount, l.received));
        }
}

void supplierDueRows(Database& db, const DueBoardQuery& query, const QDate& horizon, std::vector<DueRow>& rows) {
    for (const NoteDue& n : supplierDuesBefore(db, horizon, query.consultant, query.today))
        rows.push_back(dueRow(DueSection::SupplierDue, n.code, n.number, 0, n.booking, n.due, query.today, n.consultant,
                              n.partyName, noteKind(n.code), n.amount, n.paid));
}

void hotelRows(Database& db, const DueBoardQuery& query, const QDate& horizon, std::vector<DueRow>& rows) {
    for (const HotelDeadline& h : hotelDeadlinesFrom(db, query.today, query.consultant))
        for (const auto& [date, what] : {std::pair{h.option, QStringLiteral("OPTION DATE")},
                                         std::pair{h.freeCancel, QStringLiteral("FREE CANCELLATION DEADLINE")}})
            if (date.isValid() && date >= query.today && date < horizon)
                rows.push_back(dueRow(
                    DueSection::HotelDeadline, QStringLiteral("CBPT01"), h.booking, int(h.line), h.booking, date,
                    query.today, h.consultant, h.hotel,
                    QStringLiteral("%1, CHECK-IN %2").arg(what, h.checkIn.toString(QStringLiteral("dd/MM/yyyy")))));
}

void toursStarting(Database& db, const DueBoardQuery& query, std::vector<DueRow>& rows) {
    QVariantList values{query.today, query.today.addDays(kTourDaysAhead + 1)};
    const QString own = mine(query.consultant, values);
    // The few tours of the week, each with its receipts summed; only those left a balance.
    RowReader q(
        db,
        QStringLiteral("SELECT b.DOC_NO, b.START_DT, b.GRAND_TOTAL, l.CONSULTANT_CODE, p.PARTY_NAME, "
                       "%1 AS R_RECEIVED FROM (SELECT b.DOC_NO, b.START_DT, b.GRAND_TOTAL, b.LEAD_NO, b.PARTY_CODE, "
                       "%2 AS R_PAISE FROM M_TBL_TRANSACTION b LEFT JOIN M_TBL_TRANSACTION r ON r.DOC_CODE='FRDB01' "
                       "AND r.IN_DOCCODE='CBPT01' AND r.IN_DOCNO=b.DOC_NO AND %3 "
                       "WHERE b.DOC_CODE='CBPT01' AND %4 AND b.START_DT >= ? AND b.START_DT < ? "
                       "GROUP BY b.DOC_NO, b.START_DT, b.GRAND_TOTAL, b.LEAD_NO, b.PARTY_CODE HAVING %5 > %2) b "
                       "%6WHERE 1=1%7")
            .arg(rupeesOf(QStringLiteral("b.R_PAISE")), paiseSum(QStringLiteral("r.DB_AMT")),
                 sql::live(QStringLiteral("r")), sql::live(QStringLiteral("b")),
                 paiseOf(QStringLiteral("b.GRAND_TOTAL")), kBookingJoins, own),
        values);
    while (q.next()) {
        const QDate start = dateFromDb(q.value(1));
        rows.push_back(dueRow(DueSection::TourStarting, QStringLiteral("CBPT01"), q.value(0).toLongLong(), 0,
                              q.value(0).toLongLong(), start, query.today, q.value(3).toInt(),
                              q.value(4).toString().trimmed(), QStringLiteral("TOUR STARTS"),
                              Money::fromVariant(q.value(2)), Money::fromVariant(q.value(5))));
    }
}

void leadsToFollow(Database& db, const DueBoardQuery& query, std::vector<DueRow>& rows) {
    // A follow-up date of today has come as well.
    QVariantList values{query.today.addDays(1)};
    const QString own = mine(query.consultant, values);
    RowReader q(db,
                QStringLiteral("SELECT l.DOC_NO, l.FOLLOWUP_DT, l.CONSULTANT_CODE, p.PARTY_NAME, "
                               "l.TOURIST_NAME FROM M_TBL_TRANSACTION l "
                               "LEFT JOIN M_TBL_PARTY p ON p.PARTY_CODE=l.PARTY_CODE "
                               "WHERE l.DOC_CODE='BLFC01' AND l.FOLLOWUP_DT < ? AND %1 AND "
                               "COALESCE(l.LCK_LEAD,'N')<>'Y'%2")
                    .arg(sql::notCancelled(QStringLiteral("l")), own),
                values);
    while (q.next()) {
        const QDate date = dateFromDb(q.value(1));
        const QString tourist = q.value(4).toString().trimmed();
        rows.push_back(
            dueRow(DueSection::LeadFollowUp, QStringLiteral("BLFC01"), q.value(0).toLongLong(), 0, 0, date, query.today,
                   q.value(2).toInt(), q.value(3).toString().trimmed(),
                   tourist.isEmpty() ? QStringLiteral("FOLLOW UP") : QStringLiteral("FOLLOW UP - ") + tourist));
    }
}

void scheduleMismatches(Database& db, const DueBoardQuery& query, std::vector<DueRow>& rows) {
    QVariantList values;
    const QString own = mine(query.consultant, values);
    // The bookings whose kept sums differ (by their partial index), each schedule summed again
    // from its instalments beside its grand total.
    RowReader q(db,
                QStringLiteral("SELECT b.DOC_NO, b.GRAND_TOTAL, l.CONSULTANT_CODE, p.PARTY_NAME, %1 AS R_SCHEDULED "
                               "FROM (SELECT b.DOC_NO, b.GRAND_TOTAL, b.LEAD_NO, b.PARTY_CODE, (SELECT %2 FROM "
                               "M_TBL_BOOKING_INSTALMENT i WHERE i.CBPT_NO=b.DOC_NO AND %3) AS R_PAISE "
                               "FROM M_TBL_BOOKING_DUE d CROSS JOIN M_TBL_TRANSACTION b "
                               "WHERE d.INSTALMENTS > 0 AND d.SCHEDULED_PAISE <> d.TOTAL_PAISE AND b.DOC_CODE='CBPT01' "
                               "AND b.DOC_NO=d.CBPT_NO AND %4) b %5"
                               "WHERE %6 <> b.R_PAISE%7")
                    .arg(rupeesOf(QStringLiteral("b.R_PAISE")), paiseSum(QStringLiteral("i.INST_AMT")),
                         sql::live(QStringLiteral("i")), sql::live(QStringLiteral("b")), kBookingJoins,
                         paiseOf(QStringLiteral("b.GRAND_TOTAL")), own),
                values);
    while (q.next()) {
        const Money total = Money::fromVariant(q.value(1));
        const Money scheduled = Money::fromVariant(q.value(4));
        rows.push_back(dueRow(DueSection::ScheduleMismatch, QStringLiteral("CBPT01"), q.value(0).toLongLong(), 0,
                              q.value(0).toLongLong(), {}, query.today, q.value(2).toInt(),
                              q.value(3).toString().trimmed(), scheduleTotalMessage(scheduled, total), total,
                              scheduled));
    }
}

// Requests gone out more than the office's hours ago without an answer, dated when they went.
void unansweredRequestRows(Database& db, const DueBoardQuery& query, std::vector<DueRow>& rows) {
    const QDateTime before = QDateTime::currentDateTime().addSecs(-qint64(officeRequestHours(db)) * 3600);
    for (const SupplierLine& l : unansweredRequests(db, before, query.consultant))
        rows.push_back(
            dueRow(DueSection::SupplierRequest, QStringLiteral("CBPT01"), l.booking, int(l.line), l.booking,
                   l.requestedOn.date(), query.today, l.consultant, l.supplier,
                   QStringLiteral("REQUESTED %1, %2")
                       .arg(l.requestedOn.toString(QStringLiteral("dd/MM/yyyy hh:mm")), supplierLineStart(l))));
}

QString csvField(const QString& v) {
    if (!v.contains(QLatin1Char(',')) && !v.contains(QLatin1Char('"')) && !v.contains(QLatin1Char('\n')) &&
        !v.contains(QLatin1Char('\r')))
        return v;
    return QLatin1Char('"') + QString(v).replace(QLatin1String("\""), QLatin1String("\"\"")) + QLatin1Char('"');
}

}  // namespace

namespace {
// Each section's caption on the board and its short name in the report, in kDueSections' order.
struct SectionWords {
    const char* caption;
    const char* name;
};
constexpr SectionWords kSectionWords[] = {
    {"CUSTOMER INSTALMENTS", "INSTALMENT"},
    {"SUPPLIER DUES", "SUPPLIER"},
    {"HOTEL OPTIONS AND DEADLINES", "HOTEL"},
    {"TOURS STARTING WITH A BALANCE", "TOUR"},
    {"LEADS TO FOLLOW UP", "LEAD"},
    {"SCHEDULES NOT EQUAL TO GRAND TOTAL", "SCHEDULE"},
    {"SUPPLIER REQUESTS NOT ANSWERED", "REQUEST"},
};
static_assert(std::size(kSectionWords) == std::size(kDueSections));
}  // namespace

QString sectionCaption(DueSection s) {
    return QLatin1String(kSectionWords[int(s)].caption);
}

QString sectionName(DueSection s) {
    return QLatin1String(kSectionWords[int(s)].name);
}

int DueBoard::count(DueSection s) const {
    return int(std::count_if(rows.begin(), rows.end(), [s](const DueRow& r) { return r.section == s; }));
}

DueBoard dueBoard(Database& db, const DueBoardQuery& query) {
    DueBoardQuery q = query;
    if (q.daysAhead > kMaxDueDays)
        throw DbError(DbError::Kind::Refused, QStringLiteral("ENTER VALID DAYS ...."));
    if (q.consultant) {
        const TCRoleCheck role = Chk_TCRole(db, *q.consultant);
        if (!role.saveAllowed())
            throw DbError(DbError::Kind::Refused, role.refusal());
        if (role.role == TCRole::Admin)
            q.consultant.reset();
    }
    DueBoard board;
    board.today = q.today;
    board.daysAhead = q.daysAhead >= 0 ? q.daysAhead : officeDueDays(db);
    // Due within the days ahead: up to the end of the last of them.
    const QDate horizon = q.today.addDays(board.daysAhead + 1);
    instalments(db, q, horizon, board.rows);
    supplierDueRows(db, q, horizon, board.rows);
    hotelRows(db, q, horizon, board.rows);
    toursStarting(db, q, board.rows);
    leadsToFollow(db, q, board.rows);
    scheduleMismatches(db, q, board.rows);
    unansweredRequestRows(db, q, board.rows);
    std::stable_sort(board.rows.begin(), board.rows.end(), [](const DueRow& a, const DueRow& b) {
        const auto key = [](const DueRow& r) {
            return std::tuple(int(r.section), !r.date.isValid(), r.date, r.docCode, r.docNo, r.line);
        };
        return key(a) < key(b);
    });
    return board;
}

int officeDueDays(Database& db) {
    const QVariant v = db.scalar(QStringLiteral("SELECT DUE_DAYS FROM MST_LOCATIONDETAILS ORDER BY LOC_ID"));
    return v.isNull() || v.toInt() < 0 ? kDefaultDueDays : std::min(v.toInt(), kMaxDueDays);
}

void setOfficeDueDays(Database& db, int days) {
    if (days < 0 || days > kMaxDueDays)
        throw DbError(DbError::Kind::Refused, QStringLiteral("ENTER VALID DAYS ...."));
    db.transact([&] {
        if (db.execAffected(QStringLiteral("UPDATE MST_LOCATIONDETAILS SET DUE_DAYS=? WHERE LOC_ID="
                                           "(SELECT MIN(LOC_ID) FROM MST_LOCATIONDETAILS)"),
                            {days}) != 1)
            throw DbError(DbError::Kind::Changed, QString::fromLatin1(kChangedByAnotherUser));
    });
}

QString dueReport(const DueBoard& board, DueFormat format) {
    const auto date = [](const QDate& d) { return d.isValid() ? d.toString(QStringLiteral("dd/MM/yyyy")) : QString(); };
    QStringList lines;
    if (format == DueFormat::Csv) {
        lines << QStringLiteral(
            "SECTION,DOC_CODE,DOC_NO,LINE,BOOKING,DATE,DAYS_OVERDUE,CONSULTANT,PARTY,DETAIL,AMOUNT,"
            "SETTLED,BALANCE");
        for (const DueRow& r : board.rows)
            lines << QStringList{sectionName(r.section),
                                 r.docCode,
                                 QString::number(r.docNo),
                                 QString::number(r.line),
                                 QString::number(r.booking),
                                 date(r.date),
                                 QString::number(r.daysOverdue),
                                 QString::number(r.consultant),
                                 csvField(r.party),
                                 csvField(r.detail),
                                 r.amount.toString(),
                                 r.settled.toString(),
                                 r.balance.toString()}
                         .join(QLatin1Char(','));
        return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
    }
    lines << QStringLiteral("DUE ON %1, %2 DAY(S) AHEAD").arg(date(board.today)).arg(board.daysAhead)
          << QStringLiteral("  %1 %2 %3 %4 %5")
                 .arg(QStringLiteral("DATE"), -10)
                 .arg(QStringLiteral("DAYS"), 5)
                 .arg(QStringLiteral("DOCUMENT"), -16)
                 .arg(QStringLiteral("PARTY"), -30)
                 .arg(QStringLiteral("DETAIL  AMOUNT SETTLED BALANCE"));
    for (DueSection s : kDueSections) {
        lines << QString() << QStringLiteral("%1 ( %2 )").arg(sectionCaption(s)).arg(board.count(s));
        for (const DueRow& r : board.rows) {
            if (r.section != s)
                continue;
            const QString document = QStringLiteral("%1 %2").arg(r.docCode).arg(r.docNo) +
                                     (r.line ? QStringLiteral("/%1").arg(r.line) : QString());
            QString line = QStringLiteral("  %1 %2 %3 %4 %5")
                               .arg(date(r.date), -10)
                               .arg(r.daysOverdue, 5)
                               .arg(document, -16)
                               .arg(r.party.left(30), -30)
                               .arg(r.detail);
            if (r.amount != Money() || r.balance != Money())
                line +=
                    QStringLiteral("  %1 %2 %3").arg(r.amount.toString(), r.settled.toString(), r.balance.toString());
            lines << line;
        }
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

}  // namespace tarvic
