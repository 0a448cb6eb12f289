// What is due: the board's sections seen by an ADMIN and an OPERATOR consultant, receipts
// applied to instalments oldest first (a receipt cancelled afterwards stops counting), a
// re-priced booking's schedule reported and left alone, schedules from templates summing to
// odd totals to the paisa, the administration tool printing the board's rows, the books
// check naming each fault of the schedules, and the sums kept for the board, the outstanding
// lists and the banks from an upgrade on.
#include "data/BooksCheck.h"
#include "data/DueBalances.h"
#include "data/Migrations.h"
#include "engine/bookings/Cancellations.h"
#include "engine/dues/DueBoard.h"
#include "engine/masters/ConsultantRole.h"
#include "support/AdminRunner.h"
#include "support/DuesFixture.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

using namespace tarvic;
using namespace tarvic::test;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(std::function<void(DuesFixture&)>)
Q_DECLARE_METATYPE(TemplateLine)

namespace {

using Setup = std::function<void(DuesFixture&)>;

QStringList money(const std::vector<InstalmentDue>& lines, Money InstalmentDue::*field) {
    QStringList out;
    for (const InstalmentDue& l : lines)
        out << (l.*field).toString();
    return out;
}

// Each row as "SECTION CODE NO/LINE BALANCE".
QStringList shown(const DueBoard& b) {
    QStringList out;
    for (const DueRow& r : b.rows)
        out << u"%1 %2 %3/%4 %5"_s.arg(sectionName(r.section), r.docCode)
                   .arg(r.docNo)
                   .arg(r.line)
                   .arg(r.balance.toString());
    return out;
}

}  // namespace

class TstDues : public QObject {
    Q_OBJECT
private slots:
    // The ADMIN sees everyone's rows, the OPERATOR only his own.
    void theBoardShowsEachSectionsRowsToItsConsultant() {
        DuesFixture f;
        f.seed(DuesFixture::kAdmin);
        f.seed(DuesFixture::kAdmin);
        f.seed(DuesFixture::kOperator);
        const DueBoard all = dueBoard(f.db(), {f.today, -1, DuesFixture::kAdmin});
        QCOMPARE(all.daysAhead, kDefaultDueDays);
        const DueBoard b = dueBoard(f.db(), {f.today, -1, DuesFixture::kOperator});
        for (DueSection s : kDueSections)
            QVERIFY2(all.count(s) == 3 && b.count(s) == 1, qPrintable(sectionName(s) + u"\n"_s + shown(b).join(u'\n')));
        for (const DueRow& r : b.rows)
            QCOMPARE(r.consultant, DuesFixture::kOperator);
        // The operator's own rows, figure by figure.
        const qint64 bk = b.rows.front().docNo;
        QCOMPARE(
            shown(b),
            (QStringList{u"INSTALMENT CBPT01 %1/1 3000.00"_s.arg(bk),
                         u"SUPPLIER ANCP02 %1/0 1500.00"_s.arg(b.rows[1].docNo), u"HOTEL CBPT01 %1/1 0.00"_s.arg(bk),
                         u"TOUR CBPT01 %1/0 9000.00"_s.arg(bk), u"LEAD BLFC01 %1/0 0.00"_s.arg(b.rows[4].docNo),
                         u"SCHEDULE CBPT01 %1/0 500.00"_s.arg(bk + 2), u"REQUEST CBPT01 %1/1 0.00"_s.arg(bk)}));
        QCOMPARE((QList<QDate>{b.rows[0].date, b.rows[1].date, b.rows[2].date, b.rows[4].date}),
                 (QList<QDate>{f.today.addDays(-5), f.today.addDays(-1), f.today.addDays(2), f.today.addDays(-1)}));
        QCOMPARE(b.rows[0].daysOverdue, 5);
        // A consultant without a role sees nothing: refused with the lead rules' message.
        QCOMPARE(refusalText([&] { dueBoard(f.db(), {f.today, -1, 3}); }), kNoTCPermission);
    }

    // The board reads only the bookings and suppliers whose dues come to more than was paid:
    // each case sits on an edge of that choice, with the rows it must show ("SECTION BALANCE").
    void theBoardShowsWhatIsLeftAtTheEdges_data() {
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<QStringList>("rows");
        // A booking of 10000.00 starting in `start` days, with its schedule.
        const auto booked = [](DuesFixture& f, int start = 60, std::vector<std::pair<int, QString>> lines = {}) {
            const qint64 b = f.booking(f.lead(1, f.today.addDays(5)), "10000", f.today.addDays(start));
            if (!lines.empty())
                f.schedule(b, std::move(lines));
            return b;
        };
        const auto split = [=](DuesFixture& f) { return booked(f, 60, {{-5, "4000"}, {40, "6000"}}); };
        QTest::newRow("paid to the paisa, and a paisa short") << Setup([=](DuesFixture& f) {
            f.receive(split(f), "4000");
            f.receive(split(f), "3999.99");
        }) << QStringList{"INSTALMENT 0.01"};
        QTest::newRow("receipt cancelled afterwards") << Setup([=](DuesFixture& f) {
            const qint64 b = split(f);
            Cancellations(f.db(), u"T"_s).cancel(u"FRDB01"_s, f.receive(b, "4000"), {b}, u"BOUNCED"_s);
        }) << QStringList{"INSTALMENT 4000.00"};
        QTest::newRow("due after the days ahead only") << Setup([=](DuesFixture& f) {
            booked(f, 60, {{40, "10000"}});
        }) << QStringList{};
        QTest::newRow("note overpaid, a later one owed") << Setup([=](DuesFixture& f) {
            const qint64 b = booked(f);
            f.post("ANCP02", b, "2000", f.today.addDays(-1));
            f.post("ANCP03", b, "1000", f.today.addDays(30));
            f.post("FTCR01", b, "2500");
        }) << QStringList{};
        QTest::newRow("tour paid to the paisa, and a paisa short") << Setup([=](DuesFixture& f) {
            f.receive(booked(f, 3), "10000");
            f.receive(booked(f, 3), "9999.99");
        }) << QStringList{"TOUR 0.01"};
        QTest::newRow("schedule a paisa off") << Setup([=](DuesFixture& f) {
            f.reprice(booked(f, 60, {{50, "10000"}}), "10000.01");
        }) << QStringList{"SCHEDULE 0.01"};
    }
    void theBoardShowsWhatIsLeftAtTheEdges() {
        QFETCH(Setup, setup);
        QFETCH(QStringList, rows);
        DuesFixture f;
        setup(f);
        QStringList got;
        for (const DueRow& r : dueBoard(f.db(), {f.today, -1, DuesFixture::kAdmin}).rows)
            got << sectionName(r.section) + u' ' + r.balance.toString();
        QCOMPARE(got, rows);
    }

    void receiptsAreAppliedOldestFirst() {
        // The receipts, the one cancelled afterwards (-1: none), what each instalment received
        // and its days overdue. Stored out of date order: 3000 due in 10 days, 3000 due 20 days
        // ago, 4000 due 4 days ago.
        const std::tuple<QStringList, int, QStringList, QList<int>> cases[] = {
            {{}, -1, {"0.00", "0.00", "0.00"}, {20, 4, 0}},
            {{"2000", "2500.50"}, -1, {"3000.00", "1500.50", "0.00"}, {0, 4, 0}},
            {{"2000", "2500.50"}, 1, {"2000.00", "0.00", "0.00"}, {20, 4, 0}},
            {{"9000", "1500"}, -1, {"3000.00", "4000.00", "3000.00"}, {0, 0, 0}}};  // beyond the schedule
        for (const auto& [receipts, cancelled, received, overdue] : cases) {
            DuesFixture f;
            const qint64 b = f.booking(f.lead(1, f.today), "10000", f.today.addDays(30));
            f.schedule(b, {{10, "3000"}, {-20, "3000"}, {-4, "4000"}});
            QList<qint64> numbers;
            for (const QString& r : receipts)
                numbers << f.receive(b, r);
            if (cancelled >= 0)
                Cancellations(f.db(), u"T"_s).cancel(u"FRDB01"_s, numbers[cancelled], {b}, u"BOUNCED"_s);
            const BookingSchedule s = PaymentSchedules(f.db(), u"T"_s).read(b, f.today);
            QCOMPARE((QList<int>{s.lines[0].line, s.lines[1].line, s.lines[2].line}), (QList<int>{2, 3, 1}));
            QCOMPARE(money(s.lines, &InstalmentDue::received), received);
            QList<int> days;
            for (const InstalmentDue& l : s.lines) {
                days << l.daysOverdue;
                QCOMPARE(l.received + l.balance, l.amount);
            }
            QCOMPARE(days, overdue);
        }
    }

    void aRepricedBookingShowsItsMismatchAndKeepsItsSchedule() {
        DuesFixture f;
        const qint64 b = f.booking(f.lead(1, f.today.addDays(5)), "3000", f.today.addDays(60));
        f.schedule(b, {{50, "1000"}, {55, "2000"}});
        PaymentSchedules schedules(f.db(), u"T"_s);
        QVERIFY(!schedules.read(b, f.today).mismatch());
        f.reprice(b, "3250.75");
        const BookingSchedule s = schedules.read(b, f.today);
        QVERIFY(s.mismatch());
        QCOMPARE((QStringList{s.grandTotal.toString(), s.scheduled.toString()}), (QStringList{"3250.75", "3000.00"}));
        const DueBoard board = dueBoard(f.db(), {f.today, -1, DuesFixture::kAdmin});
        QCOMPARE(shown(board), QStringList{u"SCHEDULE CBPT01 %1/0 250.75"_s.arg(b)});
        QCOMPARE(board.rows.front().detail,
                 scheduleTotalMessage(Money::fromInput("3000"), Money::fromInput("3250.75")));
        QCOMPARE(money(schedules.read(b, f.today).lines, &InstalmentDue::amount), (QStringList{"1000.00", "2000.00"}));
        // Stored again, the schedule must make the new total.
        QCOMPARE(refusalText([&] {
                     f.schedule(b, {{50, "1000"}, {55, "2000"}});
                 }),
                 scheduleTotalMessage(Money::fromInput("3000"), Money::fromInput("3250.75")));
    }

    // 33.33 %, 33.33 %, the rest; due on booking, 10 days after, 30 days before travel.
    void aTemplatesScheduleSumsToOddTotals() {
        DuesFixture f;
        using L = TemplateLine;
        const ScheduleTemplate t{0,
                                 u"THIRDS"_s,
                                 {{L::Share::Percent, Money::fromInput("33.33"), L::Due::OnBooking, 0, {}},
                                  {L::Share::Percent, Money::fromInput("33.33"), L::Due::AfterBooking, 10, {}},
                                  {L::Share::Percent, Money::fromInput("33.34"), L::Due::BeforeTravel, 30, {}}}};
        const int code = ScheduleTemplates(f.db(), u"T"_s).save(t);
        PaymentSchedules schedules(f.db(), u"T"_s);
        const std::pair<QString, QStringList> cases[] = {
            {"1000.01", {"333.30", "333.30", "333.41"}},
            {"999.99", {"333.30", "333.30", "333.39"}},
            {"0.15", {"0.05", "0.05", "0.05"}},
            {"123456789.87", {"41148148.06", "41148148.06", "41160493.75"}}};
        for (const auto& [total, amounts] : cases) {
            const qint64 b = f.booking(f.lead(1, f.today), total, f.today.addDays(20));
            const std::vector<Instalment> lines =
                schedules.fromTemplate(b, *ScheduleTemplates(f.db(), u"T"_s).read(code));
            QStringList got;
            for (const Instalment& l : lines)
                got << l.amount.toString();
            QCOMPARE(got, amounts);
            // Travel is 20 days off: "30 days before travel" falls on the booking date.
            QCOMPARE((QList<QDate>{lines[0].due, lines[1].due, lines[2].due}),
                     (QList<QDate>{f.today, f.today.addDays(10), f.today}));
            schedules.store(b, lines);
            QCOMPARE(schedules.read(b, f.today).scheduled, Money::fromInput(total));
        }
    }

    void aTemplateIsRefusedAtItsFirstFault_data() {
        using L = TemplateLine;
        QTest::addColumn<QString>("name");
        QTest::addColumn<QList<TemplateLine>>("lines");
        QTest::addColumn<QString>("message");
        const L half{L::Share::Percent, Money::fromInput("50"), L::Due::OnBooking, 0, {}};
        const L bad{L::Share::Percent, Money::fromInput("0"), L::Due::AfterBooking, -1, {}};
        QTest::newRow("name first") << "" << QList<L>{bad} << "ENTER TEMPLATE NAME ....";
        QTest::newRow("no lines") << "T" << QList<L>{} << "ENTER AT LEAST ONE INSTALMENT ....";
        QTest::newRow("share before days") << "T" << QList<L>{half, bad} << "ENTER THE SHARE OF EVERY INSTALMENT ....";
        QTest::newRow("days") << "T"
                              << QList<L>{{L::Share::Amount, Money::fromInput("10"), L::Due::BeforeTravel, -3, {}}}
                              << "ENTER VALID DAYS FOR EVERY INSTALMENT ....";
        QTest::newRow("over 100 %") << "T" << QList<L>{half, half, half} << "THE PERCENTAGES CANNOT EXCEED 100 ....";
        QTest::newRow("amounts beyond the total")
            << "T" << QList<L>{{L::Share::Amount, Money::fromInput("900"), L::Due::OnBooking, 0, {}}, half}
            << kScheduleExceedsTotal;
        QTest::newRow("name taken") << "thirds" << QList<L>{half, half} << kTemplateNameTaken;
    }
    void aTemplateIsRefusedAtItsFirstFault() {
        QFETCH(QString, name);
        QFETCH(QList<TemplateLine>, lines);
        QFETCH(QString, message);
        DuesFixture f;
        ScheduleTemplates templates(f.db(), u"T"_s);
        templates.save({0,
                        u"THIRDS"_s,
                        {{TemplateLine::Share::Percent, Money::fromInput("50"), TemplateLine::Due::OnBooking, 0, {}}}});
        const ScheduleTemplate t{0, name, {lines.begin(), lines.end()}};
        // Saved, then made into the schedule of a booking of 900.00.
        QCOMPARE(refusalText([&] {
                     templates.save(t);
                     scheduleFrom(t, Money::fromInput("900"), f.today, f.today.addDays(30));
                 }),
                 message);
        QCOMPARE(templates.all().size(), size_t(message == kScheduleExceedsTotal ? 2 : 1));
    }

    // Everyone's rows and the operator's as CSV, 45 days ahead as text.
    void theToolPrintsTheBoardsRows() {
        DuesFixture f;
        f.seed(DuesFixture::kAdmin);
        f.seed(DuesFixture::kOperator);
        const std::tuple<QStringList, int, int> cases[] = {// arguments, consultant (0: everyone's), days
                                                           {{"--format", "csv"}, 0, -1},
                                                           {{"--format", "csv", "--consultant", "2"}, 2, -1},
                                                           {{"--days", "45"}, 0, 45}};
        for (const auto& [args, consultant, days] : cases) {
            const AdminRun r = runAdmin(f.t, QStringList{u"due"_s} + args);
            QVERIFY2(r.code == 0, qPrintable(r.describe()));
            const DueBoard b =
                dueBoard(f.db(), {f.today, days, consultant ? std::optional<int>(consultant) : std::nullopt});
            const bool csv = args.contains(u"csv"_s);
            QCOMPARE(r.out, dueReport(b, csv ? DueFormat::Csv : DueFormat::Text));
            // One line per row, each naming its document and balance.
            if (csv) {
                QStringList lines = r.out.trimmed().split(u'\n');
                lines.removeFirst();
                QCOMPARE(lines.size(), int(b.rows.size()));
                for (size_t i = 0; i < b.rows.size(); ++i) {
                    const QStringList v = lines[i].split(u',');
                    QCOMPARE((QStringList{v[0], v[1], v[2], v.last()}),
                             (QStringList{sectionName(b.rows[i].section), b.rows[i].docCode,
                                          QString::number(b.rows[i].docNo), b.rows[i].balance.toString()}));
                }
            } else {
                QVERIFY(r.out.contains(u"CUSTOMER INSTALMENTS ( 4 )"_s));  // 45 days take in the second instalments
            }
        }
    }

    // The days ahead stop at the most a board can look: the longest runs on both engines, one more
    // is refused by the tool, the office setting and the board alike.
    void theDaysAheadAreBounded() {
        DuesFixture f;
        f.seed(DuesFixture::kAdmin);
        QCOMPARE(runAdmin(f.t, {u"due"_s, u"--days"_s, QString::number(kMaxDueDays)}).code, 0);
        QVERIFY(runAdmin(f.t, {u"due"_s, u"--days"_s, QString::number(kMaxDueDays + 1)}).code != 0);
        QVERIFY_THROWS_EXCEPTION(DbError, setOfficeDueDays(f.db(), kMaxDueDays + 1));
        QVERIFY_THROWS_EXCEPTION(DbError, dueBoard(f.db(), {f.today, kMaxDueDays + 1, std::nullopt}));
        setOfficeDueDays(f.db(), kMaxDueDays);
        QCOMPARE(dueBoard(f.db(), {f.today, -1, std::nullopt}).daysAhead, kMaxDueDays);
    }

    void theBooksCheckNamesEachFault_data() {
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<QString>("problem");  // empty: the books stay consistent
        const auto booked = [](DuesFixture& f, const QString& total) {
            const qint64 b = f.booking(f.lead(1, f.today), total, f.today.addDays(30));
            f.schedule(b, {{-2, "1000"}, {10, QString::number(total.toInt() - 1000)}});
            return b;
        };
        QTest::newRow("a line changed") << Setup([=](DuesFixture& f) {
            booked(f, "3000");
            f.db().exec("UPDATE M_TBL_BOOKING_INSTALMENT SET INST_AMT=500 WHERE LINE_NO=1");
        }) << "CBPT01 1: its instalments sum to 2500.00 but were made for a grand total of 3000.00";
        // The board shows these; the books are whole.
        QTest::newRow("re-priced") << Setup([=](DuesFixture& f) { f.reprice(booked(f, "3000"), "3500"); }) << QString();
        QTest::newRow("received beyond") << Setup([=](DuesFixture& f) { f.receive(booked(f, "3000"), "3000.01"); })
                                         << QString();
        QTest::newRow("instalment of nothing") << Setup([=](DuesFixture& f) {
            booked(f, "3000");
            f.db().exec("UPDATE M_TBL_BOOKING_INSTALMENT SET INST_AMT=0 WHERE LINE_NO=1");
        }) << "CBPT01 1: instalment 1 of 0.00 is not above zero";
        QTest::newRow("cancelled behind the back") << Setup([=](DuesFixture& f) {
            booked(f, "3000");
            f.db().exec(
                "UPDATE M_TBL_TRANSACTION SET DOC_STATUS='CNCL', CNCL_BY='X', CNCL_ON=DOC_DATE, "
                "REASON_CNCL='X' WHERE DOC_CODE='CBPT01'");
        }) << "CBPT01 1: cancelled, but its instalment 1 is still due";
        QTest::newRow("cancelled as cancelled") << Setup([=](DuesFixture& f) {
            Cancellations(f.db(), u"T"_s).cancel(u"CBPT01"_s, booked(f, "3000"), {}, u"DROPPED"_s);
        }) << QString();
        // The board's kept sums follow every write, the program's or a tool's behind its back.
        QTest::newRow("receipts and a payment moved and edited behind the back") << Setup([=](DuesFixture& f) {
            const qint64 b = booked(f, "3000"), other = booked(f, "3000");
            f.receive(b, "700");
            f.post("ANCP02", b, "2000");
            f.post("FTCR01", b, "500");
            f.db().exec(
                "UPDATE M_TBL_TRANSACTION SET IN_DOCNO=? WHERE DOC_CODE IN ('FRDB01','FRCR01') AND "
                "IN_DOCNO=?",
                {other, b});
            f.db().exec("DELETE FROM M_TBL_TRANSACTION WHERE DOC_CODE IN ('FTCR01','FTDB01')");
        }) << QString();
        QTest::newRow("a booking's kept sums changed") << Setup([=](DuesFixture& f) {
            f.receive(booked(f, "3000"), "100");
            f.db().exec("UPDATE M_TBL_BOOKING_DUE SET RECEIVED_PAISE=RECEIVED_PAISE+1");
        }) << "CBPT01 1: its kept sums of instalments, receipts and grand total differ from its documents";
        QTest::newRow("a supplier's kept sums lost") << Setup([=](DuesFixture& f) {
            f.post("ANCP02", booked(f, "3000"), "2000");
            f.db().exec("DELETE FROM M_TBL_SUPPLIER_DUE");
        }) << "CBPT01 1: the kept sums of supplier 2's notes and payments differ from its documents";
        QTest::newRow("a party's kept balance changed") << Setup([=](DuesFixture& f) {
            f.post("ANCP02", booked(f, "3000"), "2000");
            f.db().exec("UPDATE M_TBL_PARTY_BALANCE SET CR_PAISE=CR_PAISE+1 WHERE PARTY_CODE=2");
        }) << "LDOP party 2: its kept debits and credits differ from its documents";
        QTest::newRow("a booking's kept balance lost") << Setup([=](DuesFixture& f) {
            f.receive(booked(f, "3000"), "100");
            f.db().exec("DELETE FROM M_TBL_BOOKING_BALANCE");
        }) << "LDOP CBPT01 1 party 1: its kept debits and credits differ from its documents";
        QTest::newRow("a bank's kept balance changed") << Setup([=](DuesFixture& f) {
            f.receive(booked(f, "3000"), "100");
            f.db().exec("UPDATE M_TBL_BANK_BALANCE SET POSTINGS=POSTINGS+1");
        }) << "CRDB bank 0: its kept debits and credits differ from its documents";
        QTest::newRow("a tour's kept profit and loss lost") << Setup([=](DuesFixture& f) {
            f.receive(booked(f, "3000"), "100");
            f.db().exec("DELETE FROM M_TBL_BOOKING_PL");
        }) << "CBPT01 1: its kept receipts and payments of the tour's profit and loss differ from its documents";
        // A tool narrowing the outstanding and credit-debit lists' codes: the lists' balances
        // are summed again.
        QTest::newRow("the lists' codes changed behind the back") << Setup([=](DuesFixture& f) {
            const qint64 b = booked(f, "3000");
            f.post("ANCP02", b, "2000");
            f.receive(b, "100");
            f.db().exec("UPDATE M_TBL_CODES SET CODE_LIST='''ANCP01'',''CBPT01''' WHERE CODE='LDOP'");
            f.db().exec("UPDATE M_TBL_CODES SET CODE_LIST='''FTCR01''' WHERE CODE='CRDB'");
        }) << QString();
    }
    void theBooksCheckNamesEachFault() {
        QFETCH(Setup, setup);
        QFETCH(QString, problem);
        DuesFixture f;
        setup(f);
        const QStringList problems = checkBooks(f.db()).problems;
        if (problem.isEmpty())
            QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
        else
            QVERIFY2(problems.contains(problem), qPrintable(problems.join(u'\n')));
        // A fault of the documents is never also one of the kept sums.
        for (const QString& p : problems)
            QVERIFY2(p == problem || !p.contains(u"kept sums"_s), qPrintable(p));
    }

    // A database saved before the sums were kept gets them at its upgrade, from its live
    // documents only; the triggers keep them from then on.
    void anOlderDatabaseGetsItsSumsAtTheUpgrade() {
        TestDb t(false);
        Database& db = t.db();
        Migrations(db).apply(22);
        const auto plant = [&](const char* code, qint64 no, qint64 booking, qint64 party, const char* amount,
                               const char* status = "APPRV") {
            db.exec(
                u"INSERT INTO M_TBL_TRANSACTION (DOC_CODE, DOC_NO, IN_DOCCODE, IN_DOCNO, PARTY_CODE, GRAND_TOTAL, "
                "DB_AMT, CR_AMT, DOC_STATUS) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"_s,
                {QString::fromLatin1(code), no, QLatin1String(code) == "CBPT01" ? QVariant() : QVariant("CBPT01"),
                 QLatin1String(code) == "CBPT01" ? QVariant() : QVariant(booking), party, amount,
                 QLatin1String(code) == "FRDB01" ? amount : "0", QLatin1String(code) == "FRDB01" ? "0" : amount,
                 status});
        };
        plant("CBPT01", 1, 0, 1, "3000.10");
        plant("FRDB01", 1, 1, 1, "1000.05");
        plant("FRDB01", 2, 1, 1, "500", "CNCL");
        plant("ANCP02", 1, 1, 2, "1500");
        plant("ANCP03", 1, 1, 2, "99", "CNCL");
        plant("FTCR01", 1, 1, 2, "400.40");
        for (const auto& [line, amount, status] :
             {std::tuple{1, "1000.10", "APPRV"}, std::tuple{2, "2000", "APPRV"}, std::tuple{3, "700", "CNCL"}})
            db.exec(
                u"INSERT INTO M_TBL_BOOKING_INSTALMENT (CBPT_NO, LINE_NO, DUE_DT, INST_AMT, MADE_FOR, DOC_STATUS) "
                "VALUES (1, ?, '2026-01-01', ?, 3000.10, ?)"_s,
                {line, amount, status});
        Migrations(db).apply();
        const auto sums = [&] {
            QStringList out;
            for (const char* sql :
                 {"SELECT CBPT_NO, DUE_PAISE, SCHEDULED_PAISE, INSTALMENTS, RECEIVED_PAISE, TOTAL_PAISE FROM "
                  "M_TBL_BOOKING_DUE ORDER BY CBPT_NO",
                  "SELECT CBPT_NO, PARTY_CODE, NOTED_PAISE, PAID_PAISE FROM M_TBL_SUPPLIER_DUE ORDER BY CBPT_NO, "
                  "PARTY_CODE",
                  "SELECT LIST_CODE, PARTY_CODE, DB_PAISE, CR_PAISE, BAL_PAISE FROM M_TBL_PARTY_BALANCE ORDER BY "
                  "PARTY_CODE",
                  "SELECT LIST_CODE, BANK_ID, DB_PAISE, CR_PAISE, BAL_PAISE, POSTINGS FROM M_TBL_BANK_BALANCE ORDER BY "
                  "BANK_ID",
                  "SELECT CBPT_NO, DB_PAISE, CR_PAISE, BAL_PAISE, POSTINGS FROM M_TBL_BOOKING_PL ORDER BY CBPT_NO"}) {
                QSqlQuery q = db.exec(QString::fromLatin1(sql));
                while (q.next()) {
                    QStringList row;
                    for (int i = 0; i < q.record().count(); ++i)
                        row << q.value(i).toString();
                    out << row.join(u' ');
                }
            }
            return out;
        };
        QCOMPARE(sums(), (QStringList{u"1 300010 300010 2 100005 300010"_s, u"1 2 150000 40040"_s,
                                      u"LDOP 1 0 300010 -300010"_s, u"LDOP 2 0 150000 -150000"_s,
                                      u"CRDB 0 100005 40040 59965 2"_s, u"1 100005 40040 59965 2"_s}));
        QCOMPARE(dueBalanceFaults(db), QStringList());
        // The live receipt moved to a booking of its own, the cancelled one revived, a line
        // cancelled, the note's supplier changed: each sum follows.
        db.exec(u"UPDATE M_TBL_TRANSACTION SET IN_DOCNO=2 WHERE DOC_CODE='FRDB01' AND DOC_NO=1"_s);
        db.exec(u"UPDATE M_TBL_TRANSACTION SET DOC_STATUS='APPRV' WHERE DOC_CODE='FRDB01' AND DOC_NO=2"_s);
        db.exec(u"UPDATE M_TBL_BOOKING_INSTALMENT SET DOC_STATUS='CNCL' WHERE LINE_NO=2"_s);
        db.exec(u"UPDATE M_TBL_TRANSACTION SET PARTY_CODE=3 WHERE DOC_CODE='ANCP02'"_s);
        db.exec(u"UPDATE M_TBL_TRANSACTION SET TO_BANKID=7 WHERE DOC_CODE='FTCR01'"_s);
        QCOMPARE(sums(),
                 (QStringList{u"1 100010 100010 1 50000 300010"_s, u"2 0 0 0 100005 0"_s, u"1 2 0 40040"_s,
                              u"1 3 150000 0"_s, u"LDOP 1 0 300010 -300010"_s, u"LDOP 2 0 0 0"_s,
                              u"LDOP 3 0 150000 -150000"_s, u"CRDB 0 150005 0 150005 2"_s, u"CRDB 7 0 40040 -40040 1"_s,
                              u"1 50000 40040 9960 2"_s, u"2 100005 0 100005 1"_s}));
        QCOMPARE(dueBalanceFaults(db), QStringList());
    }
};

QTEST_GUILESS_MAIN(TstDues)
#include "tst_dues.moc"
