#include "frm_SupplierTemplates.h"

#include "engine/bookings/SupplierRequests.h"
#include "shell/Prompter.h"
#include "shell/kit/Checks.h"
#include "shell/kit/KeyFilters.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace tarvic {

namespace {
constexpr SupplierMailKind kKinds[] = {SupplierMailKind::Request, SupplierMailKind::Voucher,
                                       SupplierMailKind::Cancellation};
}  // namespace

frm_SupplierTemplates::frm_SupplierTemplates(Session& session, QWidget* parent) : TaskWindow(session, parent) {
    setObjectName(QStringLiteral("frm_SupplierTemplates"));
    setWindowTitle(QStringLiteral("SUPPLIER MAIL TEMPLATES"));
    setTool(1, kCloseTip, [this] { close(); });
    setTool(3, kSaveTip, [this] { Save_Record(); });

    auto* form = new QFormLayout;
    Cmb_Kind = new QComboBox(this);
    Cmb_Kind->setObjectName(QStringLiteral("Cmb_Kind"));
    for (SupplierMailKind k : kKinds)
        Cmb_Kind->addItem(templateKind(k));
    txt_Subject = new QLineEdit(this);
    txt_Subject->setObjectName(QStringLiteral("txt_Subject"));
    bindColumn(txt_Subject, "M_TBL_SUPPLIER_TEMPLATE", "MAIL_SUBJECT");
    txt_Body = new QPlainTextEdit(this);
    txt_Body->setObjectName(QStringLiteral("txt_Body"));
    bindColumn(txt_Body, "M_TBL_SUPPLIER_TEMPLATE", "MAIL_BODY");
    lbl_Placeholders = new QLabel(templatePlaceholders().join(QStringLiteral("  ")), this);
    lbl_Placeholders->setObjectName(QStringLiteral("lbl_Placeholders"));
    lbl_Placeholders->setWordWrap(true);
    txt_Hours = new QLineEdit(this);
    txt_Hours->setObjectName(QStringLiteral("txt_Hours"));
    txt_Hours->setMaximumWidth(80);
    bindLength(txt_Hours, 4);
    attachFilter(txt_Hours, KeyFilter::Number);
    const auto caption = [this](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };
    form->addRow(caption(QStringLiteral("&MAIL"), Cmb_Kind), Cmb_Kind);
    form->addRow(caption(QStringLiteral("&SUBJECT"), txt_Subject), txt_Subject);
    form->addRow(caption(QStringLiteral("&TEXT ( HTML )"), txt_Body), txt_Body);
    form->addRow(new QLabel(QStringLiteral("PLACEHOLDERS"), this), lbl_Placeholders);
    form->addRow(caption(QStringLiteral("UNANSWERED AFTER ( &HOURS )"), txt_Hours), txt_Hours);
    body()->addLayout(form);
    resize(760, 520);

    connect(Cmb_Kind, &QComboBox::currentIndexChanged, this, [this] { Show_Template(); });
    guarded([&] { txt_Hours->setText(QString::number(officeRequestHours(db()))); });
    Show_Template();
    Cmb_Kind->setFocus();
}

void frm_SupplierTemplates::Show_Template() {
    SupplierTemplate t;
    guarded([&] { t = supplierTemplate(db(), kKinds[std::max(0, Cmb_Kind->currentIndex())]); });
    txt_Subject->setText(t.subject);
    txt_Body->setPlainText(t.body);
}

void frm_SupplierTemplates::Save_Record() {
    if (!runChecks(
            prompter(), this,
            {{[&] { return txt_Subject->text().trimmed().isEmpty(); }, txt_Subject,
              QStringLiteral("PLEASE ENTER THE SUBJECT ....")},
             {[&] { return txt_Body->toPlainText().trimmed().isEmpty(); }, txt_Body,
              QStringLiteral("PLEASE ENTER THE TEXT ....")},
             {[&] { return txt_Hours->text().toInt() <= 0; }, txt_Hours, QStringLiteral("ENTER VALID HOURS ....")}}))
        return;
    const SupplierMailKind kind = kKinds[std::max(0, Cmb_Kind->currentIndex())];
    if (!guarded([&] {
            saveSupplierTemplate(db(), session().userFullName, kind, {txt_Subject->text(), txt_Body->toPlainText()});
            setOfficeRequestHours(db(), txt_Hours->text().toInt());
        }))
        return;
    prompter().information(this, QStringLiteral("TEMPLATE SUCCESSFULLY SAVED ...."));
}

}  // namespace tarvic
