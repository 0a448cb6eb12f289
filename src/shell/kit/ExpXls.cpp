#include "ExpXls.h"

#include "data/GridExport.h"
#include "shell/kit/QueryModel.h"

#include <QAbstractItemModel>
#include <QFileInfo>

namespace tarvic {

void exportModel(const QAbstractItemModel& model, const QString& path, bool workbook) {
    QStringList headers;
    GridExport::RowStream rows;
    if (auto* listing = qobject_cast<const QueryModel*>(&model)) {
        // A listing holds only the rows on screen: every row is read again in one pass.
        for (const ListColumn& c : listing->columns())
            headers << c.heading;
        rows = [listing](const std::function<void(const QStringList&)>& write) {
            listing->forEachRow([&write](const QStringList& cells) {
                write(cells);
                return true;
            });
        };
    } else {
        for (int c = 0; c < model.columnCount(); ++c)
            headers << model.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        rows = [&model](const std::function<void(const QStringList&)>& write) {
            QStringList cells;
            for (int r = 0; r < model.rowCount(); ++r) {
                cells.clear();
                for (int c = 0; c < model.columnCount(); ++c)
                    cells << model.index(r, c).data(Qt::DisplayRole).toString();
                write(cells);
            }
        };
    }
    if (workbook)
        GridExport::ExportWorkbook(headers, rows, path);
    else
        GridExport::ExportSheet(headers, rows, path);
}

void Exp_Xls(QWidget* parent, QAbstractItemModel* model, Prompter& prompter) {
    const QString filters = kSheetFilter + QLatin1String(";;") + kWorkbookFilter;
    QString chosenFilter = kSheetFilter;
    QString path = prompter.askSavePath(parent, kExportTitle, filters, {}, &chosenFilter);
    if (path.isEmpty() || !model)
        return;
    const bool workbook = path.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive) ||
                          (chosenFilter == kWorkbookFilter && !path.endsWith(QLatin1String(".xls"), Qt::CaseInsensitive));
    // A bare name takes the extension of the chosen kind, as the save dialog's filter implies.
    if (QFileInfo(path).suffix().isEmpty())
        path += workbook ? QLatin1String(".xlsx") : QLatin1String(".xls");
    try {
        exportModel(*model, path, workbook);
    } catch (const ExportError& e) {
        prompter.information(parent, e.message());
        return;
    } catch (const DbError& e) {
        prompter.information(parent, e.message());
        return;
    }
    prompter.information(parent, QStringLiteral("Successfully Export to ") + path);
}

}  // namespace tarvic
