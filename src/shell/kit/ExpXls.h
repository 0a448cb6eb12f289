#pragma once
// Exp_Xls of every listing window: asks for a file and exports the grid's model to it.
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
#include <functional>

class QAbstractItemModel;
class QWidget;

namespace tarvic {

inline const QString kExportTitle = QStringLiteral("SELECT PATH TO SAVE SPREADSHEET");
inline const QString kSheetFilter = QStringLiteral("EXCEL SHEET (*.xls)");
inline const QString kWorkbookFilter = QStringLiteral("EXCEL WORKBOOK (*.xlsx)");

// Asks for the path: (parent, title, filters ";;"-joined, chosen filter out) -> path, empty
// when cancelled. The program uses the save dialog; tests install their own answer.
using SavePathProvider = std::function<QString(QWidget* parent, const QString& title, const QString& filters,
                                               QString* selectedFilter)>;
// Installs a provider (an empty one restores the dialog); returns the previous one.
SavePathProvider setSavePathProvider(SavePathProvider provider);

// Asks for a file to save through the installed provider, else the save dialog; empty when
// cancelled. filters are ";;"-joined.
QString askSavePath(QWidget* parent, const QString& title, const QString& filters);

// Asks for an existing file to read: (parent, title, filter) -> path, empty when cancelled.
// The program shows the open dialog; tests install their own answer.
using OpenPathProvider = std::function<QString(QWidget* parent, const QString& title, const QString& filter)>;
// Installs a provider (an empty one restores the dialog); returns the previous one.
OpenPathProvider setOpenPathProvider(OpenPathProvider provider);
QString askOpenPath(QWidget* parent, const QString& title, const QString& filter);

void Exp_Xls(QWidget* parent, QAbstractItemModel* model, Prompter& prompter);

}  // namespace tarvic
