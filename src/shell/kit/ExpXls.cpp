#include "ExpXls.h"

#include "data/GridExport.h"
#include "shell/kit/QueryModel.h"

#include <QAbstractItemModel>
#include <QFileDialog>

namespace tarvic {

namespace {

QString dialogPath(QWidget* parent, const QString& title, const QString& filters, QString* selectedFilter) {
    QFileDialog dialog(parent, title, QString(), filters);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    dialog.setFont(font);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    if (selectedFilter)
        *selectedFilter = dialog.selectedNameFilter();
    return dialog.selectedFiles().constFirst();
}

SavePathProvider& provider() {
    static SavePathProvider p;
    return p;
}

}  // namespace

SavePathProvider setSavePathProvider(SavePathProvider p) {
    SavePathProvider old = std::move(provider());
    provider() = std::move(p);
    return old;
}

void Exp_Xls(QWidget* parent, QAbstractItemModel* model, Prompter& prompter) {
    const QString filters = kSheetFilter + QLatin1String(";;") + kWorkbookFilter;
    QString chosenFilter = kSheetFilter;
    const QString answer = provider() ? provider()(parent, kExportTitle, filters, &chosenFilter)
                                      : dialogPath(parent, kExportTitle, filters, &chosenFilter);
    QString path = answer.trimmed();
    if (path.isEmpty() || !model)
        return;
    const bool workbook = path.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive) ||
                          (chosenFilter == kWorkbookFilter && !path.endsWith(QLatin1String(".xls"), Qt::CaseInsensitive));
    // A bare name takes the extension of the chosen kind, as the save dialog's filter implies.
    if (QFileInfo(path).suffix().isEmpty())
        path += workbook ? QLatin1String(".xlsx") : QLatin1String(".xls");
    try {
        if (auto* listing = qobject_cast<QueryModel*>(model)) {
            // A listing holds only the rows on screen: every row is read again in one pass.
            QStringList headers;
            for (const ListColumn& c : listing->columns())
                headers << c.heading;
            const GridExport::RowStream rows = [listing](const std::function<void(const QStringList&)>& write) {
                listing->forEachRow([&write](const QStringList& cells) {
                    write(cells);
                    return true;
                });
            };
            if (workbook)
                GridExport::ExportWorkbook(headers, rows, path);
            else
                GridExport::ExportGrid(headers, rows, path, QStringLiteral("\t"), QStringLiteral("\""));
        } else if (workbook) {
            GridExport::ExportWorkbook(*model, path);
        } else {
            GridExport::ExportGrid(*model, path, QStringLiteral("\t"), QStringLiteral("\""));
        }
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
