#pragma once
// The printed vouchers: one service, eight layouts given as configuration (VoucherLayouts.cpp).
// A print reads its document with the layout's query, one page per row found, and fills an
// HTML page per row (every value escaped) into a QTextDocument that the preview shows, prints
// and saves as PDF. The letterhead, bank details and jurisdiction city come from the company
// row.
//
//     VoucherReport r = VoucherReport::forDocument(db, "FRDB01", 12, booking);
//     if (!r.message().isEmpty()) prompter.information(this, r.message());
#include "data/Database.h"
#include "engine/admin/CompanyProfile.h"

#include <QList>
#include <QSqlRecord>
#include <QString>
#include <QStringList>

class QIODevice;
class QPagedPaintDevice;
class QTextDocument;

namespace tarvic {

// How a column's value is printed.
enum class Shown {
    Text,
    Date,      // dd/mm/yyyy
    LongDate,  // "dd MMMM yyyy ( DDDD )", English names
    Money,     // two decimals, right-aligned
    Whole,     // an integer
    ByOn,      // column "by" and column2 "on": "USER - dd/mm/yyyy hh:mm:ss"
};

struct VoucherField {
    QString label;
    QString column;
    Shown shown = Shown::Text;
    QString column2;  // ByOn's moment; for Text, the column printed when column is empty
};

struct VoucherLayout {
    QString name;       // what it prints, for messages
    QStringList codes;  // the document codes it prints (empty: the hotel voucher)
    // Its query: parameters the document code (unless codes is empty) and the number.
    QString sql;
    // Appended with the booking's number when the print names one (a bulk posting's row).
    QString bookingClause;
    QString orderBy;
    QString title;                              // fixed, or
    QString titleColumn;                        // read from the row
    QList<std::pair<QString, QString>> status;  // DOC_STATUS -> the line printed at the top
    QString addressCaption;                     // "TO,", "RECEPTION DESK"
    QList<VoucherField> address;                // lines under it (label prefixes the value)
    QList<VoucherField> fields;                 // the label/value grid
    bool twoColumns = false;                    // the grid two fields a row
    // Child lines: query over (line code, parent code, parent number), and their columns.
    QString linesSql;
    QString lineCode;
    QList<VoucherField> lineColumns;
    QList<VoucherField> totals;  // right-aligned under the lines; column2 holds a rate shown beside
    QString wordsLabel;          // the amount in words: AMT_INWORDS, or spelled from amountColumn
    QString amountColumn = QStringLiteral("GRAND_TOTAL");
    QString extraColumn;          // a line printed as it is after the words (GST_DESC)
    QStringList request;          // lines printed after the closing lines
    QList<VoucherField> closing;  // label/value lines after the amount in words
    QList<VoucherField> trailer;  // after the request (FOR FURTHER DETAILS ...)
    bool bankDetails = false;
    bool jurisdiction = false;
    QStringList notes;
    bool receivedBy = false;
    bool printTaken = false;
};

// The company's own data on every voucher.
using Letterhead = CompanyProfile;

// The layouts, and the one printing a document code (nullptr when none does).
const QList<VoucherLayout>& voucherLayouts();
const VoucherLayout* voucherLayoutFor(const QString& code);
const VoucherLayout& hotelVoucherLayout();

inline const QString kNoRecord = QStringLiteral("NO RECORD FOUND ....");

class VoucherReport {
public:
    // A document's voucher: its rows under the number (that booking's row only when booking > 0).
    static VoucherReport forDocument(Database& db, const QString& code, qint64 number, qint64 booking = 0);
    // The hotel voucher of a quotation: one page per hotel line.
    static VoucherReport forHotelVoucher(Database& db, qint64 quotation);
    // Pages laid out elsewhere (the rooming list), each under the company's letterhead.
    static VoucherReport ofPages(Database& db, const QString& title, const QStringList& bodies);
    // The hotel voucher of one line of the quotation (the page mailed to its hotel).
    static VoucherReport forHotelLine(Database& db, qint64 quotation, qint64 line);

    // Why nothing prints ("NO RECORD FOUND ....", or no layout for the code); empty otherwise.
    QString message() const { return message_; }
    int pages() const { return int(pages_.size()); }
    QString title() const { return title_; }
    // The company data the pages were filled with.
    const Letterhead& letterhead() const { return head_; }
    QString html() const;
    void fill(QTextDocument& doc) const;
    // Lays the pages on the device's paint rectangle, one voucher a page.
    void print(QPagedPaintDevice& device) const;
    // Writes an A4 PDF; throws std::runtime_error with the file's error.
    void savePdf(const QString& path) const;
    // The same A4 PDF onto an open device, and as bytes (a mail's attachment).
    void writePdf(QIODevice& device) const;
    QByteArray pdf() const;

private:
    VoucherReport() = default;
    void build(Database& db, const VoucherLayout& layout, const QString& code, qint64 number, qint64 booking);
    QString page(Database& db, const VoucherLayout& layout, const QSqlRecord& row, const QString& code,
                 qint64 number) const;

    QString message_;
    QString title_;
    QStringList pages_;
    Letterhead head_;
};

}  // namespace tarvic
