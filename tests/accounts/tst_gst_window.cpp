// The GST returns window on the demo's last month, driven from the keyboard: the period
// chosen, the sections and the exception shown, the exception opening its invoice, a quarter;
// its export writes the very files tarvic-admin gst-return writes, and the admin tool refuses
// what cannot be filed.
#include "accounts/AccountsWindows.h"
#include "accounts/frm_GstReturn.h"
#include "accounts/frm_Invoice.h"
#include "engine/admin/DemoData.h"
#include "engine/gst/GstFiles.h"
#include "shell/kit/ExpXls.h"
#include "shell/kit/GridHelpers.h"
#include "support/AdminRunner.h"
#include "support/DemoWindows.h"
#include "support/Drive.h"
#include "support/TestSession.h"
#include "support/Workbook.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>

using namespace tarvic;
using namespace tarvic::test;
using namespace Qt::StringLiterals;

namespace {

const QDate kLast = QDate::currentDate().addMonths(-1);

struct Fixture : DemoWindows {
    Fixture() : DemoWindows(registerInvoiceWindows) { addGstDemo(ts.db()); }
    std::unique_ptr<frm_GstReturn> open() { return DemoWindows::open<frm_GstReturn>(u"frm_GstReturn"_s); }
    // The return type, month and year as a user keys them, then Enter.
    static void choose(frm_GstReturn& w, bool quarter, const QDate& month) {
        w.Cmb_ReturnType->setFocus();
        QTest::keyClick(w.Cmb_ReturnType, Qt::Key_Home);
        if (quarter)
            QTest::keyClick(w.Cmb_ReturnType, Qt::Key_Down);
        keyToFocus(Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w.Cmb_Month);
        QTest::keyClick(w.Cmb_Month, Qt::Key_Home);
        for (int m = 1; m < month.month(); ++m)
            QTest::keyClick(w.Cmb_Month, Qt::Key_Down);
        keyToFocus(Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w.txt_Year);
        typeEnter(w.txt_Year, QString::number(month.year()));
    }
};

QString period() {
    return kLast.toString(u"yyyy-MM"_s);
}
QString fp() {
    return kLast.toString(u"MMyyyy"_s);
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

class TstGstWindow : public QObject {
    Q_OBJECT
private slots:
    void init() { QStandardPaths::setTestModeEnabled(true); }

    // Month by keyboard: the sections of the demo month and its one exception; a quarter holds it.
    void periodByKeyboard() {
        Fixture f;
        auto w = f.open();
        f.choose(*w, false, kLast);
        QVERIFY2(f.ts.prompter.messages.isEmpty(), qPrintable(f.ts.prompter.texts().join(u'\n')));
        QCOMPARE(QApplication::focusWidget(), w->Grid1);
        const gst::Period shown = w->shownReturn().period;
        QCOMPARE(shown.from, QDate(kLast.year(), kLast.month(), 1));
        QVERIFY(w->lbl_Return->text().contains(u"( %1 )"_s.arg(fp())));
        QVERIFY(w->lbl_Problems->isHidden());
        // B2B, B2C large and small, exceptions, documents issued; B2B's taxable; the total value.
        const auto cell = [&](int row, int column) { return gridText(w->Grid1, row, column); };
        using G = frm_GstReturn;
        QCOMPARE((QStringList{cell(0, G::SecDocuments), cell(1, G::SecDocuments), cell(2, G::SecDocuments),
                              cell(6, G::SecDocuments), cell(7, G::SecDocuments), cell(7, G::SecName),
                              cell(0, G::SecTaxable), cell(5, G::SecValue)}),
                 (QStringList{"2", "1", "1", "1", "6", "DOCUMENTS ISSUED ( 1 CANCELLED )", "112000.00",
                              w->shownReturn().outward.value.toString()}));
        QCOMPARE(gridText(w->Grid2, 0, frm_GstReturn::SumTaxable), w->shownReturn().outward.taxable.toString());
        QCOMPARE(w->Grid2->rowCount(), 3);  // 3.1 (a) and two places of supply in 3.2
        QCOMPARE(w->Grid3->rowCount(), 1);
        QCOMPARE(gridText(w->Grid3, 0, frm_GstReturn::ExParty), u"DEMO COASTAL EVENTS GOA"_s);
        QVERIFY(gridText(w->Grid3, 0, frm_GstReturn::ExReason).contains(u"WRONG CHECK CHARACTER"_s));

        f.choose(*w, true, kLast);
        QVERIFY(w->shownReturn().period.quarter);
        QVERIFY(w->lbl_Return->text().contains(u" - "_s));
        QVERIFY(w->shownReturn().approvedRead >= 5);
        // A year that is none is refused, the return on screen kept.
        typeEnter(w->txt_Year, u"20"_s);
        QCOMPARE(f.ts.prompter.texts(), QStringList{u"PLEASE ENTER YEAR PROPERLY ...."_s});
        QCOMPARE(w->Grid3->rowCount(), 1);
    }

    // Enter on an exception opens its invoice in the invoice window, shown and locked.
    void exceptionOpensItsInvoice() {
        Fixture f;
        auto w = f.open();
        f.choose(*w, false, kLast);
        const gst::ReturnInvoice& left = w->shownReturn().exceptions.at(0).invoice;
        enterOn(w->Grid3, 0, 0);
        auto* invoice = openedWindow<frm_Invoice>(u"frm_Invoice"_s);
        QVERIFY(invoice);
        QCOMPARE(invoice->number(), left.docNo);
        QCOMPARE(invoice->txt_InvoiceNO->text(), left.number);
        QCOMPARE(invoice->shown(u"lbl_GSTIN"_s)->text(), left.gstin);
        invoice->close();
        delete invoice;
    }

    // Export writes both JSON files and the workbook; tarvic-admin writes the same ones. What
    // cannot be filed is refused by both, and nothing is written.
    void exportMatchesTheAdminTool() {
        Fixture f;
        auto w = f.open();
        f.choose(*w, false, kLast);
        QTemporaryDir fromWindow, fromAdmin;
        const QString base = u"GST_RETURN_"_s + fp();
        f.ts.prompter.paths = {fromWindow.filePath(base + u"_GSTR1.json"_s)};
        f.ts.answer();
        QTest::mouseClick(w->Cmd_Export, Qt::LeftButton);
        QCOMPARE(f.ts.prompter.texts(),
                 QStringList{u"GST RETURN SUCCESSFULLY EXPORTED TO %1 ....\n1 APPROVED INVOICE(S) LEFT OUT OF THE "
                             "RETURN, SEE EXCEPTIONS ...."_s.arg(fromWindow.filePath(base))});

        const AdminRun run = runAdmin(f.ts.t, {u"gst-return"_s, u"--period"_s, period(), u"--out"_s, fromAdmin.path()});
        QVERIFY2(run.code == 0, qPrintable(run.describe()));
        QVERIFY2(run.out.contains(u"left out: INV001 "_s) && run.out.contains(u"1 exception(s)"_s),
                 qPrintable(run.out));
        const gst::ReturnFiles a = gst::returnFiles(fromWindow.filePath(base));
        const gst::ReturnFiles b = gst::returnFiles(fromAdmin.filePath(base));
        QVERIFY(!fileBytes(a.gstr1).isEmpty());
        QCOMPARE(fileBytes(b.gstr1), fileBytes(a.gstr1));
        QCOMPARE(fileBytes(b.gstr3b), fileBytes(a.gstr3b));
        const Sheets sheets = readWorkbook(a.workbook);
        QCOMPARE(int(sheets.value(u"EXCEPTIONS"_s).size()), 2);
        QCOMPARE(readWorkbook(b.workbook), sheets);

        // Bad usage, then a company without its GSTIN: refused, nothing written.
        QCOMPARE(runAdmin(f.ts.t, {u"gst-return"_s, u"--period"_s, u"2026-13"_s, u"--out"_s, fromAdmin.path()}).code,
                 64);
        f.ts.db().exec(u"UPDATE MST_LOCATIONDETAILS SET COMP_GSTIN='YOUR GSTIN'"_s);
        QTemporaryDir refused;
        const AdminRun no = runAdmin(f.ts.t, {u"gst-return"_s, u"--period"_s, period(), u"--out"_s, refused.path()});
        QCOMPARE(no.code, 1);
        QVERIFY2(no.err.contains(u"COMPANY GSTIN YOUR GSTIN IS NOT VALID"_s), qPrintable(no.describe()));
        QVERIFY(QDir(refused.path()).isEmpty());
        f.ts.answer();
        QTest::mouseClick(w->Cmd_Export, Qt::LeftButton);
        QCOMPARE(f.ts.prompter.messages.size(), 1);
        QVERIFY(f.ts.prompter.texts().at(0).startsWith(u"COMPANY GSTIN YOUR GSTIN IS NOT VALID"_s));
        QVERIFY(!w->lbl_Problems->isHidden());
    }
};

QTEST_MAIN(TstGstWindow)
#include "tst_gst_window.moc"
