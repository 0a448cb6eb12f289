// The TRAVELLERS page of the booking window, driven by keys and clicks: a file imported through
// the preview (cancelled, accepted and then kept unsaved at the room question, accepted and
// saved), rows typed into the grid and left with Ctrl+Tab, a faulty row named, the page read-only
// on a locked or cancelled booking, the export read back and the rooming list of the chosen line.
#include "bookings/BookingsWindows.h"
#include "bookings/windows/TravellersTab.h"
#include "bookings/windows/frm_CBPT01.h"
#include "support/Registered.h"
#include "support/TravellersFixture.h"
#include "support/Workbook.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

using namespace tarvic;
using namespace tarvic::test;

namespace {

const QString kSaved = QStringLiteral("TRAVELLERS SUCCESSFULLY SAVED ....");

struct Fixture : SessionWindows {
    TravellersFixture f{ts.db()};
    WindowArgs printed;  // what the rooming list was opened with
    std::unique_ptr<frm_CBPT01> w;

    Fixture() : SessionWindows(registerBookingsWindows) {
        registry.add(QStringLiteral("rpt_RoomingList"),
                     [this](Session&, QWidget* p, const WindowArgs& args) -> QWidget* {
                         printed = args;
                         return new QWidget(p);
                     });
    }
    TravellersTab* open() {
        w = std::make_unique<frm_CBPT01>(ts.session, nullptr);
        showActive(*w);
        w->Show_Record(f.booking);
        w->tabs->setCurrentWidget(w->travellersTab);
        ts.answer({});
        return w->travellersTab;
    }
    // Messages in order, a question as "question".
    QStringList said() {
        QStringList out;
        for (const auto& m : ts.prompter.messages)
            out << (m.kind == "question" ? m.kind : m.text);
        return out;
    }
    QStringList stored() {
        return lines(ts.db(),
                     "SELECT LINE_NO, TITLE, FIRST_NAME, LAST_NAME, SEX, ROOM_NO, ROOM_TYPE FROM "
                     "M_TBL_BOOKING_TRAVELLER ORDER BY LINE_NO");
    }
};

// Runs what the import preview is shown for once it is up, then presses one of its buttons.
void whenPreviewShown(std::function<void(QDialog*)> look, const QString& button) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, look, button] {
        auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!d || d->objectName() != QLatin1String("frm_TravellerImport"))
            return;
        timer->stop();
        timer->deleteLater();
        look(d);
        QTest::mouseClick(d->findChild<QPushButton*>(button), Qt::LeftButton);
    });
    timer->start(20);
}

}  // namespace

class TstTravellersTab : public QObject {
    Q_OBJECT
private slots:
    void importThroughPreview() {
        const std::tuple<QString, QList<bool>, QStringList, QStringList> cases[] = {
            {"Cmd_Cancel", QList<bool>{}, QStringList(), QStringList()},
            {"Cmd_Accept", QList<bool>{false}, QStringList{"question"}, QStringList()},
            {"Cmd_Accept", QList<bool>{true}, QStringList{"question", kSaved},
             QStringList{"1|MR|ANIL|KUMAR|M|101|DELUXE", "2|MRS|MEENA|KUMAR|F|101|DELUXE"}}};
        for (const auto& [button, answers, said, stored] : cases) {
            Fixture x;
            TravellersTab* tab = x.open();
            x.ts.answer(answers);
            x.ts.prompter.paths = {x.f.file(
                "agent.csv", {{"FIRST NAME", "LAST NAME", "SEX", "DOB", "ADULT/CHILD", "ROOM NO", "ROOM TYPE", "TITLE"},
                              {"Anil", "Kumar", "M", "01/01/1980", "ADULT", "101", "Deluxe", "Mr"},
                              {"Ravi", "Nair", "M", "31/02/1990", "ADULT", "102", "Deluxe", "Mr"},
                              {"Meena", "Kumar", "F", "", "ADULT", "101", "Deluxe", "Mrs"}})};
            QStringList shown;
            whenPreviewShown(
                [&](QDialog* d) {
                    shown << d->findChild<QLabel*>("lbl_Summary")->text()
                          << column(d->findChild<QTableWidget*>("Grid1")->model(), 1).value(1)
                          << QString::number(count(x.ts.db(), "M_TBL_BOOKING_TRAVELLER"));
                },
                button);
            QTest::mouseClick(tab->Cmd_Import, Qt::LeftButton);
            QCOMPARE(shown, (QStringList{"3 ROWS READ, 2 ACCEPTED, 1 REFUSED",
                                         "REFUSED : DATE OF BIRTH IS NOT A DATE : 31/02/1990 ....", "0"}));
            QCOMPARE(tab->Grid_Travellers->rowCount(), button == "Cmd_Cancel" ? 0 : 2);
            QCOMPARE(x.said(), said);
            QCOMPARE(x.stored(), stored);
            // The room question states each difference with what the hotel lines booked (the pair
            // fits SEA BREEZE's one suite, though listed in a deluxe room).
            if (!said.isEmpty()) {
                QVERIFY(x.ts.prompter.texts().first().contains(
                    "HILL RESORT 10/01/2027, ROOM TYPE DELUXE: 2 ROOMS BOOKED, 1 IN THE ROOMING LIST"));
                QVERIFY(!x.ts.prompter.texts().first().contains("SEA BREEZE"));
            }
        }
    }

    void rowsTypedInTheGrid() {
        const std::tuple<QString, QStringList, QStringList> cases[] = {
            {"01/01/1980", QStringList{"question", kSaved}, QStringList{"1|MR|ANIL|KUMAR|M|101|DELUXE"}},
            {"32/01/1980", QStringList{"ROW 1 : DATE OF BIRTH IS NOT A DATE : 32/01/1980 ...."}, QStringList()}};
        for (const auto& [birth, messages, stored] : cases) {
            Fixture x;
            TravellersTab* tab = x.open();
            QTest::mouseClick(tab->Cmd_AddRow, Qt::LeftButton);
            QCOMPARE(QApplication::focusWidget(), tab->Grid_Travellers);
            for (const QString& cell : {QString("MR"), QString("anil"), QString("KUMAR"), QString("m"), birth,
                                        QString(), QString(), QString("ADULT"), QString("101"), QString("deluxe")}) {
                typeKeys(cell);
                keyToFocus(Qt::Key_Tab);
            }
            keyToFocus(Qt::Key_Tab, Qt::ControlModifier);
            QVERIFY(!tab->Grid_Travellers->isAncestorOf(QApplication::focusWidget()) &&
                    QApplication::focusWidget() != tab->Grid_Travellers);
            QCOMPARE(rowTexts(tab->Grid_Travellers->model()).value(0),
                     "MR anil KUMAR m " + birth + "   ADULT 101 deluxe");
            if (stored.isEmpty())
                QVERIFY(tab->lbl_RoomCheck->text().contains("ROOM TYPE DELUXE: 2 ROOMS BOOKED, 1 IN THE ROOMING LIST"));
            x.ts.answer({true});
            QTest::mouseClick(tab->Cmd_SaveTravellers, Qt::LeftButton);
            QCOMPARE(x.said(), messages);
            QCOMPARE(x.stored(), stored);
        }
    }

    void shutBookingReadOnly() {
        for (const auto& [column, value] : {std::pair{"LCK_CBPT", "Y"}, {"DOC_STATUS", "CNCL"}}) {
            Fixture x;
            x.f.travellers().store(x.f.booking, TravellersFixture::good());
            x.f.setBooking(column, value);
            TravellersTab* tab = x.open();
            for (QPushButton* b : {tab->Cmd_AddRow, tab->Cmd_DelRow, tab->Cmd_Import, tab->Cmd_SaveTravellers})
                QVERIFY(!b->isEnabled());
            QCOMPARE(tab->Grid_Travellers->editTriggers(), QAbstractItemView::NoEditTriggers);
            QVERIFY(tab->Cmd_Export->isEnabled() && tab->Cmd_RoomingList->isEnabled());
        }
    }

    void exportAndRoomingListOfChosenLine() {
        Fixture x;
        x.f.travellers().store(x.f.booking, TravellersFixture::good());
        TravellersTab* tab = x.open();
        QCOMPARE(tab->lbl_RoomCheck->text(), "ROOMS MATCH THE HOTEL LINES");
        const QString path = x.f.dir.filePath("out.xlsx");
        x.ts.prompter.paths = {path};
        QTest::mouseClick(tab->Cmd_Export, Qt::LeftButton);
        QCOMPARE(x.ts.prompter.texts(), QStringList{"Successfully Export to " + path});
        QCOMPARE(readWorkbook(path).value("Sheet1").value(7).join('|'),
                 "MASTER|TOM|O'NEIL|M|03/03/2015||03/03/2055|CHILD|S1|SUITE");

        QCOMPARE(items(tab->Cmb_HotelLine),
                 (QStringList{"HILL RESORT - DELUXE - 10/01/2027", "SEA BREEZE - SUITE - 12/01/2027"}));
        tab->Cmb_HotelLine->setFocus();
        QTest::keyClick(tab->Cmb_HotelLine, Qt::Key_Down);
        QTest::keyClick(x.w.get(), Qt::Key_R, Qt::AltModifier);
        // A mnemonic clicks as a button does when pressed: a moment later.
        QTest::qWaitFor([&] { return !x.printed.values.isEmpty(); }, 2000);
        QCOMPARE(QStringList({x.printed.value("CBPT_NO").toString(), x.printed.value("QUOTATION_NO").toString(),
                              x.printed.value("LINE_NO").toString()}),
                 QStringList({QString::number(x.f.booking), "70", "2"}));
    }
};

QTEST_MAIN(TstTravellersTab)
#include "tst_travellers_tab.moc"
