#pragma once
// The pages a quotation is sent as: the quotation, the tour confirmation voucher, the
// vehicle-only quotation and the internal cost sheet. One builder made of sections writes all
// four from the stored quotation; every value is escaped, so a name like A<b>&C or a hotel
// with quotes shows as typed. Pages are UTF-8, kept in a folder of the user's own and written
// whole or not at all.
//
//     const QString html = buildQuotationPage(db, 12, QuotationPage::Quotation, {.pictureSource = src});
//     writePageFile(pageFilePath(QuotationPage::Quotation), html.toUtf8());
#include <QByteArray>
#include <QString>

#include <stdexcept>

namespace tarvic {

class Database;
struct MailMessage;

enum class QuotationPage { Quotation, Confirmation, Vehicle, CostSheet };

struct PageOptions {
    bool datedDays = false;  // each itinerary day shows its date, counted from the journey start
    QString pictureSource;   // the header picture's address in the page; empty: no picture
    QString companyName;     // named in the greeting
};

class PageError : public std::runtime_error {
public:
    explicit PageError(const QString& message) : std::runtime_error(message.toStdString()), message_(message) {}
    QString message() const { return message_; }

private:
    QString message_;
};

// The page's HTML from quotation number's stored header, lines, itinerary copy and notes.
// Throws PageError when there is no such quotation.
QString buildQuotationPage(Database& db, qint64 quotation, QuotationPage page, const PageOptions& options);

// The per-user folder of the pages, made when missing.
QString pagesFolder();
QString pageFilePath(QuotationPage page);
// Writes the bytes whole or leaves the old file as it was; throws PageError.
void writePageFile(const QString& path, const QByteArray& bytes);
// The page as a PDF, its pictures read from their local files; throws PageError.
void writePagePdf(const QString& html, const QString& path);

// The company picture PHOTO_PATH + "/compname.jpg" as a local file: a folder path or a file
// address is used as it is; a web address is fetched once and kept in the pages folder, so a
// viewer never reaches the web. Empty when there is none (or it cannot be fetched).
QString companyPictureFile(Database& db);
QString companyName(Database& db);

// Builds the page of quotation as stored now and writes its file; returns the file's path.
// With mail, the message's body becomes the same page with the company picture related by
// Content-ID (the page file refers to the local picture instead). Throws PageError or DbError.
QString makePageFile(Database& db, qint64 quotation, QuotationPage page, bool datedDays, MailMessage* mail = nullptr);

}  // namespace tarvic
