#include "frm_InvoiceAdd.h"

#include "shell/kit/Checks.h"
#include "shell/kit/KeyFilters.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace tarvic {

namespace {

// Whole numbers as the user types them: digits only, so never a negative rate or quantity;
// each within its limit, so that their product is one the books can hold or is refused.
void wholeNumberField(QLineEdit* e, const FieldLimit& limit) {
    attachFilter(e, KeyFilter::Number, limit);
    e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*(\\.\\d{0,2})?")), e));
    e->setAlignment(Qt::AlignRight);
    e->setMaximumWidth(160);
    showTwoDecimalsOnLeaving(e);
}

}  // namespace

frm_InvoiceAdd::frm_InvoiceAdd(Session& session, QWidget* parent, bool proforma) : TaskWindow(session, parent) {
    setObjectName(proforma ? QStringLiteral("frm_InvoiceAdd_P") : QStringLiteral("frm_InvoiceAdd"));
    setWindowTitle(proforma ? QStringLiteral("ADD DETAILS TO PROFORMA INVOICE LIST")
                            : QStringLiteral("ADD INVOICE DETAILS"));
    setTool(1, kCloseTip, [this] { close(); });

    txt_Desc = new QLineEdit(this);
    txt_Desc->setObjectName(QStringLiteral("txt_Desc"));
    bindColumn(txt_Desc, "M_TBL_TRANSACTION", "DOC_DESC");
    txt_Rate = new QLineEdit(this);
    txt_Rate->setObjectName(QStringLiteral("txt_Rate"));
    txt_Qty = new QLineEdit(this);
    txt_Qty->setObjectName(QStringLiteral("txt_Qty"));
    bindColumn(txt_Rate, "M_TBL_TRANSACTION", "INV_RATE");
    bindColumn(txt_Qty, "M_TBL_TRANSACTION", "INV_QTY");
    wholeNumberField(txt_Rate, amountLimit(QStringLiteral("RATE")));
    wholeNumberField(txt_Qty, quantityLimit());
    for (QLineEdit* e : {txt_Rate, txt_Qty})
        connect(e, &QLineEdit::textChanged, this, [this] { recompute(); });
    lbl_Amount = new QLabel(this);
    lbl_Amount->setObjectName(QStringLiteral("lbl_Amount"));
    lbl_Amount->setFrameShape(QFrame::StyledPanel);
    lbl_Amount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lbl_Amount->setMinimumWidth(160);
    Cmd_Add = new QPushButton(QStringLiteral("&ADD"), this);
    Cmd_Add->setObjectName(QStringLiteral("Cmd_Add"));
    connect(Cmd_Add, &QPushButton::clicked, this, [this] { Add_Line(); });

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&DESCRIPTION"), txt_Desc);
    form->addRow(QStringLiteral("&RATE INR /-"), txt_Rate);
    form->addRow(QStringLiteral("&QUANTITY"), txt_Qty);
    form->addRow(QStringLiteral("AMOUNT INR /-"), lbl_Amount);
    form->addRow(QString(), Cmd_Add);
    body()->addLayout(form);
    resize(600, 230);
    recompute();
}

std::optional<Money> frm_InvoiceAdd::amount() const {
    return lineAmount(Money::fromInput(txt_Rate->text()), Money::fromInput(txt_Qty->text()));
}

void frm_InvoiceAdd::recompute() {
    lbl_Amount->setText(shownAmount(amount()));
}

bool frm_InvoiceAdd::Add_Line() {
    // A line without a description would count in the total and never be saved.
    const std::optional<Money> lineAmt = amount();
    if (!runChecks(prompter(), this,
                   {{[&] { return txt_Desc->text().trimmed().isEmpty(); }, txt_Desc,
                     QStringLiteral("PLEASE ENTER DESCRIPTION ....")},
                    {[&] { return !lineAmt; }, txt_Qty, exceedsLimitMessage(QStringLiteral("LINE AMOUNT"))}}))
        return false;
    const Money rate = Money::fromInput(txt_Rate->text()).wholeRupees();
    const Money qty = Money::fromInput(txt_Qty->text()).wholeRupees();
    // The invoice may refuse the line (its totals would pass the limit) and says why.
    if (onLine && !onLine({txt_Desc->text().trimmed(), rate, qty, *lineAmt}))
        return false;
    prompter().information(this, QStringLiteral("DETAILS SUCCESSFULLY ADDED TO LIST ....."));
    txt_Desc->clear();
    txt_Rate->clear();
    txt_Qty->clear();
    txt_Desc->setFocus();
    return true;
}

}  // namespace tarvic
