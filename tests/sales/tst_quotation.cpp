// The quotation window and its search: the save protocol, the lead and the live booking written
// from it, its states with the lock re-read inside the save, and lines reloaded on a report.
#include "data/Moments.h"
#include "engine/sales/QuotationTotals.h"
#include "sales/SalesWindows.h"
#include "sales/frm_BusinessLeads_Quotation.h"
#include "sales/frm_SearchQuotation.h"
#include "shell/kit/ListGrid.h"
#include "support/Drive.h"
#include "support/Registered.h"
#include "support/SaveProtocol.h"

#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

using namespace tarvic;
using namespace tarvic::test;

namespace {

const QString kSaved1 = QStringLiteral("QUOTATION IS OPEN FOR ENTRY ... \n QUOTATION NO : 1");
const QStringList kTables{QStringLiteral("M_TBL_QUOTATION"), QStringLiteral("M_TBL_TRANSACTION"),
                          QStringLiteral("M_TBL_ITINERARY_DETAILS_QUOTE"),
                          QStringLiteral("M_TBL_ITINERARY_NOTES_QUOTE")};
const QString kHeader = QStringLiteral("M_TBL_QUOTATION WHERE DOC_CODE='QGBL01'");

// A party, two leads of it (7 and 8, the second of party 2), an itinerary of two days with its
// quoted notes, and a 5 % tax; the quotation window over them.
struct Fixture : SessionWindows {
    QTemporaryDir dir;
    std::unique_ptr<frm_BusinessLeads_Quotation> w;

    Fixture() : SessionWindows(registerSalesWindows) {
        // A quotation shown writes its pages: into a folder of this test alone.
        qputenv("XDG_DATA_HOME", dir.filePath("data").toUtf8());
        Database& db = ts.db();
        db.exec(
            "INSERT INTO M_TBL_PARTY (PARTY_CODE, PARTY_NAME, MOBILE_NOS, EMAIL_ADD) VALUES "
            "(1, 'SEA BREEZE TRAVELS', '98470 11111', 'sea@breeze.in'), (2, 'HILL VIEW', '1', 'h@v.in')");
        db.exec(
            "INSERT INTO M_TBL_TRANSACTION (DOC_CODE, DOC_NO, DOC_DATE, PARTY_CODE, DOC_DESC, NOOF_PAX, "
            "NOOF_CHILD, CHILD_AGES, TOURIST_NAME, TOURIST_MOBNO, TOURIST_EMAIL, START_DT, END_DT, TOUR_DAYS) "
            "VALUES ('BLFC01', 7, ?, 1, 'KERALA FAMILY TOUR WITH A VERY LONG DESCRIPTION OF EVERY PLACE ON THE WAY "
            "FROM KOCHI TO MUNNAR, THEKKADY AND THE BACKWATERS OF ALLEPPEY AND KUMARAKOM', 2, 1, '6', 'ANNA ''O'' "
            "MÜLLER', '98470 22222', "
            "'anna@mail.de', ?, ?, 4), ('BLFC01', 8, ?, 2, 'HILLS', 1, 0, '', 'BOB', '1', 'b@b.in', ?, ?, 1)",
            {QDate(2026, 11, 1), QDate(2026, 12, 10), QDate(2026, 12, 13), QDate(2026, 11, 2), QDate(2026, 12, 1),
             QDate(2026, 12, 1)});
        db.exec(
            "INSERT INTO M_TBL_ITINERARY_HEADER (ITN_DOCNO, ITN_NAME, ITN_NIGHT, ITN_DAYS, ITN_DURATION, ACTIVE) "
            "VALUES (3, 'BACKWATERS', 3, 4, '3 N / 4 D', 'Y')");
        db.exec(
            "INSERT INTO M_TBL_ITINERARY_DETAILS (ITN_DOCNO, ITN_SLNO, ITN_DAY, ITN_PLACE, ITN_DESC) VALUES "
            "(3, 1, 1, 'KOCHI', 'ARRIVAL'), (3, 2, 2, 'ALLEPPEY', 'HOUSEBOAT')");
        db.exec(
            "INSERT INTO M_TBL_ITINERARY_NOTES (ITN_DOCNO, ITN_NOTE_CODE, ITN_NOTE) VALUES "
            "(3, 'ITN_INCL', 'BREAKFAST'), (3, 'ITN_BANK', 'NOT QUOTED')");
        db.exec("INSERT INTO M_TBL_TAX (TAX_CODE, TAX_NAME, TAX_PER) VALUES (1, 'GST 5', 5)");
        w = std::make_unique<frm_BusinessLeads_Quotation>(ts.session, nullptr);
        showActive(*w);
    }

    // A new quotation for a lead on itinerary 3, as a user types it.
    void fill(const QString& lead = "7", const QString& bookedBy = "DESK") {
        w->Load_Init();
        typeEnter(w->txt_LeadCode, lead);
        typeEnter(w->txt_ItineraryNO, "3");
        typeInto(w->txt_BookBy, bookedBy);
    }
    bool save(bool yes = true) {
        ts.answer({yes});
        w->pressTool(3);
        return ts.prompter.texts().contains(
            QStringLiteral("QUOTATION IS OPEN FOR ENTRY ... \n QUOTATION NO : %1").arg(w->number()));
    }
    void addLine(qint64 q, int line, const QString& kind, const QString& amount) {
        db().exec(QStringLiteral("INSERT INTO M_TBL_QUOTATION (DOC_CODE, DOC_NO, ACC_CODE, ACCOUNT_DESC, TOUR_DATE, "
                                 "HOTEL_NAME, TOTAL_AMOUNT) VALUES ('QGBL02', ?, ?, ?, ?, 'LAKE VIEW', %1)")
                      .arg(amount),
                  {q, line, kind, QDate(2026, 12, 10).addDays(line)});
    }
    QString totals() const {
        return QStringList{w->lbl_TotlAmount->text(), w->txt_CommAmt->text(),   w->lbl_TotlAmount2->text(),
                           w->txt_TaxibleAmt->text(), w->lbl_TaxAmount->text(), w->lbl_GrandTotal->text()}
            .join('|');
    }
};

}  // namespace

class tst_quotation : public QObject {
    Q_OBJECT
private slots:
    void saveProtocol() {
        Fixture f;
        auto& w = *f.w;
        QCOMPARE(
            checkInOrder(f.ts.prompter, f.db(), kTables,
                         {{"CANNOT PROCEED, PLEASE ENTER CORRECT LEAD NO ...", [&] { w.Load_Init(); }, w.txt_LeadCode},
                          {"CANNOT PROCEED, PLEASE ENTER CORRECT ITINERARY NO ...",
                           [&] { typeEnter(w.txt_LeadCode, "7"); }, w.txt_ItineraryNO},
                          {"PLEASE MENTION BOOKED BY, ITS COMPULSORY ......",
                           [&] { typeEnter(w.txt_ItineraryNO, "3"); }, w.txt_BookBy},
                          {"PLEASE MENTION TOURIST NAME, ITS COMPULSORY ......",
                           [&] {
                               typeInto(w.txt_BookBy, "DESK");
                               w.txt_TouristName->clear();
                           },
                           w.txt_TouristName},
                          {"PLEASE MENTION TOURIST MOBILE NO, ITS COMPULSORY ......",
                           [&] {
                               typeInto(w.txt_TouristName, "ANNA");
                               w.txt_TouristMobNO->clear();
                           },
                           w.txt_TouristMobNO},
                          {"PLEASE MENTION TOURIST E-MAIL ADDRESS, ITS COMPULSORY ......",
                           [&] {
                               typeInto(w.txt_TouristMobNO, "1");
                               w.txt_TouristEmail->clear();
                           },
                           w.txt_TouristEmail}},
                         [&] { w.pressTool(3); }),
            QString());
        // Answered No: the question was asked, and nothing stored.
        const Footprint before = footprint(f.db(), kTables);
        f.fill();
        QVERIFY(!f.save(false));
        QCOMPARE(f.ts.prompter.texts(),
                 QStringList{" YOU ARE ABOUT TO GENERATE QUOTATION NO ....\n LEAD NO : 7\n ITINERARY NO : 3\n ARE YOU "
                             "SURE WANT TO PROCEED (Y/N) ?"});
        QVERIFY(footprint(f.db(), kTables) == before);
        // A failure at any statement leaves no header, no copy, no counter step, no lead change.
        QCOMPARE(checkAtomic(
                     f.ts.prompter, f.db(), kTables, kSaved1, [&] { f.fill(); }, [&] { f.w->pressTool(3); }),
                 QString());
        QCOMPARE(count(f.db(), kHeader), qint64(1));
    }

    // The first save writes the lead back; a second keeps the number and copies the itinerary once.
    void savingTwiceKeepsNumberAndCopiesOnce() {
        Fixture f;
        f.fill();
        typeInto(f.w->txt_Adult, "3");
        f.w->txt_JStartDt->setDate(QDate(2027, 1, 5));
        f.w->txt_JEndDt->setDate(QDate(2027, 1, 9));
        QVERIFY(f.save());
        QCOMPARE(f.w->number(), qint64(1));
        QCOMPARE(lines(f.db(),
                       "SELECT BOOKED_BY, TOURIST_NAME, NOOF_PAX, NOOF_CHILD, CHILD_AGES, TOUR_DAYS, DOC_DESC FROM "
                       "M_TBL_TRANSACTION WHERE DOC_NO=7"),
                 QStringList{"DESK|ANNA 'O' MÜLLER|3|1|6|5|KERALA FAMILY TOUR WITH A VERY LONG DESCRIPTION OF EVERY "
                             "PLACE ON THE WAY FROM KOCHI TO MUNNAR, THEKKADY AND THE BACKWATERS OF ALLEPPEY AND "
                             "KUMARAKOM"});
        QCOMPARE(dateFromDb(f.db().scalar("SELECT START_DT FROM M_TBL_TRANSACTION WHERE DOC_NO=7")), QDate(2027, 1, 5));
        QCOMPARE(dateFromDb(f.db().scalar("SELECT END_DT FROM M_TBL_TRANSACTION WHERE DOC_NO=7")), QDate(2027, 1, 9));
        typeInto(f.w->txt_BookBy, "AGENT");
        QVERIFY(f.save());
        QVERIFY(
            f.ts.prompter.texts().first().startsWith(" YOU ARE ABOUT TO GENERATE QUOTATION NO ....\n LEAD NO : 7\n"));
        QCOMPARE(counter(f.db(), "QGBL01"), qint64(1));
        QCOMPARE(lines(f.db(), "SELECT DOC_NO, BOOKED_BY, DOC_STATUS, IN_DOCCODE, LCK_QUOT FROM " + kHeader),
                 QStringList{"1|AGENT|QOFE|BLFC01|N"});
        QCOMPARE(lines(f.db(),
                       "SELECT ITN_SLNO, ITN_PLACE FROM M_TBL_ITINERARY_DETAILS_QUOTE WHERE QUOT_NO=1 "
                       "ORDER BY ITN_SLNO"),
                 (QStringList{"1|KOCHI", "2|ALLEPPEY"}));
        QCOMPARE(lines(f.db(), "SELECT ITN_NOTE_CODE FROM M_TBL_ITINERARY_NOTES_QUOTE WHERE QUOT_NO=1"),
                 QStringList{"ITN_INCL"});
        QCOMPARE(f.w->Grid_Itinerary->rowCount(), 2);
        // Its copy dropped after the question, the next save copies the itinerary afresh.
        f.ts.answer({true});
        f.w->Cmd_DelItn->click();
        QCOMPARE(f.ts.prompter.texts().last(), QString("DELETION SUCCESSFULLY DONE ...."));
        QCOMPARE(count(f.db(), "M_TBL_ITINERARY_DETAILS_QUOTE"), qint64(0));
        QVERIFY(f.save());
        QCOMPARE(count(f.db(), "M_TBL_ITINERARY_DETAILS_QUOTE"), qint64(2));
    }

    // A save re-prices the live booking made from the quotation (never a cancelled one), and
    // is refused while that booking's own lock is set.
    void saveRepricesTheApprovedBooking() {
        Fixture f;
        f.fill();
        QVERIFY(f.save());
        f.addLine(1, 1, "HOTEL", "10000.00");
        f.db().exec(
            "INSERT INTO M_TBL_TRANSACTION (DOC_CODE, DOC_NO, DOC_DATE, QUOTATION_NO, DOC_STATUS, CR_AMT) "
            "VALUES ('CBPT01', 40, ?, 1, 'APPRV', 5), ('CBPT01', 41, ?, 1, 'CNCL', 5)",
            {QDate(2026, 11, 20), QDate(2026, 11, 20)});
        QVERIFY(f.w->Show_Record(1));
        typeInto(f.w->txt_CommPer, "10");
        choose(f.w->Cmb_TaxName, "GST 5");
        typeInto(f.w->txt_TaxPercent, "5");
        QCOMPARE(f.totals(), QString("10000.00|1000.00|11000.00|11000.00|550.00|11550.00"));
        const QString bookingRow = "SELECT * FROM M_TBL_TRANSACTION WHERE DOC_CODE='CBPT01' AND DOC_NO=41";
        const QStringList cancelled = lines(f.db(), bookingRow);
        QVERIFY(f.save());
        QCOMPARE(lines(f.db(), bookingRow), cancelled);
        QCOMPARE(lines(f.db(),
                       "SELECT DOC_NO, DOC_DESC, TOUR_DAYS, NOOF_PAX, TOTAL_AMOUNT, COMM_AMOUNT, TAX_AMT, "
                       "GRAND_TOTAL, DB_AMT, CR_AMT, AMT_INWORDS, TOURIST_NAME FROM M_TBL_TRANSACTION "
                       "WHERE DOC_CODE='CBPT01' AND DOC_NO=40")
                     .replaceInStrings(".00|", "|")
                     .replaceInStrings(".0|", "|"),
                 (QStringList{"40|RS 11550.00 AGAINST PACKAGE VIDE CBPT NO : 40, DT20/11/2026|4|2|10000|1000|550|11550|"
                              "11550|0|Eleven Thousand Five Hundred and Fifty Rupees Only /-|ANNA 'O' MÜLLER"}));
        QCOMPARE(lines(f.db(), "SELECT TAX_CODE, GRAND_TOTAL FROM " + kHeader).value(0).section('|', 0, 0),
                 QString("1"));

        // The booking's own lock set since: its price stays, so the quotation's save is refused.
        f.db().exec("UPDATE M_TBL_TRANSACTION SET LCK_CBPT='Y' WHERE DOC_CODE='CBPT01' AND DOC_NO=40");
        typeInto(f.w->txt_CommPer, "20");
        const Footprint before = footprint(f.db(), kTables);
        QVERIFY(!f.save());
        QCOMPARE(f.ts.prompter.texts().last(), QString("CANNOT PROCEED, CBPT NO 40 IS LOCKED ...."));
        QVERIFY(!f.w->Save_Transaction());
        QVERIFY(footprint(f.db(), kTables) == before);
    }

    // New: no line buttons; open for entry: lines, lead fixed; locked: nothing writes, also when
    // the lock came after the window read the quotation.
    void statesDecideWhatWrites() {
        Fixture f;
        const QList<QPushButton*> lineButtons{f.w->Cmd_AddHotel, f.w->Cmd_AddVehicle, f.w->Cmd_AddOthrCosting,
                                              f.w->Cmd_DelItn, f.w->Cmd_Mod_Itn};
        auto enabled = [&] {
            QString s;
            for (QPushButton* b : lineButtons)
                s += b->isEnabled() ? '1' : '0';
            return s + (f.w->txt_LeadCode->isReadOnly() ? "R" : "W") + (f.w->tool(3)->isEnabled() ? "S" : "-");
        };
        f.fill();
        QCOMPARE(enabled(), QString("00000WS"));
        QVERIFY(f.save());
        QCOMPARE(enabled(), QString("11111RS"));

        // Locked on another workstation after it was opened: the save and the silent save refuse.
        f.db().exec("UPDATE M_TBL_QUOTATION SET LCK_QUOT='Y' WHERE DOC_CODE='QGBL01'");
        const Footprint before = footprint(f.db(), kTables);
        typeInto(f.w->txt_BookBy, "LATE");
        QVERIFY(!f.save());
        QCOMPARE(f.ts.prompter.texts().last(), kQuotationLocked);
        QVERIFY(!f.w->Save_Transaction());
        QVERIFY(footprint(f.db(), kTables) == before);

        QVERIFY(f.w->Show_Record(1));
        QCOMPARE(enabled(), QString("00000R-"));
        QVERIFY(!f.w->txt_TouristName->isEnabled());
        f.ts.prompter.clear();
        f.w->Save_Record();
        QCOMPARE(f.ts.prompter.texts(), QStringList{kQuotationLocked});
        QVERIFY(footprint(f.db(), kTables) == before);
    }

    void showRecordShowsItsOwnTravellersAndOpensWithoutTax() {
        Fixture f;
        f.fill();
        typeInto(f.w->txt_TouristName, "FIRST");
        QVERIFY(f.save());
        f.fill();
        typeInto(f.w->txt_TouristName, "SECOND");
        typeInto(f.w->txt_Adult, "5");
        QVERIFY(f.save());
        QCOMPARE(f.w->number(), qint64(2));
        // Quotation 1 has no tax: it opens, with its own travellers, not the lead's (now SECOND's).
        QVERIFY(f.w->Show_Record(1));
        QCOMPARE(f.w->txt_TouristName->text() + "|" + f.w->txt_Adult->text() + "|" + f.w->lbl_Status->text(),
                 QString("FIRST|2|QOFE"));
        QCOMPARE(f.w->leadValue("TOURIST_NAME"), QString("SECOND"));
        // The lead's other quotations leave out the one shown.
        QCOMPARE(column(f.w->Grid_OthrQuotation->model(), 2), QStringList{"2"});
        // F5 stores the quotation silently: who did it and when is shown at once.
        f.ts.session.userFullName = QStringLiteral("SECOND DESK");
        QVERIFY(f.w->pressTool(5));
        QVERIFY2(f.w->lbl_UpdateBy->text().startsWith("SECOND DESK - "), qPrintable(f.w->lbl_UpdateBy->text()));
        QVERIFY(f.save());
        QCOMPARE(lines(f.db(), "SELECT TOURIST_NAME, NOOF_ADULT FROM " + kHeader + " ORDER BY DOC_NO"),
                 (QStringList{"FIRST|2", "SECOND|5"}));
    }

    // A line window's report reloads the line grids, the sums, the summary and the totals.
    void lineChangeReloadsFromTheDatabase() {
        Fixture f;
        f.fill();
        QVERIFY(f.save());
        typeInto(f.w->txt_CommPer, "10");
        int opened = 0;
        f.registry.add(QStringLiteral("frm_BQ_AddHotel"),
                       WindowRegistry::Factory([&](Session& s, QWidget*, const WindowArgs& args) -> QWidget* {
                           ++opened;
                           const qint64 q = args.value("QUOT_NO").toLongLong();
                           f.addLine(q, 1, "HOTEL", "2500.50");
                           f.addLine(q, 2, "HOTEL", "1000.00");
                           f.addLine(q, 3, "OTHRCHRG", "499.50");
                           repriceQuotation(*s.db, s.userFullName, q);
                           args.onPick(QString::number(q));
                           return new QWidget;
                       }));
        f.w->txt_TouristName->clear();
        f.ts.prompter.clear();
        f.w->Cmd_AddHotel->click();
        QCOMPARE(f.ts.prompter.texts(), QStringList{"CANNOT PROCEED AS TOURIST NAME IS COMPULSORY .... \n KINDLY "
                                                    "MENTION TOURIST NAME AND THEN PROCEED....."});
        QCOMPARE(opened, 0);
        typeInto(f.w->txt_TouristName, "ANNA");
        f.w->Cmd_AddHotel->click();
        QCOMPARE(opened, 1);
        QCOMPARE(f.w->GridHotel->rowCount(), 2);
        QCOMPARE(f.w->GridOthrChrg->rowCount(), 1);
        QCOMPARE(column(f.w->Grid1->model(), 2), (QStringList{"3500.50", "499.50"}));
        QCOMPARE(column(f.w->Grid1->model(), 1), (QStringList{"HOTEL", "OTHER CHARGES"}));
        QCOMPARE(f.w->lbl_HotelSum->text() + "|" + f.w->lbl_OthrSum->text(), QString("3500.50|499.50"));
        QCOMPARE(f.totals(), QString("4000.00|400.00|4400.00|4400.00|0.00|4400.00"));
        // Changing the total moved total amount 2, and the taxable amount followed it.
        QCOMPARE(lines(f.db(), "SELECT TOTAL_AMOUNT, TAXIBLE_AMT FROM " + kHeader).value(0).remove(".00").remove(".0"),
                 QString("4000|4000"));
    }

    void openingRunsTheSameStatementsWhateverTheLines() {
        Fixture f;
        f.fill();
        QVERIFY(f.save());
        f.addLine(1, 1, "HOTEL", "10");
        const int before = f.db().statementsRun();
        QVERIFY(f.w->Show_Record(1));
        const int few = f.db().statementsRun() - before;
        for (int line = 2; line <= 60; ++line)
            f.addLine(1, line, line % 2 ? "HOTEL" : "VEHICLE", "10");
        const int between = f.db().statementsRun();
        QVERIFY(f.w->Show_Record(1));
        QCOMPARE(f.db().statementsRun() - between, few);
        QCOMPARE(f.w->lbl_TotlAmount->text(), QString("600.00"));
    }

    void searchListsByOptionAndHandsTheNumberBack() {
        TestSession ts;
        ts.db().exec(
            "INSERT INTO M_TBL_TRANSACTION (DOC_CODE, DOC_NO, PARTY_CODE, DOC_DESC) VALUES "
            "('BLFC01', 7, 1, 'SEA'), ('BLFC01', 8, 2, 'HILLS')");
        ts.db().exec(
            "INSERT INTO M_TBL_QUOTATION (DOC_CODE, DOC_NO, DOC_DATE, IN_DOCCODE, LEAD_NO, DOC_STATUS) VALUES "
            "('QGBL01', 1, ?, 'BLFC01', 7, 'QOFE'), ('QGBL01', 2, ?, 'BLFC01', 7, 'BKD'), "
            "('QGBL01', 3, ?, 'BLFC01', 8, 'QOFE'), ('QGBL01', 4, ?, 'BLFC01', 8, 'QOFE')",
            {QDateTime(QDate(2026, 11, 1), QTime(9, 30)), QDate(2026, 11, 1).startOfDay(),
             QDate(2026, 11, 3).startOfDay(), QDate(2026, 10, 31).startOfDay()});
        QString picked;
        frm_SearchQuotation s(ts.session, nullptr, {{}, [&](const QString& code) { picked = code; }});
        QVERIFY(showActive(s));
        QCOMPARE(items(s.Cmb_Status), (QStringList{"%", "BKD", "QOFE"}));
        s.txt_FromDate->setDate(QDate(2026, 11, 1));
        s.txt_ToDate->setDate(QDate(2026, 11, 30));
        struct Case {
            QRadioButton* option;
            QLineEdit* field;
            QString text, status;
            QStringList numbers;
        };
        const QList<Case> cases{
            {s.Option1, nullptr, {}, "%", {"3", "1", "2"}},  {s.Option1, nullptr, {}, "BKD", {"2"}},
            {s.Option2, s.txt_LeadNo, "7", "%", {"1", "2"}}, {s.Option3, s.txt_PartyCode, "2", "%", {"3"}},
            {s.Option4, s.txt_QuotNo, "1", "QOFE", {"1"}},   {s.Option4, s.txt_QuotNo, "", "%", {}}};
        for (const Case& c : cases) {
            c.option->setChecked(true);
            if (c.field)
                c.field->setText(c.text);
            choose(s.Cmb_Status, c.status);
            s.Cmd_Show->click();
            QCOMPARE(column(s.Grid1->model(), frm_SearchQuotation::ColNumber), c.numbers);
        }
        s.Option1->setChecked(true);
        s.Cmd_Show->click();
        emit s.Grid1->rowChosen(1);
        QCOMPARE(picked, QString("1"));
        QVERIFY(!s.isVisible());
    }
};

QTEST_MAIN(tst_quotation)
#include "tst_quotation.moc"
