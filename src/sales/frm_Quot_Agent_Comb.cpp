#include "frm_Quot_Agent_Comb.h"

#include "ItineraryForms.h"
#include "data/Moments.h"
#include "engine/sales/AgentCombinations.h"
#include "shell/kit/Checks.h"
#include "shell/kit/CodeList.h"
#include "shell/kit/DocumentWindow.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

namespace tarvic {

namespace {

using itinerary_ui::caption;
using itinerary_ui::shownField;

const QString kExists = QStringLiteral("COMBINATION ALREADY EXISTS, CANNOT PROCEED .....");

// The quotation's lead, itinerary, dates and travellers, as the combination shows them.
const QString kQuotationColumns = QStringLiteral(
    "c.DOC_NO AS QUOT_NO, c.LEAD_NO, d.ITN_NAME, d.ITN_DURATION, c.JOURNEY_STRTDT, c.JOURNEY_ENDDT, c.NOOF_ADULT, "
    "c.NOOF_CHILDREN");

}  // namespace

frm_Quot_Agent_Comb::frm_Quot_Agent_Comb(Session& session, QWidget* parent, const WindowArgs& args)
    : TaskWindow(session, parent) {
    setObjectName(QStringLiteral("frm_Quot_Agent_Comb"));
    setWindowTitle(QStringLiteral("QUOTATION-AGENT COMBINATION"));
    setTool(1, kCloseTip, [this] { close(); });
    setTool(2, kNewTip, [this] { Load_Init(); });
    setTool(3, kSaveTip, [this] { Save_Record(); });
    setTool(4, kSearchTip, [this] {
        QPointer<frm_Quot_Agent_Comb> self(this);
        openWindow(QStringLiteral("frm_Search_QuotAgentComb"), {{}, [self](const QString& code) {
                                                                    if (self)
                                                                        self->Show_Record(code.toLongLong());
                                                                }});
    });
    setTool(5, QStringLiteral("Delete Record { F5 }"), [this] { Delete_Record(); });

    lbl_DocNo = shownField(this, "lbl_DocNo", 90);
    party_ = partyCodeField(this, Cmd_SrcParty);
    txt_PartyCode = party_->edit();
    lbl_PartyName = party_->nameLabel();
    lbl_PartyName->setMinimumHeight(22);
    txt_QuotNo = itinerary_ui::digitsField(this, "txt_QuotNo");
    bindColumn(txt_QuotNo, "M_TBL_QUOT_AGENT_COMB", "QUOTATION_NO");
    txt_QuotNo->setMaximumWidth(110);
    Command1 = new QPushButton(QStringLiteral("..."), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setFixedWidth(32);
    lbl_LeadNo = shownField(this, "lbl_LeadNo", 90);
    lbl_Itinerary = shownField(this, "lbl_Itinerary", 260);
    lbl_StrtDt = shownField(this, "lbl_StrtDt", 100);
    lbl_EndDt = shownField(this, "lbl_EndDt", 100);
    lbl_Duration = shownField(this, "lbl_Duration", 100);
    lbl_Adult = shownField(this, "lbl_Adult", 60);
    lbl_Child = shownField(this, "lbl_Child", 60);
    lbl_CreatedBy = shownField(this, "lbl_CreatedBy", 260);
    lbl_UpdateBy = shownField(this, "lbl_UpdateBy", 260);

    auto* form = new QGridLayout;
    form->setHorizontalSpacing(8);
    auto pair = [this](QWidget* a, QWidget* b, QWidget* c = nullptr) {
        auto* w = new QWidget(this);
        auto* row = new QHBoxLayout(w);
        row->setContentsMargins(0, 0, 0, 0);
        row->addWidget(a);
        row->addWidget(b);
        if (c)
            row->addWidget(c, 1);
        else
            row->addStretch(1);
        w->setFocusProxy(a);
        return w;
    };
    form->addWidget(caption(this, QStringLiteral("DOCUMENT NO")), 0, 0);
    form->addWidget(lbl_DocNo, 0, 1);
    form->addWidget(caption(this, QStringLiteral("PARTY &CODE"), txt_PartyCode), 1, 0);
    form->addWidget(pair(txt_PartyCode, Cmd_SrcParty), 1, 1);
    form->addWidget(caption(this, QStringLiteral("PARTY NAME")), 1, 2);
    form->addWidget(lbl_PartyName, 1, 3, 1, 3);
    form->addWidget(caption(this, QStringLiteral("&QUOTATION NO"), txt_QuotNo), 2, 0);
    form->addWidget(pair(txt_QuotNo, Command1), 2, 1);
    form->addWidget(caption(this, QStringLiteral("LEAD NO")), 2, 2);
    form->addWidget(lbl_LeadNo, 2, 3);
    form->addWidget(caption(this, QStringLiteral("ITINERARY")), 3, 0);
    form->addWidget(lbl_Itinerary, 3, 1, 1, 3);
    form->addWidget(caption(this, QStringLiteral("DURATION")), 3, 4);
    form->addWidget(lbl_Duration, 3, 5);
    form->addWidget(caption(this, QStringLiteral("START DT")), 4, 0);
    form->addWidget(lbl_StrtDt, 4, 1);
    form->addWidget(caption(this, QStringLiteral("END DT")), 4, 2);
    form->addWidget(lbl_EndDt, 4, 3);
    form->addWidget(caption(this, QStringLiteral("NOOF ADULT")), 5, 0);
    form->addWidget(lbl_Adult, 5, 1);
    form->addWidget(caption(this, QStringLiteral("CHILD")), 5, 2);
    form->addWidget(lbl_Child, 5, 3);
    form->addWidget(caption(this, QStringLiteral("CREATED BY - ON")), 6, 0);
    form->addWidget(lbl_CreatedBy, 6, 1, 1, 3);
    form->addWidget(caption(this, QStringLiteral("UPDATE BY - ON")), 7, 0);
    form->addWidget(lbl_UpdateBy, 7, 1, 1, 3);
    form->setColumnStretch(3, 1);
    form->setColumnStretch(5, 1);
    body()->addLayout(form);
    body()->addStretch(1);
    resize(760, 320);
    setFailureMessages({.duplicate = kExists, .changed = QString::fromLatin1(kChangedByAnotherUser)});

    // Editing the number forgets the quotation shown; Enter (or leaving it) shows the one typed.
    connect(txt_QuotNo, &QLineEdit::textEdited, this, [this] { clearQuotation(); });
    connect(txt_QuotNo, &QLineEdit::editingFinished, this, [this] { Show_Quotation(); });
    connect(Command1, &QPushButton::clicked, this, [this] {
        QPointer<frm_Quot_Agent_Comb> self(this);
        openWindow(QStringLiteral("frm_SearchQuotation"), {{}, [self](const QString& code) {
                                                               if (!self)
                                                                   return;
                                                               self->txt_QuotNo->setText(code);
                                                               self->Show_Quotation();
                                                           }});
    });

    Load_Init();
    if (const qint64 n = args.value(QStringLiteral("DOC_NO")).toLongLong())
        Show_Record(n);
}

void frm_Quot_Agent_Comb::Load_Init() {
    docNo_ = 0;
    lbl_DocNo->setText(QStringLiteral("0"));
    party_->clear();
    txt_QuotNo->clear();
    clearQuotation();
    lbl_CreatedBy->clear();
    lbl_UpdateBy->clear();
    txt_PartyCode->setFocus();
}

void frm_Quot_Agent_Comb::clearQuotation() {
    quotNo_ = 0;
    for (QLabel* l : {lbl_LeadNo, lbl_Itinerary, lbl_StrtDt, lbl_EndDt, lbl_Duration, lbl_Adult, lbl_Child})
        l->clear();
}

void frm_Quot_Agent_Comb::showQuotation(const std::optional<QSqlRecord>& row) {
    clearQuotation();
    if (!row)
        return;
    auto text = [&](const char* field) { return row->value(QLatin1String(field)).toString().trimmed(); };
    quotNo_ = row->value(QStringLiteral("QUOT_NO")).toLongLong();
    lbl_LeadNo->setText(text("LEAD_NO"));
    lbl_Itinerary->setText(text("ITN_NAME"));
    lbl_Duration->setText(text("ITN_DURATION"));
    lbl_StrtDt->setText(dateText(row->value(QStringLiteral("JOURNEY_STRTDT"))));
    lbl_EndDt->setText(dateText(row->value(QStringLiteral("JOURNEY_ENDDT"))));
    lbl_Adult->setText(text("NOOF_ADULT"));
    lbl_Child->setText(text("NOOF_CHILDREN"));
}

void frm_Quot_Agent_Comb::Show_Quotation() {
    bool ok = false;
    const qint64 n = txt_QuotNo->text().trimmed().toLongLong(&ok);
    if (!ok || n <= 0) {
        clearQuotation();
        return;
    }
    if (n == quotNo_)
        return;  // already shown (Enter, then the field is left)
    guarded([&] {
        showQuotation(db().firstRow(QStringLiteral("SELECT ") + kQuotationColumns +
                                        QStringLiteral(" FROM M_TBL_QUOTATION c, M_TBL_ITINERARY_HEADER d "
                                                       "WHERE c.DOC_CODE='QGBL01' AND c.DOC_NO=? "
                                                       "AND c.ITINERARY_NO=d.ITN_DOCNO"),
                                    {n}));
    });
}

void frm_Quot_Agent_Comb::Show_Record(qint64 docNo) {
    std::optional<QSqlRecord> row;
    if (!guarded([&] {
            row = db().firstRow(
                QStringLiteral("SELECT a.DOC_NO, a.PARTY_CODE, a.CREATED_BY, a.CREATED_ON, a.UPDATE_BY, a.UPDATE_ON, "
                               "b.PARTY_NAME, ") +
                    kQuotationColumns +
                    QStringLiteral(
                        " FROM M_TBL_QUOT_AGENT_COMB a, M_TBL_PARTY b, M_TBL_QUOTATION c, "
                        "M_TBL_ITINERARY_HEADER d WHERE a.DOC_NO=? AND a.PARTY_CODE=b.PARTY_CODE "
                        "AND a.QUOTATION_NO=c.DOC_NO AND c.DOC_CODE='QGBL01' AND c.ITINERARY_NO=d.ITN_DOCNO"),
                {docNo});
        }))
        return;
    Load_Init();
    if (!row)
        return;
    docNo_ = row->value(QStringLiteral("DOC_NO")).toLongLong();
    lbl_DocNo->setText(QString::number(docNo_));
    party_->setLoaded(row->value(QStringLiteral("PARTY_CODE")).toString().trimmed(),
                      row->value(QStringLiteral("PARTY_NAME")).toString().trimmed());
    txt_QuotNo->setText(row->value(QStringLiteral("QUOT_NO")).toString().trimmed());
    showQuotation(row);
    lbl_CreatedBy->setText(
        byOnText(row->value(QStringLiteral("CREATED_BY")), row->value(QStringLiteral("CREATED_ON"))));
    lbl_UpdateBy->setText(byOnText(row->value(QStringLiteral("UPDATE_BY")), row->value(QStringLiteral("UPDATE_ON"))));
}

QList<std::pair<QString, QString>> frm_Quot_Agent_Comb::details() const {
    return {{QStringLiteral(" PARTY NAME : "), lbl_PartyName->text()},
            {QStringLiteral(" QUOTATION NO : "), QString::number(quotNo_)},
            {QStringLiteral(" LEAD NO : "), lbl_LeadNo->text()},
            {QStringLiteral(" ITINERARY : "), lbl_Itinerary->text()},
            {QStringLiteral(" START DT : "), lbl_StrtDt->text()},
            {QStringLiteral(" END DT : "), lbl_EndDt->text()}};
}

void frm_Quot_Agent_Comb::Save_Record() {
    const bool ok = runChecks(
        prompter(), this,
        {{[this] { return party_->key().isEmpty(); }, txt_PartyCode, QStringLiteral("PLEASE ENTER PARTY CODE .....")},
         {[this] { return quotNo_ == 0; }, txt_QuotNo, QStringLiteral("PLEASE ENTER QUOTATION NO .....")}});
    if (!ok)
        return;
    const qint64 partyCode = party_->key().toLongLong();
    const qint64 quotationNo = quotNo_;
    // Asked before the question; the unique index settles a pair added meanwhile elsewhere.
    bool taken = false;
    if (!guarded([&] { taken = agentCombinationOf(db(), partyCode, quotationNo, docNo_) != 0; }))
        return;
    if (taken) {
        prompter().information(this, kExists);
        return;
    }
    if (!Confirmation{QStringLiteral(" YOU ARE ABOUT COMBINE AGENT - QUOTATION "), details()}.ask(prompter(), this))
        return;
    qint64 saved = 0;
    const bool done =
        guarded([&] { saved = storeAgentCombination(db(), session().userFullName, docNo_, partyCode, quotationNo); });
    if (!done)
        return;  // nothing stored: the window keeps what was typed and its number
    prompter().information(this, QStringLiteral("UPDATION OF QUOTATION-AGENT SUCCESSFULLY DONE ...."));
    Show_Record(saved);
}

void frm_Quot_Agent_Comb::Delete_Record() {
    if (docNo_ == 0) {
        prompter().information(this, QStringLiteral("PLEASE SELECT DOCUMENT PROPERLY ...."));
        return;
    }
    const Confirmation question{QStringLiteral(" YOU ARE ABOUT DELETE AGENT - QUOTATION COMBINATION"), details()};
    if (!question.ask(prompter(), this))
        return;
    const qint64 no = docNo_;
    const bool done = guarded([&] { deleteAgentCombination(db(), no); });
    if (!done)
        return;
    prompter().information(this, QStringLiteral("COMBINATION DELETED SUCCESSFULLY ...."));
    Load_Init();
}

}  // namespace tarvic
