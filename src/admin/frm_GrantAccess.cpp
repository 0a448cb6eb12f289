#include "frm_GrantAccess.h"

#include "engine/admin/MenuCatalogue.h"
#include "shell/kit/BusyCursor.h"
#include "shell/kit/GridHelpers.h"
#include "shell/kit/KeyFilters.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

namespace tarvic {

namespace {
const QColor kShownBack(0xD8, 0xF5, 0xD8);
const QColor kHiddenBack(0xF8, 0xC8, 0xC8);
}  // namespace

frm_GrantAccess::frm_GrantAccess(Session& session, QWidget* parent) : TaskWindow(session, parent) {
    setObjectName(QStringLiteral("frm_GrantAccess"));
    setWindowTitle(QStringLiteral("ACCESS CONTROL LIST"));
    setTool(1, kCloseTip, [this] { close(); });
    setTool(2, kNewTip, [this] { Show_Record_ACL(); });
    setTool(3, kSaveTip, [this] { Save_Record(); });
    setTool(4, QStringLiteral("Delete Record { F4 }"), [this] { Delete_Record(); });
    setTool(5, QStringLiteral("Search Record { F5 }"), [] {});

    auto shown = [this](const QString& name) {
        auto* l = new QLabel(this);
        l->setObjectName(name);
        l->setFrameShape(QFrame::StyledPanel);
        l->setMinimumWidth(220);
        return l;
    };
    auto* form = new QGridLayout;
    form->setHorizontalSpacing(8);
    txt_EmpID = new QLineEdit(this);
    txt_EmpID->setObjectName(QStringLiteral("txt_EmpID"));
    bindColumn(txt_EmpID, "MST_LOGINDETAILS", "LOGIN_ID");
    txt_EmpID->setFixedWidth(100);
    attachFilter(txt_EmpID, KeyFilter::Number);
    Cmd_Show = new QPushButton(QStringLiteral("..."), this);
    Cmd_Show->setObjectName(QStringLiteral("Cmd_Show"));
    Cmd_Show->setFixedWidth(36);
    lbl_EmplName = shown(QStringLiteral("lbl_EmplName"));
    lbl_Desig = shown(QStringLiteral("lbl_Desig"));
    lbl_Dept = shown(QStringLiteral("lbl_Dept"));
    auto* codeLabel = new QLabel(QStringLiteral("LOGIN &CODE"), this);
    codeLabel->setBuddy(txt_EmpID);
    form->addWidget(codeLabel, 0, 0);
    auto* idLine = new QHBoxLayout;
    idLine->addWidget(txt_EmpID);
    idLine->addWidget(Cmd_Show);
    idLine->addStretch(1);
    form->addLayout(idLine, 0, 1);
    form->addWidget(new QLabel(QStringLiteral("EMPLOYEE NAME"), this), 1, 0);
    form->addWidget(lbl_EmplName, 1, 1);
    form->addWidget(new QLabel(QStringLiteral("DESIGNATION "), this), 2, 0);
    form->addWidget(lbl_Desig, 2, 1);
    form->addWidget(new QLabel(QStringLiteral("DEPARTMENT"), this), 3, 0);
    form->addWidget(lbl_Dept, 3, 1);
    form->setColumnStretch(2, 1);
    body()->addLayout(form);

    Grid1 = addDetailedList(this, body());
    resize(820, 600);

    connect(Cmd_Show, &QPushButton::clicked, this, [this] { showLogin(); });
    onEnter(txt_EmpID, [this] { showLogin(); });

    Show_Record_ACL_NEW();
}

void frm_GrantAccess::Load_EmptyGrid() {
    tarvic::Load_EmptyGrid(Grid1, {{QStringLiteral("MENU ID"), 1100, Qt::AlignRight},
                                   {QStringLiteral("GROUP NAME"), 2000},
                                   {QStringLiteral("MENU CAPTION"), 6300},
                                   {QStringLiteral("PERMISSION (Y/N)"), 1500, Qt::AlignHCenter}});
    // Whole-row selection would hide the permission colours; a cell cursor suits Y/N typing.
    Grid1->setSelectionBehavior(QAbstractItemView::SelectItems);
    // The heading is wider than its 1500 twips: the last column takes the rest.
    Grid1->horizontalHeader()->setStretchLastSection(true);
}

void frm_GrantAccess::addRight(const QString& menuId, const QString& group, const QString& caption,
                               const QString& permission) {
    const int row = addGridRow(Grid1, {menuId, group, caption, permission});
    setPermission(row, permission);
}

void frm_GrantAccess::setPermission(int row, const QString& permission) {
    if (QTableWidgetItem* item = Grid1->item(row, Permission))
        item->setText(permission);
    setRowColours(Grid1, row, permission == QLatin1String("N") ? kHiddenBack : kShownBack, QColor(Qt::black));
}

void frm_GrantAccess::Show_Record_ACL_NEW() {
    BusyCursor busy;
    Load_EmptyGrid();
    guarded([&] {
        QSqlQuery q = db().exec(QStringLiteral("SELECT * FROM M_TBL_MENUDETAILS ORDER BY GROUP_ID, MENU_ID"));
        while (q.next()) {
            addRight(q.value(QStringLiteral("MENU_ID")).toString().trimmed(),
                     q.value(QStringLiteral("GROUP_NAME")).toString().trimmed(),
                     q.value(QStringLiteral("MENU_CAPTION")).toString().trimmed(), QStringLiteral("Y"));
        }
    });
}

bool frm_GrantAccess::loginId(qint64* id) {
    bool ok = false;
    *id = txt_EmpID->text().trimmed().toLongLong(&ok);
    if (ok && *id > 0)
        return true;
    // Without a login id the rights would be written for no one (or every one deleted).
    prompter().information(this, QStringLiteral("PLEASE ENTER LOGIN CODE ...."));
    txt_EmpID->setFocus(Qt::OtherFocusReason);
    return false;
}

void frm_GrantAccess::showLogin() {
    Show_EmpRec();
    Show_Record_ACL();
}

void frm_GrantAccess::Show_EmpRec() {
    lbl_EmplName->clear();
    lbl_Desig->clear();
    lbl_Dept->clear();
    bool ok = false;
    const qint64 id = txt_EmpID->text().trimmed().toLongLong(&ok);
    if (!ok)
        return;
    guarded([&] {
        if (auto r = db().firstRow(QStringLiteral("SELECT * FROM MST_LOGINDETAILS WHERE LOGIN_ID=?"), {id})) {
            lbl_EmplName->setText(r->value(QStringLiteral("FULL_NAME")).toString().trimmed());
            lbl_Desig->setText(r->value(QStringLiteral("USER_DESIGNATION")).toString().trimmed());
            lbl_Dept->setText(r->value(QStringLiteral("USER_DEPARTMENT")).toString().trimmed());
        }
    });
}

void frm_GrantAccess::Show_Record_ACL() {
    BusyCursor busy;
    Load_EmptyGrid();
    bool ok = false;
    const qint64 id = txt_EmpID->text().trimmed().toLongLong(&ok);
    if (!ok)
        return;
    guarded([&] {
        // The whole catalogue, each entry with the login's answer; an entry the login has no
        // row for is shown to it (a login without rows sees every entry), so it reads "Y".
        QSqlQuery q =
            db().exec(QStringLiteral("SELECT b.MENU_ID, a.SHOW_MENU, b.GROUP_NAME, b.MENU_CAPTION"
                                     " FROM M_TBL_MENUDETAILS b LEFT JOIN M_TBL_MENUSHOW a"
                                     " ON a.MENU_ID=b.MENU_ID AND a.LOGIN_ID=? ORDER BY b.GROUP_ID, b.MENU_ID"),
                      {id});
        while (q.next()) {
            const QString shown = q.value(1).toString().trimmed();
            addRight(q.value(0).toString().trimmed(), q.value(2).toString().trimmed(), q.value(3).toString().trimmed(),
                     shown == QLatin1String("N") ? shown : QStringLiteral("Y"));
        }
    });
}

bool frm_GrantAccess::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Grid1 && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const QString typed = key->text().toUpper();
        if (typed == QLatin1String("Y") || typed == QLatin1String("N")) {
            const int row = Grid1->currentRow();
            if (Grid1->currentColumn() == Permission && !isBlankRow(Grid1, row))
                setPermission(row, typed);
            return true;
        }
        // Every other printable key is refused; moving keys and the window's keys pass.
        if (!typed.isEmpty() && typed.at(0).isPrint())
            return true;
    }
    return TaskWindow::eventFilter(watched, event);
}

void frm_GrantAccess::Save_Record() {
    qint64 id = 0;
    if (!loginId(&id))
        return;
    QList<menus::Right> rights;
    for (int row = 0; row < Grid1->rowCount(); ++row) {
        if (isBlankRow(Grid1, row))
            continue;
        rights.append({gridText(Grid1, row, MenuId).toLongLong(), gridText(Grid1, row, Permission)});
    }
    // The login's rows are replaced as a whole: never a login left with its rights half written.
    const bool saved = guarded([&] { menus::grantRights(db(), id, rights); });
    if (!saved)
        return;
    prompter().information(this, QStringLiteral("Successfully Saved ...."));
    Show_Record_ACL();
}

void frm_GrantAccess::Delete_Record() {
    qint64 id = 0;
    if (!loginId(&id))
        return;
    if (!prompter().question(this, QStringLiteral("DO WANT TO DELETE ACL FOR ") + lbl_EmplName->text()))
        return;
    if (!guarded([&] { menus::revokeRights(db(), id); }))
        return;
    prompter().information(this, QStringLiteral("Successfully Deleted ACL ...."));
    Show_Record_ACL();
}

}  // namespace tarvic
