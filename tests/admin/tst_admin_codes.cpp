// The counter and document code windows, driven through their grids.
#include "support/Drive.h"
#include "admin/AdminWindows.h"
#include "admin/CodeMaintenance.h"
#include "data/Numbering.h"
#include "shell/kit/LookupGridModel.h"
#include "shell/kit/LookupGridWindow.h"
#include "support/TestSession.h"

#include <QTableView>

using namespace tarvic;
using namespace tarvic::test;

namespace {

int rowOf(LookupGridModel* m, int column, const QString& text) {
    for (int r = 0; r < m->rowCount(); ++r)
        if (m->index(r, column).data().toString() == text)
            return r;
    return -1;
}

}  // namespace

class tst_admin_codes : public QObject {
    Q_OBJECT
private slots:
    void counterResetTo100GivesNext101() {
        TestSession ts;
        Numbering numbers(ts.db());
        QCOMPARE(numbers.next(QStringLiteral("CBPT01")), 1);
        numbers.next(QStringLiteral("ANCP01"));

        LookupGridWindow w(ts.session, nullptr, frm_Counter_Config());
        QVERIFY(showActive(w));
        shoot(w, QStringLiteral("frm_Counter"));
        QCOMPARE(w.objectName(), QStringLiteral("frm_Counter"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Counter Details"));
        auto* m = w.model();
        QCOMPARE(m->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("CODE"));
        QCOMPARE(m->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("COUNTER"));
        // Ordered by code.
        QCOMPARE(m->index(0, 0).data().toString(), QStringLiteral("ANCP01"));
        const int row = rowOf(m, 0, QStringLiteral("CBPT01"));
        QVERIFY(row >= 0);
        QCOMPARE(m->index(row, 1).data().toString(), QStringLiteral("1"));

        // Letters and points never reach a number cell.
        typeIntoCell(w.grid(), row, 1, QStringLiteral("1a0.0"));
        QCOMPARE(m->index(row, 1).data().toString(), QStringLiteral("1"));  // still in the editor
        QVERIFY(m->isDirty(row) == false);
        keyToFocus(Qt::Key_Return);  // moves on as Tab does: off the last cell, to the next row
        QCOMPARE(m->index(row, 1).data().toString(), QStringLiteral("100"));
        QCOMPARE(w.grid()->currentIndex().row(), row + 1);
        QCOMPARE(ts.db().scalar(QStringLiteral("SELECT COUNTER FROM MST_COUNTER WHERE CODE=?"), {QStringLiteral("CBPT01")}).toLongLong(), 100);
        QVERIFY(ts.prompter.messages.isEmpty());
        QCOMPARE(numbers.next(QStringLiteral("CBPT01")), 101);

        // The code is not editable: renaming a counter would restart its numbering.
        QVERIFY(!(m->flags(m->index(row, 0)) & Qt::ItemIsEditable));
        QCOMPARE(m->rowCount(), ts.db().scalar(QStringLiteral("SELECT COUNT(*) FROM MST_COUNTER")).toInt());  // no new-row line

        // Escape while editing closes the window and keeps what was typed.
        typeIntoCell(w.grid(), rowOf(m, 0, QStringLiteral("ANCP01")), 1, QStringLiteral("55"));
        keyToFocus(Qt::Key_Escape);
        QVERIFY(!w.isVisible());
        QCOMPARE(numbers.next(QStringLiteral("ANCP01")), 56);
    }

    void docCodesEditedAddedAndRefused() {
        TestSession ts;
        auto count = [&](const QString& code) {
            return ts.db().scalar(QStringLiteral("SELECT COUNT(*) FROM MST_DOCUMENTCODES WHERE DOC_CODE=?"), {code}).toInt();
        };
        const int before = ts.db().scalar(QStringLiteral("SELECT COUNT(*) FROM MST_DOCUMENTCODES")).toInt();
        auto w = std::make_unique<LookupGridWindow>(ts.session, nullptr, frm_DocCode_Masters_Config());
        QVERIFY(showActive(*w));
        shoot(*w, QStringLiteral("frm_DocCode_Masters"));
        auto* m = w->model();
        QCOMPARE(w->windowTitle(), QStringLiteral("DOCUMENT CODES MAINTENANCE MASTER"));
        const QStringList headings = {QStringLiteral("SL NO"), QStringLiteral("DOC CODE"), QStringLiteral("DESCRIPTION"),
                                      QStringLiteral("HEADER CAPTION")};
        for (int c = 0; c < headings.size(); ++c)
            QCOMPARE(m->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString(), headings.at(c));
        QCOMPARE(m->rowCount(), before + 1);  // the new-row line
        QCOMPARE(m->index(0, 1).data().toString(), QStringLiteral("BLFC01"));  // SLNO 1 first

        // Edit a description: lower case stored upper, digits and punctuation as typed.
        typeIntoCell(w->grid(), 0, 2, QStringLiteral("lead for consultant-2 (new)"));
        keyToFocus(Qt::Key_Return);
        QTest::keyClick(w->grid(), Qt::Key_Down);
        QCOMPARE(ts.db().scalar(QStringLiteral("SELECT DOC_DESCRIPTION FROM MST_DOCUMENTCODES WHERE DOC_CODE='BLFC01'")).toString(),
                 QStringLiteral("LEAD FOR CONSULTANT-2 (NEW)"));

        // A new code on the new-row line; stored when the cursor leaves it.
        const int newLine = m->rowCount() - 1;
        QVERIFY(m->isNewLine(newLine));
        typeIntoCell(w->grid(), newLine, 0, QStringLiteral("99"));
        keyToFocus(Qt::Key_Return);
        typeKeys(QStringLiteral("zzt01"));
        keyToFocus(Qt::Key_Return);
        typeKeys(QStringLiteral("test doc"));
        keyToFocus(Qt::Key_Return);
        typeKeys(QStringLiteral("test"));
        QCOMPARE(m->rowCount(), before + 2);  // a fresh new-row line follows
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        clickCell(w->grid(), 0, 0);
        QVERIFY2(ts.prompter.messages.isEmpty(), qPrintable(ts.prompter.texts().join('|')));
        auto row = ts.db().firstRow(QStringLiteral("SELECT * FROM MST_DOCUMENTCODES WHERE DOC_CODE='ZZT01'"));
        QVERIFY(row);
        QCOMPARE(row->value(QStringLiteral("SLNO")).toInt(), 99);
        QCOMPARE(row->value(QStringLiteral("DOC_DESCRIPTION")).toString(), QStringLiteral("TEST DOC"));
        QCOMPARE(row->value(QStringLiteral("DOC_HEADER")).toString(), QStringLiteral("TEST"));

        // A duplicate code is refused by the database: reported with its message, not stored,
        // and the cursor goes back to the row.
        const int dupLine = m->rowCount() - 1;
        typeIntoCell(w->grid(), dupLine, 0, QStringLiteral("98"));
        keyToFocus(Qt::Key_Return);
        typeKeys(QStringLiteral("cbpt01"));
        keyToFocus(Qt::Key_Return);
        clickCell(w->grid(), 0, 0);
        QCOMPARE(ts.prompter.messages.size(), 1);
        const QString refusal = ts.prompter.messages.at(0).text;
        QVERIFY2(refusal.contains(QLatin1String("UNIQUE"), Qt::CaseInsensitive) ||
                     refusal.contains(QLatin1String("duplicate"), Qt::CaseInsensitive),
                 qPrintable(refusal));
        QCOMPARE(count(QStringLiteral("CBPT01")), 1);
        QCOMPARE(ts.db().scalar(QStringLiteral("SELECT SLNO FROM MST_DOCUMENTCODES WHERE DOC_CODE='CBPT01'")).toInt(), 6);
        QTRY_COMPARE(w->grid()->currentIndex().row(), dupLine);
        QVERIFY(m->isDirty(dupLine));

        // Closing reports it once more and still stores nothing; every other row is kept.
        ts.prompter.clear();
        QTest::keyClick(w->grid(), Qt::Key_Escape);
        QVERIFY(!w->isVisible());
        QCOMPARE(ts.prompter.messages.size(), 1);
        QCOMPARE(count(QStringLiteral("CBPT01")), 1);
        QCOMPARE(ts.db().scalar(QStringLiteral("SELECT COUNT(*) FROM MST_DOCUMENTCODES")).toInt(), before + 1);
    }

    void badNumberIsRefusedNotStoredAsText() {
        TestSession ts;
        LookupGridWindow w(ts.session, nullptr, frm_DocCode_Masters_Config());
        // Text that reached the cell without the key filter (a program, a paste of "-").
        QVERIFY(w.model()->setData(w.model()->index(0, 0), QStringLiteral("1-2"), Qt::EditRole));
        QVERIFY(!w.writeBack());
        QCOMPARE(ts.prompter.texts(), QStringList{QStringLiteral("INVALID NUMBER FOR SL NO : 1-2 ....")});
        QCOMPARE(ts.db().scalar(QStringLiteral("SELECT SLNO FROM MST_DOCUMENTCODES WHERE DOC_CODE='BLFC01'")).toInt(), 1);
    }

    void deletingWhenTheFamilyAllowsIt() {
        TestSession ts;
        Numbering(ts.db()).next(QStringLiteral("ZZQ1"));
        Numbering(ts.db()).nextLine(QStringLiteral("7"));
        const int counters = ts.db().scalar(QStringLiteral("SELECT COUNT(*) FROM MST_COUNTER")).toInt();
        LookupGridConfig cfg = frm_Counter_Config();
        cfg.table = QStringLiteral("MST_COUNTER2");
        cfg.allowDelete = true;
        LookupGridWindow w(ts.session, nullptr, cfg);
        QVERIFY(showActive(w));
        clickCell(w.grid(), 0, 1);
        ts.prompter.answers = {false, true};
        QTest::keyClick(w.grid(), Qt::Key_Delete);
        QCOMPARE(ts.prompter.messages.at(0).text,
                 QStringLiteral("ARE YOU SURE WANT TO DELETE ...\n CODE : 7\n DELETION IS IRREVERSIBLE, WANT TO PROCEED (Y/N) ?"));
        QCOMPARE(ts.db().scalar(QStringLiteral("SELECT COUNT(*) FROM MST_COUNTER2")).toInt(), 1);
        QTest::keyClick(w.grid(), Qt::Key_Delete);
        QCOMPARE(ts.db().scalar(QStringLiteral("SELECT COUNT(*) FROM MST_COUNTER2")).toInt(), 0);
        QCOMPARE(w.model()->rowCount(), 0);
        QCOMPARE(ts.db().scalar(QStringLiteral("SELECT COUNT(*) FROM MST_COUNTER")).toInt(), counters);  // other table untouched
    }
};

QTEST_MAIN(tst_admin_codes)
#include "tst_admin_codes.moc"
