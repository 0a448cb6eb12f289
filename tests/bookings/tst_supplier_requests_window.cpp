// The supplier requests window, driven from the keyboard against a local mail server with TLS
// and AUTH: every chosen hotel gets its request; a refused recipient stops the sending and is
// named; an answer recorded moves the line; the voucher goes as a PDF to the hotel and the
// customer; cancelling the booking or a hotel's note offers the cancellation mail
// only to the hotels still holding a line, and sends nothing on No; the administrator's
// template is what goes; a vehicle or other note is requested beside the hotels, without a
// rooming list, and cancelling it offers its own supplier the cancellation mail.
#include "bookings/BookingsWindows.h"
#include "bookings/family/CancellationWindow.h"
#include "bookings/family/SupplierMailing.h"
#include "bookings/windows/frm_CBPT01.h"
#include "bookings/windows/frm_SupplierRequests.h"
#include "bookings/windows/frm_SupplierTemplates.h"
#include "support/Documents.h"
#include "support/Drive.h"
#include "support/SupplierFixture.h"
#include "support/TestSession.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>

using namespace tarvic;
using namespace tarvic::test;
using namespace Qt::StringLiterals;

namespace {

struct Fixture {
    TestSession ts;
    WindowRegistry windows;
    SupplierFixture f{ts.db()};
    std::unique_ptr<SmtpServer> server;

    explicit Fixture(const QStringList& serverOptions = {}) {
        registerOperationsWindows(windows);
        registerCancellationWindows(windows);
        ts.session.windows = &windows;
        server = std::make_unique<SmtpServer>(serverOptions);
        f.smtp(*server);
    }
    std::unique_ptr<frm_SupplierRequests> open() {
        std::unique_ptr<frm_SupplierRequests> w(static_cast<frm_SupplierRequests*>(
            windows.create(u"frm_SupplierRequests"_s, ts.session, nullptr,
                           {{{u"CBPT_NO"_s, f.booking}, {u"QUOTATION_NO"_s, 7}, {u"ACC_CODE"_s, 1}}})));
        w->setAttribute(Qt::WA_DeleteOnClose, false);
        showActive(*w);
        return w;
    }
    // Chooses the lines with the keyboard (all of them when none are named) and presses the button.
    QStringList press(frm_SupplierRequests& w, QPushButton* button, const QList<int>& rows, QList<bool> answers) {
        w.Grid1->setFocus();
        if (rows.isEmpty())
            QTest::keyClick(w.Grid1, Qt::Key_A, Qt::ControlModifier);
        else {
            w.Grid1->clearSelection();
            for (int r : rows)  // Ctrl+Space on each, as the keyboard adds a row
                w.Grid1->selectionModel()->select(w.Grid1->model()->index(r, 0),
                                                  QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
        ts.answer(answers);
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Space);
        return ts.prompter.texts();
    }
    QStringList statuses(frm_SupplierRequests& w) { return column(w.Grid1->model(), frm_SupplierRequests::ColStatus); }
    QStringList recipients() {
        QStringList out;
        for (const ReceivedMail& m : server->received())
            out << m.envelopeTo;
        return out;
    }
};

const QString kNone = u"NOT REQUESTED"_s;

}  // namespace

class TstSupplierRequestsWindow : public QObject {
    Q_OBJECT
private slots:
    void requestsGoToEveryChosenHotelWithItsOwnStay() {
        Fixture x;
        auto w = x.open();
        QCOMPARE(x.press(*w, w->Cmd_Request, {}, {true}).last(), kMailsSent);
        QCOMPARE(x.recipients(), SupplierFixture::kHotelMails);
        const QStringList expected[] = {
            {"SEA &amp; SAND", "10/01/2027", "12/01/2027", "1 DELUXE ROOM(S), 1 EXTRA BED(S)", "CP (BREAKFAST)"},
            {"HILL &lt;VIEW&gt;", "12/01/2027", "15/01/2027", "2 SUITE ROOM(S)", "MAP (BREAKFAST AND DINNER)"},
            {"LAKE HOUSE", "15/01/2027", "16/01/2027", "1 DELUXE ROOM(S)", "CP (BREAKFAST)"}};
        const auto got = x.server->received();
        for (int i = 0; i < 3; ++i) {
            const QString body = SupplierFixture::body(got[i].raw);
            for (const QString& part : expected[i] + QStringList{u"<td>Travellers</td><td>3</td>"_s})
                QVERIFY2(body.contains(part), qPrintable(part + u" in "_s + body));
            QVERIFY(got[i].raw.contains(u"Subject: BOOKING REQUEST - CBPT %1"_s.arg(x.f.booking).toUtf8()));
            // Each carries its own hotel's rooming list, printed and as a workbook.
            const QString list = SupplierFixture::pdfText(SupplierFixture::attachment(got[i].raw, "ROOMING LIST"));
            QVERIFY2(list.contains(SupplierFixture::kHotelNames[i]), qPrintable(list));
            QVERIFY(SupplierFixture::attachment(got[i].raw,
                                                u"ROOMING LIST %1-%2.xlsx"_s.arg(x.f.booking).arg(i + 1).toUtf8())
                        .startsWith("PK"));
        }
        QCOMPARE(x.statuses(*w), QStringList(3, supplier::kRequested));
        // The current line's steps say who sent it to whom; the operations log tells each in order.
        w->Grid1->setCurrentCell(1, frm_SupplierRequests::ColHotel);
        QCOMPARE(column(w->Grid2->model(), 0), QStringList{supplier::kRequested});
        QCOMPARE(column(w->Grid2->model(), 2), QStringList{u"hill@h.test"_s});
        const QStringList log = x.f.opsLog().split(u'\n');
        QCOMPARE(log.size(), 3);
        for (int i = 0; i < 3; ++i)
            QVERIFY2(log[i].contains(SupplierFixture::kHotelNames[i] + u", "_s) &&
                         log[i].endsWith(u"REQUESTED TO "_s + SupplierFixture::kHotelMails[i]),
                     qPrintable(log[i]));
        shoot(*w, u"frm_SupplierRequests"_s);
    }

    // Both bookings, the sales one and the operations one the board opens, reach the requests of
    // the booking shown.
    void eachBookingOpensItsRequests_data() {
        QTest::addColumn<QString>("booking");
        QTest::newRow("operations") << u"frm_CBPT01"_s;
        QTest::newRow("sales") << u"frm_CBPT_SALES"_s;
    }
    void eachBookingOpensItsRequests() {
        QFETCH(QString, booking);
        Fixture x;
        registerBookingWindows(x.windows);
        std::unique_ptr<frm_CBPT01> w(static_cast<frm_CBPT01*>(
            x.windows.create(booking, x.ts.session, nullptr, {{{u"CBPT_NO"_s, x.f.booking}}})));
        w->setAttribute(Qt::WA_DeleteOnClose, false);
        QVERIFY(w->Show_Record(x.f.booking));
        showActive(*w);
        QCOMPARE(w->Cmd_HotelVoucher != nullptr, booking == u"frm_CBPT_SALES"_s);
        QVERIFY(w->Cmd_SupplierRequests->isEnabled());
        QTest::mouseClick(w->Cmd_SupplierRequests, Qt::LeftButton);
        auto* requests = w->findChild<frm_SupplierRequests*>();
        QVERIFY(requests);
        QCOMPARE(requests->txt_CBPTNo->text(), QString::number(x.f.booking));
        QCOMPARE(requests->Grid1->rowCount(), 3);
    }

    // The administrator's template, and the office's hours, are what the next mail and the
    // board are made of.
    void theTemplateEditedIsTheOneMailed() {
        Fixture x;
        std::unique_ptr<frm_SupplierTemplates> t(
            static_cast<frm_SupplierTemplates*>(x.windows.create(u"frm_SupplierTemplates"_s, x.ts.session, nullptr)));
        t->setAttribute(Qt::WA_DeleteOnClose, false);
        showActive(*t);
        shoot(*t, u"frm_SupplierTemplates"_s);
        QCOMPARE(t->txt_Hours->text(), u"24"_s);
        t->Cmb_Kind->setCurrentIndex(t->Cmb_Kind->findText(u"REQUEST"_s));
        typeInto(t->txt_Subject, u"ROOMS FOR {TOURIST}"_s);
        t->txt_Body->setPlainText(u"<p>{ROOMS} AT {HOTEL}</p>"_s);
        typeInto(t->txt_Hours, u"6"_s);
        x.ts.answer();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F3);
        QCOMPARE(x.ts.prompter.texts(), QStringList{u"TEMPLATE SUCCESSFULLY SAVED ...."_s});
        QCOMPARE(officeRequestHours(x.ts.db()), 6);
        auto w = x.open();
        x.press(*w, w->Cmd_Request, {1}, {true});
        const QByteArray raw = x.server->received().value(0).raw;
        QVERIFY(raw.contains("Subject: ROOMS FOR MR JOHN\r\n"));
        QVERIFY(SupplierFixture::body(raw).contains(u"<p>2 SUITE ROOM(S) AT HILL &lt;VIEW&gt;</p>"_s));
    }

    void aRefusedRecipientStopsTheSendingAndIsNamed() {
        Fixture x({u"--refuse-rcpt"_s, u"hill@h.test"_s});
        auto w = x.open();
        const QStringList said = x.press(*w, w->Cmd_Request, {}, {true});
        QVERIFY2(said.last().startsWith(u"UNABLE TO SEND E-MAIL TO : HILL <VIEW> ( hill@h.test )"_s),
                 qPrintable(said.last()));
        QVERIFY(said.last().endsWith(u"E-MAIL SENT : 1 OF 3"_s));
        QCOMPARE(x.recipients(), QStringList{u"sea@h.test"_s});
        QCOMPARE(x.statuses(*w), (QStringList{supplier::kRequested, kNone, kNone}));
    }

    void anAnswerMovesTheLineAndTheVoucherFollowsTheConfirmation() {
        Fixture x;
        auto w = x.open();
        x.press(*w, w->Cmd_Request, {0, 1}, {true});
        // The voucher of a line not confirmed is refused before anything goes.
        QCOMPARE(x.press(*w, w->Cmd_Voucher, {0}, {true}), QStringList{kNotConfirmed});
        w->Grid1->setCurrentCell(0, frm_SupplierRequests::ColHotel);
        w->Cmb_Answer->setCurrentIndex(w->Cmb_Answer->findText(supplier::kConfirmed));
        typeInto(w->txt_AnswerText, u"SEA-4411"_s);
        x.ts.answer({true});
        QTest::keyClick(w->txt_AnswerText, Qt::Key_Return);
        QCOMPARE(x.ts.prompter.texts().last(), u"SUPPLIER'S ANSWER SUCCESSFULLY RECORDED ...."_s);
        QCOMPARE(x.statuses(*w), (QStringList{supplier::kConfirmed, supplier::kRequested, kNone}));

        // Among several lines, the one refused is named.
        QCOMPARE(x.press(*w, w->Cmd_Voucher, {0, 1}, {true}),
                 QStringList{u"HILL <VIEW> , 12/01/2027 :\n"_s + kNotConfirmed});
        const int before = int(x.server->received().size());
        QCOMPARE(x.press(*w, w->Cmd_Voucher, {0}, {true}).last(), kMailsSent);
        const auto got = x.server->received().mid(before);
        QCOMPARE(x.recipients().mid(before), (QStringList{u"sea@h.test"_s, u"asha@c.test"_s}));
        for (const ReceivedMail& m : got) {
            const QString text = SupplierFixture::pdfText(SupplierFixture::attachment(m.raw, "HOTEL VOUCHER"));
            QVERIFY2(
                text.contains(u"HOTEL VOUCHER"_s) && text.contains(u"SEA & SAND"_s) && !text.contains(u"HILL <VIEW>"_s),
                qPrintable(text));
        }
        QVERIFY(SupplierFixture::body(got[1].raw).contains(u"Dear MR JOHN"_s));
        QVERIFY(SupplierFixture::body(got[1].raw).contains(u"Confirmation no. SEA-4411"_s));
        QVERIFY(x.f.opsLog().endsWith(u"VOUCHER MAILED TO sea@h.test, asha@c.test"_s));
    }

    void cancellingMailsOnlyTheHotelsStillHoldingALine_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QStringList>("mailed");  // the hotels asked, and on Yes mailed
        QTest::newRow("booking, Yes") << u"frm_CNCL_CBPT01"_s << true << QStringList{"sea@h.test", "lake@h.test"};
        QTest::newRow("booking, No") << u"frm_CNCL_CBPT01"_s << false << QStringList{"sea@h.test", "lake@h.test"};
        QTest::newRow("the sea hotel's note, Yes") << u"frm_CNCL_ANCP01"_s << true << QStringList{"sea@h.test"};
    }
    void cancellingMailsOnlyTheHotelsStillHoldingALine() {
        QFETCH(QString, window);
        QFETCH(bool, yes);
        QFETCH(QStringList, mailed);
        Fixture x;
        {
            auto w = x.open();
            x.press(*w, w->Cmd_Request, {}, {true});
        }
        SupplierRequests r(x.ts.db(), u"T"_s);
        r.recordAnswer(7, 1, supplier::kConfirmed, u"C1"_s);
        r.recordAnswer(7, 2, supplier::kDeclined, u"FULL"_s);
        const qint64 number = window.endsWith(u"CBPT01"_s)
                                  ? x.f.booking
                                  : TransactionRecords(x.ts.db(), u"T"_s)
                                        .save(posting(u"ANCP01"_s, x.f.booking, SupplierFixture::kHotels[0], u"900"_s));
        const int requests = int(x.server->received().size());
        std::unique_ptr<CancellationWindow> c(
            static_cast<CancellationWindow*>(x.windows.create(window, x.ts.session, nullptr)));
        c->setAttribute(Qt::WA_DeleteOnClose, false);
        showActive(*c);
        typeInto(c->txt_DocNo, QString::number(number));
        QTest::keyClick(c->txt_DocNo, Qt::Key_Return);
        c->txt_Reason->setText(u"CLIENT ILL"_s);
        x.ts.answer({true, yes});
        QTest::mouseClick(c->cmd_Cancel, Qt::LeftButton);
        const QStringList said = x.ts.prompter.texts();
        QCOMPARE(said[1], kCancelDone);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(said[2].contains(SupplierFixture::kHotelNames[i]),
                     mailed.contains(SupplierFixture::kHotelMails[i]));
        QCOMPARE(x.recipients().mid(requests), yes ? mailed : QStringList());
        for (const ReceivedMail& m : x.server->received().mid(requests))
            QVERIFY(m.raw.contains(u"Subject: CANCELLATION - CBPT %1"_s.arg(x.f.booking).toUtf8()));
        QCOMPARE(int(r.heldLines(x.f.booking).size()), 2 - (yes ? int(mailed.size()) : 0));
        QCOMPARE(r.line(7, 1)->status, yes ? supplier::kCancelled : supplier::kConfirmed);
    }

    void notesAreRequestedBesideTheHotelsAndCancelledAlone_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("note");  // 0 the vehicle, 1 the other charge
        QTest::newRow("vehicle note") << u"frm_CNCL_ANCP02"_s << 0;
        QTest::newRow("other charge note") << u"frm_CNCL_ANCP03"_s << 1;
    }
    void notesAreRequestedBesideTheHotelsAndCancelledAlone() {
        QFETCH(QString, window);
        QFETCH(int, note);
        Fixture x;
        const auto [cab, guide] = x.f.notes();
        {
            auto w = x.open();
            QCOMPARE(column(w->Grid1->model(), frm_SupplierRequests::ColHotel),
                     (QStringList{"SEA & SAND , KERALA", "MALABAR CABS", "HILL GUIDES", "HILL <VIEW> , KERALA",
                                  "LAKE HOUSE , KERALA"}));
            QCOMPARE(column(w->Grid1->model(), frm_SupplierRequests::ColRooms).mid(1, 2),
                     (QStringList{"VEHICLE : 2 X SUV 7 SEATER", "OTHER : 2 X GUIDE CHARGES"}));
            shoot(*w, u"frm_SupplierRequests_notes"_s);
            QCOMPARE(x.press(*w, w->Cmd_Request, {1, 2}, {true}).last(), kMailsSent);
            QCOMPARE(x.recipients(), SupplierFixture::kNoteMails);
            // Each asked for what it provides, with no hotel's rows and no rooming list.
            const QStringList asked[] = {{u"<td>2 X SUV 7 SEATER</td>"_s, u"<td>10/01/2027 TO 15/01/2027</td>"_s,
                                          u"<td>Days</td><td>6</td>"_s, u"<td>KOCHI - MUNNAR - KOCHI</td>"_s},
                                         {u"<td>2 X GUIDE CHARGES</td>"_s, u"<td>11/01/2027</td>"_s}};
            for (int i = 0; i < 2; ++i) {
                const QByteArray raw = x.server->received()[i].raw;
                const QString body = SupplierFixture::body(raw);
                for (const QString& part : asked[i] + QStringList{u"<td>Travellers</td><td>3</td>"_s})
                    QVERIFY2(body.contains(part), qPrintable(part + u" in "_s + body));
                QVERIFY(!body.contains(u"Check-in"_s) && !body.contains(u"Meal plan"_s) && !raw.contains("filename="));
            }
            QCOMPARE(x.statuses(*w), (QStringList{kNone, supplier::kRequested, supplier::kRequested, kNone, kNone}));
            // Its rooming list is a hotel's only.
            w->Grid1->setCurrentCell(1, frm_SupplierRequests::ColHotel);
            x.ts.answer();
            w->Print_RoomingList();
            QCOMPARE(x.ts.prompter.texts().last(), u"THE ROOMING LIST IS PRINTED FOR HOTEL LINES ONLY ...."_s);
        }
        const int requests = int(x.server->received().size());
        std::unique_ptr<CancellationWindow> c(
            static_cast<CancellationWindow*>(x.windows.create(window, x.ts.session, nullptr)));
        c->setAttribute(Qt::WA_DeleteOnClose, false);
        showActive(*c);
        typeInto(c->txt_DocNo, QString::number(note == 0 ? cab : guide));
        QTest::keyClick(c->txt_DocNo, Qt::Key_Return);
        c->txt_Reason->setText(u"NOT NEEDED"_s);
        x.ts.answer({true, true});
        QTest::mouseClick(c->cmd_Cancel, Qt::LeftButton);
        QVERIFY2(x.ts.prompter.texts().value(2).contains(note == 0 ? u"MALABAR CABS"_s : u"HILL GUIDES"_s),
                 qPrintable(x.ts.prompter.texts().join(u'|')));
        QCOMPARE(x.recipients().mid(requests), QStringList{SupplierFixture::kNoteMails[note]});
        const QByteArray raw = x.server->received().last().raw;
        QVERIFY(raw.contains(u"Subject: CANCELLATION - CBPT %1 - %2"_s.arg(x.f.booking)
                                 .arg(note == 0 ? u"MALABAR CABS"_s : u"HILL GUIDES"_s)
                                 .toUtf8()));
        QVERIFY(!SupplierFixture::body(raw).contains(u"Check-in"_s));
        SupplierRequests r(x.ts.db(), u"T"_s);
        QCOMPARE(r.line(note == 0 ? kVehicleNoteCode : kOtherNoteCode, note == 0 ? cab : guide, 0)->status,
                 supplier::kCancelled);
        QCOMPARE(int(r.heldLines(x.f.booking).size()), 1);  // the other note still holds its line
    }
};

QTEST_MAIN(TstSupplierRequestsWindow)
#include "tst_supplier_requests_window.moc"
