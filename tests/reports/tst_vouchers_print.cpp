// The printed vouchers on the demo data and the rooming list: each layout's text read back from
// its document, the status line, alias fallback, spelled amounts, bulk postings, nothing found
// as a message, real PDFs read with pdftotext/pdfinfo, and the prints the windows open.
#include "bookings/BookingsWindows.h"
#include "bookings/windows/frm_CBPT01.h"
#include "engine/admin/DemoData.h"
#include "reports/ReportWindows.h"
#include "reports/RoomingList.h"
#include "reports/VoucherPreview.h"
#include "sales/SalesWindows.h"
#include "sales/frm_BusinessLeads_Quotation.h"
#include "shell/kit/ExpXls.h"
#include "shell/kit/ListGrid.h"
#include "support/AdminRunner.h"
#include "support/DemoWindows.h"
#include "support/Drive.h"
#include "support/TestSession.h"
#include "support/TravellersFixture.h"
#include "support/Workbook.h"

#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSqlRecord>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextDocument>

using namespace tarvic;
using namespace tarvic::test;
using namespace Qt::StringLiterals;

namespace {

struct Fixture : DemoWindows {
    Fixture() : DemoWindows(registerReportWindows) { addReportDemo(ts.db()); }
    qint64 no(const QString& code) {
        return db().scalar(u"SELECT MAX(DOC_NO) FROM M_TBL_TRANSACTION WHERE DOC_CODE=?"_s, {code}).toLongLong();
    }
    qint64 quote() {
        return db().scalar(u"SELECT MAX(DOC_NO) FROM M_TBL_QUOTATION WHERE DOC_CODE='QGBL02'"_s).toLongLong();
    }
    QString text(const QString& code, qint64 booking = 0) {
        QTextDocument doc;
        VoucherReport::forDocument(db(), code, no(code), booking).fill(doc);
        return doc.toPlainText().simplified();
    }
    // A copy of a transaction row with some columns changed.
    void copyRow(const QString& code, qint64 number, const QVariantHash& changes) {
        const QSqlRecord r =
            *db().firstRow(u"SELECT * FROM M_TBL_TRANSACTION WHERE DOC_CODE=? AND DOC_NO=?"_s, {code, number});
        QStringList cols, marks;
        QVariantList values;
        for (int i = 0; i < r.count(); ++i) {
            cols << r.fieldName(i);
            marks << u"?"_s;
            values << changes.value(r.fieldName(i).toUpper(), r.value(i));
        }
        db().exec(u"INSERT INTO M_TBL_TRANSACTION (%1) VALUES (%2)"_s.arg(cols.join(','), marks.join(',')), values);
    }
};

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    [&] { QVERIFY2(p.waitForFinished(20000) && p.exitCode() == 0, qPrintable(program)); }();
    return QString::fromUtf8(p.readAllStandardOutput());
}

int pdfPages(const QString& path) {
    return QRegularExpression(u"Pages:\\s+(\\d+)"_s).match(run(u"pdfinfo"_s, {path})).captured(1).toInt();
}

QString pdfText(TravellersFixture& f, qint64 line) {
    const QByteArray pdf = roomingListPdf(f.db(), f.booking, TravellersFixture::kQuotation, line);
    const QString path = f.dir.filePath(QStringLiteral("rooming%1.pdf").arg(line));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(pdf);
    file.close();
    if (const QString shots = qEnvironmentVariable("TARVIC_SHOTS_DIR"); !shots.isEmpty())
        QFile::copy(path, shots + QStringLiteral("/rooming%1.pdf").arg(line));
    return run(u"pdftotext"_s, {u"-layout"_s, path, u"-"_s});
}

// Whether each text shows after the one before it.
bool inOrder(const QString& text, const QStringList& parts) {
    qsizetype at = 0;
    for (const QString& part : parts) {
        at = text.indexOf(part, at);
        if (at < 0) {
            qWarning() << "not in order:" << part;
            return false;
        }
    }
    return true;
}

}  // namespace

class TestVouchersPrint : public QObject {
    Q_OBJECT
private slots:
    // Every layout prints its document: title, key values, words, letterhead and notes.
    void everyLayoutReadsItsDocument() {
        Fixture f;
        const QString header =
            f.db().scalar(u"SELECT DOC_HEADER FROM MST_DOCUMENTCODES WHERE DOC_CODE='FRDM01'"_s).toString().trimmed();
        const QList<std::pair<QString, QStringList>> cases{
            {u"FRDB01"_s,
             {u"MONEY RECEIVE ACKNOWLEDGEMENT ( FRDB01 )"_s, u"DEMO ASHA NAIR"_s, u"20000.00"_s, u"NEFT-DEMO-0001"_s,
              u"DEMO KERALA HILLS AND BACKWATERS"_s, u"Twenty Thousand"_s, u"Money Receipt"_s}},
            {u"FTCR01"_s,
             {u"FUND TRANSFER ACKNOWLEDGEMENT ( FTCR01 )"_s, u"DEMO HILLVIEW HOTEL MUNNAR"_s, u"9000.00"_s}},
            {u"FRDM01"_s, {header, u"COMMISSION RECEIVED"_s, u"1500.00"_s, u"One Thousand Five Hundred"_s}},
            {u"APCM01"_s, {u"OFFICE RENT"_s, u"12000.00"_s, u"RECEIVED BY : DEMO LANDLORD"_s}},
            {u"BTCR01"_s, {u"5000.00"_s, u"CREATED BY ON : DEMO DATA - "_s, u"Print taken "_s}},
            {u"INV001"_s,
             {u"TAX INVOICE"_s, u"DEMO/INV/"_s, u"FIRST INSTALMENT"_s, u"BANK DETAILS"_s, u"DEMB0000012"_s,
              u"Subject to ERNAKULAM Jurisdiction"_s}},
            {u"INV006"_s, {u"PROFORMA INVOICE"_s, u"ALL TAXES INCLUDED"_s, u"inclusive of all applicable taxes"_s}},
        };
        for (const auto& [code, expected] : cases) {
            const QString text = f.text(code);
            for (const QString& e : expected + QStringList{u"MARINE TOWERS, SHANMUGHAM ROAD, KOCHI, KERALA"_s})
                QVERIFY2(text.contains(e), qPrintable(code + u": "_s + e + u"\n"_s + text));
            QVERIFY2(!text.contains(u"YOUR "_s), qPrintable(code + u": "_s + text));
            QVERIFY2(!text.contains(u"CANCELLED"_s), qPrintable(code));
        }
        // The hotel voucher: a page per hotel line, dates spelled in English.
        const VoucherReport hotel = VoucherReport::forHotelVoucher(f.db(), f.quote());
        QCOMPARE(qint64(hotel.pages()),
                 count(f.db(), u"M_TBL_QUOTATION"_s, u"DOC_CODE='QGBL02' AND ACCOUNT_DESC='HOTEL' AND DOC_NO=?"_s,
                       {f.quote()}));
        QTextDocument doc;
        hotel.fill(doc);
        QVERIFY(doc.toPlainText().simplified().contains(
            QRegularExpression(u"CHECK IN DT : \\d\\d [A-Z]+ \\d{4} \\( [A-Z]+DAY \\)"_s)));
        QVERIFY(doc.toPlainText().contains(u"DEMO HILLVIEW HOTEL MUNNAR"_s));
    }

    void statusLineFollowsTheDocumentStatus() {
        Fixture f;
        const QList<std::tuple<QString, QString, QString>> cases{{u"FRDB01"_s, u"CNCL"_s, u"CANCELLED VOUCHER"_s},
                                                                 {u"FRDB01"_s, u"NC"_s, u"PENDING VOUCHER"_s},
                                                                 {u"APCM01"_s, u"CNCL"_s, u"CANCELLED VOUCHER"_s},
                                                                 {u"BTCR01"_s, u"CNCL"_s, u"CANCELLED ADVICE NOTE"_s},
                                                                 {u"INV001"_s, u"CNCL"_s, u"CANCELLED INVOICE"_s}};
        for (const auto& [code, status, line] : cases) {
            f.db().exec(u"UPDATE M_TBL_TRANSACTION SET DOC_STATUS=? WHERE DOC_CODE=?"_s, {status, code});
            QVERIFY2(f.text(code).contains(line), qPrintable(code + status));
        }
    }

    // The invoice prints its own stored name, the proforma the party's alias; an empty one
    // prints the party's name. The words are spelled when none were stored.
    void aliasFallbackAndSpelledWords() {
        Fixture f;
        f.db().exec(u"UPDATE M_TBL_PARTY SET PARTY_ALIASNAME='ASHA & CO <PVT>' WHERE PARTY_NAME='DEMO ASHA NAIR'"_s);
        QVERIFY(f.text(u"INV006"_s).contains(u"ASHA & CO <PVT>"_s));
        f.db().exec(u"UPDATE M_TBL_PARTY SET PARTY_ALIASNAME='' WHERE PARTY_NAME='DEMO ASHA NAIR'"_s);
        f.db().exec(
            u"UPDATE M_TBL_TRANSACTION SET PARTY_ALIASNAME=NULL, AMT_INWORDS='' WHERE DOC_CODE IN ('INV001','FRDB01')"_s);
        for (const QString& code : {u"INV006"_s, u"INV001"_s})
            QVERIFY2(f.text(code).contains(u"TO, DEMO ASHA NAIR"_s), qPrintable(f.text(code)));
        QVERIFY(f.text(u"FRDB01"_s).contains(u"AMT IN WORDS : Twenty Thousand Rupees Only /-"_s));
    }

    // A bulk posting holds a row per booking under one number: by booking one page, else all.
    void bulkPostingPrintsTheBookingsRowOrEveryRow() {
        Fixture f;
        const qint64 booking = f.no(u"CBPT01"_s), receipt = f.no(u"FRDB01"_s);
        f.copyRow(u"CBPT01"_s, booking, {{u"DOC_NO"_s, 90001}, {u"DOC_STATUS"_s, u"CNCL"_s}});
        f.copyRow(u"FRDB01"_s, receipt, {{u"IN_DOCNO"_s, 90001}, {u"GRAND_TOTAL"_s, u"777.00"_s}, {u"DOC_PART"_s, 2}});
        const QString one = f.text(u"FRDB01"_s, 90001);
        QVERIFY(one.contains(u"777.00"_s) && !one.contains(u"20000.00"_s));
        QVERIFY(f.text(u"FRDB01"_s, booking).contains(u"20000.00"_s) &&
                !f.text(u"FRDB01"_s, booking).contains(u"777.00"_s));
        QTemporaryDir dir;
        const QString pdf = dir.filePath(u"bulk.pdf"_s);
        VoucherReport::forDocument(f.db(), u"FRDB01"_s, receipt).savePdf(pdf);
        QCOMPARE(pdfPages(pdf), 2);
        const QString text = run(u"pdftotext"_s, {u"-layout"_s, pdf, u"-"_s});
        QVERIFY(text.contains(u"777.00"_s) && text.contains(u"20000.00"_s) &&
                text.contains(u"MONEY RECEIVE ACKNOWLEDGEMENT"_s));
    }

    // Nothing found, or a code without a layout, is a message and no preview; a found one
    // opens the preview, whose Save as PDF writes the pages.
    void previewOrMessage() {
        Fixture f;
        f.db().exec(u"UPDATE M_TBL_TRANSACTION SET LEAD_NO=-5 WHERE DOC_CODE='INV006'"_s);  // its lead row missing
        const QList<std::pair<QVariantHash, QString>> refused{
            {{{u"DOC_CODE"_s, u"FRDB01"_s}, {u"DOC_NO"_s, 99999}}, kNoRecord},
            {{{u"DOC_CODE"_s, u"INV006"_s}, {u"DOC_NO"_s, f.no(u"INV006"_s)}}, kNoRecord},
            {{{u"DOC_CODE"_s, u"FTREF01"_s}, {u"DOC_NO"_s, 1}},
             u"NO PRINT FORMAT AVAILABLE FOR DOCUMENT CODE : FTREF01 ...."_s}};
        for (const auto& [args, message] : refused) {
            f.ts.answer();
            QVERIFY(!f.registry.create(u"rpt_Voucher"_s, f.ts.session, nullptr, {args}));
            QCOMPARE(f.ts.prompter.texts(), QStringList{message});
        }
        QTemporaryDir dir;
        const QString path = dir.filePath(u"hotel"_s);
        std::unique_ptr<QWidget> w(
            f.registry.create(u"rpt_HotelVoucher"_s, f.ts.session, nullptr, {{{u"QUOTATION_NO"_s, f.quote()}}}));
        auto* preview = qobject_cast<VoucherPreview*>(w.get());
        QVERIFY(preview && showActive(*preview));
        f.ts.answer();
        f.ts.prompter.paths = {path};
        QCOMPARE(preview->Save_Pdf(), path + u".pdf"_s);
        // The save offers the window's caption and today's date as the file's name.
        QCOMPARE(f.ts.prompter.pathPrompts.size(), 1);
        QCOMPARE(f.ts.prompter.pathPrompts[0].suggested,
                 preview->windowTitle() + u' ' + QDate::currentDate().toString(Qt::ISODate) + u".pdf"_s);
        QCOMPARE(pdfPages(path + u".pdf"_s), preview->report()->pages());
        QVERIFY(run(u"pdftotext"_s, {path + u".pdf"_s, u"-"_s})
                    .contains(u"PLEASE PROVIDE THE SERVICES AS PER ABOVE MENTIONED DETAILS"_s));
    }

    // A document printed while the company profile still carries placeholders asks first; once
    // tarvic-admin has filled it in, the PDF carries the company's own data and nothing is asked.
    void placeholdersAskBeforePrintingUntilTheProfileIsFilled() {
        Fixture f;
        f.db().exec(
            u"UPDATE MST_LOCATIONDETAILS SET COMP_ADDRESS='YOUR COMPANY ADDRESS', "
            "COMP_PHONES='YOUR PHONE NUMBERS', COMP_GSTIN='YOUR GSTIN', JURISDICTION_CITY='YOUR CITY', "
            "BANK_ACNO='YOUR A/C NO'"_s);
        QTemporaryDir dir;
        const auto savePdf = [&](const QString& name, const QList<bool>& answers) {
            std::unique_ptr<QWidget> w(
                f.registry.create(u"rpt_Voucher"_s, f.ts.session, nullptr,
                                  {{{u"DOC_CODE"_s, u"INV001"_s}, {u"DOC_NO"_s, f.no(u"INV001"_s)}}}));
            auto* preview = qobject_cast<VoucherPreview*>(w.get());
            f.ts.answer(answers);
            f.ts.prompter.paths = {dir.filePath(name)};
            const QString path = preview ? preview->Save_Pdf() : QString();
            return path.isEmpty() ? QString() : run(u"pdftotext"_s, {u"-layout"_s, path, u"-"_s}).simplified();
        };
        const QString question =
            u"THE COMPANY PROFILE STILL CARRIES PLACEHOLDERS (ADDRESS, PHONE NOS, GSTIN, "
            "JURISDICTION CITY, A/C NO). PRINT ANYWAY ?"_s;
        QCOMPARE(savePdf(u"no.pdf"_s, {false}), QString());
        QCOMPARE(f.ts.prompter.texts(), QStringList{question});
        QVERIFY(!QFile::exists(dir.filePath(u"no.pdf"_s)));
        const QString anyway = savePdf(u"anyway.pdf"_s, {true});
        QCOMPARE(f.ts.prompter.texts().value(0), question);
        for (const char* shown : {"YOUR COMPANY ADDRESS", "PH : YOUR PHONE NUMBERS", "GSTIN : YOUR GSTIN",
                                  "A/C NO : YOUR A/C NO", "Subject to YOUR CITY Jurisdiction"})
            QVERIFY2(anyway.contains(QLatin1String(shown)), shown);

        const AdminRun r = runAdmin(
            f.ts.t, {u"company"_s, u"address=14 BROADWAY, ERNAKULAM"_s, u"phones=0484 2351234"_s,
                     u"gstin=32AABCT5566P1ZV"_s, u"jurisdiction="_s, u"ac-no=0012 3456 7890"_s, u"city=KOCHI"_s});
        QVERIFY2(r.code == 0 && r.out.contains(u"the company profile is complete"_s), qPrintable(r.describe()));
        const QString filled = savePdf(u"filled.pdf"_s, {});
        QCOMPARE(f.ts.prompter.texts(),
                 QStringList{u"SUCCESSFULLY SAVED TO "_s + dir.filePath(u"filled.pdf"_s) + u" ...."_s});
        for (const char* shown : {"14 BROADWAY, ERNAKULAM, KOCHI", "PH : 0484 2351234", "GSTIN : 32AABCT5566P1ZV",
                                  "A/C NO : 0012 3456 7890", "Subject to KOCHI Jurisdiction"})
            QVERIFY2(filled.contains(QLatin1String(shown)), qPrintable(QLatin1String(shown) + u"\n"_s + filled));
        QVERIFY(!filled.contains(u"YOUR "_s));
        // A field the tool does not know is refused, nothing changed; so is an empty name.
        for (const QString& wrong : {u"colour=RED"_s, u"name="_s}) {
            const AdminRun bad = runAdmin(f.ts.t, {u"company"_s, u"phones=1"_s, wrong});
            QVERIFY2(bad.code == 1, qPrintable(bad.describe()));
        }
        QCOMPARE(f.db().scalar(u"SELECT COMP_PHONES FROM MST_LOCATIONDETAILS"_s).toString(), u"0484 2351234"_s);
    }

    // The booking's receipt grid prints that booking's receipt; the quotation prints its hotels.
    void callersOpenTheirPrints() {
        Fixture f;
        registerBookingsWindows(f.registry);
        registerSalesWindows(f.registry);
        frm_CBPT01 booking(f.ts.session, nullptr, frm_CBPT01::Mode::Sales);
        QVERIFY(showActive(booking) && booking.Show_Record(f.no(u"CBPT01"_s)));
        auto* grid = booking.findChild<ListGrid*>(u"Grid_Receipts"_s);
        QWidget* page = grid;
        while (page && booking.tabs->indexOf(page) < 0)
            page = page->parentWidget();
        booking.tabs->setCurrentWidget(page);
        QCOMPARE(grid->model()->rowCount(), 1);
        const QPoint at = grid->visualRect(grid->model()->index(0, 1)).center();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
        QPointer<VoucherPreview> receipt = booking.findChild<VoucherPreview*>(u"rpt_Voucher"_s);
        QVERIFY(receipt && receipt->report()->pages() == 1 && receipt->windowTitle().contains(u"FRDB01"_s));
        frm_BusinessLeads_Quotation quotation(f.ts.session, nullptr);
        QVERIFY(showActive(quotation) && quotation.Show_Record(f.quote()));
        QVERIFY(quotation.Cmd_PrintHotelVoucher->isEnabled());
        quotation.Cmd_PrintHotelVoucher->click();
        QVERIFY(quotation.findChild<VoucherPreview*>(u"rpt_HotelVoucher"_s));
    }

    // The rooming list of a hotel line, read back from the real PDF and workbook.
    // Each traveller under its own room, rooms in order whatever the stored order, no other
    // hotel's; a room more than booked is stated.
    void pdfShowsEachTravellerUnderItsRoom() {
        struct Case {
            qint64 line;
            QStringList inOrder, absent;
            bool thirdRoom;
        };
        const Case cases[] = {{1,
                               {"ROOMING LIST", "HILL RESORT", "10/01/2027", "12/01/2027",
                                "DELUXE (VALLEY VIEW DELUXE)", "101", "MR ANIL KUMAR", "MRS MEENA KUMAR", "102",
                                "MR RAVI NAIR", "MS ASHA NAIR", "TOTAL ROOMS : 2", "TOTAL TRAVELLERS : 4"},
                               {"O'NEIL", "S1", "ROOMS BOOKED"},
                               false},
                              {2,
                               {"SEA BREEZE", "12/01/2027", "14/01/2027", "S1", "MR JOHN O'NEIL, JR", "MRS MARY O'NEIL",
                                "MASTER TOM O'NEIL", "TOTAL ROOMS : 1", "TOTAL TRAVELLERS : 3"},
                               {"KUMAR", "RAVI"},
                               false},
                              {1,
                               {"101", "102", "RAVI NAIR", "103", "ASHA NAIR",
                                "ROOM TYPE DELUXE:", "3 IN THE ROOMING LIST", "TOTAL ROOMS : 3"},
                               {"O'NEIL"},
                               true}};
        for (const Case& c : cases) {
            TestDb t;
            TravellersFixture f(t.db());
            std::vector<Traveller> list = TravellersFixture::good();
            std::rotate(list.begin(), list.begin() + 2, list.begin() + 4);
            if (c.thirdRoom)
                list[1].roomNo = QStringLiteral("103");
            f.travellers().store(f.booking, list);
            const QString text = pdfText(f, c.line);
            QVERIFY2(inOrder(text, c.inOrder), qPrintable(text));
            for (const QString& a : c.absent)
                QVERIFY2(!text.contains(a), qPrintable(a));
        }
    }

    // The rooming list as a workbook, room by room, with its stay.
    void workbookRoomByRoom() {
        TestDb t;
        TravellersFixture f(t.db());
        f.travellers().store(f.booking, TravellersFixture::good());
        const QString path = f.dir.filePath("rooming.xlsx");
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(roomingListXlsx(f.db(), f.booking, TravellersFixture::kQuotation, 2));
        file.close();
        const Sheets sheets = readWorkbook(path);
        const QList<QStringList> rooms = sheets.value("ROOMING LIST");
        QCOMPARE(rooms.size(), 4);
        QCOMPARE(rooms[0].mid(0, 3).join('|'), "ROOM NO|ROOM TYPE|TITLE");
        QCOMPARE(rooms[3].join('|'), "S1|SUITE|MASTER|TOM|O'NEIL|M|03/03/2015||03/03/2055|CHILD");
        QVERIFY(sheets.value("STAY").contains(QStringList{"HOTEL", "SEA BREEZE"}));
        QVERIFY(sheets.value("STAY").contains(QStringList{"CHECK IN DT", "12/01/2027"}));
    }

    void lineOfAnotherBookingGivesNothing() {
        TestDb t;
        TravellersFixture f(t.db());
        QVERIFY(roomingListPdf(f.db(), f.booking, TravellersFixture::kQuotation, 9).isEmpty());
        QVERIFY(roomingListXlsx(f.db(), f.booking + 1, TravellersFixture::kQuotation, 1).isEmpty());
    }
};

QTEST_MAIN(TestVouchersPrint)
#include "tst_vouchers_print.moc"
