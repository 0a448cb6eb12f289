#include "GridExport.h"

#include "PrivateFiles.h"

#include <QAbstractItemModel>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <xlsxwriter.h>

namespace tarvic {

namespace {

QStringList headersOf(const QAbstractItemModel& model) {
    QStringList headers;
    for (int c = 0; c < model.columnCount(); ++c)
        headers << model.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    return headers;
}

GridExport::RowStream rowsOf(const QAbstractItemModel& model) {
    return [&model](const std::function<void(const QStringList&)>& write) {
        const int columns = model.columnCount();
        QStringList cells;
        for (int r = 0; r < model.rowCount(); ++r) {
            cells.clear();
            for (int c = 0; c < columns; ++c)
                cells << model.data(model.index(r, c), Qt::DisplayRole).toString();
            write(cells);
        }
    };
}

// A cell written as a number must read back exactly as shown: no leading zeros (codes such
// as "007" stay text) and few enough digits for a spreadsheet's precision.
bool isPlainNumber(const QString& text) {
    static const QRegularExpression number(QStringLiteral("^-?(0|[1-9][0-9]{0,12})(\\.[0-9]{1,2})?$"));
    return number.match(text).hasMatch();
}

// Delimited lines gathered in one buffer and written a chunk at a time: a whole listing passes
// through without a string per line or a write per row.
class DelimitedFile {
public:
    struct Format {
        QString delimiter;
        QString quote;
        bool doubleQuotes = false;  // a quote inside a cell written twice
    };
    DelimitedFile(const QString& path, Format format) : out_(path), format_(std::move(format)) {
        if (!out_.open())
            throw ExportError(out_.errorString());
        buffer_.reserve(kChunk + 4096);
    }

    void text(QStringView s) { buffer_ += s; }

    // One line written in place: room for the worst case taken once, each cell copied in one
    // pass that doubles the quotes inside it on the way.
    void line(const QStringList& cells, qsizetype columns) {
        const QStringView quote = format_.quote, delimiter = format_.delimiter;
        const bool doubling = format_.doubleQuotes && quote.size() == 1;
        qsizetype room = 2 + columns * (2 * quote.size() + delimiter.size());
        for (qsizetype c = 0; c < columns && c < cells.size(); ++c)
            room += cells.at(c).size() * (format_.doubleQuotes ? 2 : 1);  // every quote written twice at most
        const qsizetype from = buffer_.size();
        buffer_.resize(from + room);
        QChar* out = buffer_.data() + from;
        const auto put = [&out](QStringView s) {
            std::copy(s.begin(), s.end(), out);
            out += s.size();
        };
        for (qsizetype c = 0; c < columns; ++c) {
            if (c > 0)
                put(delimiter);
            put(quote);
            const QStringView cell = c < cells.size() ? QStringView(cells.at(c)) : QStringView();
            if (doubling) {
                const QChar q = quote.front();
                for (const QChar ch : cell) {
                    *out++ = ch;
                    if (ch == q)
                        *out++ = q;
                }
            } else if (format_.doubleQuotes && !quote.isEmpty()) {
                qsizetype at = 0;
                for (qsizetype next; (next = cell.indexOf(quote, at)) >= 0; at = next + quote.size()) {
                    put(cell.sliced(at, next + quote.size() - at));
                    put(quote);
                }
                put(cell.sliced(at));
            } else {
                put(cell);
            }
            put(quote);
        }
        *out++ = QLatin1Char('\r');
        *out++ = QLatin1Char('\n');
        buffer_.resize(out - buffer_.constData());
        if (buffer_.size() >= kChunk)
            flush();
    }

    void commit() {
        flush();
        if (!out_.commit())
            throw ExportError(out_.errorString());
    }

private:
    static constexpr qsizetype kChunk = 32768;
    void flush() {
        if (buffer_.isEmpty())
            return;
        const QByteArray bytes = buffer_.toUtf8();
        if (out_.file().write(bytes) != bytes.size())
            throw ExportError(out_.file().errorString());
        buffer_.resize(0);
    }

    PrivateSaveFile out_;
    Format format_;
    QString buffer_;
};

void writeDelimited(const QStringList& headers, const GridExport::RowStream& rows, const QString& path,
                    DelimitedFile::Format format, bool byteOrderMark) {
    DelimitedFile file(path, std::move(format));
    if (byteOrderMark && !headers.isEmpty())
        file.text(u"\uFEFF");
    const qsizetype columns = headers.size();
    file.line(headers, columns);
    rows([&](const QStringList& cells) { file.line(cells, columns); });
    file.commit();
}

}  // namespace

void GridExport::ExportGrid(const QAbstractItemModel& model, const QString& path, const QString& delimiter,
                            const QString& quote) {
    ExportGrid(headersOf(model), rowsOf(model), path, delimiter, quote);
}

void GridExport::ExportGrid(const QStringList& headers, const RowStream& rows, const QString& path,
                            const QString& delimiter, const QString& quote) {
    writeDelimited(headers, rows, path, {delimiter, quote, false}, false);
}

void GridExport::ExportSheet(const QStringList& headers, const RowStream& rows, const QString& path) {
    writeDelimited(headers, rows, path, {QStringLiteral("\t"), QStringLiteral("\""), true}, true);
}

void GridExport::ExportWorkbook(const QAbstractItemModel& model, const QString& path,
                                const QList<double>& columnWidths) {
    ExportWorkbook(headersOf(model), rowsOf(model), path, columnWidths);
}

void GridExport::ExportWorkbook(const QStringList& headers, const RowStream& rows, const QString& path,
                                const QList<double>& columnWidths) {
    ExportWorkbook(QList<Sheet>{{QString(), headers, rows, columnWidths}}, path);
}

void GridExport::ExportWorkbook(const QList<Sheet>& sheets, const QString& path) {
    // The library writes the zip at close into the file made here (keeping its mode), which
    // then replaces the target: a failure leaves any earlier file untouched.
    const QFileInfo target(path);
    if (!target.absoluteDir().exists())
        throw ExportError(QStringLiteral("The folder %1 does not exist").arg(QDir::toNativeSeparators(target.absolutePath())));
    PrivateSaveFile out(path);
    if (!out.open())
        throw ExportError(out.errorString());
    out.file().close();
    const QByteArray tempName = QFile::encodeName(out.path());

    lxw_workbook* book = workbook_new(tempName.constData());
    if (!book)
        throw ExportError(QStringLiteral("Cannot create the workbook %1").arg(QDir::toNativeSeparators(path)));
    lxw_format* bold = workbook_add_format(book);
    format_set_bold(bold);
    lxw_format* twoDecimals = workbook_add_format(book);
    format_set_num_format(twoDecimals, "0.00");
    lxw_format* oneDecimal = workbook_add_format(book);
    format_set_num_format(oneDecimal, "0.0");

    try {
        for (const Sheet& s : sheets) {
            const QByteArray name = s.name.toUtf8();
            lxw_worksheet* sheet = workbook_add_worksheet(book, s.name.isEmpty() ? nullptr : name.constData());
            if (!sheet)
                throw ExportError(QStringLiteral("Cannot add the sheet %1").arg(s.name));
            const QStringList& headers = s.headers;
            const int columns = int(headers.size());
            for (int c = 0; c < columns && c < s.columnWidths.size(); ++c)
                worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c), s.columnWidths.at(c), nullptr);
            for (int c = 0; c < columns; ++c)
                worksheet_write_string(sheet, 0, lxw_col_t(c), headers.at(c).toUtf8().constData(), bold);
            lxw_row_t row = 0;
            s.rows([&](const QStringList& cells) {
                ++row;
                for (int c = 0; c < columns; ++c) {
                    const QString text = cells.value(c);
                    const auto col = lxw_col_t(c);
                    if (text.isEmpty())
                        continue;
                    if (isPlainNumber(text)) {
                        // Exact decimal text of at most 15 significant digits reads back unchanged.
                        const qsizetype point = text.indexOf(QLatin1Char('.'));
                        const qsizetype decimals = point < 0 ? 0 : text.size() - point - 1;
                        worksheet_write_number(sheet, row, col, text.toDouble(),
                                               decimals == 2 ? twoDecimals : decimals == 1 ? oneDecimal : nullptr);
                    } else {
                        worksheet_write_string(sheet, row, col, text.toUtf8().constData(), nullptr);
                    }
                }
            });
        }
    } catch (...) {
        workbook_close(book);
        throw;
    }
    const lxw_error err = workbook_close(book);
    if (err != LXW_NO_ERROR)
        throw ExportError(QString::fromUtf8(lxw_strerror(err)));
    if (!out.commit())
        throw ExportError(out.errorString());
}

}  // namespace tarvic
