#pragma once
// Exp_Xls of every listing window: asks for a file (the prompter's save prompt, offering the
// window's caption and the date) and exports the grid's model to it.
//
//     setTool(5, "Export { F5 }", [this] { Exp_Xls(this, Grid1->model(), prompter()); });
//
// The dialog offers "EXCEL SHEET (*.xls)" (tab-separated UTF-8 text after a byte-order mark,
// every cell in double quotes with a quote inside doubled, as spreadsheet users have always
// received it) and "EXCEL WORKBOOK (*.xlsx)" (a true
// workbook). A name ending in .xlsx, or the workbook filter, writes a workbook. An empty name
// does nothing; success reports "Successfully Export to " + path; a failure shows its
// description. A listing's QueryModel is written from one pass over its statement, every row,
// not only the pages it holds.
#include "shell/Prompter.h"

#include <QString>

class QAbstractItemModel;
class QWidget;

namespace tarvic {

inline const QString kExportTitle = QStringLiteral("SELECT PATH TO SAVE SPREADSHEET");
inline const QString kSheetFilter = QStringLiteral("EXCEL SHEET (*.xls)");
inline const QString kWorkbookFilter = QStringLiteral("EXCEL WORKBOOK (*.xlsx)");

void Exp_Xls(QWidget* parent, QAbstractItemModel* model, Prompter& prompter);

// The export itself, without a question or a message: the sheet, or the workbook when asked.
// Throws ExportError or DbError.
void exportModel(const QAbstractItemModel& model, const QString& path, bool workbook);

}  // namespace tarvic
