#include "frm_Mod_Party_CBPT.h"

#include "bookings/family/BookingOpsWindow.h"
#include "data/Moments.h"
#include "engine/DocumentState.h"
#include "engine/bookings/Bookings.h"
#include "shell/kit/Checks.h"
#include "shell/kit/DocumentWindow.h"
#include "shell/kit/KeyFilters.h"
#include "shell/kit/ListGrid.h"
#include "shell/kit/QueryModel.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

namespace tarvic {

frm_Mod_Party_CBPT::frm_Mod_Party_CBPT(Session& session, QWidget* parent) : TaskWindow(session, parent) {
    setObjectName(QStringLiteral("frm_Mod_Party_CBPT"));
    setWindowTitle(QStringLiteral("MODIFY PARTY IN CBPT"));
    setTool(1, kCloseTip, [this] { close(); });
    setTool(2, kNewTip, [this] { Load_Init(); });
    setTool(3, kSaveTip, [this] { Save_Record(); });

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("CBPT / DOCUMNT NO"), bookingNumberRow(this, txt_CBPTNo, Cmd_SrcCBPT));
    lbl_Party = shown(QStringLiteral("lbl_Party"));
    form->addRow(QStringLiteral("PRESENT PARTY"), lbl_Party);
    lbl_DocDate = shown(QStringLiteral("lbl_DocDate"));
    form->addRow(QStringLiteral("DOCUMNT DATE"), lbl_DocDate);
    lbl_LeadNo = shown(QStringLiteral("lbl_LeadNo"));
    form->addRow(QStringLiteral("LEAD NO"), lbl_LeadNo);
    lbl_QuotNo = shown(QStringLiteral("lbl_QuotNo"));
    form->addRow(QStringLiteral("QUOTATION NO"), lbl_QuotNo);

    party =
        new CodeField(session, kPartySource, this, QStringLiteral("txt_PartyCode"), QStringLiteral("lbl_PartyName"));
    party->edit()->setMaximumWidth(110);
    attachFilter(party->edit(), KeyFilter::Number);
    party->addPicker(QStringLiteral("Cmd_SrcParty"), [this](PickCallback pick) {
        openWindow(QStringLiteral("frm_Search_Party"), {{}, std::move(pick)});
    });
    party->pickButton()->setMaximumWidth(36);
    party->nameLabel()->setFrameShape(QFrame::StyledPanel);
    auto* newParty = new QHBoxLayout;
    newParty->addWidget(party->edit());
    newParty->addWidget(party->pickButton());
    newParty->addWidget(party->nameLabel(), 1);
    form->addRow(QStringLiteral("NEW PARTY CODE"), newParty);
    body()->addLayout(form);

    using C = ListColumn;
    receipts_ = new QueryModel(db(),
                               {C::date(QStringLiteral("DATE"), QStringLiteral("DOC_DATE"), 1300),
                                C::number(QStringLiteral("NUMBER"), QStringLiteral("DOC_NO"), 1000),
                                C::text(QStringLiteral("PARTY"), QStringLiteral("PARTY_NAME"), 3000),
                                C::money(QStringLiteral("AMOUNT"), QStringLiteral("DB_AMT"), 1500),
                                C::text(QStringLiteral("REMARKS"), QStringLiteral("REMARKS"), 3000)},
                               this);
    receipts_->setSelect(QStringLiteral("a.DOC_DATE, a.DOC_NO, p.PARTY_NAME, a.DB_AMT, a.REMARKS"));
    receipts_->setOrder(QStringLiteral("a.DOC_DATE DESC, a.DOC_NO DESC"));
    Grid1 = new ListGrid(QStringLiteral("Grid1"), this);
    Grid1->setQueryModel(receipts_);
    body()->addWidget(Grid1, 1);

    onEnter(txt_CBPTNo, [this] {
        // A booking shown: on to its new party, as Enter moves on everywhere.
        if (Show_CBPT() && booking_ != 0)
            party->edit()->setFocus();
    });
    onEnter(party->edit(), [this] { party->lookUp(); });
    connect(txt_CBPTNo, &QLineEdit::textEdited, this, [this] {
        booking_ = oldParty_ = 0;
        for (QLabel* l : {lbl_Party, lbl_DocDate, lbl_LeadNo, lbl_QuotNo})
            l->clear();
        receipts_->clear();
    });
    connect(Cmd_SrcCBPT, &QPushButton::clicked, this, [this] {
        QPointer<frm_Mod_Party_CBPT> self(this);
        openWindow(QStringLiteral("frm_SearchCBPT01"), {{}, [self](const QString& code) {
                                                            if (!self)
                                                                return;
                                                            self->txt_CBPTNo->setText(code);
                                                            self->Show_CBPT();
                                                        }});
    });
    resize(760, 480);
    Load_Init();
}

QLabel* frm_Mod_Party_CBPT::shown(const QString& name) {
    auto* l = new QLabel(this);
    l->setObjectName(name);
    l->setFrameShape(QFrame::StyledPanel);
    return l;
}

void frm_Mod_Party_CBPT::Load_Init() {
    booking_ = oldParty_ = 0;
    txt_CBPTNo->clear();
    for (QLabel* l : {lbl_Party, lbl_DocDate, lbl_LeadNo, lbl_QuotNo})
        l->clear();
    party->clear();
    receipts_->clear();
    txt_CBPTNo->setFocus();
}

bool frm_Mod_Party_CBPT::Show_CBPT() {
    booking_ = oldParty_ = 0;
    for (QLabel* l : {lbl_Party, lbl_DocDate, lbl_LeadNo, lbl_QuotNo})
        l->clear();
    receipts_->clear();
    const qint64 number = txt_CBPTNo->text().trimmed().toLongLong();
    return guarded([&] {
               const auto r = Bookings(db(), session().userFullName).booking(number);
               // A cancelled or locked booking is never offered for a change.
               if (!r || r->value(QStringLiteral("DOC_STATUS")).toString().trimmed() != status::kLive ||
                   r->value(QStringLiteral("LCK_CBPT")).toString().trimmed() == QLatin1String("Y"))
                   return;
               booking_ = number;
               oldParty_ = r->value(QStringLiteral("PARTY_CODE")).toLongLong();
               lbl_Party->setText(
                   QStringLiteral("%1 - %2").arg(oldParty_).arg(r->value(QStringLiteral("BILL_PARTY")).toString()));
               lbl_DocDate->setText(dateText(r->value(QStringLiteral("DOC_DATE"))));
               lbl_LeadNo->setText(r->value(QStringLiteral("LEAD_NO")).toString());
               lbl_QuotNo->setText(r->value(QStringLiteral("QUOTATION_NO")).toString());
               receipts_->load({QStringLiteral("SELECT {columns} FROM M_TBL_TRANSACTION a LEFT JOIN M_TBL_PARTY p ON "
                                               "p.PARTY_CODE=a.PARTY_CODE WHERE a.DOC_CODE='FRDB01' AND ") +
                                    sql::livePostedAgainstBooking(QStringLiteral("a")),
                                {number}});
           }) &&
           booking_ > 0;
}

void frm_Mod_Party_CBPT::Save_Record() {
    if (!runChecks(prompter(), this,
                   {{[&] { return booking_ <= 0; }, txt_CBPTNo,
                     QStringLiteral("CANNOT PROCEED, PLEASE ENTER CBPT/DOCUMNT NO PROPERLY ...")},
                    {[&] { return party->key().isEmpty() || party->nameLabel()->text().trimmed().isEmpty(); },
                     party->edit(), QStringLiteral("CANNOT PROCEED, PLEASE ENTER PARTY CODE PROPERLY ...")}}))
        return;
    const Confirmation question{QStringLiteral(" YOU ARE ABOUT TO UPDATE PARTY FOR CBPT "),
                                {{QStringLiteral(" DOCUMNT NO : "), QString::number(booking_)},
                                 {QStringLiteral(" PARTY CODE : "), party->key()},
                                 {QStringLiteral(" PARTY NAME : "), party->nameLabel()->text()},
                                 {QStringLiteral(" UPDATION WILL UPDATE PARTY CODE TO MONEY RECEIPT DONE .... "), {}},
                                 {QStringLiteral(" THIS MAY IMPACT PARTY LEDGER ......"), {}}}};
    if (!question.ask(prompter(), this))
        return;
    const qint64 newParty = party->key().toLongLong();
    if (!guarded([&] { Bookings(db(), session().userFullName).changeParty(booking_, oldParty_, newParty); }))
        return;
    prompter().information(this, QStringLiteral("UPDATION SUCCESSFULLY DONE ..."));
    Show_CBPT();
}

}  // namespace tarvic
