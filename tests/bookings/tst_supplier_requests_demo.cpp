// On the demo's booking, from the keyboard only: the booking opens its supplier requests, its
// two hotels are asked, one confirms with its number, its voucher goes to the hotel and the
// customer, and its rooming list prints; the local mail server then holds exactly those mails.
#include "bookings/BookingsWindows.h"
#include "bookings/family/SupplierMailing.h"
#include "bookings/windows/frm_CBPT01.h"
#include "bookings/windows/frm_SupplierRequests.h"
#include "reports/ReportWindows.h"
#include "reports/VoucherPreview.h"
#include "support/DemoWindows.h"
#include "support/SupplierFixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

using namespace tarvic;
using namespace tarvic::test;
using namespace Qt::StringLiterals;

namespace {

// A mnemonic clicks as a button does when pressed: a moment later.
template <class Done>
void altKey(QWidget* window, Qt::Key key, Done done) {
    QTest::keyClick(window, key, Qt::AltModifier);
    QVERIFY(QTest::qWaitFor(done, 5000));
}

}  // namespace

class TstSupplierRequestsDemo : public QObject {
    Q_OBJECT
private slots:
    void theDemoBookingsHotelsAreAskedConfirmedVoucheredAndListed() {
        DemoWindows d([](WindowRegistry& r) {
            registerBookingsWindows(r);
            registerReportWindows(r);
        });
        SmtpServer server;
        SupplierFixture::smtp(d.db(), server);
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
        shoot(*w, u"frm_SupplierRequests_demo"_s);

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

QTEST_MAIN(TstSupplierRequestsDemo)
#include "tst_supplier_requests_demo.moc"
