#include "QuotationListing.h"

#include "shell/kit/CodeList.h"
#include "shell/kit/DocumentWindow.h"
#include "shell/kit/KeyFilters.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

namespace tarvic {

QuotationListing::QuotationListing(Session& session, QWidget* parent, ListingConfig config)
    : ListingWindow(session, parent, std::move(config)) {}

QWidget* QuotationListing::withButton(QWidget* field, QWidget* button, QWidget* after) {
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    field->setMaximumWidth(110);
    row->addWidget(field);
    row->addWidget(button);
    if (after)
        row->addWidget(after);
    row->addStretch(1);
    box->setFocusProxy(field);
    return box;
}

QRadioButton* QuotationListing::addAllOption(const QString& objectName, const QString& caption) {
    return addOption(objectName, caption, nullptr, [](ListFilter&) {});
}

QRadioButton* QuotationListing::addLeadOption(const QString& objectName, const QString& caption,
                                              const QString& column) {
    txt_LeadNO = new QLineEdit(this);
    txt_LeadNO->setObjectName(QStringLiteral("txt_LeadNO"));
    bindColumn(txt_LeadNO, "M_TBL_QUOTATION", "LEAD_NO");
    attachFilter(txt_LeadNO, KeyFilter::Number);
    auto* search = new QPushButton(QStringLiteral("..."), this);
    search->setObjectName(QStringLiteral("Cmd_SrcLead"));
    search->setFixedWidth(32);
    connect(search, &QPushButton::clicked, this, [this] {
        QPointer<QLineEdit> target(txt_LeadNO);
        openWindow(QStringLiteral("frm_SearchLead"), {{}, [target](const QString& code) {
                                                          if (target)
                                                              target->setText(code);
                                                      }});
    });
    onEnter(txt_LeadNO, [this] { Load_Grid(); });
    return addOption(objectName, caption, withButton(txt_LeadNO, search),
                     [this, column](ListFilter& f) { f.number(column + QStringLiteral("=?"), txt_LeadNO->text()); });
}

QRadioButton* QuotationListing::addPartyOption(const QString& objectName, const QString& caption,
                                               const QString& column) {
    QPushButton* search = nullptr;
    party_ = partyCodeField(this, search);
    txt_PartyCode = party_->edit();
    lbl_PartyName = party_->nameLabel();
    lbl_PartyName->setMinimumWidth(260);
    lbl_PartyName->setMaximumWidth(420);
    // Enter shows the party's name (the look-up runs as the field is left) and lists its rows.
    onEnter(txt_PartyCode, [this] {
        party_->lookUp();
        Load_Grid();
    });
    return addOption(objectName, caption, withButton(txt_PartyCode, search, lbl_PartyName),
                     [this, column](ListFilter& f) { f.number(column + QStringLiteral("=?"), txt_PartyCode->text()); });
}

}  // namespace tarvic
