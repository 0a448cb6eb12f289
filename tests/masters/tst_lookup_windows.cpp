// The ten lookup lists and the group/meeting search, driven through their grids.
#include "support/Drive.h"
#include "masters/LookupMasters.h"
#include "masters/frm_SearchGroupMeet.h"
#include "data/Money.h"
#include "shell/kit/GridHelpers.h"
#include "shell/kit/LookupGridModel.h"
#include "shell/kit/LookupGridWindow.h"
#include "support/TestSession.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>

using namespace tarvic;
using namespace tarvic::test;

namespace {

QStringList column(LookupGridModel* m, int c) {
    QStringList out;
    for (int r = 0; r < m->rowCount(); ++r)
        if (!m->isNewLine(r))
            out << m->index(r, c).data().toString();
    return out;
}

QStringList gridColumn(QTableWidget* g, int c) {
    QStringList out;
    for (int r = 0; r < g->rowCount(); ++r)
        out << (g->item(r, c) ? g->item(r, c)->text() : QString());
    return out;
}

// Types a whole row on the new-row line, cell by cell, and leaves it with Enter.
void typeNewRow(LookupGridWindow& w, const QStringList& cells) {
    const int row = w.model()->rowCount() - 1;
    QVERIFY(w.model()->isNewLine(row));
    for (int c = 0; c < cells.size(); ++c) {
        typeIntoCell(w.grid(), row, c, cells.at(c));
        keyToFocus(Qt::Key_Return);
    }
    // Off the last cell: the cursor goes to the next line and the row is written.
    if (w.grid()->currentIndex().row() == row)
        keyToFocus(Qt::Key_Down);
}

}  // namespace

class tst_lookup_windows : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    // Every menu entry opens its window with the caption, source caption, headings and
    // ordering of its list; the tax list keeps the order the database returns.
    void tenWindowsShowTheirTablesInOrder() {
        TestSession ts;
        Database& db = ts.db();
        db.exec("INSERT INTO M_TBL_PARTYTYPE (PARTYTYPE_CODE, PARTY_TYPE) VALUES (3, 'HOTEL'), (1, 'AGENT'), (2, 'CUSTOMER')");
        db.exec("INSERT INTO M_TBL_TAX (TAX_CODE, TAX_NAME, TAX_PER) VALUES (7, 'GST 18', 18), (2, 'GST 5', 5.5), (4, 'NIL', 0)");
        db.exec("INSERT INTO MST_BANK (BANK_ID, BANK_NAME) VALUES (9, 'ZETA BANK'), (4, 'ALPHA BANK')");

        WindowRegistry registry;
        registerGeographyAndLookupWindows(registry);
        struct Expect {
            const char* window;
            const char* caption;
            const char* source;
            const char* sourceCaption;
            QStringList headings;
        };
        const QList<Expect> expected = {
            {"frm_PartyType", "PARTY TYPE", "Adodc1", "PARTY TYPE MAINTENANCE", {"CODE", "PARTY TYPE"}},
            {"frm_LeadType", "LEAD TYPE MAINTENANCE", "Adodc1", "LEAD TYPE MAINTENANCE", {"CODE", "LEAD TYPE"}},
            {"frm_LeadRequestType", "LEAD REQUEST TYPE", "Adodc1", "LEAD REQUEST TYPE", {"CODE", "LEAD REQUEST TYPE"}},
            {"frm_MealPlan", "MEAL PLAN", "Adodc1", "MEAL PLAN", {"CODE", "MEAL PLAN", "DESCRIPTION"}},
            {"frm_RoomType", "ROOM TYPE", "Adodc1", "ROOM TYPE", {"CODE", "ROOM TYPE"}},
            {"frm_VehicleBrand", "VEHICLE BRAND", "Adodc1", "VEHICLE BRAND MAINTENANCE", {"CODE", "VEHICLE BRAND"}},
            {"frm_TaxMaintenance", "TAX MAINTENANCE", "Adodc1", "TAX MAINTENANCE", {"CODE", "TAX NAME", "TAX PER (%)"}},
            {"frm_Bank", "BANK MAINTENANCE", "Ado_Bank", "BANK MAINTENANCE", {"BANK ID", "BANK NAME"}},
            {"frm_PaymentMode", "PAYMENT MODES", "Ado_PayMode", "PAYMENT MODES", {"ID", "PAYMENT MODE"}},
            {"frm_GroupMeet", "GROUP MEET MAINTENANCE", "Adodc1", "GROUP MEET MAINTENANCE", {"CODE", "GROUP / MEETING NAME"}},
        };
        for (const Expect& e : expected) {
            QPointer<QWidget> widget = registry.create(QString::fromLatin1(e.window), ts.session, nullptr);
            auto* w = qobject_cast<LookupGridWindow*>(widget.data());
            QVERIFY2(w, e.window);
            QCOMPARE(w->windowTitle(), QString::fromLatin1(e.caption));
            QCOMPARE(w->model()->objectName(), QString::fromLatin1(e.source));
            auto* caption = w->findChild<QLabel*>(QString::fromLatin1(e.source) + "_Caption");
            QVERIFY(caption);
            QCOMPARE(caption->text(), QString::fromLatin1(e.sourceCaption));
            QStringList headings;
            for (int c = 0; c < w->model()->columnCount(); ++c)
                headings << w->model()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
            QCOMPARE(headings, e.headings);
            QVERIFY(w->model()->config().allowAdd);
            QVERIFY(!w->model()->config().allowDelete);
            if (QLatin1String(e.window) == QLatin1String("frm_PartyType")) {
                QCOMPARE(column(w->model(), 0), QStringList({"1", "2", "3"}));
                QCOMPARE(column(w->model(), 1), QStringList({"AGENT", "CUSTOMER", "HOTEL"}));
            }
            if (QLatin1String(e.window) == QLatin1String("frm_Bank"))
                QCOMPARE(column(w->model(), 0), QStringList({"0", "4", "9"}));
            if (QLatin1String(e.window) == QLatin1String("frm_TaxMaintenance")) {
                QCOMPARE(w->model()->config().selectSql(), QStringLiteral("SELECT * FROM M_TBL_TAX"));
                QStringList dbOrder;
                QSqlQuery q = db.exec("SELECT * FROM M_TBL_TAX");
                while (q.next())
                    dbOrder << QString::number(q.value("TAX_CODE").toLongLong());
                QCOMPARE(column(w->model(), 0), dbOrder);
                QCOMPARE(column(w->model(), 2).value(dbOrder.indexOf("2")), QStringLiteral("5.50"));
            }
            if (QLatin1String(e.window) == QLatin1String("frm_PaymentMode"))
                QCOMPARE(column(w->model(), 1), QStringList({"CASH"}));
            QVERIFY(showActive(*w));
            shoot(*w, QString::fromLatin1(e.window));
            keyToFocus(Qt::Key_Escape);
            QTRY_VERIFY(widget.isNull());  // closed and deleted
        }
        QVERIFY(ts.prompter.messages.isEmpty());
    }

    // Typed letters reach the table upper case, everything else as typed; an edited row is
    // written when the cursor leaves it; a duplicate code is refused with the database's
    // own message and not stored; a decimal tax rate keeps its paise.
    void rowsAddedEditedAndRefused() {
        TestSession ts;
        Database& db = ts.db();
        {
            LookupGridWindow w(ts.session, nullptr, frm_MealPlan_Config());
            QVERIFY(showActive(w));
            typeNewRow(w, {"12", "map-1", "breakfast & dinner, 2 pax"});
            QCOMPARE(ts.prompter.texts(), QStringList());
            const auto row = db.firstRow("SELECT * FROM M_TBL_MEALPLAN WHERE MEALPLAN_CODE=12");
            QVERIFY(row);
            QCOMPARE(row->value("MEAL_PLAN").toString(), QStringLiteral("MAP-1"));
            QCOMPARE(row->value("PLAN_DESC").toString(), QStringLiteral("BREAKFAST & DINNER, 2 PAX"));

            // Edit the stored row in place.
            typeIntoCell(w.grid(), 0, 1, "cp");
            keyToFocus(Qt::Key_Return);
            keyToFocus(Qt::Key_Down);
            QCOMPARE(db.scalar("SELECT MEAL_PLAN FROM M_TBL_MEALPLAN WHERE MEALPLAN_CODE=12").toString(), QStringLiteral("CP"));

            // A second row with the same code: the database refuses it.
            typeNewRow(w, {"12", "ap", ""});
            QTRY_COMPARE(ts.prompter.messages.size(), 1);
            QCOMPARE(ts.prompter.messages.first().kind, QStringLiteral("information"));
            QCOMPARE(ts.prompter.messages.first().title, QStringLiteral("Morvane"));
            QVERIFY(!ts.prompter.texts().first().isEmpty());
            QCOMPARE(db.scalar("SELECT COUNT(*) FROM M_TBL_MEALPLAN").toInt(), 1);
            QCOMPARE(db.scalar("SELECT MEAL_PLAN FROM M_TBL_MEALPLAN WHERE MEALPLAN_CODE=12").toString(), QStringLiteral("CP"));
            // The refused row keeps its edits and is reported once more on close, still unstored.
            const int refused = w.model()->dirtyRows().value(0, -1);
            QVERIFY(refused >= 0);
            QCOMPARE(w.model()->index(refused, 1).data().toString(), QStringLiteral("AP"));
            ts.prompter.clear();
            w.close();
            QCOMPARE(ts.prompter.messages.size(), 1);
            QCOMPARE(db.scalar("SELECT COUNT(*) FROM M_TBL_MEALPLAN").toInt(), 1);
        }
        {
            ts.prompter.clear();
            LookupGridWindow w(ts.session, nullptr, frm_TaxMaintenance_Config());
            QVERIFY(showActive(w));
            typeNewRow(w, {"3", "gst 12", "12.5"});
            QCOMPARE(ts.prompter.texts(), QStringList());
            QCOMPARE(Money::fromVariant(db.scalar("SELECT TAX_PER FROM M_TBL_TAX WHERE TAX_CODE=3")).toString(), QStringLiteral("12.50"));
            QCOMPARE(db.scalar("SELECT TAX_NAME FROM M_TBL_TAX WHERE TAX_CODE=3").toString(), QStringLiteral("GST 12"));
        }
    }

    // Search by a pattern as typed: "%" finds every group by name, an empty pattern finds
    // none, a quote is only a character; choosing a row hands its code to the caller.
    void groupSearchFindsAndHandsOver() {
        TestSession ts;
        Database& db = ts.db();
        db.exec("INSERT INTO M_TBL_PARTYGROUP (GROUP_CODE, GROUP_NAME) VALUES (1, 'TRAVEL MART'), (2, 'ANNUAL MEET'), "
                "(3, 'AGENTS'' MEET'), (4, 'BUSINESS TRAVEL')");
        QString picked;
        int calls = 0;
        QPointer<frm_SearchGroupMeet> w = new frm_SearchGroupMeet(ts.session, nullptr, [&](const QString& code) {
            picked = code;
            ++calls;
        });
        w->setAttribute(Qt::WA_DeleteOnClose);
        QCOMPARE(w->windowTitle(), QStringLiteral("SEARCH GROUP / MEET "));
        QCOMPARE(w->Cmd_Show->text(), QStringLiteral("&Show Record"));
        QVERIFY(showActive(*w));

        // Empty pattern: nothing (no group has an empty name).
        QTest::mouseClick(w->Cmd_Show, Qt::LeftButton);
        QCOMPARE(w->Grid1->rowCount(), 1);
        QVERIFY(isBlankRow(w->Grid1, 0));

        w->txt_GroupMeetName->setFocus();
        QTest::keyClicks(w->txt_GroupMeetName, "%");
        QTest::keyClick(w->txt_GroupMeetName, Qt::Key_Return);
        QCOMPARE(gridColumn(w->Grid1, 0), QStringList({"1", "2", "3", "4"}));
        QCOMPARE(gridColumn(w->Grid1, 1), QStringList({"AGENTS' MEET", "ANNUAL MEET", "BUSINESS TRAVEL", "TRAVEL MART"}));
        QCOMPARE(gridColumn(w->Grid1, 2), QStringList({"3", "2", "4", "1"}));
        shoot(*w, "frm_SearchGroupMeet");

        // Typed lower case, searched upper case; the user supplies the wildcards.
        w->txt_GroupMeetName->clear();
        QTest::keyClicks(w->txt_GroupMeetName, "%meet");
        QTest::mouseClick(w->Cmd_Show, Qt::LeftButton);
        QCOMPARE(gridColumn(w->Grid1, 1), QStringList({"AGENTS' MEET", "ANNUAL MEET"}));
        w->txt_GroupMeetName->clear();
        QTest::keyClicks(w->txt_GroupMeetName, "' OR '1'='1");
        QTest::mouseClick(w->Cmd_Show, Qt::LeftButton);
        QVERIFY(isBlankRow(w->Grid1, 0));
        QVERIFY(ts.prompter.messages.isEmpty());

        w->txt_GroupMeetName->setText("%TRAVEL%");
        QTest::mouseClick(w->Cmd_Show, Qt::LeftButton);
        QCOMPARE(gridColumn(w->Grid1, 1), QStringList({"BUSINESS TRAVEL", "TRAVEL MART"}));
        w->Grid1->setFocus();
        w->Grid1->setCurrentCell(1, 1);
        QTest::keyClick(w->Grid1, Qt::Key_Return);
        QCOMPARE(calls, 1);
        QCOMPARE(picked, QStringLiteral("1"));
        QTRY_VERIFY(w.isNull());

        // From the menu: no caller, the list only; Escape closes.
        WindowRegistry registry;
        registerGeographyAndLookupWindows(registry);
        QPointer<QWidget> menu = registry.create("frm_SearchGroupMeet", ts.session, nullptr);
        auto* search = qobject_cast<frm_SearchGroupMeet*>(menu.data());
        QVERIFY(search);
        QVERIFY(showActive(*search));
        search->txt_GroupMeetName->setText("%");
        QTest::mouseClick(search->Cmd_Show, Qt::LeftButton);
        const QRect cell = search->Grid1->visualRect(search->Grid1->model()->index(0, 1));
        QTest::mouseDClick(search->Grid1->viewport(), Qt::LeftButton, {}, cell.center());
        QVERIFY(search->isVisible());
        search->Grid1->setFocus();
        QTest::keyClick(search->Grid1, Qt::Key_Escape);
        QTRY_VERIFY(menu.isNull());
    }
};

QTEST_MAIN(tst_lookup_windows)
#include "tst_lookup_windows.moc"
