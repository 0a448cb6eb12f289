#include "frm_Update_CBPT_OpsLog.h"

#include "engine/bookings/BookingOperations.h"
#include "shell/kit/Checks.h"
#include "shell/kit/CodeList.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace tarvic {

namespace {
const CodeSource kOpsStatus{QStringLiteral("M_TBL_CBPT_STATUS_OPS"),
                            QStringLiteral("CBPTSTATUS_CODE_O"),
                            QStringLiteral("CBPT_STATUS"),
                            {},
                            true,
                            QStringLiteral("CBPT_SLNO, CBPT_STATUS")};
}  // namespace

frm_Update_CBPT_OpsLog::frm_Update_CBPT_OpsLog(Session& session, QWidget* parent, const WindowArgs& args)
    : BookingOpsWindow(
          session, parent, QStringLiteral("frm_Update_CBPT_OpsLog"),
          QStringLiteral("UPDATE CBPT LOG SHEET - OPERATION"),
          {{QStringLiteral("BILL PARTY"), QStringLiteral("lbl_BillParty"), QStringLiteral("BILL_PARTY")},
           {QStringLiteral("TOURIST NAME"), QStringLiteral("lbl_Tourist"), QStringLiteral("TOURIST_NAME")},
           {QStringLiteral("CONSLTNT - OPS"), QStringLiteral("lbl_OpsConsultant"), QStringLiteral("OPS_CONSULTANT")},
           {QStringLiteral("CURRENT STATUS"), QStringLiteral("lbl_CurStatus"), QStringLiteral("OPS_STATUS")}}),
      onSaved_(args.onPick) {
    setTool(1, kCloseTip, [this] { close(); });
    setTool(3, kSaveTip, [this] { Save_Record(); });

    int row = nextRow();
    Cmb_Status = new CodeList(session, kOpsStatus, this);
    Cmb_Status->setObjectName(QStringLiteral("Cmb_Status"));
    auto* status = new QLabel(QStringLiteral("&STATUS"), this);
    status->setBuddy(Cmb_Status);
    form()->addWidget(status, row, 0);
    form()->addWidget(Cmb_Status, row++, 1);
    txt_Action = new QPlainTextEdit(this);
    txt_Action->setObjectName(QStringLiteral("txt_Action"));
    // The column's length: a longer text is cut as it is typed or pasted, never refused on save.
    bindColumn(txt_Action, "M_TBL_TRANSACTION", "CONSUTLTANT_RESPONSETXT");
    auto* action = new QLabel(QStringLiteral("&ACTION TAKEN"), this);
    action->setBuddy(txt_Action);
    form()->addWidget(action, row, 0, Qt::AlignTop);
    form()->addWidget(txt_Action, row, 1, 1, 3);
    form()->setRowStretch(row, 1);
    resize(760, 420);
    Cmb_Status->load();
    Load_Init();
    if (const qint64 n = args.value(QStringLiteral("CBPT_NO")).toLongLong(); n > 0) {
        txt_CBPTNo->setText(QString::number(n));
        if (Show_CBPT())
            txt_Action->setFocus();
    }
}

void frm_Update_CBPT_OpsLog::clearOwn() {
    txt_Action->clear();
    Cmb_Status->clearChoice();
}

void frm_Update_CBPT_OpsLog::showOwn() {
    txt_Action->setPlainText(record().value(QStringLiteral("CONSUTLTANT_RESPONSETXT")).toString());
    const QVariant status = record().value(QStringLiteral("CBPTSTATUS_CODE_O"));
    if (!status.isNull())
        Cmb_Status->setCode(status.toString(), record().value(QStringLiteral("OPS_STATUS")).toString().trimmed());
}

void frm_Update_CBPT_OpsLog::Save_Record() {
    if (!runChecks(
            prompter(), this,
            {{[&] { return booking() <= 0; }, txt_CBPTNo, QStringLiteral("CANNOT PROCEED AS CBPT CODE IS NULL....")}}))
        return;
    const qint64 number = booking();
    if (!guarded([&] {
            BookingOperations(db(), session().userFullName)
                .updateLog(number, txt_Action->toPlainText(), Cmb_Status->code().toLongLong());
        }))
        return;
    prompter().information(this, QStringLiteral("UPDATION OF CBPT LOG SHEET SUCCESSFULLY DONE ...."));
    Show_CBPT();
    if (onSaved_)
        onSaved_(QString::number(number));
}

}  // namespace tarvic
