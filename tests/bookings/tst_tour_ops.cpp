// The operations tools of a booked tour over the demo booking 1 (two quoted hotels, the first
// CONFIRMED; one hotel and one vehicle note).
#include "bookings/BookingsWindows.h"
#include "bookings/windows/HotelStatusWindows.h"
#include "bookings/windows/VehicleSheetWindows.h"
#include "bookings/windows/frm_FeedBackForm.h"
#include "bookings/windows/frm_GenerateTourDays.h"
#include "bookings/windows/frm_UnMatchANCP.h"
#include "data/BooksCheck.h"
#include "data/Moments.h"
#include "engine/admin/DemoData.h"
#include "engine/bookings/TourDays.h"
#include "engine/bookings/TourOps.h"
#include "engine/dues/SupplierDues.h"
#include "shell/kit/ListGrid.h"
#include "support/Registered.h"
#include "support/SaveProtocol.h"

#include <QDateEdit>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace tarvic;
using namespace tarvic::test;

namespace {

const QString kRegenerated = QStringLiteral("RE-GENERATION SUCCESSFULLY DONE ....");

struct Fixture : SessionWindows {
    qint64 quote = 0;
    explicit Fixture(bool demo = true) : SessionWindows(registerTourOpsWindows) {
        if (demo)
            addDemoData(db());
        quote =
            db().scalar("SELECT QUOTATION_NO FROM M_TBL_TRANSACTION WHERE DOC_CODE='CBPT01' AND DOC_NO=1").toLongLong();
    }
    template <class W>
    std::unique_ptr<W> open(const QString& name, const QVariantHash& args = {}) {
        return SessionWindows::open<W>(name, {args});
    }
    // A bare quotation line (and its header, booked as CBPT01 booking when given).
    void line(qint64 q, qint64 acc, const char* kind, QDate from, QDate to, QVariant status = {}) {
        db().exec(
            "INSERT INTO M_TBL_QUOTATION (DOC_CODE, DOC_NO, ACC_CODE, ACCOUNT_DESC, TOUR_DATE, CHKOT_DT, "
            "HOTEL_NAME, HOTELSTATUS_CODE, HOTL_STATUPDBY) VALUES ('QGBL02', ?, ?, ?, ?, ?, 'H', ?, ?)",
            {q, acc, kind, dateToDb(from), to.isValid() ? dateToDb(to) : QVariant(), status,
             status.isNull() ? QVariant() : QVariant("OPS")});
    }
    void header(qint64 q, qint64 booking, const char* bookingStatus) {
        db().exec("INSERT INTO M_TBL_QUOTATION (DOC_CODE, DOC_NO, CBPT_NO) VALUES ('QGBL01', ?, ?)",
                  {q, booking ? QVariant(booking) : QVariant()});
        if (booking)
            db().exec(
                "INSERT INTO M_TBL_TRANSACTION (DOC_CODE, DOC_NO, IN_DOCCODE, IN_DOCNO, DOC_STATUS, QUOTATION_NO) "
                "VALUES ('CBPT01', ?, 'CBPT01', ?, ?, ?)",
                {booking, booking, bookingStatus, q});
    }
    QStringList days(qint64 q, qint64 acc) {
        QStringList out;
        QSqlQuery r = db().exec(
            "SELECT CONS_TOURDT, HOTELSTATUS_CODE, HOTL_STATUPDBY FROM M_TBL_QUOTATION WHERE "
            "DOC_CODE='QGBL03' AND DOC_NO=? AND ACC_CODE=? ORDER BY CONS_TOURDT",
            {q, acc});
        while (r.next())
            out << dateText(r.value(0)) + "|" + (r.value(1).isNull() ? QString() : r.value(1).toString()) + "|" +
                       r.value(2).toString();
        return out;
    }
    void generate(frm_GenerateTourDays& w) {
        ts.answer({true});
        QTest::mouseClick(w.Cmd_Generate, Qt::LeftButton);
    }
};

const QDate d1(2026, 3, 1), d4(2026, 3, 4);

}  // namespace

class TstTourOps : public QObject {
    Q_OBJECT
private slots:
    // Hotel lines give a row per night, vehicles a row per day; no end date gives 0 and 1 rows.
    // Stale and orphaned day rows go; each line's status reaches its days.
    void tourDays() {
        Fixture f(false);
        struct Case {
            const char* kind;
            QDate to;
            QVariant status;
            QStringList expected;
        };
        const QList<Case> cases{{"HOTEL", d4, 7, {"01/03/2026|7|OPS", "02/03/2026|7|OPS", "03/03/2026|7|OPS"}},
                                {"VEHICLE", d4, {}, {"01/03/2026||", "02/03/2026||", "03/03/2026||", "04/03/2026||"}},
                                {"HOTEL", {}, {}, {}},
                                {"VEHICLE", {}, {}, {"01/03/2026||"}}};
        for (int i = 0; i < cases.size(); ++i)
            f.line(10, i + 1, cases[i].kind, d1, cases[i].to, cases[i].status);
        f.db().exec(
            "INSERT INTO M_TBL_QUOTATION (DOC_CODE, DOC_NO, ACC_CODE, CONS_TOURDT) VALUES ('QGBL03', 10, 1, ?), "
            "('QGBL03', 99, 1, ?)",
            {dateToDb(d1), dateToDb(d1)});
        auto w = f.open<frm_GenerateTourDays>("frm_GenerateTourDays");
        f.generate(*w);
        QCOMPARE(f.ts.prompter.texts().last(), kRegenerated);
        for (int i = 0; i < cases.size(); ++i)
            QVERIFY2(f.days(10, i + 1) == cases[i].expected, qPrintable(f.days(10, i + 1).join(",")));
        QCOMPARE(count(f.db(), "M_TBL_QUOTATION", "DOC_CODE='QGBL03'"), qint64(8));
        QVERIFY(checkBooks(f.db()).problems.filter("day rows").isEmpty());
    }

    // A failure at any statement leaves every old day row; without lines the clearing is kept.
    void regeneration() {
        Fixture f;
        f.db().exec(
            "DELETE FROM M_TBL_QUOTATION WHERE DOC_CODE='QGBL03' AND ACCOUNT_DESC='VEHICLE' AND CONS_TOURDT="
            "(SELECT MAX(CONS_TOURDT) FROM M_TBL_QUOTATION WHERE DOC_CODE='QGBL03')");
        auto w = f.open<frm_GenerateTourDays>("frm_GenerateTourDays");
        int statements = 0;
        const QString e = checkAtomic(
            f.ts.prompter, f.db(), {"M_TBL_QUOTATION"}, kRegenerated, [] {},
            [&] { QTest::mouseClick(w->Cmd_Generate, Qt::LeftButton); }, &statements);
        QVERIFY2(e.isEmpty(), qPrintable(e));
        QVERIFY(statements > 3);
        QVERIFY(checkBooks(f.db()).problems.filter("QGBL0").isEmpty());

        f.db().exec("DELETE FROM M_TBL_QUOTATION WHERE DOC_CODE='QGBL02'");
        f.generate(*w);
        QCOMPARE(f.ts.prompter.texts().last(), kNoTourLines);
        QCOMPARE(count(f.db(), "M_TBL_QUOTATION", "DOC_CODE='QGBL03'"), qint64(0));
    }

    // "%" lists every line of a live booking, with or without a status; a status lists its own;
    // lines never booked or of a cancelled booking never show.
    void hotelList() {
        Fixture f;
        const QDate trip =
            dateFromDb(f.db().scalar("SELECT MIN(TOUR_DATE) FROM M_TBL_QUOTATION WHERE DOC_CODE='QGBL02'"));
        f.header(900, 0, nullptr);
        f.line(900, 1, "HOTEL", trip, trip.addDays(1));
        f.header(901, 901, "CNCL");
        f.line(901, 1, "HOTEL", trip, trip.addDays(1));
        auto w = f.open<frm_UpdateHotelStatus>("frm_UpdateHotelStatus");
        w->txt_FromDt->setDate(trip.addDays(-1));
        w->txt_ToDt->setDate(trip.addDays(10));
        const QString q = QString::number(f.quote);
        const QList<std::pair<QString, QStringList>> cases{
            {"%", {q + " 2 ", q + " 1 CONFIRMED"}}, {"CONFIRMED", {q + " 1 CONFIRMED"}}, {"REQUESTED", {}}};
        for (const auto& [status, rows] : cases) {
            choose(w->Cmb_Status, status);
            QTest::mouseClick(w->Cmd_Show, Qt::LeftButton);
            QStringList shown;
            for (int r = 0; r < w->Grid1->rowCount(); ++r)
                shown << QStringList{w->Grid1->text(r, w->ColQuotNo), w->Grid1->text(r, w->ColAccNo),
                                     w->Grid1->text(r, w->ColStatus)}
                             .join(" ");
            QCOMPARE(shown, rows);
        }
        w->Option2->setChecked(true);
        w->txt_CBPTNo->setText("901");
        choose(w->Cmb_Status, "%");
        QTest::mouseClick(w->Cmd_Show, Qt::LeftButton);
        QCOMPARE(w->Grid1->rowCount(), 0);
    }

    // The line and its day rows take the status together, or neither does; a status is required.
    void hotelLine() {
        Fixture f;
        const qint64 acc = f.db()
                               .scalar(
                                   "SELECT MAX(ACC_CODE) FROM M_TBL_QUOTATION WHERE DOC_CODE='QGBL02' AND "
                                   "ACCOUNT_DESC='HOTEL' AND DOC_NO=?",
                                   {f.quote})
                               .toLongLong();
        auto w = f.open<frm_UpdateHotelStatus_Line>("frm_UpdateHotelStatus_Line",
                                                    {{"QUOTATION_NO", f.quote}, {"ACC_CODE", acc}});
        f.ts.answer({true});
        w->pressTool(3);
        QCOMPARE(f.ts.prompter.texts(), QStringList{kChooseHotelStatus});
        const QStringList details{" PARTY NAME : DEMO ASHA NAIR",           " TOURIST NAME : " + w->lbl_Tourist->text(),
                                  " HOTEL NAME : " + w->lbl_Hotel->text(),  " PLACE NAME : " + w->lbl_Place->text(),
                                  " CHECK IN DT : " + w->lbl_ChkIn->text(), " CHECK OT DT : " + w->lbl_ChkOut->text()};
        const QString e = checkAtomic(
            f.ts.prompter, f.db(), {"M_TBL_QUOTATION"},
            (QStringList{" HOTEL STATUS UPDATION SUCCESSFULLY DONE FOR .."} + details).join("\n"),
            [&] { choose(w->Cmb_Status, "REQUESTED"); }, [&] { w->pressTool(3); });
        QVERIFY2(e.isEmpty(), qPrintable(e));
        const QStringList status = lines(f.db(),
                                         "SELECT DISTINCT s.HOTEL_STATUS, q.HOTL_STATUPDBY, q.HOTL_STATUPDON FROM "
                                         "M_TBL_QUOTATION q JOIN M_TBL_HOTELSTATUS s ON s.HOTELSTATUS_CODE="
                                         "q.HOTELSTATUS_CODE WHERE q.DOC_NO=? AND q.ACC_CODE=?",
                                         {f.quote, acc});
        QVERIFY2(QStringList(status).removeDuplicates() == status.size() - 1, qPrintable(status.join(";")));
        QVERIFY(status[0].startsWith("REQUESTED|ADMINISTRATOR|"));
        QCOMPARE(count(f.db(), "M_TBL_QUOTATION",
                       "DOC_CODE='QGBL03' AND DOC_NO=? AND ACC_CODE=? AND HOTELSTATUS_CODE "
                       "IS NOT NULL",
                       {f.quote, acc}),
                 qint64(1));
        QCOMPARE(f.picks, QStringList{QString::number(f.quote)});
    }

    // A line's deadlines show the hotel's periods before check-in until typed; a date typed is
    // saved without a new status and the other stays the hotel's; cleared, it is the hotel's again.
    void hotelDeadlines() {
        Fixture f;
        const auto line = f.db().firstRow(
            "SELECT ACC_CODE, HOTEL_CODE, TOUR_DATE FROM M_TBL_QUOTATION WHERE DOC_CODE='QGBL02' AND "
            "ACCOUNT_DESC='HOTEL' AND DOC_NO=? ORDER BY ACC_CODE DESC",
            {f.quote});
        const qint64 acc = line->value(0).toLongLong();
        const QDate in = dateFromDb(line->value(2));
        setSupplierTerms(f.db(), "T", line->value(1).toLongLong(), {{}, 10, 5});
        const auto day = [](const QDate& d) { return d.toString("dd/MM/yyyy"); };
        // Typed over the option date, then as shown after reopening, then as stored on the line.
        const QStringList steps[] = {{{}, day(in.addDays(-10)) + "|" + day(in.addDays(-5)), ""},
                                     {day(in.addDays(-3)), day(in.addDays(-3)) + "|" + day(in.addDays(-5)),
                                      in.addDays(-3).toString(Qt::ISODate) + "|"},
                                     {"", day(in.addDays(-10)) + "|" + day(in.addDays(-5)), "|"}};
        const QVariantHash args{{"QUOTATION_NO", f.quote}, {"ACC_CODE", acc}};
        for (const QStringList& s : steps) {
            auto w = f.open<frm_UpdateHotelStatus_Line>("frm_UpdateHotelStatus_Line", args);
            if (!s[0].isNull()) {
                w->txt_OptionDt->setFocus();
                w->txt_OptionDt->selectAll();
                QTest::keyClick(w->txt_OptionDt, Qt::Key_Delete);
                QTest::keyClicks(w->txt_OptionDt, QString(s[0]).remove('/'));
                f.ts.answer({true});
                w->pressTool(3);
                QVERIFY(f.ts.prompter.texts().last().startsWith(" HOTEL STATUS UPDATION SUCCESSFULLY DONE FOR .."));
                w = f.open<frm_UpdateHotelStatus_Line>("frm_UpdateHotelStatus_Line", args);
            }
            QCOMPARE(w->txt_OptionDt->text() + "|" + w->txt_FreeCnclDt->text(), s[1]);
            const QStringList stored = lines(
                f.db(), "SELECT OPTION_DT, FREECNCL_DT FROM M_TBL_HOTEL_DEADLINE WHERE QUOTATION_NO=? AND LINE_NO=?",
                {f.quote, acc});
            QCOMPARE(stored.isEmpty()
                         ? ""
                         : stored[0].section('|', 0, 0).left(10) + "|" + stored[0].section('|', 1).left(10),
                     s[2]);
        }
    }

    // An entry saved under the next number with the lead's party as bill-to; the list finds it by
    // vendor and by booking, and not by another vendor.
    void vehicle() {
        Fixture f;
        const qint64 malabar =
            f.db().scalar("SELECT PARTY_CODE FROM M_TBL_PARTY WHERE PARTY_NAME='DEMO MALABAR TRAVELS'").toLongLong();
        const qint64 lead =
            f.db().scalar("SELECT LEAD_NO FROM M_TBL_TRANSACTION WHERE DOC_CODE='CBPT01' AND DOC_NO=1").toLongLong();
        auto w = f.open<frm_VehBookSheet_Add>("frm_VehBookSheet_Add");
        f.ts.answer({true});
        w->pressTool(3);
        QCOMPARE(f.ts.prompter.texts(), QStringList{"PLEASE ENTER LEAD NO PROPERLY ....."});
        typeEnter(w->txt_LeadNo, QString::number(lead));
        QVERIFY(w->Grid_Days->rowCount() > 1);
        typeInto(w->txt_Service, "AIRPORT 'PICKUP'");
        choose(w->Cmb_VehType, "SUV 7 SEATER");
        typeInto(w->txt_VehNos, "-2");
        typeEnter(w->vendor->edit(), QString::number(malabar));
        f.ts.answer({true});
        w->pressTool(3);
        QCOMPARE(f.ts.prompter.texts().last(),
                 " BOOKING NO : 1\nUPDATION OF VEHICLE BOOKING SHEET SUCCESSFULLY DONE .... ");
        QCOMPARE(lines(f.db(),
                       "SELECT a.LEAD_NO, p.PARTY_NAME, a.VBS_SERVICE, a.VEH_NOS, a.VBS_VOCODE FROM "
                       "M_TBL_TRANSACTION a JOIN M_TBL_PARTY p ON p.PARTY_CODE=a.PARTY_CODE WHERE a.DOC_CODE='VBS001'"),
                 QStringList{QStringLiteral("%1|DEMO ASHA NAIR|AIRPORT 'PICKUP'|2|%2").arg(lead).arg(malabar)});
        QCOMPARE(counter(f.db(), "VBS001"), qint64(1));

        auto list = f.open<frm_VehBookSheet>("frm_VehBookSheet");
        struct Case {
            QRadioButton* option;
            QLineEdit* field;
            QString text;
            int rows;
        };
        for (const Case& c : QList<Case>{{list->Option3, list->vendor->edit(), QString::number(malabar), 1},
                                         {list->Option3, list->vendor->edit(), QString::number(malabar + 1000), 0},
                                         {list->Option4, list->txt_CBPTNo, "1", 1},
                                         {list->Option4, list->txt_CBPTNo, "2", 0}}) {
            c.option->setChecked(true);
            typeEnter(c.field, c.text);
            QTest::mouseClick(list->Cmd_Show, Qt::LeftButton);
            QCOMPARE(list->Grid1->rowCount(), c.rows);
        }
    }

    // Feedback rewrites the booking's own row only; a cancelled booking is refused.
    void feedbackForm() {
        Fixture f;
        f.header(901, 901, "CNCL");
        auto w = f.open<frm_FeedBackForm>("frm_FeedBackForm");
        const qint64 rows = count(f.db(), "M_TBL_TRANSACTION");
        for (const auto& [booking, message] : QList<std::pair<QString, QString>>{
                 {"901", kBookingCancelled}, {"7", "CANNOT PROCEED, PLEASE ENTER CBPT/DOCUMNT NO PROPERLY ..."}}) {
            f.ts.answer();
            typeEnter(w->txt_CBPTNo, booking);
            w->txt_Feedback->setPlainText("GOOD");
            w->pressTool(3);
            QCOMPARE(f.ts.prompter.texts().first(), message);
        }
        typeEnter(w->txt_CBPTNo, "1");
        w->txt_Feedback->setPlainText("VERY \"GOOD\" TRIP ÜBER");
        f.ts.answer();
        w->pressTool(3);
        QCOMPARE(f.ts.prompter.texts(), QStringList{"UPDATION OF FEEDBACK SUCCESSFULLY DONE ..."});
        QCOMPARE(lines(f.db(), "SELECT REMARKS, UPDATE_BY FROM M_TBL_TRANSACTION WHERE DOC_CODE='CBPT01' AND DOC_NO=1"),
                 QStringList{"VERY \"GOOD\" TRIP ÜBER|ADMINISTRATOR"});
        QCOMPARE(count(f.db(), "M_TBL_TRANSACTION"), rows);
    }

    // Two quoted hotels and one hotel note show 2 and 1, from one statement; a cancelled note
    // does not count.
    void unmatched() {
        // Counts are read per listed booking: a cancelled note is not counted, and a booking whose
        // quotation number is gone counts no lines yet is still listed.
        struct Case {
            const char* change;
            QStringList counts;
        };
        const Case cases[] = {
            {"UPDATE M_TBL_TRANSACTION SET DOC_STATUS='CNCL' WHERE DOC_CODE='ANCP02'", {"2", "1", "1", "0"}},
            {"UPDATE M_TBL_TRANSACTION SET QUOTATION_NO=NULL WHERE DOC_CODE='CBPT01'", {"0", "1", "0", "1"}},
        };
        for (const Case& c : cases) {
            Fixture f;
            f.db().exec(QString::fromLatin1(c.change));
            auto w = f.open<frm_UnMatchANCP>("frm_UnMatchANCP");
            w->txt_FromDate->setDate(QDate(2000, 1, 1));
            w->txt_ToDate->setDate(QDate(2100, 1, 1));
            QTest::mouseClick(w->Cmd_Show, Qt::LeftButton);
            QCOMPARE(w->Grid1->rowCount(), 1);
            QCOMPARE(w->detailModel()->statementsSinceLoad(), 1);
            QStringList counts;
            for (int col = w->ColQuotHotel; col <= w->ColAncpVeh; ++col)
                counts << w->Grid1->text(0, col);
            QCOMPARE(counts, c.counts);
            QVERIFY(!w->Cmd_Status->isEnabled());
        }
    }
};

QTEST_MAIN(TstTourOps)
#include "tst_tour_ops.moc"
