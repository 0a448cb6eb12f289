#pragma once
// The preview of a printed voucher ("rpt_Voucher", "rpt_HotelVoucher"): the pages as they will
// print, with Print and Save as PDF. It holds the pages read when it opened; a new print reads
// the document again.
#include "VoucherReport.h"
#include "shell/kit/TaskWindow.h"

#include <optional>

class QPrinter;
class QPrintPreviewWidget;

namespace tarvic {

inline const QString kSavePdfTitle = QStringLiteral("SELECT PATH TO SAVE PDF");
inline const QString kPdfFilter = QStringLiteral("PDF FILES (*.pdf)");

class VoucherPreview : public TaskWindow {
    Q_OBJECT
public:
    // Without a report the preview is empty (nothing was asked to print).
    VoucherPreview(Session& session, QWidget* parent, const QString& name, std::optional<VoucherReport> report);
    ~VoucherPreview() override;

    QPrintPreviewWidget* preview = nullptr;
    const std::optional<VoucherReport>& report() const { return report_; }

    // Both ask first when the company profile is not filled in (printAnyway).
    void Print_Report();
    // Asks for a file and writes the pages to it as PDF; returns the path written, or empty.
    QString Save_Pdf();

private:
    // A document whose letterhead still carries placeholders is printed only when the user says so.
    bool printAnyway();

    std::optional<VoucherReport> report_;
    QPrinter* printer_ = nullptr;
};

}  // namespace tarvic
