#include "bookings/BookingsWindows.h"
#include "bookings/family/AdviceNoteWindow.h"

namespace tarvic {

void registerAdviceNoteWindows(WindowRegistry& registry) {
    // Entry windows are opened by the booking with CBPT_NO; the modify windows by the menu, or
    // with DOC_NO to show that note (the TODAY board's row).
    for (const AdviceKind kind : {AdviceKind::Hotel, AdviceKind::Vehicle, AdviceKind::Other}) {
        const QString entry = QStringLiteral("frm_CBPT01_") + adviceCode(kind);
        for (const bool modify : {false, true})
            registry.add(modify ? entry + QStringLiteral("_Mod") : entry,
                         [kind, modify](Session& s, QWidget* parent, const WindowArgs& args) -> QWidget* {
                             auto* w = new AdviceNoteWindow(s, parent, args, kind, modify);
                             if (const qint64 n = args.value(QStringLiteral("DOC_NO")).toLongLong(); modify && n > 0)
                                 w->Show_Record(n);
                             return w;
                         });
    }
}

}  // namespace tarvic
