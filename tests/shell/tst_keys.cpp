// The keys that move between fields, in the program's own windows over the demo books: one
// press leaves a date field, a multi-line text and a grid; Ctrl+Tab and Ctrl+PgDn turn the
// pages of a tab pane from inside a grid; Enter in a key field loads it and moves on.
#include "engine/admin/DemoData.h"
#include "support/EveryWindow.h"
#include "support/Registered.h"

#include <QAbstractItemView>
#include <QPlainTextEdit>
#include <QTabWidget>

using namespace tarvic;
using namespace tarvic::test;
using namespace Qt::StringLiterals;

namespace {

EveryWindow* program = nullptr;

std::unique_ptr<QWidget> openWindow(const QString& name) {
    return createShown<QWidget>(program->registry, program->ts.session, name);
}

QString textOf(const QWidget* w) {
    if (auto* t = qobject_cast<const QPlainTextEdit*>(w))
        return t->toPlainText();
    return {};
}

}  // namespace

class TstKeys : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        program = new EveryWindow;
        addDemoData(program->ts.db());
    }
    void cleanupTestCase() { delete program; }

    // One press takes the focus out of the field (to the field named, when one is), and
    // nothing is typed into it.
    void onePressLeaves_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("to");
        QTest::newRow("Enter leaves a date field")
            << u"frm_BusinessLeads_Quotation"_s << u"txt_JStartDt"_s << int(Qt::Key_Return) << u"txt_JEndDt"_s;
        QTest::newRow("Tab leaves a date field, journey dates before booked by")
            << u"frm_BusinessLeads_Quotation"_s << u"txt_JEndDt"_s << int(Qt::Key_Tab) << u"txt_BookBy"_s;
        QTest::newRow("Shift+Tab leaves a date field backwards")
            << u"frm_BusinessLeads_Quotation"_s << u"txt_JEndDt"_s << int(Qt::Key_Backtab) << u"txt_JStartDt"_s;
        QTest::newRow("Enter leaves a document's date")
            << u"frm_CBPT01"_s << u"txt_DocDate"_s << int(Qt::Key_Return) << QString();
        QTest::newRow("Tab leaves the feedback")
            << u"frm_FeedBackForm"_s << u"txt_Feedback"_s << int(Qt::Key_Tab) << QString();
        QTest::newRow("Tab leaves the mail body")
            << u"frm_SendBulkEmail"_s << u"txt_Body"_s << int(Qt::Key_Tab) << QString();
        QTest::newRow("Tab leaves the operations log")
            << u"frm_Update_CBPT_OpsLog"_s << u"txt_Action"_s << int(Qt::Key_Tab) << QString();
        QTest::newRow("Tab leaves a read-only grid")
            << u"frm_LstPartyRegd"_s << u"Grid1"_s << int(Qt::Key_Tab) << QString();
    }
    void onePressLeaves() {
        QFETCH(QString, window);
        QFETCH(QString, from);
        QFETCH(int, key);
        QFETCH(QString, to);
        auto w = openWindow(window);
        auto* f = w->findChild<QWidget*>(from);
        QVERIFY2(f, qPrintable(from));
        f->setEnabled(true);
        f->setFocus();
        QVERIFY(f->hasFocus());
        const QString before = textOf(f);
        QTest::keyClick(f, Qt::Key(key), key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
        QWidget* now = QApplication::focusWidget();
        QVERIFY2(now && now != f && !f->isAncestorOf(now), qPrintable(now ? now->objectName() : u"none"_s));
        QCOMPARE(textOf(f), before);
        if (!to.isEmpty())
            QCOMPARE(now->objectName(), to);
    }

    // The booking's tab pages turn from the keyboard while one of its grids has the focus.
    void ctrlKeysTurnPages_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("step");
        QTest::newRow("Ctrl+Tab") << int(Qt::Key_Tab) << int(Qt::ControlModifier) << 1;
        QTest::newRow("Ctrl+Shift+Tab") << int(Qt::Key_Backtab) << int(Qt::ControlModifier | Qt::ShiftModifier) << -1;
        QTest::newRow("Ctrl+PgDn") << int(Qt::Key_PageDown) << int(Qt::ControlModifier) << 1;
        QTest::newRow("Ctrl+PgUp") << int(Qt::Key_PageUp) << int(Qt::ControlModifier) << -1;
    }
    void ctrlKeysTurnPages() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, step);
        auto w = openWindow(u"frm_CBPT01"_s);
        auto* tabs = w->findChild<QTabWidget*>();
        QVERIFY(tabs && tabs->count() > 2);
        tabs->setCurrentIndex(1);
        auto* grid = tabs->currentWidget()->findChild<QAbstractItemView*>();
        QVERIFY(grid);
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(tabs->currentIndex(), 1 + step);
    }

    // Enter in a key field loads what it names and moves on; a number that names nothing keeps
    // the focus for mending, an empty field lets the user past.
    void enterLoadsAndMovesOn_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("sql");    // the value typed
        QTest::addColumn<QString>("shown");  // a label that shows what was loaded
        QTest::addColumn<bool>("movesOn");
        QTest::newRow("booking: bill-to party")
            << u"frm_CBPT01"_s << u"txt_PartyCode"_s << u"SELECT MIN(PARTY_CODE) FROM M_TBL_PARTY"_s
            << u"lbl_PartyAddress"_s << true;
        QTest::newRow("booking: lead no")
            << u"frm_CBPT01"_s << u"txt_LeadNo"_s
            << u"SELECT MIN(DOC_NO) FROM M_TBL_TRANSACTION WHERE DOC_CODE='BLFC01'"_s << QString() << true;
        QTest::newRow("booking: lead no naming nothing")
            << u"frm_CBPT01"_s << u"txt_LeadNo"_s << u"SELECT 99999"_s << QString() << false;
        QTest::newRow("booking: quotation no left empty")
            << u"frm_CBPT01"_s << u"txt_QuotNo"_s << u"SELECT ''"_s << QString() << true;
        QTest::newRow("invoice: booking no")
            << u"frm_Invoice"_s << u"txt_CBPTNo"_s
            << u"SELECT MIN(DOC_NO) FROM M_TBL_TRANSACTION WHERE DOC_CODE='CBPT01'"_s << QString() << true;
        QTest::newRow("invoice: booking no naming nothing")
            << u"frm_Invoice"_s << u"txt_CBPTNo"_s << u"SELECT 99999"_s << QString() << false;
    }
    void enterLoadsAndMovesOn() {
        QFETCH(QString, window);
        QFETCH(QString, from);
        QFETCH(QString, sql);
        QFETCH(QString, shown);
        QFETCH(bool, movesOn);
        auto w = openWindow(window);
        auto* f = w->findChild<QLineEdit*>(from);
        QVERIFY2(f && f->isEnabled(), qPrintable(from));
        program->ts.answer();
        const QString value = program->ts.db().scalar(sql).toString();
        typeInto(f, value);
        QTest::keyClick(f, Qt::Key_Return);
        QCOMPARE(!f->hasFocus(), movesOn);
        QCOMPARE(f->text(), value);
        if (!shown.isEmpty())
            QVERIFY(!w->findChild<QLabel*>(shown)->text().isEmpty());
    }
};

QTEST_MAIN(TstKeys)
#include "tst_keys.moc"
