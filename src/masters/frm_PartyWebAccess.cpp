#include "frm_PartyWebAccess.h"

#include "engine/masters/MasterRows.h"
#include "masters/PartyWindows.h"
#include "shell/kit/Checks.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace tarvic {

frm_PartyWebAccess::frm_PartyWebAccess(Session& session, QWidget* parent, qint64 partyCode)
    : TaskWindow(session, parent), partyCode_(partyCode) {
    setObjectName(QStringLiteral("frm_PartyWebAccess"));
    setWindowTitle(QStringLiteral("WEB PASSWORD CHANGE"));
    // Only closing and saving: saving takes the second position and its key.
    setTool(1, kCloseTip, [this] { close(); });
    setTool(2, QStringLiteral("Save Record { F2 }"), [this] { Save_Record(); });

    auto label = [this](const QString& name) {
        auto* l = new QLabel(this);
        l->setObjectName(name);
        l->setFrameShape(QFrame::StyledPanel);
        l->setMinimumWidth(320);
        return l;
    };
    lbl_PartyCode = label(QStringLiteral("lbl_PartyCode"));
    lbl_PartyName = label(QStringLiteral("lbl_PartyName"));
    lbl_PasswdUpdByOn = label(QStringLiteral("lbl_PasswdUpdByOn"));
    txt_Password = new QLineEdit(this);
    txt_Password->setObjectName(QStringLiteral("txt_Password"));
    bindColumn(txt_Password, "M_TBL_PARTY", "PARTY_PASSWORD");
    // Visible while typed, so that the user can read back what the party will be told.
    txt_Password->setEchoMode(QLineEdit::PasswordEchoOnEdit);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("PARTY CODE"), lbl_PartyCode);
    form->addRow(QStringLiteral("PARTY NAME"), lbl_PartyName);
    form->addRow(QStringLiteral("LAST CHANGED BY - ON"), lbl_PasswdUpdByOn);
    form->addRow(QStringLiteral("&PASSWORD"), txt_Password);
    body()->addLayout(form);
    body()->addStretch(1);
    resize(520, 200);

    Show_Record();
}

void frm_PartyWebAccess::Show_Record() {
    txt_Password->clear();
    guarded([&] {
        const auto row = db().firstRow(QStringLiteral("SELECT * FROM M_TBL_PARTY WHERE PARTY_CODE=?"), {partyCode_});
        if (!row)
            return;
        lbl_PartyCode->setText(row->value(QStringLiteral("PARTY_CODE")).toString().trimmed());
        lbl_PartyName->setText(row->value(QStringLiteral("PARTY_NAME")).toString().trimmed());
        lbl_PasswdUpdByOn->setText(
            byOnText(row->value(QStringLiteral("PASSWD_UPDBY")), row->value(QStringLiteral("PASSWD_UPDON"))));
    });
}

void frm_PartyWebAccess::Save_Record() {
    const QString password = txt_Password->text().trimmed();
    if (!runChecks(prompter(), this,
                   {{[&] { return password.isEmpty(); }, txt_Password, QStringLiteral("PASSWORD CANNOT BE BLANK .....")}}))
        return;
    const Confirmation question{QStringLiteral(" YOU ARE ABOUT TO UPDATE OR CHANGE PASSWORD FOR .."),
                                {{QStringLiteral(" PARTY NAME : "), lbl_PartyName->text()}}};
    if (!question.ask(prompter(), this))
        return;
    if (!guarded([&] {
            setPartyPassword(db(), session().userFullName, partyCode_, password);
        }))
        return;
    prompter().information(this, QStringLiteral("UPDATION OF PASSWORD SUCCESSFULLY DONE ..."));
    Show_Record();
}

}  // namespace tarvic
