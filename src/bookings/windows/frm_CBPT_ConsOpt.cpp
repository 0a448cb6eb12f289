#include "frm_CBPT_ConsOpt.h"

#include "engine/bookings/BookingOperations.h"
#include "masters/ConsultantSearch.h"
#include "shell/kit/Checks.h"
#include "shell/kit/CodeList.h"
#include "shell/kit/KeyFilters.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tarvic {

namespace {
using K = BookingShown::Kind;
const CodeSource kOpsConsultant{QStringLiteral("M_TBL_CONSULTANT_OP"), QStringLiteral("CONSULTANT_CODE"),
                                QStringLiteral("CONSULTANT_NAME")};
}  // namespace

frm_CBPT_ConsOpt::frm_CBPT_ConsOpt(Session& session, QWidget* parent)
    : BookingOpsWindow(
          session, parent, QStringLiteral("frm_CBPT_ConsOpt"), QStringLiteral("ASSIGN CBPT TO OPERATION"),
          {{QStringLiteral("CBPT DATE"), QStringLiteral("lbl_DocDate"), QStringLiteral("DOC_DATE"), K::Date},
           {QStringLiteral("BILL PARTY"), QStringLiteral("lbl_BillParty"), QStringLiteral("BILL_PARTY")},
           {QStringLiteral("TOURIST NAME"), QStringLiteral("lbl_Tourist"), QStringLiteral("TOURIST_NAME")},
           {QStringLiteral("AMOUNT"), QStringLiteral("lbl_Amount"), QStringLiteral("GRAND_TOTAL"), K::Money},
           {QStringLiteral("LEAD NO"), QStringLiteral("lbl_LeadNo"), QStringLiteral("LEAD_NO")},
           {QStringLiteral("LEAD DATE"), QStringLiteral("lbl_LeadDate"), QStringLiteral("LEAD_DATE"), K::Date},
           {QStringLiteral("SALES CONSULTANT"), QStringLiteral("lbl_Consultant"), QStringLiteral("CONSULTANT_NAME")},
           {QStringLiteral("QUOTATION NO"), QStringLiteral("lbl_QuotNo"), QStringLiteral("QUOTATION_NO")},
           {QStringLiteral("QUOTATION DATE"), QStringLiteral("lbl_QuotDate"), QStringLiteral("QUOT_DATE"), K::Date},
           {QStringLiteral("ITINERARY"), QStringLiteral("lbl_ItnName"), QStringLiteral("ITN_NAME")},
           {QStringLiteral("TOUR START"), QStringLiteral("lbl_StartDt"), QStringLiteral("START_DT"), K::Date},
           {QStringLiteral("TOUR END"), QStringLiteral("lbl_EndDt"), QStringLiteral("END_DT"), K::Date},
           {QStringLiteral("CONSLTNT - OPS"), QStringLiteral("lbl_OpsConsultant"), QStringLiteral("OPS_CONSULTANT")},
           {QStringLiteral("ASSIGNED BY - ON"), QStringLiteral("lbl_AssignedByOn"),
            QStringLiteral("CBPT_STATUS_O_UPDBY"), K::ByOn, QStringLiteral("CBPT_STATUS_O_UPDON")}}) {
    setTool(1, kCloseTip, [this] { close(); });
    setTool(2, kNewTip, [this] { Load_Init(); });

    consultant = new CodeField(session, kOpsConsultant, this, QStringLiteral("txt_ConsultantCode"),
                               QStringLiteral("lbl_ConsultantName"));
    consultant->edit()->setMaximumWidth(110);
    attachFilter(consultant->edit(), KeyFilter::Number);
    consultant->addPicker(QStringLiteral("Cmd_SrcConsultant"), [this](PickCallback pick) {
        auto* search = new frm_SearchConsultant_OP(this->session(), this, std::move(pick));
        search->setAttribute(Qt::WA_DeleteOnClose);
        search->setWindowModality(Qt::ApplicationModal);
        search->show();
    });
    consultant->pickButton()->setMaximumWidth(36);
    consultant->nameLabel()->setFrameShape(QFrame::StyledPanel);
    onEnter(consultant->edit(), [this] {
        if (consultant->lookUp())
            Cmd_Assign->setFocus();
    });
    Cmd_Assign = new QPushButton(QStringLiteral("Assign"), this);
    Cmd_Assign->setObjectName(QStringLiteral("Cmd_Assign"));
    connect(Cmd_Assign, &QPushButton::clicked, this, [this] { Save_Record(); });
    auto* line = new QHBoxLayout;
    line->addWidget(consultant->edit());
    line->addWidget(consultant->pickButton());
    line->addWidget(consultant->nameLabel(), 1);
    line->addWidget(Cmd_Assign);
    const int row = nextRow();
    auto* caption = new QLabel(QStringLiteral("CONSLTNT OPS &CODE"), this);
    caption->setBuddy(consultant->edit());
    form()->addWidget(caption, row, 0);
    form()->addLayout(line, row, 1, 1, 3);
    form()->setRowStretch(row + 1, 1);
    resize(820, 420);
    Load_Init();
}

void frm_CBPT_ConsOpt::clearOwn() {
    consultant->clear();
}

void frm_CBPT_ConsOpt::Save_Record() {
    if (!runChecks(prompter(), this,
                   {{[&] { return booking() <= 0; }, txt_CBPTNo,
                     QStringLiteral("CANNOT PROCEED PLEASE ENTER CBPT NO PROPERLY ....")},
                    {[&] { return consultant->key().isEmpty() || consultant->nameLabel()->text().trimmed().isEmpty(); },
                     consultant->edit(), QStringLiteral("CANNOT PROCEED, PLEASE ENTER CONSULTNT OPS CODE .....")}}))
        return;
    const qint64 number = booking();
    const QString code = consultant->key();
    const QString name = consultant->nameLabel()->text().trimmed();
    const Confirmation question{QStringLiteral(" YOU ARE ABOUT TO ASSIGN ...."),
                                {{QStringLiteral(" CBPT NO : "), QString::number(number)},
                                 {QStringLiteral(" TO "), {}},
                                 {QStringLiteral(" CONSLTNT CODE : "), code}},
                                QStringLiteral(" ARE YOU ABOUT TO PROCEED (Y/N) ?")};
    if (!question.ask(prompter(), this))
        return;
    if (!guarded([&] { BookingOperations(db(), session().userFullName).assignConsultant(number, code.toLongLong()); }))
        return;
    prompter().information(this,
                           QStringLiteral(" CBPT NO : %1\n ASSIGFNED TO \n CONSLTNT - OPS: %2").arg(number).arg(name));
    Show_CBPT();
}

}  // namespace tarvic
