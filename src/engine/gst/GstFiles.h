#pragma once
// The files of a GST return: GSTR-1 as the JSON the portal's offline tool accepts (structure
// version kJsonVersion), the GSTR-3B summary as the portal's GSTR-3B JSON, and a workbook
// with one sheet per section (and the exceptions) for the accountant to read. The window and
// tarvic-admin write them through here, so both write the same files.
//
// Amounts are JSON numbers with two decimals written from the exact amounts (never through a
// floating value), rates as the portal writes them (5, 2.5), dates DD-MM-YYYY.
#include "GstReturn.h"

#include <QByteArray>

namespace tarvic::gst {

QByteArray gstr1Json(const GstReturn& r);
QByteArray gstr3bJson(const GstReturn& r);
// Throws ExportError.
void writeWorkbook(const GstReturn& r, const QString& path);

struct ReturnFiles {
    QString gstr1;     // <base>_GSTR1.json
    QString gstr3b;    // <base>_GSTR3B.json
    QString workbook;  // <base>.xlsx
};
ReturnFiles returnFiles(const QString& basePath);
// "GST_RETURN_112026".
QString defaultBaseName(const Period& period);

// Writes the three files. A return that cannot be filed (the company's GSTIN, the home
// state) is refused with its first problem as a DbError of kind Refused and nothing is
// written; a file that cannot be written throws ExportError. Each file replaces an earlier
// one only when written whole.
ReturnFiles writeReturnFiles(const GstReturn& r, const QString& basePath);

}  // namespace tarvic::gst
