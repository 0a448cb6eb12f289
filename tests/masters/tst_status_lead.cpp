// The status-master family (lead, booking, operations): checks, the question, numbering after
// Yes, the one lock holder, row colours, all-or-nothing saves, and the colour chooser.
#include "masters/Colour_Picker.h"
#include "masters/StatusMaster.h"
#include "masters/StatusWindows.h"
#include "shell/kit/GridHelpers.h"
#include "support/Drive.h"
#include "support/SaveProtocol.h"
#include "support/TestSession.h"

#include <QLabel>
#include <QPushButton>
#include <QSlider>

using namespace tarvic;
using namespace tarvic::test;

namespace {

const QString kLeadSaved = QStringLiteral("LEAD STATUS SUCCESSFULLY UPDATED .....");

struct Fixture {
    TestSession ts;
    std::unique_ptr<StatusMaster> w;

    explicit Fixture(StatusMasterConfig config = frm_LeadStatus_Config()) {
        w = std::make_unique<StatusMaster>(ts.session, nullptr, std::move(config));
        QVERIFY(showActive(*w));
    }
    // Fills the form as a user would.
    void enter(const QString& name, const QString& slno, const QString& lock, QList<int> colours) {
        w->Load_Init();
        typeInto(w->txt_Status, name);
        typeInto(w->txt_SlNO, slno);
        w->lockLists.first()->setCurrentText(lock);
        QLineEdit* fields[] = {w->txt_R, w->txt_G, w->txt_B, w->txt_FR, w->txt_FG, w->txt_FB};
        for (int i = 0; i < 6; ++i)
            typeInto(fields[i], QString::number(colours.value(i)));
    }
    void save(bool answer = true) {
        ts.prompter.clear();
        ts.prompter.answers = {answer};
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F3);
    }
    qint64 leads(const QString& where) { return count(ts.db(), "M_TBL_LEADSTATUS", where); }
};

// Opens the chooser from a button, polling until it is up (it is modal).
Colour_Picker* openPicker(QPushButton* button) {
    QTest::mouseClick(button, Qt::LeftButton);
    for (int i = 0; i < 100 && !qobject_cast<Colour_Picker*>(QApplication::activeModalWidget()); ++i)
        QTest::qWait(20);
    return qobject_cast<Colour_Picker*>(QApplication::activeModalWidget());
}

}  // namespace

class tst_status_lead : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void saveChecksAsksThenNumbersAfterYes() {
        Fixture f;
        auto* w = f.w.get();
        QCOMPARE(checkInOrder(f.ts.prompter, f.ts.db(), {"M_TBL_LEADSTATUS"},
                              {{"PLEASE ENTER LEAD STATUS TYPE ....", {}, w->txt_Status}},
                              [&] { QTest::keyClick(w->txt_SlNO, Qt::Key_F3); }),
                 QString());
        const QString question =
            " YOU ARE ABOUT TO UPDATUS LEAD STATUS \n STATUS : BOOKED\n ARE YOU SURE WANT TO PROCEED (Y/N) ?";
        f.enter("booked", "3", "Y", {255, 255, 0, 0, 0, 128});
        f.save(false);
        QCOMPARE(f.ts.prompter.texts(), QStringList{question});
        QCOMPARE(f.leads({}), 0);
        QCOMPARE(counter(f.ts.db(), "LEADSTAT"), 0);

        f.save();
        QCOMPARE(f.ts.prompter.texts(), (QStringList{question, kLeadSaved}));
        QCOMPARE(counter(f.ts.db(), "LEADSTAT"), 1);
        QCOMPARE(w->lbl_Code->text(), "1");
        QCOMPARE(f.leads("LEADSTATUS_CODE=1 AND LEAD_STATUS='BOOKED' AND LEAD_SLNO=3 AND LEAD_LOCK='Y' AND "
                         "RGB_COLOR='255,255,0' AND L_BLUE=0 AND RGB_COLOR_F='0,0,128' AND L_F_BLUE=128 AND "
                         "CREATED_BY='ADMINISTRATOR' AND UPDATE_BY='ADMINISTRATOR' AND CREATED_ON IS NOT NULL"),
                 1);
        // The grid row is painted in the status's own colours.
        const int row = rowOf(w->Grid1->model(), 1, "BOOKED");
        QCOMPARE(w->Grid1->item(row, 0)->background().color(), QColor(255, 255, 0));
        QCOMPARE(w->Grid1->item(row, 1)->foreground().color(), QColor(0, 0, 128));
        QCOMPARE(gridText(w->Grid1, row, 3), "Y");

        // Saved again: same code, no new number, creation kept.
        const QVariant created = f.ts.db().scalar("SELECT CREATED_ON FROM M_TBL_LEADSTATUS");
        w->txt_Status->setText("BOOKED TOUR");
        f.save();
        QCOMPARE(counter(f.ts.db(), "LEADSTAT"), 1);
        QCOMPARE(f.leads("LEAD_STATUS='BOOKED TOUR'"), 1);
        QCOMPARE(f.ts.db().scalar("SELECT CREATED_ON FROM M_TBL_LEADSTATUS"), created);

        // Empty colour fields are stored as 0; listed by LEAD_SLNO.
        f.enter("open", "1", "N", {1, 2, 3, 4, 5, 6});
        w->txt_G->clear();
        w->txt_FR->clear();
        f.save();
        QCOMPARE(f.leads("LEADSTATUS_CODE=2 AND RGB_COLOR='1,0,3' AND RGB_COLOR_F='0,5,6'"), 1);
        QCOMPARE(column(w->Grid1->model(), 1).mid(0, 2), QStringList({"OPEN", "BOOKED TOUR"}));
    }

    void onlyOneStatusHoldsTheLockAllOrNothing() {
        Fixture f;
        auto* w = f.w.get();
        f.enter("booked", "1", "Y", {255, 255, 0});
        f.save();
        f.enter("confirmed", "2", "Y", {0, 255, 0});
        f.save();
        f.enter("lost", "3", "N", {255, 0, 0, 255, 255, 255});
        f.save();
        QCOMPARE(f.leads("LEAD_LOCK='Y'"), 1);
        QCOMPARE(f.leads("LEADSTATUS_CODE=2 AND LEAD_LOCK='Y'"), 1);

        // A single click loads nothing; a double click loads the row; Y takes the lock back.
        const QPoint at =
            w->Grid1->visualRect(w->Grid1->model()->index(rowOf(w->Grid1->model(), 1, "BOOKED"), 1)).center();
        QTest::mouseClick(w->Grid1->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(w->code(), 3);
        QTest::mouseDClick(w->Grid1->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(QStringList({w->lbl_Code->text(), w->txt_Status->text(), w->lockLists.first()->currentText(),
                              w->txt_G->text(), w->lbl_CreatedBy->text()}),
                 QStringList({"1", "BOOKED", "N", "255", "ADMINISTRATOR"}));
        w->lockLists.first()->setCurrentText("Y");
        f.save();
        QCOMPARE(f.leads("LEAD_LOCK='Y'"), 1);
        QCOMPARE(f.leads("LEADSTATUS_CODE=1 AND LEAD_LOCK='Y'"), 1);

        // Enter on a grid row loads it too; F2 clears for a new status.
        w->Grid1->setFocus();
        w->Grid1->setCurrentCell(rowOf(w->Grid1->model(), 1, "LOST"), 1);
        QTest::keyClick(w->Grid1, Qt::Key_Return);
        QCOMPARE(w->code(), 3);
        QTest::keyClick(w->Grid1, Qt::Key_F2);
        QVERIFY(w->code() == 0 && w->txt_Status->text().isEmpty() && w->lbl_Code->text().isEmpty());

        // A new status taking the lock: its number, its row and the other lock's clearing are
        // kept together or not at all.
        QCOMPARE(checkAtomic(
                     f.ts.prompter, f.ts.db(), {"M_TBL_LEADSTATUS"}, kLeadSaved,
                     [&] {
                         f.enter("quoted", "4", "Y", {9, 9, 9});
                     },
                     [&] { w->Save_Record(); }),
                 QString());
        QCOMPARE(f.leads("LEADSTATUS_CODE=4 AND LEAD_LOCK='Y'"), 1);
        QCOMPARE(f.leads("LEAD_LOCK='Y'"), 1);
    }

    void bookingStatusKeepsItsEightFlags() {
        TestSession ts;
        // The booking status tables come with the windows that own them; made here when missing.
        const QString common =
            "CBPT_STATUS VARCHAR(100), CBPT_SLNO INTEGER, H_RED INTEGER, H_GREEN INTEGER, H_BLUE INTEGER, "
            "RGB_COLOR VARCHAR(20), H_F_RED INTEGER, H_F_GREEN INTEGER, H_F_BLUE INTEGER, "
            "RGB_COLOR_F VARCHAR(20), %1 CREATED_BY VARCHAR(100), CREATED_ON TIMESTAMP, "
            "UPDATE_BY VARCHAR(100), UPDATE_ON TIMESTAMP)";
        QString locks;
        for (const char* l : {"LEAD", "QUOT", "MONEYRCPT", "ANCP01", "ANCP02", "ANCP03", "PAYMENT", "CBPT"})
            locks += QStringLiteral("LCK_%1 VARCHAR(1), ").arg(l);
        if (!ts.db().tableExists("M_TBL_CBPT_STATUS"))
            ts.db().exec("CREATE TABLE M_TBL_CBPT_STATUS (CBPTSTATUS_CODE INTEGER NOT NULL PRIMARY KEY, " +
                         common.arg(locks));
        if (!ts.db().tableExists("M_TBL_CBPT_STATUS_OPS"))
            ts.db().exec("CREATE TABLE M_TBL_CBPT_STATUS_OPS (CBPTSTATUS_CODE_O INTEGER NOT NULL PRIMARY KEY, " +
                         common.arg(QString()));
        {
            StatusMaster w(ts.session, nullptr, frm_CBPTSTATUS_Config());
            QCOMPARE(w.lockLists.size(), 8);
            auto save = [&](const QString& name, QList<int> yes) {
                w.Load_Init();
                w.txt_Status->setText(name);
                w.txt_SlNO->setText("1");
                w.txt_R->setText("200");
                for (int i : yes)
                    w.lockLists.at(i)->setCurrentText("Y");
                ts.prompter.clear();
                ts.prompter.answers = {true};
                w.Save_Record();
            };
            save("CLOSED", {2, 7});
            QCOMPARE(
                ts.prompter.texts(),
                (QStringList{
                    " YOU ARE ABOUT TO UPDATUS CBPT STATUS \n STATUS : CLOSED\n ARE YOU SURE WANT TO PROCEED (Y/N) ?",
                    "CBPT STATUS SUCCESSFULLY UPDATED ....."}));
            save("ON TOUR", {7});
            QCOMPARE(count(ts.db(), "M_TBL_CBPT_STATUS",
                           "CBPTSTATUS_CODE=1 AND CBPT_STATUS='CLOSED' AND "
                           "LCK_MONEYRCPT='Y' AND LCK_LEAD='N' AND RGB_COLOR='200,0,0'"),
                     1);
            // Booking locks are not exclusive: both statuses keep LCK_CBPT.
            QCOMPARE(count(ts.db(), "M_TBL_CBPT_STATUS", "LCK_CBPT='Y'"), 2);
            QCOMPARE(counter(ts.db(), "CBPTSTAT"), 2);
        }
        StatusMaster w(ts.session, nullptr, frm_CBPTSTATUS_OPS_Config());
        QVERIFY(w.lockLists.isEmpty());
        w.txt_Status->setText("ASSIGNED");
        ts.prompter.answers = {true};
        w.Save_Record();
        QCOMPARE(count(ts.db(), "M_TBL_CBPT_STATUS_OPS", "CBPTSTATUS_CODE_O=1 AND CBPT_STATUS='ASSIGNED'"), 1);
        QCOMPARE(counter(ts.db(), "CBPTSTAT_OPS"), 1);
    }

    void colourChooserHandsTheColourBack() {
        QStandardPaths::setTestModeEnabled(true);
        Fixture f;
        auto* w = f.w.get();
        Colour_Picker* p = openPicker(w->Cmb_PickColor);
        QVERIFY(p && p->isModal());
        QCOMPARE(p->R_Value->text() + " " + QString::number(p->G_Slider->value()), "255 255");

        // 300 is refused with the range message titled by its component; the field goes back.
        typeInto(p->R_Value, "300");
        QCOMPARE(f.ts.prompter.messages.size(), 1);
        QCOMPARE(f.ts.prompter.messages.first().text, "Invalid value. Range must be within (0-255).");
        QCOMPARE(f.ts.prompter.messages.first().title, "Can't Set Red");
        QCOMPARE(p->R_Value->text() + " " + QString::number(p->R_Slider->value()),
                 "30 30");           // "30" was valid on the way
        typeInto(p->B_Value, "x7");  // letters never reach a field
        QCOMPARE(p->B_Value->text() + " " + QString::number(p->B_Slider->value()), "7 7");
        f.ts.prompter.clear();
        typeInto(p->G_Value, "999");
        QCOMPARE(f.ts.prompter.messages.first().title, "Can't Set Green");

        // A slider sets its field and the selected colour; a click on the palette takes its pixel.
        p->G_Slider->setValue(64);
        QCOMPARE(p->G_Value->text(), "64");
        QCOMPARE(p->pic_Selected->palette().color(QPalette::Window), QColor(30, 64, 7));
        const QPoint at(40, 120);
        const QColor pixel = p->pic_Palette->image().pixelColor(at);
        QTest::mouseClick(p->pic_Palette, Qt::LeftButton, {}, at);
        QCOMPARE(p->colour(), pixel);
        QCOMPARE(p->B_Slider->value(), pixel.blue());
        // The simplified view hides the palette.
        QTest::mouseClick(p->Cmd_View, Qt::LeftButton);
        QVERIFY(!p->pic_Palette->isVisible());
        QTest::mouseClick(p->Cmd_View, Qt::LeftButton);
        QVERIFY(p->pic_Palette->isVisible());

        QTest::mouseClick(p->Cmd_OK, Qt::LeftButton);
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QCOMPARE(QStringList({w->txt_R->text(), w->txt_G->text(), w->txt_B->text(), w->txt_FR->text()}),
                 QStringList({QString::number(pixel.red()), QString::number(pixel.green()),
                              QString::number(pixel.blue()), ""}));

        // The fore colour by Apply; Cancel writes nothing.
        const std::pair<bool, QColor> tries[] = {{false, QColor(10, 20, 30)}, {true, QColor(1, 1, 1)}};
        for (const auto& [cancel, colour] : tries) {
            p = openPicker(w->Cmb_PickColor2);
            QVERIFY(p);
            p->setColour(colour);
            QTest::mouseClick(cancel ? p->Cmd_Cancel : p->Cmd_Apply, Qt::LeftButton);
            QTRY_VERIFY(!QApplication::activeModalWidget());
        }
        QCOMPARE(w->txt_FR->text() + "," + w->txt_FG->text() + "," + w->txt_FB->text(), "10,20,30");
    }
};

QTEST_MAIN(tst_status_lead)
#include "tst_status_lead.moc"
