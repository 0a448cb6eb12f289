#include "frm_SupplierTemplates.h"

#include "engine/bookings/SupplierRequests.h"

namespace tarvic {

namespace {

constexpr SupplierMailKind kKinds[] = {SupplierMailKind::Request, SupplierMailKind::Voucher,
                                       SupplierMailKind::Cancellation};

SupplierMailKind kindNamed(const QString& name) {
    for (SupplierMailKind k : kKinds)
        if (templateKind(k) == name)
            return k;
    return SupplierMailKind::Request;
}

MailTemplateMember member() {
    MailTemplateMember m;
    m.objectName = "frm_SupplierTemplates";
    m.title = QStringLiteral("SUPPLIER MAIL TEMPLATES");
    m.table = "M_TBL_SUPPLIER_TEMPLATE";
    m.kindCaption = "&MAIL";
    m.subjectCaption = "&SUBJECT";
    m.bodyCaption = "&TEXT ( HTML )";
    for (SupplierMailKind k : kKinds)
        m.kinds << templateKind(k);
    m.valuesName = "lbl_Placeholders";
    m.valuesCaption = QStringLiteral("PLACEHOLDERS");
    m.valuesText = templatePlaceholders().join(QStringLiteral("  ")) +
                   QStringLiteral(
                       "\nA ROW OR LINE WHOSE VALUE IS EMPTY FOR THE LINE ( A VEHICLE HAS NO ROOMS ) IS LEFT "
                       "OUT.");
    m.read = [](Database& db, const QString& kind) {
        const SupplierTemplate t = supplierTemplate(db, kindNamed(kind));
        return MailTemplateText{t.subject, t.body};
    };
    m.write = [](Database& db, const QString& user, const QString& kind, const MailTemplateText& t) {
        saveSupplierTemplate(db, user, kindNamed(kind), {t.subject, t.body});
    };
    m.enterSubject = QStringLiteral("PLEASE ENTER THE SUBJECT ....");
    m.enterBody = QStringLiteral("PLEASE ENTER THE TEXT ....");
    m.saved = QStringLiteral("TEMPLATE SUCCESSFULLY SAVED ....");
    m.setting = MailTemplateSetting{"UNANSWERED AFTER ( &HOURS )", QStringLiteral("ENTER VALID HOURS ...."),
                                    officeRequestHours, setOfficeRequestHours};
    m.size = {760, 520};
    return m;
}

}  // namespace

frm_SupplierTemplates::frm_SupplierTemplates(Session& session, QWidget* parent)
    : MailTemplateWindow(session, parent, member()) {}

}  // namespace tarvic
