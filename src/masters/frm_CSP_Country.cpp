#include "frm_CSP_Country.h"

#include "data/Numbering.h"
#include "masters/GeographyLists.h"
#include "shell/kit/BusyCursor.h"
#include "shell/kit/Checks.h"
#include "shell/kit/GridHelpers.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

namespace tarvic {

namespace {
enum GridCol { SlNo, Name, Code };
}

frm_CSP_Country::frm_CSP_Country(Session& session, QWidget* parent) : TaskWindow(session, parent) {
    setObjectName(QStringLiteral("frm_CSP_Country"));
    setWindowTitle(QStringLiteral("COUNTRY MAINTENANCE"));
    setTool(1, kCloseTip, [this] { close(); });
    setTool(2, kNewTip, [this] { Load_Init(); });
    setTool(3, kSaveTip, [this] { Save_Record(); });

    txt_Name = new QLineEdit(this);
    txt_Name->setObjectName(QStringLiteral("txt_Name"));
    txt_Name->setMaxLength(100);
    lbl_Code = new QLabel(this);
    lbl_Code->setObjectName(QStringLiteral("lbl_Code"));
    lbl_Code->setFrameShape(QFrame::StyledPanel);
    lbl_Code->setMinimumWidth(100);

    auto* form = new QGridLayout;
    auto* codeLabel = new QLabel(QStringLiteral("COUNTRY CODE"), this);
    auto* nameLabel = new QLabel(QStringLiteral("COUNTRY &NAME"), this);
    nameLabel->setBuddy(txt_Name);
    form->addWidget(codeLabel, 0, 0);
    form->addWidget(lbl_Code, 0, 1, Qt::AlignLeft);
    form->addWidget(nameLabel, 1, 0);
    form->addWidget(txt_Name, 1, 1);
    form->setColumnStretch(1, 1);
    body()->addLayout(form);

    Grid1 = new QTableWidget(this);
    Grid1->setObjectName(QStringLiteral("Grid1"));
    auto* gridLabel = new QLabel(QStringLiteral("&Detailed List"), this);
    gridLabel->setBuddy(Grid1);
    body()->addWidget(gridLabel);
    body()->addWidget(Grid1, 1);
    resize(560, 480);

    connect(Grid1, &QTableWidget::cellClicked, this, [this](int r, int) { rowChosen(r); });
    onEnter(Grid1, [this] { rowChosen(Grid1->currentRow()); });

    Load_Grid1();
    Load_Init();
}

void frm_CSP_Country::Load_EmptyGrid1() {
    Load_EmptyGrid(Grid1, {{QStringLiteral("SLNO"), 800, Qt::AlignRight},
                           {QStringLiteral("COUNTRY NAME"), 4500},
                           {QStringLiteral("CODE"), 1200, Qt::AlignRight}});
    Grid1->horizontalHeader()->setStretchLastSection(true);
}

void frm_CSP_Country::Load_Grid1() {
    BusyCursor busy;
    Load_EmptyGrid1();
    try {
        QSqlQuery q = db().exec(QStringLiteral("SELECT * FROM M_TBL_CSP_COUNTRY ORDER BY COUNTRY_NAME"));
        int sl = 0;
        while (q.next())
            addGridRow(Grid1, {QString::number(++sl), q.value(QStringLiteral("COUNTRY_NAME")).toString().trimmed(),
                               QString::number(q.value(QStringLiteral("COUNTRY_CODE")).toLongLong())});
    } catch (const DbError& e) {
        prompter().information(this, e.message());
    }
}

void frm_CSP_Country::Load_Init() {
    lbl_Code->clear();
    txt_Name->clear();
    txt_Name->setFocus(Qt::OtherFocusReason);
}

void frm_CSP_Country::rowChosen(int row) {
    if (isBlankRow(Grid1, row))
        return;
    lbl_Code->setText(gridText(Grid1, row, Code));
    txt_Name->setText(gridText(Grid1, row, Name));
    txt_Name->setFocus(Qt::OtherFocusReason);
    txt_Name->selectAll();
}

void frm_CSP_Country::Save_Record() {
    const bool ok = runChecks(prompter(), this, {
        {[this] { return txt_Name->text().trimmed().isEmpty(); }, txt_Name,
         QStringLiteral("COUNTRY NAME CANNOT BE BLANK ....")},
    });
    if (!ok)
        return;
    const QString name = txt_Name->text().trimmed();
    const qint64 shown = lbl_Code->text().trimmed().toLongLong();
    const QString user = session().userFullName;
    qint64 code = 0;
    try {
        // The number and the row are kept together or not at all.
        code = db().transact([&] {
            const qint64 c = shown > 0 ? shown : Numbering(db()).next(QStringLiteral("COUNTRY"));
            const QDateTime now = QDateTime::currentDateTime();
            const bool exists =
                db().firstRow(QStringLiteral("SELECT * FROM M_TBL_CSP_COUNTRY WHERE COUNTRY_CODE=?"), {c}).has_value();
            if (exists)
                db().exec(QStringLiteral("UPDATE M_TBL_CSP_COUNTRY SET COUNTRY_NAME=?, UPDATE_BY=?, UPDATE_ON=? "
                                         "WHERE COUNTRY_CODE=?"),
                          {name, user, now, c});
            else
                db().exec(QStringLiteral("INSERT INTO M_TBL_CSP_COUNTRY (COUNTRY_CODE, COUNTRY_NAME, CREATED_BY, CREATED_ON, "
                                         "UPDATE_BY, UPDATE_ON) VALUES (?, ?, ?, ?, ?, ?)"),
                          {c, name, user, now, user, now});
            return c;
        });
    } catch (const DbError& e) {
        prompter().information(this, e.message());
        return;
    }
    lbl_Code->setText(QString::number(code));
    prompter().information(this, QStringLiteral("UPDATION OF COUNTRY SUCCESSFULLY DONE ...."));
    Load_Init();
    Load_Grid1();
}

}  // namespace tarvic
