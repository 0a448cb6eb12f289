#include "AccountsWindows.h"
#include "accounts/MoneyDocumentWindow.h"
#include "accounts/MoneySearchWindow.h"

namespace tarvic {

void registerMoneyDocumentWindows(WindowRegistry& registry) {
    // The receipt, payment and refund are opened by the booking with CBPT_NO; the adjustment
    // from the menu.
    for (const MoneyMember* m : {&receiptMember(), &paymentMember(), &refundMember(), &adjustmentMember()})
        registry.add(m->doc.objectName, [m](Session& s, QWidget* parent, const WindowArgs& args) -> QWidget* {
            return new MoneyDocumentWindow(s, parent, args, *m);
        });
    for (const MoneySearch* search : {&receiptSearch(), &paymentSearch()})
        registry.add(search->objectName, [search](Session& s, QWidget* parent, const WindowArgs& args) -> QWidget* {
            return new MoneySearchWindow(s, parent, args, *search);
        });
}

}  // namespace tarvic
