#include "frm_WebAccess.h"

#include "engine/admin/Logins.h"
#include "shell/kit/Checks.h"
#include "shell/kit/KeyFilters.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace tarvic {

frm_WebAccess::frm_WebAccess(Session& session, QWidget* parent) : TaskWindow(session, parent) {
    setObjectName(QStringLiteral("frm_WebAccess"));
    setWindowTitle(QStringLiteral("Allowe / Deny Web Access"));
    // Only closing and saving: saving takes the second position and its key.
    setTool(1, kCloseTip, [this] { close(); });
    setTool(2, QStringLiteral("Save Record { F2 }"), [this] { Save_Record(); });

    txt_LoginID = new QLineEdit(this);
    txt_LoginID->setObjectName(QStringLiteral("txt_LoginID"));
    bindColumn(txt_LoginID, "MST_LOGINDETAILS", "LOGIN_ID");
    attachFilter(txt_LoginID, KeyFilter::Number);
    lbl_FullName = new QLabel(this);
    lbl_FullName->setObjectName(QStringLiteral("lbl_FullName"));
    lbl_FullName->setFrameShape(QFrame::StyledPanel);
    lbl_FullName->setMinimumWidth(300);
    Cmb_WebAccess = new QComboBox(this);
    Cmb_WebAccess->setObjectName(QStringLiteral("Cmb_WebAccess"));
    Cmb_WebAccess->addItems({QStringLiteral("N"), QStringLiteral("Y")});

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&LOGIN CODE"), txt_LoginID);
    form->addRow(QStringLiteral("FULL NAME"), lbl_FullName);
    form->addRow(QStringLiteral("&WEB ACCESS ( Y/N )"), Cmb_WebAccess);
    body()->addLayout(form);
    body()->addStretch(1);
    resize(460, 170);

    onEnter(txt_LoginID, [this] {
        Show_Record();
        Cmb_WebAccess->setFocus(Qt::TabFocusReason);
    });
}

void frm_WebAccess::Show_Record() {
    lbl_FullName->clear();
    Cmb_WebAccess->setCurrentIndex(0);
    bool ok = false;
    const qint64 login = txt_LoginID->text().trimmed().toLongLong(&ok);
    if (!ok)
        return;
    guarded([&] {
        const auto row = db().firstRow(QStringLiteral("SELECT * FROM MST_LOGINDETAILS WHERE Login_Id=?"), {login});
        if (!row)
            return;
        lbl_FullName->setText(row->value(QStringLiteral("Full_name")).toString().trimmed());
        const int i = Cmb_WebAccess->findText(row->value(QStringLiteral("Web_Access")).toString().trimmed());
        Cmb_WebAccess->setCurrentIndex(i >= 0 ? i : 0);
    });
}

void frm_WebAccess::Save_Record() {
    const QString text = txt_LoginID->text().trimmed();
    if (!runChecks(prompter(), this, {{[&] { return text.isEmpty(); }, txt_LoginID,
                                       QStringLiteral("PLEASE ENTER LOGIN CODE PROPERLY ....")}}))
        return;
    bool ok = false;
    const qint64 login = text.toLongLong(&ok);
    int changed = 0;
    if (!guarded([&] {
            if (ok)
                changed = logins::setWebAccess(db(), login, Cmb_WebAccess->currentText());
        }))
        return;
    // A code that names no login changed nothing, and must not be reported as done.
    if (changed == 0) {
        prompter().information(this, QStringLiteral("LOGIN CODE NOT FOUND ...."));
        txt_LoginID->setFocus(Qt::OtherFocusReason);
        return;
    }
    prompter().information(this, QStringLiteral("UPDATION SUCCESSFULLY DONE ...."));
}

}  // namespace tarvic
