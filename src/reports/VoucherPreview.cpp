#include "VoucherPreview.h"

#include <QFileInfo>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QVBoxLayout>

namespace tarvic {

VoucherPreview::VoucherPreview(Session& session, QWidget* parent, const QString& name,
                               std::optional<VoucherReport> report)
    : TaskWindow(session, parent), report_(std::move(report)) {
    setObjectName(name);
    setWindowTitle(report_ && !report_->title().isEmpty() ? report_->title() : QStringLiteral("PRINT PREVIEW"));
    printer_ = new QPrinter(QPrinter::HighResolution);
    printer_->setPageSize(QPageSize(QPageSize::A4));
    printer_->setPageMargins(QMarginsF(15, 12, 15, 12), QPageLayout::Millimeter);
    setTool(1, kCloseTip, [this] { close(); });
    setTool(2, QStringLiteral("Print { F2 }"), [this] { Print_Report(); });
    setTool(3, QStringLiteral("Save as PDF { F3 }"), [this] { Save_Pdf(); });
    tool(2)->setEnabled(report_.has_value());
    tool(3)->setEnabled(report_.has_value());

    preview = new QPrintPreviewWidget(printer_, this);
    preview->setObjectName(QStringLiteral("preview"));
    connect(preview, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* printer) {
        if (report_)
            report_->print(*printer);
    });
    body()->addWidget(preview, 1);
    resize(820, 600);
    preview->fitToWidth();
}

VoucherPreview::~VoucherPreview() {
    delete printer_;
}

bool VoucherPreview::printAnyway() {
    const QStringList unfilled = report_->letterhead().unfilled();
    return unfilled.isEmpty() ||
           prompter().question(this,
                               QStringLiteral("THE COMPANY PROFILE STILL CARRIES PLACEHOLDERS (%1). PRINT ANYWAY ?")
                                   .arg(unfilled.join(QLatin1String(", "))));
}

void VoucherPreview::Print_Report() {
    if (!report_ || !printAnyway())
        return;
    QPrintDialog dialog(printer_, this);
    if (dialog.exec() == QDialog::Accepted)
        preview->print();
}

QString VoucherPreview::Save_Pdf() {
    if (!report_ || !printAnyway())
        return {};
    QString path = prompter().askSavePath(this, kSavePdfTitle, kPdfFilter);
    if (path.isEmpty())
        return {};
    if (QFileInfo(path).suffix().isEmpty())
        path += QLatin1String(".pdf");
    try {
        report_->savePdf(path);
    } catch (const std::exception& e) {
        prompter().critical(this, QString::fromStdString(e.what()));
        return {};
    }
    prompter().information(this, QStringLiteral("SUCCESSFULLY SAVED TO ") + path + QStringLiteral(" ...."));
    return path;
}

}  // namespace tarvic
