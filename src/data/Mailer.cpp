#include "Mailer.h"

#include "Database.h"

#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>

#include <curl/curl.h>

#include <memory>
#include <mutex>

namespace tarvic {

namespace {

// A header value: no line breaks (a typed CR LF would start a header of its own).
QString clean(QString value) {
    value.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return value.trimmed();
}

bool isAscii(const QString& s) {
    return std::all_of(s.begin(), s.end(), [](QChar c) { return c.unicode() < 128; });
}

// Text for a header: as it is when plain ASCII, else RFC 2047 encoded words of whole characters.
QByteArray headerText(const QString& text) {
    if (isAscii(text))
        return text.toLatin1();
    QList<QByteArray> words;
    QByteArray chunk;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype n = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QByteArray bytes = text.mid(i, n).toUtf8();
        i += n - 1;
        if (chunk.size() + bytes.size() > 45) {  // 45 bytes make 60 of base64: each word stays under 75
            words << chunk;
            chunk.clear();
        }
        chunk += bytes;
    }
    words << chunk;
    QByteArray out;
    for (const QByteArray& w : words)
        out += (out.isEmpty() ? "" : " ") + QByteArray("=?UTF-8?B?") + w.toBase64() + "?=";
    return out;
}

QByteArray address(const QString& a) {
    QString s = clean(a);
    s.remove(QLatin1Char('<')).remove(QLatin1Char('>'));
    return s.toUtf8();
}

// "NAME <address>", the name quoted when it holds a character with a meaning in addresses.
QByteArray mailbox(const QString& name, const QString& addr) {
    const QString n = clean(name);
    if (n.isEmpty())
        return "<" + address(addr) + ">";
    QByteArray shown;
    if (!isAscii(n))
        shown = headerText(n);
    else if (n.contains(QRegularExpression(QStringLiteral("[()<>\\[\\]:;@\\\\,.\"]"))))
        shown = "\"" +
                QString(n)
                    .replace(QLatin1String("\\"), QLatin1String("\\\\"))
                    .replace(QLatin1String("\""), QLatin1String("\\\""))
                    .toLatin1() +
                "\"";
    else
        shown = n.toLatin1();
    return shown + " <" + address(addr) + ">";
}

// The Content-Disposition of an attachment: an ASCII name every reader takes, and beside it,
// for a name beyond ASCII, the exact name percent-encoded in UTF-8 (RFC 2231).
QByteArray attachmentDisposition(const QString& fileName) {
    QString name = clean(fileName);
    name.remove(QLatin1Char('"')).remove(QLatin1Char('\\')).remove(QLatin1Char('/'));
    if (name.isEmpty())
        name = QStringLiteral("attachment");
    QByteArray plain;
    for (const QChar c : name)
        plain += c.unicode() < 128 && c.unicode() >= 32 ? char(c.unicode()) : '_';
    QByteArray out = "Content-Disposition: attachment; filename=\"" + plain + "\"";
    if (!isAscii(name))
        out += "; filename*=UTF-8''" + name.toUtf8().toPercentEncoding("!#$&+-.^_`|~");
    return out;
}

struct CurlDeleter {
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
    void operator()(curl_slist* l) const { curl_slist_free_all(l); }
    void operator()(curl_mime* m) const { curl_mime_free(m); }
};
template <class T>
using Owned = std::unique_ptr<T, CurlDeleter>;

curl_slist* append(curl_slist* list, const QByteArray& line) {
    curl_slist* grown = curl_slist_append(list, line.constData());
    if (!grown)
        throw MailError(QStringLiteral("UNABLE TO SEND E-MAIL: OUT OF MEMORY ...."));
    return grown;
}

CURL* startCurl() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    return curl_easy_init();
}

size_t collect(char* data, size_t size, size_t count, void* out) {
    auto* body = static_cast<QByteArray*>(out);
    if (body->size() + qsizetype(size * count) > 10 * 1024 * 1024)
        return 0;  // far more than a picture: stop
    body->append(data, qsizetype(size * count));
    return size * count;
}

}  // namespace

QByteArray fetchWebFile(const QString& url) {
    Owned<CURL> curl(startCurl());
    if (!curl)
        return {};
    QByteArray body;
    const QByteArray address = url.toUtf8();
    CURL* c = curl.get();
    curl_easy_setopt(c, CURLOPT_URL, address.constData());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(c, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(c, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, 10L);
    curl_easy_setopt(c, CURLOPT_TIMEOUT, 30L);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, collect);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &body);
    return curl_easy_perform(c) == CURLE_OK ? body : QByteArray();
}

std::optional<MailSettings> MailSettings::read(Database& db) {
    const auto row = db.firstRow(QStringLiteral(
        "SELECT EMAIL_USERNAME, EMAIL_PASSWORD, EMAIL_SMTP, EMAIL_SMTP_PORT, EMAIL_SENDERNAME, EMAIL_SENDERADD "
        "FROM M_TBL_EMAIL"));
    if (!row)
        return std::nullopt;
    const auto v = [&](int i) { return row->value(i).toString().trimmed(); };
    MailSettings s{v(0), v(1), v(2), v(3).toInt(), v(4), v(5), qEnvironmentVariable("TARVIC_MAIL_CA_FILE")};
    return s;
}

QStringList splitAddresses(const QString& field) {
    QStringList out;
    for (const QString& a : field.split(QRegularExpression(QStringLiteral("[,;]"))))
        if (!clean(a).isEmpty())
            out << clean(a);
    return out;
}

void Mailer::send(const MailMessage& message) const {
    QStringList to;
    for (const QString& a : message.to)
        to << splitAddresses(a);
    if (to.isEmpty())
        throw MailError(kNoRecipient);
    if (settings_.server.isEmpty() || settings_.senderAddress.isEmpty())
        throw MailError(kNoSmtp);

    Owned<CURL> curl(startCurl());
    if (!curl)
        throw MailError(QStringLiteral("UNABLE TO SEND E-MAIL: THE MAIL LIBRARY COULD NOT START ...."));
    CURL* c = curl.get();

    const int port = settings_.port > 0 ? settings_.port : 465;
    const QByteArray url =
        QStringLiteral("%1://%2:%3")
            .arg(port == 465 ? QStringLiteral("smtps") : QStringLiteral("smtp"), clean(settings_.server))
            .arg(port)
            .toUtf8();
    const QByteArray user = settings_.user.toUtf8(), password = settings_.password.toUtf8();
    const QByteArray from = "<" + address(settings_.senderAddress) + ">";
    const QByteArray caFile = settings_.caFile.toLocal8Bit();
    curl_easy_setopt(c, CURLOPT_URL, url.constData());
    // Plain text is never an option: STARTTLS or nothing.
    if (port != 465)
        curl_easy_setopt(c, CURLOPT_USE_SSL, long(CURLUSESSL_ALL));
    curl_easy_setopt(c, CURLOPT_USERNAME, user.constData());
    curl_easy_setopt(c, CURLOPT_PASSWORD, password.constData());
    if (!caFile.isEmpty())
        curl_easy_setopt(c, CURLOPT_CAINFO, caFile.constData());
    curl_easy_setopt(c, CURLOPT_MAIL_FROM, from.constData());
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, 20L);
    curl_easy_setopt(c, CURLOPT_TIMEOUT, 120L);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    char error[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, error);

    Owned<curl_slist> rcpt;
    QByteArrayList toHeader;
    for (const QString& a : to) {
        rcpt.reset(append(rcpt.release(), "<" + address(a) + ">"));
        toHeader << address(a);
    }
    curl_easy_setopt(c, CURLOPT_MAIL_RCPT, rcpt.get());

    const QByteArray sender = mailbox(settings_.senderName, settings_.senderAddress);
    Owned<curl_slist> headers;
    for (const QByteArray& h :
         {"Date: " + QLocale::c()
                         .toString(QDateTime::currentDateTimeUtc(), QStringLiteral("ddd, dd MMM yyyy hh:mm:ss +0000"))
                         .toLatin1(),
          "From: " + sender, "Reply-To: " + sender, "To: " + toHeader.join(", "),
          "Subject: " + headerText(clean(message.subject))})
        headers.reset(append(headers.release(), h));
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());

    Owned<curl_mime> mime(curl_mime_init(c));
    const bool html = !message.html.isEmpty();
    const QByteArray body = (html ? message.html : message.text).toUtf8();
    // The body, and beside it in one multipart/related the pictures it shows by Content-ID.
    curl_mime* bodyMime = mime.get();
    curl_mime* related = nullptr;
    if (html && !message.pictures.isEmpty()) {
        related = curl_mime_init(c);
        bodyMime = related;
    }
    curl_mimepart* part = curl_mime_addpart(bodyMime);
    curl_mime_data(part, body.constData(), size_t(body.size()));
    curl_mime_type(part, html ? "text/html; charset=UTF-8" : "text/plain; charset=UTF-8");
    curl_mime_encoder(part, "quoted-printable");
    if (related) {
        for (const MailPicture& p : message.pictures) {
            curl_mimepart* pic = curl_mime_addpart(related);
            curl_mime_data(pic, p.data.constData(), size_t(p.data.size()));
            curl_mime_type(pic, p.contentType.toLatin1().constData());
            curl_mime_encoder(pic, "base64");
            curl_slist* ph = append(nullptr, "Content-ID: <" + clean(p.contentId).toLatin1() + ">");
            ph = append(ph, "Content-Disposition: inline" +
                                (p.fileName.isEmpty() ? QByteArray()
                                                      : "; filename=\"" + address(p.fileName).replace('"', "") + "\""));
            curl_mime_headers(pic, ph, 1);
        }
        curl_mimepart* holder = curl_mime_addpart(mime.get());
        curl_mime_subparts(holder, related);  // the outer mime owns it from here
        curl_mime_type(holder, "multipart/related");
    }
    // The files after the body: the outer multipart is then mixed, body first.
    for (const MailAttachment& a : message.attachments) {
        curl_mimepart* file = curl_mime_addpart(mime.get());
        curl_mime_data(file, a.data.constData(), size_t(a.data.size()));
        curl_mime_type(file, clean(a.contentType).toLatin1().constData());
        curl_mime_encoder(file, "base64");
        curl_mime_headers(file, append(nullptr, attachmentDisposition(a.fileName)), 1);
    }
    curl_easy_setopt(c, CURLOPT_MIMEPOST, mime.get());

    const CURLcode rc = curl_easy_perform(c);
    if (rc != CURLE_OK) {
        QString why = QString::fromUtf8(error[0] ? error : curl_easy_strerror(rc)).trimmed();
        if (!settings_.password.isEmpty())
            why.replace(settings_.password, QStringLiteral("****"));
        throw MailError(QStringLiteral("UNABLE TO SEND E-MAIL: %1 ....").arg(why));
    }
}

}  // namespace tarvic
