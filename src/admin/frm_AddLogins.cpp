#include "frm_AddLogins.h"

#include "data/Moments.h"
#include "data/Passwords.h"
#include "engine/admin/Logins.h"
#include "shell/kit/BusyCursor.h"
#include "shell/kit/Checks.h"
#include "shell/kit/GridHelpers.h"
#include "shell/kit/KeyFilters.h"


#include <QAction>
#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTime>

namespace tarvic {

namespace {
enum GridCol { LoginId, LoginName, Password, EmplName, Department, Designation, LoginDate, LoginTime };

QString timeText(const QVariant& v) {
    if (v.isNull())
        return {};
    QTime t = v.toTime();
    if (!t.isValid())
        t = QTime::fromString(v.toString().left(8), QStringLiteral("HH:mm:ss"));
    return t.isValid() ? t.toString(QStringLiteral("hh:mm:ss")) : v.toString();
}
}  // namespace

frm_AddLogins::frm_AddLogins(Session& session, QWidget* parent) : TaskWindow(session, parent) {
    setObjectName(QStringLiteral("frm_AddLogins"));
    setWindowTitle(QStringLiteral("Manage Logins"));
    setTool(1, QStringLiteral("Quit Form"), [this] { close(); });
    setTool(2, QStringLiteral("Add New Record"), [this] {
        Load_NewRec();
        Load_DepartmentDetails();
        Load_Designation();
    });
    setTool(3, QStringLiteral("Save Record"), [this] { Save_Rec(); });
    setTool(4, QStringLiteral("Search Record"), [] {});
    setTool(5, QStringLiteral("Delete Record"), [this] { Del_Login(); });
    setTool(6, QStringLiteral("Web Access { F6 }"), [this] { openWebAccess(); });

    auto label = [this](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };
    auto* form = new QGridLayout;
    form->setHorizontalSpacing(8);
    lbl_LoginID = new QLabel(this);
    lbl_LoginID->setObjectName(QStringLiteral("lbl_LoginID"));
    lbl_LoginID->setFrameShape(QFrame::StyledPanel);
    lbl_LoginID->setMinimumWidth(100);
    txt_LoginName = new QLineEdit(this);
    txt_LoginName->setObjectName(QStringLiteral("txt_LoginName"));
    bindColumn(txt_LoginName, "MST_LOGINDETAILS", "USER_NAME");
    // The logon upper-cases what is typed: a name is stored as it will be typed there.
    attachFilter(txt_LoginName, KeyFilter::Upper);
    txt_Password = new QLineEdit(this);
    txt_Password->setObjectName(QStringLiteral("txt_Password"));
    txt_Password->setEchoMode(QLineEdit::Password);
    // Stored as its hash: bounded as the logon bounds what is typed there.
    bindLength(txt_Password, kPasswordLength);
    txt_Confirm = new QLineEdit(this);
    txt_Confirm->setObjectName(QStringLiteral("txt_Confirm"));
    txt_Confirm->setEchoMode(QLineEdit::Password);
    bindLength(txt_Confirm, kPasswordLength);
    txt_EmplName = new QLineEdit(this);
    txt_EmplName->setObjectName(QStringLiteral("txt_EmplName"));
    bindColumn(txt_EmplName, "MST_LOGINDETAILS", "FULL_NAME");
    attachFilter(txt_EmplName, KeyFilter::Upper);
    Cmb_Department = new QComboBox(this);
    Cmb_Department->setObjectName(QStringLiteral("Cmb_Department"));
    Cmb_Department->setMinimumWidth(200);
    Cmb_Designation = new QComboBox(this);
    Cmb_Designation->setObjectName(QStringLiteral("Cmb_Designation"));
    Cmb_Designation->setMinimumWidth(200);

    form->addWidget(new QLabel(QStringLiteral("Login ID"), this), 0, 0);
    form->addWidget(lbl_LoginID, 0, 1, Qt::AlignLeft);
    form->addWidget(label(QStringLiteral("Login &Name"), txt_LoginName), 1, 0);
    form->addWidget(txt_LoginName, 1, 1);
    form->addWidget(label(QStringLiteral("Passwo&rd"), txt_Password), 2, 0);
    form->addWidget(txt_Password, 2, 1);
    form->addWidget(label(QStringLiteral("Con&firm Password"), txt_Confirm), 3, 0);
    form->addWidget(txt_Confirm, 3, 1);
    form->addWidget(label(QStringLiteral("Em&ployee Name"), txt_EmplName), 4, 0);
    form->addWidget(txt_EmplName, 4, 1);
    // Under the login's own fields, not beside them: on screen and by Tab or Enter, the
    // name leads to its password and its confirmation, as a password change is typed.
    form->addWidget(label(QStringLiteral("Depar&tment"), Cmb_Department), 5, 0);
    form->addWidget(Cmb_Department, 5, 1);
    form->addWidget(label(QStringLiteral("Des&ignation"), Cmb_Designation), 6, 0);
    form->addWidget(Cmb_Designation, 6, 1);
    form->setColumnStretch(1, 1);
    body()->addLayout(form);

    Grid1 = new QTableWidget(this);
    Grid1->setObjectName(QStringLiteral("Grid1"));
    body()->addWidget(label(QStringLiteral("Employee &Login Details"), Grid1));
    body()->addWidget(Grid1, 1);
    resize(900, 620);
    // Names are unique whatever their case (a unique index on the upper-cased name).
    setFailureMessages({.duplicate = QStringLiteral("Login Name already exists ....")});

    // Only a password typed here is stored; a picked login's mask never is.
    connect(txt_Password, &QLineEdit::textEdited, this, [this] { passwordTyped_ = true; });
    connect(txt_LoginName, &QLineEdit::editingFinished, this, [this] { pickByName(); });
    connect(Grid1, &QTableWidget::cellClicked, this, [this](int row, int) { pickRow(row); });
    onEnter(Grid1, [this] { pickRow(Grid1->currentRow()); });

    Load_EmplLogins();
    Load_DepartmentDetails();
    Load_Designation();
    tool(4)->setEnabled(false);
    // The web access window is opened by name: the button works once it is registered.
    tool(6)->setEnabled(canOpen(QStringLiteral("frm_WebAccess")));
}

void frm_AddLogins::Load_EmplLogins() {
    BusyCursor busy;
    Load_EmptyGrid(Grid1, {{QStringLiteral("LOGIN ID"), 1100, Qt::AlignRight},
                           {QStringLiteral("LOGIN NAME"), 1800},
                           {QStringLiteral("PASSWORD"), 1400},
                           {QStringLiteral("EMPLOYEE NAME"), 3000},
                           {QStringLiteral("DEPARTMENT"), 2000},
                           {QStringLiteral("DESIGNATION"), 1600},
                           {QStringLiteral("LOGIN DATE"), 1400},
                           {QStringLiteral("LOGIN TIME"), 1300}});
    Grid1->horizontalHeader()->setStretchLastSection(true);
    guarded([&] {
        QSqlQuery q = db().exec(QStringLiteral("select * from Mst_LoginDetails order by Full_name"));
        while (q.next()) {
            const QSqlRecord r = q.record();
            auto text = [&](const char* c) { return r.value(QLatin1String(c)).toString().trimmed(); };
            // The stored form of a password is never shown, not even as a hash.
            const QString pw = text("User_Password").isEmpty() ? QString() : kPasswordMask;
            addGridRow(Grid1, {text("login_id"), text("User_Name"), pw, text("Full_Name"), text("Module_For"),
                               text("User_Designation"), dateText(r.value(QStringLiteral("last_Login"))),
                               timeText(r.value(QStringLiteral("Last_LoginTime")))});
        }
    });
}

void frm_AddLogins::Load_DepartmentDetails() {
    Cmb_Department->clear();
    guarded([&] {
        QSqlQuery q = db().exec(QStringLiteral("select * from Mst_Tbl_Department order by Dept_Name"));
        while (q.next())
            Cmb_Department->addItem(q.value(QStringLiteral("Dept_Name")).toString().trimmed());
    });
}

void frm_AddLogins::Load_Designation() {
    Cmb_Designation->clear();
    Cmb_Designation->addItems({QStringLiteral("ADMIN"), QStringLiteral("OPERATOR")});
}

void frm_AddLogins::chooseItem(QComboBox* combo, const QString& text) {
    int i = combo->findText(text);
    if (i < 0 && !text.isEmpty()) {
        // A value no longer in the list is still the login's: show it rather than another.
        combo->addItem(text);
        i = combo->count() - 1;
    }
    combo->setCurrentIndex(i);
}

void frm_AddLogins::pickRow(int row) {
    if (isBlankRow(Grid1, row))
        return;
    lbl_LoginID->setText(gridText(Grid1, row, LoginId));
    txt_LoginName->setText(gridText(Grid1, row, LoginName));
    // The stored password is never copied into the field: left empty, saving keeps it;
    // a password typed here replaces it.
    txt_Password->clear();
    txt_Confirm->clear();
    txt_Password->setPlaceholderText(gridText(Grid1, row, Password));
    passwordTyped_ = false;
    txt_EmplName->setText(gridText(Grid1, row, EmplName));
    chooseItem(Cmb_Department, gridText(Grid1, row, Department));
    chooseItem(Cmb_Designation, gridText(Grid1, row, Designation));
}

void frm_AddLogins::pickByName() {
    const QString name = txt_LoginName->text().trimmed().toUpper();
    if (name.isEmpty())
        return;
    for (int row = 0; row < Grid1->rowCount(); ++row) {
        if (gridText(Grid1, row, LoginName).compare(name, Qt::CaseInsensitive) != 0)
            continue;
        if (gridText(Grid1, row, LoginId) != lbl_LoginID->text().trimmed()) {
            Grid1->selectRow(row);
            pickRow(row);
        }
        return;
    }
}

bool frm_AddLogins::keepsStoredPassword() const {
    return !lbl_LoginID->text().trimmed().isEmpty() && txt_Password->text().trimmed().isEmpty();
}

void frm_AddLogins::Load_NewRec() {
    lbl_LoginID->clear();
    txt_LoginName->clear();
    txt_Password->clear();
    txt_Confirm->clear();
    txt_Password->setPlaceholderText(QString());
    txt_EmplName->clear();
    Cmb_Department->clear();
    Cmb_Designation->clear();
    passwordTyped_ = false;
    txt_LoginName->setFocus(Qt::OtherFocusReason);
}

void frm_AddLogins::Save_Rec() {
    const QString essential = QStringLiteral("All the Records are Essential");
    const bool ok = runChecks(
        prompter(), this,
        {
            {[this] { return txt_LoginName->text().trimmed().isEmpty(); }, txt_LoginName, essential},
            // A login picked from the grid keeps its stored password when none is typed.
            {[this] { return txt_Password->text().trimmed().isEmpty() && !keepsStoredPassword(); }, txt_Password,
             essential},
            // One typo must not lock a user out: a new password is typed twice alike.
            {[this] {
                 return !keepsStoredPassword() && txt_Confirm->text().trimmed() != txt_Password->text().trimmed();
             },
             txt_Confirm, QStringLiteral("THE TWO PASSWORDS DO NOT MATCH, PLEASE TYPE THE NEW PASSWORD AGAIN ....")},
            {[this] { return txt_EmplName->text().trimmed().isEmpty(); }, txt_EmplName, essential},
        });
    if (!ok)
        return;
    if (!lbl_LoginID->text().trimmed().isEmpty() && !keepsStoredPassword()) {
        const Confirmation question{QStringLiteral(" YOU ARE ABOUT TO CHANGE THE PASSWORD OF ") +
                                        txt_LoginName->text().trimmed().toUpper() + QStringLiteral(" ...."),
                                    {}};
        if (!question.ask(prompter(), this)) {
            txt_Password->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    const QString name = txt_LoginName->text().trimmed().toUpper();
    const QString empl = txt_EmplName->text().trimmed().toUpper();
    const QString dept = Cmb_Department->currentText();
    const QString desig = Cmb_Designation->currentText();
    const QString shownId = lbl_LoginID->text().trimmed();
    logins::LoginEntry entry{shownId.toLongLong(), name, empl, dept, desig, {}};
    if (!keepsStoredPassword())
        entry.passwordHash = Passwords::hash(txt_Password->text().trimmed());
    qint64 id = 0;
    const bool saved = guarded([&] { id = logins::save(db(), entry); });
    if (!saved) {
        txt_LoginName->setFocus(Qt::OtherFocusReason);
        return;
    }
    lbl_LoginID->setText(QString::number(id));
    txt_LoginName->setText(name);
    // What is stored now is the login's password; typing again starts a new one.
    passwordTyped_ = false;
    txt_Password->clear();
    txt_Confirm->clear();
    txt_Password->setPlaceholderText(kPasswordMask);
    prompter().information(this, QStringLiteral("Successfully Saved Record ...."));
    Load_EmplLogins();
}

void frm_AddLogins::Del_Login() {
    const QString id = lbl_LoginID->text().trimmed();
    if (id.isEmpty()) {
        prompter().information(this, QStringLiteral("Please Login for Deletion...."));
        return;
    }
    if (!prompter().question(this, QStringLiteral("Are U sure want delete login for ") + txt_EmplName->text()))
        return;
    // The login's rights rows stay: a login created later under another id is unaffected.
    if (!guarded([&] { logins::remove(db(), id.toLongLong()); }))
        return;
    prompter().information(this, QStringLiteral("Login is successfully deleted ...."));
    Load_NewRec();
    Load_DepartmentDetails();
    Load_Designation();
    Load_EmplLogins();
}

void frm_AddLogins::openWebAccess() { openWindow(QStringLiteral("frm_WebAccess"), {}, WindowRegistry::Opening::Modal); }

}  // namespace tarvic
