// The supplier requests window against a local mail server with TLS and AUTH: requests,
// answers, vouchers, the administrator's template, cancellation mails to the suppliers still
// holding a line, and the demo booking's hotels handled by keys alone.
#include "bookings/BookingsWindows.h"
#include "bookings/family/CancellationWindow.h"
#include "bookings/family/SupplierMailing.h"
#include "bookings/windows/frm_CBPT01.h"
#include "bookings/windows/frm_SupplierRequests.h"
#include "bookings/windows/frm_SupplierTemplates.h"
#include "reports/ReportWindows.h"
#include "reports/VoucherPreview.h"
#include "support/DemoWindows.h"
#include "support/Documents.h"
#include "support/Registered.h"
#include "support/SupplierFixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>

using namespace tarvic;
using namespace tarvic::test;
using namespace Qt::StringLiterals;

namespace {

struct Fixture : SessionWindows {
    SupplierFixture f{ts.db()};
    std::unique_ptr<SmtpServer> server;

    explicit Fixture(const QStringList& serverOptions = {})
        : SessionWindows([](WindowRegistry& r) {
              registerOperationsWindows(r);
              registerCancellationWindows(r);
          }) {
        server = std::make_unique<SmtpServer>(serverOptions);
        server->useFor(ts.db());
    }
    using SessionWindows::open;
    std::unique_ptr<frm_SupplierRequests> open() {
        return open<frm_SupplierRequests>(u"frm_SupplierRequests"_s,
                                          {{{u"CBPT_NO"_s, f.booking}, {u"QUOTATION_NO"_s, 7}, {u"ACC_CODE"_s, 1}}});
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

// A mnemonic clicks as a button does when pressed: a moment later.
template <class Done>
void altKey(QWidget* window, Qt::Key key, Done done) {
    QTest::keyClick(window, key, Qt::AltModifier);
    QVERIFY(QTest::qWaitFor(done, 5000));
}

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
    }

    // Both bookings, the sales one and the operations one the board opens, reach the requests of
    // the booking shown.
    void eachBookingOpensItsRequests() {
        Fixture x;
        registerBookingWindows(x.registry);
        for (const QString& booking : {u"frm_CBPT01"_s, u"frm_CBPT_SALES"_s}) {
            auto w = x.open<frm_CBPT01>(booking, {{{u"CBPT_NO"_s, x.f.booking}}});
            QVERIFY(w->Show_Record(x.f.booking));
            QCOMPARE(w->Cmd_HotelVoucher != nullptr, booking == u"frm_CBPT_SALES"_s);
            QVERIFY(w->Cmd_SupplierRequests->isEnabled());
            QTest::mouseClick(w->Cmd_SupplierRequests, Qt::LeftButton);
            auto* requests = w->findChild<frm_SupplierRequests*>();
            QVERIFY(requests);
            QCOMPARE(requests->txt_CBPTNo->text(), QString::number(x.f.booking));
            QCOMPARE(requests->Grid1->rowCount(), 3);
        }
    }

    // The administrator's template, and the office's hours, are what the next mail and the
    // board are made of.
    void theTemplateEditedIsTheOneMailed() {
        Fixture x;
        auto t = x.open<frm_SupplierTemplates>(u"frm_SupplierTemplates"_s);
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

    void cancellingMailsOnlyTheHotelsStillHoldingALine() {
        // the window, Yes or No, and the hotels asked (and on Yes mailed)
        const std::tuple<QString, bool, QStringList> cases[] = {
            {u"frm_CNCL_CBPT01"_s, true, QStringList{"sea@h.test", "lake@h.test"}},
            {u"frm_CNCL_CBPT01"_s, false, QStringList{"sea@h.test", "lake@h.test"}},
            {u"frm_CNCL_ANCP01"_s, true, QStringList{"sea@h.test"}}};
        for (const auto& [window, yes, mailed] : cases) {
            Fixture x;
            {
                auto w = x.open();
                x.press(*w, w->Cmd_Request, {}, {true});
            }
            SupplierRequests r(x.ts.db(), u"T"_s);
            r.recordAnswer(7, 1, supplier::kConfirmed, u"C1"_s);
            r.recordAnswer(7, 2, supplier::kDeclined, u"FULL"_s);
            const qint64 number =
                window.endsWith(u"CBPT01"_s)
                    ? x.f.booking
                    : TransactionRecords(x.ts.db(), u"T"_s)
                          .save(posting(u"ANCP01"_s, x.f.booking, SupplierFixture::kHotels[0], u"900"_s));
            const int requests = int(x.server->received().size());
            auto c = x.open<CancellationWindow>(window);
            typeEnter(c->txt_DocNo, QString::number(number));
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
    }

    void notesAreRequestedBesideTheHotelsAndCancelledAlone() {
        // the cancellation window, and the note: 0 the vehicle, 1 the other charge
        const std::tuple<QString, int> cases[] = {{u"frm_CNCL_ANCP02"_s, 0}, {u"frm_CNCL_ANCP03"_s, 1}};
        for (const auto& [window, note] : cases) {
            Fixture x;
            const auto [cab, guide] = x.f.notes();
            {
                auto w = x.open();
                QCOMPARE(column(w->Grid1->model(), frm_SupplierRequests::ColHotel),
                         (QStringList{"SEA & SAND , KERALA", "MALABAR CABS", "HILL GUIDES", "HILL <VIEW> , KERALA",
                                      "LAKE HOUSE , KERALA"}));
                QCOMPARE(column(w->Grid1->model(), frm_SupplierRequests::ColRooms).mid(1, 2),
                         (QStringList{"VEHICLE : 2 X SUV 7 SEATER", "OTHER : 2 X GUIDE CHARGES"}));
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
                    QVERIFY(!body.contains(u"Check-in"_s) && !body.contains(u"Meal plan"_s) &&
                            !raw.contains("filename="));
                }
                QCOMPARE(x.statuses(*w),
                         (QStringList{kNone, supplier::kRequested, supplier::kRequested, kNone, kNone}));
                // Its rooming list is a hotel's only.
                w->Grid1->setCurrentCell(1, frm_SupplierRequests::ColHotel);
                x.ts.answer();
                w->Print_RoomingList();
                QCOMPARE(x.ts.prompter.texts().last(), u"THE ROOMING LIST IS PRINTED FOR HOTEL LINES ONLY ...."_s);
            }
            const int requests = int(x.server->received().size());
            auto c = x.open<CancellationWindow>(window);
            typeEnter(c->txt_DocNo, QString::number(note == 0 ? cab : guide));
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
    }

    // On the demo, by keys alone: the booking opens its requests, both hotels are asked, the first
    // confirms, its voucher goes, its rooming list is saved as PDF; exactly those mails went.
    void theDemoBookingsHotelsAreAskedConfirmedVoucheredAndListed() {
        DemoWindows d([](WindowRegistry& r) {
            registerBookingsWindows(r);
            registerReportWindows(r);
        });
        SmtpServer server;
        server.useFor(d.db());
        const qint64 booking =
            d.db()
                .scalar(u"SELECT MIN(DOC_NO) FROM M_TBL_TRANSACTION WHERE DOC_CODE='CBPT01' AND PARTY_CODE=?"_s,
                        {d.asha})
                .toLongLong();
        auto b = d.open<frm_CBPT01>(u"frm_CBPT01"_s, {{{u"CBPT_NO"_s, booking}}});

        // The booking opens its requests; the grid has the focus, its first line chosen.
        d.ts.answer({});
        altKey(b.get(), Qt::Key_U, [&] { return b->findChild<frm_SupplierRequests*>() != nullptr; });
        auto* w = b->findChild<frm_SupplierRequests*>();
        QVERIFY(showActive(*w));
        QCOMPARE(QApplication::focusWidget(), w->Grid1);
        const QStringList suppliers = column(w->Grid1->model(), frm_SupplierRequests::ColHotel);
        QCOMPARE(suppliers.size(), 4);
        QVERIFY2(suppliers[0].startsWith(u"DEMO HILLVIEW HOTEL MUNNAR"_s) &&
                     suppliers[3].startsWith(u"DEMO BACKWATER RESORT"_s),
                 qPrintable(suppliers.join(u'|')));

        // Both hotels, not the cab and the guide between them: Ctrl+Down passes, Ctrl+Space adds.
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(w->Grid1, Qt::Key_Down, Qt::ControlModifier);
        QTest::keyClick(w->Grid1, Qt::Key_Space, Qt::ControlModifier);
        d.ts.answer({true});
        altKey(w, Qt::Key_R, [&] { return d.ts.prompter.texts().contains(kMailsSent); });
        QVERIFY(showActive(*w));  // the progress box gone, offscreen does not give the window back

        // The first hotel confirms: back to it, the answer CONFIRMED, its number, Enter.
        QTest::keyClick(w, Qt::Key_L, Qt::AltModifier);
        QTest::keyClick(w->Grid1, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClick(w, Qt::Key_W, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), w->Cmb_Answer);
        QCOMPARE(w->Cmb_Answer->currentText(), supplier::kConfirmed);
        QTest::keyClick(w, Qt::Key_S, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), w->txt_AnswerText);
        d.ts.answer({true});
        QTest::keyClicks(w->txt_AnswerText, u"HV-2231"_s);
        QTest::keyClick(w->txt_AnswerText, Qt::Key_Return);
        QCOMPARE(d.ts.prompter.texts().last(), u"SUPPLIER'S ANSWER SUCCESSFULLY RECORDED ...."_s);
        QCOMPARE(column(w->Grid1->model(), frm_SupplierRequests::ColStatus),
                 (QStringList{supplier::kConfirmed, u"NOT REQUESTED"_s, u"NOT REQUESTED"_s, supplier::kRequested}));

        // Its voucher: the line answered is the one chosen now.
        d.ts.answer({true});
        altKey(w, Qt::Key_V, [&] { return d.ts.prompter.texts().contains(kMailsSent); });
        QVERIFY(showActive(*w));

        // Its rooming list, saved as PDF from the preview.
        d.ts.answer({});
        const QTemporaryDir dir;
        d.ts.prompter.paths = {dir.filePath(u"rooming"_s)};
        altKey(w, Qt::Key_O, [&] { return w->findChild<VoucherPreview*>() != nullptr; });
        auto* preview = w->findChild<VoucherPreview*>();
        QVERIFY(showActive(*preview));
        QTest::keyClick(preview, Qt::Key_F3);
        QFile pdf(dir.filePath(u"rooming.pdf"_s));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QString list = SupplierFixture::pdfText(pdf.readAll());
        for (const QString& part :
             {u"ROOMING LIST"_s, u"DEMO HILLVIEW HOTEL MUNNAR"_s, u"101"_s, u"MRS ASHA NAIR"_s, u"MR VINOD NAIR"_s})
            QVERIFY2(list.contains(part), qPrintable(part + u" in "_s + list));

        // Exactly the two requests with their rooming lists and the voucher to hotel and customer.
        const QString hill = u"DEMO HILLVIEW HOTEL MUNNAR|"_s, back = u"DEMO BACKWATER RESORT|"_s;
        const QStringList expected{
            u"reservations@hillview.example.com|BOOKING REQUEST - CBPT 1 - "_s + hill +
                u"ROOMING LIST 1-1.pdf,ROOMING LIST 1-1.xlsx"_s,
            u"stay@backwater.example.com|BOOKING REQUEST - CBPT 1 - "_s + back +
                u"ROOMING LIST 1-2.pdf,ROOMING LIST 1-2.xlsx"_s,
            u"reservations@hillview.example.com|HOTEL VOUCHER - CBPT 1 - "_s + hill + u"HOTEL VOUCHER 1-1.pdf"_s,
            u"asha.nair@example.com|HOTEL VOUCHER - CBPT 1 - "_s + hill + u"HOTEL VOUCHER 1-1.pdf"_s};
        const auto got = server.received();
        QStringList mails;  // to | subject | files
        for (const ReceivedMail& m : got)
            mails << QStringList{m.envelopeTo.join(u','),
                                 QString::fromUtf8(m.raw.mid(m.raw.indexOf("Subject: ") + 9).split('\r').first()),
                                 SupplierFixture::attachmentNames(m.raw).join(u',')}
                         .join(u'|');
        QCOMPARE(mails, expected);
        QVERIFY(SupplierFixture::body(got[2].raw).contains(u"Confirmation no. HV-2231"_s));
    }
};

QTEST_MAIN(TstSupplierRequestsWindow)
#include "tst_supplier_requests_window.moc"
