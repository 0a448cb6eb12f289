// A booking's payment schedule entered on its page (filled from a template, typed, paid oldest
// first, re-priced, shut) and the schedule template master.
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
struct Fixture : DuesWindows {
    qint64 bookingNo = 0;

    Fixture() : DuesWindows(registerBookingsWindows, 0) {
        bookingNo = booking(lead(kAdmin, today), "10000.50", today.addDays(60));
        ScheduleTemplates(db(), "T").save(
            {0,
             "DEPOSIT AND BALANCE",
             {{TemplateLine::Share::Percent, Money::fromInput("25"), TemplateLine::Due::OnBooking, 0, "DEPOSIT"},
              {TemplateLine::Share::Percent, Money::fromInput("75"), TemplateLine::Due::BeforeTravel, 30, "BALANCE"}}});
    }
    // The booking window showing the booking, on its schedule page.
    std::unique_ptr<frm_CBPT01> bookingWindow() {
        auto w = std::make_unique<frm_CBPT01>(session, nullptr);
        showActive(*w);
        w->Show_Record(bookingNo);
        w->tabs->setCurrentWidget(w->scheduleTab);
        return w;
    }
    // The stored instalments as "line|due day|amount|note", amounts to the paisa on both engines.
    QStringList stored() {
        QStringList out;
        for (const QString& r : lines(db(),
                                      "SELECT LINE_NO, DUE_DT, INST_AMT, INST_NOTE FROM M_TBL_BOOKING_INSTALMENT "
                                      "WHERE CBPT_NO=? ORDER BY LINE_NO",
                                      {bookingNo}))
            out << r.section('|', 0, 0) + '|' + r.section('|', 1, 1).left(10) + '|' +
                       Money::fromInput(r.section('|', 2, 2)).toString() + '|' + r.section('|', 3);
        return out;
    }
    QString dueText(int days) const { return lineDateText(today.addDays(days)); }
};

// Types into a cell as a user does, the edit closed by Enter (an amount then shows two decimals).
void typeCell(LinesGrid* g, int row, int column, const QString& text) {
    typeIntoCell(g, row, column, text);
    keyToFocus(Qt::Key_Return);
    QVERIFY(g->cell(row, column).startsWith(text));
}

QStringList shown(const LinesGrid* g) {
    return rowTexts(g->model(), -1, QStringLiteral("|"));
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
        f.answer();
        QTest::mouseClick(s->Cmd_SaveSchedule, Qt::LeftButton);
        QCOMPARE(f.prompter.texts(), QStringList{kScheduleSaved});
        const auto date = [&](int days) { return f.today.addDays(days).toString(Qt::ISODate); };
        QCOMPARE(f.stored(), (QStringList{"1|" + date(0) + "|2500.12|DEPOSIT", "2|" + date(30) + "|7500.38|BALANCE"}));
    }

    // Typed instalments reach the engine as typed: it alone refuses them, with its own
    // message, and a refused schedule stores nothing; a percentage typed takes its share.
    void typedScheduleCheckedByEngine() {
        struct Case {
            QList<QStringList> lines;  // due in days (empty: none typed), amount, percentage
            QString message;
            QStringList amounts;  // stored
        };
        const QList<Case> cases{
            {{{"0", "4000", ""}, {"10", "5000", ""}},
             scheduleTotalMessage(Money::fromInput("9000"), Money::fromInput("10000.50")),
             {}},
            {{{"", "10000.50", ""}}, "ENTER THE DUE DATE OF EVERY INSTALMENT ....", {}},
            {{{"0", "", "40"}, {"20", "6000.30", ""}}, kScheduleSaved, {"4000.20", "6000.30"}},
        };
        for (const Case& c : cases) {
            Fixture f;
            auto w = f.bookingWindow();
            LinesGrid* g = w->scheduleTab->Grid_Schedule;
            for (int i = 0; i < c.lines.size(); ++i) {
                QTest::mouseClick(w->scheduleTab->Cmd_AddLine, Qt::LeftButton);
                const QStringList& l = c.lines.at(i);
                const QString typed[] = {l[0].isEmpty() ? QString() : f.dueText(l[0].toInt()), l[1], l[2]};
                for (int col : {ScheduleTab::ColDue, ScheduleTab::ColAmount, ScheduleTab::ColPercent})
                    if (!typed[col].isEmpty())
                        typeCell(g, i, col, typed[col]);
            }
            f.answer();
            QTest::mouseClick(w->scheduleTab->Cmd_SaveSchedule, Qt::LeftButton);
            QCOMPARE(f.prompter.texts(), QStringList{c.message});
            QStringList amounts;
            for (const QString& r : f.stored())
                amounts << r.section('|', 2, 2);
            QCOMPARE(amounts, c.amounts);
        }
    }

    // The schedule as stored: receipts pay its instalments oldest first whatever order they were
    // typed in, a past one left unpaid counts its days overdue, a receipt cancelled stops
    // counting; a re-priced booking shows the difference in red and keeps every instalment;
    // a locked or cancelled booking shows its schedule and changes nothing.
    void scheduleAsStored() {
        struct Case {
            const char* change;  // on the booking, after the receipts
            bool cancelLast, editable;
            QStringList lines;  // received|balance|days overdue, by due date
            QString mismatch;
        };
        const QString rePriced =
            "BOOKING RE-PRICED : " + scheduleTotalMessage(Money::fromInput("10000.50"), Money::fromInput("12000"));
        const QList<Case> cases{
            {"", false, true, {"3000.00|0.00|", "500.00|6500.50|"}, {}},
            {"", true, true, {"1000.00|2000.00|5", "0.00|7000.50|"}, {}},
            {"GRAND_TOTAL=12000", false, true, {"3000.00|0.00|", "500.00|6500.50|"}, rePriced},
            {"LCK_CBPT='Y'", false, false, {"3000.00|0.00|", "500.00|6500.50|"}, {}},
            {"DOC_STATUS='CNCL'", false, false, {"3000.00|0.00|", "500.00|6500.50|"}, {}},
        };
        for (const Case& c : cases) {
            Fixture f;
            f.schedule(f.bookingNo, {{10, "7000.50"}, {-5, "3000"}});
            f.receive(f.bookingNo, "1000");
            const qint64 last = f.receive(f.bookingNo, "2500");
            if (c.cancelLast)
                TransactionRecords(f.db(), "T").cancel("FRDB01", last, {f.bookingNo}, "WRONG");
            if (*c.change)
                f.db().exec(
                    QString("UPDATE M_TBL_TRANSACTION SET %1 WHERE DOC_CODE='CBPT01' AND DOC_NO=?").arg(c.change),
                    {f.bookingNo});
            const QStringList before = f.stored();
            auto w = f.bookingWindow();
            ScheduleTab* s = w->scheduleTab;
            QStringList got;
            for (const QString& l : shown(s->Grid_Schedule))
                got << l.section('|', 4);
            QCOMPARE(got, c.lines);
            QCOMPARE(s->lbl_ScheduleMismatch->text(), c.mismatch);
            const bool cellEditable = s->Grid_Schedule->item(0, ScheduleTab::ColAmount)->flags() & Qt::ItemIsEditable;
            QVERIFY(s->Cmd_SaveSchedule->isEnabled() == c.editable && cellEditable == c.editable);
            QCOMPARE(f.stored(), before);
        }
    }

    // The master saves a template typed by keys with its lines in order, lists it, and shows
    // it again whole when chosen.
    void templateMasterSavesLines() {
        Fixture f;
        frm_ScheduleTemplate w(f.session, nullptr);
        showActive(w);
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
        QCOMPARE(lines(f.db(),
                       "SELECT t.TEMPLATE_NAME, l.SHARE_KIND, l.DUE_RULE, l.DUE_DAYS, l.LINE_NOTE FROM "
                       "M_TBL_SCHEDULE_TEMPLATE t JOIN M_TBL_SCHEDULE_TEMPLATE_LINE l ON "
                       "l.TEMPLATE_CODE=t.TEMPLATE_CODE WHERE t.TEMPLATE_CODE=? ORDER BY l.LINE_NO",
                       {code}),
                 (QStringList{"THIRDS|P|B|0|", "THIRDS|A|A|15|", "THIRDS|P|T|21|REST"}));
        w.pressTool(2);
        QCOMPARE(g->rowCount(), 1);
        const int listed = rowOf(w.Grid1->model(), 0, "THIRDS");
        QVERIFY(listed >= 0);
        enterOn(w.Grid1, listed, 0);
        QCOMPARE(w.txt_TemplateName->text(), "THIRDS");
        QCOMPARE(shown(g), (QStringList{"PERCENT|30.00|ON BOOKING|0|", "AMOUNT|500.00|DAYS AFTER BOOKING|15|",
                                        "PERCENT|70.00|DAYS BEFORE TRAVEL|21|REST"}));
    }
};

QTEST_MAIN(TstDueEntry)
#include "tst_due_entry.moc"
