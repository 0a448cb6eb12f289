// The quotation's pages and their sends: values shown literally (escaped, line breaks kept),
// a page always that of the quotation on screen, Save to Doc as the page's bytes and Save as
// PDF with its text; a page mailed through a local server with TLS and AUTH (one message to
// every address, From, RE: subject, picture related by Content-ID, no password anywhere),
// what stops a send before anything goes out; and bulk mail, one message per address.
#include "data/Mailer.h"
#include "sales/QuotationPagePane.h"
#include "sales/SalesWindows.h"
#include "sales/frm_BusinessLeads_Quotation.h"
#include "sales/frm_SendBulkEmail.h"
#include "support/Drive.h"
#include "support/Registered.h"
#include "support/SmtpServer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTcpSocket>
#include <QTextBrowser>

using namespace tarvic;
using namespace tarvic::test;

namespace {

// The quotation stores the tourist in capitals, as typed into its window.
const QString kTourist1 = QStringLiteral("A<B>&C");
const QString kHotel1 = QStringLiteral("\"SEA\" O'VIEW");

// Two quotations of two leads on one itinerary, each with a hotel; the quotation window open.
struct Fixture : SessionWindows {
    QTemporaryDir dir;
    std::unique_ptr<frm_BusinessLeads_Quotation> w;

    Fixture() : SessionWindows(registerSalesWindows) {
        // Pages go to the user's own folder: here a folder of this test alone.
        qputenv("XDG_DATA_HOME", dir.filePath("data").toUtf8());
        Database& db = ts.db();
        db.exec(
            "INSERT INTO M_TBL_PARTY (PARTY_CODE, PARTY_NAME, EMAIL_ADD, BUSINESS_RELTYPE) VALUES "
            "(1, 'SEA TRAVELS', 'sea@x.test', 'B2C')");
        db.exec(
            "INSERT INTO M_TBL_TRANSACTION (DOC_CODE, DOC_NO, PARTY_CODE, TOURIST_NAME) VALUES "
            "('BLFC01', 7, 1, 'X'), ('BLFC01', 8, 1, 'Y')");
        db.exec(
            "INSERT INTO M_TBL_ITINERARY_HEADER (ITN_DOCNO, ITN_NAME, ITN_DURATION) VALUES (3, 'BACKWATERS', "
            "'1 N / 2 D')");
        db.exec(
            "INSERT INTO M_TBL_ITINERARY_NOTES (ITN_DOCNO, ITN_NOTE_CODE, ITN_NOTE) VALUES "
            "(3, 'ITN_CNCL', 'NO REFUND\nWITHIN 7 DAYS')");
        db.exec("INSERT INTO M_TBL_TAX (TAX_CODE, TAX_NAME, TAX_PER) VALUES (1, 'GST 5', 5)");
        for (const auto& [q, lead, tourist, hotel, total] :
             {std::tuple{1, 7, kTourist1, kHotel1, "10500.00"},
              std::tuple{2, 8, QString("ZED"), QString("HILL TOP"), "777.00"}}) {
            db.exec(
                "INSERT INTO M_TBL_QUOTATION (DOC_CODE, DOC_NO, DOC_DATE, LEAD_NO, ITINERARY_NO, BOOKED_BY, "
                "TOURIST_NAME, TOURIST_MOBNO, TOURIST_EMAIL, NOOF_ADULT, JOURNEY_STRTDT, JOURNEY_ENDDT, "
                "TOTAL_AMOUNT, GRAND_TOTAL, TAX_CODE, TAX_PER, MARKUP_ON, DOC_STATUS, LCK_QUOT) VALUES "
                "('QGBL01', ?, ?, ?, 3, 'DESK', ?, '1', 't@x.test', 2, ?, ?, ?, ?, 1, 5, '%', 'QOFE', 'N')",
                {q, QDate(2026, 12, 1), lead, tourist, QDate(2026, 12, 10), QDate(2026, 12, 11), total, total});
            db.exec(
                "INSERT INTO M_TBL_QUOTATION (DOC_CODE, DOC_NO, ACC_CODE, ACCOUNT_DESC, TOUR_DATE, HOTEL_NAME, "
                "TOTAL_AMOUNT) VALUES ('QGBL02', ?, 1, 'HOTEL', ?, ?, ?)",
                {q, QDate(2026, 12, 10), hotel, total});
        }
        w = std::make_unique<frm_BusinessLeads_Quotation>(ts.session, nullptr);
        showActive(*w);
    }
    QuotationPagePane* pane(QuotationPage p = QuotationPage::Quotation) { return w->pagePane(p); }
    QString pageFile(QuotationPage p = QuotationPage::Quotation) {
        QFile f(pageFilePath(p));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }
};

QString pdfText(const QString& path) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    return p.waitForFinished(30000) ? QString::fromUtf8(p.readAllStandardOutput()) : QString();
}

}  // namespace

class tst_quotation_pages : public QObject {
    Q_OBJECT
private slots:
    void pagesShowValuesLiterallyAndFollowTheQuotationOnScreen() {
        Fixture f;
        QVERIFY(f.w->Show_Record(1));
        QVERIFY(f.w->pressTool(5));
        for (QuotationPage p : {QuotationPage::Quotation, QuotationPage::Confirmation, QuotationPage::Vehicle}) {
            const QString shown = f.pane(p)->browser->toPlainText();
            QVERIFY2(shown.contains(kTourist1), qPrintable(shown));
            QVERIFY(f.pageFile(p).contains("<meta charset=\"utf-8\">"));
        }
        const QString page = f.pageFile();
        // No company picture: the page starts with its greeting, no room kept for one.
        QVERIFY(!page.left(page.indexOf("Dear Sir")).contains("<br>"));
        QVERIFY(page.contains("A&lt;B&gt;&amp;C") && !page.contains(kTourist1));
        QVERIFY(page.contains("&quot;SEA&quot; O'VIEW / Similar"));
        QVERIFY(page.contains("NO REFUND<br>WITHIN 7 DAYS"));
        QVERIFY(f.pane()->browser->toPlainText().contains(kHotel1));

        // Another quotation shown, no preview: its own pages are shown at once and saved.
        QVERIFY(f.w->Show_Record(2));
        QVERIFY(f.pane()->browser->toPlainText().contains("HILL TOP / Similar"));
        QVERIFY(!f.pane(QuotationPage::Vehicle)->browser->toPlainText().contains(kTourist1));
        const QString doc = f.dir.filePath("q.doc"), pdf = f.dir.filePath("q.pdf");
        f.ts.answer();
        f.ts.prompter.paths = {doc, pdf};
        QTest::mouseClick(f.pane()->saveDoc, Qt::LeftButton);
        QTest::mouseClick(f.pane()->savePdf, Qt::LeftButton);
        QCOMPARE(f.ts.prompter.texts(),
                 (QStringList{"QUOTATION SUCCESSFULLY SAVE TO DOCUMENT...", "QUOTATION SUCCESSFULLY SAVED AS PDF..."}));
        QFile saved(doc);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray bytes = saved.readAll();
        QCOMPARE(bytes, f.pageFile().toUtf8());
        QVERIFY(bytes.contains("ZED") && bytes.contains("HILL TOP") && !bytes.contains("A&lt;B"));
        const QString text = pdfText(pdf);
        QVERIFY2(text.contains("ZED") && text.contains("HILL TOP / Similar") && !text.contains("O'VIEW"),
                 qPrintable(text));
    }

    // However the pages fall, a short section is printed whole on one page, its title with its
    // text, and every page carries its number of the whole.
    void pdfKeepsTitlesWithTheirTextAndNumbersItsPages() {
        Fixture f;
        f.ts.db().exec(
            "INSERT INTO M_TBL_ITINERARY_NOTES_QUOTE (ITN_DOCNO, QUOT_NO, ITN_NOTE_CODE, ITN_NOTE) VALUES "
            "(3, 1, 'ITN_HOTELTOUSE', 'HOTELMARK ONE\nHOTELMARK TWO')");
        f.ts.db().exec(
            "INSERT INTO M_TBL_ITINERARY_DETAILS_QUOTE (ITN_DOCNO, QUOT_NO, ITN_SLNO, ITN_DAY) VALUES (3, 1, 1, 1)");
        const QString pdf = f.dir.filePath("fall.pdf");
        // Each line more of itinerary moves the notes down: one of them brings the note to a page's foot.
        for (int lines = 1; lines <= 60; ++lines) {
            f.ts.db().exec("UPDATE M_TBL_ITINERARY_DETAILS_QUOTE SET ITN_DESC=?", {QStringList(lines, "L").join('\n')});
            writePagePdf(buildQuotationPage(f.ts.db(), 1, QuotationPage::Quotation, {}), pdf);
            const QStringList pages = pdfText(pdf).split('\f', Qt::SkipEmptyParts);
            for (int i = 0; i < pages.size(); ++i) {
                QVERIFY(pages[i].contains(QStringLiteral("Page %1 of %2").arg(i + 1).arg(pages.size())));
                QVERIFY2(pages[i].count("Hotel To Be Used :") == pages[i].count("HOTELMARK ONE\nHOTELMARK TWO"),
                         qPrintable(QString::number(lines)));
            }
        }
    }

    // The cost sheet says NET PAYABLE once, and its tax line names the amount the tax was
    // charged on: the taxable amount, or the total with commission when none was kept.
    void costSheetStatesTheTaxBase() {
        Fixture f;
        for (const auto& [taxable, base] : {std::pair{"4000", "4000.00"}, std::pair{"NULL", "10500.00"}}) {
            f.ts.db().exec(QStringLiteral("UPDATE M_TBL_QUOTATION SET TOTAL_AMOUNT2=10500, TAXIBLE_AMT=%1, "
                                          "TAX_AMOUNT=200 WHERE DOC_CODE='QGBL01' AND DOC_NO=1")
                               .arg(taxable));
            writePagePdf(buildQuotationPage(f.ts.db(), 1, QuotationPage::CostSheet, {}), f.dir.filePath("c.pdf"));
            const QString text = pdfText(f.dir.filePath("c.pdf"));
            QVERIFY(text.count("NET PAYABLE") == 1 && text.contains("NET PAYABLE : 10500.00"));
            QVERIFY2(text.contains(QStringLiteral("GST 5 5.00 % ON %1 : 200.00").arg(base)), qPrintable(text));
        }
    }

    void aLockedQuotationHasItsStoredPagesAndIsNotSaved() {
        Fixture f;
        f.ts.db().exec("UPDATE M_TBL_QUOTATION SET LCK_QUOT='Y' WHERE DOC_CODE='QGBL01' AND DOC_NO=1");
        QVERIFY(f.w->Show_Record(1));
        QVERIFY(f.w->pressTool(5));
        QVERIFY(f.pane(QuotationPage::Confirmation)->browser->toPlainText().contains(kTourist1));
        QVERIFY(f.ts.prompter.texts().isEmpty());
        QVERIFY(
            f.ts.db().scalar("SELECT UPDATE_BY FROM M_TBL_QUOTATION WHERE DOC_CODE='QGBL01' AND DOC_NO=1").isNull());
    }

    void aPageIsMailedWithItsPictureToEveryAddress() {
        SmtpServer server;
        Fixture f;
        server.useFor(f.ts.db());
        QFile picture(f.dir.filePath("compname.jpg"));
        QVERIFY(picture.open(QIODevice::WriteOnly) && picture.write("\xff\xd8\xff\xe0 jpeg") > 0);
        picture.close();
        f.ts.db().exec("UPDATE MST_LOCATIONDETAILS SET PHOTO_PATH=?", {f.dir.path()});
        QVERIFY(f.w->Show_Record(1));
        auto* pane = f.pane(QuotationPage::Confirmation);
        pane->email->setText("asha@x.test; john@x.test");
        pane->subject->setText(" Tour ");
        pane->reply->setChecked(true);
        f.ts.answer();
        QTest::mouseClick(pane->send, Qt::LeftButton);
        QCOMPARE(f.ts.prompter.texts(), QStringList{"Confirmation Email Successfully Sent ...."});
        const auto got = server.received();
        QCOMPARE(got.size(), 1);
        QCOMPARE(got[0].envelopeTo, (QStringList{"asha@x.test", "john@x.test"}));
        const QByteArray raw = got[0].raw;
        for (const char* expected :
             {"\r\nFrom: TARVIC DESK <desk@x.test>\r\n", "\r\nSubject: RE:Tour\r\n", "multipart/related",
              "Content-ID: <compname.jpg>", "cid:compname.jpg", "CONFIRMATION VOUCHER"})
            QVERIFY2(raw.contains(expected), expected);
        QVERIFY(!raw.contains(SmtpServer::kPassword));
        // The page on screen shows the local picture, never a mail part.
        QVERIFY(f.pageFile(QuotationPage::Confirmation).contains("compname.jpg\" width=\"919\""));
    }

    // No settings, nobody to send to, authentication refused: said once, nothing sent, no password shown.
    void aSendStopsBeforeAnythingGoesOut() {
        const std::tuple<QStringList, bool, QString, QString> cases[] = {
            {{}, false, "a@x.test", kNoSmtp},
            {{}, true, " ; ", kNoRecipient},
            {{"--refuse-auth"}, true, "a@x.test", "UNABLE TO SEND E-MAIL: "}};
        for (const auto& [serverOptions, settings, to, message] : cases) {
            SmtpServer server(serverOptions);
            Fixture f;
            if (settings)
                server.useFor(f.ts.db());
            QVERIFY(f.w->Show_Record(1));
            f.pane()->email->setText(to);
            f.ts.answer();
            QTest::mouseClick(f.pane()->send, Qt::LeftButton);
            const QStringList shown = f.ts.prompter.texts();
            QCOMPARE(shown.size(), 1);
            QVERIFY2(shown[0].startsWith(message) && !shown[0].contains(SmtpServer::kPassword), qPrintable(shown[0]));
            QCOMPARE(server.received().size(), 0);
        }
    }

    void aWebPictureIsFetchedOnceAndKeptWithThePages() {
        Fixture f;
        QVERIFY(QDir(f.dir.path()).mkpath("web/img"));
        QFile jpeg(f.dir.filePath("web/img/compname.jpg"));
        QVERIFY(jpeg.open(QIODevice::WriteOnly) && jpeg.write("JPEG") == 4);
        jpeg.close();
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        const QString port = QString::number(probe.serverPort());
        probe.close();
        QProcess web;
        web.start("/usr/bin/python3",
                  {"-m", "http.server", "--bind", "127.0.0.1", port, "--directory", f.dir.filePath("web")});
        QTcpSocket up;
        for (int i = 0; i < 50; ++i) {  // until the server listens
            up.connectToHost(QHostAddress::LocalHost, port.toUShort());
            if (up.waitForConnected(100))
                break;
            up.abort();
            QTest::qWait(100);
        }
        up.abort();
        f.ts.db().exec("UPDATE MST_LOCATIONDETAILS SET PHOTO_PATH=?", {"http://127.0.0.1:" + port + "/img/"});
        const QString kept = companyPictureFile(f.ts.db());
        web.kill();
        web.waitForFinished();
        QFile got(kept);
        QVERIFY2(kept.startsWith(pagesFolder()) && got.open(QIODevice::ReadOnly), qPrintable(kept));
        QCOMPARE(got.readAll(), QByteArray("JPEG"));
        // The server is gone: the page still shows the kept picture.
        QVERIFY(f.w->Show_Record(1) && f.w->pressTool(5));
        QVERIFY(f.pageFile().contains(QUrl::fromLocalFile(kept).toString()));
    }

    // In business-name order, each to its own address only, the blank one skipped; a failure stops the rest.
    void bulkMailSendsOneMessagePerAddress() {
        const std::tuple<QStringList, QString, QString, QStringList> cases[] = {
            {{}, "HOTEL", "SORRY NO RECORDS FOUND ....", {}},
            {{}, "%", "Email Successfully Sent ....", {"a@x.test", "c@x.test"}},
            {{"--refuse-rcpt", "c@x.test"}, "%", "UNABLE TO SEND E-MAIL TO : CHARLIE ( c@x.test )", {"a@x.test"}}};
        for (const auto& [serverOptions, type, message, received] : cases) {
            SmtpServer server(serverOptions);
            Fixture f;
            server.useFor(f.ts.db());
            Database& db = f.ts.db();
            db.exec("INSERT INTO M_TBL_PARTYTYPE VALUES (1, 'AGENT'), (2, 'HOTEL')");
            db.exec("INSERT INTO M_TBL_CSP_COUNTRY (COUNTRY_CODE, COUNTRY_NAME) VALUES (1, 'INDIA')");
            db.exec(
                "INSERT INTO M_TBL_ADDRESSBOOK (BUSINESS_CODE, BUSINESS_NAME, BUSINESS_TYPECODE, COUNTRY_CODE, "
                "EMAIL_ADDRESS) VALUES (1, 'CHARLIE', 1, 1, 'c@x.test'), (2, 'ALPHA', 1, 1, 'a@x.test'), "
                "(3, 'BRAVO', 1, 1, '   ')");
            frm_SendBulkEmail w(f.ts.session, nullptr);
            showActive(w);
            choose(w.Cmb_BusinessType, type);
            w.txt_Subj->setText("OFFER");
            w.txt_Body->setPlainText("Kerala in December");
            f.ts.answer();
            QTest::mouseClick(w.Cmd_Send, Qt::LeftButton);
            const QStringList shown = f.ts.prompter.texts();
            QCOMPARE(shown.size(), 1);
            QVERIFY2(shown[0].startsWith(message), qPrintable(shown[0]));
            if (received.size() == 1)  // stopped at the second address: how many went is said
                QVERIFY2(shown[0].endsWith("E-MAIL SENT : 1 OF 3"), qPrintable(shown[0]));
            QStringList to;
            for (const ReceivedMail& m : server.received()) {
                to << m.envelopeTo;
                QVERIFY(m.raw.contains("Kerala in December") && m.raw.contains("Subject: OFFER"));
            }
            QCOMPARE(to, received);
        }
    }
};

QTEST_MAIN(tst_quotation_pages)
#include "tst_quotation_pages.moc"
