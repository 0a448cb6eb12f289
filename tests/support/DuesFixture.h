#pragma once
// A database seeded with what is due, for the dues tests: consultants 1 (ADMIN) and 2
// (OPERATOR), a customer, a supplier without credit and a hotel holding lines 8 days before
// check-in. seed(c) gives consultant c exactly one row in every section of the board, and
// beside it what must stay off the board: an instalment paid, one due beyond the days ahead,
// a note paid, a deadline beyond the days ahead, a tour paid, a lead to follow up tomorrow.
// Dates run from today, as the administration tool's board does.
#include "data/Moments.h"
#include "data/TransactionRecords.h"
#include "engine/dues/HotelDeadlines.h"
#include "engine/dues/PaymentSchedules.h"
#include "engine/dues/SupplierDues.h"
#include "engine/sales/LeadStore.h"
#include "shell/Prompter.h"
#include "shell/Session.h"
#include "shell/WindowRegistry.h"
#include "support/Documents.h"
#include "support/TestDb.h"

#include <functional>

namespace tarvic::test {

struct DuesFixture {
    static constexpr int kAdmin = 1, kOperator = 2;
    static constexpr qint64 kCustomer = 1, kSupplier = 2, kHotel = 3;
    TestDb t;
    QDate today = QDate::currentDate();

    DuesFixture() {
        db().exec(
            "INSERT INTO M_TBL_CONSULTANT (CONSULTANT_CODE, CONSULTANT_NAME, TC_ROLE) VALUES (1, 'ANIL', 'ADMIN'), "
            "(2, 'MEENA', 'OPERATOR'), (3, 'RAVI', '')");
        db().exec(
            "INSERT INTO M_TBL_PARTY (PARTY_CODE, PARTY_NAME) VALUES (1, 'SEA BREEZE'), (2, 'COAST CABS'), "
            "(3, 'HILL RESORT')");
        setSupplierTerms(db(), "T", kSupplier, {0, {}, {}});
        setSupplierTerms(db(), "T", kHotel, {0, 8, {}});
    }
    Database& db() { return t.db(); }

    qint64 lead(int consultant, QDate followUp) {
        return lead::saveLead(db(), "T", kAdmin, 0,
                              {{"DOC_DATE", dateToDb(today)},
                               {"PARTY_CODE", kCustomer},
                               {"CONSULTANT_CODE", consultant},
                               {"FOLLOWUP_DT", dateToDb(followUp)}});
    }
    qint64 booking(qint64 lead, const QString& total, QDate start) {
        Document d = test::booking(kCustomer, total, today);
        d.columns.emplace_back("LEAD_NO", lead);
        d.columns.emplace_back("START_DT", dateToDb(start));
        return TransactionRecords(db(), "T").save(d);
    }
    qint64 receive(qint64 booking, const QString& amount) {
        return TransactionRecords(db(), "T").save(receipt(booking, kCustomer, amount, 0, today));
    }
    qint64 post(const QString& code, qint64 booking, const QString& amount, QDate service = {}) {
        Document d = posting(code, booking, kSupplier, amount, today);
        if (service.isValid())
            d.columns.emplace_back("START_DT", dateToDb(service));
        return TransactionRecords(db(), "T").save(d);
    }
    void schedule(qint64 booking, std::vector<std::pair<int, QString>> dueInDaysAndAmounts) {
        std::vector<Instalment> lines;
        for (const auto& [days, amount] : dueInDaysAndAmounts)
            lines.push_back({today.addDays(days), Money::fromInput(amount), {}});
        PaymentSchedules(db(), "T").store(booking, lines);
    }
    // A booked quotation's hotel line checking in on the day; its number is the booking's.
    void hotelLine(qint64 booking, qint64 line, QDate checkIn) {
        if (db().scalar("SELECT COUNT(*) FROM M_TBL_QUOTATION WHERE DOC_CODE='QGBL01' AND DOC_NO=?", {booking})
                .toInt() == 0)
            db().exec("INSERT INTO M_TBL_QUOTATION (DOC_CODE, DOC_NO, CBPT_NO) VALUES ('QGBL01', ?, ?)",
                      {booking, booking});
        db().exec(
            "INSERT INTO M_TBL_QUOTATION (DOC_CODE, DOC_NO, ACC_CODE, ACCOUNT_DESC, HOTEL_CODE, HOTEL_NAME, "
            "TOUR_DATE) VALUES ('QGBL02', ?, ?, 'HOTEL', ?, 'HILL RESORT', ?)",
            {booking, line, kHotel, dateToDb(checkIn)});
    }

    // One row of every section for the consultant, and the rows that must not show.
    void seed(int consultant) {
        const qint64 l = lead(consultant, today.addDays(-1));
        lead(consultant, today.addDays(1));
        // Instalment 1 has 3000.00 left and is 5 days late; instalment 2 falls beyond the days
        // ahead; the tour starts in 3 days with 9000.00 to pay.
        const qint64 b = booking(l, "10000", today.addDays(3));
        schedule(b, {{-5, "4000"}, {40, "6000"}});
        receive(b, "1000");
        // Paid in full: no instalment, no tour, no supplier due.
        const qint64 paid = booking(l, "5000", today.addDays(3));
        schedule(paid, {{-1, "5000"}});
        receive(paid, "5000");
        post("ANCP03", paid, "700", today.addDays(-3));
        post("FTCR01", paid, "700");
        // The cab's 2000.00 was due yesterday, 500.00 of it paid.
        post("ANCP02", b, "2000", today.addDays(-1));
        post("FTCR01", b, "500");
        // Held until 8 days before check-in: in 2 days; the other line's hold is typed beyond.
        hotelLine(b, 1, today.addDays(10));
        hotelLine(b, 2, today.addDays(30));
        setHotelDeadlines(db(), "T", b, 2, today.addDays(20), {});
        // Line 1 was requested two days ago and never answered; line 2's answer came; the
        // request of the paid booking's line went out within the office's 24 hours.
        const QDateTime asked = QDateTime::currentDateTime().addDays(-2);
        hotelLine(paid, 1, today.addDays(60));
        db().exec(
            "INSERT INTO M_TBL_SUPPLIER_REQUEST (LINE_CODE, LINE_DOCNO, LINE_NO, CBPT_NO, SUPPLIER_STATUS, "
            "REQUESTED_ON) VALUES ('QGBL02', ?, 1, ?, 'REQUESTED', ?), ('QGBL02', ?, 2, ?, 'CONFIRMED', ?), "
            "('QGBL02', ?, 1, ?, 'REQUESTED', ?)",
            {b, b, asked, b, b, asked, paid, paid, QDateTime::currentDateTime().addSecs(-7200)});
        // Scheduled, then re-priced: its instalments no longer make its grand total.
        const qint64 repriced = booking(l, "3000", today.addDays(60));
        schedule(repriced, {{50, "3000"}});
        reprice(repriced, "3500");
    }
    // The booking's grand total changed, as a refresh from its quotation changes it.
    void reprice(qint64 booking, const QString& total) {
        db().exec("UPDATE M_TBL_TRANSACTION SET GRAND_TOTAL=?, DB_AMT=? WHERE DOC_CODE='CBPT01' AND DOC_NO=?",
                  {Money::fromInput(total).toVariant(), Money::fromInput(total).toVariant(), booking});
    }
};

// The dues fixture behind a session of the consultant, with the windows registerWindows adds.
struct DuesWindows : DuesFixture {
    ScriptedPrompter prompter;
    Session session;
    WindowRegistry registry;
    explicit DuesWindows(const std::function<void(WindowRegistry&)>& registerWindows, int consultant = kAdmin,
                         const QString& user = QStringLiteral("ADMINISTRATOR")) {
        session.db = &db();
        session.prompter = &prompter;
        session.userFullName = user;
        session.loginId = 1;
        session.consultantCode = consultant;
        registerWindows(registry);
        session.windows = &registry;
    }
    void answer(const QList<bool>& answers = {}) {
        prompter.clear();
        prompter.answers = answers;
    }
};

}  // namespace tarvic::test
