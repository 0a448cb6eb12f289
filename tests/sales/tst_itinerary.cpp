// The itinerary: header and notes saved in one transaction, day lines, import, the quotation's
// copy and notes (refused once locked), and the search.
#include "engine/sales/Itineraries.h"
#include "sales/ItineraryDayEditor.h"
#include "sales/SalesWindows.h"
#include "sales/frm_BusinessLeads_ModNotes.h"
#include "sales/frm_Itinerary_Header.h"
#include "sales/frm_Itinerary_Import.h"
#include "sales/frm_SearchItinerary.h"
#include "shell/kit/ListGrid.h"
#include "support/Drive.h"
#include "support/SaveProtocol.h"
#include "support/TestSession.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace tarvic;
using namespace tarvic::test;

namespace {

const QString kLineSaved = "UPDATION OF ITINERARY DETAILS SUCCESSFULLY DONE ....";
const QString kImported = "IMPORTING OF ITINERARY DETAILS SUCCESSFULLY DONE ....";
const QString kLineColumns =
    "SELECT ITN_SLNO, ITN_DAY, ITN_PLACE, ITN_DIST, SHOW_DIST, ITN_HOURS, SHOW_HOURS, ITN_DESC, CREATED_BY, UPDATE_BY ";
const QStringList kItnTables{"M_TBL_ITINERARY_HEADER", "M_TBL_ITINERARY_DETAILS", "M_TBL_ITINERARY_NOTES"};

struct Fixture {
    TestSession ts;
    ActingPrompter& prompter = ts.prompter;
    QStringList picks;  // what the windows handed to their opener
    PickCallback pick = [this](const QString& code) { picks << code; };
    Database& db() { return ts.db(); }
    void yes(bool answer = true) {
        prompter.clear();
        prompter.answers = {answer};
    }
    void header(qint64 no, const QString& name, const QString& active = "Y", const QString& state = "KERALA",
                const QString& desc = "TOUR", const QString& places = "COCHIN") {
        db().exec(
            "INSERT INTO M_TBL_ITINERARY_HEADER (ITN_DOCNO, ITN_NAME, ITN_STATE, ITN_DESC, ITN_PLACES, ITN_NIGHT, "
            "ITN_DAYS, ITN_DURATION, ACTIVE) VALUES (?, ?, ?, ?, ?, 2, 3, '2 N / 3 D', ?)",
            {no, name, state, desc, places, active});
    }
    // Day lines "slno:day:place" of an itinerary, or of quotation quot's copy of it.
    void days(qint64 no, const QStringList& lines, qint64 quot = 0) {
        for (const QString& l : lines) {
            const QStringList p = l.split(':');
            db().exec(QStringLiteral("INSERT INTO %1 (ITN_DOCNO, %2 ITN_SLNO, ITN_DAY, ITN_PLACE, ITN_DIST, SHOW_DIST, "
                                     "ITN_HOURS, SHOW_HOURS, ITN_DESC, CREATED_BY) VALUES (?, %3 ?, ?, ?, '10', 'Y', "
                                     "'1', 'N', 'DAY', 'SEED')")
                          .arg(quot ? "M_TBL_ITINERARY_DETAILS_QUOTE" : "M_TBL_ITINERARY_DETAILS",
                               quot ? "QUOT_NO," : "", quot ? QString::number(quot) + "," : ""),
                      {no, p[0].toInt(), p[1].toInt(), p[2]});
        }
    }
    // The header of quotation no, open for entry, whose copy the editors change.
    void quotation(qint64 no) {
        db().exec(
            "INSERT INTO M_TBL_QUOTATION (DOC_CODE, DOC_NO, DOC_STATUS, LCK_QUOT) VALUES ('QGBL01', ?, 'QOFE', "
            "'N')",
            {no});
    }
    void note(qint64 no, const QString& code, const QString& text) {
        db().exec("INSERT INTO M_TBL_ITINERARY_NOTES (ITN_DOCNO, ITN_NOTE_CODE, ITN_NOTE) VALUES (?, ?, ?)",
                  {no, code, text});
    }
    QStringList lineRows(qint64 no, const QString& table = "M_TBL_ITINERARY_DETAILS", const QString& more = {}) {
        return lines(db(), kLineColumns + "FROM " + table + " WHERE ITN_DOCNO=? " + more + " ORDER BY ITN_SLNO", {no});
    }
    QStringList noteRows(qint64 no, const QString& table = "M_TBL_ITINERARY_NOTES", const QString& more = {}) {
        return lines(db(),
                     "SELECT ITN_NOTE_CODE, ITN_NOTE FROM " + table +
                         " WHERE ITN_DOCNO=? AND ITN_NOTE IS NOT NULL AND ITN_NOTE<>'' " + more +
                         " ORDER BY ITN_NOTE_CODE",
                     {no});
    }
    // Types a day line and saves it, answering the question.
    void enterLine(ItineraryDayEditor& w, const QString& slno, const QString& day, const QString& place,
                   const QString& desc, bool showDist = false) {
        typeInto(w.txt_SlNO, slno);
        typeInto(w.txt_Day, day);
        typeInto(w.txt_Place, place);
        typeInto(w.txt_Dist, "40");
        typeInto(w.txt_Time, "1.5");
        w.txt_Desc->setPlainText(desc);
        w.Chk_Dist->setChecked(showDist);
        yes();
        QTest::keyClick(w.txt_SlNO, Qt::Key_F3);
    }
};

}  // namespace

class tst_itinerary : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    // Days = nights + 1, shown as "N / D"; a sign is never typed.
    void durationFollowsNights() {
        Fixture f;
        frm_Itinerary_Header w(f.ts.session, nullptr);
        QVERIFY(showActive(w));
        const std::pair<QString, QString> cases[] = {
            {"", "0|"}, {"0", "0|"}, {"3", "4|3 N / 4 D"}, {"12", "13|12 N / 13 D"}, {"-3", "4|3 N / 4 D"}};
        for (const auto& [typed, shown] : cases) {
            typeInto(w.txt_Nights, "7");
            typeInto(w.txt_Nights, typed);
            if (typed.isEmpty())
                w.txt_Nights->clear();
            QCOMPARE(w.lbl_Days->text() + "|" + w.lbl_Duration->text(), shown);
        }
    }

    void headerSavesWithElevenNotesInOneTransaction() {
        Fixture f;
        frm_Itinerary_Header w(f.ts.session, nullptr);
        QVERIFY(showActive(w));
        QCOMPARE(
            checkInOrder(
                f.prompter, f.db(), kItnTables,
                {{"ITINERARY NAME CANNOT BE BLANK....", {}, w.txt_ItnName},
                 {"STATES COVERED CANNOT BE BLANK....", [&] { typeInto(w.txt_ItnName, "kerala"); }, w.txt_States},
                 {"DESCRIPTION COVERED CANNOT BE BLANK....", [&] { typeInto(w.txt_States, "KERALA"); }, w.txt_Desc},
                 {"PLACES COVERED CANNOT BE BLANK....", [&] { typeInto(w.txt_Desc, "HOUSEBOAT"); }, w.txt_Places},
                 {"NO OF NIGHTS CANNOT BE ZERO OR BLANK...", [&] { typeInto(w.txt_Places, "ALLEPPEY"); }, w.txt_Nights},
                 {"NO OF NIGHTS CANNOT BE ZERO OR BLANK...", [&] { typeInto(w.txt_Nights, "0"); }, w.txt_Nights}},
                [&] { QTest::keyClick(w.txt_ItnName, Qt::Key_F3); }),
            QString());
        typeInto(w.txt_Nights, "3");
        const QString hostile = "O'Brien's \"tour\" — Kovalam ✓\nline two";
        w.note("ITN_INCL")->setPlainText(hostile);
        w.note("ITN_HOTELTOUSE")->setPlainText("HOTEL A");
        f.yes(false);
        w.pressTool(3);
        QCOMPARE(
            f.prompter.texts(),
            QStringList{" YOU ARE ABOUT TO UPDATE ITINERARY ....\n NAME : KERALA\n STATES : KERALA\n DESCRIPTION : "
                        "HOUSEBOAT\n PLACES : ALLEPPEY\n DURATION : 3 N / 4 D\n ARE YOU SURE WANT TO PROCEED (Y/N) ?"});
        QCOMPARE(counter(f.db(), "ITNHD"), 0);
        f.yes();
        w.pressTool(3);
        QCOMPARE(f.prompter.texts().last(), " CODE : 1\nITINERARY UPDATION SUCCESSFULLY DONE ....");
        const QString head =
            "SELECT ITN_DOCNO, ITN_NAME, ITN_STATE, ITN_PLACES, ITN_DESC, ITN_NIGHT, ITN_DAYS, "
            "ITN_DURATION, ACTIVE, CREATED_BY, UPDATE_BY FROM M_TBL_ITINERARY_HEADER";
        QCOMPARE(lines(f.db(), head),
                 QStringList{"1|KERALA|KERALA|ALLEPPEY|HOUSEBOAT|3|4|3 N / 4 D|Y|ADMINISTRATOR|ADMINISTRATOR"});
        QCOMPARE(count(f.db(), "M_TBL_ITINERARY_NOTES", "ITN_DOCNO=1"), 11);
        QCOMPARE(f.noteRows(1), (QStringList{"ITN_HOTELTOUSE|HOTEL A", "ITN_INCL|" + hostile}));

        // Again under its number by another user: a note gone meanwhile is written again, the
        // header keeps who created it.
        f.db().exec("DELETE FROM M_TBL_ITINERARY_NOTES WHERE ITN_NOTE_CODE='ITN_HOTELTOUSE'");
        f.ts.session.userFullName = "MEENA";
        typeInto(w.txt_ItnName, "KERALA GRAND");
        choose(w.Cmb_Active, "N");
        w.note("ITN_BANK")->setPlainText("SBI");
        f.yes();
        w.pressTool(3);
        QCOMPARE(lines(f.db(), head),
                 QStringList{"1|KERALA GRAND|KERALA|ALLEPPEY|HOUSEBOAT|3|4|3 N / 4 D|N|ADMINISTRATOR|MEENA"});
        QCOMPARE(f.noteRows(1), (QStringList{"ITN_BANK|SBI", "ITN_HOTELTOUSE|HOTEL A", "ITN_INCL|" + hostile}));
        QCOMPARE(counter(f.db(), "ITNHD"), 1);

        // A header deleted on another workstation is reported, never written again.
        f.db().exec("DELETE FROM M_TBL_ITINERARY_HEADER");
        f.yes();
        w.pressTool(3);
        QCOMPARE(f.prompter.texts().last(), QString(kChangedByAnotherUser));
        QCOMPARE(count(f.db(), "M_TBL_ITINERARY_HEADER"), 0);

        QCOMPARE(checkAtomic(
                     f.prompter, f.db(), kItnTables, " CODE : 2\nITINERARY UPDATION SUCCESSFULLY DONE ....",
                     [&] {
                         w.Load_Init();
                         for (QLineEdit* e : {w.txt_ItnName, w.txt_States, w.txt_Desc, w.txt_Places})
                             e->setText("GOA 'Ö' \"X\"");
                         w.txt_Nights->setText("2");
                         w.note("ITN_EXCL")->setPlainText("FLIGHTS");
                     },
                     [&] { w.Save_Record(); }),
                 QString());
        QCOMPARE(w.lbl_ItnNo->text() + " " + w.note("ITN_EXCL")->toPlainText(), "2 FLIGHTS");
        QCOMPARE(lines(f.db(), "SELECT ITN_NAME, ITN_PLACES FROM M_TBL_ITINERARY_HEADER WHERE ITN_DOCNO=2"),
                 QStringList{"GOA 'Ö' \"X\"|GOA 'Ö' \"X\""});
    }

    void headerOpensItsWindowsByName() {
        Fixture f;
        WindowRegistry registry;
        registerItineraryWindows(registry);
        f.ts.session.windows = &registry;
        f.header(1, "KERALA");
        f.days(1, {"1:1:COCHIN"});
        frm_Itinerary_Header w(f.ts.session, nullptr);
        QVERIFY(showActive(w));
        QVERIFY(!w.pressTool(5) && !w.pressTool(6));  // nothing stored yet to add lines to
        w.pressTool(4);
        auto* search = openedWindow<frm_SearchItinerary>("frm_SearchItinerary");
        QVERIFY(search);
        typeEnter(search->txt_Search, "K%");
        enterOn(search->Grid1, 0, 2);
        QCOMPARE(w.lbl_ItnNo->text() + " " + w.txt_ItnName->text(), "1 KERALA");
        QCOMPARE(w.Grid1->rowCount(), 1);

        w.pressTool(5);
        auto* details = openedWindow<ItineraryDayEditor>("frm_Itinerary_Details");
        QVERIFY(details);
        QCOMPARE(details->lbl_ItnCode->text(), "1");
        f.enterLine(*details, "2", "2", "MUNNAR", "HILLS");
        QCOMPARE(w.Grid1->rowCount(), 2);  // the header read its lines again
        details->close();
        w.pressTool(6);
        auto* import = openedWindow<frm_Itinerary_Import>("frm_Itinerary_Import");
        QVERIFY(import);
        QCOMPARE(import->lbl_TrgItnNo->text() + " " + import->lbl_TrgName->text(), "1 KERALA");
        import->close();
    }

    void standardLinesAddReplaceDelete() {
        Fixture f;
        f.header(1, "KERALA");
        ItineraryDayEditor w(DayEditorConfig::standard(), f.ts.session, nullptr, {{{"ITN_DOCNO", 1}}, f.pick});
        QVERIFY(showActive(w));
        QCOMPARE(checkInOrder(
                     f.prompter, f.db(), kItnTables,
                     {{"ENTER SERIAL NO PROPERLY....", [&] { typeInto(w.txt_SlNO, "0"); }, w.txt_SlNO},
                      {"ENTER DAY NO PROPERLY, IT CANNOT BE BLANK ...", [&] { typeInto(w.txt_SlNO, "1"); }, w.txt_Day},
                      {"PLEASE ENTER PLACES TO BE COVERED ....", [&] { typeInto(w.txt_Day, "1"); }, w.txt_Place},
                      {"DISTANCE CANNOT BLANK....", [&] { typeInto(w.txt_Place, "COCHIN"); }, w.txt_Dist},
                      {"TIME CANNOT BLANK....", [&] { typeInto(w.txt_Dist, "40"); }, w.txt_Time},
                      {"DESCRIPTION CANNOT BE BLANK...", [&] { typeInto(w.txt_Time, "1.5"); }, w.txt_Desc}},
                     [&] { QTest::keyClick(w.txt_SlNO, Qt::Key_F3); }),
                 QString());
        f.enterLine(w, "1", "1", "COCHIN", "ARRIVE", true);
        QCOMPARE(f.prompter.texts(),
                 (QStringList{
                     " ITINERARY CODE : 1\nYOU ARE ABOUT TO UPDATE ITINERARY DETAILS ....\n SERIAL NO : 1\n DAY : 1\n"
                     " PLACES TO VIST : COCHIN\n DISTANCE : 40\n TIME : 1.5\n ARE YOU SURE WANT TO PROCEED (Y/N) ?",
                     kLineSaved}));
        f.enterLine(w, "3", "2", "MUNNAR", "HILLS");
        f.ts.session.userFullName = "MEENA";
        f.enterLine(w, "1", "1", "ERNAKULAM", "CITY", true);  // the same serial replaces its line
        QCOMPARE(f.lineRows(1), (QStringList{"1|1|ERNAKULAM|40|Y|1.5|N|CITY|ADMINISTRATOR|MEENA",
                                             "3|2|MUNNAR|40|N|1.5|N|HILLS|ADMINISTRATOR|ADMINISTRATOR"}));
        QCOMPARE(w.Grid1->rowCount(), 2);

        w.pressTool(2);
        f.yes();
        w.pressTool(4);
        QCOMPARE(f.prompter.texts(), QStringList{"KINDLY SELECT RECORD PROPERLY FROM THE GRID...."});
        enterOn(w.Grid1, 1, 2);
        QCOMPARE(w.txt_Place->text(), "MUNNAR");
        typeInto(w.txt_SlNO, "1");  // the loaded line is deleted, not the one typed
        f.yes();
        w.pressTool(4);
        QCOMPARE(
            f.prompter.texts(),
            (QStringList{"YOU ARE ABOUT TO DELETE ITINERARY DETAILS ....\n SERIAL NO : 3\n DAY : 2\n PLACES TO VIST : "
                         "MUNNAR\n DISTANCE : 40\n TIME : 1.5\n ARE YOU SURE WANT TO PROCEED (Y/N) ?",
                         "DELETION OF ITINERARY DETAILS SUCCESSFULLY DONE .... "}));
        QCOMPARE(f.lineRows(1).size(), 1);
        QCOMPARE(w.Grid1->rowCount(), 1);
        QCOMPARE(f.picks, (QStringList{"1", "1", "1", "1"}));
    }

    void quotationCopyChangesExistingKeysOnly() {
        Fixture f;
        f.quotation(7);
        f.days(1, {"1:1:COCHIN", "2:1:FORT", "5:3:MUNNAR"}, 7);  // a copy with a gap in its serials
        f.days(1, {"5:3:MUNNAR"}, 8);
        ItineraryDayEditor w(DayEditorConfig::quotation(), f.ts.session, nullptr,
                             {{{"ITN_DOCNO", 1}, {"QUOT_NO", 7}}, f.pick});
        QVERIFY(showActive(w));
        QCOMPARE(w.Grid1->rowCount(), 3);
        w.txt_Day->setText("3");
        w.txt_Place->setText("münnar 'tea'");
        w.txt_Dist->setText("120");
        w.txt_Time->setText("4");
        w.txt_Desc->setPlainText("TEA GARDENS");
        QCOMPARE(checkInOrder(f.prompter, f.db(), {"M_TBL_ITINERARY_DETAILS_QUOTE"},
                              {{"Sorry SLNO Cannot Exceed 5", [&] { w.txt_SlNO->setText("6"); }, w.txt_SlNO},
                               {"Sorry SLNO 3 Is Not Present In This Quotation's Itinerary",
                                [&] { w.txt_SlNO->setText("3"); }, w.txt_SlNO}},
                              [&] { w.pressTool(3); }),
                 QString());
        w.txt_SlNO->setText("5");
        f.yes();
        w.pressTool(3);
        QCOMPARE(f.prompter.texts().first().section('\n', 1, 1), "YOU ARE ABOUT TO MODIFY ITINERARY DETAILS ....");
        QCOMPARE(f.prompter.texts().last(), kLineSaved);
        QCOMPARE(f.lineRows(1, "M_TBL_ITINERARY_DETAILS_QUOTE", "AND QUOT_NO=7"),
                 (QStringList{"1|1|COCHIN|10|Y|1|N|DAY|SEED|", "2|1|FORT|10|Y|1|N|DAY|SEED|",
                              "5|3|MÜNNAR 'TEA'|120|N|4|N|TEA GARDENS|SEED|ADMINISTRATOR"}));
        QCOMPARE(f.lineRows(1, "M_TBL_ITINERARY_DETAILS_QUOTE", "AND QUOT_NO=8"),
                 QStringList{"5|3|MUNNAR|10|Y|1|N|DAY|SEED|"});
        QCOMPARE(f.picks, QStringList{"7"});

        // The line goes while the question is open: the update changes nothing and says so.
        w.Show_Line(2);
        f.yes();
        f.prompter.onQuestion = [&] { f.db().exec("DELETE FROM M_TBL_ITINERARY_DETAILS_QUOTE WHERE ITN_SLNO=2"); };
        w.pressTool(3);
        QCOMPARE(f.prompter.texts().last(), QString(kChangedByAnotherUser));
        QCOMPARE(count(f.db(), "M_TBL_ITINERARY_DETAILS_QUOTE", "QUOT_NO=7"), 2);
        QCOMPARE(f.picks, QStringList{"7"});
    }

    void importReplacesTargetAllOrNothing() {
        Fixture f;
        f.header(1, "TARGET");
        f.header(2, "SOURCE");
        f.header(3, "NO LINES");
        f.days(1, {"1:1:GOA", "2:2:PANAJI"});
        f.days(2, {"1:1:COCHIN", "2:1:FORT", "4:2:MUNNAR"});
        f.note(1, "ITN_INCL", "TARGET MEALS");
        f.note(1, "ITN_EXCL", "TARGET FLIGHTS");
        f.note(2, "ITN_INCL", "SOURCE MEALS");
        f.note(2, "ITN_BANK", "SOURCE BANK");
        f.note(3, "ITN_INCL", "ONLY NOTES");
        frm_Itinerary_Import w(f.ts.session, nullptr, {{{"ITN_DOCNO", 1}}, f.pick});
        QVERIFY(showActive(w));
        const auto import = [&] { QTest::mouseClick(w.Cmd_Import, Qt::LeftButton); };
        QCOMPARE(
            checkInOrder(f.prompter, f.db(), kItnTables,
                         {{"PLEASE ENTER ITINERARY CODE PROPERLY....", {}, w.txt_ItnDocNO},
                          {"CANNOT PROCEED AS BOTH THE ITINERARY ARE SAME ....", [&] { w.txt_ItnDocNO->setText("1"); }},
                          {"CANNOT PROCEED AS ITINERARY NOT PRESENT ...", [&] { w.txt_ItnDocNO->setText("3"); }},
                          {"CANNOT PROCEED AS ITINERARY NOT PRESENT ...", [&] { w.txt_ItnDocNO->setText("99"); }}},
                         import),
            QString());

        const QStringList targetLines = f.lineRows(1);
        typeEnter(w.txt_ItnDocNO, "2");
        QCOMPARE(w.lbl_SrcName->text() + " " + w.lbl_SrcDuration->text(), "SOURCE 2 N / 3 D");
        w.Chk_Details->setChecked(false);
        f.yes();
        import();
        QCOMPARE(
            f.prompter.texts(),
            (QStringList{" YOU ARE ABOUT TO IMPORT ITINERARY DETAILS FROM ... \n ITINERARY NO : 2\n ITINERARY NAME : "
                         "SOURCE\n ITINERARY DURATION : 2 N / 3 D\n THIS MIGHT OVERWRITE ALREADY PRESENT "
                         "ITINERARY.... \n ARE YOU SURE WANT TO PROCEED (Y/N) ?",
                         kImported}));
        QCOMPARE(f.lineRows(1), targetLines);  // notes only: the lines stay
        QCOMPARE(f.noteRows(1), (QStringList{"ITN_BANK|SOURCE BANK", "ITN_INCL|SOURCE MEALS"}));

        QCOMPARE(checkAtomic(
                     f.prompter, f.db(), kItnTables, kImported,
                     [&] {
                         w.Chk_Details->setChecked(true);
                         w.Chk_Notes->setChecked(true);
                         w.txt_ItnDocNO->setText("2");
                     },
                     import),
                 QString());
        QCOMPARE(f.lineRows(1), (QStringList{"1|1|COCHIN|10|Y|1|N|DAY|ADMINISTRATOR|ADMINISTRATOR",
                                             "2|1|FORT|10|Y|1|N|DAY|ADMINISTRATOR|ADMINISTRATOR",
                                             "4|2|MUNNAR|10|Y|1|N|DAY|ADMINISTRATOR|ADMINISTRATOR"}));
        QCOMPARE(f.lineRows(2).size(), 3);
        QCOMPARE(w.lbl_Msg->text(), kImported);
        QCOMPARE(f.picks, (QStringList{"1", "1"}));
    }

    void quotationNoteWrittenWhetherOrNotItExisted() {
        Fixture f;
        f.quotation(7);
        f.db().exec("INSERT INTO M_TBL_ITINERARY_NOTES_QUOTE VALUES (1, 7, 'ITN_INCL', 'OLD')");
        frm_BusinessLeads_ModNotes w(f.ts.session, nullptr,
                                     {{{"QUOT_NO", 7}, {"ITN_DOCNO", 1}, {"NOTE_CODE", "ITN_EXCL"}}, f.pick});
        QVERIFY(showActive(w));
        const auto notes = [&] {
            return lines(f.db(), "SELECT ITN_NOTE_CODE, LENGTH(ITN_NOTE) FROM M_TBL_ITINERARY_NOTES_QUOTE ORDER BY 1");
        };
        QCOMPARE(checkInOrder(
                     f.prompter, f.db(), {"M_TBL_ITINERARY_NOTES_QUOTE"},
                     {{"UNABLE TO PROCEED AS NOTE AS BLANK ....", [&] { w.txt_Note->setPlainText("  "); }, w.txt_Note},
                      {"UNABLE TO PROCEED AS CHARACTERS EXCEED 5000 ....",
                       [&] { w.txt_Note->setPlainText(QString(5001, 'x')); }, w.txt_Note}},
                     [&] { w.pressTool(3); }),
                 QString());
        w.txt_Note->setPlainText(QString(4999, 'x') + "Ü");
        f.yes();
        w.pressTool(3);
        QCOMPARE(f.prompter.texts(),
                 (QStringList{"YOU ARE ABOUT UPDATE THE NOTES ... \n ARE YOU SURE WANT TO PROCEED WITH "
                              "UPDATION (Y/N) ?",
                              "Updation of Notes Successfully Done ..."}));
        QCOMPARE(notes(), (QStringList{"ITN_EXCL|5000", "ITN_INCL|3"}));

        frm_BusinessLeads_ModNotes incl(f.ts.session, nullptr,
                                        {{{"QUOT_NO", 7}, {"ITN_DOCNO", 1}, {"NOTE_CODE", "ITN_INCL"}}});
        QCOMPARE(incl.txt_Note->toPlainText(), "OLD");
        incl.txt_Note->setPlainText("MEALS 'ALL'");
        f.yes();
        incl.Save_Record();
        QCOMPARE(notes(), (QStringList{"ITN_EXCL|5000", "ITN_INCL|11"}));
        QCOMPARE(f.picks, QStringList{"7"});
    }

    // A quotation locked on another workstation while the question is open: neither its copy's
    // day line nor its note changes, and the editor says why.
    void lockedQuotationRefusesItsCopyAndNotes() {
        Fixture f;
        f.quotation(7);
        f.days(1, {"1:1:COCHIN", "2:2:MUNNAR"}, 7);
        f.db().exec("INSERT INTO M_TBL_ITINERARY_NOTES_QUOTE VALUES (1, 7, 'ITN_INCL', 'OLD')");
        const QStringList tables{"M_TBL_ITINERARY_DETAILS_QUOTE", "M_TBL_ITINERARY_NOTES_QUOTE"};
        ItineraryDayEditor day(DayEditorConfig::quotation(), f.ts.session, nullptr,
                               {{{"ITN_DOCNO", 1}, {"QUOT_NO", 7}}, f.pick});
        frm_BusinessLeads_ModNotes note(f.ts.session, nullptr,
                                        {{{"QUOT_NO", 7}, {"ITN_DOCNO", 1}, {"NOTE_CODE", "ITN_INCL"}}, f.pick});
        const std::pair<const char*, std::function<void()>> edits[] = {
            {"day line",
             [&] {
                 QVERIFY(showActive(day));
                 f.enterLine(day, "2", "2", "THEKKADY", "SPICES");
             }},
            {"note",
             [&] {
                 QVERIFY(showActive(note));
                 note.txt_Note->setPlainText("NEW");
                 f.yes();
                 note.pressTool(3);
             }},
        };
        for (const auto& [what, edit] : edits) {
            f.db().exec("UPDATE M_TBL_QUOTATION SET LCK_QUOT='N'");
            f.prompter.onQuestion = [&] { f.db().exec("UPDATE M_TBL_QUOTATION SET LCK_QUOT='Y'"); };
            const Footprint before = footprint(f.db(), tables);
            edit();
            QVERIFY2(f.prompter.texts().size() == 2, what);
            QCOMPARE(f.prompter.texts().last(), QString("CANNOT PROCEED, QUOTATION IS LOCKED ...."));
            QVERIFY2(footprint(f.db(), tables) == before, what);
        }
        QCOMPARE(f.picks, QStringList());
    }

    // Each option with the active filter, in name order; a quote in the text is no fault.
    void searchByEachOption() {
        Fixture f;
        f.header(1, "KERALA BACKWATERS", "Y", "KERALA", "HOUSEBOAT", "ALLEPPEY");
        f.header(2, "GOA BEACHES", "Y", "GOA", "SUN AND BEACH", "PANAJI");
        f.header(3, "KERALA HILLS", "N", "KERALA", "TEA", "MUNNAR");
        f.header(4, "O'NEIL'S TOUR", "Y", "DELHI", "CITY", "AGRA");
        const QStringList cases[] = {// option, text, active, codes found
                                     {"Opt_Name", "KERALA%", "Y", "1"},  {"Opt_Name", "KERALA%", "N", "3"},
                                     {"Opt_Name", "%", "Y", "2,1,4"},    {"Opt_Name", "O'N%", "Y", "4"},
                                     {"Opt_States", "KERALA", "Y", "1"}, {"Opt_Desc", "%BEACH%", "Y", "2"},
                                     {"Opt_Places", "%NAJ%", "Y", "2"},  {"Opt_Code", "2", "Y", "2"},
                                     {"Opt_Code", "3", "Y", ""},         {"Opt_Code", "%", "Y", ""}};
        for (const QStringList& c : cases) {
            f.picks.clear();
            frm_SearchItinerary w(f.ts.session, nullptr, {{}, f.pick});
            QVERIFY(showActive(w));
            QTest::mouseClick(w.findChild<QRadioButton*>(c[0]), Qt::LeftButton);
            choose(w.Cmb_Active, c[2]);
            typeEnter(w.txt_Search, c[1]);
            QStringList found;
            for (int r = 0; r < w.Grid1->rowCount(); ++r)
                found << w.Grid1->text(r, 6);
            QVERIFY2(found.join(',') == c[3], qPrintable(c.join(' ') + " found " + found.join(',')));
            if (!c[3].isEmpty()) {
                enterOn(w.Grid1, 0, 2);
                QCOMPARE(f.picks, QStringList{c[3].section(',', 0, 0)});
                QVERIFY(!w.isVisible());
            }
        }
    }

    void quotationCopyMadeOnceAndKeptApart() {
        Fixture f;
        f.quotation(7);
        f.days(1, {"1:1:COCHIN", "3:2:MUNNAR"});
        for (const ItineraryNote& n : kItineraryNotes)
            f.note(1, n.code, QString("%1 V1").arg(n.code));
        const auto copy = [&] {
            return f.lineRows(1, "M_TBL_ITINERARY_DETAILS_QUOTE", "AND QUOT_NO=7") +
                   f.noteRows(1, "M_TBL_ITINERARY_NOTES_QUOTE", "AND QUOT_NO=7");
        };
        const QStringList first{"1|1|COCHIN|10|Y|1|N|DAY|ADMINISTRATOR|ADMINISTRATOR",
                                "3|2|MUNNAR|10|Y|1|N|DAY|ADMINISTRATOR|ADMINISTRATOR", "ITN_EXCL|ITN_EXCL V1",
                                "ITN_HOTELTOUSE|ITN_HOTELTOUSE V1", "ITN_INCL|ITN_INCL V1"};
        copyItineraryToQuotation(f.db(), "ADMINISTRATOR", 1, 7);
        copyItineraryToQuotation(f.db(), "ADMINISTRATOR", 1, 7);  // a second save copies nothing more
        QCOMPARE(copy(), first);
        // Later changes to the standard itinerary stay out of the copy until it is made afresh.
        f.db().exec("UPDATE M_TBL_ITINERARY_DETAILS SET ITN_PLACE='KOCHI' WHERE ITN_SLNO=1");
        f.db().exec("UPDATE M_TBL_ITINERARY_NOTES SET ITN_NOTE='NEW' WHERE ITN_NOTE_CODE='ITN_INCL'");
        copyItineraryToQuotation(f.db(), "ADMINISTRATOR", 1, 7);
        QCOMPARE(copy(), first);
        QCOMPARE(deleteQuotationItinerary(f.db(), 1, 7), 2);
        copyItineraryToQuotation(f.db(), "ADMINISTRATOR", 1, 7);
        QCOMPARE(copy(), (QStringList{"1|1|KOCHI|10|Y|1|N|DAY|ADMINISTRATOR|ADMINISTRATOR", first[1], first[2],
                                      first[3], "ITN_INCL|NEW"}));
    }
};

QTEST_MAIN(tst_itinerary)
#include "tst_itinerary.moc"
