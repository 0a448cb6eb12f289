// The document-account linkage window: lock rules, saves, the in-use check and deletion.
#include "support/Drive.h"
#include "admin/frm_DocCode_Acc_Combination.h"
#include "support/TestSession.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

using namespace tarvic;
using namespace tarvic::test;

namespace {

struct Fixture {
    TestSession ts;
    std::unique_ptr<frm_DocCode_Acc_Combination> w;

    Fixture() {
        link(QStringLiteral("LIDB01"), QStringLiteral("LOAN01"), QStringLiteral("STAFF LOAN"));
        link(QStringLiteral("FRDM01"), QStringLiteral("INT01"), QStringLiteral("INTEREST RECEIVED"));
        w = std::make_unique<frm_DocCode_Acc_Combination>(ts.session);
        w->show();
        QApplication::setActiveWindow(w.get());
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
    }
    void link(const QString& doc, const QString& acc, const QString& desc) {
        ts.db().exec(QStringLiteral("INSERT INTO M_TBL_DOCUMENTACCOUNT_COMB (DOC_CODE, ACC_CODE, ACCOUNT_DESC) VALUES (?, ?, ?)"),
                     {doc, acc, desc});
    }
    void choose(const QString& code) {
        const int i = w->Cmb_DocCode->findText(code);
        QVERIFY(i >= 0);
        w->Cmb_DocCode->setCurrentIndex(i);
    }
    QString desc(const QString& doc, const QString& acc) {
        return ts.db().scalar(QStringLiteral("SELECT ACCOUNT_DESC FROM M_TBL_DOCUMENTACCOUNT_COMB WHERE DOC_CODE=? AND ACC_CODE=?"),
                              {doc, acc}).toString();
    }
    int links(const QString& doc) {
        return ts.db().scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_DOCUMENTACCOUNT_COMB WHERE DOC_CODE=?"), {doc}).toInt();
    }
    void clickRow(int row) {
        QTest::mouseClick(w->Grid1->viewport(), Qt::LeftButton, {}, w->Grid1->visualRect(w->Grid1->model()->index(row, 2)).center());
    }
};

}  // namespace

class tst_admin_linkage : public QObject {
    Q_OBJECT
private slots:
    void loadsCodesInOrderWithTheFirstChosen() {
        Fixture f;
        auto* w = f.w.get();
        QCOMPARE(w->windowTitle(), QStringLiteral("DOCUMENT - ACCOUNT CODE LINKAGE MASTER"));
        QCOMPARE(w->Cmb_DocCode->currentText(), QStringLiteral("ANCP01"));
        QCOMPARE(w->lbl_DocDesc->text(), QStringLiteral("ADVICE NOTE CREDIT POSTING - HOTEL"));
        QCOMPARE(w->tool(4)->toolTip(), QStringLiteral("Delete Record { F4 }"));
        // Empty grid: the header and one blank row.
        QCOMPARE(w->Grid1->rowCount(), 1);
        QCOMPARE(w->Grid1->horizontalHeaderItem(2)->text(), QStringLiteral("A/C CODE"));
        f.choose(QStringLiteral("FRDM01"));
        QCOMPARE(w->Grid1->rowCount(), 1);
        QCOMPARE(gridTextAt(w, 0), (QStringList{"1", "FRDM01", "INT01", "INTEREST RECEIVED"}));
        shoot(*w, QStringLiteral("frm_DocCode_Acc_Combination"));
    }

    void lockedCodesCanBeViewedOnly() {
        Fixture f;
        auto* w = f.w.get();
        for (const QString code : {"ESSLP01", "LIDB01", "LRCR01", "LRCR02"}) {
            f.choose(code);
            QVERIFY2(!w->txt_AccCode->isEnabled() && !w->txt_AccDesc->isEnabled(), qPrintable(code));
            QVERIFY(!w->tool(3)->isEnabled());
            QVERIFY(!w->tool(4)->isEnabled());
            QCOMPARE(w->txt_AccCode->palette().color(QPalette::Disabled, QPalette::Base), QColor(0xC0, 0xC0, 0xC0));
        }
        f.choose(QStringLiteral("LIDB01"));
        QCOMPARE(w->lbl_DocDesc->text(), QStringLiteral("LOAN ISSUED DEBIT"));
        f.clickRow(0);
        QCOMPARE(w->txt_AccCode->text(), QStringLiteral("LOAN01"));
        QVERIFY(!w->txt_AccDesc->isEnabled());
        shoot(*w, QStringLiteral("frm_DocCode_Acc_Combination_locked"));
        // F3 and F4 are inert: no message, nothing changed.
        w->txt_AccDesc->setText(QStringLiteral("CHANGED"));
        QTest::keyClick(w->Grid1, Qt::Key_F3);
        QTest::keyClick(w->Grid1, Qt::Key_F4);
        QVERIFY(f.ts.prompter.messages.isEmpty());
        QCOMPARE(f.desc(QStringLiteral("LIDB01"), QStringLiteral("LOAN01")), QStringLiteral("STAFF LOAN"));
        QCOMPARE(f.links(QStringLiteral("LIDB01")), 1);
        // Any other code unlocks the window again.
        f.choose(QStringLiteral("FRDM01"));
        QVERIFY(w->txt_AccCode->isEnabled() && w->txt_AccDesc->isEnabled());
        QVERIFY(w->tool(3)->isEnabled() && w->tool(4)->isEnabled());
        QCOMPARE(w->txt_AccCode->palette().color(QPalette::Active, QPalette::Base), QColor(Qt::white));
    }

    void saveChecksThenStoresWithoutQuestion() {
        Fixture f;
        auto* w = f.w.get();
        f.choose(QStringLiteral("APCM01"));
        w->txt_AccCode->setFocus();
        QTest::keyClick(w->txt_AccCode, Qt::Key_F3);
        QCOMPARE(f.ts.prompter.texts(), QStringList{QStringLiteral("SORRY ACCOUNT CODE CANNOT BE BLANK....")});
        QCOMPARE(QApplication::focusWidget(), w->txt_AccCode);

        typeKeys(QStringLiteral("rent01"));
        QCOMPARE(w->txt_AccCode->text(), QStringLiteral("RENT01"));
        keyToFocus(Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w->txt_AccDesc);
        w->Grid1->setFocus();
        f.ts.prompter.clear();
        keyToFocus(Qt::Key_F3);
        QCOMPARE(f.ts.prompter.texts(), QStringList{QStringLiteral("SORRY ACCOUNT DESCRIPTION CANNOT BE BLANK....")});
        QCOMPARE(QApplication::focusWidget(), w->txt_AccDesc);
        typeKeys(QStringLiteral("office rent"));
        f.ts.prompter.clear();
        keyToFocus(Qt::Key_F3);
        QCOMPARE(f.ts.prompter.texts(), QStringList{QStringLiteral("UPDATION SUCCESSFULLY DONE ....")});
        QCOMPARE(f.desc(QStringLiteral("APCM01"), QStringLiteral("RENT01")), QStringLiteral("OFFICE RENT"));
        // Grid reloaded, fields cleared.
        QCOMPARE(gridTextAt(w, 0), (QStringList{"1", "APCM01", "RENT01", "OFFICE RENT"}));
        QVERIFY(w->txt_AccCode->text().isEmpty() && w->txt_AccDesc->text().isEmpty());

        // Choosing the row: the code is fixed, only the description changes.
        f.clickRow(0);
        QCOMPARE(w->txt_AccCode->text(), QStringLiteral("RENT01"));
        QVERIFY(!w->txt_AccCode->isEnabled());
        QCOMPARE(QApplication::focusWidget(), w->txt_AccDesc);
        typeKeys(QStringLiteral("rent of office"));
        f.ts.prompter.clear();
        keyToFocus(Qt::Key_F3);
        QCOMPARE(f.ts.prompter.texts(), QStringList{QStringLiteral("UPDATION SUCCESSFULLY DONE ....")});
        QCOMPARE(f.links(QStringLiteral("APCM01")), 1);
        QCOMPARE(f.desc(QStringLiteral("APCM01"), QStringLiteral("RENT01")), QStringLiteral("RENT OF OFFICE"));
        QVERIFY(w->txt_AccCode->isEnabled());  // New state again

        // A refused statement shows its description and keeps the fields.
        w->txt_AccCode->setText(QStringLiteral("X1"));
        w->txt_AccDesc->setText(QStringLiteral("SOMETHING"));
        f.ts.prompter.clear();
        f.ts.db().failStatement(1);
        w->Save_Record();
        QCOMPARE(f.ts.prompter.texts(), QStringList{QStringLiteral("Statement refused (injected failure)")});
        QCOMPARE(w->txt_AccCode->text(), QStringLiteral("X1"));
        QCOMPARE(f.links(QStringLiteral("APCM01")), 1);
    }

    void deleteRefusesInUseAndAsksFirst() {
        Fixture f;
        auto* w = f.w.get();
        f.link(QStringLiteral("FRDM01"), QStringLiteral("INT02"), QStringLiteral("INTEREST TWO"));
        f.ts.db().exec(QStringLiteral("INSERT INTO M_TBL_TRANSACTION (DOC_CODE, DOC_NO, TO_ACC, DOC_STATUS) VALUES "
                                      "('FRDM01', 1, 'INT01', 'NC'), ('FRDM01', 2, 'INT02', 'CNCL')"));
        f.choose(QStringLiteral("FRDM01"));
        QCOMPARE(w->Grid1->rowCount(), 2);

        QTest::keyClick(w->Grid1, Qt::Key_F4);
        QCOMPARE(f.ts.prompter.texts(), QStringList{QStringLiteral("PLEASE SELECT FROM LIST TO DELETE THE RECORD....")});

        // INT01 has a pending document: refused.
        f.clickRow(0);
        f.ts.prompter.clear();
        QTest::keyClick(w->txt_AccDesc, Qt::Key_F4);
        QCOMPARE(f.ts.prompter.texts(),
                 QStringList{QStringLiteral("DOCUMENT CODE : FRDM01 AND A/C CODE : INT01 CANNOT BE DELETED AS THEY ARE BEING IN USE....")});
        QCOMPARE(f.links(QStringLiteral("FRDM01")), 2);

        // INT02 is used only by a cancelled document: the question, No keeps it, Yes deletes.
        f.clickRow(1);
        QCOMPARE(w->txt_AccCode->text(), QStringLiteral("INT02"));
        const QString question = QStringLiteral("ARE YOU SURE WANT TO DELETE ...\n DOCUMNT CODE : FRDM01\n ACCOUNT CODE : INT02\n"
                                                " DELETION IS IRREVERSIBLE, WANT TO PROCEED (Y/N) ?");
        f.ts.prompter.clear();
        f.ts.prompter.answers = {false};
        QTest::keyClick(w->txt_AccDesc, Qt::Key_F4);
        QCOMPARE(f.ts.prompter.messages.size(), 1);
        QCOMPARE(f.ts.prompter.messages.at(0).kind, QStringLiteral("question"));
        QCOMPARE(f.ts.prompter.messages.at(0).text, question);
        QCOMPARE(f.links(QStringLiteral("FRDM01")), 2);

        f.ts.prompter.clear();
        f.ts.prompter.answers = {true};
        QTest::keyClick(w->txt_AccDesc, Qt::Key_F4);
        QCOMPARE(f.ts.prompter.texts(), (QStringList{question, QStringLiteral("DELETION COMPLETED SUCCESSFULLY ....")}));
        QCOMPARE(f.links(QStringLiteral("FRDM01")), 1);
        QCOMPARE(f.desc(QStringLiteral("FRDM01"), QStringLiteral("INT01")), QStringLiteral("INTEREST RECEIVED"));
        QCOMPARE(w->Grid1->rowCount(), 1);
        QCOMPARE(gridTextAt(w, 0).at(2), QStringLiteral("INT01"));
        // The deleted row is no longer chosen.
        f.ts.prompter.clear();
        QTest::keyClick(w->Grid1, Qt::Key_F4);
        QCOMPARE(f.ts.prompter.texts(), QStringList{QStringLiteral("PLEASE SELECT FROM LIST TO DELETE THE RECORD....")});
    }

    void escapeCloses() {
        Fixture f;
        f.w->txt_AccCode->setFocus();
        QTest::keyClick(f.w->txt_AccCode, Qt::Key_Escape);
        QVERIFY(!f.w->isVisible());
    }

private:
    static QStringList gridTextAt(frm_DocCode_Acc_Combination* w, int row) {
        QStringList out;
        for (int c = 0; c < w->Grid1->columnCount(); ++c)
            out << (w->Grid1->item(row, c) ? w->Grid1->item(row, c)->text() : QString());
        return out;
    }
};

QTEST_MAIN(tst_admin_linkage)
#include "tst_admin_linkage.moc"
