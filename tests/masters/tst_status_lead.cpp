// The lead status window and the status-master family: checks, the question, numbering after
// Yes, the one lock holder, row colours, and the colour chooser's hand-back.
#include "masters/Colour_Picker.h"
#include "masters/StatusMaster.h"
#include "masters/StatusWindows.h"
#include "support/Drive.h"
#include "support/TestSession.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTableWidget>
#include <QtTest>

using namespace tarvic;
using namespace tarvic::test;

namespace {

struct Fixture {
    TestSession ts;
    std::unique_ptr<StatusMaster> w;

    explicit Fixture(StatusMasterConfig config = frm_LeadStatus_Config()) {
        w = std::make_unique<StatusMaster>(ts.session, nullptr, std::move(config));
        w->show();
        QApplication::setActiveWindow(w.get());
        if (!QTest::qWaitForWindowActive(w.get()))
            qWarning("window not active");
    }
    QString leadValue(qint64 code, const QString& column) {
        return ts.db().scalar(QStringLiteral("SELECT %1 FROM M_TBL_LEADSTATUS WHERE LEADSTATUS_CODE=?").arg(column), {code})
            .toString();
    }
    int count(const QString& sql) { return ts.db().scalar(sql).toInt(); }
    qint64 counter(const QString& code) {
        return ts.db().scalar(QStringLiteral("SELECT COUNTER FROM MST_COUNTER WHERE CODE=?"), {code}).toLongLong();
    }
    // Fills the form as a user would and presses F3.
    void enter(const QString& name, const QString& slno, const QString& lock, QList<int> back, QList<int> fore) {
        w->Load_Init();
        typeInto(w->txt_Status, name);
        typeInto(w->txt_SlNO, slno);
        w->lockLists.first()->setCurrentText(lock);
        QLineEdit* fields[] = {w->txt_R, w->txt_G, w->txt_B, w->txt_FR, w->txt_FG, w->txt_FB};
        for (int i = 0; i < 3; ++i) {
            typeInto(fields[i], QString::number(back[i]));
            typeInto(fields[i + 3], QString::number(fore[i]));
        }
    }
    void save(bool answer) {
        ts.prompter.clear();
        ts.prompter.answers = {answer};
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F3);
    }
    int gridRowOf(const QString& status) {
        for (int r = 0; r < w->Grid1->rowCount(); ++r)
            if (w->Grid1->item(r, 1) && w->Grid1->item(r, 1)->text() == status)
                return r;
        return -1;
    }
};

const QString kQuestion = QStringLiteral(" YOU ARE ABOUT TO UPDATUS LEAD STATUS \n STATUS : BOOKED\n ARE YOU SURE WANT TO PROCEED (Y/N) ?");

// Closes the chooser by a button, polling until it is up (it is modal).
Colour_Picker* openPicker(QPushButton* button) {
    QTest::mouseClick(button, Qt::LeftButton);
    for (int i = 0; i < 100 && !qobject_cast<Colour_Picker*>(QApplication::activeModalWidget()); ++i)
        QTest::qWait(20);
    return qobject_cast<Colour_Picker*>(QApplication::activeModalWidget());
}

void ensureTable(Database& db, const QString& table, const QString& ddl) {
    // The booking and hotel status tables come with the windows that own them; create them
    // here only when this database does not have them yet.
    if (!db.tableExists(table))
        db.exec(ddl);
}

}  // namespace

class tst_status_lead : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void saveChecksAsksThenNumbersAfterYes() {
        Fixture f;
        auto* w = f.w.get();
        QCOMPARE(w->windowTitle(), QStringLiteral("LEAD STATUS MAINTENANCE"));
        QCOMPARE(w->objectName(), QStringLiteral("frm_LeadStatus"));
        QCOMPARE(w->lockLists.first()->objectName(), QStringLiteral("Cmb_Lock"));
        QCOMPARE(w->tool(3)->toolTip(), QStringLiteral("Save Record { F3 }"));

        QTest::keyClick(w->txt_SlNO, Qt::Key_F3);
        QCOMPARE(f.ts.prompter.texts(), QStringList{QStringLiteral("PLEASE ENTER LEAD STATUS TYPE ....")});
        QCOMPARE(QApplication::focusWidget(), w->txt_Status);

        f.enter(QStringLiteral("booked"), QStringLiteral("3"), QStringLiteral("Y"), {255, 255, 0}, {0, 0, 128});
        QCOMPARE(w->txt_Status->text(), QStringLiteral("BOOKED"));
        // No: nothing written, no number taken.
        f.save(false);
        QCOMPARE(f.ts.prompter.texts(), QStringList{kQuestion});
        QCOMPARE(f.ts.prompter.messages.first().kind, QStringLiteral("question"));
        QCOMPARE(f.count(QStringLiteral("SELECT COUNT(*) FROM M_TBL_LEADSTATUS")), 0);
        QCOMPARE(f.counter(QStringLiteral("LEADSTAT")), 0);

        f.save(true);
        QCOMPARE(f.ts.prompter.texts(), (QStringList{kQuestion, QStringLiteral("LEAD STATUS SUCCESSFULLY UPDATED .....")}));
        QCOMPARE(f.counter(QStringLiteral("LEADSTAT")), 1);
        QCOMPARE(w->lbl_Code->text(), QStringLiteral("1"));
        QCOMPARE(f.leadValue(1, "LEAD_STATUS"), QStringLiteral("BOOKED"));
        QCOMPARE(f.leadValue(1, "LEAD_SLNO").toInt(), 3);
        QCOMPARE(f.leadValue(1, "LEAD_LOCK"), QStringLiteral("Y"));
        QCOMPARE(f.leadValue(1, "RGB_COLOR"), QStringLiteral("255,255,0"));
        QCOMPARE(f.leadValue(1, "L_BLUE").toInt(), 0);
        QCOMPARE(f.leadValue(1, "RGB_COLOR_F"), QStringLiteral("0,0,128"));
        QCOMPARE(f.leadValue(1, "L_F_BLUE").toInt(), 128);
        QCOMPARE(f.leadValue(1, "CREATED_BY"), QStringLiteral("ADMINISTRATOR"));
        QCOMPARE(f.leadValue(1, "UPDATE_BY"), QStringLiteral("ADMINISTRATOR"));
        QVERIFY(!f.leadValue(1, "CREATED_ON").isEmpty());

        // The grid row is painted in the status's own colours.
        const int row = f.gridRowOf(QStringLiteral("BOOKED"));
        QVERIFY(row >= 0);
        QCOMPARE(w->Grid1->item(row, 0)->background().color(), QColor(255, 255, 0));
        QCOMPARE(w->Grid1->item(row, 1)->foreground().color(), QColor(0, 0, 128));
        QCOMPARE(w->Grid1->item(row, 3)->text(), QStringLiteral("Y"));
        QVERIFY(w->Grid1->item(row, 4)->text().startsWith(QStringLiteral("ADMINISTRATOR - ")));

        // Saved again: same code, no new number, creation kept.
        const QString created = f.leadValue(1, "CREATED_ON");
        w->txt_Status->setText(QStringLiteral("BOOKED TOUR"));
        f.save(true);
        QCOMPARE(f.counter(QStringLiteral("LEADSTAT")), 1);
        QCOMPARE(f.count(QStringLiteral("SELECT COUNT(*) FROM M_TBL_LEADSTATUS")), 1);
        QCOMPARE(f.leadValue(1, "LEAD_STATUS"), QStringLiteral("BOOKED TOUR"));
        QCOMPARE(f.leadValue(1, "CREATED_ON"), created);

        // Empty colour fields are stored as 0.
        f.enter(QStringLiteral("open"), QStringLiteral("1"), QStringLiteral("N"), {1, 2, 3}, {4, 5, 6});
        w->txt_G->clear();
        w->txt_FR->clear();
        f.save(true);
        QCOMPARE(f.leadValue(2, "RGB_COLOR"), QStringLiteral("1,0,3"));
        QCOMPARE(f.leadValue(2, "RGB_COLOR_F"), QStringLiteral("0,5,6"));
        // Listed by LEAD_SLNO.
        QCOMPARE(w->Grid1->item(0, 1)->text(), QStringLiteral("OPEN"));
        QCOMPARE(w->Grid1->item(1, 1)->text(), QStringLiteral("BOOKED TOUR"));
        shoot(w);
    }

    void onlyOneStatusHoldsTheLock() {
        Fixture f;
        auto* w = f.w.get();
        f.enter(QStringLiteral("booked"), QStringLiteral("1"), QStringLiteral("Y"), {255, 255, 0}, {0, 0, 0});
        f.save(true);
        f.enter(QStringLiteral("confirmed"), QStringLiteral("2"), QStringLiteral("Y"), {0, 255, 0}, {0, 0, 0});
        f.save(true);
        f.enter(QStringLiteral("lost"), QStringLiteral("3"), QStringLiteral("N"), {255, 0, 0}, {255, 255, 255});
        f.save(true);
        QCOMPARE(f.count(QStringLiteral("SELECT COUNT(*) FROM M_TBL_LEADSTATUS WHERE LEAD_LOCK='Y'")), 1);
        QCOMPARE(f.leadValue(2, "LEAD_LOCK"), QStringLiteral("Y"));

        // Double-click on the first status loads it; saving it with Y takes the lock back.
        const int row = f.gridRowOf(QStringLiteral("BOOKED"));
        const QPoint at = w->Grid1->visualRect(w->Grid1->model()->index(row, 1)).center();
        QTest::mouseClick(w->Grid1->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(w->code(), 3);  // a single click loads nothing
        QTest::mouseDClick(w->Grid1->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(w->code(), 1);
        QCOMPARE(w->lbl_Code->text(), QStringLiteral("1"));
        QCOMPARE(w->txt_Status->text(), QStringLiteral("BOOKED"));
        QCOMPARE(w->lockLists.first()->currentText(), QStringLiteral("N"));
        QCOMPARE(w->txt_G->text(), QStringLiteral("255"));
        QCOMPARE(w->lbl_CreatedBy->text(), QStringLiteral("ADMINISTRATOR"));
        w->lockLists.first()->setCurrentText(QStringLiteral("Y"));
        f.save(true);
        QCOMPARE(f.count(QStringLiteral("SELECT COUNT(*) FROM M_TBL_LEADSTATUS WHERE LEAD_LOCK='Y'")), 1);
        QCOMPARE(f.leadValue(1, "LEAD_LOCK"), QStringLiteral("Y"));
        QCOMPARE(f.leadValue(3, "LEAD_LOCK"), QStringLiteral("N"));

        // Enter on a grid row loads it too.
        w->Grid1->setFocus();
        w->Grid1->setCurrentCell(f.gridRowOf(QStringLiteral("LOST")), 1);
        QTest::keyClick(w->Grid1, Qt::Key_Return);
        QCOMPARE(w->code(), 3);
        // F2 clears for a new status.
        QTest::keyClick(w->Grid1, Qt::Key_F2);
        QCOMPARE(w->code(), 0);
        QVERIFY(w->txt_Status->text().isEmpty() && w->lbl_Code->text().isEmpty());
    }

    void aFailedSaveKeepsNeitherRowNorNumber() {
        Fixture f;
        auto* w = f.w.get();
        Database& db = f.ts.db();
        f.enter(QStringLiteral("booked"), QStringLiteral("1"), QStringLiteral("Y"), {255, 255, 0}, {0, 0, 0});
        const int before = db.statementsRun();
        f.save(true);
        // The statements of a new status with the lock: its transaction, then the grid and
        // the record read again (and SQLite's COMMIT, a statement of its own, before them).
        const int clearLock = db.statementsRun() - before - 2 - (db.dialect().isSqlite() ? 1 : 0);

        f.enter(QStringLiteral("quoted"), QStringLiteral("2"), QStringLiteral("Y"), {9, 9, 9}, {0, 0, 0});
        f.ts.prompter.clear();
        f.ts.prompter.answers = {true};
        db.failStatement(clearLock);
        w->Save_Record();
        db.failStatement(0);
        // The clearing of the other lock failed: the new row, its number and the other
        // status's lock are all as they were.
        QCOMPARE(f.ts.prompter.texts().value(1), QStringLiteral("Statement refused (injected failure)"));
        QCOMPARE(f.count(QStringLiteral("SELECT COUNT(*) FROM M_TBL_LEADSTATUS")), 1);
        QCOMPARE(f.counter(QStringLiteral("LEADSTAT")), 1);
        QCOMPARE(f.leadValue(1, "LEAD_LOCK"), QStringLiteral("Y"));
        QCOMPARE(w->code(), 0);
        QCOMPARE(w->txt_Status->text(), QStringLiteral("QUOTED"));

        // Saved again, it takes the number the failed save gave back.
        f.save(true);
        QCOMPARE(f.leadValue(2, "LEAD_STATUS"), QStringLiteral("QUOTED"));
        QCOMPARE(f.counter(QStringLiteral("LEADSTAT")), 2);
        QCOMPARE(f.count(QStringLiteral("SELECT COUNT(*) FROM M_TBL_LEADSTATUS WHERE LEAD_LOCK='Y'")), 1);
        QCOMPARE(f.leadValue(1, "LEAD_LOCK"), QStringLiteral("N"));
    }

    void colourChooserHandsTheColourBack() {
        QStandardPaths::setTestModeEnabled(true);
        Fixture f;
        auto* w = f.w.get();
        Colour_Picker* p = openPicker(w->Cmb_PickColor);
        QVERIFY(p);
        QVERIFY(p->isModal());
        QVERIFY(p->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(p->R_Value->text(), QStringLiteral("255"));
        QCOMPARE(p->G_Slider->value(), 255);
        QCOMPARE(p->pic_Red->palette().color(QPalette::Window), QColor(255, 0, 0));
        QCOMPARE(p->pic_Blue->palette().color(QPalette::Window), QColor(0, 0, 255));
        shoot(p, QStringLiteral("Colour_Picker"));

        // 300 is refused with the range message titled by its component; the field goes back.
        p->R_Value->setFocus();
        p->R_Value->selectAll();
        QTest::keyClicks(p->R_Value, QStringLiteral("300"));
        QCOMPARE(f.ts.prompter.messages.size(), 1);
        QCOMPARE(f.ts.prompter.messages.first().text, QStringLiteral("Invalid value. Range must be within (0-255)."));
        QCOMPARE(f.ts.prompter.messages.first().title, QStringLiteral("Can't Set Red"));
        QCOMPARE(p->R_Slider->value(), 30);  // "30" was a valid value on the way
        QCOMPARE(p->R_Value->text(), QStringLiteral("30"));
        // Letters never reach a field.
        p->B_Value->selectAll();
        QTest::keyClicks(p->B_Value, QStringLiteral("x7"));
        QCOMPARE(p->B_Value->text(), QStringLiteral("7"));
        QCOMPARE(p->B_Slider->value(), 7);
        f.ts.prompter.clear();
        p->G_Value->selectAll();
        QTest::keyClicks(p->G_Value, QStringLiteral("999"));
        QCOMPARE(f.ts.prompter.messages.first().title, QStringLiteral("Can't Set Green"));

        // Moving a slider sets its field and the selected colour.
        p->G_Slider->setValue(64);
        QCOMPARE(p->G_Value->text(), QStringLiteral("64"));
        QCOMPARE(p->pic_Selected->palette().color(QPalette::Window), QColor(30, 64, 7));

        // A click on the palette takes the pixel under the pointer.
        const QPoint at(40, 120);
        const QColor pixel = p->pic_Palette->image().pixelColor(at);
        QTest::mouseClick(p->pic_Palette, Qt::LeftButton, {}, at);
        QCOMPARE(p->colour(), pixel);
        QCOMPARE(p->R_Value->text(), QString::number(pixel.red()));
        QCOMPARE(p->B_Slider->value(), pixel.blue());

        // The simplified view hides the palette and turns the caption.
        QCOMPARE(p->Cmd_View->text(), QStringLiteral("<"));
        QTest::mouseClick(p->Cmd_View, Qt::LeftButton);
        QCOMPARE(p->Cmd_View->text(), QStringLiteral(">"));
        QVERIFY(!p->pic_Palette->isVisible());
        QTest::mouseClick(p->Cmd_View, Qt::LeftButton);
        QVERIFY(p->pic_Palette->isVisible());

        QTest::mouseClick(p->Cmd_OK, Qt::LeftButton);
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QCOMPARE(w->txt_R->text(), QString::number(pixel.red()));
        QCOMPARE(w->txt_G->text(), QString::number(pixel.green()));
        QCOMPARE(w->txt_B->text(), QString::number(pixel.blue()));
        QVERIFY(w->txt_FR->text().isEmpty());

        // The fore colour by Apply; Cancel writes nothing.
        p = openPicker(w->Cmb_PickColor2);
        QVERIFY(p);
        p->setColour(QColor(10, 20, 30));
        QTest::mouseClick(p->Cmd_Apply, Qt::LeftButton);
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QCOMPARE(w->txt_FR->text() + "," + w->txt_FG->text() + "," + w->txt_FB->text(), QStringLiteral("10,20,30"));
        p = openPicker(w->Cmb_PickColor2);
        QVERIFY(p);
        p->setColour(QColor(1, 1, 1));
        QTest::mouseClick(p->Cmd_Cancel, Qt::LeftButton);
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QCOMPARE(w->txt_FR->text(), QStringLiteral("10"));
    }

    void bookingStatusKeepsItsEightFlags() {
        TestSession ts;
        const QString moment = QStringLiteral("TIMESTAMP");
        ensureTable(ts.db(), QStringLiteral("M_TBL_CBPT_STATUS"),
                    QStringLiteral("CREATE TABLE M_TBL_CBPT_STATUS (CBPTSTATUS_CODE INTEGER NOT NULL PRIMARY KEY, "
                                   "CBPT_STATUS VARCHAR(100), CBPT_SLNO INTEGER, H_RED INTEGER, H_GREEN INTEGER, "
                                   "H_BLUE INTEGER, RGB_COLOR VARCHAR(20), H_F_RED INTEGER, H_F_GREEN INTEGER, "
                                   "H_F_BLUE INTEGER, RGB_COLOR_F VARCHAR(20), LCK_LEAD VARCHAR(1), LCK_QUOT VARCHAR(1), "
                                   "LCK_MONEYRCPT VARCHAR(1), LCK_ANCP01 VARCHAR(1), LCK_ANCP02 VARCHAR(1), "
                                   "LCK_ANCP03 VARCHAR(1), LCK_PAYMENT VARCHAR(1), LCK_CBPT VARCHAR(1), "
                                   "CREATED_BY VARCHAR(100), CREATED_ON %1, UPDATE_BY VARCHAR(100), UPDATE_ON %1)")
                        .arg(moment));
        ensureTable(ts.db(), QStringLiteral("M_TBL_CBPT_STATUS_OPS"),
                    QStringLiteral("CREATE TABLE M_TBL_CBPT_STATUS_OPS (CBPTSTATUS_CODE_O INTEGER NOT NULL PRIMARY KEY, "
                                   "CBPT_STATUS VARCHAR(100), CBPT_SLNO INTEGER, H_RED INTEGER, H_GREEN INTEGER, "
                                   "H_BLUE INTEGER, RGB_COLOR VARCHAR(20), H_F_RED INTEGER, H_F_GREEN INTEGER, "
                                   "H_F_BLUE INTEGER, RGB_COLOR_F VARCHAR(20), "
                                   "CREATED_BY VARCHAR(100), CREATED_ON %1, UPDATE_BY VARCHAR(100), UPDATE_ON %1)")
                        .arg(moment));
        {
            StatusMaster w(ts.session, nullptr, frm_CBPTSTATUS_Config());
            QCOMPARE(w.objectName(), QStringLiteral("frm_CBPTSTATUS"));
            QCOMPARE(w.lockLists.size(), 8);
            QCOMPARE(w.Grid1->columnCount(), 5);  // no LOCK column
            auto save = [&](const QString& name, QList<int> yes) {
                w.Load_Init();
                w.txt_Status->setText(name);
                w.txt_SlNO->setText(QStringLiteral("1"));
                w.txt_R->setText(QStringLiteral("200"));
                for (int i : yes)
                    w.lockLists.at(i)->setCurrentText(QStringLiteral("Y"));
                ts.prompter.clear();
                ts.prompter.answers = {true};
                w.Save_Record();
            };
            save(QStringLiteral("CLOSED"), {2, 7});
            QCOMPARE(ts.prompter.texts(),
                     (QStringList{QStringLiteral(" YOU ARE ABOUT TO UPDATUS CBPT STATUS \n STATUS : CLOSED\n ARE YOU SURE WANT TO PROCEED (Y/N) ?"),
                                  QStringLiteral("CBPT STATUS SUCCESSFULLY UPDATED .....")}));
            save(QStringLiteral("ON TOUR"), {7});
            auto r = ts.db().firstRow(QStringLiteral("SELECT * FROM M_TBL_CBPT_STATUS WHERE CBPTSTATUS_CODE=1"));
            QVERIFY(r);
            QCOMPARE(r->value("CBPT_STATUS").toString(), QStringLiteral("CLOSED"));
            QCOMPARE(r->value("LCK_MONEYRCPT").toString(), QStringLiteral("Y"));
            QCOMPARE(r->value("LCK_LEAD").toString(), QStringLiteral("N"));
            QCOMPARE(r->value("RGB_COLOR").toString(), QStringLiteral("200,0,0"));
            // Booking locks are not exclusive: both statuses keep LCK_CBPT.
            QCOMPARE(ts.db().scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_CBPT_STATUS WHERE LCK_CBPT='Y'")).toInt(), 2);
            QCOMPARE(ts.db().scalar(QStringLiteral("SELECT COUNTER FROM MST_COUNTER WHERE CODE='CBPTSTAT'")).toInt(), 2);
        }
        {
            StatusMaster w(ts.session, nullptr, frm_CBPTSTATUS_OPS_Config());
            QVERIFY(w.lockLists.isEmpty());
            w.txt_Status->setText(QStringLiteral("ASSIGNED"));
            ts.prompter.answers = {true};
            w.Save_Record();
            QCOMPARE(ts.db().scalar(QStringLiteral("SELECT CBPT_STATUS FROM M_TBL_CBPT_STATUS_OPS WHERE CBPTSTATUS_CODE_O=1")).toString(),
                     QStringLiteral("ASSIGNED"));
            QCOMPARE(ts.db().scalar(QStringLiteral("SELECT COUNTER FROM MST_COUNTER WHERE CODE='CBPTSTAT_OPS'")).toInt(), 1);
        }
    }

private:
    static void shoot(QWidget* w, const QString& name = QStringLiteral("frm_LeadStatus")) {
        const QString dir = qEnvironmentVariable("TARVIC_SHOTS_DIR");
        if (dir.isEmpty())
            return;
        QDir().mkpath(dir);
        QApplication::processEvents();
        w->grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
    }
};

QTEST_MAIN(tst_status_lead)
#include "tst_status_lead.moc"
