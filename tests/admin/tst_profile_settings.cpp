// The company profile and the mail server settings: what is shown, the question and checks
// in their order, one settings row however often it is saved, and the menu entries.
#include "support/Drive.h"
#include "admin/TransferWindows.h"
#include "admin/frm_CompanyProfile.h"
#include "admin/frm_SMTP.h"
#include "support/TestSession.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <memory>

using namespace tarvic;
using namespace tarvic::test;

namespace {

const QString kProfileQuestion =
    QStringLiteral(" YOU ARE ABOUT TO UPDATE COMPANY PROFILE ....\n ARE YOU SURE WANT TO PROCEED (Y/N) ?");
const QString kProfileDone = QStringLiteral("UPDATION OF COMPANY PROFILE SUCCESSFULLY DONE ....");
const QString kSmtpDone = QStringLiteral("SMTP DETAILS SUCCESSFULLY UPDATED ....");

template <class W>
std::unique_ptr<W> open(TestSession& ts) {
    auto w = std::make_unique<W>(ts.session);
    showActive(*w);
    return w;
}

QStringList emailRow(Database& db) {
    auto r = db.firstRow(QStringLiteral("SELECT EMAIL_USERNAME, EMAIL_PASSWORD, EMAIL_SMTP, EMAIL_SMTP_PORT, "
                                        "EMAIL_SENDERNAME, EMAIL_SENDERADD FROM M_TBL_EMAIL"));
    QStringList out;
    if (r)
        for (int i = 0; i < 6; ++i)
            out << r->value(i).toString();
    return out;
}

}  // namespace

class tst_profile_settings : public QObject {
    Q_OBJECT
private slots:
    void companyProfileShowsTheRowAndSavesOnlyThePicturePlace() {
        TestSession ts;
        Database& db = ts.db();
        db.exec(QStringLiteral("UPDATE MST_LOCATIONDETAILS SET ADD1=?, STATE=?, PHOTO_PATH=?"),
                {QStringLiteral("  KOCHI "), QStringLiteral(" KERALA  "), QStringLiteral(" http://old.example/img ")});
        auto w = open<frm_CompanyProfile>(ts);
        QCOMPARE(w->windowTitle(), QStringLiteral("COMPANY PROFILE"));
        QCOMPARE(w->lbl_CompName->text(), QStringLiteral("TARVIC HOLIDAYS"));
        QCOMPARE(w->lbl_CityName->text(), QStringLiteral("KOCHI"));
        QCOMPARE(w->lbl_StateName->text(), QStringLiteral("KERALA"));
        QCOMPARE(w->txt_ImgUrl->text(), QStringLiteral("http://old.example/img"));
        QVERIFY(!w->txt_ImgUrl->placeholderText().isEmpty());
        QCOMPARE(w->Cmd_Save->text(), QStringLiteral("&Save Record"));
        shoot(*w, QStringLiteral("frm_CompanyProfile"));

        w->txt_ImgUrl->setFocus();
        typeKeys(QStringLiteral("  http://new.example/pics  "));
        // No: nothing changes.
        ts.prompter.answers = {false};
        QTest::mouseClick(w->Cmd_Save, Qt::LeftButton);
        QCOMPARE(ts.prompter.texts(), QStringList{kProfileQuestion});
        QCOMPARE(ts.prompter.messages.at(0).kind, QStringLiteral("question"));
        QCOMPARE(db.scalar(QStringLiteral("SELECT PHOTO_PATH FROM MST_LOCATIONDETAILS")).toString(),
                 QStringLiteral(" http://old.example/img "));

        // Yes: the trimmed place is stored, the rest of the row kept, the row shown again.
        ts.prompter.clear();
        ts.prompter.answers = {true};
        QTest::mouseClick(w->Cmd_Save, Qt::LeftButton);
        QCOMPARE(ts.prompter.texts(), (QStringList{kProfileQuestion, kProfileDone}));
        auto row = db.firstRow(QStringLiteral("SELECT LOC_NAME, ADD1, STATE, PHOTO_PATH FROM MST_LOCATIONDETAILS"));
        QVERIFY(row);
        QCOMPARE(row->value(0).toString(), QStringLiteral("TARVIC HOLIDAYS"));
        QCOMPARE(row->value(1).toString(), QStringLiteral("  KOCHI "));
        QCOMPARE(row->value(3).toString(), QStringLiteral("http://new.example/pics"));
        QCOMPARE(db.scalar(QStringLiteral("SELECT COUNT(*) FROM MST_LOCATIONDETAILS")).toInt(), 1);
        QCOMPARE(w->txt_ImgUrl->text(), QStringLiteral("http://new.example/pics"));

        // A refused statement shows its description and no success.
        ts.prompter.clear();
        ts.prompter.answers = {true};
        db.failStatement(1);
        w->Save_Record();
        QCOMPARE(ts.prompter.texts(), (QStringList{kProfileQuestion, QStringLiteral("Statement refused (injected failure)")}));

        // Escape closes the window.
        QTest::keyClick(w->txt_ImgUrl, Qt::Key_Escape);
        QVERIFY(!w->isVisible());
    }

    void companyProfileAddsTheRowToAnEmptyTable() {
        TestSession ts;
        Database& db = ts.db();
        db.exec(QStringLiteral("DELETE FROM MST_LOCATIONDETAILS"));
        auto w = open<frm_CompanyProfile>(ts);
        QVERIFY(w->lbl_CompName->text().isEmpty() && w->txt_ImgUrl->text().isEmpty());
        w->txt_ImgUrl->setText(QStringLiteral("/srv/pictures"));
        ts.prompter.answers = {true, true};
        w->Save_Record();
        w->Save_Record();
        QCOMPARE(ts.prompter.texts(), (QStringList{kProfileQuestion, kProfileDone, kProfileQuestion, kProfileDone}));
        QCOMPARE(db.scalar(QStringLiteral("SELECT COUNT(*) FROM MST_LOCATIONDETAILS")).toInt(), 1);
        QCOMPARE(db.scalar(QStringLiteral("SELECT PHOTO_PATH FROM MST_LOCATIONDETAILS")).toString(), QStringLiteral("/srv/pictures"));
    }

    void smtpChecksInOrderThenKeepsOneRow() {
        TestSession ts;
        Database& db = ts.db();
        auto w = open<frm_SMTP>(ts);
        QCOMPARE(w->windowTitle(), QStringLiteral("CONFIGURE SMTP"));
        QCOMPARE(w->Cmd_Save->text(), QStringLiteral("Save &SMTP"));
        QCOMPARE(w->txt_SMTPPasswd->echoMode(), QLineEdit::Password);
        for (QLineEdit* e : w->findChildren<QLineEdit*>())
            QVERIFY(e->text().isEmpty());

        // Each empty field stops the save with its message and the focus; blanks count as empty.
        struct Step {
            QLineEdit* field;
            QString message;
            QString typed;
        };
        const QList<Step> steps{
            {w->txt_SMTPUsrName, QStringLiteral("PLEASE ENTER SMTP USER NAME ....."), QStringLiteral(" mailer@tarvic.test ")},
            {w->txt_SMTPPasswd, QStringLiteral("PLEASE ENTER SMTP PASSWORD ....."), QStringLiteral("s3cret;Pw")},
            {w->txt_SMTPServer, QStringLiteral("PLEASE ENTER SMTP SERVER ....."), QStringLiteral("smtp.tarvic.test")},
            {w->txt_SMTPPort, QStringLiteral("PLEASE ENTER SMTP PORT ....."), QStringLiteral("465")},
        };
        w->txt_SMTPPort->setText(QStringLiteral("   "));
        for (const Step& s : steps) {
            ts.prompter.clear();
            QTest::mouseClick(w->Cmd_Save, Qt::LeftButton);
            QCOMPARE(ts.prompter.texts(), QStringList{s.message});
            QCOMPARE(ts.prompter.messages.at(0).kind, QStringLiteral("information"));
            QCOMPARE(QApplication::focusWidget(), s.field);
            QCOMPARE(db.scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_EMAIL")).toInt(), 0);
            QCoreApplication::processEvents();  // the field selects its text on focus
            typeKeys(s.typed);
        }
        // Enter moves on to the next field.
        QTest::keyClick(w->txt_SMTPPort, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w->txt_SenderName);
        // The port takes digits only.
        QCOMPARE(w->txt_SMTPPort->text(), QStringLiteral("465"));
        w->txt_SMTPPort->setFocus();
        typeKeys(QStringLiteral("x"));
        QCOMPARE(w->txt_SMTPPort->text(), QStringLiteral("465"));

        // Sender name and address may stay empty; no question is asked.
        ts.prompter.clear();
        QTest::mouseClick(w->Cmd_Save, Qt::LeftButton);
        QCOMPARE(ts.prompter.texts(), QStringList{kSmtpDone});
        QCOMPARE(emailRow(db), (QStringList{"mailer@tarvic.test", "s3cret;Pw", "smtp.tarvic.test", "465", "", ""}));
        shoot(*w, QStringLiteral("frm_SMTP"));

        // Saved again with the sender: still one row, now complete.
        w->txt_SenderName->setText(QStringLiteral("TARVIC HOLIDAYS"));
        w->txt_SenderEmail->setText(QStringLiteral(" tours@tarvic.test "));
        ts.prompter.clear();
        QTest::mouseClick(w->Cmd_Save, Qt::LeftButton);
        QCOMPARE(ts.prompter.texts(), QStringList{kSmtpDone});
        QCOMPARE(db.scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_EMAIL")).toInt(), 1);
        QCOMPARE(emailRow(db),
                 (QStringList{"mailer@tarvic.test", "s3cret;Pw", "smtp.tarvic.test", "465", "TARVIC HOLIDAYS", "tours@tarvic.test"}));

        // A window opened later shows the stored row, the password masked.
        auto again = open<frm_SMTP>(ts);
        QCOMPARE(again->txt_SMTPUsrName->text(), QStringLiteral("mailer@tarvic.test"));
        QCOMPARE(again->txt_SMTPPasswd->text(), QStringLiteral("s3cret;Pw"));
        QVERIFY(again->txt_SMTPPasswd->displayText() != QStringLiteral("s3cret;Pw"));
        QCOMPARE(again->txt_SMTPPort->text(), QStringLiteral("465"));
        QCOMPARE(again->txt_SenderEmail->text(), QStringLiteral("tours@tarvic.test"));
    }

    void smtpUpdatesTheRowItFindsAndReportsRefusals() {
        TestSession ts;
        Database& db = ts.db();
        db.exec(QStringLiteral("INSERT INTO M_TBL_EMAIL (EMAIL_ID, EMAIL_USERNAME, EMAIL_PASSWORD, EMAIL_SMTP, EMAIL_SMTP_PORT) "
                               "VALUES (5, ' old ', 'oldpw', 'old.server', '25')"));
        auto w = open<frm_SMTP>(ts);
        QCOMPARE(w->txt_SMTPUsrName->text(), QStringLiteral("old"));
        QCOMPARE(w->txt_SMTPPort->text(), QStringLiteral("25"));
        w->txt_SMTPServer->setText(QStringLiteral("new.server"));
        ts.prompter.clear();
        db.failStatement(2);
        w->Save_Record();
        QCOMPARE(ts.prompter.texts(), QStringList{QStringLiteral("Statement refused (injected failure)")});
        QCOMPARE(emailRow(db).at(2), QStringLiteral("old.server"));
        ts.prompter.clear();
        w->Save_Record();
        QCOMPARE(ts.prompter.texts(), QStringList{kSmtpDone});
        QCOMPARE(db.scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_EMAIL")).toInt(), 1);
        QCOMPARE(db.scalar(QStringLiteral("SELECT EMAIL_SMTP FROM M_TBL_EMAIL WHERE EMAIL_ID=5")).toString(), QStringLiteral("new.server"));
        QCOMPARE(db.scalar(QStringLiteral("SELECT EMAIL_USERNAME FROM M_TBL_EMAIL WHERE EMAIL_ID=5")).toString(), QStringLiteral("old"));
    }
};

QTEST_MAIN(tst_profile_settings)
#include "tst_profile_settings.moc"
