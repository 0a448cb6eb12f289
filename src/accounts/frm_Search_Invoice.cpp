#include "frm_Search_Invoice.h"

#include "engine/DocumentState.h"
#include "shell/kit/KeyFilters.h"
#include "shell/kit/ListGrid.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

namespace tarvic {

namespace {

using C = ListColumn;

ListingConfig searchConfig(bool proforma) {
    const QString code = proforma ? QStringLiteral("INV006") : QStringLiteral("INV001");
    return {.objectName = proforma ? QStringLiteral("frm_Search_Invoice_P") : QStringLiteral("frm_Search_Invoice"),
            .title = proforma ? QStringLiteral("SEARCH PROFORMA INVOICE BETWEEN DATE")
                              : QStringLiteral("SEARCH INVOICE BETWEEN DATE"),
            .statement = QStringLiteral("SELECT {columns} FROM M_TBL_TRANSACTION a LEFT JOIN M_TBL_PARTY b ON "
                                        "a.PARTY_CODE=b.PARTY_CODE WHERE {filter} AND a.DOC_CODE='%1'")
                             .arg(code),
            .dateColumn = QStringLiteral("a.DOC_DATE"),
            .detail = {.objectName = QStringLiteral("Grid1"),
                       .select = QStringLiteral("a.*, b.PARTY_NAME AS R_PARTY_NAME"),
                       .orderBy = QStringLiteral("a.DOC_DATE DESC, a.DOC_NO DESC"),
                       .columns = {C::serial(QStringLiteral("SLNO"), 700),
                                   C::date(QStringLiteral("INVOICE DT"), QStringLiteral("DOC_DATE"), 1300),
                                   C::number(QStringLiteral("INVOICE NO"), QStringLiteral("DOC_NO"), 1100),
                                   C::number(QStringLiteral("PARTY CODE"), QStringLiteral("PARTY_CODE"), 1100),
                                   C::text(QStringLiteral("PARTY NAME"), QStringLiteral("R_PARTY_NAME"), 3000),
                                   C::number(QStringLiteral("CBPT NO"), QStringLiteral("IN_DOCNO"), 1000),
                                   C::number(QStringLiteral("QUOT NO"), QStringLiteral("QUOTATION_NO"), 1000),
                                   C::number(QStringLiteral("LEAD NO"), QStringLiteral("LEAD_NO"), 1000),
                                   C::money(QStringLiteral("TOTAL AMOUNT"), QStringLiteral("TOTAL_AMOUNT"), 1500),
                                   C::money(QStringLiteral("DISC AMT"), QStringLiteral("DISC_AMT"), 1300),
                                   C::money(QStringLiteral("TAXIBLE AMT"), QStringLiteral("TAXIBLE_AMT"), 1500),
                                   C::money(QStringLiteral("CGST AMT"), QStringLiteral("CGST_AMT"), 1300),
                                   C::money(QStringLiteral("SGST AMT"), QStringLiteral("SGST_AMT"), 1300),
                                   C::money(QStringLiteral("IGST AMT"), QStringLiteral("IGST_AMT"), 1300),
                                   C::money(QStringLiteral("GRAND TOTAL"), QStringLiteral("GRAND_TOTAL"), 1500),
                                   C::text(QStringLiteral("STATUS"), QStringLiteral("DOC_STATUS"), 900),
                                   C::byOn(QStringLiteral("CREATED BY - ON"), "CREATED_BY", "CREATED_ON", 3400),
                                   C::byOn(QStringLiteral("CNCL BY - ON"), "CNCL_BY", "CNCL_ON", 3400)}},
            .exportCaption = {}};
}

}  // namespace

frm_Search_Invoice::frm_Search_Invoice(Session& session, QWidget* parent, const WindowArgs& args, bool proforma)
    : ListingWindow(session, parent, searchConfig(proforma)) {
    pickInto(args.onPick, ColNumber);
    const QString code = proforma ? QStringLiteral("INV006") : QStringLiteral("INV001");
    Cmb_Status = addField(QStringLiteral("STAT&US"), new QComboBox(this), 0, 2);
    Cmb_Status->setObjectName(QStringLiteral("Cmb_Status"));
    addStatuses(Cmb_Status, QStringLiteral("M_TBL_TRANSACTION"), QStringLiteral("DOC_CODE=?"), {code});
    Cmb_Status->setCurrentText(status::kLive);
    addCondition([this](ListFilter& f) { f.equal(QStringLiteral("a.DOC_STATUS"), Cmb_Status->currentText()); });

    txt_CBPTNo = new QLineEdit(this);
    txt_CBPTNo->setObjectName(QStringLiteral("txt_CBPTNo"));
    txt_PartyCode = new QLineEdit(this);
    txt_PartyCode->setObjectName(QStringLiteral("txt_PartyCode"));
    bindColumn(txt_CBPTNo, "M_TBL_TRANSACTION", "IN_DOCNO");
    bindColumn(txt_PartyCode, "M_TBL_TRANSACTION", "PARTY_CODE");
    for (QLineEdit* e : {txt_CBPTNo, txt_PartyCode}) {
        e->setMaximumWidth(140);
        attachFilter(e, KeyFilter::Number);
        onEnter(e, [this] { Load_Grid(); });
    }
    auto* party = new QWidget(this);
    auto* row = new QHBoxLayout(party);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(txt_PartyCode);
    Cmd_SearchParty = new QPushButton(QStringLiteral("..."), party);
    Cmd_SearchParty->setObjectName(QStringLiteral("Cmd_SearchParty"));
    Cmd_SearchParty->setMaximumWidth(30);
    row->addWidget(Cmd_SearchParty);
    row->addStretch(1);
    connect(Cmd_SearchParty, &QPushButton::clicked, this, [this] {
        QPointer<frm_Search_Invoice> self(this);
        openWindow(QStringLiteral("frm_Search_Party"), {{}, [self](const QString& c) {
                                                            if (self)
                                                                self->txt_PartyCode->setText(c);
                                                        }});
    });
    Option1 = addOption(QStringLiteral("Option1"), QStringLiteral("&ALL"), nullptr, [](ListFilter&) {});
    Option2 = addOption(QStringLiteral("Option2"), QStringLiteral("CBPT &NO"), txt_CBPTNo,
                        [this](ListFilter& f) { f.number(QStringLiteral("a.IN_DOCNO=?"), txt_CBPTNo->text()); });
    Option3 = addOption(QStringLiteral("Option3"), QStringLiteral("&PARTY"), party,
                        [this](ListFilter& f) { f.number(QStringLiteral("a.PARTY_CODE=?"), txt_PartyCode->text()); });
}

}  // namespace tarvic
