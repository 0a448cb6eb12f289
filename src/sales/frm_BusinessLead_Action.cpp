#include "frm_BusinessLead_Action.h"

#include "LeadQuery.h"
#include "LeadStatusList.h"
#include "data/Moments.h"
#include "engine/sales/LeadStore.h"
#include "shell/kit/Checks.h"
#include "shell/kit/DateField.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace tarvic {

frm_BusinessLead_Action::frm_BusinessLead_Action(Session& session, QWidget* parent, const WindowArgs& args)
    : TaskWindow(session, parent), changed_(args.onPick), number_(args.value(QStringLiteral("LEAD_NO")).toLongLong()) {
    setObjectName(QStringLiteral("frm_BusinessLead_Action"));
    setWindowTitle(QStringLiteral("ACTION TAKEN BY CONSULTANT ( BLFC01 )"));
    setTool(1, kCloseTip, [this] { close(); });
    setTool(3, kSaveTip, [this] { Save_Record(); });

    lbl_LeadCode = new QLabel(this);
    lbl_LeadCode->setObjectName(QStringLiteral("lbl_LeadCode"));
    lbl_Details = new QLabel(this);
    lbl_Details->setObjectName(QStringLiteral("lbl_Details"));
    lbl_Details->setWordWrap(true);
    lbl_Details->setFrameShape(QFrame::StyledPanel);
    lbl_Details->setTextFormat(Qt::PlainText);
    txt_FileNO = new QLineEdit(this);
    txt_FileNO->setObjectName(QStringLiteral("txt_FileNO"));
    bindColumn(txt_FileNO, "M_TBL_TRANSACTION", "FILENO");
    txt_ResAction = new QPlainTextEdit(this);
    txt_ResAction->setObjectName(QStringLiteral("txt_ResAction"));
    txt_ResAction->setTabChangesFocus(true);
    bindColumn(txt_ResAction, "M_TBL_TRANSACTION", "CONSUTLTANT_RESPONSETXT");
    Cmb_Status = new LeadStatusList(session, LeadStatusList::Kind::Entry, this);
    Cmb_Status->setObjectName(QStringLiteral("Cmb_Status"));
    txt_FollowUpDt = makeDateField(this, QStringLiteral("txt_FollowUpDt"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("LEAD CODE"), lbl_LeadCode);
    form->addRow(lbl_Details);
    form->addRow(QStringLiteral("FILE &NO"), txt_FileNO);
    form->addRow(QStringLiteral("&RES. ACTION "), txt_ResAction);
    form->addRow(QStringLiteral("STATUS"), Cmb_Status);
    form->addRow(QStringLiteral("NEXT FOLLOW-UP"), txt_FollowUpDt);
    body()->addLayout(form);
    resize(720, 460);

    guarded([&] { role_ = Chk_TCRole(session); });
    // Said on the window, not by a greyed button alone: the lead entry's word, the same rule.
    lbl_SaveNote = new QLabel(lead::saveRefusal(role_).replace(QStringLiteral("\n "), QStringLiteral("\n")), this);
    lbl_SaveNote->setObjectName(QStringLiteral("lbl_SaveNote"));
    lbl_SaveNote->setWordWrap(true);
    lbl_SaveNote->setStyleSheet(QStringLiteral("color: rgb(192, 0, 0); font-weight: bold;"));
    lbl_SaveNote->setVisible(!role_.saveAllowed());
    body()->insertWidget(0, lbl_SaveNote);
    if (!Show_Record())
        prompter().information(this, QStringLiteral("UNABLE TO FETCH RECORD !!!! "));
}

bool frm_BusinessLead_Action::Show_Record() {
    std::optional<QSqlRecord> row;
    const bool read = guarded([&] {
        Cmb_Status->load();
        // An operator's lead of another consultant cannot be read, as if it did not exist.
        row = lead::readLead(db(), number_, role_);
    });
    editable_ = read && row && row->value(QStringLiteral("LCK_LEAD")).toString().trimmed() != QLatin1String("Y");
    tool(3)->setEnabled(editable_);  // a login that may not save is told why on F3
    for (QWidget* w : std::initializer_list<QWidget*>{txt_FileNO, txt_ResAction, Cmb_Status, txt_FollowUpDt})
        w->setEnabled(editable_);
    if (!read || !row)
        return false;
    auto v = [&](const char* column) { return row->value(QLatin1String(column)); };
    auto s = [&](const char* column) { return v(column).toString().trimmed(); };
    auto n = [&](const char* column) {
        return v(column).isNull() ? QString() : QString::number(v(column).toLongLong());
    };
    lbl_LeadCode->setText(QString::number(number_));
    desc_ = s("DOC_DESC");
    lbl_Details->setText(
        QStringLiteral("LEAD DATE : %1    PARTY CODE : %2  %3\nDESCRIPTION : %4\n"
                       "PAX : %5    CHILD : %6    AGES : %7\nSTART DATE : %8    DAYS : %9    END DATE : %10\n"
                       "CREATED BY - ON : %11\nUPDATE BY - ON : %12%13")
            .arg(dateText(v("DOC_DATE")), n("PARTY_CODE"), s("PARTY_NAME"), desc_, n("NOOF_PAX"), n("NOOF_CHILD"),
                 s("CHILD_AGES"), dateText(v("START_DT")), n("TOUR_DAYS"))
            .arg(dateText(v("END_DT")), byOnText(v("CREATED_BY"), v("CREATED_ON")),
                 byOnText(v("UPDATE_BY"), v("UPDATE_ON")),
                 editable_ ? QString()
                           : QStringLiteral("\nLEAD LOCK : Y  ") + byOnText(v("LCK_UPDATEBY"), v("LCK_UPDATEON"))));
    txt_FileNO->setText(s("FILENO"));
    txt_ResAction->setPlainText(v("CONSUTLTANT_RESPONSETXT").toString());
    Cmb_Status->setStored(n("LEADSTATUS_CODE"), s("LEAD_STATUS"));
    setFieldDate(txt_FollowUpDt, dateFromDb(v("FOLLOWUP_DT")));
    return true;
}

void frm_BusinessLead_Action::Save_Record() {
    if (!editable_)
        return;
    if (!role_.saveAllowed()) {
        prompter().information(this, lead::saveRefusal(role_));
        return;
    }
    const bool ok = runChecks(prompter(), this,
                              {{[&] { return txt_ResAction->toPlainText().trimmed().isEmpty(); }, txt_ResAction,
                                QStringLiteral("PLEASE ENTER FOLLOW UP ACTION ...")},
                               {[&] { return Cmb_Status->code().isEmpty(); }, Cmb_Status,
                                QStringLiteral("PLEASE SELECT LEAD STATUS PROPERLY FROM THE LIST ....")},
                               {[&] { return !dateFieldEmpty(txt_FollowUpDt) && !fieldDate(txt_FollowUpDt).isValid(); },
                                txt_FollowUpDt, QStringLiteral("PLEASE ENTER NEXT FOLLOW-UP DATE PROPERLY ....")}});
    if (!ok)
        return;
    const Confirmation question{
        QStringLiteral(" YOU ARE ABOUT TO UPDATE LEAD ..."),
        {{QStringLiteral(" LEAD CODE : "), QString::number(number_)}, {QStringLiteral(" DESC : "), desc_}},
        QStringLiteral(" ARE YOU SURE WANT TO UPDATE (Y/N) ?")};
    if (!question.ask(prompter(), this))
        return;
    const Columns columns{{QStringLiteral("FILENO"), txt_FileNO->text().trimmed()},
                          {QStringLiteral("CONSUTLTANT_RESPONSETXT"), txt_ResAction->toPlainText().trimmed()},
                          {QStringLiteral("LEADSTATUS_CODE"), Cmb_Status->code().toLongLong()},
                          {QStringLiteral("FOLLOWUP_DT"), dateToDb(fieldDate(txt_FollowUpDt))}};
    if (!guarded([&] { lead::saveFollowUp(db(), session().userFullName, session().consultantCode, number_, columns); }))
        return;
    prompter().information(this, QStringLiteral("UPDATION OF LEAD RESPONSE SUCCESSFULLY DONE ..."));
    Show_Record();
    if (changed_)
        changed_(QString::number(number_));
}

}  // namespace tarvic
