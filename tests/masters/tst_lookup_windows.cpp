// The ten lookup lists and the group/meeting search, driven through their grids.
#include "data/Money.h"
#include "masters/LookupMasters.h"
#include "masters/frm_SearchGroupMeet.h"
#include "shell/kit/LookupGridModel.h"
#include "shell/kit/LookupGridWindow.h"
#include "support/Drive.h"
#include "support/TestSession.h"

#include <QPushButton>
#include <QTableView>

using namespace tarvic;
using namespace tarvic::test;

class tst_lookup_windows : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    // Every list opens by its name, lists its rows by code (the tax list in the order the
    // database returns them) and closes on Escape.
    void tenWindowsListInOrder() {
        TestSession ts;
        Database& db = ts.db();
        db.exec(
            "INSERT INTO M_TBL_PARTYTYPE (PARTYTYPE_CODE, PARTY_TYPE) "
            "VALUES (3, 'HOTEL'), (1, 'AGENT'), (2, 'CUSTOMER')");
        db.exec(
            "INSERT INTO M_TBL_TAX (TAX_CODE, TAX_NAME, TAX_PER) "
            "VALUES (7, 'GST 18', 18), (2, 'GST 5', 5.5), (4, 'NIL', 0)");
        db.exec("INSERT INTO MST_BANK (BANK_ID, BANK_NAME) VALUES (9, 'ZETA BANK'), (4, 'ALPHA BANK')");
        QStringList taxes;
        for (QSqlQuery q = db.exec("SELECT TAX_CODE FROM M_TBL_TAX"); q.next();)
            taxes << QString::number(q.value(0).toLongLong());
        const QHash<QString, QStringList> codes = {{"frm_PartyType", {"1", "2", "3", ""}},
                                                   {"frm_Bank", {"0", "4", "9", ""}},
                                                   {"frm_TaxMaintenance", taxes + QStringList{""}}};
        WindowRegistry registry;
        registerGeographyAndLookupWindows(registry);
        for (const LookupGridConfig& cfg : lookupWindowConfigs()) {
            QPointer<QWidget> widget = registry.create(cfg.windowName, ts.session, nullptr);
            auto* w = qobject_cast<LookupGridWindow*>(widget.data());
            QVERIFY2(w, qPrintable(cfg.windowName));
            if (codes.contains(cfg.windowName))
                QCOMPARE(column(w->model(), 0), codes.value(cfg.windowName));
            if (cfg.windowName == QLatin1String("frm_TaxMaintenance"))
                QCOMPARE(w->model()->index(taxes.indexOf("2"), 2).data().toString(), QStringLiteral("5.50"));
            QVERIFY(showActive(*w));
            shoot(*w, cfg.windowName);
            keyToFocus(Qt::Key_Escape);
            QTRY_VERIFY(widget.isNull());
        }
        QVERIFY(ts.prompter.messages.isEmpty());
    }

    // A stored code stays (parties point at it); a row added without a code takes the next,
    // shows it and can be edited at once; every letter is stored upper case; Escape in an
    // open cell editor drops what was typed there, the next one closes; closing keeps it; a
    // rate keeps its paise.
    void codesStayNewRowsTakeTheNextEscapeCancels() {
        TestSession ts;
        Database& db = ts.db();
        db.exec("INSERT INTO M_TBL_PARTYTYPE (PARTYTYPE_CODE, PARTY_TYPE) VALUES (3, 'HOTEL'), (5, 'AGENT')");
        const auto names = [&] {
            QStringList out;
            for (QSqlQuery q = db.exec("SELECT PARTY_TYPE FROM M_TBL_PARTYTYPE ORDER BY PARTYTYPE_CODE"); q.next();)
                out << q.value(0).toString();
            return out;
        };
        LookupGridWindow w(ts.session, nullptr, frm_PartyType_Config());
        QVERIFY(showActive(w));
        typeIntoCell(w.grid(), 0, 0, "99");
        keyToFocus(Qt::Key_Down);
        typeIntoCell(w.grid(), 2, 1, QStringLiteral("zürich café"));  // on the new-row line
        keyToFocus(Qt::Key_Return);
        QCOMPARE(column(w.model(), 0), QStringList({"3", "5", "6", ""}));
        QCOMPARE(names(), QStringList({"HOTEL", "AGENT", QStringLiteral("ZÜRICH CAFÉ")}));
        typeIntoCell(w.grid(), 2, 1, "guide");
        keyToFocus(Qt::Key_Return);
        for (int row : {0, 3}) {
            typeIntoCell(w.grid(), row, 1, "escapetest");
            keyToFocus(Qt::Key_Escape);
            QVERIFY(w.isVisible());
        }
        keyToFocus(Qt::Key_Escape);
        QVERIFY(!w.isVisible());
        QCOMPARE(names(), QStringList({"HOTEL", "AGENT", "GUIDE"}));

        LookupGridWindow tax(ts.session, nullptr, frm_TaxMaintenance_Config());
        QVERIFY(showActive(tax));
        typeIntoCell(tax.grid(), tax.model()->rowCount() - 1, 1, "gst 12");
        keyToFocus(Qt::Key_Return);
        typeKeys("12.5");
        tax.close();  // the rate's editor still open: what was typed there is kept
        const QVariant rate = db.scalar("SELECT TAX_PER FROM M_TBL_TAX WHERE TAX_NAME='GST 12'");
        QCOMPARE(Money::fromVariant(rate).toString(), "12.50");
        QVERIFY2(ts.prompter.messages.isEmpty(), qPrintable(ts.prompter.texts().join('|')));
    }

    // Search by a pattern as typed: "%" finds every group by name, an empty pattern finds
    // none, a quote is only a character; choosing a row hands its code to the caller.
    void groupSearchFindsAndHandsOver() {
        TestSession ts;
        ts.db().exec(
            "INSERT INTO M_TBL_PARTYGROUP (GROUP_CODE, GROUP_NAME) VALUES (1, 'TRAVEL MART'), "
            "(2, 'ANNUAL MEET'), (3, 'AGENTS'' MEET'), (4, 'BUSINESS TRAVEL')");
        QString picked;
        QPointer<frm_SearchGroupMeet> w =
            new frm_SearchGroupMeet(ts.session, nullptr, [&](const QString& c) { picked += c; });
        w->setAttribute(Qt::WA_DeleteOnClose);
        QVERIFY(showActive(*w));
        const auto search = [&](const QString& pattern) {
            w->txt_GroupMeetName->clear();
            QTest::keyClicks(w->txt_GroupMeetName, pattern);
            QTest::keyClick(w->txt_GroupMeetName, Qt::Key_Return);
            return column(w->Grid1->model(), 1);
        };
        QCOMPARE(search(""), QStringList{""});
        QCOMPARE(search("%"), QStringList({"AGENTS' MEET", "ANNUAL MEET", "BUSINESS TRAVEL", "TRAVEL MART"}));
        QCOMPARE(column(w->Grid1->model(), 2), QStringList({"3", "2", "4", "1"}));
        shoot(*w, "frm_SearchGroupMeet");
        QCOMPARE(search("%meet"), QStringList({"AGENTS' MEET", "ANNUAL MEET"}));
        QCOMPARE(search("' OR '1'='1"), QStringList{""});
        QCOMPARE(search("%travel%"), QStringList({"BUSINESS TRAVEL", "TRAVEL MART"}));
        w->Grid1->setFocus();
        w->Grid1->setCurrentCell(1, 1);
        QTest::keyClick(w->Grid1, Qt::Key_Return);
        QCOMPARE(picked, QStringLiteral("1"));
        QTRY_VERIFY(w.isNull());
        QVERIFY(ts.prompter.messages.isEmpty());

        // From the menu: no caller, the list only.
        frm_SearchGroupMeet menu(ts.session, nullptr, {});
        QVERIFY(showActive(menu));
        menu.txt_GroupMeetName->setText("%");
        QTest::mouseClick(menu.Cmd_Show, Qt::LeftButton);
        menu.Grid1->setCurrentCell(0, 1);
        QTest::keyClick(menu.Grid1, Qt::Key_Return);
        QVERIFY(menu.isVisible());
    }
};

QTEST_MAIN(tst_lookup_windows)
#include "tst_lookup_windows.moc"
