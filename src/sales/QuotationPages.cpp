#include "QuotationPages.h"

#include "data/Database.h"
#include "data/Mailer.h"
#include "data/Moments.h"
#include "data/Money.h"
#include "engine/DocumentState.h"
#include "engine/sales/Itineraries.h"
#include "engine/sales/QuotationLines.h"

#include <QAbstractTextDocumentLayout>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStandardPaths>
#include <QTextDocument>
#include <QTextTable>
#include <QUrl>

namespace tarvic {

namespace {

// A value as the page shows it: escaped, its line breaks kept.
QString esc(const QString& value) {
    QString s = value.toHtmlEscaped();
    s.replace(QLatin1String("\r\n"), QLatin1String("<br>")).replace(QLatin1Char('\n'), QLatin1String("<br>"));
    return s;
}

QString text(const QSqlRecord& r, const char* column) {
    return r.value(QLatin1String(column)).toString().trimmed();
}
QString whole(const QSqlRecord& r, const char* column) {
    const QVariant v = r.value(QLatin1String(column));
    return v.isNull() || v.toString().trimmed().isEmpty() ? QString() : QString::number(qRound64(v.toDouble()));
}
QString money(const QSqlRecord& r, const char* column) {
    return Money::fromVariant(r.value(QLatin1String(column))).toString();
}
QString date(const QSqlRecord& r, const char* column) {
    return dateText(r.value(QLatin1String(column)));
}

const QString kVerdana = QStringLiteral("<font face=\"Verdana\" size=\"2\">");

// The sections every page is made of, written in order into one document.
class PageBuilder {
public:
    PageBuilder(const QString& title, const QString& border) : border_(border) {
        html_ =
            QStringLiteral(
                "<html lang=\"en-us\"><head><meta charset=\"utf-8\">"
                "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\"><title>%1</title></head>"
                "<body topmargin=\"0\" leftmargin=\"0\" style=\"margin-top:0; margin-left:0\"><div align=\"center\">"
                "<table border=\"0\" width=\"100%\" cellspacing=\"0\" cellpadding=\"0\">")
                .arg(esc(title));
    }

    void picture(const QString& source) {
        if (source.isEmpty())
            return;
        html_ += QStringLiteral("<tr><td height=\"111\"><img src=\"%1\" width=\"919\" height=\"111\"></td></tr>")
                     .arg(source.toHtmlEscaped());
    }
    // Free text in the outer frame (greeting, heading); already HTML.
    void raw(const QString& html) { html_ += QStringLiteral("<tr><td>%1</td></tr>").arg(html); }

    // A section table opened with its title row across columns cells.
    void open(const QString& title, int columns) {
        html_ +=
            QStringLiteral(
                "<tr><td><table border=\"3\" bordercolor=\"%1\" width=\"100%\" cellspacing=\"0\" cellpadding=\"3\" "
                "style=\"border-collapse: collapse; border-color: %1\">")
                .arg(border_);
        if (!title.isEmpty())
            html_ += QStringLiteral(
                         "<tr><td colspan=\"%1\" height=\"30\" bgcolor=\"#88C4FF\"><font face=\"Verdana\" "
                         "size=\"4\" color=\"#FFFFFF\"><b>&nbsp;%2 :</b></font></td></tr>")
                         .arg(columns)
                         .arg(esc(title));
    }
    void close() { html_ += QStringLiteral("</table></td></tr>"); }

    // Rows of (label, value) pairs, the cells as wide as widths say (percent).
    void pairs(const QList<QStringList>& rows, const QList<int>& widths) {
        for (const QStringList& row : rows) {
            html_ += QStringLiteral("<tr>");
            for (int i = 0; i < row.size(); ++i) {
                const int w = widths.value(i);
                if (i % 2 == 0)
                    html_ += QStringLiteral(
                                 "<td width=\"%1%\" bgcolor=\"#DDF4FF\"><font face=\"Verdana\" "
                                 "size=\"2\"><b>%2</b></font></td>")
                                 .arg(w)
                                 .arg(esc(row[i]));
                else
                    html_ += QStringLiteral("<td width=\"%1%\" bgcolor=\"#FFFFFF\">%2%3</font></td>")
                                 .arg(w)
                                 .arg(kVerdana, esc(row[i]));
            }
            html_ += QStringLiteral("</tr>");
        }
    }
    void headings(const QStringList& names) {
        html_ += QStringLiteral("<tr>");
        for (const QString& n : names)
            html_ += QStringLiteral(
                         "<td align=\"center\" bgcolor=\"#DDF4FF\"><font face=\"Arial\" "
                         "size=\"2\"><b>%1</b></font></td>")
                         .arg(esc(n));
        html_ += QStringLiteral("</tr>");
    }
    void row(const QStringList& cells) {
        html_ += QStringLiteral("<tr>");
        for (const QString& c : cells)
            html_ += QStringLiteral("<td bgcolor=\"#FFFFFF\">%1%2</font></td>").arg(kVerdana, esc(c));
        html_ += QStringLiteral("</tr>");
    }
    // One cell across the section holding HTML made by the caller.
    void cell(const QString& html, int columns = 1, const QString& background = QStringLiteral("#FFFFFF")) {
        html_ +=
            QStringLiteral("<tr><td colspan=\"%1\" bgcolor=\"%2\">%3</td></tr>").arg(columns).arg(background, html);
    }
    void note(const QString& title, const QString& body) {
        open(title, 1);
        cell(kVerdana + esc(body) + QStringLiteral("</font>"));
        close();
    }

    QString finish() { return html_ + QStringLiteral("</table></div></body></html>\n"); }

private:
    QString border_;
    QString html_;
};

// Everything a page says about its quotation, read once.
struct PageData {
    QSqlRecord head;
    qint64 number = 0;
    qint64 itinerary = 0;
    QString booking;  // the live booking's number (confirmation)
};

class QuotationPageWriter {
public:
    QuotationPageWriter(Database& db, qint64 quotation, const PageOptions& options) : db_(db), options_(options) {
        const auto head = db.firstRow(
            QStringLiteral(
                "SELECT q.DOC_CODE, q.DOC_NO, q.DOC_DATE, q.LEAD_NO, q.ITINERARY_NO, q.TOURIST_NAME, q.TOURIST_MOBNO, "
                "q.TOURIST_EMAIL, q.NOOF_ADULT, q.NOOF_CHILDREN, q.JOURNEY_STRTDT, q.JOURNEY_ENDDT, q.TOTAL_AMOUNT, "
                "q.COMM_AMOUNT, q.TOTAL_AMOUNT2, q.TAXIBLE_AMT, q.TAX_PER, q.TAX_AMOUNT, q.GRAND_TOTAL, t.TAX_NAME, "
                "l.FILENO, "
                "p.PARTY_NAME, p.MOBILE_NOS, p.EMAIL_ADD, p.BUSINESS_RELTYPE, c.CONSULTANT_NAME, c.MOBILE_NO, "
                "h.ITN_NAME, h.ITN_DURATION "
                "FROM M_TBL_QUOTATION q "
                "LEFT JOIN M_TBL_TAX t ON t.TAX_CODE=q.TAX_CODE "
                "LEFT JOIN M_TBL_TRANSACTION l ON l.DOC_CODE='BLFC01' AND l.DOC_NO=q.LEAD_NO "
                "LEFT JOIN M_TBL_PARTY p ON p.PARTY_CODE=l.PARTY_CODE "
                "LEFT JOIN M_TBL_CONSULTANT c ON c.CONSULTANT_CODE=l.CONSULTANT_CODE "
                "LEFT JOIN M_TBL_ITINERARY_HEADER h ON h.ITN_DOCNO=q.ITINERARY_NO "
                "WHERE q.DOC_CODE='QGBL01' AND q.DOC_NO=?"),
            {quotation});
        if (!head)
            throw PageError(QStringLiteral("QUOTATION NO : %1 NOT FOUND ....").arg(quotation));
        d_.head = *head;
        d_.number = quotation;
        d_.itinerary = head->value(QStringLiteral("ITINERARY_NO")).toLongLong();
    }

    QString build(QuotationPage page) {
        switch (page) {
            case QuotationPage::Quotation:
                return quotation();
            case QuotationPage::Confirmation:
                return confirmation();
            case QuotationPage::Vehicle:
                return vehicle();
            case QuotationPage::CostSheet:
                return costSheet();
        }
        return {};
    }

private:
    QString quotation() {
        PageBuilder b(QString(), QStringLiteral("#000080"));
        b.picture(options_.pictureSource);
        greeting(b);
        packageDetails(b, false);
        contact(b, false);
        hotels(b);
        vehicles(b);
        itinerary(b);
        packageCost(b);
        notes(b, {"ITN_INCL", "ITN_EXCL", "ITN_HOTELTOUSE", "ITN_DOCS", "ITN_BOOKING", "ITN_CNCL", "ITN_CHILD",
                  "ITN_HOTEL", "ITN_CAB", "ITN_GENERAL"});
        return b.finish();
    }

    QString confirmation() {
        PageBuilder b(QStringLiteral("Tour Confirmation Voucher."), QStringLiteral("#000080"));
        b.picture(options_.pictureSource);
        b.raw(
            QStringLiteral("<br><p align=\"center\"><font face=\"Verdana\" size=\"4\"><b>CONFIRMATION "
                           "VOUCHER</b></font></p>"));
        d_.booking = db_.scalar(QStringLiteral("SELECT DOC_NO FROM M_TBL_TRANSACTION WHERE QUOTATION_NO=? "
                                               "AND DOC_CODE='CBPT01' AND DOC_STATUS<>'%1'")
                                    .arg(status::kCancelled),
                                {d_.number})
                         .toString();
        if (!d_.booking.isEmpty())
            d_.booking = QString::number(qRound64(d_.booking.toDouble()));
        packageDetails(b, true);
        contact(b, true);
        hotels(b);
        vehicles(b);
        itinerary(b);
        notes(b, {"ITN_INCL", "ITN_EXCL"});
        packageCost(b);
        notes(b,
              {"ITN_BANK", "ITN_DOCS", "ITN_BOOKING", "ITN_CNCL", "ITN_CHILD", "ITN_HOTEL", "ITN_CAB", "ITN_GENERAL"});
        return b.finish();
    }

    QString vehicle() {
        PageBuilder b(QString(), QStringLiteral("#000080"));
        b.picture(options_.pictureSource);
        greeting(b);
        packageDetails(b, false);
        // One line per brand and rate, each with the tax it bears.
        QString rates;
        QSqlQuery q = db_.exec(QStringLiteral("SELECT b.VEH_BRAND, a.VEH_RATE FROM M_TBL_QUOTATION a "
                                              "LEFT JOIN MST_VEHICLEBRANDTYPE b ON a.VEH_BRANDID=b.VEH_BRANDID "
                                              "WHERE a.DOC_CODE='QGBL02' AND a.DOC_NO=? AND a.ACCOUNT_DESC='VEHICLE' "
                                              "GROUP BY b.VEH_BRAND, a.VEH_RATE ORDER BY b.VEH_BRAND"),
                               {d_.number});
        while (q.next())
            rates += QStringLiteral("&nbsp; Per %1 \u2013 Rs. %2  + %3<br>")
                         .arg(esc(q.value(0).toString().trimmed()), Money::fromVariant(q.value(1)).toString(),
                              esc(taxNote()));
        b.open(QStringLiteral("Package Cost"), 1);
        b.cell(kVerdana + rates + QStringLiteral("</font>"));
        b.close();
        notes(b, {"ITN_INCL"});
        contact(b, false);
        itinerary(b);
        notes(b, {"ITN_BANK", "ITN_EXCL", "ITN_DOCS", "ITN_BOOKING", "ITN_CNCL", "ITN_CAB", "ITN_GENERAL"});
        return b.finish();
    }

    QString costSheet() {
        PageBuilder b(QString(), QStringLiteral("#111111"));
        packageDetails(b, false);
        hotels(b);
        notes(b, {"ITN_INCL"});
        b.open(QStringLiteral("Other Charges"), 4);
        b.headings(
            {QStringLiteral("Description"), QStringLiteral("Rate"), QStringLiteral("Nos"), QStringLiteral("Total")});
        QSqlQuery q =
            db_.exec(QStringLiteral(
                         "SELECT b.ACCOUNT_DESC AS ACCOUNT_DESC2, a.OTHRCHRG_RATE, a.NOOF_OTHRCHRG, a.TOTL_OTHRCHRG "
                         "FROM M_TBL_QUOTATION a LEFT JOIN M_TBL_DOCUMENTACCOUNT_COMB b "
                         "ON b.DOC_CODE='QFOC01' AND a.OTHRCHRG_CODE=b.ACC_CODE "
                         "WHERE a.DOC_CODE='QGBL02' AND a.DOC_NO=? AND a.ACCOUNT_DESC='OTHRCHRG' ORDER BY a.ACC_CODE"),
                     {d_.number});
        while (q.next()) {
            const QSqlRecord r = q.record();
            b.row({text(r, "ACCOUNT_DESC2"), money(r, "OTHRCHRG_RATE"), whole(r, "NOOF_OTHRCHRG"),
                   money(r, "TOTL_OTHRCHRG")});
        }
        b.close();
        const QSqlRecord& h = d_.head;
        // The block names itself once, in its first line.
        b.open(QString(), 2);
        const auto big = [](const QString& s) {
            return QStringLiteral("<font face=\"Bodoni MT\" size=\"4\"><b>%1</b></font>").arg(esc(s));
        };
        b.cell(big(QStringLiteral("NET PAYABLE : ") + money(h, "TOTAL_AMOUNT2")), 2);
        // The tax was charged on the taxable amount, which may be a part of the price.
        b.cell(big(QStringLiteral("%1 %2 % ON %3 : %4")
                       .arg(text(h, "TAX_NAME"), money(h, "TAX_PER"), taxBase().toString(), money(h, "TAX_AMOUNT"))),
               2);
        b.cell(big(QStringLiteral("GRAND TOTAL : ") + money(h, "GRAND_TOTAL")), 2);
        b.close();
        // The ledger: what each kind of line costs and how the price is made of it.
        b.open(QStringLiteral("LEDGER"), 2);
        QHash<QString, Money> byKind;
        QSqlQuery sums = db_.exec(QStringLiteral("SELECT ACCOUNT_DESC, %1 FROM M_TBL_QUOTATION WHERE DOC_CODE='QGBL02' "
                                                 "AND DOC_NO=? GROUP BY ACCOUNT_DESC")
                                      .arg(exactSum(QStringLiteral("TOTAL_AMOUNT"))),
                                  {d_.number});
        while (sums.next())
            byKind[sums.value(0).toString().trimmed()] = Money::fromVariant(sums.value(1));
        b.pairs({{QStringLiteral("HOTEL"), shownAmount(byKind.value(QStringLiteral("HOTEL")))},
                 {QStringLiteral("VEHICLE"), shownAmount(byKind.value(QStringLiteral("VEHICLE")))},
                 {lineKindName(QStringLiteral("OTHRCHRG")), shownAmount(byKind.value(QStringLiteral("OTHRCHRG")))},
                 {QStringLiteral("TOTAL AMOUNT"), money(h, "TOTAL_AMOUNT")},
                 {QStringLiteral("COMMISSION"), money(h, "COMM_AMOUNT")},
                 {QStringLiteral("TAX AMOUNT"), money(h, "TAX_AMOUNT")},
                 {QStringLiteral("GRAND TOTAL"), money(h, "GRAND_TOTAL")}},
                {40, 60});
        b.close();
        return b.finish();
    }

    void greeting(PageBuilder& b) {
        // The breaks part the greeting from the picture; without one the page starts with it.
        b.raw(QStringLiteral("%1<font face=\"Verdana\" size=\"2\"><b>Dear Sir / Madam,<br>Greetings from "
                             "%2.<br>Thank you for your mail. Kindly find below the tour cost.</b></font><br><br>")
                  .arg(options_.pictureSource.isEmpty() ? QString() : QStringLiteral("<br><br><br>"),
                       esc(options_.companyName)));
    }

    void packageDetails(PageBuilder& b, bool withBooking) {
        const QSqlRecord& h = d_.head;
        // An agent's quotation names the agent; anyone else's the traveller.
        const bool agent = text(h, "BUSINESS_RELTYPE") == QLatin1String("B2B");
        const QString name = agent ? text(h, "PARTY_NAME") : text(h, "TOURIST_NAME");
        const QString mobile = agent ? text(h, "MOBILE_NOS") : text(h, "TOURIST_MOBNO");
        const QString mail = agent ? text(h, "EMAIL_ADD") : text(h, "TOURIST_EMAIL");
        b.open(QStringLiteral("Package Details"), 4);
        QList<QStringList> rows{
            {QStringLiteral("Lead NO"), whole(h, "LEAD_NO"), QStringLiteral("Quotation NO"), whole(h, "DOC_NO")},
            {QStringLiteral("Enquiry /File NO"), text(h, "FILENO"), QStringLiteral("Date"), date(h, "DOC_DATE")},
            {QStringLiteral("Name"), name, QStringLiteral("No of Adults"), whole(h, "NOOF_ADULT")},
            {QStringLiteral("Mobile NO"), mobile, QStringLiteral("No of Child"), whole(h, "NOOF_CHILDREN")},
            {QStringLiteral("Email Address"), mail, QStringLiteral("Journey Start Dt"), date(h, "JOURNEY_STRTDT")},
            {QStringLiteral("Duration"), text(h, "ITN_DURATION"), QStringLiteral("Journey End Dt"),
             date(h, "JOURNEY_ENDDT")}};
        if (withBooking)
            rows.prepend({QStringLiteral("CBPT NO"), d_.booking, QString(), QString()});
        b.pairs(rows, {18, 32, 25, 25});
        b.close();
    }

    void contact(PageBuilder& b, bool withName) {
        const QSqlRecord& h = d_.head;
        const QString phone = text(h, "MOBILE_NO");
        b.open(QString(), 2);
        b.pairs({{QStringLiteral("Tourist Name"), text(h, "TOURIST_NAME")},
                 {QStringLiteral("Emergency Contact Numbers"),
                  withName ? text(h, "CONSULTANT_NAME") + QStringLiteral(", Mobile: ") + phone : phone}},
                {18, 82});
        b.close();
    }

    void hotels(PageBuilder& b) {
        b.open(QStringLiteral("Hotel Details"), 12);
        b.headings({QStringLiteral("Check-In"), QStringLiteral("Check-Ot"), QStringLiteral("Nts"),
                    QStringLiteral("Place"), QStringLiteral("Hotel Name"), QStringLiteral("Meal Plan"),
                    QStringLiteral("Rooms"), QStringLiteral("SNG"), QStringLiteral("Ext Bed"), QStringLiteral("CWB"),
                    QStringLiteral("CNB"), QStringLiteral("Room Type")});
        // Outer joins: a line whose room type or meal plan has gone still reaches the customer.
        QSqlQuery q = db_.exec(QStringLiteral("SELECT a.TOUR_DATE, a.CHKOT_DT, a.DAYS_ROOM, a.HOTEL_PLACE, "
                                              "a.HOTEL_NAME, a.NOOF_ROOM, a.NOOF_ROOMSNGL, a.NOOF_EXTBED, a.NOOF_CWB, "
                                              "a.NOOF_CNB, a.ROOM_TYPE, c.MEAL_PLAN, c.PLAN_DESC "
                                              "FROM M_TBL_QUOTATION a "
                                              "LEFT JOIN M_TBL_MEALPLAN c ON a.MEALPLAN_CODE=c.MEALPLAN_CODE "
                                              "WHERE a.DOC_CODE='QGBL02' AND a.DOC_NO=? AND a.ACCOUNT_DESC='HOTEL' "
                                              "ORDER BY a.TOUR_DATE, a.ACC_CODE"),
                               {d_.number});
        while (q.next()) {
            const QSqlRecord r = q.record();
            b.row({date(r, "TOUR_DATE"), date(r, "CHKOT_DT"), whole(r, "DAYS_ROOM"), text(r, "HOTEL_PLACE"),
                   text(r, "HOTEL_NAME") + QStringLiteral(" / Similar"),
                   text(r, "MEAL_PLAN") + QStringLiteral(" ( ") + text(r, "PLAN_DESC") + QStringLiteral(" ) "),
                   whole(r, "NOOF_ROOM"), whole(r, "NOOF_ROOMSNGL"), whole(r, "NOOF_EXTBED"), whole(r, "NOOF_CWB"),
                   whole(r, "NOOF_CNB"), text(r, "ROOM_TYPE")});
        }
        b.close();
    }

    void vehicles(PageBuilder& b) {
        b.open(QStringLiteral("Vehicle Details"), 5);
        b.headings({QStringLiteral("Sl No"), QStringLiteral("Date"), QStringLiteral("Vehicle Brand"),
                    QStringLiteral("No of Vehicle"), QString()});
        QSqlQuery q = db_.exec(QStringLiteral("SELECT a.TOUR_DATE, a.CHKOT_DT, b.VEH_BRAND, a.NOOF_VEH "
                                              "FROM M_TBL_QUOTATION a "
                                              "LEFT JOIN MST_VEHICLEBRANDTYPE b ON a.VEH_BRANDID=b.VEH_BRANDID "
                                              "WHERE a.DOC_CODE='QGBL02' AND a.DOC_NO=? AND a.ACCOUNT_DESC='VEHICLE' "
                                              "ORDER BY a.TOUR_DATE, a.ACC_CODE"),
                               {d_.number});
        for (int n = 1; q.next(); ++n) {
            const QSqlRecord r = q.record();
            b.row({QString::number(n), date(r, "TOUR_DATE") + QStringLiteral(" - ") + date(r, "CHKOT_DT"),
                   text(r, "VEH_BRAND"), whole(r, "NOOF_VEH"), QString()});
        }
        b.close();
    }

    void itinerary(PageBuilder& b) {
        b.open(text(d_.head, "ITN_NAME"), 1);
        const QDate start = dateFromDb(d_.head.value(QStringLiteral("JOURNEY_STRTDT")));
        QSqlQuery q = db_.exec(QStringLiteral("SELECT ITN_DAY, ITN_PLACE, ITN_DIST, SHOW_DIST, ITN_HOURS, SHOW_HOURS, "
                                              "ITN_DESC FROM M_TBL_ITINERARY_DETAILS_QUOTE "
                                              "WHERE ITN_DOCNO=? AND QUOT_NO=? ORDER BY ITN_SLNO"),
                               {d_.itinerary, d_.number});
        while (q.next()) {
            const QSqlRecord r = q.record();
            QString heading = QStringLiteral("Day ") + whole(r, "ITN_DAY");
            if (options_.datedDays && start.isValid())
                heading += QStringLiteral(" (%1)").arg(QLocale::c().toString(
                    start.addDays(r.value(QStringLiteral("ITN_DAY")).toInt() - 1), QStringLiteral("dd/MM/yyyy - ddd")));
            heading += QStringLiteral(" : ") + text(r, "ITN_PLACE");
            if (text(r, "SHOW_DIST") == QLatin1String("Y"))
                heading += QStringLiteral(" KM :") + text(r, "ITN_DIST");
            if (text(r, "SHOW_HOURS") == QLatin1String("Y"))
                heading += QStringLiteral(" HRS :") + text(r, "ITN_HOURS");
            b.cell(kVerdana + QStringLiteral("<b>") + esc(heading) + QStringLiteral("</b></font>"), 1,
                   QStringLiteral("#DDF4FF"));
            b.cell(QStringLiteral("<p style=\"margin: 0 5px\">") + kVerdana + esc(text(r, "ITN_DESC")) +
                   QStringLiteral("</font></p>"));
        }
        b.close();
    }

    // The amount the tax was charged on: the taxable amount, or the total with commission when
    // none was kept (the totals take it so).
    Money taxBase() const {
        const Money taxable = Money::fromVariant(d_.head.value(QStringLiteral("TAXIBLE_AMT")));
        return taxable.isZero() ? Money::fromVariant(d_.head.value(QStringLiteral("TOTAL_AMOUNT2"))) : taxable;
    }

    QString taxNote() const {
        const QSqlRecord& h = d_.head;
        return QStringLiteral("( ") + money(h, "TAX_PER") + QStringLiteral("% ") + text(h, "TAX_NAME") +
               QStringLiteral(" )");
    }

    void packageCost(PageBuilder& b) {
        b.open(QString(), 2);
        b.cell(QStringLiteral("<table width=\"100%\" border=\"0\"><tr><td width=\"19%\" bgcolor=\"#88C4FF\"><font "
                              "face=\"Verdana\" size=\"4\" color=\"#FFFFFF\"><b>&nbsp;Package Cost :</b></font></td>"
                              "<td width=\"81%\"><font face=\"Verdana\" size=\"5\" color=\"#FF0000\"><b>%1</b></font>"
                              "%2 %3</font></td></tr></table>")
                   .arg(money(d_.head, "GRAND_TOTAL"), kVerdana, esc(taxNote())),
               2);
        b.close();
    }

    // Note sections: a quotation's own copy of the three it keeps, the itinerary's for the rest.
    void notes(PageBuilder& b, std::initializer_list<const char*> codes) {
        static const QHash<QString, QString> titles{
            {QStringLiteral("ITN_INCL"), QStringLiteral("Cost Include")},
            {QStringLiteral("ITN_EXCL"), QStringLiteral("Cost Exclude")},
            {QStringLiteral("ITN_HOTELTOUSE"), QStringLiteral("Hotel To Be Used")},
            {QStringLiteral("ITN_DOCS"), QStringLiteral("Documents Required")},
            {QStringLiteral("ITN_BOOKING"), QStringLiteral("Booking Policy")},
            {QStringLiteral("ITN_CNCL"), QStringLiteral("Cancellation Policy")},
            {QStringLiteral("ITN_CHILD"), QStringLiteral("Important Guidelines")},
            {QStringLiteral("ITN_HOTEL"), QStringLiteral("Hotel Policy")},
            {QStringLiteral("ITN_CAB"), QStringLiteral("Vehicle Policy")},
            {QStringLiteral("ITN_GENERAL"), QStringLiteral("General Policy")},
            {QStringLiteral("ITN_BANK"), QStringLiteral("Bank Details")}};
        if (notes_.isEmpty())
            readNotes();
        for (const char* c : codes) {
            const QString code = QString::fromLatin1(c);
            b.note(titles.value(code), notes_.value(code));
        }
    }

    void readNotes() {
        notes_.insert(QString(), QString());  // read once even when there are none
        QSqlQuery own = db_.exec(QStringLiteral("SELECT ITN_NOTE_CODE, ITN_NOTE FROM M_TBL_ITINERARY_NOTES_QUOTE "
                                                "WHERE ITN_DOCNO=? AND QUOT_NO=?"),
                                 {d_.itinerary, d_.number});
        while (own.next()) {
            const ItineraryNote* n = itineraryNote(own.value(0).toString().trimmed());
            if (n && n->quoted)
                notes_.insert(QString::fromLatin1(n->code), own.value(1).toString());
        }
        QSqlQuery standing =
            db_.exec(QStringLiteral("SELECT ITN_NOTE_CODE, ITN_NOTE FROM M_TBL_ITINERARY_NOTES WHERE ITN_DOCNO=?"),
                     {d_.itinerary});
        while (standing.next()) {
            const ItineraryNote* n = itineraryNote(standing.value(0).toString().trimmed());
            if (n && !n->quoted)
                notes_.insert(QString::fromLatin1(n->code), standing.value(1).toString());
        }
    }

    Database& db_;
    PageOptions options_;
    PageData d_;
    QHash<QString, QString> notes_;
};

QString fileName(QuotationPage page) {
    switch (page) {
        case QuotationPage::Quotation:
            return QStringLiteral("quotation.html");
        case QuotationPage::Confirmation:
            return QStringLiteral("confirmation.html");
        case QuotationPage::Vehicle:
            return QStringLiteral("quotveh.html");
        case QuotationPage::CostSheet:
            return QStringLiteral("costsheet.html");
    }
    return {};
}

}  // namespace

QString buildQuotationPage(Database& db, qint64 quotation, QuotationPage page, const PageOptions& options) {
    return QuotationPageWriter(db, quotation, options).build(page);
}

QString pagesFolder() {
    const QString dir =
        QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + QStringLiteral("/pages");
    QDir().mkpath(dir);
    return dir;
}

QString pageFilePath(QuotationPage page) {
    return pagesFolder() + QLatin1Char('/') + fileName(page);
}

void writePageFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw PageError(file.errorString());
}

namespace {

constexpr int kMaxPushes = 200;

// Every table of the document, nested ones included, in document order.
void collectTables(QTextFrame* frame, QList<QTextTable*>& out) {
    for (QTextFrame* child : frame->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(child))
            out.append(table);
        collectTables(child, out);
    }
}

// A section is never parted from its title: a short one (up to a third of a page) that would
// cross the foot of a page goes whole to the next, a longer one at least keeps its first row
// of content on its title's page. A section is pushed down by a top margin reaching the next
// page, one section per layout, until none is left to move (one taller than a page stays).
void keepTitlesWithTheirContent(QTextDocument& doc, qreal pageHeight) {
    QAbstractTextDocumentLayout* layout = doc.documentLayout();
    auto pageOf = [&](qreal y) { return int(y / pageHeight); };
    for (int pushed = 0; pushed < kMaxPushes; ++pushed) {
        QList<QTextTable*> tables;
        collectTables(doc.rootFrame(), tables);
        bool moved = false;
        for (QTextTable* table : std::as_const(tables)) {
            if (table->rows() < 2 || table->cellAt(0, 0).format().background().color() != QColor(0x88, 0xC4, 0xFF))
                continue;
            // From the title (the table's margin, once pushed, lies above it) to the end of what
            // stays with it.
            const qreal top = layout->blockBoundingRect(table->cellAt(0, 0).firstCursorPosition().block()).top();
            const qreal whole = layout->frameBoundingRect(table).bottom();
            const qreal first = layout->blockBoundingRect(table->cellAt(1, 0).lastCursorPosition().block()).bottom();
            const qreal end = whole - top <= pageHeight / 3 ? whole : first;
            if (end - top > pageHeight || pageOf(end - 1) == pageOf(top))
                continue;
            QTextTableFormat format = table->format();
            format.setTopMargin(format.topMargin() + (pageOf(top) + 1) * pageHeight - top + 1);
            table->setFormat(format);
            moved = true;
            break;
        }
        if (!moved)
            return;
    }
}

}  // namespace

void writePagePdf(const QString& html, const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw PageError(file.errorString());
    {
        QPdfWriter writer(&file);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
        writer.setResolution(96);
        QTextDocument doc;
        doc.setBaseUrl(QUrl::fromLocalFile(pagesFolder() + QLatin1Char('/')));
        doc.setHtml(html);
        // The foot of every page keeps a line for its number.
        const QFont footFont(QStringLiteral("Verdana"), 8);
        const QRectF paint = writer.pageLayout().paintRectPixels(writer.resolution());
        const qreal foot = QFontMetricsF(footFont, &writer).height() * 2;
        const QSizeF body(paint.width(), paint.height() - foot);
        doc.setPageSize(body);
        keepTitlesWithTheirContent(doc, body.height());
        const int pages = doc.pageCount();
        QPainter painter(&writer);
        for (int page = 0; page < pages; ++page) {
            if (page > 0)
                writer.newPage();
            painter.save();
            painter.setClipRect(QRectF(QPointF(0, 0), body));
            painter.translate(0, -page * body.height());
            QAbstractTextDocumentLayout::PaintContext context;
            context.clip = QRectF(0, page * body.height(), body.width(), body.height());
            doc.documentLayout()->draw(&painter, context);
            painter.restore();
            painter.setFont(footFont);
            painter.drawText(QRectF(0, body.height(), body.width(), foot), Qt::AlignCenter,
                             QStringLiteral("Page %1 of %2").arg(page + 1).arg(pages));
        }
    }
    if (!file.commit())
        throw PageError(file.errorString());
}

QString companyName(Database& db) {
    return db.scalar(QStringLiteral("SELECT LOC_NAME FROM MST_LOCATIONDETAILS ORDER BY LOC_ID")).toString().trimmed();
}

QString companyPictureFile(Database& db) {
    QString location =
        db.scalar(QStringLiteral("SELECT PHOTO_PATH FROM MST_LOCATIONDETAILS ORDER BY LOC_ID")).toString().trimmed();
    if (location.isEmpty())
        return {};
    location.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (location.endsWith(QLatin1Char('/')))
        location.chop(1);
    const QString address = location + QStringLiteral("/compname.jpg");
    const QUrl url(address);
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https")) {
        // Kept under a name of its address: a changed location is fetched anew, the same one never again.
        const QString kept =
            pagesFolder() + QStringLiteral("/company-") +
            QString::fromLatin1(QCryptographicHash::hash(address.toUtf8(), QCryptographicHash::Sha1).toHex().left(16)) +
            QStringLiteral(".jpg");
        if (QFile::exists(kept))
            return kept;
        const QByteArray picture = fetchWebFile(address);
        if (picture.isEmpty())
            return {};
        try {
            writePageFile(kept, picture);
        } catch (const PageError&) {
            return {};
        }
        return kept;
    }
    const QString local = scheme == QLatin1String("file") ? url.toLocalFile() : address;
    return QFile::exists(local) ? QFileInfo(local).absoluteFilePath() : QString();
}

QString makePageFile(Database& db, qint64 quotation, QuotationPage page, bool datedDays, MailMessage* mail) {
    const QString picture = companyPictureFile(db);
    PageOptions options{datedDays, picture.isEmpty() ? QString() : QUrl::fromLocalFile(picture).toString(),
                        companyName(db)};
    const QString path = pageFilePath(page);
    writePageFile(path, buildQuotationPage(db, quotation, page, options).toUtf8());
    if (mail) {
        QFile file(picture);
        if (!picture.isEmpty() && file.open(QIODevice::ReadOnly)) {
            options.pictureSource = QStringLiteral("cid:compname.jpg");
            mail->pictures = {{file.readAll(), QStringLiteral("image/jpeg"), QStringLiteral("compname.jpg"),
                               QStringLiteral("compname.jpg")}};
        } else {
            options.pictureSource.clear();
            mail->pictures.clear();
        }
        mail->html = buildQuotationPage(db, quotation, page, options);
    }
    return path;
}

}  // namespace tarvic
