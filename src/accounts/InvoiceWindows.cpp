#include "AccountsWindows.h"

#include "accounts/frm_GSTMaintenance.h"
#include "accounts/frm_GstReturn.h"
#include "accounts/frm_Invoice.h"
#include "accounts/frm_InvoiceAdd.h"
#include "accounts/frm_Search_Invoice.h"

namespace tarvic {

void registerInvoiceWindows(WindowRegistry& registry) {
    registry.add<frm_GSTMaintenance>(QStringLiteral("frm_GSTMaintenance"));
    registry.add<frm_GstReturn>(QStringLiteral("frm_GstReturn"));
    for (const InvoiceWindowConfig* c : {&taxInvoiceWindow(), &proformaWindow()}) {
        const bool proforma = !c->kind->tax;
        // Opened with a DOC_NO (an exception of the GST return), it shows that invoice.
        registry.add(c->objectName, [c](Session& s, QWidget* parent, const WindowArgs& args) -> QWidget* {
            auto* w = new frm_Invoice(s, parent, *c);
            if (const qint64 no = args.value(QStringLiteral("DOC_NO")).toLongLong(); no > 0)
                w->Show_InvoiceDetails(no);
            return w;
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
