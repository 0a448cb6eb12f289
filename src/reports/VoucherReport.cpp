#include "VoucherReport.h"

#include "data/AmountInWords.h"
#include "data/Moments.h"
#include "data/Money.h"

#include <QBuffer>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QLocale>
#include <QPdfWriter>
#include <QScreen>
#include <QSqlQuery>
#include <QTextDocument>

#include <stdexcept>

namespace tarvic {

namespace {

const QString kFont = QStringLiteral("DejaVu Sans Mono");

QString esc(const QString& text) {
    return text.toHtmlEscaped().replace(QLatin1Char('\n'), QLatin1String("<br>"));
}

QString value(const QSqlRecord& r, const VoucherField& f) {
    const QVariant v = r.value(f.column);
    switch (f.shown) {
        case Shown::Date:
            return dateText(v);
        case Shown::LongDate: {
            const QDate d = dateFromDb(v);
            return d.isValid()
                       ? QLocale(QLocale::English).toString(d, QStringLiteral("dd MMMM yyyy ( dddd )")).toUpper()
                       : QString();
        }
        case Shown::Money:
            return v.isNull() ? QString() : Money::fromVariant(v).toString();
        case Shown::Whole:
            return v.isNull() ? QString() : QString::number(v.toString().toDouble(), 'f', 0);
        case Shown::ByOn:
            return byOnText(r.value(f.column), r.value(f.column2));
        case Shown::Text:
            break;
    }
    const QString text = v.toString().trimmed();
    if (text.isEmpty() && !f.column2.isEmpty())
        return r.value(f.column2).toString().trimmed();
    return text;
}

// "LABEL :" unless the label carries its own colon.
QString labelText(const QString& label) {
    return label.endsWith(QLatin1Char(':')) ? label : label + QLatin1String(" :");
}

// An amount among the labels is right-aligned in a fixed width of the fixed font, so that it
// lines up under its label column whatever its size.
QString labelCells(const QSqlRecord& r, const VoucherField& f, int labelWidth) {
    QString text = value(r, f);
    if (f.shown == Shown::Money)
        text = text.rightJustified(12, QChar::Nbsp);
    return QStringLiteral("<td width=\"%3%\" valign=\"top\"><b>%1</b></td><td valign=\"top\">%2</td>")
        .arg(esc(labelText(f.label)), esc(text))
        .arg(labelWidth);
}

QString grid(const QSqlRecord& r, const QList<VoucherField>& fields, bool twoColumns) {
    QString html = QStringLiteral("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"2\">");
    const int step = twoColumns ? 2 : 1;
    for (int i = 0; i < fields.size(); i += step) {
        html += QLatin1String("<tr>") + labelCells(r, fields[i], twoColumns ? 18 : 27);
        if (twoColumns)
            html += i + 1 < fields.size() ? labelCells(r, fields[i + 1], 18) : QStringLiteral("<td></td><td></td>");
        html += QLatin1String("</tr>");
    }
    return html + QLatin1String("</table>");
}

QString para(const QString& text, const QString& style = {}) {
    return QStringLiteral("<p style=\"margin:0; %2\">%1</p>").arg(esc(text), style);
}

// The company's name, address, telephones and GSTIN across the top of every page.
QString letterheadHtml(const Letterhead& head) {
    QString h;
    h += QStringLiteral("<p align=\"center\" style=\"margin:0; font-size:15pt; font-weight:bold\">%1</p>")
             .arg(esc(head.name));
    QStringList place{head.address};
    if (!head.city.isEmpty())
        place << head.city;
    if (!head.state.isEmpty())
        place << head.state;
    place.removeAll(QString());
    h += QStringLiteral("<p align=\"center\" style=\"margin:0\">%1</p>").arg(esc(place.join(QLatin1String(", "))));
    h += QStringLiteral("<p align=\"center\" style=\"margin:0\">PH : %1 &nbsp; E-MAIL : %2 &nbsp; WEB : %3</p>")
             .arg(esc(head.phones), esc(head.email), esc(head.web));
    h += QStringLiteral("<p align=\"center\" style=\"margin:0\">GSTIN : %1</p><hr>").arg(esc(head.gstin));
    return h;
}

}  // namespace

VoucherReport VoucherReport::forDocument(Database& db, const QString& code, qint64 number, qint64 booking) {
    VoucherReport r;
    const VoucherLayout* layout = voucherLayoutFor(code);
    if (!layout) {
        r.message_ = QStringLiteral("NO PRINT FORMAT AVAILABLE FOR DOCUMENT CODE : %1 ....").arg(code);
        return r;
    }
    r.build(db, *layout, code, number, booking);
    return r;
}

VoucherReport VoucherReport::ofPages(Database& db, const QString& title, const QStringList& bodies) {
    VoucherReport r;
    r.head_ = Letterhead::read(db);
    for (const QString& body : bodies)
        r.pages_ << letterheadHtml(r.head_) + body;
    if (r.pages_.isEmpty())
        r.message_ = kNoRecord;
    r.title_ = title;
    return r;
}

VoucherReport VoucherReport::forHotelVoucher(Database& db, qint64 quotation) {
    VoucherReport r;
    r.build(db, hotelVoucherLayout(), QString(), quotation, 0);
    return r;
}

VoucherReport VoucherReport::forHotelLine(Database& db, qint64 quotation, qint64 line) {
    VoucherLayout layout = hotelVoucherLayout();
    layout.bookingClause = QStringLiteral(" AND a.ACC_CODE=?");  // the line stands in for a booking
    VoucherReport r;
    r.build(db, layout, QString(), quotation, line);
    return r;
}

void VoucherReport::build(Database& db, const VoucherLayout& layout, const QString& code, qint64 number,
                          qint64 booking) {
    head_ = Letterhead::read(db);
    QVariantList values;
    if (!layout.codes.isEmpty())
        values << code;
    values << number;
    QString sql = layout.sql;
    if (booking > 0 && !layout.bookingClause.isEmpty()) {
        sql += layout.bookingClause;
        values << booking;
    }
    QSqlQuery q = db.exec(sql + layout.orderBy, values);
    QList<QSqlRecord> rows;
    while (q.next())
        rows << q.record();
    q.finish();
    for (const QSqlRecord& row : rows)
        pages_ << page(db, layout, row, code, number);
    if (pages_.isEmpty())
        message_ = kNoRecord;
    else
        title_ =
            layout.titleColumn.isEmpty() ? layout.title : rows.first().value(layout.titleColumn).toString().trimmed();
}

QString VoucherReport::page(Database& db, const VoucherLayout& l, const QSqlRecord& row, const QString& code,
                            qint64 number) const {
    QString h = letterheadHtml(head_);
    // Status line, at the top so a cancelled voucher is visibly marked.
    const QString status = row.value(QStringLiteral("DOC_STATUS")).toString().trimmed();
    for (const auto& [st, line] : l.status)
        if (st == status && !line.isEmpty())
            h += QStringLiteral(
                     "<p align=\"center\" style=\"margin:4px; font-size:13pt; font-weight:bold; "
                     "color:#c00000\">%1</p>")
                     .arg(esc(line));

    const QString title = l.titleColumn.isEmpty() ? l.title : row.value(l.titleColumn).toString().trimmed();
    h += QStringLiteral("<p align=\"center\" style=\"margin:6px; font-size:13pt; font-weight:bold\"><u>%1</u></p>")
             .arg(esc(title));

    if (!l.addressCaption.isEmpty()) {
        h += para(l.addressCaption, QStringLiteral("font-weight:bold"));
        for (const VoucherField& f : l.address)
            h += para(f.label + value(row, f));
        h += QLatin1String("<br>");
    }
    h += grid(row, l.fields, l.twoColumns);

    if (!l.linesSql.isEmpty()) {
        h += QLatin1String(
            "<br><table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"3\" "
            "style=\"border-collapse:collapse\"><tr>");
        for (const VoucherField& c : l.lineColumns)
            h += QStringLiteral("<th%2>%1</th>")
                     .arg(esc(c.label),
                          c.column == QLatin1String("DOC_DESC") ? QStringLiteral(" width=\"50%\"") : QString());
        h += QLatin1String("</tr>");
        QSqlQuery lines = db.exec(l.linesSql, {l.lineCode, code, number});
        while (lines.next()) {
            const QSqlRecord line = lines.record();
            h += QLatin1String("<tr>");
            for (const VoucherField& c : l.lineColumns)
                h += QStringLiteral("<td%2>%1</td>")
                         .arg(esc(value(line, c)),
                              c.shown == Shown::Text ? QString() : QStringLiteral(" align=\"right\""));
            h += QLatin1String("</tr>");
        }
        lines.finish();
        h += QLatin1String("</table>");
    }
    if (!l.totals.isEmpty()) {
        h += QLatin1String("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"2\">");
        for (const VoucherField& t : l.totals) {
            const QString rate = t.column2.isEmpty()
                                     ? QString()
                                     : Money::fromVariant(row.value(t.column2)).toString() + QLatin1String(" %");
            h += QStringLiteral(
                     "<tr><td width=\"45%\"></td><td><b>%1</b></td><td align=\"right\">%2</td>"
                     "<td width=\"18%\" align=\"right\">%3</td></tr>")
                     .arg(esc(t.label), esc(rate), esc(Money::fromVariant(row.value(t.column)).toString()));
        }
        h += QLatin1String("</table>");
    }
    if (!l.wordsLabel.isEmpty()) {
        QString words = row.value(QStringLiteral("AMT_INWORDS")).toString().trimmed();
        if (words.isEmpty() && !l.amountColumn.isEmpty())
            words = amountInWordsPhrase(Money::fromVariant(row.value(l.amountColumn)));
        h += QStringLiteral(
                 "<table width=\"100%\" cellspacing=\"0\" cellpadding=\"2\"><tr><td width=\"27%\" "
                 "valign=\"top\"><b>%1</b>"
                 "</td><td>%2</td></tr></table>")
                 .arg(esc(labelText(l.wordsLabel)), esc(words));
    }
    if (!l.extraColumn.isEmpty())
        h += para(row.value(l.extraColumn).toString().trimmed());
    if (!l.closing.isEmpty())
        h += grid(row, l.closing, false);
    for (const QString& line : l.request)
        h += QLatin1String("<br>") + para(line, QStringLiteral("font-weight:bold"));
    if (!l.trailer.isEmpty())
        h += grid(row, l.trailer, false);
    if (l.bankDetails) {
        h += QLatin1String("<br>") + para(QStringLiteral("BANK DETAILS"), QStringLiteral("font-weight:bold"));
        h += QStringLiteral("<table cellpadding=\"1\">");
        for (const auto& [label, text] : {std::pair{"A/C NAME", head_.acName}, std::pair{"A/C NO", head_.acNo},
                                          std::pair{"BANK NAME", head_.bankName}, std::pair{"BRANCH", head_.branch},
                                          std::pair{"IFS CODE", head_.ifsc}})
            h += QStringLiteral("<tr><td width=\"120\">%1</td><td>: %2</td></tr>").arg(QLatin1String(label), esc(text));
        h += QLatin1String("</table>");
    }
    // Signatures: the company's, and the receiver's where the voucher hands money over.
    h += QStringLiteral(
             "<br><table width=\"100%\"><tr><td>%1</td><td align=\"right\"><b>FOR %2</b></td></tr>"
             "<tr><td><br><br>%3</td><td align=\"right\"><br><br>AUTHORISED SIGNATORY</td></tr></table>")
             .arg(l.receivedBy ? QStringLiteral("<b>RECEIVED BY</b>") : QString(), esc(head_.name),
                  l.receivedBy ? QStringLiteral("SIGNATURE") : QString());
    h += QLatin1String("<hr>");
    for (const QString& note : l.notes)
        h += para(note, QStringLiteral("font-size:8pt"));
    if (l.jurisdiction)
        h +=
            para(QStringLiteral("Subject to %1 Jurisdiction").arg(head_.jurisdiction), QStringLiteral("font-size:8pt"));
    if (l.printTaken)
        h += para(QStringLiteral("Print taken ") +
                      QDateTime::currentDateTime().toString(QStringLiteral("dd/MM/yyyy hh:mm:ss")),
                  QStringLiteral("font-size:8pt"));
    return h;
}

QString VoucherReport::html() const {
    QString body;
    for (int i = 0; i < pages_.size(); ++i)
        body += QStringLiteral("<div%2>%1</div>")
                    .arg(pages_[i], i ? QStringLiteral(" style=\"page-break-before:always\"") : QString());
    return QStringLiteral(
               "<html><head><meta charset=\"utf-8\"></head><body style=\"font-family:'%1'; "
               "font-size:9pt\">%2</body></html>")
        .arg(kFont, body);
}

void VoucherReport::fill(QTextDocument& doc) const {
    QFont font(kFont);
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(9);
    doc.setDefaultFont(font);
    doc.setDocumentMargin(0);
    doc.setHtml(html());
}

void VoucherReport::print(QPagedPaintDevice& device) const {
    QTextDocument doc;
    fill(doc);
    // The paint rectangle at the document's own resolution is the page: otherwise the document
    // adds margins and a page number of its own.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    doc.setPageSize(device.pageLayout().paintRect(QPageLayout::Point).size() * (dpi / 72.0));
    doc.print(&device);
}

QByteArray VoucherReport::pdf() const {
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    writePdf(buffer);
    buffer.close();
    return out;
}

void VoucherReport::savePdf(const QString& path) const {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw std::runtime_error(file.errorString().toStdString());
    writePdf(file);
}

void VoucherReport::writePdf(QIODevice& device) const {
    QPdfWriter writer(&device);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(15, 12, 15, 12), QPageLayout::Millimeter);
    writer.setTitle(title_);
    print(writer);
}

}  // namespace tarvic
