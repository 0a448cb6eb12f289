// The quotation's lines and totals: pricing and totals with their rounding, the line windows'
// day rows, chaining and save protocol, the header re-priced from its stored lines, two
// workstations adding lines at once, and the books check of broken quotations.
#include "data/BooksCheck.h"
#include "data/Moments.h"
#include "engine/admin/DemoData.h"
#include "engine/sales/QuotationLines.h"
#include "engine/sales/QuotationTotals.h"
#include "sales/SalesWindows.h"
#include "sales/frm_BQ_AddHotel.h"
#include "sales/frm_BQ_AddOthrCharges.h"
#include "sales/frm_BQ_AddVehicle.h"
#include "shell/kit/CodeList.h"
#include "shell/kit/ListGrid.h"
#include "support/BehindTheBack.h"
#include "support/Drive.h"
#include "support/Registered.h"
#include "support/SaveProtocol.h"
#include "support/TestSession.h"

#include <QDateEdit>
#include <QLabel>

#include <set>

using namespace tarvic;
using namespace tarvic::test;

namespace {

constexpr qint64 kQuot = 7;
const QStringList kTables{"M_TBL_QUOTATION", "MST_COUNTER2"};
const QString kHotelSaved =
    " UPDATION OF HOTEL DETAILS SUCCESSFULLY DONE ... \n HOTEL NAME : TEA VALLEY\n PLACE : KERALA, MUNNAR\n"
    " ROOM TYPE : DELUXE\n ROOM TYPE-2 : GARDEN 'VIEW' ÜBER\n MEAL TYPE : MAP\n TOTAL AMOUNT : ";
const QString kVehicleSaved = "VEHICLE COST SUCCESSFULLY UPDATED ...";
const QString kOtherSaved = "OTHER COST SUCCESSFULLY UPDATED ...";

QDate d(const char* text) {
    return QDate::fromString(QLatin1String(text), "dd/MM/yyyy");
}

struct Fixture : SessionWindows {
    QStringList& changes = picks;  // what the windows told their opener
    Fixture() : SessionWindows(registerQuotationLineWindows) {
        Database& db = ts.db();
        for (const char* sql :
             {"INSERT INTO M_TBL_HOTELROOMTYPE (ROOMTYPE_CODE, ROOM_TYPE) VALUES (1, 'DELUXE')",
              "INSERT INTO M_TBL_MEALPLAN (MEALPLAN_CODE, MEAL_PLAN) VALUES (2, 'MAP')",
              "INSERT INTO MST_VEHICLEBRANDTYPE (VEH_BRANDID, VEH_BRAND) VALUES (3, 'INNOVA')",
              "INSERT INTO M_TBL_DOCUMENTACCOUNT_COMB (DOC_CODE, ACC_CODE, ACCOUNT_DESC) VALUES "
              "('QFOC01', 'GD', 'GUIDE CHARGES')",
              "INSERT INTO M_TBL_CSP_STATE (COUNTRY_CODE, STATE_CODE, STATE_NAME) VALUES (1, 1, 'KERALA')",
              "INSERT INTO M_TBL_CSP_PLACE (COUNTRY_CODE, STATE_CODE, PLACE_CODE, PLACE_NAME) VALUES (1, 1, 1, "
              "'MUNNAR')",
              "INSERT INTO M_TBL_PARTY (PARTY_CODE, PARTY_NAME, COUNTRY_CODE, STATE_CODE, PLACE_CODE) VALUES "
              "(501, 'TEA VALLEY', 1, 1, 1)",
              "INSERT INTO M_TBL_ITINERARY_DETAILS_QUOTE (ITN_DOCNO, QUOT_NO, ITN_SLNO, ITN_DAY, ITN_PLACE) VALUES "
              "(4, 7, 1, 1, 'COCHIN'), (4, 7, 2, 2, 'MUNNAR'), (4, 7, 3, 3, 'THEKKADY')"})
            db.exec(QLatin1String(sql));
        db.exec(
            "INSERT INTO M_TBL_QUOTATION (DOC_CODE, DOC_NO, DOC_DATE, LEAD_NO, ITINERARY_NO, JOURNEY_STRTDT, "
            "MARKUP_ON, COMM_PER, TAX_PER, DOC_STATUS, LCK_QUOT) VALUES ('QGBL01', ?, ?, 3, 4, ?, '%', 10, 5, 'QOFE', "
            "'N')",
            {kQuot, d("01/05/2024"), d("10/05/2024")});
    }
    template <class W>
    std::unique_ptr<W> open(const char* name) {
        return SessionWindows::open<W>(QLatin1String(name), {{{"QUOT_NO", kQuot}}});
    }
    void save(QuotationLineWindow& w, bool yes = true) {
        ts.answer({yes});
        QTest::keyClick(w.txt_Remarks, Qt::Key_F3);
    }
    // The header's line total less the sum of its stored lines (0), then its total, commission,
    // tax and grand total.
    QStringList header() {
        const auto h = ts.db().firstRow(
            "SELECT h.TOTAL_AMOUNT - (SELECT COALESCE(SUM(l.TOTAL_AMOUNT),0) FROM M_TBL_QUOTATION l WHERE "
            "l.DOC_CODE='QGBL02' AND l.DOC_NO=h.DOC_NO), h.TOTAL_AMOUNT, h.COMM_AMOUNT, h.TAX_AMOUNT, h.GRAND_TOTAL "
            "FROM M_TBL_QUOTATION h WHERE h.DOC_CODE='QGBL01'");
        QStringList out;
        for (int i = 0; i < 5; ++i)
            out << Money::fromVariant(h->value(i)).toString();
        return out;
    }
    QStringList days(qint64 line) {
        QStringList out;
        QSqlQuery q = ts.db().exec(
            "SELECT CONS_TOURDT FROM M_TBL_QUOTATION WHERE DOC_CODE='QGBL03' AND ACC_CODE=? "
            "ORDER BY CONS_TOURDT",
            {line});
        while (q.next())
            out << dateText(q.value(0));
        return out;
    }
};

void fillHotel(frm_BQ_AddHotel& w, QDate in, QDate out, const QStringList& counts, const QStringList& rates) {
    QVERIFY(showActive(w));
    w.txt_TourDt->setDate(in);
    w.txt_ChkOtDt->setDate(out);
    typeEnter(w.hotel->edit(), "501");
    choose(w.Cmb_RoomType, "DELUXE");
    w.txt_RoomType2->setText("GARDEN 'VIEW' ÜBER");
    choose(w.Cmb_MealType, "MAP");
    for (int i = 0; i < counts.size(); ++i) {
        typeInto(w.parts[i].count, counts[i]);
        typeInto(w.parts[i].rate, rates[i]);
    }
}

void fillVehicle(frm_BQ_AddVehicle& w, QDate start, QDate end, const QString& nos, const QString& rate) {
    QVERIFY(showActive(w));
    w.txt_TourDt->setDate(start);
    w.txt_EndDate->setDate(end);
    choose(w.Cmb_VehBrand, "INNOVA");
    typeInto(w.txt_NoOfVeh, nos);
    typeInto(w.txt_VehRate, rate);
}

void fillOther(frm_BQ_AddOthrCharges& w, const QString& qty, const QString& cost) {
    QVERIFY(showActive(w));
    choose(w.Cmb_OthrCharge, "GUIDE CHARGES");
    typeInto(w.txt_NoOfQty, qty);
    typeInto(w.txt_OthrCharge, cost);
}

}  // namespace

class TstQuotationLines : public QObject {
    Q_OBJECT
private slots:
    // Hotel: nights x count x rate per part, check-out moved past check-in; vehicle: the days
    // counted but not priced, an end before the start moved to start + 1; other: qty x cost.
    void pricing() {
        struct Case {
            char kind;
            const char *from, *to, *counts, *rates, *end;
            int days;
            const char* total;
        };
        const Case cases[] = {
            {'H', "10/05/2024", "10/05/2024", "2", "3000", "11/05/2024", 1, "6000.00"},  // check-out on check-in
            {'H', "10/05/2024", "13/05/2024", "2,0,1", "3000,999,800.00", "13/05/2024", 3, "20400.00"},
            {'H', "30/12/2024", "01/01/2025", "1,1,1,1,1", "1000.10,500,300,200,100.05", "01/01/2025", 2, "4200.30"},
            {'V', "01/06/2024", "03/06/2024", "2", "4500", "03/06/2024", 3, "9000.00"},  // days, no factor
            {'V', "01/06/2024", "01/06/2024", "1", "2500.50", "01/06/2024", 1, "2500.50"},
            {'V', "05/06/2024", "02/06/2024", "1", "4500", "06/06/2024", 2, "4500.00"},  // end before start
            {'O', "", "", "3", "250.55", "", 0, "751.65"}};
        for (const Case& k : cases) {
            const QStringList c = QString(k.counts).split(','), r = QString(k.rates).split(',');
            QString end;
            int days = 0;
            Money total;
            if (k.kind == 'H') {
                QList<Component> parts;
                for (int i = 0; i < c.size(); ++i)
                    parts.append({c[i].toLongLong(), Money::fromText(r[i])});
                const HotelPrice p = priceHotel(d(k.from), d(k.to), parts);
                end = p.checkOut.toString("dd/MM/yyyy"), days = p.nights, total = p.total;
            } else if (k.kind == 'V') {
                const VehiclePrice p = priceVehicle(d(k.from), d(k.to), c[0].toLongLong(), Money::fromText(r[0]));
                end = p.end.toString("dd/MM/yyyy"), days = p.days, total = p.total;
            } else {
                total = *priceOther(c[0].toLongLong(), Money::fromText(r[0]));
            }
            QCOMPARE(QStringList({end, QString::number(days), total.toString()}),
                     QStringList({k.end, QString::number(k.days), k.total}));
        }
    }

    // A stored line: question and message in order, its row, one day row per night or day
    // (none on the check-out day, none for other charges), the header re-priced from the
    // stored lines, the opener told; the itinerary's days dated from the journey start.
    void saveStoresLineDaysAndHeader() {
        Fixture f;
        auto hotel = f.open<frm_BQ_AddHotel>("frm_BQ_AddHotel");
        QCOMPARE(column(hotel->Grid_Itinerary->model(), 1),
                 (QStringList{"10/05/2024 - Fri", "11/05/2024 - Sat", "12/05/2024 - Sun"}));
        fillHotel(*hotel, d("10/05/2024"), d("13/05/2024"), {"2", "0", "1"}, {"3000", "0", "800"});
        f.save(*hotel);
        QCOMPARE(f.ts.prompter.texts(),
                 (QStringList{" YOU ARE ABOUT UPDATE HOTEL DETAILS ... \n CHK-IN  DT : 10/05/2024\n CHK-OT  DT : "
                              "13/05/2024\n HOTEL NAME : TEA VALLEY\n PLACE : KERALA, MUNNAR\n ROOM TYPE : DELUXE\n"
                              " ROOM TYPE-2 : GARDEN 'VIEW' ÜBER\n MEAL TYPE : MAP\n TOTAL AMOUNT : 20400.00\n"
                              " ARE YOU SURE WANT TO PROCEED (Y/N) ?",
                              kHotelSaved + "20400.00"}));
        QCOMPARE(lines(f.ts.db(),
                       "SELECT ROOM_TYPE, ACC_CODE, HOTEL_CODE, ROOMTYPE_CODE, MEALPLAN_CODE, NOOF_ROOM, DAYS_ROOM, "
                       "IN_DOCCODE, LEAD_NO, ITINERARY_NO, DOC_STATUS FROM M_TBL_QUOTATION WHERE DOC_CODE='QGBL02'"),
                 QStringList{"GARDEN 'VIEW' ÜBER|1|501|1|2|2|3|QGBL01|3|4|APPRV"});
        QCOMPARE(f.days(1), (QStringList{"10/05/2024", "11/05/2024", "12/05/2024"}));
        QCOMPARE(hotel->Grid1->text(0, 11), "1 / 3 / 2400.00");

        auto vehicle = f.open<frm_BQ_AddVehicle>("frm_BQ_AddVehicle");
        fillVehicle(*vehicle, d("01/06/2024"), d("03/06/2024"), "2", "4500");
        f.save(*vehicle);
        QCOMPARE(f.ts.prompter.texts().last(), kVehicleSaved);
        QCOMPARE(f.days(2), (QStringList{"01/06/2024", "02/06/2024", "03/06/2024"}));

        auto other = f.open<frm_BQ_AddOthrCharges>("frm_BQ_AddOthrCharges");
        fillOther(*other, "3", "250.50");
        f.save(*other);
        QCOMPARE(f.ts.prompter.texts().last(), kOtherSaved);
        QCOMPARE(f.days(3), QStringList());
        // 20400 + 9000 + 751.50: commission 10 % to whole rupees, tax 5 % to the paisa, grand total to rupees.
        QCOMPARE(f.header(), (QStringList{"0.00", "30151.50", "3015.00", "1658.32", "34825.00"}));
        QCOMPARE(f.changes, (QStringList{"7", "7", "7"}));
        QCOMPARE(f.ts.db().scalar("SELECT COUNTER FROM MST_COUNTER2 WHERE CODE='7'").toInt(), 3);
    }

    // A new stay starts on the last stay's check-out, a new hire on the last hire's end; the
    // first of each on the journey start.
    void newLinesChainAfterTheLast() {
        Fixture f;
        auto hotel = f.open<frm_BQ_AddHotel>("frm_BQ_AddHotel");
        auto vehicle = f.open<frm_BQ_AddVehicle>("frm_BQ_AddVehicle");
        const auto dates = [&] {
            return QStringList{
                hotel->txt_TourDt->date().toString("dd/MM"), hotel->txt_ChkOtDt->date().toString("dd/MM"),
                vehicle->txt_TourDt->date().toString("dd/MM"), vehicle->txt_EndDate->date().toString("dd/MM")};
        };
        QCOMPARE(dates(), (QStringList{"10/05", "11/05", "10/05", "10/05"}));
        fillHotel(*hotel, d("10/05/2024"), d("12/05/2024"), {"1"}, {"100"});
        f.save(*hotel);
        fillVehicle(*vehicle, d("10/05/2024"), d("14/05/2024"), "1", "100");
        f.save(*vehicle);
        hotel->pressTool(2);
        vehicle->pressTool(2);
        QCOMPARE(dates(), (QStringList{"12/05", "13/05", "14/05", "14/05"}));
        QCOMPARE(hotel->lbl_LineCode->text(), "0");
    }

    // Each kind's checks in order with the focus on the field; "-" never reaches a count or a
    // rate, and a negative one put there otherwise is refused; No stores nothing; deleting
    // with no line loaded says so.
    void checksInOrderAndNothingOnNo() {
        Fixture f;
        f.ts.db().exec(
            "INSERT INTO M_TBL_PARTY (PARTY_CODE, COUNTRY_CODE, STATE_CODE, PLACE_CODE) VALUES (502, 1, 1, 1)");
        auto w = f.open<frm_BQ_AddHotel>("frm_BQ_AddHotel");
        const auto lookUp = [&](const char* code) { typeEnter(w->hotel->edit(), code); };
        const auto f3 = [&] { QTest::keyClick(w->txt_Remarks, Qt::Key_F3); };
        QCOMPARE(checkInOrder(
                     f.ts.prompter, f.ts.db(), kTables,
                     {{"PLEASE ENTER DESTINATION OR PLACE NAME ....", {}, w->hotel->edit()},
                      {"CANNOT PROCEED, PLEASE ENTER HOTEL NAME ....", [&] { lookUp("502"); }, w->hotel->edit()},
                      {"CANNOT PROCEED, PLEASE SELECT ROOM TYPE PROPERLY ...", [&] { lookUp("501"); }, w->Cmb_RoomType},
                      {"PLEASE ENTER ROOM TYPE-2...", [&] { choose(w->Cmb_RoomType, "DELUXE"); }, w->txt_RoomType2},
                      {"PLEASE SELECT MEAL TYPE FROM LIST ....", [&] { typeInto(w->txt_RoomType2, "SEA"); },
                       w->Cmb_MealType},
                      {kNegativeRefused,
                       [&] {
                           choose(w->Cmb_MealType, "MAP");
                           typeInto(w->parts[0].count, "-2");
                           typeInto(w->parts[0].rate, "-3000");
                           w->parts[2].count->setText("-1");  // as a stored negative is shown
                       },
                       w->parts[2].count}},
                     f3),
                 QString());
        QCOMPARE((QStringList{w->parts[0].count->text(), w->parts[0].rate->text()}), (QStringList{"2", "3000.00"}));
        w->parts[2].count->clear();
        const Footprint before = footprint(f.ts.db(), kTables);
        f.save(*w, false);
        QCOMPARE(f.ts.prompter.texts().size(), 1);
        QVERIFY(footprint(f.ts.db(), kTables) == before);

        auto vehicle = f.open<frm_BQ_AddVehicle>("frm_BQ_AddVehicle");
        auto other = f.open<frm_BQ_AddOthrCharges>("frm_BQ_AddOthrCharges");
        const std::vector<std::tuple<QuotationLineWindow*, QWidget*, QString, QString>> kinds{
            {w.get(), nullptr, {}, "PLEASE SELECT THE RECORD PROPERLY ...."},
            {vehicle.get(), vehicle->Cmb_VehBrand, "PLEASE SELECT VEHICLE BRAND PROPERLY FROM THE LIST ....",
             "CANNOT PROCEED, PLEASE SELECT RECORD PROPERLY FOR DELETION ....."},
            {other.get(), other->Cmb_OthrCharge, "CANNOT PROCEED, PLEASE SELECT OTHER CHARGE FROM THE LIST ...",
             "PLEASE SELECT RECORD PROPERLY FOR DELETION ...."}};
        for (const auto& [kind, field, check, noLine] : kinds) {
            QuotationLineWindow* window = kind;
            QVERIFY(showActive(*window));
            if (field)
                QCOMPARE(checkInOrder(f.ts.prompter, f.ts.db(), kTables, {{check, {}, field}},
                                      [&] { QTest::keyClick(window->txt_Remarks, Qt::Key_F3); }),
                         QString());
            f.ts.prompter.clear();
            QTest::keyClick(window->txt_Remarks, Qt::Key_F4);
            QCOMPARE(f.ts.prompter.texts(), QStringList{noLine});
        }
    }

    // Whichever statement of a save or a delete fails: no line, no day rows, no counter step,
    // the header unchanged, and no line number used.
    void saveAndDeleteAreAllOrNothing() {
        Fixture f;
        auto w = f.open<frm_BQ_AddVehicle>("frm_BQ_AddVehicle");
        const auto press = [&](Qt::Key key) { return [&, key] { QTest::keyClick(w->txt_Remarks, key); }; };
        QCOMPARE(checkAtomic(
                     f.ts.prompter, f.ts.db(), kTables, kVehicleSaved,
                     [&] {
                         QCOMPARE(w->lineNo(), 0);
                         fillVehicle(*w, d("01/06/2024"), d("03/06/2024"), "2", "4500");
                     },
                     press(Qt::Key_F3)),
                 QString());
        QCOMPARE(lines(f.ts.db(), "SELECT ACC_CODE FROM M_TBL_QUOTATION WHERE DOC_CODE='QGBL02'"), QStringList{"1"});
        QCOMPARE(checkAtomic(
                     f.ts.prompter, f.ts.db(), kTables, "VEHICLE COST DELETED SUCCESSFULLY ...",
                     [&] { QVERIFY(w->Show_Record(1)); }, press(Qt::Key_F4)),
                 QString());
        QCOMPARE(count(f.ts.db(), "M_TBL_QUOTATION", "DOC_CODE<>'QGBL01'"), 0);
        QCOMPARE(f.header(), (QStringList{"0.00", "0.00", "0.00", "0.00", "0.00"}));
    }

    // Changing a stay rewrites its day rows and deleting it removes them; after each the
    // header's total is the sum of the stored lines.
    void headerFollowsChangesAndDeletes() {
        Fixture f;
        auto hotel = f.open<frm_BQ_AddHotel>("frm_BQ_AddHotel");
        auto other = f.open<frm_BQ_AddOthrCharges>("frm_BQ_AddOthrCharges");
        fillHotel(*hotel, d("10/05/2024"), d("13/05/2024"), {"2"}, {"3000"});
        f.save(*hotel);
        fillOther(*other, "2", "100");
        f.save(*other);
        QCOMPARE(f.header().mid(0, 2), (QStringList{"0.00", "18200.00"}));

        hotel->pressTool(2);
        hotel->Grid1->setCurrentCell(0, 0);
        QTest::keyClick(hotel->Grid1, Qt::Key_Return);
        QCOMPARE((QStringList{hotel->lbl_LineCode->text(), hotel->parts[0].count->text()}), (QStringList{"1", "2"}));
        hotel->txt_ChkOtDt->setDate(d("11/05/2024"));
        f.save(*hotel);
        QCOMPARE(f.days(1), QStringList{"10/05/2024"});
        QCOMPARE(f.header().mid(0, 2), (QStringList{"0.00", "6200.00"}));

        f.ts.answer({true});
        QTest::keyClick(hotel->txt_Remarks, Qt::Key_F4);
        QCOMPARE(
            f.ts.prompter.texts(),
            (QStringList{"YOU ARE ABOUT TO DELETE HOTEL DETAILS ...\n CHK-IN  DT : 10/05/2024\n HOTEL NAME : TEA VALLEY"
                         "\n NO OF ROOMS : 2\n ROOM RATE : 3000.00\n TOTAL AMOUNT : 6000.00\n ARE YOU SURE WANT TO "
                         "DELETE (Y/N) ?",
                         "DELETION OF HOTEL SUCCESSFULLY DONE ..."}));
        QCOMPARE(f.days(1), QStringList());
        QCOMPARE(f.header().mid(0, 2), (QStringList{"0.00", "200.00"}));
        QCOMPARE((QList<int>{hotel->Grid1->rowCount(), int(hotel->lineNo())}), (QList<int>{0, 0}));
        QCOMPARE(f.changes.size(), 4);
    }

    // The hotel status operations set on a stay stays on the line through a re-save and is
    // carried into its new day rows; a re-save of a line that is gone changes nothing.
    void hotelStatusSurvivesResave() {
        Fixture f;
        auto w = f.open<frm_BQ_AddHotel>("frm_BQ_AddHotel");
        fillHotel(*w, d("10/05/2024"), d("12/05/2024"), {"1"}, {"100"});
        f.save(*w);
        f.ts.db().exec("UPDATE M_TBL_QUOTATION SET HOTELSTATUS_CODE=4, HOTL_STATUPDBY='OPS' WHERE DOC_CODE<>'QGBL01'");
        w->txt_ChkOtDt->setDate(d("13/05/2024"));
        f.save(*w);
        QCOMPARE(lines(f.ts.db(),
                       "SELECT DOC_CODE, HOTELSTATUS_CODE, HOTL_STATUPDBY, DAYS_ROOM FROM M_TBL_QUOTATION "
                       "WHERE DOC_CODE<>'QGBL01' ORDER BY DOC_CODE, CONS_TOURDT"),
                 (QStringList{"QGBL02|4|OPS|3", "QGBL03|4|OPS|3", "QGBL03|4|OPS|3", "QGBL03|4|OPS|3"}));
        // A line deleted on another workstation is reported, never written again.
        f.ts.db().exec("DELETE FROM M_TBL_QUOTATION WHERE DOC_CODE='QGBL02'");
        f.save(*w);
        QCOMPARE(f.ts.prompter.texts().last(), QString::fromLatin1(kChangedByAnotherUser));
        QCOMPARE(count(f.ts.db(), "M_TBL_QUOTATION", "DOC_CODE<>'QGBL01'"), 3);
    }

    // A quotation locked, or no longer open for entry, after the window opened refuses the
    // save inside its transaction; a window opened on it then offers no save.
    void closedQuotationRefused() {
        for (const auto& [change, message] :
             {std::pair{"LCK_QUOT='Y'", kQuotationLocked}, std::pair{"DOC_STATUS=NULL", kQuotationNotOpen}}) {
            Fixture f;
            auto w = f.open<frm_BQ_AddOthrCharges>("frm_BQ_AddOthrCharges");
            fillOther(*w, "1", "100");
            f.ts.db().exec(QString("UPDATE M_TBL_QUOTATION SET ") + change + " WHERE DOC_CODE='QGBL01'");
            const Footprint before = footprint(f.ts.db(), kTables);
            f.save(*w);
            QCOMPARE(f.ts.prompter.texts().mid(1), QStringList{message});
            QVERIFY(footprint(f.ts.db(), kTables) == before);
            QCOMPARE(w->lineNo(), 0);
            QVERIFY(!f.open<frm_BQ_AddOthrCharges>("frm_BQ_AddOthrCharges")->tool(3)->isEnabled());
        }
    }

    // Two workstations adding lines with day rows to one quotation at once: no line number
    // taken twice, and the header's total is the sum of every line.
    void twoConnectionsAddLinesAtOnce() {
        Fixture f;
        constexpr int kEach = 12;
        std::vector<qint64> numbers[2];
        const auto write = [&](Database& conn, int t) {
            for (int i = 0; i < kEach; ++i) {
                const QVariant total = Money::fromPaise(100'01 * (t + 1) + i).toVariant();
                const Columns columns{{"TOUR_DATE", d("01/06/2024")}, {"TOTAL_AMOUNT", total}};
                const LineToStore line{kQuot, 0, "VEHICLE", columns, d("01/06/2024"), 2};
                numbers[t].push_back(storeQuotationLine(conn, "W", line));
            }
        };
        QCOMPARE(f.ts.t.writersAtOnce(2, write), QStringList());
        std::set<qint64> all(numbers[0].begin(), numbers[0].end());
        all.insert(numbers[1].begin(), numbers[1].end());
        QCOMPARE(int(all.size()), 2 * kEach);
        QCOMPARE(count(f.ts.db(), "M_TBL_QUOTATION", "DOC_CODE='QGBL03'"), 4 * kEach);
        // 12 x 100.01 + 12 x 200.02 + 2 x (0 + 1 + ... + 11) paise
        QCOMPARE(f.header().mid(0, 2), (QStringList{"0.00", "3601.68"}));
    }

    void totals() {
        // in: total, mark-up on, commission %, commission amount, taxable typed, old total 2, tax %;
        // out: commission %, commission, total 2, taxable, tax, grand total.
        const QStringList cases[] = {
            {"10000", "%", "10", "", "", "0", "5", "10.00", "1000.00", "11000.00", "11000.00", "550.00", "11550.00"},
            // commission to whole rupees, halves to even down and up
            {"999", "%", "2.5", "", "", "0", "0", "2.50", "25.00", "1024.00", "1024.00", "0.00", "1024.00"},
            {"250", "%", "1", "", "", "0", "0", "1.00", "2.00", "252.00", "252.00", "0.00", "252.00"},
            {"350", "%", "1", "", "", "0", "0", "1.00", "4.00", "354.00", "354.00", "0.00", "354.00"},
            // an amount gives the percentage, to two decimals; on no lines the percentage stays
            {"8000", "A", "0", "1000", "", "0", "0", "12.50", "1000.00", "9000.00", "9000.00", "0.00", "9000.00"},
            {"3000", "A", "0", "1000", "", "0", "0", "33.33", "1000.00", "4000.00", "4000.00", "0.00", "4000.00"},
            {"0", "A", "7", "500", "", "0", "0", "7.00", "500.00", "500.00", "500.00", "0.00", "500.00"},
            // grand total half to even, down and up; tax to the paisa, half to even
            {"10250.50", "%", "0", "", "", "0", "0", "0.00", "0.00", "10250.50", "10250.50", "0.00", "10250.00"},
            {"10251.50", "%", "0", "", "", "0", "0", "0.00", "0.00", "10251.50", "10251.50", "0.00", "10252.00"},
            {"2.50", "%", "0", "", "", "0", "1", "0.00", "0.00", "2.50", "2.50", "0.02", "3.00"},
            // a typed taxable stays; one equal to the old total 2, or under a rupee, follows
            {"10000", "%", "10", "", "5000", "11000", "5", "10.00", "1000.00", "11000.00", "5000.00", "250.00",
             "11250.00"},
            {"12000", "%", "10", "", "11000", "11000", "5", "10.00", "1200.00", "13200.00", "13200.00", "660.00",
             "13860.00"},
            {"1000", "%", "0", "", "0.40", "0", "10", "0.00", "0.00", "1000.00", "1000.00", "100.00", "1100.00"}};
        for (const QStringList& c : cases) {
            const Totals t = computeTotals({Money::fromText(c[0]), markUpFromText(c[1]), Money::fromText(c[2]),
                                            Money::fromText(c[3]), Money::parse(c[4]), Money::fromText(c[5]),
                                            Money::fromText(c[6])});
            QCOMPARE((QStringList{t.commPer.toString(), t.commAmount.toString(), t.total2.toString(),
                                  t.taxable.toString(), t.tax.toString(), t.grandTotal.toString()}),
                     c.mid(7));
        }
    }

    // The demo is sound books; the books check finds what a broken quotation save would leave.
    void checkFindsBrokenQuotations() {
        TestDb t;
        Database& db = t.db();
        QVERIFY(addDemoData(db).added);
        QCOMPARE(checkBooks(db).problems, QStringList());
        const qint64 q = db.scalar("SELECT DOC_NO FROM M_TBL_QUOTATION WHERE DOC_CODE='QGBL01'").toLongLong();
        const QString hotel = db.scalar("SELECT MIN(ACC_CODE) FROM M_TBL_QUOTATION WHERE DOC_CODE='QGBL02'").toString();
        struct Case {
            const char* breaks;
            const char* mends;
            QString problem;
        };
        const Case cases[] = {
            {"UPDATE M_TBL_QUOTATION SET TOTAL_AMOUNT=1 WHERE DOC_CODE='QGBL01'",
             "UPDATE M_TBL_QUOTATION SET TOTAL_AMOUNT=34000 WHERE DOC_CODE='QGBL01'",
             QStringLiteral("QGBL01 %1: total 1.00 but its lines sum to 34000.00").arg(q)},
            {"UPDATE M_TBL_QUOTATION SET DOC_CODE='QGBLX3' WHERE DOC_CODE='QGBL03' AND ACC_CODE=%1",
             "UPDATE M_TBL_QUOTATION SET DOC_CODE='QGBL03' WHERE DOC_CODE='QGBLX3'",
             QStringLiteral("QGBL02 %1 line %2: 0 day rows from , 2 expected from ").arg(q).arg(hotel)},
            {"UPDATE M_TBL_QUOTATION SET DOC_CODE='QGBLX2' WHERE DOC_CODE='QGBL02' AND ACC_CODE=%1",
             "UPDATE M_TBL_QUOTATION SET DOC_CODE='QGBL02' WHERE DOC_CODE='QGBLX2'",
             QStringLiteral("QGBL01 %1: total 34000.00 but its lines sum to 25000.00\n"
                            "QGBL03 %1 line %2: 2 day rows without their line")
                 .arg(q)
                 .arg(hotel)},
            {"UPDATE MST_COUNTER SET COUNTER=0 WHERE CODE='QGBL01'",
             "UPDATE MST_COUNTER SET COUNTER=%2 WHERE CODE='QGBL01'",
             QStringLiteral("counter QGBL01 is 0, below the highest QGBL01 number %1").arg(q)},
            {"UPDATE MST_COUNTER2 SET COUNTER=1 WHERE CODE='%2'", "UPDATE MST_COUNTER2 SET COUNTER=4 WHERE CODE='%2'",
             QStringLiteral("line counter of QGBL01 %1 is 1, below its highest line 4").arg(q)},
        };
        for (const Case& c : cases) {
            behindTheBack(db, [&] { db.exec(QString::fromLatin1(c.breaks).arg(hotel).arg(q)); });
            const QStringList found = checkBooks(db).problems;
            db.exec(QString::fromLatin1(c.mends).arg(hotel).arg(q));
            QCOMPARE(found.join('\n').replace(QRegularExpression(" from \\d\\d/\\d\\d/\\d{4}"), " from "), c.problem);
        }
        QCOMPARE(checkBooks(db).problems, QStringList());
    }
};

QTEST_MAIN(TstQuotationLines)
#include "tst_quotation_lines.moc"
