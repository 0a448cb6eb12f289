#pragma once
// Reads a file a spreadsheet program wrote back into rows of cell texts, the other way of the
// grid export: comma-separated text (UTF-8, quoted cells with doubled quotes, CR LF or LF;
// semicolons when the heading line holds more of them than commas) or
// the first sheet of a true workbook (.xlsx: shared strings resolved, numbers as the file
// holds them, so a date typed in a workbook comes as its day number). Chosen by the name's
// ending. Throws ExportError with the house-style message when the file cannot be read.
#include "GridExport.h"

#include <QDate>
#include <QList>
#include <QStringList>

namespace tarvic {

using SheetRows = QList<QStringList>;

SheetRows readSheetFile(const QString& path);
// The same from the bytes of a file.
SheetRows parseCsv(const QByteArray& bytes);
SheetRows parseWorkbook(const QByteArray& bytes);

// A date as a sheet holds it: dd/mm/yyyy (also with - or .), yyyy-mm-dd, or a workbook's day
// number (days since 30/12/1899). Invalid for anything else.
QDate sheetDate(const QString& text);

}  // namespace tarvic
