// Country, state and place maintenance: checks in order, the question, counters taken only
// with the row, the one default state, edits that keep the code and the creation stamp, names
// unique under their parent, and a save that is all or nothing.
#include "data/Numbering.h"
#include "masters/GeographyMaster.h"
#include "shell/kit/GridHelpers.h"
#include "support/Drive.h"
#include "support/SaveProtocol.h"
#include "support/TestSession.h"

#include <QLabel>

using namespace tarvic;
using namespace tarvic::test;

namespace {

const QStringList kTables{"M_TBL_CSP_COUNTRY", "M_TBL_CSP_STATE", "M_TBL_CSP_PLACE"};

// INDIA 1 (KERALA 1: KOCHI 1; GOA 2: PANAJI 2), NEPAL 2 (BAGMATI 3), the counters past them.
void seed(Database& db) {
    const QDateTime old(QDate(2024, 1, 5), QTime(10, 30, 0));
    db.exec("INSERT INTO M_TBL_CSP_COUNTRY (COUNTRY_CODE, COUNTRY_NAME) VALUES (1, 'INDIA'), (2, 'NEPAL')");
    db.exec(
        "INSERT INTO M_TBL_CSP_STATE (COUNTRY_CODE, STATE_CODE, STATE_NAME, STATE_CODE2, STATE_DEF, CREATED_BY, "
        "CREATED_ON) VALUES (1, 1, 'KERALA', '32', 'Y', 'FIRST USER', ?), (1, 2, 'GOA', '', 'N', NULL, NULL), "
        "(2, 3, 'BAGMATI', 'BG', 'Y', NULL, NULL)",
        {old});
    db.exec(
        "INSERT INTO M_TBL_CSP_PLACE (COUNTRY_CODE, STATE_CODE, PLACE_CODE, PLACE_NAME) VALUES "
        "(1, 1, 1, 'KOCHI'), (1, 2, 2, 'PANAJI')");
    Numbering(db).Upd_Counter("COUNTRY", 2);
    Numbering(db).Upd_Counter("STATE", 3);
    Numbering(db).Upd_Counter("PLACE", 2);
}

void chooseIn(QComboBox* list, const QString& text) {
    list->setFocus();
    list->lineEdit()->selectAll();
    QTest::keyClicks(list, text);
}

void clickRow(QTableWidget* g, int row) {
    clickCell(g, row, 1);
}

void save(TestSession& ts, GeographyMaster& w, bool answer = true) {
    ts.prompter.clear();
    ts.prompter.answers = {answer};
    QTest::keyClick(&w, Qt::Key_F3);
}

}  // namespace

class tst_geography_windows : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void countryAddedEditedAndAllOrNothing() {
        TestSession ts;
        Database& db = ts.db();
        frm_CSP_Country w(ts.session);
        QVERIFY(showActive(w));
        QCOMPARE(checkInOrder(ts.prompter, db, kTables,
                              {{"COUNTRY NAME CANNOT BE BLANK ....", [&] { typeInto(w.txt_Name, "   "); }, w.txt_Name}},
                              [&] { QTest::keyClick(&w, Qt::Key_F3); }),
                 QString());

        typeInto(w.txt_Name, "  Sri Lanka ");
        save(ts, w);
        typeInto(w.txt_Name, "BHUTAN");
        save(ts, w);
        QCOMPARE(ts.prompter.texts(), QStringList{"UPDATION OF COUNTRY SUCCESSFULLY DONE ...."});
        QCOMPARE(db.scalar("SELECT COUNTRY_NAME FROM M_TBL_CSP_COUNTRY WHERE COUNTRY_CODE=1").toString(), "Sri Lanka");
        QCOMPARE(counter(db, "COUNTRY"), 2);
        QCOMPARE(column(w.Grid1->model(), 1), QStringList({"BHUTAN", "Sri Lanka"}));
        QCOMPARE(column(w.Grid1->model(), 2), QStringList({"2", "1"}));

        // A row chosen from the grid is updated under its own code, its own name allowed.
        clickRow(w.Grid1, 1);
        QCOMPARE(w.lbl_Code->text(), "1");
        typeInto(w.txt_Name, "SRI LANKA");
        save(ts, w);
        QCOMPARE(count(db, "M_TBL_CSP_COUNTRY"), 2);
        QCOMPARE(db.scalar("SELECT COUNTRY_NAME FROM M_TBL_CSP_COUNTRY WHERE COUNTRY_CODE=1").toString(), "SRI LANKA");
        QCOMPARE(counter(db, "COUNTRY"), 2);

        // Whichever statement fails, neither the number nor the row is kept, nor the typing lost.
        QCOMPARE(checkAtomic(
                     ts.prompter, db, kTables, "UPDATION OF COUNTRY SUCCESSFULLY DONE ....",
                     [&] {
                         QTest::keyClick(&w, Qt::Key_F2);
                         typeInto(w.txt_Name, "NEPAL");
                     },
                     [&] { QTest::keyClick(&w, Qt::Key_F3); }),
                 QString());
        QCOMPARE(db.scalar("SELECT COUNTRY_CODE FROM M_TBL_CSP_COUNTRY WHERE COUNTRY_NAME='NEPAL'").toInt(), 3);

        // A shown row deleted on another workstation is reported, never created again.
        w.Load_Grid1();  // (the try that succeeded had its reload refused)
        clickRow(w.Grid1, 0);
        db.exec("DELETE FROM M_TBL_CSP_COUNTRY WHERE COUNTRY_CODE=2");
        save(ts, w);
        QCOMPARE(ts.prompter.texts(), QStringList{kChangedByAnotherUser});
        QCOMPARE(count(db, "M_TBL_CSP_COUNTRY"), 2);
    }

    void stateQuestionOneDefaultAndKeptStamp() {
        TestSession ts;
        Database& db = ts.db();
        seed(db);
        frm_CSP_State w(ts.session);
        QVERIFY(showActive(w));
        QCOMPARE(checkInOrder(ts.prompter, db, kTables,
                              {{"PLEASE COUNTRY PROPERLY FROM LIST ....", [&] { chooseIn(w.Cmb_Country, "ITALY"); },
                                w.Cmb_Country},
                               {"PLEASE ENTER STATE PROPERLY ....",
                                [&] {
                                    chooseIn(w.Cmb_Country, "INDIA");
                                    typeInto(w.txt_Name, " ");
                                },
                                w.txt_Name}},
                              [&] { QTest::keyClick(&w, Qt::Key_F3); }),
                 QString());

        typeInto(w.txt_Name, " Sikkim ");
        typeInto(w.txt_StateCode, "sk11");
        w.Cmb_Def->setCurrentIndex(1);
        save(ts, w, false);
        QCOMPARE(ts.prompter.texts(),
                 QStringList({" YOU ARE ABOUT TO UPDATE STATE ....\n COUNTRY :INDIA\n STATE : Sikkim\n"
                              " TAX CODE : SK11\n DEFAULT : Y\n ARE YOU SURE WANT TO PROCEED (Y/N) ?"}));
        QCOMPARE(count(db, "M_TBL_CSP_STATE"), 3);
        QCOMPARE(counter(db, "STATE"), 3);

        // Yes with default Y: the new state is the only default, whatever the country.
        save(ts, w);
        QCOMPARE(ts.prompter.texts().last(), "UPDATION OF STATE SUCCESSFULLY DONE ....");
        QCOMPARE(count(db, "M_TBL_CSP_STATE",
                       "COUNTRY_CODE=1 AND STATE_CODE=4 AND STATE_CODE2='SK11' AND "
                       "CREATED_BY='ADMINISTRATOR'"),
                 1);
        QCOMPARE(db.scalar("SELECT STATE_NAME FROM M_TBL_CSP_STATE WHERE STATE_DEF='Y'").toString(), "Sikkim");
        QCOMPARE(column(w.Grid1->model(), 1), QStringList({"GOA", "KERALA", "Sikkim"}));
        QCOMPARE(column(w.Grid1->model(), 4), QStringList({"N", "N", "Y"}));

        // KERALA from the grid: same code, creation stamp kept, now the default.
        clickRow(w.Grid1, 1);
        QCOMPARE(w.txt_StateCode->text(), "32");
        QCOMPARE(w.lbl_CreatedByOn->text(), "FIRST USER - 05/01/2024 10:30:00");
        typeInto(w.txt_Name, "KERALAM");
        w.Cmb_Def->setCurrentIndex(1);
        save(ts, w);
        QCOMPARE(count(db, "M_TBL_CSP_STATE",
                       "STATE_CODE=1 AND STATE_NAME='KERALAM' AND CREATED_BY='FIRST USER' AND "
                       "UPDATE_BY='ADMINISTRATOR' AND STATE_DEF='Y'"),
                 1);
        QCOMPARE(count(db, "M_TBL_CSP_STATE", "STATE_DEF='Y'"), 1);
        QCOMPARE(gridText(w.Grid1, 1, 5), "FIRST USER - 05/01/2024 10:30:00");
        QCOMPARE(counter(db, "STATE"), 4);

        // A state loaded and then moved to another country becomes a new state, never a
        // second row under the old code.
        clickRow(w.Grid1, 0);
        QCOMPARE(w.lbl_Code->text(), "2");
        chooseIn(w.Cmb_Country, "NEPAL");
        QCOMPARE(w.lbl_Code->text(), QString());
        QCOMPARE(column(w.Grid1->model(), 1), QStringList({"BAGMATI"}));
    }

    void placeChecksQuestionAndSave() {
        TestSession ts;
        Database& db = ts.db();
        seed(db);
        frm_CSP_Place w(ts.session);
        QVERIFY(showActive(w));
        QCOMPARE(checkInOrder(ts.prompter, db, kTables,
                              {{"PLEASE SELECT COUNTRY FROM THE LIST ....", [&] { typeInto(w.txt_Name, "MUNNAR"); }},
                               {"PLEASE SELECT STATE FROM THE LIST ....", [&] { chooseIn(w.Cmb_Country, "INDIA"); }},
                               {"PLEASE ENTER PLACE NAME PROPERLY ....",
                                [&] {
                                    chooseIn(w.Cmb_State, "KERALA");
                                    w.txt_Name->clear();
                                },
                                w.txt_Name}},
                              [&] { QTest::keyClick(&w, Qt::Key_F3); }),
                 QString());
        typeInto(w.txt_Name, "Munnar ");
        save(ts, w, false);
        QCOMPARE(ts.prompter.texts(),
                 QStringList({" YOU ARE ABOUT TO UPDATE PLACE .... \n COUNTRY : INDIA\n STATE : KERALA\n"
                              " PLACE : Munnar\n ARE YOU SURE WANT TO PROCEED (Y/N ?"}));
        QCOMPARE(counter(db, "PLACE"), 2);
        save(ts, w);
        QCOMPARE(ts.prompter.texts().last(), "UPDATION OF PLACE SUCCESSFULLY DONE ....");
        QCOMPARE(
            count(db, "M_TBL_CSP_PLACE", "COUNTRY_CODE=1 AND STATE_CODE=1 AND PLACE_CODE=3 AND PLACE_NAME='Munnar'"),
            1);
        QCOMPARE(column(w.Grid1->model(), 1), QStringList({"KOCHI", "Munnar"}));
        QCOMPARE(w.txt_Name->text(), QString());

        clickRow(w.Grid1, 1);
        typeInto(w.txt_Name, "MUNNAR");
        save(ts, w);
        QCOMPARE(count(db, "M_TBL_CSP_PLACE"), 3);
        QCOMPARE(count(db, "M_TBL_CSP_PLACE", "PLACE_CODE=3 AND PLACE_NAME='MUNNAR'"), 1);
        chooseIn(w.Cmb_State, "GOA");
        QCOMPARE(column(w.Grid1->model(), 1), QStringList({"PANAJI"}));
    }

    // A name already under the same parent is refused whatever its case and blanks; the same
    // name under another parent is a row of its own.
    void nameUniqueUnderItsParent() {
        struct Case {
            int level;
            QStringList parents;
            QString name, refusal;
        };
        for (const Case& c : {Case{0, {}, " india ", "COUNTRY NAME ALREADY EXISTS ...."},
                              Case{1, {"INDIA"}, "Goa", "STATE NAME ALREADY EXISTS IN THIS COUNTRY ...."},
                              Case{1, {"NEPAL"}, "GOA", {}},
                              Case{2, {"INDIA", "KERALA"}, "kochi", "PLACE NAME ALREADY EXISTS IN THIS STATE ...."},
                              Case{2, {"INDIA", "GOA"}, "KOCHI", {}}}) {
            TestSession ts;
            seed(ts.db());
            std::unique_ptr<GeographyMaster> w;
            if (c.level == 0)
                w = std::make_unique<frm_CSP_Country>(ts.session);
            else if (c.level == 1)
                w = std::make_unique<frm_CSP_State>(ts.session);
            else
                w = std::make_unique<frm_CSP_Place>(ts.session);
            QVERIFY(showActive(*w));
            for (int i = 0; i < c.parents.size(); ++i)
                chooseIn(i ? w->Cmb_State : w->Cmb_Country, c.parents.at(i));
            typeInto(w->txt_Name, c.name);
            const QString table = w->level().source.table;
            const qint64 before = count(ts.db(), table);
            save(ts, *w);
            QCOMPARE(ts.prompter.texts().last(), c.refusal.isEmpty() ? w->level().savedMessage : c.refusal);
            QCOMPARE(count(ts.db(), table), before + (c.refusal.isEmpty() ? 1 : 0));
            if (!c.refusal.isEmpty())
                QCOMPARE(QApplication::focusWidget(), w->txt_Name);
        }
    }
};

QTEST_MAIN(tst_geography_windows)
#include "tst_geography_windows.moc"
