// Operations on the demo booking: a status's locks copied onto the booking, its lead and
// quotation, all or nothing; status names; the consultant assignment and its log; a cancelled
// booking refused by every operations window.
#include "bookings/BookingsWindows.h"
#include "bookings/windows/frm_CBPT01.h"
#include "bookings/windows/frm_CBPT_ConsOpt.h"
#include "bookings/windows/frm_CBPT_StatusUpdate.h"
#include "bookings/windows/frm_UnMatchANCP.h"
#include "bookings/windows/frm_Update_CBPT_Ops.h"
#include "bookings/windows/frm_Update_CBPT_OpsLog.h"
#include "data/BooksCheck.h"
#include "engine/bookings/BookingOperations.h"
#include "masters/StatusMaster.h"
#include "shell/kit/CodeList.h"
#include "shell/kit/ListGrid.h"
#include "support/DemoWindows.h"
#include "support/SaveProtocol.h"

#include <QDateEdit>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <functional>
#include <tuple>

using namespace tarvic;
using namespace tarvic::test;

namespace {

const QString kCancelled = BookingOperations::cancelledText(1);
const QString kFlags = QStringLiteral(
    "SELECT b.LCK_LEAD||b.LCK_QUOT||b.LCK_MONEYRCPT||b.LCK_ANCP01||b.LCK_ANCP02||"
    "b.LCK_ANCP03||b.LCK_PAYMENT||b.LCK_CBPT, l.LCK_LEAD, q.LCK_QUOT, s.CBPT_STATUS "
    "FROM M_TBL_TRANSACTION b JOIN M_TBL_TRANSACTION l ON l.DOC_CODE='BLFC01' AND "
    "l.DOC_NO=b.LEAD_NO JOIN M_TBL_QUOTATION q ON q.DOC_CODE='QGBL01' AND "
    "q.DOC_NO=b.QUOTATION_NO JOIN M_TBL_CBPT_STATUS s ON "
    "s.CBPTSTATUS_CODE=b.CBPTSTATUS_CODE WHERE b.DOC_CODE='CBPT01' AND b.DOC_NO=1");

// The demo set: booking 1 in DEMO CONFIRMED, given to an operations consultant; the posting
// windows stand in as plain widgets so the booking window's buttons follow only the locks.
struct Fixture : DemoWindows {
    ActingPrompter& prompter = ts.prompter;
    Fixture() : DemoWindows(registerBookingsWindows) {
        for (const char* name : {"frm_CBPT01_FRDB", "frm_CBPT01_FTCR", "frm_CBPT01_FTRF"})
            registry.add(QString::fromLatin1(name), [](Session&, QWidget* p) -> QWidget* { return new QWidget(p); });
    }
    void answer(QList<bool> yes = {true}) { ts.answer(yes); }
    template <class W>
    std::unique_ptr<W> open(qint64 booking) {
        auto w = std::make_unique<W>(ts.session, nullptr);
        showActive(*w);
        w->txt_CBPTNo->setText(QString::number(booking));
        w->Show_CBPT();
        return w;
    }
};

}  // namespace

class TstOperations : public QObject {
    Q_OBJECT
private slots:
    // Each status's flags reach the booking, its lead, its quotation and the booking window, all or nothing.
    void statusLocksFollowed() {
        Fixture f;
        const struct {
            const char* status;
            const char* flags;  // booking's eight, then lead's and quotation's
            bool receipt, hotel, save;
        } cases[] = {{"DEMO RECEIPTS CLOSED", "NNYNNNNN|N|N", false, true, true},
                     {"DEMO TOUR CLOSED", "YYYYYYYY|Y|Y", false, false, false},
                     {"DEMO CONFIRMED", "NNNNNNNN|N|N", true, true, true}};
        auto w = f.open<frm_CBPT_StatusUpdate>(1);
        for (const auto& c : cases) {
            choose(w->Cmb_Status, c.status);
            QCOMPARE(w->lockLabels.at(2)->text(), QString(QChar::fromLatin1(c.flags[2])));
            f.answer();
            w->pressTool(3);
            QCOMPARE(f.prompter.texts().size(), qsizetype(2));
            QVERIFY(f.prompter.texts().last().contains(" UPDATION OF CBPT STATUS SUCCESSFULLY DONE ... "));
            QCOMPARE(lines(f.db(), kFlags),
                     QStringList(QStringLiteral("%1|%2").arg(QLatin1String(c.flags), QLatin1String(c.status))));
            QCOMPARE(w->shownText("lbl_CurStatus"), c.status);
            frm_CBPT01 booking(f.ts.session, nullptr);
            QVERIFY(booking.Show_Record(1));
            const auto on = [&](frm_CBPT01::Posting p) { return booking.postingButton(p)->isEnabled(); };
            QCOMPARE((QList<bool>{on(frm_CBPT01::PostReceipt), on(frm_CBPT01::PostHotel), on(frm_CBPT01::PostPayment),
                                  booking.tool(3)->isEnabled()}),
                     (QList<bool>{c.receipt, c.hotel, c.hotel, c.save}));
            QCOMPARE(checkBooks(f.db()).problems, QStringList());
        }
        // A flag changed behind the status's back is a fault of the books.
        f.db().exec("UPDATE M_TBL_QUOTATION SET LCK_QUOT='Y' WHERE DOC_CODE='QGBL01'");
        f.db().exec("UPDATE M_TBL_TRANSACTION SET LCK_MONEYRCPT='Y' WHERE DOC_CODE='CBPT01'");
        QCOMPARE(checkBooks(f.db()).problems.size(), qsizetype(2));
        // Whichever statement fails, nothing is written.
        int statements = 0;
        QCOMPARE(checkAtomic(
                     f.prompter, f.db(), {"M_TBL_TRANSACTION", "M_TBL_QUOTATION"},
                     " CBPT NO : 1\n UPDATION OF CBPT STATUS SUCCESSFULLY DONE ... \n BILL PARTY : DEMO ASHA NAIR\n"
                     " ITN NAME : DEMO KERALA HILLS AND BACKWATERS\n CBPT STATUS :DEMO TOUR CLOSED",
                     [&] { choose(w->Cmb_Status, "DEMO TOUR CLOSED"); }, [&] { w->pressTool(3); }, &statements),
                 QString());
        QVERIFY(statements >= 6);
    }

    // A lead or quotation the booking names but that is not there is named, not blamed on
    // another user, and nothing is written; the unmatched list's button needs a chosen row.
    void missingRowsNamed() {
        for (const char* gone : {"M_TBL_TRANSACTION", "M_TBL_QUOTATION"}) {
            Fixture f;
            const bool isLead = QLatin1String(gone) == "M_TBL_TRANSACTION";
            const QString no = lines(f.db(), QString("SELECT CAST(%1 AS INTEGER) FROM M_TBL_TRANSACTION WHERE "
                                                     "DOC_CODE='CBPT01' AND DOC_NO=1")
                                                 .arg(isLead ? "LEAD_NO" : "QUOTATION_NO"))
                                   .value(0);
            auto w = f.open<frm_CBPT_StatusUpdate>(1);
            choose(w->Cmb_Status, "DEMO TOUR CLOSED");
            f.db().exec(QString("DELETE FROM %1 WHERE DOC_CODE IN ('BLFC01', 'QGBL01') AND DOC_NO=?").arg(gone),
                        {no.toLongLong()});
            const QStringList tables{"M_TBL_TRANSACTION", "M_TBL_QUOTATION"};
            const Footprint before = footprint(f.db(), tables);
            f.answer();
            w->pressTool(3);
            QCOMPARE(f.prompter.texts().last(), QString("CANNOT PROCEED AS %1 : %2 OF CBPT NO : 1 IS NOT FOUND ....")
                                                    .arg(isLead ? "LEAD NO" : "QUOTATION NO", no));
            QVERIFY(footprint(f.db(), tables) == before);
        }
        Fixture f;
        frm_UnMatchANCP list(f.ts.session, nullptr);
        showActive(list);
        QTest::mouseClick(list.Cmd_Status, Qt::LeftButton);  // nothing listed
        QCOMPARE(f.prompter.texts(), QStringList{kNoRowChosen});
    }

    // Refused before the question, and by the table when another workstation wins the race.
    void statusNamesUnique() {
        Fixture f;
        StatusMaster w(f.ts.session, nullptr, frm_CBPTSTATUS_OPS_Config());
        const qint64 before = count(f.db(), "M_TBL_CBPT_STATUS_OPS");
        const QString taken = QStringLiteral("CBPT STATUS ALREADY EXISTS ....");
        w.txt_Status->setText("demo assigned");
        f.answer();
        w.Save_Record();
        QCOMPARE(f.prompter.texts(), QStringList(taken));
        auto other = f.ts.t.connect("other");
        w.Load_Init();
        w.txt_Status->setText("ON HOLD");
        f.answer();
        f.prompter.onQuestion = [&] {
            other->exec("INSERT INTO M_TBL_CBPT_STATUS_OPS (CBPTSTATUS_CODE_O, CBPT_STATUS) VALUES (99, 'ON HOLD')");
        };
        w.Save_Record();
        QCOMPARE(f.prompter.texts().last(), taken);
        QCOMPARE(count(f.db(), "M_TBL_CBPT_STATUS_OPS"), before + 1);
        QCOMPARE(w.code(), qint64(0));
    }

    // Assigned, logged with hostile text, and listed to the end of the to-date with counts
    // equal to the rows, a booking without an operations status included.
    void assignmentLogAndSheet() {
        Fixture f;
        Database& db = f.db();
        db.exec("UPDATE M_TBL_TRANSACTION SET CONSLT_OPS=NULL WHERE DOC_CODE='CBPT01'");
        auto assign = f.open<frm_CBPT_ConsOpt>(1);
        typeInto(assign->consultant->edit(),
                 db.scalar("SELECT MIN(CONSULTANT_CODE) FROM M_TBL_CONSULTANT_OP").toString());
        QTest::keyClick(assign->consultant->edit(), Qt::Key_Return);
        f.answer();
        QTest::mouseClick(assign->Cmd_Assign, Qt::LeftButton);
        QVERIFY(f.prompter.texts().last().endsWith("CONSLTNT - OPS: DEMO SURESH PILLAI"));
        QCOMPARE(lines(db,
                       "SELECT o.CONSULTANT_NAME, b.CBPT_STATUS_O_UPDBY FROM M_TBL_TRANSACTION b JOIN "
                       "M_TBL_CONSULTANT_OP o ON o.CONSULTANT_CODE=b.CONSLT_OPS WHERE b.DOC_CODE='CBPT01'"),
                 QStringList("DEMO SURESH PILLAI|ADMINISTRATOR"));

        const QDate day = QDate::currentDate().addDays(-3);
        db.exec("UPDATE M_TBL_TRANSACTION SET CBPT_STATUS_O_UPDON=?, CBPTSTATUS_CODE_O=NULL WHERE DOC_CODE='CBPT01'",
                {QDateTime(day, QTime(23, 59, 59))});
        frm_Update_CBPT_Ops sheet(f.ts.session, nullptr);
        showActive(sheet);
        const std::tuple<QDate, QDate, int> ranges[] = {{day, day, 1}, {day.addDays(-2), day.addDays(-1), 0}};
        for (const auto& [from, to, rows] : ranges) {
            sheet.txt_FromDate->setDate(from);
            sheet.txt_ToDate->setDate(to);
            sheet.Load_Grid();
            QCOMPARE(sheet.Grid1->rowCount(), rows);
            QCOMPARE(sheet.summaryGrid(1)->rowCount(), rows);
            QCOMPARE(sheet.summaryGrid(0)->text(0, 3).toInt(), rows);
        }
        sheet.txt_FromDate->setDate(day);
        sheet.txt_ToDate->setDate(day);
        sheet.Load_Grid();
        auto* log = qobject_cast<frm_Update_CBPT_OpsLog*>(sheet.openLog(0));
        QVERIFY(log);
        log->txt_Action->setPlainText(QStringLiteral("CALLED O'NEIL; ÜBER \"LATE\" ") + QString(2100, 'X'));
        choose(log->Cmb_Status, "DEMO IN PROGRESS");
        f.answer();
        log->pressTool(3);
        QCOMPARE(f.prompter.texts(), QStringList("UPDATION OF CBPT LOG SHEET SUCCESSFULLY DONE ...."));
        const auto row = db.firstRow(
            "SELECT CONSUTLTANT_RESPONSETXT, CBPTSTATUS_CODE_O FROM M_TBL_TRANSACTION WHERE "
            "DOC_CODE='CBPT01' AND DOC_NO=1");
        QCOMPARE(row->value(0).toString().size(), qsizetype(2000));
        QVERIFY(row->value(0).toString().startsWith(QStringLiteral("CALLED O'NEIL; ÜBER \"LATE\" X")));
        QCOMPARE(row->value(1).toString(), log->Cmb_Status->code());
        QCOMPARE(sheet.summaryGrid(1)->text(0, 1), "DEMO IN PROGRESS");  // the sheet read again
        log->close();
    }

    // Loaded before the booking was cancelled, refused inside the save; refused on loading after.
    void cancelledBookingRefused() {
        Fixture f;
        Database& db = f.db();
        auto status = f.open<frm_CBPT_StatusUpdate>(1);
        auto assign = f.open<frm_CBPT_ConsOpt>(1);
        auto log = f.open<frm_Update_CBPT_OpsLog>(1);
        choose(status->Cmb_Status, "DEMO TOUR CLOSED");
        typeInto(assign->consultant->edit(),
                 db.scalar("SELECT MIN(CONSULTANT_CODE) FROM M_TBL_CONSULTANT_OP").toString());
        assign->consultant->lookUp();
        db.exec("UPDATE M_TBL_TRANSACTION SET DOC_STATUS='CNCL' WHERE DOC_CODE='CBPT01' AND DOC_NO=1");
        const QStringList before = lines(db, "SELECT * FROM M_TBL_TRANSACTION WHERE DOC_CODE='CBPT01'");
        const std::function<void()> saves[] = {[&] { status->pressTool(3); }, [&] { assign->Save_Record(); },
                                               [&] { log->Save_Record(); }};
        for (const auto& save : saves) {
            f.answer();
            save();
            QCOMPARE(f.prompter.texts().last(), kCancelled);
        }
        QCOMPARE(lines(db, "SELECT * FROM M_TBL_TRANSACTION WHERE DOC_CODE='CBPT01'"), before);
        for (BookingOpsWindow* w : std::initializer_list<BookingOpsWindow*>{status.get(), assign.get(), log.get()}) {
            f.answer();
            QVERIFY(!w->Show_CBPT());
            QCOMPARE(f.prompter.texts(), QStringList(kCancelled));
            QCOMPARE(w->booking(), qint64(0));
        }
    }
};

QTEST_MAIN(TstOperations)
#include "tst_operations.moc"
