// The counter and document code windows, driven through their grids.
#include "admin/AdminWindows.h"
#include "admin/CodeMaintenance.h"
#include "data/Numbering.h"
#include "shell/kit/LookupGridModel.h"
#include "shell/kit/LookupGridWindow.h"
#include "support/Drive.h"
#include "support/TestSession.h"

#include <QTableView>

using namespace tarvic;
using namespace tarvic::test;

class tst_admin_codes : public QObject {
    Q_OBJECT
private slots:
    // A counter reset to 100 gives 101 next; letters and points never reach a number cell;
    // no counter is added in the grid.
    void counterResetTo100GivesNext101() {
        TestSession ts;
        Numbering numbers(ts.db());
        QCOMPARE(numbers.next(QStringLiteral("CBPT01")), 1);
        numbers.next(QStringLiteral("ANCP01"));

        LookupGridWindow w(ts.session, nullptr, frm_Counter_Config());
        QVERIFY(showActive(w));
        shoot(w, QStringLiteral("frm_Counter"));
        auto* m = w.model();
        const int row = rowOf(m, 0, QStringLiteral("CBPT01"));

        typeIntoCell(w.grid(), row, 1, QStringLiteral("1a0.0"));
        QVERIFY(!m->isDirty(row));   // still in the editor
        keyToFocus(Qt::Key_Return);  // off the last cell, to the next row: written
        QCOMPARE(w.grid()->currentIndex().row(), row + 1);
        QCOMPARE(counter(ts.db(), QStringLiteral("CBPT01")), 100);
        QCOMPARE(numbers.next(QStringLiteral("CBPT01")), 101);
        QCOMPARE(m->rowCount(), count(ts.db(), QStringLiteral("MST_COUNTER")));  // no new-row line
        QVERIFY(ts.prompter.messages.isEmpty());
    }

    // Lower case typed is stored upper; a new code is stored when the cursor leaves it; a
    // code that exists is refused in the window's words, not stored, and the cursor goes
    // back to it.
    void docCodesEditedAddedAndRefused() {
        TestSession ts;
        Database& db = ts.db();
        const qint64 before = count(db, QStringLiteral("MST_DOCUMENTCODES"));
        auto w = std::make_unique<LookupGridWindow>(ts.session, nullptr, frm_DocCode_Masters_Config());
        QVERIFY(showActive(*w));
        shoot(*w, QStringLiteral("frm_DocCode_Masters"));
        auto* m = w->model();
        QCOMPARE(m->index(0, 1).data().toString(), QStringLiteral("BLFC01"));  // SLNO 1 first

        typeIntoCell(w->grid(), 0, 2, QStringLiteral("lead for consultant-2 (new)"));
        keyToFocus(Qt::Key_Return);
        QTest::keyClick(w->grid(), Qt::Key_Down);
        QCOMPARE(db.scalar("SELECT DOC_DESCRIPTION FROM MST_DOCUMENTCODES WHERE DOC_CODE='BLFC01'").toString(),
                 QStringLiteral("LEAD FOR CONSULTANT-2 (NEW)"));

        auto typeRow = [&](const QStringList& cells) {
            typeIntoCell(w->grid(), m->rowCount() - 1, 0, cells.first());
            for (const QString& c : cells.mid(1)) {
                keyToFocus(Qt::Key_Return);
                typeKeys(c);
            }
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            clickCell(w->grid(), 0, 0);
        };
        typeRow({"99", "zzt01", "test doc", "test"});
        QVERIFY2(ts.prompter.messages.isEmpty(), qPrintable(ts.prompter.texts().join('|')));
        const auto row = db.firstRow("SELECT * FROM MST_DOCUMENTCODES WHERE DOC_CODE='ZZT01'");
        QVERIFY(row);
        QCOMPARE(row->value("SLNO").toInt(), 99);
        QCOMPARE(row->value("DOC_DESCRIPTION").toString(), QStringLiteral("TEST DOC"));
        QCOMPARE(row->value("DOC_HEADER").toString(), QStringLiteral("TEST"));

        const int dupLine = m->rowCount() - 1;
        typeRow({"98", "cbpt01"});
        const QStringList refused = {QStringLiteral("DOC CODE : CBPT01 ALREADY EXISTS, CANNOT PROCEED .....")};
        QCOMPARE(ts.prompter.texts(), refused);
        QCOMPARE(db.scalar("SELECT SLNO FROM MST_DOCUMENTCODES WHERE DOC_CODE='CBPT01'").toInt(), 6);
        QTRY_COMPARE(w->grid()->currentIndex().row(), dupLine);

        // A number that reached its cell without the key filter (a program, a paste of "-") is
        // refused as well; closing reports both in row order and stores neither.
        ts.prompter.clear();
        QVERIFY(m->setData(m->index(0, 0), QStringLiteral("1-2"), Qt::EditRole));
        QTest::keyClick(w->grid(), Qt::Key_Escape);
        QVERIFY(!w->isVisible());
        QCOMPARE(ts.prompter.texts(), QStringList{"INVALID NUMBER FOR SL NO : 1-2 ...."} + refused);
        QCOMPARE(count(db, QStringLiteral("MST_DOCUMENTCODES")), before + 1);
        QCOMPARE(db.scalar("SELECT SLNO FROM MST_DOCUMENTCODES WHERE DOC_CODE='BLFC01'").toInt(), 1);
    }

    void deletingWhenTheFamilyAllowsIt() {
        TestSession ts;
        Numbering(ts.db()).next(QStringLiteral("ZZQ1"));
        Numbering(ts.db()).nextLine(QStringLiteral("7"));
        const qint64 counters = count(ts.db(), QStringLiteral("MST_COUNTER"));
        LookupGridConfig cfg = frm_Counter_Config();
        cfg.table = QStringLiteral("MST_COUNTER2");
        cfg.allowDelete = true;
        LookupGridWindow w(ts.session, nullptr, cfg);
        QVERIFY(showActive(w));
        clickCell(w.grid(), 0, 1);
        ts.prompter.answers = {false, true};
        QTest::keyClick(w.grid(), Qt::Key_Delete);
        QCOMPARE(ts.prompter.messages.at(0).text,
                 QStringLiteral(
                     "ARE YOU SURE WANT TO DELETE ...\n CODE : 7\n DELETION IS IRREVERSIBLE, WANT TO PROCEED (Y/N) ?"));
        QCOMPARE(count(ts.db(), QStringLiteral("MST_COUNTER2")), 1);
        QTest::keyClick(w.grid(), Qt::Key_Delete);
        QCOMPARE(count(ts.db(), QStringLiteral("MST_COUNTER2")), 0);
        QCOMPARE(w.model()->rowCount(), 0);
        QCOMPARE(count(ts.db(), QStringLiteral("MST_COUNTER")), counters);  // other table untouched
    }
};

QTEST_MAIN(tst_admin_codes)
#include "tst_admin_codes.moc"
