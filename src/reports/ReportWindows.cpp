#include "ReportWindows.h"

#include "RoomingList.h"
#include "VoucherPreview.h"

namespace tarvic {

namespace {

const QString kVoucher = QStringLiteral("rpt_Voucher");
const QString kHotelVoucher = QStringLiteral("rpt_HotelVoucher");

// A print with nothing to print says so instead of opening an empty preview; opened without
// arguments (the rooming list without its hotel line) the preview is empty.
QWidget* previewOf(Session& session, QWidget* parent, const QString& name, std::optional<VoucherReport> report) {
    if (report && !report->message().isEmpty()) {
        session.prompter->information(parent, report->message());
        return nullptr;
    }
    return new VoucherPreview(session, parent, name, std::move(report));
}

}  // namespace

void registerReportWindows(WindowRegistry& registry) {
    registry.add(kVoucher, [](Session& session, QWidget* parent, const WindowArgs& args) -> QWidget* {
        std::optional<VoucherReport> report;
        if (args.values.contains(QStringLiteral("DOC_CODE")))
            report = VoucherReport::forDocument(*session.db, args.value(QStringLiteral("DOC_CODE")).toString(),
                                                args.value(QStringLiteral("DOC_NO")).toLongLong(),
                                                args.value(QStringLiteral("CBPT_NO")).toLongLong());
        return previewOf(session, parent, kVoucher, std::move(report));
    });
    registry.add(kHotelVoucher, [](Session& session, QWidget* parent, const WindowArgs& args) -> QWidget* {
        std::optional<VoucherReport> report;
        if (args.values.contains(QStringLiteral("QUOTATION_NO")))
            report =
                VoucherReport::forHotelVoucher(*session.db, args.value(QStringLiteral("QUOTATION_NO")).toLongLong());
        return previewOf(session, parent, kHotelVoucher, std::move(report));
    });
    registry.add(kRoomingList, [](Session& session, QWidget* parent, const WindowArgs& args) -> QWidget* {
        std::optional<VoucherReport> report;
        if (args.values.contains(QStringLiteral("LINE_NO")))
            report = roomingListReport(*session.db, args.value(QStringLiteral("CBPT_NO")).toLongLong(),
                                       args.value(QStringLiteral("QUOTATION_NO")).toLongLong(),
                                       args.value(QStringLiteral("LINE_NO")).toLongLong());
        return previewOf(session, parent, kRoomingList, std::move(report));
    });
}

}  // namespace tarvic
