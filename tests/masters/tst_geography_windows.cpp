// Country, state and place maintenance driven as a user would: checks and their order,
// the question, counters taken only after Yes, the one default state, edits that keep the
// code and the creation stamp, and a failed save that keeps nothing.
#include "support/Drive.h"
#include "data/Numbering.h"
#include "masters/GeographyMaster.h"
#include "shell/kit/GridHelpers.h"
#include "support/TestSession.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

using namespace tarvic;
using namespace tarvic::test;

namespace {

QStringList gridColumn(QTableWidget* g, int c) {
    QStringList out;
    for (int r = 0; r < g->rowCount(); ++r)
        out << gridText(g, r, c);
    return out;
}

void clickRow(QTableWidget* g, int row) {
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(g->model()->index(row, 1)).center());
}

void chooseIn(QComboBox* list, const QString& text) {
    list->setFocus();
    list->lineEdit()->selectAll();
    QTest::keyClicks(list, text);
}

}  // namespace

class tst_geography_windows : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void countryAddedEditedAndRefused() {
        TestSession ts;
        Database& db = ts.db();
        frm_CSP_Country w(ts.session);
        QVERIFY(showActive(w));

        typeInto(w.txt_Name, "   ");
        QTest::keyClick(&w, Qt::Key_F3);
        QCOMPARE(ts.prompter.texts(), QStringList({"COUNTRY NAME CANNOT BE BLANK ...."}));
        QCOMPARE(QApplication::focusWidget(), w.txt_Name);
        QCOMPARE(counter(db, "COUNTRY"), 0);

        ts.prompter.clear();
        typeInto(w.txt_Name, "  Sri Lanka ");
        QTest::keyClick(&w, Qt::Key_F3);
        typeInto(w.txt_Name, "BHUTAN");
        QTest::keyClick(&w, Qt::Key_F3);
        QCOMPARE(ts.prompter.texts(), QStringList({"UPDATION OF COUNTRY SUCCESSFULLY DONE ....",
                                                   "UPDATION OF COUNTRY SUCCESSFULLY DONE ...."}));
        QCOMPARE(db.scalar("SELECT COUNTRY_NAME FROM M_TBL_CSP_COUNTRY WHERE COUNTRY_CODE=1").toString(), QStringLiteral("Sri Lanka"));
        QCOMPARE(counter(db, "COUNTRY"), 2);
        QCOMPARE(w.lbl_Code->text(), QString());
        QCOMPARE(gridColumn(w.Grid1, 1), QStringList({"BHUTAN", "Sri Lanka"}));
        QCOMPARE(gridColumn(w.Grid1, 2), QStringList({"2", "1"}));

        // A row chosen from the grid is updated under its own code.
        clickRow(w.Grid1, 1);
        QCOMPARE(w.lbl_Code->text(), QStringLiteral("1"));
        QCOMPARE(w.txt_Name->text(), QStringLiteral("Sri Lanka"));
        typeInto(w.txt_Name, "SRI LANKA");
        QTest::keyClick(&w, Qt::Key_F3);
        QCOMPARE(db.scalar("SELECT COUNT(*) FROM M_TBL_CSP_COUNTRY").toInt(), 2);
        QCOMPARE(db.scalar("SELECT COUNTRY_NAME FROM M_TBL_CSP_COUNTRY WHERE COUNTRY_CODE=1").toString(), QStringLiteral("SRI LANKA"));
        QCOMPARE(counter(db, "COUNTRY"), 2);

        // A save the database refuses keeps neither the number nor the row, nor loses the typing.
        ts.prompter.clear();
        QTest::keyClick(&w, Qt::Key_F2);
        typeInto(w.txt_Name, "NEPAL");
        db.failStatement(db.dialect().isSqlite() ? 5 : 3);  // the insert, after the number and the look-up
        QTest::keyClick(&w, Qt::Key_F3);
        QCOMPARE(ts.prompter.messages.size(), 1);
        QCOMPARE(ts.prompter.texts().first(), QStringLiteral("Statement refused (injected failure)"));
        QCOMPARE(w.txt_Name->text(), QStringLiteral("NEPAL"));
        QCOMPARE(w.lbl_Code->text(), QString());
        QCOMPARE(db.scalar("SELECT COUNT(*) FROM M_TBL_CSP_COUNTRY").toInt(), 2);
        QCOMPARE(counter(db, "COUNTRY"), 2);
        db.failStatement(0);
        QTest::keyClick(&w, Qt::Key_F3);
        QCOMPARE(db.scalar("SELECT COUNTRY_CODE FROM M_TBL_CSP_COUNTRY WHERE COUNTRY_NAME='NEPAL'").toInt(), 3);
        shoot(w, "frm_CSP_Country");
    }

    void stateChecksQuestionAndOneDefault() {
        TestSession ts;
        Database& db = ts.db();
        const QDateTime old(QDate(2024, 1, 5), QTime(10, 30, 0));
        db.exec("INSERT INTO M_TBL_CSP_COUNTRY (COUNTRY_CODE, COUNTRY_NAME) VALUES (1, 'INDIA'), (2, 'NEPAL')");
        db.exec("INSERT INTO M_TBL_CSP_STATE (COUNTRY_CODE, STATE_CODE, STATE_NAME, STATE_CODE2, STATE_DEF, CREATED_BY, "
                "CREATED_ON, UPDATE_BY, UPDATE_ON) VALUES (1, 1, 'KERALA', '32', 'Y', 'FIRST USER', ?, 'FIRST USER', ?), "
                "(2, 2, 'BAGMATI', 'BG', 'Y', 'FIRST USER', ?, 'FIRST USER', ?)",
                {old, old, old, old});
        Numbering(db).Upd_Counter("STATE", 2);

        frm_CSP_State w(ts.session);
        QVERIFY(showActive(w));
        QCOMPARE(w.Cmb_Country->count(), 2);

        // A typed country that matches none leaves the code blank: the save stops there.
        chooseIn(w.Cmb_Country, "ITALY");
        QCOMPARE(w.Cmb_Country->code(), QString());
        typeInto(w.txt_Name, "GOA");
        QTest::keyClick(&w, Qt::Key_F3);
        QCOMPARE(ts.prompter.texts(), QStringList({"PLEASE COUNTRY PROPERLY FROM LIST ...."}));
        QCOMPARE(QApplication::focusWidget(), w.Cmb_Country);

        ts.prompter.clear();
        chooseIn(w.Cmb_Country, "INDIA");
        QCOMPARE(w.Cmb_Country->code(), QStringLiteral("1"));
        QCOMPARE(gridColumn(w.Grid1, 1), QStringList({"KERALA"}));
        typeInto(w.txt_Name, " ");
        QTest::keyClick(&w, Qt::Key_F3);
        QCOMPARE(ts.prompter.texts(), QStringList({"PLEASE ENTER STATE PROPERLY ...."}));
        QCOMPARE(QApplication::focusWidget(), w.txt_Name);

        // No: nothing written, no number taken.
        ts.prompter.clear();
        typeInto(w.txt_Name, " Goa ");
        typeInto(w.txt_StateCode, "ga30");
        QCOMPARE(w.txt_StateCode->text(), QStringLiteral("GA30"));
        w.Cmb_Def->setCurrentIndex(1);
        ts.prompter.answers = {false};
        QTest::keyClick(&w, Qt::Key_F3);
        QCOMPARE(ts.prompter.texts(),
                 QStringList({" YOU ARE ABOUT TO UPDATE STATE ....\n COUNTRY :INDIA\n STATE : Goa\n TAX CODE : GA30\n"
                              " DEFAULT : Y\n ARE YOU SURE WANT TO PROCEED (Y/N) ?"}));
        QCOMPARE(ts.prompter.messages.first().kind, QStringLiteral("question"));
        QCOMPARE(db.scalar("SELECT COUNT(*) FROM M_TBL_CSP_STATE").toInt(), 2);
        QCOMPARE(counter(db, "STATE"), 2);

        // Yes with default Y: the new state is the only default, whatever the country.
        ts.prompter.clear();
        ts.prompter.answers = {true};
        QTest::keyClick(&w, Qt::Key_F3);
        QCOMPARE(ts.prompter.texts().last(), QStringLiteral("UPDATION OF STATE SUCCESSFULLY DONE ...."));
        const auto goa = db.firstRow("SELECT * FROM M_TBL_CSP_STATE WHERE STATE_NAME='Goa'");
        QVERIFY(goa);
        QCOMPARE(goa->value("STATE_CODE").toInt(), 3);
        QCOMPARE(goa->value("COUNTRY_CODE").toInt(), 1);
        QCOMPARE(goa->value("STATE_CODE2").toString(), QStringLiteral("GA30"));
        QCOMPARE(goa->value("CREATED_BY").toString(), QStringLiteral("ADMINISTRATOR"));
        QCOMPARE(db.scalar("SELECT COUNT(*) FROM M_TBL_CSP_STATE WHERE STATE_DEF='Y'").toInt(), 1);
        QCOMPARE(db.scalar("SELECT STATE_NAME FROM M_TBL_CSP_STATE WHERE STATE_DEF='Y'").toString(), QStringLiteral("Goa"));
        QCOMPARE(counter(db, "STATE"), 3);
        QCOMPARE(w.lbl_Code->text(), QString());
        QCOMPARE(gridColumn(w.Grid1, 1), QStringList({"Goa", "KERALA"}));
        QCOMPARE(gridColumn(w.Grid1, 4), QStringList({"Y", "N"}));
        QCOMPARE(gridText(w.Grid1, 1, 5), QStringLiteral("FIRST USER - 05/01/2024 10:30:00"));

        // Editing KERALA from the grid: same code, creation stamp kept, now the default.
        ts.prompter.clear();
        clickRow(w.Grid1, 1);
        QCOMPARE(w.lbl_Code->text(), QStringLiteral("1"));
        QCOMPARE(w.txt_StateCode->text(), QStringLiteral("32"));
        QCOMPARE(w.Cmb_Def->currentText(), QStringLiteral("N"));
        QCOMPARE(w.lbl_CreatedByOn->text(), QStringLiteral("FIRST USER - 05/01/2024 10:30:00"));
        typeInto(w.txt_Name, "KERALAM");
        w.Cmb_Def->setCurrentIndex(1);
        ts.prompter.answers = {true};
        QTest::keyClick(&w, Qt::Key_F3);
        QCOMPARE(ts.prompter.texts().last(), QStringLiteral("UPDATION OF STATE SUCCESSFULLY DONE ...."));
        const auto kerala = db.firstRow("SELECT * FROM M_TBL_CSP_STATE WHERE COUNTRY_CODE=1 AND STATE_CODE=1");
        QVERIFY(kerala);
        QCOMPARE(kerala->value("STATE_NAME").toString(), QStringLiteral("KERALAM"));
        QCOMPARE(kerala->value("CREATED_BY").toString(), QStringLiteral("FIRST USER"));
        QCOMPARE(gridText(w.Grid1, 1, 5), QStringLiteral("FIRST USER - 05/01/2024 10:30:00"));
        QCOMPARE(kerala->value("UPDATE_BY").toString(), QStringLiteral("ADMINISTRATOR"));
        QCOMPARE(db.scalar("SELECT COUNT(*) FROM M_TBL_CSP_STATE").toInt(), 3);
        QCOMPARE(db.scalar("SELECT STATE_NAME FROM M_TBL_CSP_STATE WHERE STATE_DEF='Y'").toString(), QStringLiteral("KERALAM"));
        QCOMPARE(counter(db, "STATE"), 3);
        shoot(w, "frm_CSP_State");

        // A state loaded and then moved to another country becomes a new state, never a
        // second row under the old code.
        clickRow(w.Grid1, 0);
        QCOMPARE(w.lbl_Code->text(), QStringLiteral("3"));
        chooseIn(w.Cmb_Country, "NEPAL");
        QCOMPARE(w.Cmb_Country->code(), QStringLiteral("2"));
        QCOMPARE(w.lbl_Code->text(), QString());
    }

    void placeChecksAndSave() {
        TestSession ts;
        Database& db = ts.db();
        db.exec("INSERT INTO M_TBL_CSP_COUNTRY (COUNTRY_CODE, COUNTRY_NAME) VALUES (1, 'INDIA')");
        db.exec("INSERT INTO M_TBL_CSP_STATE (COUNTRY_CODE, STATE_CODE, STATE_NAME, STATE_DEF) VALUES "
                "(1, 1, 'KERALA', 'Y'), (1, 2, 'GOA', 'N')");
        db.exec("INSERT INTO M_TBL_CSP_PLACE (COUNTRY_CODE, STATE_CODE, PLACE_CODE, PLACE_NAME) VALUES (1, 2, 1, 'PANAJI')");
        Numbering(db).Upd_Counter("PLACE", 1);

        frm_CSP_Place w(ts.session);
        QVERIFY(showActive(w));
        typeInto(w.txt_Name, "KOCHI");
        QTest::keyClick(&w, Qt::Key_F3);
        chooseIn(w.Cmb_Country, "INDIA");
        QCOMPARE(w.Cmb_State->count(), 2);
        QCOMPARE(w.Cmb_State->itemText(0), QStringLiteral("GOA"));
        QTest::keyClick(&w, Qt::Key_F3);
        chooseIn(w.Cmb_State, "KERALA");
        QCOMPARE(w.Cmb_State->code(), QStringLiteral("1"));
        w.txt_Name->clear();
        QTest::keyClick(&w, Qt::Key_F3);
        QCOMPARE(ts.prompter.texts(), QStringList({"PLEASE SELECT COUNTRY FROM THE LIST ....",
                                                   "PLEASE SELECT STATE FROM THE LIST ....",
                                                   "PLEASE ENTER PLACE NAME PROPERLY ...."}));

        ts.prompter.clear();
        typeInto(w.txt_Name, "Kochi ");
        ts.prompter.answers = {false};
        QTest::keyClick(&w, Qt::Key_F3);
        QCOMPARE(ts.prompter.texts(),
                 QStringList({" YOU ARE ABOUT TO UPDATE PLACE .... \n COUNTRY : INDIA\n STATE : KERALA\n PLACE : Kochi\n"
                              " ARE YOU SURE WANT TO PROCEED (Y/N ?"}));
        QCOMPARE(counter(db, "PLACE"), 1);
        QCOMPARE(db.scalar("SELECT COUNT(*) FROM M_TBL_CSP_PLACE").toInt(), 1);

        ts.prompter.clear();
        ts.prompter.answers = {true};
        QTest::keyClick(&w, Qt::Key_F3);
        QCOMPARE(ts.prompter.texts().last(), QStringLiteral("UPDATION OF PLACE SUCCESSFULLY DONE ...."));
        QCOMPARE(db.scalar("SELECT PLACE_NAME FROM M_TBL_CSP_PLACE WHERE COUNTRY_CODE=1 AND STATE_CODE=1 AND PLACE_CODE=2").toString(),
                 QStringLiteral("Kochi"));
        QCOMPARE(counter(db, "PLACE"), 2);
        QCOMPARE(gridColumn(w.Grid1, 1), QStringList({"Kochi"}));
        QCOMPARE(w.txt_Name->text(), QString());

        // Edit keeps the code; switching state shows that state's places.
        clickRow(w.Grid1, 0);
        QCOMPARE(w.lbl_Code->text(), QStringLiteral("2"));
        typeInto(w.txt_Name, "KOCHI");
        ts.prompter.answers = {true};
        QTest::keyClick(&w, Qt::Key_F3);
        QCOMPARE(db.scalar("SELECT COUNT(*) FROM M_TBL_CSP_PLACE").toInt(), 2);
        QCOMPARE(db.scalar("SELECT PLACE_NAME FROM M_TBL_CSP_PLACE WHERE PLACE_CODE=2").toString(), QStringLiteral("KOCHI"));
        shoot(w, "frm_CSP_Place");
        chooseIn(w.Cmb_State, "GOA");
        QCOMPARE(gridColumn(w.Grid1, 1), QStringList({"PANAJI"}));

    }
};

QTEST_MAIN(tst_geography_windows)
#include "tst_geography_windows.moc"
