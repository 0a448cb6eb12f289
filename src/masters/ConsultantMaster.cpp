#include "ConsultantMaster.h"

#include "data/Moments.h"
#include "engine/masters/MasterRows.h"
#include "masters/GeographyLists.h"
#include "shell/kit/BusyCursor.h"
#include "shell/kit/Checks.h"
#include "shell/kit/CodeList.h"
#include "shell/kit/GridHelpers.h"
#include "shell/kit/KeyFilters.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

namespace tarvic {

namespace {
enum GridCol { SlNo, Code, Name, Mobile, Role, Login, Created, Updated };

QLabel* shownField(QWidget* parent, const char* name, int minWidth = 0) {
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setFrameShape(QFrame::StyledPanel);
    l->setMinimumHeight(22);
    if (minWidth)
        l->setMinimumWidth(minWidth);
    return l;
}

// The login code is LOGIN_ID, a whole number; anything else names no login.
std::optional<qint64> loginId(const QString& text) {
    bool ok = false;
    const qint64 id = text.trimmed().toLongLong(&ok);
    return ok ? std::optional<qint64>(id) : std::nullopt;
}
}  // namespace

ConsultantMaster::ConsultantMaster(const ConsultantTable& table, Session& session, QWidget* parent)
    : TaskWindow(session, parent), table_(table) {
    setObjectName(table.masterObject);
    setWindowTitle(table.masterTitle);
    setTool(1, kCloseTip, [this] { close(); });
    setTool(2, kNewTip, [this] { Load_Init(); });
    setTool(3, kSaveTip, [this] { Save_Record(); });

    lbl_Code = shownField(this, "lbl_Code", 100);
    txt_Name = new QLineEdit(this);
    txt_Name->setObjectName(QStringLiteral("txt_Name"));
    bindColumn(txt_Name, table.table, "CONSULTANT_NAME");
    attachFilter(txt_Name, KeyFilter::Upper);
    // Enter moves on from the login field like Tab; leaving it shows the login's name.
    login_ = new CodeField(session, sources::kLogin, this, QStringLiteral("txt_Login"),
                           QStringLiteral("lbl_LoginName"));
    txt_Login = login_->edit();
    attachFilter(txt_Login, KeyFilter::Number);
    lbl_LoginName = login_->nameLabel();
    lbl_LoginName->setFrameShape(QFrame::StyledPanel);
    lbl_LoginName->setMinimumHeight(22);
    lbl_LoginName->setMinimumWidth(200);
    txt_MobNO = new QLineEdit(this);
    txt_MobNO->setObjectName(QStringLiteral("txt_MobNO"));
    bindColumn(txt_MobNO, table.table, "MOBILE_NO");
    Cmb_TCRole = new QComboBox(this);
    Cmb_TCRole->setObjectName(QStringLiteral("Cmb_TCRole"));
    Cmb_TCRole->addItems({QStringLiteral("OPERATOR"), QStringLiteral("ADMIN")});
    lbl_CreatedBy = shownField(this, "lbl_CreatedBy");
    lbl_CreatedOn = shownField(this, "lbl_CreatedOn");
    lbl_UpdateBy = shownField(this, "lbl_UpdateBy");
    lbl_UpdateOn = shownField(this, "lbl_UpdateOn");

    auto label = [this](const QString& text, QWidget* buddy = nullptr) {
        auto* l = new QLabel(text, this);
        if (buddy)
            l->setBuddy(buddy);
        return l;
    };
    auto* form = new QGridLayout;
    form->addWidget(label(table.codeCaption), 0, 0);
    form->addWidget(lbl_Code, 0, 1);
    form->addWidget(label(QStringLiteral("CONSULTANT &NAME"), txt_Name), 1, 0);
    form->addWidget(txt_Name, 1, 1, 1, 3);
    form->addWidget(label(QStringLiteral("LO&GIN CODE"), txt_Login), 2, 0);
    form->addWidget(txt_Login, 2, 1);
    form->addWidget(label(QStringLiteral("LOGIN NAME")), 2, 2);
    form->addWidget(lbl_LoginName, 2, 3);
    form->addWidget(label(QStringLiteral("MO&BILE NOS"), txt_MobNO), 3, 0);
    form->addWidget(txt_MobNO, 3, 1, 1, 3);
    form->addWidget(label(QStringLiteral("CONSULTANT &ROLE"), Cmb_TCRole), 4, 0);
    form->addWidget(Cmb_TCRole, 4, 1);
    form->addWidget(label(QStringLiteral("CREATED BY")), 5, 0);
    form->addWidget(lbl_CreatedBy, 5, 1);
    form->addWidget(label(QStringLiteral("CREATED ON")), 5, 2);
    form->addWidget(lbl_CreatedOn, 5, 3);
    form->addWidget(label(QStringLiteral("UPDATED BY")), 6, 0);
    form->addWidget(lbl_UpdateBy, 6, 1);
    form->addWidget(label(QStringLiteral("UPDATED ON")), 6, 2);
    form->addWidget(lbl_UpdateOn, 6, 3);
    form->setColumnStretch(3, 1);
    body()->addLayout(form);

    txt_SrcRecord = new QLineEdit(this);
    txt_SrcRecord->setObjectName(QStringLiteral("txt_SrcRecord"));
    bindLength(txt_SrcRecord, kPatternLength);
    attachFilter(txt_SrcRecord, KeyFilter::Upper);
    Cmd_Show = new QPushButton(QStringLiteral("SHOW"), this);
    Cmd_Show->setObjectName(QStringLiteral("Cmd_Show"));
    auto* search = new QHBoxLayout;
    search->addWidget(label(QStringLiteral("SEARC&H CONSULTANT"), txt_SrcRecord));
    search->addWidget(txt_SrcRecord, 1);
    search->addWidget(Cmd_Show);
    body()->addLayout(search);

    Grid1 = new QTableWidget(this);
    Grid1->setObjectName(QStringLiteral("Grid1"));
    body()->addWidget(Grid1, 1);
    resize(900, 600);

    connect(Cmd_Show, &QPushButton::clicked, this, [this] { Load_Grid1(); });
    onEnter(txt_SrcRecord, [this] { Load_Grid1(); });
    connect(Grid1, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { rowChosen(row); });
    onEnter(Grid1, [this] { rowChosen(Grid1->currentRow()); });

    Load_Init();
    Load_Grid1();
}

void ConsultantMaster::Load_Init() {
    code_ = 0;
    lbl_Code->setText(QStringLiteral("0"));
    txt_Name->clear();
    login_->clear();
    txt_MobNO->clear();
    Cmb_TCRole->setCurrentIndex(0);
    lbl_CreatedBy->clear();
    lbl_CreatedOn->clear();
    lbl_UpdateBy->clear();
    lbl_UpdateOn->clear();
    txt_Name->setFocus(Qt::OtherFocusReason);
}

void ConsultantMaster::Load_EmptyGrid1() {
    Load_EmptyGrid(Grid1, {{QStringLiteral("SLNO"), 700, Qt::AlignRight},
                           {QStringLiteral("CODE"), 800, Qt::AlignRight},
                           {QStringLiteral("CONSULTANT NAME"), 3200},
                           {QStringLiteral("MOBILE NO"), 2000},
                           {QStringLiteral("TC ROLE"), 1200},
                           {QStringLiteral("LOGIN CODE"), 1200},
                           {QStringLiteral("CREATED BY - ON"), 3200},
                           {QStringLiteral("UPDATE BY - ON"), 3200}});
    Grid1->horizontalHeader()->setStretchLastSection(true);
}

void ConsultantMaster::Load_Grid1() {
    BusyCursor busy;
    Load_EmptyGrid1();
    guarded([&] {
        QSqlQuery q = db().exec(QStringLiteral("SELECT * FROM %1 WHERE CONSULTANT_NAME LIKE ? ORDER BY CONSULTANT_NAME")
                                        .arg(table_.table) +
                                    db().dialect().firstRows(50),
                                {QStringLiteral("%") + txt_SrcRecord->text().trimmed() + QStringLiteral("%")});
        int sl = 0;
        while (q.next()) {
            addGridRow(Grid1, {QString::number(++sl), q.value(QStringLiteral("CONSULTANT_CODE")).toString().trimmed(),
                               q.value(QStringLiteral("CONSULTANT_NAME")).toString().trimmed(),
                               q.value(QStringLiteral("MOBILE_NO")).toString().trimmed(),
                               q.value(QStringLiteral("TC_ROLE")).toString().trimmed(),
                               q.value(QStringLiteral("LOGIN_CODE")).toString().trimmed(),
                               byOnText(q.value(QStringLiteral("CREATED_BY")), q.value(QStringLiteral("CREATED_ON"))),
                               byOnText(q.value(QStringLiteral("UPDATE_BY")), q.value(QStringLiteral("UPDATE_ON")))});
        }
    });
}

void ConsultantMaster::rowChosen(int row) {
    if (isBlankRow(Grid1, row))
        return;
    Show_Record(gridText(Grid1, row, Code).toInt());
}

void ConsultantMaster::Show_LoginName() { login_->lookUp(); }

void ConsultantMaster::Show_Record(int code) {
    guarded([&] {
        // An outer join: a consultant whose login has since gone is still shown (and can be
        // given another login) instead of vanishing from its own master.
        const auto row = db().firstRow(
            QStringLiteral("SELECT a.*, b.USER_NAME FROM %1 a LEFT JOIN MST_LOGINDETAILS b"
                           " ON a.LOGIN_CODE=CAST(b.LOGIN_ID AS VARCHAR(20)) WHERE a.CONSULTANT_CODE=?")
                .arg(table_.table),
            {code});
        if (!row)
            return;
        Load_Init();
        code_ = row->value(QStringLiteral("CONSULTANT_CODE")).toInt();
        lbl_Code->setText(QString::number(code_));
        txt_Name->setText(row->value(QStringLiteral("CONSULTANT_NAME")).toString().trimmed());
        login_->setLoaded(row->value(QStringLiteral("LOGIN_CODE")).toString().trimmed(),
                          row->value(QStringLiteral("USER_NAME")).toString().trimmed());
        txt_MobNO->setText(row->value(QStringLiteral("MOBILE_NO")).toString().trimmed());
        const int role = Cmb_TCRole->findText(row->value(QStringLiteral("TC_ROLE")).toString().trimmed());
        Cmb_TCRole->setCurrentIndex(role);
        lbl_CreatedBy->setText(row->value(QStringLiteral("CREATED_BY")).toString().trimmed());
        lbl_CreatedOn->setText(momentText(row->value(QStringLiteral("CREATED_ON"))));
        lbl_UpdateBy->setText(row->value(QStringLiteral("UPDATE_BY")).toString().trimmed());
        lbl_UpdateOn->setText(momentText(row->value(QStringLiteral("UPDATE_ON"))));
        txt_Name->setFocus(Qt::OtherFocusReason);
    });
}

void ConsultantMaster::Save_Record() {
    Show_LoginName();
    const bool ok = runChecks(prompter(), this, {
        {[this] { return txt_Name->text().trimmed().isEmpty(); }, txt_Name,
         QStringLiteral("PLEASE ENTER CONSULTANT NAME ....")},
        {[this] { return lbl_LoginName->text().trimmed().isEmpty(); }, txt_Login,
         QStringLiteral("PLEASE ENTER LOGIN CODE ....")},
    });
    if (!ok)
        return;
    const QString name = upperAscii(txt_Name->text().trimmed());
    const qint64 login = *loginId(txt_Login->text());  // a login name was found, so it parses
    const QString loginCode = QString::number(login);
    const Confirmation question{QStringLiteral(" YOU ARE ABOUT TO UPDATE CONSULTANT ..."),
                                {{QStringLiteral(" CONSULTANT NAME : "), name},
                                 {QStringLiteral(" LOGIN CODE : "), loginCode},
                                 {QStringLiteral(" LOGIN NAME : "), lbl_LoginName->text().trimmed()}}};
    if (!question.ask(prompter(), this))
        return;

    const ConsultantEntry entry{table_.table, table_.counter, table_.loginColumn, code_, login,
                                {{QStringLiteral("CONSULTANT_NAME"), name},
                                 {QStringLiteral("MOBILE_NO"), txt_MobNO->text().trimmed()},
                                 {QStringLiteral("LOGIN_CODE"), loginCode},
                                 {QStringLiteral("TC_ROLE"), Cmb_TCRole->currentText().trimmed()}}};
    int saved = 0;
    if (!guarded([&] { saved = saveConsultant(db(), session().userFullName, entry); }))
        return;
    prompter().information(this, QStringLiteral("UPDATION OF CONSULTANT SUCCESSFULLY DONE ...."));
    Load_Grid1();
    Show_Record(saved);
}

}  // namespace tarvic
