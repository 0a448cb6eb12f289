// The administration settings and code windows: the counters and document codes in their
// grids, the document-account linkage (lock rules, saves, the in-use check and deletion), the
// company profile and the mail server (the question and checks in their order, one settings
// row however often it is saved).
#include "admin/CodeMaintenance.h"
#include "admin/frm_CompanyProfile.h"
#include "admin/frm_DocCode_Acc_Combination.h"
#include "admin/frm_SMTP.h"
#include "data/Numbering.h"
#include "shell/kit/LookupGridModel.h"
#include "shell/kit/LookupGridWindow.h"
#include "support/Drive.h"
#include "support/SaveProtocol.h"
#include "support/TestSession.h"

#include <QLabel>
#include <QPushButton>
#include <QTableView>

using namespace tarvic;
using namespace tarvic::test;
using namespace Qt::StringLiterals;

namespace {

const QString kDone = u"UPDATION SUCCESSFULLY DONE ...."_s;
const QString kProfileQuestion =
    u" YOU ARE ABOUT TO UPDATE COMPANY PROFILE ....\n ARE YOU SURE WANT TO PROCEED (Y/N) ?"_s;
const QString kProfileDone = u"UPDATION OF COMPANY PROFILE SUCCESSFULLY DONE ...."_s;
const QString kRefused = u"Statement refused (injected failure)"_s;
const QString kEmail =
    u"SELECT EMAIL_USERNAME, EMAIL_PASSWORD, EMAIL_SMTP, EMAIL_SMTP_PORT, EMAIL_SENDERNAME, "
    "EMAIL_SENDERADD FROM M_TBL_EMAIL"_s;

template <class W>
std::unique_ptr<W> open(TestSession& ts) {
    auto w = std::make_unique<W>(ts.session);
    showActive(*w);
    return w;
}

struct Linkage {
    TestSession ts;
    std::unique_ptr<frm_DocCode_Acc_Combination> w;
    Linkage() {
        ts.db().exec(
            u"INSERT INTO M_TBL_DOCUMENTACCOUNT_COMB (DOC_CODE, ACC_CODE, ACCOUNT_DESC) VALUES "
            "('LIDB01', 'LOAN01', 'STAFF LOAN'), ('FRDM01', 'INT01', 'INTEREST RECEIVED')"_s);
        w = open<frm_DocCode_Acc_Combination>(ts);
    }
    // "ACC|DESC" of the code's links, by account.
    QStringList links(const QString& doc) {
        return lines(ts.db(),
                     u"SELECT ACC_CODE, ACCOUNT_DESC FROM M_TBL_DOCUMENTACCOUNT_COMB WHERE DOC_CODE=? "
                     "ORDER BY ACC_CODE"_s,
                     {doc});
    }
    void press(int position, const QList<bool>& answers = {}) {
        ts.prompter.clear();
        ts.prompter.answers = answers;
        w->pressTool(position);
    }
};

}  // namespace

class tst_admin_settings : public QObject {
    Q_OBJECT
private slots:
    // A counter reset to 100 gives 101 next; letters and points never reach a number cell;
    // no counter is added in the grid.
    void counterResetTo100GivesNext101() {
        TestSession ts;
        Numbering numbers(ts.db());
        QCOMPARE(numbers.next(u"CBPT01"_s), 1);
        numbers.next(u"ANCP01"_s);
        LookupGridWindow w(ts.session, nullptr, frm_Counter_Config());
        QVERIFY(showActive(w));
        auto* m = w.model();
        const int row = rowOf(m, 0, u"CBPT01"_s);
        typeIntoCell(w.grid(), row, 1, u"1a0.0"_s);
        QVERIFY(!m->isDirty(row));   // still in the editor
        keyToFocus(Qt::Key_Return);  // off the last cell, to the next row: written
        QCOMPARE(w.grid()->currentIndex().row(), row + 1);
        QCOMPARE(counter(ts.db(), u"CBPT01"_s), 100);
        QCOMPARE(numbers.next(u"CBPT01"_s), 101);
        QCOMPARE(m->rowCount(), count(ts.db(), u"MST_COUNTER"_s));  // no new-row line
        QVERIFY(ts.prompter.messages.isEmpty());
    }

    // Lower case typed is stored upper; a new code is stored when the cursor leaves it; a
    // code that exists is refused in the window's words, not stored, and the cursor goes
    // back to it.
    void docCodesEditedAddedAndRefused() {
        TestSession ts;
        Database& db = ts.db();
        const qint64 before = count(db, u"MST_DOCUMENTCODES"_s);
        LookupGridWindow w(ts.session, nullptr, frm_DocCode_Masters_Config());
        QVERIFY(showActive(w));
        auto* m = w.model();
        QCOMPARE(m->index(0, 1).data().toString(), u"BLFC01"_s);  // SLNO 1 first
        typeIntoCell(w.grid(), 0, 2, u"lead for consultant-2 (new)"_s);
        keyToFocus(Qt::Key_Return);
        QTest::keyClick(w.grid(), Qt::Key_Down);
        const QString doc = u"SELECT SLNO, DOC_DESCRIPTION, DOC_HEADER FROM MST_DOCUMENTCODES WHERE DOC_CODE=?"_s;
        QCOMPARE(lines(db, doc, {u"BLFC01"_s}).value(0).section('|', 1, 1), u"LEAD FOR CONSULTANT-2 (NEW)"_s);
        const auto typeRow = [&](const QStringList& cells) {
            typeIntoCell(w.grid(), m->rowCount() - 1, 0, cells.first());
            for (const QString& c : cells.mid(1)) {
                keyToFocus(Qt::Key_Return);
                typeKeys(c);
            }
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            clickCell(w.grid(), 0, 0);
        };
        typeRow({"99", "zzt01", "test doc", "test"});
        QVERIFY2(ts.prompter.messages.isEmpty(), qPrintable(ts.prompter.texts().join('|')));
        QCOMPARE(lines(db, doc, {u"ZZT01"_s}), QStringList{"99|TEST DOC|TEST"});
        const int dupLine = m->rowCount() - 1;
        typeRow({"98", "cbpt01"});
        const QStringList refused = {u"DOC CODE : CBPT01 ALREADY EXISTS, CANNOT PROCEED ....."_s};
        QCOMPARE(ts.prompter.texts(), refused);
        QCOMPARE(db.scalar(u"SELECT SLNO FROM MST_DOCUMENTCODES WHERE DOC_CODE='CBPT01'"_s).toInt(), 6);
        QTRY_COMPARE(w.grid()->currentIndex().row(), dupLine);
        // A number that reached its cell without the key filter (a program, a paste of "-") is
        // refused as well; closing reports both in row order and stores neither.
        ts.prompter.clear();
        QVERIFY(m->setData(m->index(0, 0), u"1-2"_s, Qt::EditRole));
        QTest::keyClick(w.grid(), Qt::Key_Escape);
        QVERIFY(!w.isVisible());
        QCOMPARE(ts.prompter.texts(), QStringList{"INVALID NUMBER FOR SL NO : 1-2 ...."} + refused);
        QCOMPARE(count(db, u"MST_DOCUMENTCODES"_s), before + 1);
        QCOMPARE(db.scalar(u"SELECT SLNO FROM MST_DOCUMENTCODES WHERE DOC_CODE='BLFC01'"_s).toInt(), 1);
    }

    void deletingWhenTheFamilyAllowsIt() {
        TestSession ts;
        Numbering(ts.db()).next(u"ZZQ1"_s);
        Numbering(ts.db()).nextLine(u"7"_s);
        const qint64 counters = count(ts.db(), u"MST_COUNTER"_s);
        LookupGridConfig cfg = frm_Counter_Config();
        cfg.table = u"MST_COUNTER2"_s;
        cfg.allowDelete = true;
        LookupGridWindow w(ts.session, nullptr, cfg);
        QVERIFY(showActive(w));
        clickCell(w.grid(), 0, 1);
        ts.prompter.answers = {false, true};
        QTest::keyClick(w.grid(), Qt::Key_Delete);
        QCOMPARE(ts.prompter.texts(), QStringList{u"ARE YOU SURE WANT TO DELETE ...\n CODE : 7\n DELETION IS "
                                                  "IRREVERSIBLE, WANT TO PROCEED (Y/N) ?"_s});
        QCOMPARE(count(ts.db(), u"MST_COUNTER2"_s), 1);
        QTest::keyClick(w.grid(), Qt::Key_Delete);
        QCOMPARE(count(ts.db(), u"MST_COUNTER2"_s), 0);
        QCOMPARE(w.model()->rowCount(), 0);
        QCOMPARE(count(ts.db(), u"MST_COUNTER"_s), counters);  // other table untouched
    }

    void linkageLocksSavesAndDeletes() {
        Linkage f;
        auto* w = f.w.get();
        QCOMPARE(w->Cmb_DocCode->currentText(), u"ANCP01"_s);  // the first, chosen at load
        for (const QString code : {"ESSLP01", "LRCR01", "LRCR02", "LIDB01"}) {
            choose(w->Cmb_DocCode, code);
            QVERIFY2(!w->txt_AccCode->isEnabled() && !w->txt_AccDesc->isEnabled(), qPrintable(code));
            QVERIFY(!w->tool(3)->isEnabled() && !w->tool(4)->isEnabled());
        }
        QCOMPARE(w->lbl_DocDesc->text(), u"LOAN ISSUED DEBIT"_s);
        clickCell(f.w->Grid1, 0, 2);
        QCOMPARE(w->txt_AccCode->text(), u"LOAN01"_s);
        QVERIFY(!w->txt_AccDesc->isEnabled());
        // Saving and deleting are refused even when called directly: no message, nothing changed.
        w->txt_AccDesc->setText(u"CHANGED"_s);
        w->Save_Record();
        w->Delete_Record();
        QVERIFY(f.ts.prompter.messages.isEmpty());
        QCOMPARE(f.links(u"LIDB01"_s), QStringList{"LOAN01|STAFF LOAN"});
        // Any other code unlocks the window again and lists its links.
        choose(w->Cmb_DocCode, u"FRDM01"_s);
        QVERIFY(w->txt_AccCode->isEnabled() && w->txt_AccDesc->isEnabled() && w->tool(3)->isEnabled());
        QCOMPARE(column(w->Grid1->model(), 2), QStringList{"INT01"});
        // Saving checks in order, then stores without a question.
        choose(w->Cmb_DocCode, u"APCM01"_s);
        const QString err = checkInOrder(f.ts.prompter, f.ts.db(), {u"M_TBL_DOCUMENTACCOUNT_COMB"_s},
                                         {{u"SORRY ACCOUNT CODE CANNOT BE BLANK...."_s, {}, w->txt_AccCode},
                                          {u"SORRY ACCOUNT DESCRIPTION CANNOT BE BLANK...."_s,
                                           [&] { typeInto(w->txt_AccCode, "rent01"); }, w->txt_AccDesc}},
                                         [&] { w->pressTool(3); });
        QVERIFY2(err.isEmpty(), qPrintable(err));
        typeKeys(u"office rent"_s);
        f.press(3);
        QCOMPARE(f.ts.prompter.texts(), QStringList{kDone});
        QCOMPARE(f.links(u"APCM01"_s), QStringList{"RENT01|OFFICE RENT"});
        QCOMPARE(column(w->Grid1->model(), 2), QStringList{"RENT01"});
        QVERIFY(w->txt_AccCode->text().isEmpty() && w->txt_AccDesc->text().isEmpty());
        // A chosen row: the code is fixed, only the description changes.
        clickCell(f.w->Grid1, 0, 2);
        QVERIFY(!w->txt_AccCode->isEnabled());
        QCOMPARE(QApplication::focusWidget(), w->txt_AccDesc);
        typeKeys(u"rent of office"_s);
        f.press(3);
        QCOMPARE(f.ts.prompter.texts(), QStringList{kDone});
        QCOMPARE(f.links(u"APCM01"_s), QStringList{"RENT01|RENT OF OFFICE"});
        QVERIFY(w->txt_AccCode->isEnabled());  // New state again
        // A refused statement shows the database's text and keeps the fields.
        w->txt_AccCode->setText(u"X1"_s);
        w->txt_AccDesc->setText(u"SOMETHING"_s);
        f.ts.db().failStatement(1);
        f.press(3);
        QCOMPARE(f.ts.prompter.texts(), QStringList{kRefused});
        QCOMPARE(w->txt_AccCode->text(), u"X1"_s);
        QCOMPARE(f.links(u"APCM01"_s).size(), 1);
        // Deleting: a link in use is refused; otherwise the question first.
        f.ts.db().exec(
            u"INSERT INTO M_TBL_DOCUMENTACCOUNT_COMB (DOC_CODE, ACC_CODE, ACCOUNT_DESC) VALUES "
            "('FRDM01', 'INT02', 'INTEREST TWO')"_s);
        f.ts.db().exec(
            u"INSERT INTO M_TBL_TRANSACTION (DOC_CODE, DOC_NO, TO_ACC, DOC_STATUS) VALUES "
            "('FRDM01', 1, 'INT01', 'NC'), ('FRDM01', 2, 'INT02', 'CNCL')"_s);
        choose(w->Cmb_DocCode, u"FRDM01"_s);
        const QString choose = u"PLEASE SELECT FROM LIST TO DELETE THE RECORD...."_s;
        f.press(4);
        QCOMPARE(f.ts.prompter.texts(), QStringList{choose});
        // INT01 has a pending document: refused.
        clickCell(f.w->Grid1, 0, 2);
        f.press(4);
        QCOMPARE(f.ts.prompter.texts(),
                 QStringList{
                     u"DOCUMENT CODE : FRDM01 AND A/C CODE : INT01 CANNOT BE DELETED AS THEY ARE BEING IN USE...."_s});
        // INT02 is used only by a cancelled document: the question, No keeps it, Yes deletes.
        clickCell(f.w->Grid1, 1, 2);
        const QString question =
            u"ARE YOU SURE WANT TO DELETE ...\n DOCUMNT CODE : FRDM01\n ACCOUNT CODE : INT02\n"
            " DELETION IS IRREVERSIBLE, WANT TO PROCEED (Y/N) ?"_s;
        f.press(4, {false});
        QCOMPARE(f.links(u"FRDM01"_s).size(), 2);
        f.press(4, {true});
        QCOMPARE(f.ts.prompter.texts(), (QStringList{question, u"DELETION COMPLETED SUCCESSFULLY ...."_s}));
        QCOMPARE(f.links(u"FRDM01"_s), QStringList{"INT01|INTEREST RECEIVED"});
        QCOMPARE(column(w->Grid1->model(), 2), QStringList{"INT01"});
        // The deleted row is no longer chosen; a refused delete is reported.
        f.press(4);
        QCOMPARE(f.ts.prompter.texts(), QStringList{choose});
        clickCell(f.w->Grid1, 0, 2);
        f.ts.db().exec(u"DELETE FROM M_TBL_TRANSACTION"_s);
        f.ts.db().failStatement(2);
        f.press(4, {true});
        QCOMPARE(f.ts.prompter.texts().constLast(), kRefused);
        QCOMPARE(f.links(u"FRDM01"_s).size(), 1);
        QTest::keyClick(w->txt_AccCode, Qt::Key_Escape);
        QVERIFY(!w->isVisible());
    }

    void companyProfileSavesOnlyThePicturePlaceAfterTheQuestion() {
        TestSession ts;
        Database& db = ts.db();
        db.exec(u"UPDATE MST_LOCATIONDETAILS SET ADD1=?, STATE=?, PHOTO_PATH=?"_s,
                {u"  KOCHI "_s, u" KERALA  "_s, u" http://old.example/img "_s});
        auto w = open<frm_CompanyProfile>(ts);
        QCOMPARE((QStringList{w->lbl_CompName->text(), w->lbl_CityName->text(), w->lbl_StateName->text(),
                              w->txt_ImgUrl->text()}),
                 (QStringList{"TARVIC HOLIDAYS", "KOCHI", "KERALA", "http://old.example/img"}));
        typeInto(w->txt_ImgUrl, u"  http://new.example/pics  "_s);
        QStringList stored;
        for (const bool yes : {false, true}) {
            ts.prompter.answers = {yes};
            QTest::mouseClick(w->Cmd_Save, Qt::LeftButton);
            stored += lines(db, u"SELECT LOC_NAME, ADD1, PHOTO_PATH FROM MST_LOCATIONDETAILS"_s);
        }
        QCOMPARE(ts.prompter.texts(), (QStringList{kProfileQuestion, kProfileQuestion, kProfileDone}));
        QCOMPARE(stored, (QStringList{"TARVIC HOLIDAYS|  KOCHI | http://old.example/img ",
                                      "TARVIC HOLIDAYS|  KOCHI |http://new.example/pics"}));
        QCOMPARE(w->txt_ImgUrl->text(), u"http://new.example/pics"_s);
        ts.prompter.answers = {true};
        db.failStatement(1);
        w->Save_Record();
        QCOMPARE(ts.prompter.texts().mid(3), (QStringList{kProfileQuestion, kRefused}));
        // An empty table gets its one row, however often it is saved.
        db.exec(u"DELETE FROM MST_LOCATIONDETAILS"_s);
        auto empty = open<frm_CompanyProfile>(ts);
        QVERIFY(empty->lbl_CompName->text().isEmpty() && empty->txt_ImgUrl->text().isEmpty());
        empty->txt_ImgUrl->setText(u"/srv/pictures"_s);
        ts.prompter.clear();
        ts.prompter.answers = {true, true};
        empty->Save_Record();
        empty->Save_Record();
        QCOMPARE(ts.prompter.texts(), (QStringList{kProfileQuestion, kProfileDone, kProfileQuestion, kProfileDone}));
        QCOMPARE(lines(db, u"SELECT PHOTO_PATH FROM MST_LOCATIONDETAILS"_s), QStringList{"/srv/pictures"});
    }

    // Checks in order; the one settings row is added once, then the row found is shown and
    // updated, never a second one added.
    void smtpChecksInOrderThenKeepsOneRow() {
        TestSession ts;
        Database& db = ts.db();
        auto w = open<frm_SMTP>(ts);
        w->txt_SMTPPort->setText(u"   "_s);  // blanks count as empty
        const auto fillIn = [](QLineEdit* e, const char* text) {
            return [e, text] { e->setText(QLatin1String(text)); };
        };
        const QString err = checkInOrder(
            ts.prompter, db, {u"M_TBL_EMAIL"_s},
            {{u"PLEASE ENTER SMTP USER NAME ....."_s, {}, w->txt_SMTPUsrName},
             {u"PLEASE ENTER SMTP PASSWORD ....."_s, fillIn(w->txt_SMTPUsrName, " mailer@tarvic.test "),
              w->txt_SMTPPasswd},
             {u"PLEASE ENTER SMTP SERVER ....."_s, fillIn(w->txt_SMTPPasswd, "s3cret;Pw"), w->txt_SMTPServer},
             {u"PLEASE ENTER SMTP PORT ....."_s, fillIn(w->txt_SMTPServer, "smtp.tarvic.test"), w->txt_SMTPPort}},
            [&] { QTest::mouseClick(w->Cmd_Save, Qt::LeftButton); });
        QVERIFY2(err.isEmpty(), qPrintable(err));
        QCoreApplication::processEvents();  // the field selects its text on focus
        typeKeys(u"4x65"_s);                // digits only
        // A refused statement stores nothing; sender name and address may stay empty; no question.
        ts.prompter.clear();
        db.failStatement(2);
        QTest::mouseClick(w->Cmd_Save, Qt::LeftButton);
        QCOMPARE(count(db, u"M_TBL_EMAIL"_s), 0);
        QTest::mouseClick(w->Cmd_Save, Qt::LeftButton);
        QCOMPARE(ts.prompter.texts(), (QStringList{kRefused, u"SMTP DETAILS SUCCESSFULLY UPDATED ...."_s}));
        QCOMPARE(lines(db, kEmail), QStringList{"mailer@tarvic.test|s3cret;Pw|smtp.tarvic.test|465||"});
        // The row as another installation left it: shown trimmed, updated under its own key.
        db.exec(u"UPDATE M_TBL_EMAIL SET EMAIL_ID=5, EMAIL_USERNAME=' old '"_s);
        auto again = open<frm_SMTP>(ts);
        QStringList shown;
        for (QLineEdit* e : {again->txt_SMTPUsrName, again->txt_SMTPPasswd, again->txt_SMTPServer, again->txt_SMTPPort})
            shown << e->text();
        QCOMPARE(shown, (QStringList{"old", "s3cret;Pw", "smtp.tarvic.test", "465"}));
        QVERIFY(again->txt_SMTPPasswd->displayText() != u"s3cret;Pw"_s);
        again->txt_SenderName->setText(u"TARVIC HOLIDAYS"_s);
        again->txt_SenderEmail->setText(u" tours@tarvic.test "_s);
        QTest::mouseClick(again->Cmd_Save, Qt::LeftButton);
        QCOMPARE(lines(db, u"SELECT EMAIL_ID FROM M_TBL_EMAIL"_s), QStringList{"5"});
        QCOMPARE(lines(db, kEmail),
                 QStringList{"old|s3cret;Pw|smtp.tarvic.test|465|TARVIC HOLIDAYS|tours@tarvic.test"});
    }
};

QTEST_MAIN(tst_admin_settings)
#include "tst_admin_settings.moc"
