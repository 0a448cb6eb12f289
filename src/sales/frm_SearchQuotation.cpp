#include "frm_SearchQuotation.h"

#include "data/Moments.h"
#include "shell/kit/ListGrid.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>

namespace tarvic {

namespace {

ListingConfig searchConfig() {
    using C = ListColumn;
    return {
        .objectName = QStringLiteral("frm_SearchQuotation"),
        .title = QStringLiteral("SEARCH QUOTATION"),
        .statement = QStringLiteral("SELECT {columns} FROM M_TBL_QUOTATION a, M_TBL_TRANSACTION b "
                                    "WHERE {filter} AND a.DOC_CODE='QGBL01' AND a.IN_DOCCODE=b.DOC_CODE "
                                    "AND a.LEAD_NO=b.DOC_NO"),
        .dateColumn = QStringLiteral("a.DOC_DATE"),
        .detail = {.objectName = QStringLiteral("Grid1"),
                   .select = QStringLiteral("a.DOC_DATE, a.DOC_NO, b.PARTY_CODE, a.LEAD_NO, b.DOC_DESC, "
                                            "a.GRAND_TOTAL, a.DOC_STATUS, a.CREATED_BY, a.CREATED_ON, "
                                            "a.UPDATE_BY, a.UPDATE_ON"),
                   .orderBy = QStringLiteral("a.DOC_DATE DESC, a.DOC_NO DESC"),
                   .columns = {C::serial(QStringLiteral("SLNO"), 700),
                               C::date(QStringLiteral("DOCUMNT DT"), QStringLiteral("DOC_DATE"), 1600),
                               C::number(QStringLiteral("DOCUMNT NO"), QStringLiteral("DOC_NO"), 1600),
                               C::number(QStringLiteral("PARTY CODE"), QStringLiteral("PARTY_CODE"), 1600),
                               C::number(QStringLiteral("LEAD NO"), QStringLiteral("LEAD_NO"), 1200),
                               C::text(QStringLiteral("DESCRIPTION"), QStringLiteral("DOC_DESC"), 4000),
                               C::money(QStringLiteral("GRAND TOTAL"), QStringLiteral("GRAND_TOTAL"), 1700),
                               C::text(QStringLiteral("STATUS"), QStringLiteral("DOC_STATUS"), 1100),
                               ListColumn::byOn(QStringLiteral("CREATED BY - ON"), "CREATED_BY", "CREATED_ON", 3600),
                               ListColumn::byOn(QStringLiteral("UPDATE BY - ON"), "UPDATE_BY", "UPDATE_ON", 3600)}},
        .exportCaption = {}};
}

QLineEdit* numberField(QWidget* parent, const QString& name) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setMaximumWidth(160);  // a number, not a sentence
    e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,12}")), e));
    return e;
}

}  // namespace

frm_SearchQuotation::frm_SearchQuotation(Session& session, QWidget* parent, const WindowArgs& args)
    : ListingWindow(session, parent, searchConfig()) {
    pickInto(args.onPick, ColNumber);
    Cmb_Status = addField(QStringLiteral("STAT&US"), new QComboBox(this), 0, 2);
    Cmb_Status->setObjectName(QStringLiteral("Cmb_Status"));
    Cmb_Status->addItem(QStringLiteral("%"));
    addStatuses(Cmb_Status, QStringLiteral("M_TBL_QUOTATION"), QStringLiteral("DOC_CODE='QGBL01'"));
    addCondition([this](ListFilter& f) { f.add(QStringLiteral("a.DOC_STATUS LIKE ?"), {Cmb_Status->currentText()}); });

    txt_LeadNo = numberField(this, QStringLiteral("txt_LeadNo"));
    bindColumn(txt_LeadNo, "M_TBL_QUOTATION", "LEAD_NO");
    Cmd_SrcLead = new QPushButton(QStringLiteral("..."), this);
    Cmd_SrcLead->setObjectName(QStringLiteral("Cmd_SrcLead"));
    txt_PartyCode = numberField(this, QStringLiteral("txt_PartyCode"));
    bindColumn(txt_PartyCode, "M_TBL_PARTY", "PARTY_CODE");
    Cmd_SrcParty = new QPushButton(QStringLiteral("..."), this);
    Cmd_SrcParty->setObjectName(QStringLiteral("Cmd_SrcParty"));
    txt_QuotNo = numberField(this, QStringLiteral("txt_QuotNo"));
    bindColumn(txt_QuotNo, "M_TBL_QUOTATION", "DOC_NO");

    Option1 = addOption(QStringLiteral("Option1"), QStringLiteral("&ALL QUOTATION BETWEEN DATES"), nullptr,
                        [](ListFilter&) {});
    Option2 = addOption(QStringLiteral("Option2"), QStringLiteral("FOR &LEAD NO"),
                        withPicker(txt_LeadNo, Cmd_SrcLead, QStringLiteral("frm_SearchLead")),
                        [this](ListFilter& f) { f.number(QStringLiteral("a.LEAD_NO=?"), txt_LeadNo->text()); });
    Option3 = addOption(QStringLiteral("Option3"), QStringLiteral("FOR PART&Y CODE"),
                        withPicker(txt_PartyCode, Cmd_SrcParty, QStringLiteral("frm_Search_Party")),
                        [this](ListFilter& f) { f.number(QStringLiteral("b.PARTY_CODE=?"), txt_PartyCode->text()); });
    Option4 = addOption(QStringLiteral("Option4"), QStringLiteral("&QUOTATION NO"), txt_QuotNo,
                        [this](ListFilter& f) { f.number(QStringLiteral("a.DOC_NO=?"), txt_QuotNo->text()); });
    for (QLineEdit* e : {txt_LeadNo, txt_PartyCode, txt_QuotNo})
        onEnter(e, [this] { Load_Grid(); });
    resize(1000, 560);
}

QWidget* frm_SearchQuotation::withPicker(QLineEdit* edit, QPushButton* button, const QString& window) {
    auto* box = new QWidget(this);
    auto* h = new QHBoxLayout(box);
    h->setContentsMargins(0, 0, 0, 0);
    h->addWidget(edit);
    button->setMaximumWidth(40);
    h->addWidget(button);
    h->addStretch(1);
    connect(button, &QPushButton::clicked, this, [this, edit, window] {
        QPointer<QLineEdit> target(edit);
        openWindow(window, {{}, [target](const QString& code) {
                                if (target)
                                    target->setText(code);
                            }});
    });
    return box;
}

}  // namespace tarvic
