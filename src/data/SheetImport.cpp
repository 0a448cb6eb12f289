#include "SheetImport.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <algorithm>

#include <zlib.h>

namespace tarvic {

namespace {

const QString kUnreadable = QStringLiteral("UNABLE TO READ THE FILE, IT IS NOT A .CSV OR .XLSX FILE ....");

// What a list typed by people may hold: a file, a sheet unpacked, its rows and columns. A file
// made to claim more (a packed member of gigabytes, a row numbered in the millions) is refused
// before the memory for it is taken.
constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;
constexpr quint32 kMaxMemberBytes = 64 * 1024 * 1024;
constexpr int kMaxRows = 65536;
constexpr int kMaxColumns = 1024;
constexpr qint64 kMaxCells = 2'000'000;
const QString kTooLarge = QStringLiteral("THE FILE IS TOO LARGE TO IMPORT ....");

[[noreturn]] void unreadable() {
    throw ExportError(kUnreadable);
}

[[noreturn]] void tooLarge() {
    throw ExportError(kTooLarge);
}

quint32 le(const QByteArray& b, qsizetype at, int bytes) {
    if (at < 0 || at + bytes > b.size())
        unreadable();
    quint32 v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | quint8(b[at + i]);
    return v;
}

// The members of a zip archive by name, read from its central directory; only what a workbook
// needs (stored or deflated members, no archive beyond 4 GB).
class ZipMembers {
public:
    explicit ZipMembers(const QByteArray& zip) : zip_(zip) {
        qsizetype end = zip.lastIndexOf(QByteArray("PK\x05\x06", 4));
        if (end < 0)
            unreadable();
        const quint32 count = le(zip, end + 10, 2);
        qsizetype at = le(zip, end + 16, 4);
        for (quint32 i = 0; i < count; ++i) {
            if (le(zip, at, 4) != 0x02014b50)
                unreadable();
            const quint32 nameLength = le(zip, at + 28, 2);
            const QString name = QString::fromUtf8(zip.mid(at + 46, nameLength));
            entries_.insert(name, at);
            at += 46 + nameLength + le(zip, at + 30, 2) + le(zip, at + 32, 2);
        }
    }
    bool has(const QString& name) const { return entries_.contains(name); }
    QByteArray read(const QString& name) const {
        const auto it = entries_.find(name);
        if (it == entries_.end())
            unreadable();
        const qsizetype cd = *it;
        const quint32 method = le(zip_, cd + 10, 2);
        const quint32 packed = le(zip_, cd + 20, 4);
        const quint32 size = le(zip_, cd + 24, 4);
        const qsizetype local = le(zip_, cd + 42, 4);
        if (le(zip_, local, 4) != 0x04034b50)
            unreadable();
        const qsizetype data = local + 30 + le(zip_, local + 26, 2) + le(zip_, local + 28, 2);
        if (data + qsizetype(packed) > zip_.size())
            unreadable();
        if (method == 0)
            return zip_.mid(data, packed);
        if (method != 8)
            unreadable();
        if (size > kMaxMemberBytes)
            tooLarge();
        QByteArray out(qsizetype(size), Qt::Uninitialized);
        z_stream s{};
        if (inflateInit2(&s, -MAX_WBITS) != Z_OK)
            unreadable();
        s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(zip_.constData() + data));
        s.avail_in = packed;
        s.next_out = reinterpret_cast<Bytef*>(out.data());
        s.avail_out = size;
        const int rc = inflate(&s, Z_FINISH);
        inflateEnd(&s);
        if (rc != Z_STREAM_END || s.total_out != size)
            unreadable();
        return out;
    }

private:
    const QByteArray& zip_;
    QHash<QString, qsizetype> entries_;  // central directory record of each member
};

// "B12" -> 1 (the column's index from 0); -1 without letters.
int columnOf(const QString& reference) {
    int col = 0;
    for (QChar c : reference) {
        const char16_t u = c.toUpper().unicode();
        if (u < 'A' || u > 'Z')
            break;
        col = col * 26 + (u - 'A' + 1);
        if (col > kMaxColumns)
            tooLarge();
    }
    return col - 1;
}

// The text of the element the reader stands on, across runs (<r><t>..</t></r>).
QString textOf(QXmlStreamReader& x) {
    QString text;
    const QString end = x.name().toString();
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement() && x.name() == QLatin1String("t"))
            text += x.readElementText(QXmlStreamReader::IncludeChildElements);
        else if (x.isEndElement() && x.name() == end)
            break;
    }
    return text;
}

// The path of the workbook's first sheet, through the workbook's relations.
QString firstSheet(const ZipMembers& zip) {
    QString id;
    QXmlStreamReader book(zip.read(QStringLiteral("xl/workbook.xml")));
    while (!book.atEnd() && id.isEmpty())
        if (book.readNext() == QXmlStreamReader::StartElement && book.name() == QLatin1String("sheet"))
            for (const QXmlStreamAttribute& a : book.attributes())
                if (a.name() == QLatin1String("id"))
                    id = a.value().toString();
    QXmlStreamReader rels(zip.read(QStringLiteral("xl/_rels/workbook.xml.rels")));
    while (!rels.atEnd())
        if (rels.readNext() == QXmlStreamReader::StartElement && rels.attributes().value(QLatin1String("Id")) == id) {
            QString target = rels.attributes().value(QLatin1String("Target")).toString();
            if (target.startsWith(QLatin1Char('/')))
                return target.mid(1);
            return QStringLiteral("xl/") + target;
        }
    unreadable();
}

}  // namespace

SheetRows parseCsv(const QByteArray& bytes) {
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    // A spreadsheet set to a decimal comma separates with semicolons: the heading line tells.
    const QString head = text.section(QLatin1Char('\n'), 0, 0);
    const QChar separator =
        head.count(QLatin1Char(';')) > head.count(QLatin1Char(',')) ? QLatin1Char(';') : QLatin1Char(',');
    SheetRows rows;
    QStringList row;
    QString cell;
    bool quoted = false, any = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                cell += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                cell += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = any = true;
        } else if (c == separator) {
            row << cell;
            cell.clear();
            any = true;
        } else if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
            row << cell;
            if (any || !cell.isEmpty())
                rows << row;
            if (rows.size() > kMaxRows || row.size() > kMaxColumns)
                tooLarge();
            row.clear();
            cell.clear();
            any = false;
        } else {
            cell += c;
        }
    }
    if (any || !cell.isEmpty())
        rows << (row << cell);
    return rows;
}

SheetRows parseWorkbook(const QByteArray& bytes) {
    const ZipMembers zip(bytes);
    QStringList shared;
    if (zip.has(QStringLiteral("xl/sharedStrings.xml"))) {
        QXmlStreamReader x(zip.read(QStringLiteral("xl/sharedStrings.xml")));
        while (!x.atEnd())
            if (x.readNext() == QXmlStreamReader::StartElement && x.name() == QLatin1String("si"))
                shared << textOf(x);
    }
    SheetRows rows;
    qint64 cells = 0;
    QXmlStreamReader x(zip.read(firstSheet(zip)));
    QStringList* row = nullptr;
    while (!x.atEnd()) {
        if (x.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (x.name() == QLatin1String("row")) {
            // A row number skipped by the writer is an empty row.
            const int number = x.attributes().value(QLatin1String("r")).toInt();
            if (number > kMaxRows || rows.size() >= kMaxRows)
                tooLarge();
            while (number > 0 && rows.size() < number - 1)
                rows << QStringList();
            rows << QStringList();
            row = &rows.last();
        } else if (x.name() == QLatin1String("c") && row) {
            const int col = columnOf(x.attributes().value(QLatin1String("r")).toString());
            const QString type = x.attributes().value(QLatin1String("t")).toString();
            QString value;
            while (!x.atEnd()) {
                x.readNext();
                if (x.isStartElement() && x.name() == QLatin1String("v"))
                    value = x.readElementText();
                else if (x.isStartElement() && x.name() == QLatin1String("is"))
                    value = textOf(x);
                else if (x.isEndElement() && x.name() == QLatin1String("c"))
                    break;
            }
            if (type == QLatin1String("s")) {
                const int i = value.toInt();
                value = i >= 0 && i < shared.size() ? shared[i] : QString();
            }
            // A cell without a value (only a format) takes no room; one with a value far to the
            // right takes the empty cells before it, counted against the budget.
            if (value.isEmpty() && col >= 0)
                continue;
            cells += std::max(0, col - int(row->size())) + 1;
            if (cells > kMaxCells)
                tooLarge();
            while (col >= 0 && row->size() < col)
                *row << QString();
            *row << value;
        }
    }
    if (x.hasError())
        unreadable();
    while (!rows.isEmpty() && rows.last().join(QString()).trimmed().isEmpty())
        rows.removeLast();
    return rows;
}

SheetRows readSheetFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw ExportError(QStringLiteral("UNABLE TO OPEN THE FILE %1 ....").arg(path));
    if (f.size() > kMaxFileBytes)
        tooLarge();
    const QByteArray bytes = f.readAll();
    if (path.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive))
        return parseWorkbook(bytes);
    return parseCsv(bytes);
}

QDate sheetDate(const QString& text) {
    const QString t = text.trimmed();
    static const QRegularExpression dmy(QStringLiteral("^(\\d{1,2})[/.-](\\d{1,2})[/.-](\\d{4})$"));
    static const QRegularExpression ymd(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"));
    static const QRegularExpression serial(QStringLiteral("^\\d{1,6}(\\.\\d+)?$"));
    if (const auto m = dmy.match(t); m.hasMatch())
        return QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
    if (const auto m = ymd.match(t); m.hasMatch())
        return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    if (serial.match(t).hasMatch())
        return QDate(1899, 12, 30).addDays(qint64(t.toDouble()));
    return {};
}

}  // namespace tarvic
