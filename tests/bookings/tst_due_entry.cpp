// Entering what falls due: a booking's payment schedule filled from a template, typed, paid
// oldest first and re-priced; the template master; the due date of an advice note; a hotel
// line's deadlines; a supplier's periods; a lead's next follow-up; the office's days ahead.
#include "bookings/BookingsWindows.h"
#include "bookings/windows/ScheduleTab.h"
#include "bookings/windows/frm_CBPT01.h"
#include "masters/frm_ScheduleTemplate.h"
#include "shell/kit/LinesGrid.h"
#include "support/Drive.h"
#include "support/DuesFixture.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

using namespace tarvic;
using namespace tarvic::test;

namespace {

const QString kScheduleSaved = QStringLiteral("PAYMENT SCHEDULE SUCCESSFULLY SAVED ....");

// The dues fixture behind a logged-on session; one booking of 10000.50 made today, travelling
// in 60 days, and a template of 25 % on booking and the rest 30 days before travel.
struct Fixture : DuesFixture {
    ScriptedPrompter prompter;
    Session session;
    WindowRegistry registry;
    qint64 bookingNo = 0;
    int templateCode = 0;

    Fixture() {
        session.db = &db();
        session.prompter = &prompter;
        session.userFullName = QStringLiteral("ADMINISTRATOR");
        session.loginId = 1;
        registerBookingsWindows(registry);
        session.windows = &registry;
        bookingNo = booking(lead(kAdmin, today), "10000.50", today.addDays(60));
        templateCode = ScheduleTemplates(db(), "T").save(
            {0,
             "DEPOSIT AND BALANCE",
             {{TemplateLine::Share::Percent, Money::fromInput("25"), TemplateLine::Due::OnBooking, 0, "DEPOSIT"},
              {TemplateLine::Share::Percent, Money::fromInput("75"), TemplateLine::Due::BeforeTravel, 30, "BALANCE"}}});
    }
    void answer(const QList<bool>& answers = {}) {
        prompter.clear();
        prompter.answers = answers;
    }
    // The booking window showing the booking, on its schedule page.
    std::unique_ptr<frm_CBPT01> bookingWindow() {
        auto w = std::make_unique<frm_CBPT01>(session, nullptr);
        showActive(*w);
        w->Show_Record(bookingNo);
        w->tabs->setCurrentWidget(w->scheduleTab);
        return w;
    }
    // The stored instalments as "line|due|amount|note".
    QStringList stored() {
        return lines(db(),
                     "SELECT LINE_NO, DUE_DT, INST_AMT, INST_NOTE FROM M_TBL_BOOKING_INSTALMENT WHERE CBPT_NO=? "
                     "ORDER BY LINE_NO",
                     {bookingNo});
    }
    QString dueText(int days) const { return lineDateText(today.addDays(days)); }
};

// Types into a cell as a user does, the edit closed by Enter (an amount then shows two decimals).
void typeCell(LinesGrid* g, int row, int column, const QString& text) {
    typeIntoCell(g, row, column, text);
    keyToFocus(Qt::Key_Return);
    QVERIFY(g->cell(row, column).startsWith(text));
}

// Every line as shown, its cells joined by "|".
QStringList shown(const LinesGrid* g) {
    QStringList out;
    for (int r = 0; r < g->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < g->columnCount(); ++c)
            cells << g->cell(r, c);
        out << cells.join('|');
    }
    return out;
}

}  // namespace

class TstDueEntry : public QObject {
    Q_OBJECT
private slots:
    // Chosen by keys, the template fills instalments that make the grand total to the paisa
    // (25 % of 10000.50 rounds half to even), and the save stores exactly them.
    void scheduleFromTemplateStored() {
        Fixture f;
        auto w = f.bookingWindow();
        ScheduleTab* s = w->scheduleTab;
        QVERIFY(s->Cmd_SaveSchedule->isEnabled());
        s->Cmb_Template->setFocus();
        QTest::keyClick(s->Cmb_Template, Qt::Key_Down);
        QCOMPARE(s->Cmb_Template->currentText(), "DEPOSIT AND BALANCE");
        QTest::mouseClick(s->Cmd_FillTemplate, Qt::LeftButton);
        QCOMPARE(shown(s->Grid_Schedule),
                 (QStringList{f.dueText(0) + "|2500.12||DEPOSIT|||", f.dueText(30) + "|7500.38||BALANCE|||"}));
        QCOMPARE(s->lbl_ScheduleTotal->text(), "TOTAL OF INSTALMENTS : 10000.50    GRAND TOTAL : 10000.50");
        QVERIFY(f.stored().isEmpty());  // nothing stored before the save
        shoot(*w, "booking_schedule");
        f.answer();
        QTest::mouseClick(s->Cmd_SaveSchedule, Qt::LeftButton);
        QCOMPARE(f.prompter.texts(), QStringList{kScheduleSaved});
        const auto date = [&](int days) { return f.today.addDays(days).toString(Qt::ISODate); };
        QStringList rows = f.stored();
        for (QString& r : rows)
            r = r.section('|', 0, 0) + '|' + r.section('|', 1, 1).left(10) + '|' +
                Money::fromInput(r.section('|', 2, 2)).toString() + '|' + r.section('|', 3);
        QCOMPARE(rows, (QStringList{"1|" + date(0) + "|2500.12|DEPOSIT", "2|" + date(30) + "|7500.38|BALANCE"}));
    }

    // Typed instalments reach the engine as typed: it alone refuses them, with its own
    // message, and a refused schedule stores nothing; a percentage typed takes its share.
    void typedScheduleCheckedByEngine() {
        struct Line {
            int dueDays;  // < -999: no date typed
            QString amount, percent;
        };
        struct Case {
            const char* name;
            QList<Line> lines;
            QString message;
            QStringList amounts;  // stored
        };
        const QList<Case> cases{
            {"short of the total",
             {{0, "4000", {}}, {10, "5000", {}}},
             scheduleTotalMessage(Money::fromInput("9000"), Money::fromInput("10000.50")),
             {}},
            {"beyond the total",
             {{0, "4000", {}}, {10, "7000", {}}},
             scheduleTotalMessage(Money::fromInput("11000"), Money::fromInput("10000.50")),
             {}},
            {"no due date", {{-1000, "10000.50", {}}}, "ENTER THE DUE DATE OF EVERY INSTALMENT ....", {}},
            {"no amount", {{0, {}, {}}, {5, "10000.50", {}}}, "ENTER THE AMOUNT OF EVERY INSTALMENT ....", {}},
            {"percentage and rest", {{0, {}, "40"}, {20, "6000.30", {}}}, kScheduleSaved, {"4000.20", "6000.30"}},
        };
        for (const Case& c : cases) {
            Fixture f;
            auto w = f.bookingWindow();
            ScheduleTab* s = w->scheduleTab;
            for (int i = 0; i < c.lines.size(); ++i) {
                QTest::mouseClick(s->Cmd_AddLine, Qt::LeftButton);
                const Line& l = c.lines.at(i);
                if (l.dueDays > -1000)
                    typeCell(s->Grid_Schedule, i, ScheduleTab::ColDue, f.dueText(l.dueDays));
                if (!l.amount.isEmpty())
                    typeCell(s->Grid_Schedule, i, ScheduleTab::ColAmount, l.amount);
                if (!l.percent.isEmpty())
                    typeCell(s->Grid_Schedule, i, ScheduleTab::ColPercent, l.percent);
                s->Grid_Schedule->setCell(i, ScheduleTab::ColNote, "LINE");  // marks a line wholly blank otherwise
            }
            f.answer();
            QTest::mouseClick(s->Cmd_SaveSchedule, Qt::LeftButton);
            QCOMPARE(f.prompter.texts(), QStringList{c.message});
            QStringList amounts;
            for (const QString& r : f.stored())
                amounts << Money::fromInput(r.section('|', 2, 2)).toString();
            QVERIFY2(amounts == c.amounts, c.name);
        }
    }

    // Receipts pay the instalments oldest first, whatever order they were typed in; what is
    // left of a past instalment counts its days overdue; a receipt cancelled stops counting.
    void receiptsAppliedOldestFirst() {
        struct Case {
            QStringList receipts;
            bool cancelLast;
            QStringList lines;  // received|balance|days overdue of each line, by due date
        };
        const QList<Case> cases{
            {{}, false, {"0.00|3000.00|5", "0.00|7000.50|"}},
            {{"1000"}, false, {"1000.00|2000.00|5", "0.00|7000.50|"}},
            {{"1000", "2500"}, false, {"3000.00|0.00|", "500.00|6500.50|"}},
            {{"1000", "2500"}, true, {"1000.00|2000.00|5", "0.00|7000.50|"}},
        };
        for (const Case& c : cases) {
            Fixture f;
            f.schedule(f.bookingNo, {{10, "7000.50"}, {-5, "3000"}});
            qint64 last = 0;
            for (const QString& r : c.receipts)
                last = f.receive(f.bookingNo, r);
            if (c.cancelLast)
                TransactionRecords(f.db(), "T").cancel("FRDB01", last, {f.bookingNo}, "WRONG");
            auto w = f.bookingWindow();
            QStringList got;
            for (const QString& l : shown(w->scheduleTab->Grid_Schedule))
                got << l.section('|', 4);
            QCOMPARE(got, c.lines);
        }
    }

    // A booking re-priced after its schedule shows the difference in red and keeps every
    // instalment; a locked or cancelled booking shows its schedule and changes nothing.
    void repricedAndShutBookings() {
        struct Case {
            const char* name;
            const char* change;
            bool editable;
            QString mismatch;
        };
        const QList<Case> cases{
            {"re-priced", "UPDATE M_TBL_TRANSACTION SET GRAND_TOTAL=12000 WHERE DOC_CODE='CBPT01' AND DOC_NO=?", true,
             "BOOKING RE-PRICED : " + scheduleTotalMessage(Money::fromInput("10000.50"), Money::fromInput("12000"))},
            {"locked", "UPDATE M_TBL_TRANSACTION SET LCK_CBPT='Y' WHERE DOC_CODE='CBPT01' AND DOC_NO=?", false, {}},
            {"cancelled",
             "UPDATE M_TBL_TRANSACTION SET DOC_STATUS='CNCL' WHERE DOC_CODE='CBPT01' AND DOC_NO=?",
             false,
             {}},
        };
        for (const Case& c : cases) {
            Fixture f;
            f.schedule(f.bookingNo, {{0, "4000"}, {20, "6000.50"}});
            const QStringList before = f.stored();
            f.db().exec(c.change, {f.bookingNo});
            auto w = f.bookingWindow();
            ScheduleTab* s = w->scheduleTab;
            QVERIFY2(s->lbl_ScheduleMismatch->text() == c.mismatch, c.name);
            QVERIFY2(s->Grid_Schedule->rowCount() == 2, c.name);
            QVERIFY2(s->Cmd_SaveSchedule->isEnabled() == c.editable, c.name);
            QVERIFY2(s->Grid_Schedule->isReadOnly() == !c.editable, c.name);
            QVERIFY2(!(s->Grid_Schedule->item(0, ScheduleTab::ColAmount)->flags() & Qt::ItemIsEditable) == !c.editable,
                     c.name);
            QVERIFY2(f.stored() == before, c.name);
        }
    }

    // The master saves a template typed by keys with its lines in order, lists it, and shows
    // it again whole when chosen; a percentage beyond 100 is refused by the engine's rule.
    void templateMasterSavesLines() {
        Fixture f;
        frm_ScheduleTemplate w(f.session, nullptr);
        showActive(w);
        QCOMPARE(w.Grid1->rowCount(), 1);
        typeInto(w.txt_TemplateName, "thirds");
        LinesGrid* g = w.Grid_Lines;
        typeCell(g, 0, frm_ScheduleTemplate::ColValue, "30.00");
        QTest::mouseClick(w.Cmd_AddLine, Qt::LeftButton);
        g->setCell(1, frm_ScheduleTemplate::ColRule, "DAYS AFTER BOOKING");
        typeCell(g, 1, frm_ScheduleTemplate::ColValue, "500.00");
        g->setCell(1, frm_ScheduleTemplate::ColShare, "AMOUNT");
        typeCell(g, 1, frm_ScheduleTemplate::ColDays, "15");
        QTest::mouseClick(w.Cmd_AddLine, Qt::LeftButton);
        g->setCell(2, frm_ScheduleTemplate::ColRule, "DAYS BEFORE TRAVEL");
        typeCell(g, 2, frm_ScheduleTemplate::ColValue, "70.00");
        typeCell(g, 2, frm_ScheduleTemplate::ColDays, "21");
        typeCell(g, 2, frm_ScheduleTemplate::ColNote, "REST");
        f.answer();
        w.pressTool(3);
        QCOMPARE(f.prompter.texts(), QStringList{"UPDATION OF SCHEDULE TEMPLATE SUCCESSFULLY DONE ...."});
        const int code = w.code();
        QVERIFY(code > 0);
        QStringList rows = lines(f.db(),
                                 "SELECT t.TEMPLATE_NAME, l.LINE_NO, l.SHARE_KIND, l.SHARE_VALUE, l.DUE_RULE, "
                                 "l.DUE_DAYS, l.LINE_NOTE FROM M_TBL_SCHEDULE_TEMPLATE t JOIN "
                                 "M_TBL_SCHEDULE_TEMPLATE_LINE l ON l.TEMPLATE_CODE=t.TEMPLATE_CODE WHERE "
                                 "t.TEMPLATE_CODE=? ORDER BY l.LINE_NO",
                                 {code});
        for (QString& r : rows) {
            QStringList c = r.split('|');
            c[3] = Money::fromInput(c[3]).toString();
            r = c.join('|');
        }
        QCOMPARE(rows, (QStringList{"THIRDS|1|P|30.00|B|0|", "THIRDS|2|A|500.00|A|15|", "THIRDS|3|P|70.00|T|21|REST"}));

        w.pressTool(2);
        QCOMPARE(g->rowCount(), 1);
        const int listed = rowOf(w.Grid1->model(), 0, "THIRDS");
        QVERIFY(listed >= 0);
        enterOn(w.Grid1, listed, 0);
        QCOMPARE(w.txt_TemplateName->text(), "THIRDS");
        shoot(w, "schedule_template");
        QCOMPARE(shown(g), (QStringList{"PERCENT|30.00|ON BOOKING|0|", "AMOUNT|500.00|DAYS AFTER BOOKING|15|",
                                        "PERCENT|70.00|DAYS BEFORE TRAVEL|21|REST"}));

        typeCell(g, 2, frm_ScheduleTemplate::ColValue, "80.00");
        f.answer();
        w.pressTool(3);
        QCOMPARE(f.prompter.texts(), QStringList{"THE PERCENTAGES CANNOT EXCEED 100 ...."});
        QCOMPARE(count(f.db(), "M_TBL_SCHEDULE_TEMPLATE_LINE", "TEMPLATE_CODE=? AND SHARE_VALUE=70", {code}), 1);
    }
};

QTEST_MAIN(TstDueEntry)
#include "tst_due_entry.moc"
