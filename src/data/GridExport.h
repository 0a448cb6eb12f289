#pragma once
// Writes what a grid holds to a file a spreadsheet program opens, for every listing window:
// the header row first, then every row, every column in model order (columns a view hides
// are included: the model still holds them). No widgets: any QAbstractItemModel will do, or
// a stream of rows for a list too long to hold (a listing reads its rows in one pass).
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <stdexcept>

class QAbstractItemModel;

namespace tarvic {

class ExportError : public std::runtime_error {
public:
    explicit ExportError(const QString& message) : std::runtime_error(message.toStdString()), message_(message) {}
    QString message() const { return message_; }

private:
    QString message_;
};

class GridExport {
public:
    // The rows to write: calls write(cells) for every row in order.
    using RowStream = std::function<void(const std::function<void(const QStringList& cells)>& write)>;

    // Delimited text, UTF-8: per line the cells joined by delimiter, each written
    // quote + text + quote with the text unchanged (a quote inside a cell is not doubled),
    // every line ended by CR LF. Listing windows pass a tab and a double quote under a
    // ".xls" name. The file is replaced only when it was written whole, and like the workbook
    // it is created readable by its owner only (a grid holds customers and amounts). Throws
    // ExportError.
    static void ExportGrid(const QAbstractItemModel& model, const QString& path,
                           const QString& delimiter = QStringLiteral("\t"), const QString& quote = QString());

    // A true workbook (.xlsx) with one sheet: the header row in bold, cells that are plain
    // decimal numbers as numbers, all others as text. columnWidths (characters) are optional.
    // Throws ExportError.
    static void ExportWorkbook(const QAbstractItemModel& model, const QString& path,
                               const QList<double>& columnWidths = {});

    // The same from a header row and a stream of rows.
    static void ExportGrid(const QStringList& headers, const RowStream& rows, const QString& path,
                           const QString& delimiter = QStringLiteral("\t"), const QString& quote = QString());

    // The sheet listing windows write under a ".xls" name: a UTF-8 byte-order mark (so that
    // spreadsheet programs read UTF-8 rather than the local code page), then per line every
    // cell in double quotes with a quote inside written twice (the columns stay in place),
    // joined by tabs and ended by CR LF. Throws ExportError.
    static void ExportSheet(const QStringList& headers, const RowStream& rows, const QString& path);
    static void ExportWorkbook(const QStringList& headers, const RowStream& rows, const QString& path,
                               const QList<double>& columnWidths = {});

    // One sheet of a workbook: its name (at most 31 characters), header row and rows.
    struct Sheet {
        QString name;
        QStringList headers;
        RowStream rows;
        QList<double> columnWidths;
    };
    // A workbook of several sheets, in order, each shaped as the single sheet above.
    static void ExportWorkbook(const QList<Sheet>& sheets, const QString& path);
};

}  // namespace tarvic
