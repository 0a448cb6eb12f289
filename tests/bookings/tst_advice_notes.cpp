// The advice notes against the demo booking 1: each kind saved and read back, the pre-fill, the
// checks in order, a shut booking refused, the modify windows, every save all or nothing.
#include "bookings/BookingsWindows.h"
#include "bookings/family/AdviceItems.h"
#include "bookings/family/AdviceNoteWindow.h"
#include "data/Moments.h"
#include "engine/dues/SupplierDues.h"
#include "shell/kit/CodeList.h"
#include "shell/kit/ListGrid.h"
#include "support/DemoWindows.h"
#include "support/SaveProtocol.h"

#include <QAction>
#include <QDateEdit>
#include <QLabel>

using namespace tarvic;
using namespace tarvic::test;

namespace {

const AdviceKind kKinds[] = {AdviceKind::Hotel, AdviceKind::Vehicle, AdviceKind::Other};
const char* const kSaved[] = {"ANCP01 - HOTEL SUCCESSFULLY DONE ....", "ANCP02 - VEHICLE SUCCESSFULLY DONE ....",
                              "ANCP03 - OTHRCHRG SUCCESSFULLY DONE ...."};
const QStringList kTables{"M_TBL_TRANSACTION"};

struct Fixture : DemoWindows {
    qint64 hillview = 0, malabar = 0;
    QDate start;  // the tour's first day
    Fixture() : DemoWindows(registerAdviceNoteWindows) {
        hillview = partyCode("DEMO HILLVIEW HOTEL MUNNAR");
        malabar = partyCode("DEMO MALABAR TRAVELS");
        start = dateFromDb(db().scalar("SELECT START_DT FROM M_TBL_TRANSACTION WHERE DOC_CODE='CBPT01' AND DOC_NO=1"));
    }
    std::unique_ptr<AdviceNoteWindow> open(AdviceKind kind, bool modify = false) {
        return DemoWindows::open<AdviceNoteWindow>("frm_CBPT01_" + adviceCode(kind) + (modify ? "_Mod" : ""),
                                                   {{{"CBPT_NO", 1}}});
    }
    void save(AdviceNoteWindow& w, bool yes = true) {
        ts.answer({yes});
        QTest::keyClick(w.txt_Remarks, Qt::Key_F3);
    }
    QString party(AdviceNoteWindow& w, qint64 code) {
        typeEnter(w.party->edit(), QString::number(code));
        return w.party->nameLabel()->text();
    }
};

// A whole note of each kind: the hotel pre-filled from its quotation line on the tour's first
// day and then corrected to 3 nights with an extra bed.
void fill(Fixture& f, AdviceNoteWindow& w) {
    if (auto* h = qobject_cast<HotelItems*>(w.items())) {
        f.party(w, f.hillview);
        typeEnter(h->hotel->edit(), QString::number(f.hillview));
        h->txt_ChkOtDt->setDate(f.start.addDays(3));
        typeInto(h->parts[2].count, "1");
        typeInto(h->parts[2].rate, "800");
    } else if (auto* v = qobject_cast<VehicleItems*>(w.items())) {
        f.party(w, f.malabar);
        choose(v->Cmb_VehBrand, "SUV 7 SEATER");
        typeInto(v->txt_VehNos, "2");
        typeInto(v->txt_VehRate, "3500.5");
    } else if (auto* o = qobject_cast<OtherItems*>(w.items())) {
        f.party(w, f.malabar);
        o->txt_DocDate->setDate(f.start.addDays(-2));
        choose(o->Cmb_OthrCharge, "ENTRY TICKETS");
        typeInto(o->txt_Qty, "3");
        typeInto(o->txt_Rate, "250.50");
    }
    typeInto(w.txt_BillNo, "B/1");
    w.txt_Remarks->setText("ROOM 'A' ÜBER");
}

QString day(const QDate& d) {
    return d.toString("dd/MM/yyyy");
}

// A note's columns as one text: dates as shown, amounts with two decimals on both engines.
QString stored(Database& db, const QString& code, qint64 no, const QStringList& own) {
    const QStringList columns =
        QStringList{"DOC_DATE", "PARTY_CODE", "START_DT", "END_DT",      "TOUR_DAYS", "GRAND_TOTAL",
                    "CR_AMT",   "DB_AMT",     "DOC_DESC", "AMT_INWORDS", "TO_ACC",    "IN_DOCCODE",
                    "IN_DOCNO", "DOC_STATUS", "BILL_NO",  "REMARKS"} +
        own;
    const auto row =
        db.firstRow("SELECT a." + QStringList(columns).join(", a.").replace("a.m.", "m.").replace("a.v.", "v.") +
                        " FROM M_TBL_TRANSACTION a "
                        "LEFT JOIN M_TBL_MEALPLAN m ON m.MEALPLAN_CODE=a.MEALPLAN_CODE "
                        "LEFT JOIN MST_VEHICLEBRANDTYPE v ON v.VEH_BRANDID=a.VEH_BRANDID "
                        "WHERE a.DOC_CODE=? AND a.DOC_NO=?",
                    {code, no});
    QStringList out;
    for (int i = 0; row && i < columns.size(); ++i) {
        const QString& c = columns.at(i);
        if (row->isNull(i))
            out << QString();
        else if (c.endsWith("_DT") || c.endsWith("DATE"))
            out << dateText(row->value(i));
        else if (!c.endsWith("INWORDS") &&
                 (c.contains("AMT") || c.contains("RATE") || c.contains("COST") || c.contains("TOTAL")))
            out << Money::fromVariant(row->value(i)).toString();
        else
            out << row->value(i).toString().trimmed();
    }
    return out.join('|');
}

}  // namespace

class TstAdviceNotes : public QObject {
    Q_OBJECT
private slots:
    // Each kind saved once: its row as the ledgers read it, the booking told its number, and the
    // note shown read-only. The vehicle note starts where the demo's one ended.
    void entrySavesNoteOfEachKind() {
        Fixture f;
        const QDate s = f.start;
        const QString p = QString::number(f.hillview) + "|", m = QString::number(f.malabar) + "|";
        const QString tail = "|CBPT01|1|APPRV|B/1|ROOM 'A' ÜBER|";
        const QString expected[] = {
            day(s) + "|" + p + day(s) + "|" + day(s.addDays(3)) +
                "|3|15900.00|15900.00|0.00|ANCP01 - HOTEL : RS 15900.00 AGAINST CBPT NO :1 VIDE DOCNO: 2|"
                "Fifteen Thousand Nine Hundred Rupees Only /-|ANCP01" +
                tail +
                "1|4500.00|3|13500.00|1|800.00|3|2400.00|0.00|DEMO HILLVIEW HOTEL MUNNAR|KERALA, MUNNAR|"
                "VALLEY VIEW DELUXE|MAP",
            day(s.addDays(3)) + "|" + m + day(s.addDays(3)) + "|" + day(s.addDays(4)) +
                "|2|7001.00|7001.00|0.00|ANCP02 - VEHICLE : RS 7001.00 AGAINST CBPT NO :1 VIDE DOCNO: 2|"
                "Seven Thousand and One Rupees Only /-|ANCP02" +
                tail + "2|3500.50|0|SUV 7 SEATER",
            day(s.addDays(-2)) + "|" + m + day(s) +
                "|||751.50|751.50|0.00|ANCP03 - OTHER : RS 751.50 AGAINST CBPT NO :1 VIDE DOCNO: 2, ROOM 'A' ÜBER|"
                "Seven Hundred and Fifty Two Rupees Only /-|ENTRY" +
                tail + "3|250.50",
        };
        const QStringList own[] = {
            {"NOOF_ROOM", "ROOM_RATE", "DAYS_ROOM", "TOTL_ROOMCOST", "NOOF_EXTBED", "EXTRBED_RATE", "DAYS_EXTBED",
             "TOTL_EXTRABEDCOST", "TOTL_CNBCOST", "HOTEL_NAME", "HOTEL_PLACE", "ROOM_TYPE2", "m.MEAL_PLAN"},
            {"VEH_NOS", "VEH_RATE", "ACC_CODE", "v.VEH_BRAND"},
            {"OTHRCHRG_QTY", "OTHRCHRG_RATE"}};
        for (int k = 0; k < 3; ++k) {
            auto w = f.open(kKinds[k]);
            fill(f, *w);
            f.save(*w);
            QCOMPARE(f.ts.prompter.texts().value(1), QString::fromLatin1(kSaved[k]));
            QCOMPARE(stored(f.ts.db(), adviceCode(kKinds[k]), 2, own[k]), expected[k]);
            QCOMPARE(f.picks.takeLast(), "2");
            QCOMPARE(w->lbl_DocNo->text(), "2");
            QVERIFY(!w->tool(3)->isEnabled());
        }
    }

    // The quotation's hotel line fills the stay on a double click or when hotel and check-in
    // match it; another day leaves the figures as they were. A day of the itinerary puts its
    // places into the vehicle note's remarks.
    void gridsFillTheNote() {
        Fixture f;
        auto w = f.open(AdviceKind::Hotel);
        auto* h = static_cast<HotelItems*>(w->items());
        QCOMPARE(h->Grid_Hotel->rowCount(), 2);
        enterOn(h->Grid_Hotel, 0, 0);
        QCOMPARE(w->party->key(), QString::number(f.hillview));
        const QStringList shown{day(h->txt_ChkInDt->date()),    day(h->txt_ChkOtDt->date()),
                                h->Cmb_RoomType->currentText(), h->txt_RoomType2->text(),
                                h->Cmb_MealPlan->currentText(), h->parts[0].count->text(),
                                h->parts[0].rate->text(),       h->parts[0].nights->text(),
                                w->lbl_Total->text(),           h->lbl_HotelPlace->text()};
        QCOMPARE(shown, (QStringList{day(f.start), day(f.start.addDays(2)), "DELUXE", "VALLEY VIEW DELUXE", "MAP", "1",
                                     "4500.00", "2", "9000.00", "KERALA, MUNNAR"}));
        h->txt_ChkInDt->setDate(f.start.addDays(1));  // no line that day
        QCOMPARE(h->parts[0].rate->text(), "4500.00");
        QCOMPARE(w->lbl_Total->text(), "4500.00");

        auto v = f.open(AdviceKind::Vehicle);
        auto* grid = static_cast<VehicleItems*>(v->items())->Grid_Itinerary;
        QCOMPARE(grid->text(2, 1), f.start.addDays(2).toString("dd/MM/yyyy - ddd"));
        enterOn(grid, 2, 0);
        QCOMPARE(v->txt_Remarks->text(), "MUNNAR - ALAPPUZHA");
    }

    // Checks in their order, each with its message and nothing stored: the supplier, the dates
    // (check-out or end before the start), and a zero total (a stay of no nights).
    void checksInOrder() {
        Fixture f;
        for (int k = 0; k < 3; ++k) {
            auto w = f.open(kKinds[k]);
            auto* items = w->items();
            std::vector<test::SaveCheck> checks{
                {k == 0 ? "PLEASE ENTER PARTY CODE PROPERLY ...." : "PLEASE ENTER PARTY CODE ....",
                 {},
                 w->party->edit()}};
            if (auto* h = qobject_cast<HotelItems*>(items)) {
                checks.push_back({"CANNOT PROCEED, CHECK - OUT IS BEFORE CHECK - IN ....",
                                  [&, h] {
                                      f.party(*w, f.hillview);
                                      h->txt_ChkOtDt->setDate(h->txt_ChkInDt->date().addDays(-1));
                                      typeInto(h->parts[0].count, "2");
                                      typeInto(h->parts[0].rate, "100");
                                  },
                                  h->txt_ChkOtDt});
                checks.push_back({"CANNOT PROCEED AS TOTAL AMOUNT IS ZERO ....",
                                  [h] { h->txt_ChkOtDt->setDate(h->txt_ChkInDt->date()); }, h->parts[0].count});
            } else if (auto* v = qobject_cast<VehicleItems*>(items)) {
                checks.push_back({"CANNOT PROCEED, TOUR END DATE IS BEFORE TOUR START DATE ....",
                                  [&, v] {
                                      f.party(*w, f.malabar);
                                      v->txt_EndDt->setDate(v->txt_StartDt->date().addDays(-1));
                                  },
                                  v->txt_EndDt});
                checks.push_back({"CANNOT PROCEED AS THE TOTAL AMOUNT IS ZERO .....",
                                  [v] { v->txt_EndDt->setDate(v->txt_StartDt->date()); }, v->txt_VehNos});
            } else {
                checks.push_back({"TOTAL AMOUNT CANNOT BE ZERO.....", [&] { f.party(*w, f.malabar); },
                                  static_cast<OtherItems*>(items)->txt_Qty});
            }
            const QString fault = checkInOrder(f.ts.prompter, f.ts.db(), kTables, checks, [&] { f.save(*w); });
            QVERIFY2(fault.isEmpty(), qPrintable(fault));
        }
    }

    // The booking cancelled or locked for the kind, before the window opened or while it was
    // open: the save is refused inside its transaction and nothing is kept.
    void shutBookingRefused() {
        Fixture f;
        for (int k = 0; k < 3; ++k) {
            const QString lock = "LCK_" + adviceCode(kKinds[k]);
            for (const QString& shut :
                 {"UPDATE M_TBL_TRANSACTION SET " + lock + "='Y' WHERE DOC_CODE='CBPT01'",
                  QString("UPDATE M_TBL_TRANSACTION SET DOC_STATUS='CNCL' WHERE DOC_CODE='CBPT01'")}) {
                for (const bool afterOpen : {false, true}) {
                    if (!afterOpen)
                        f.ts.db().exec(shut);
                    auto w = f.open(kKinds[k]);
                    fill(f, *w);
                    if (afterOpen)
                        f.ts.db().exec(shut);
                    const Footprint before = footprint(f.ts.db(), kTables);
                    f.save(*w);
                    QCOMPARE(f.ts.prompter.texts().value(1), kAdviceBookingShut);
                    QVERIFY(footprint(f.ts.db(), kTables) == before);
                    QCOMPARE(w->lbl_DocNo->text(), "0");
                    f.ts.db().exec("UPDATE M_TBL_TRANSACTION SET DOC_STATUS='APPRV', " + lock +
                                   "='N' WHERE DOC_CODE='CBPT01'");
                }
            }
        }
        QVERIFY(f.picks.isEmpty());
    }

    // A live note is fetched (its names outer-joined, so it shows with its lists gone) and
    // rewritten in place: same number, creation kept, narration and amounts rebuilt. A note
    // cancelled is not fetched, and one cancelled after it was fetched is not rewritten.
    void modifyRewritesLiveNotesOnly() {
        Fixture f;
        Database& db = f.ts.db();
        db.exec("UPDATE M_TBL_TRANSACTION SET CREATED_BY='FIRST' WHERE DOC_CODE LIKE 'ANCP0%'");
        for (const char* gone : {"M_TBL_PARTYTYPE", "M_TBL_MEALPLAN", "MST_VEHICLEBRANDTYPE"})
            db.exec(QString("DELETE FROM %1").arg(gone));
        const char* totals[] = {"18000.00", "27000.00", "3000.00"};  // the demo's rates doubled
        for (int k = 0; k < 3; ++k) {
            const QString code = adviceCode(kKinds[k]);
            auto w = f.open(kKinds[k], true);
            typeEnter(w->txt_DocNo, "1");
            QCOMPARE(w->number(), qint64(1));
            QVERIFY(w->party->edit()->hasFocus());
            QLineEdit* rate = w->findChild<QLineEdit*>(k == 0 ? "txt_RoomRate" : k == 1 ? "txt_VehRate" : "txt_Rate");
            typeInto(rate, QString::number(Money::fromText(rate->text()).paise() / 50));
            f.save(*w);
            QCOMPARE(f.ts.prompter.texts().value(1),
                     k == 0 ? "ANCP01 - HOTEL MODIFICATION SUCCESSFULLY DONE ...." : QString::fromLatin1(kSaved[k]));
            QCOMPARE(lines(db, "SELECT COUNT(*), MAX(CREATED_BY) FROM M_TBL_TRANSACTION WHERE DOC_CODE=?", {code}),
                     QStringList{"1|FIRST"});
            const auto row =
                db.firstRow("SELECT GRAND_TOTAL, CR_AMT, DOC_DESC FROM M_TBL_TRANSACTION WHERE DOC_CODE=?", {code});
            QCOMPARE(Money::fromVariant(row->value(0)).toString(), totals[k]);
            QCOMPARE(Money::fromVariant(row->value(1)).toString(), totals[k]);
            QVERIFY(
                row->value(2).toString().contains(QString("RS %1 AGAINST CBPT NO :1 VIDE DOCNO: 1").arg(totals[k])));

            db.exec("UPDATE M_TBL_TRANSACTION SET DOC_STATUS='CNCL' WHERE DOC_CODE=?", {code});
            const Footprint before = footprint(db, kTables);
            f.save(*w);
            QCOMPARE(f.ts.prompter.texts().value(1), code + " 1 IS CANCELLED, IT CANNOT BE CHANGED ....");
            f.ts.answer();
            typeEnter(w->txt_DocNo, "1");
            QCOMPARE(f.ts.prompter.texts(), QStringList{"CANNOT PROCEED, PLEASE FETCH ANCP RECORD PROPERLY ...."});
            QCOMPARE(w->number(), qint64(0));
            QVERIFY(footprint(db, kTables) == before);
        }
    }

    // A note is due its service date plus its supplier's credit days unless a date is typed:
    // a date typed on a new note is stored with it; a note modified with its date as shown
    // keeps what it had (typed, or its supplier's period). Paid and balance make its total.
    void dueDateDefaultAndOverride() {
        Fixture f;
        Database& db = f.ts.db();
        for (const qint64 supplier : {f.hillview, f.malabar})
            setSupplierTerms(db, "T", supplier, {10, {}, {}});
        const QDate typed = f.start.addDays(20);
        for (int k = 0; k < 3; ++k) {
            const QString code = adviceCode(kKinds[k]);
            auto w = f.open(kKinds[k]);
            fill(f, *w);
            typeInto(w->txt_DueDate, day(typed).remove('/'));
            f.save(*w);
            QCOMPARE(f.ts.prompter.texts().value(1), QString::fromLatin1(kSaved[k]));
            QCOMPARE(lines(db, "SELECT DUE_DT FROM M_TBL_ADVICE_DUE WHERE DOC_CODE=? AND DOC_NO=2", {code})
                         .value(0)
                         .left(10),
                     typed.toString(Qt::ISODate));
            QCOMPARE(w->txt_DueDate->text(), day(typed));
            QCOMPARE(Money::fromInput(w->lbl_Paid->text()) + Money::fromInput(w->lbl_DueBalance->text()), w->total());

            auto m = f.open(kKinds[k], true);
            typeEnter(m->txt_DocNo, "1");
            const QDate service = dateFromDb(db.scalar(
                "SELECT COALESCE(START_DT, DOC_DATE) FROM M_TBL_TRANSACTION WHERE DOC_CODE=? AND DOC_NO=1", {code}));
            const QString dueOfNote1 = "SELECT DUE_DT FROM M_TBL_ADVICE_DUE WHERE DOC_CODE=? AND DOC_NO=1";
            const QStringList before = lines(db, dueOfNote1, {code});
            QCOMPARE(m->txt_DueDate->text(), before.isEmpty()
                                                 ? day(service.addDays(10))
                                                 : day(QDate::fromString(before[0].left(10), Qt::ISODate)));
            f.save(*m);
            QCOMPARE(lines(db, dueOfNote1, {code}), before);
            typeInto(m->txt_DueDate, "31139999");
            f.save(*m);
            QCOMPARE(f.ts.prompter.texts(), QStringList{"PLEASE ENTER DUE DATE PROPERLY ...."});
        }
    }

    // Whichever statement of a save fails, nothing stays and no number is used.
    void savesAreAtomic() {
        Fixture f;
        for (int k = 0; k < 3; ++k) {
            auto w = f.open(kKinds[k]);
            fill(f, *w);
            QCOMPARE(checkAtomic(
                         f.ts.prompter, f.ts.db(), kTables, QString::fromLatin1(kSaved[k]), [] {}, [&] { f.save(*w); }),
                     QString());
        }
    }
};

QTEST_MAIN(TstAdviceNotes)
#include "tst_advice_notes.moc"
