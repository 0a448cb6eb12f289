#include "frm_DocCode_Acc_Combination.h"

#include "engine/admin/DocumentAccounts.h"
#include "shell/kit/BusyCursor.h"
#include "shell/kit/Checks.h"
#include "shell/kit/GridHelpers.h"
#include "shell/kit/KeyFilters.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

namespace tarvic {

namespace {
enum GridCol { SlNo, DocCode, AccCode, Description };

void paintField(QLineEdit* field, bool locked) {
    field->setEnabled(!locked);
    QPalette p = field->palette();
    const QColor back = locked ? QColor(0xC0, 0xC0, 0xC0) : QColor(Qt::white);
    p.setColor(QPalette::Active, QPalette::Base, back);
    p.setColor(QPalette::Inactive, QPalette::Base, back);
    p.setColor(QPalette::Disabled, QPalette::Base, back);
    // A locked account stays readable on the grey.
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x30, 0x30, 0x30));
    field->setPalette(p);
}
}  // namespace

bool frm_DocCode_Acc_Combination::isLockedCode(const QString& docCode) {
    return documentAccounts::isFixed(docCode);
}

frm_DocCode_Acc_Combination::frm_DocCode_Acc_Combination(Session& session, QWidget* parent)
    : TaskWindow(session, parent) {
    setObjectName(QStringLiteral("frm_DocCode_Acc_Combination"));
    setWindowTitle(QStringLiteral("DOCUMENT - ACCOUNT CODE LINKAGE MASTER"));
    setTool(1, kCloseTip, [this] { close(); });
    setTool(2, kNewTip, [this] { Load_Init(); });
    setTool(3, kSaveTip, [this] { Save_Record(); });
    setTool(4, QStringLiteral("Delete Record { F4 }"), [this] { Delete_Record(); });

    auto* form = new QGridLayout;
    form->setHorizontalSpacing(8);
    Cmb_DocCode = new QComboBox(this);
    Cmb_DocCode->setObjectName(QStringLiteral("Cmb_DocCode"));
    Cmb_DocCode->setMinimumWidth(120);
    lbl_DocDesc = new QLabel(this);
    lbl_DocDesc->setObjectName(QStringLiteral("lbl_DocDesc"));
    lbl_DocDesc->setFrameShape(QFrame::StyledPanel);
    lbl_DocDesc->setMinimumWidth(360);
    txt_AccCode = new QLineEdit(this);
    txt_AccCode->setObjectName(QStringLiteral("txt_AccCode"));
    bindColumn(txt_AccCode, "M_TBL_DOCUMENTACCOUNT_COMB", "ACC_CODE");
    attachFilter(txt_AccCode, KeyFilter::Upper);
    txt_AccDesc = new QLineEdit(this);
    txt_AccDesc->setObjectName(QStringLiteral("txt_AccDesc"));
    bindColumn(txt_AccDesc, "M_TBL_DOCUMENTACCOUNT_COMB", "ACCOUNT_DESC");
    attachFilter(txt_AccDesc, KeyFilter::Upper);

    auto label = [this](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };
    form->addWidget(label(QStringLiteral("DOC&UMENT CODE"), Cmb_DocCode), 0, 0);
    form->addWidget(Cmb_DocCode, 0, 1);
    form->addWidget(lbl_DocDesc, 0, 2);
    form->addWidget(label(QStringLiteral("&ACCOUNT CODE"), txt_AccCode), 1, 0);
    form->addWidget(txt_AccCode, 1, 1);
    form->addWidget(label(QStringLiteral("ACCOUNT D&ESC"), txt_AccDesc), 2, 0);
    form->addWidget(txt_AccDesc, 2, 1, 1, 2);
    form->setColumnStretch(2, 1);
    body()->addLayout(form);

    Grid1 = addDetailedList(this, body());
    resize(720, 520);

    connect(Grid1, &QTableWidget::cellClicked, this, [this](int row, int) { rowChosen(row); });
    onEnter(Grid1, [this] { rowChosen(Grid1->currentRow()); });

    // Load: the list of codes, the empty grid, then the first code as if it were chosen.
    Load_DocumentCode();
    Load_EmptyGrid1();
    connect(Cmb_DocCode, &QComboBox::currentIndexChanged, this, [this] { docCodeChosen(); });
    docCodeChosen();
}

QString frm_DocCode_Acc_Combination::docCode() const { return Cmb_DocCode->currentText().trimmed(); }

void frm_DocCode_Acc_Combination::Load_DocumentCode() {
    QSignalBlocker block(Cmb_DocCode);
    Cmb_DocCode->clear();
    guarded([&] {
        QSqlQuery q = db().exec(QStringLiteral(" SELECT * FROM MST_DOCUMENTCODES ORDER BY DOC_CODE"));
        while (q.next())
            Cmb_DocCode->addItem(q.value(QStringLiteral("DOC_CODE")).toString().trimmed());
    });
}

void frm_DocCode_Acc_Combination::Load_EmptyGrid1() {
    Load_EmptyGrid(Grid1, {{QStringLiteral("SL NO"), 900, Qt::AlignRight},
                           {QStringLiteral("DOC CODE"), 1400},
                           {QStringLiteral("A/C CODE"), 2000},
                           {QStringLiteral("DESCRIPTION"), 5600}});
    Grid1->horizontalHeader()->setStretchLastSection(true);
}

void frm_DocCode_Acc_Combination::docCodeChosen() {
    Show_DocumentDesc();
    Load_Grid1();
    Load_Init();
}

void frm_DocCode_Acc_Combination::Show_DocumentDesc() {
    lbl_DocDesc->clear();
    guarded([&] {
        if (auto row = db().firstRow(QStringLiteral(" SELECT * FROM MST_DOCUMENTCODES WHERE DOC_CODE=?"), {docCode()}))
            lbl_DocDesc->setText(row->value(QStringLiteral("DOC_DESCRIPTION")).toString().trimmed());
    });
}

void frm_DocCode_Acc_Combination::Load_Grid1() {
    BusyCursor busy;
    Load_EmptyGrid1();
    guarded([&] {
        QSqlQuery q = db().exec(
            QStringLiteral(" SELECT * FROM M_TBL_DOCUMENTACCOUNT_COMB WHERE DOC_CODE=? ORDER BY ACC_CODE"), {docCode()});
        int sl = 0;
        while (q.next()) {
            addGridRow(Grid1, {QString::number(++sl), q.value(QStringLiteral("DOC_CODE")).toString().trimmed(),
                               q.value(QStringLiteral("ACC_CODE")).toString().trimmed(),
                               q.value(QStringLiteral("ACCOUNT_DESC")).toString().trimmed()});
        }
    });
}

void frm_DocCode_Acc_Combination::Chk_DocCode() { Lock_Record(isLockedCode(docCode())); }

void frm_DocCode_Acc_Combination::Lock_Record(bool locked) {
    paintField(txt_AccCode, locked);
    paintField(txt_AccDesc, locked);
    tool(3)->setEnabled(!locked);
    tool(4)->setEnabled(!locked);
}

void frm_DocCode_Acc_Combination::Load_Init() {
    txt_AccCode->clear();
    txt_AccDesc->clear();
    chosenRow_ = -1;
    Grid1->clearSelection();
    Chk_DocCode();
}

void frm_DocCode_Acc_Combination::rowChosen(int row) {
    if (isBlankRow(Grid1, row))
        return;
    chosenRow_ = row;
    txt_AccCode->setText(gridText(Grid1, row, AccCode));
    txt_AccDesc->setText(gridText(Grid1, row, Description));
    // Only the description of an existing account may change; a locked code stays locked.
    if (!isLockedCode(docCode()))
        paintField(txt_AccCode, true);
    if (txt_AccDesc->isEnabled()) {
        txt_AccDesc->setFocus(Qt::OtherFocusReason);
        txt_AccDesc->selectAll();
    }
}

void frm_DocCode_Acc_Combination::Save_Record() {
    // The buttons of a locked code are disabled; the rule is kept here too, for any caller.
    if (isLockedCode(docCode()))
        return;
    const bool ok = runChecks(prompter(), this, {
        {[this] { return txt_AccCode->text().trimmed().isEmpty(); }, txt_AccCode,
         QStringLiteral("SORRY ACCOUNT CODE CANNOT BE BLANK....")},
        {[this] { return txt_AccDesc->text().trimmed().isEmpty(); }, txt_AccDesc,
         QStringLiteral("SORRY ACCOUNT DESCRIPTION CANNOT BE BLANK....")},
    });
    if (!ok)
        return;
    const QString code = docCode();
    const QString account = txt_AccCode->text().trimmed().toUpper();
    const QString description = txt_AccDesc->text().trimmed().toUpper();
    const bool saved = guarded([&] {
        // The key is typed: an account already linked to the code takes the new description.
        documentAccounts::put(db(), session().userFullName, code, account, description);
    });
    if (!saved)
        return;
    prompter().information(this, QStringLiteral("UPDATION SUCCESSFULLY DONE ...."));
    Load_Grid1();
    Load_Init();
}

void frm_DocCode_Acc_Combination::Delete_Record() {
    if (isLockedCode(docCode()))
        return;
    if (chosenRow_ < 0 || isBlankRow(Grid1, chosenRow_)) {
        prompter().information(this, QStringLiteral("PLEASE SELECT FROM LIST TO DELETE THE RECORD...."));
        return;
    }
    const QString code = gridText(Grid1, chosenRow_, DocCode);
    const QString account = gridText(Grid1, chosenRow_, AccCode);
    bool inUse = false;
    if (!guarded([&] {
            inUse = documentAccounts::inUse(db(), code, account);
        }))
        return;
    if (inUse) {
        prompter().information(this, documentAccounts::inUseMessage(code, account));
        return;
    }
    const Confirmation question{
        QStringLiteral("ARE YOU SURE WANT TO DELETE ..."),
        {{QStringLiteral(" DOCUMNT CODE : "), code}, {QStringLiteral(" ACCOUNT CODE : "), account}},
        QStringLiteral(" DELETION IS IRREVERSIBLE, WANT TO PROCEED (Y/N) ?")};
    if (!question.ask(prompter(), this))
        return;
    if (!guarded([&] {
            documentAccounts::remove(db(), code, account);
        }))
        return;
    prompter().information(this, QStringLiteral("DELETION COMPLETED SUCCESSFULLY ...."));
    Load_Grid1();
    Load_Init();
}

}  // namespace tarvic
