#include "AccountsWindows.h"

#include "accounts/frm_GSTMaintenance.h"
#include "accounts/frm_Invoice.h"
#include "accounts/frm_InvoiceAdd.h"
#include "accounts/frm_Search_Invoice.h"

namespace tarvic {

void registerInvoiceWindows(WindowRegistry& registry) {
    registry.add<frm_GSTMaintenance>(QStringLiteral("frm_GSTMaintenance"));
    for (const InvoiceWindowConfig* c : {&taxInvoiceWindow(), &proformaWindow()}) {
        const bool proforma = !c->kind->tax;
        registry.add(c->objectName, [c](Session& s, QWidget* parent, const WindowArgs&) -> QWidget* {
            return new frm_Invoice(s, parent, *c);
        });
        registry.add(c->lineWindow, [proforma](Session& s, QWidget* parent, const WindowArgs&) -> QWidget* {
            return new frm_InvoiceAdd(s, parent, proforma);
        });
        registry.add(c->searchWindow, [proforma](Session& s, QWidget* parent, const WindowArgs& args) -> QWidget* {
            return new frm_Search_Invoice(s, parent, args, proforma);
        });
    }
}

}  // namespace tarvic
