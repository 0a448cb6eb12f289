#include "frm_BusinessLeads.h"

#include "LeadQuery.h"
#include "shell/kit/ListGrid.h"

#include <QDateEdit>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

namespace tarvic {

namespace {

ListingConfig registerConfig() {
    return {.objectName = QStringLiteral("frm_BusinessLeads"),
            .title = QStringLiteral("BUSINESS LEADS"),
            .statement = lead::kStatement,
            .dateColumn = QStringLiteral("a.DOC_DATE"),
            .period = ListingPeriod::Today,
            .detail = {.objectName = QStringLiteral("Grid1"),
                       .select = lead::kSelect,
                       .orderBy = lead::kOrder,
                       .columns = lead::gridColumns()},
            .exportName = QStringLiteral("Cmd_ExpXls"),
            .exportCaption = QStringLiteral("E&xport to Excel"),
            .size = QSize(1000, 640)};
}

}  // namespace

frm_BusinessLeads::frm_BusinessLeads(Session& session, QWidget* parent)
    : LeadListWindow(session, parent, registerConfig()) {
    txt_FromDate->setObjectName(QStringLiteral("txt_FrmDate"));
    addStatusOption(QStringLiteral("Option1"), QStringLiteral("SHOW LEAD STATUS"));
    addConsultantOption(QStringLiteral("Option2"), QStringLiteral("C&ONSULTANT CODE"));
    addNumberOption(QStringLiteral("Option3"), QStringLiteral("PARTY &CODE"), QStringLiteral("txt_PartyCode"),
                    QStringLiteral("a.PARTY_CODE"));
    addNumberOption(QStringLiteral("Option4"), QStringLiteral("&LEAD NO"), QStringLiteral("txt_LeadNO"),
                    QStringLiteral("a.DOC_NO"));
    addLikeOption(QStringLiteral("Option5"), QStringLiteral("MA&IL ADDRESS LIKE"), QStringLiteral("txt_MailAddress"),
                  QStringLiteral("a.TOURIST_EMAIL"));
    txt_PartyCode = findChild<QLineEdit*>(QStringLiteral("txt_PartyCode"));
    txt_LeadNO = findChild<QLineEdit*>(QStringLiteral("txt_LeadNO"));
    txt_MailAddress = findChild<QLineEdit*>(QStringLiteral("txt_MailAddress"));

    lbl_LeadCode = new QLabel(QStringLiteral("0"), this);
    lbl_LeadCode->setObjectName(QStringLiteral("lbl_LeadCode"));
    lbl_LeadCode->hide();
    lbl_LeadLock = new QLabel(QStringLiteral("N"), this);
    lbl_LeadLock->setObjectName(QStringLiteral("lbl_LeadLock"));
    lbl_LeadLock->hide();

    QPointer<frm_BusinessLeads> self(this);
    auto reload = [self](const QString&) {
        if (self)
            self->Load_Grid1();
    };
    setTool(2, kNewTip, [this, reload] { openWindow(QStringLiteral("frm_BusinessLead_Add"), {{}, reload}); });
    setTool(3, QStringLiteral("Follow Up { F3 }"), [this, reload] {
        openWindow(QStringLiteral("frm_BusinessLead_Action"),
                   {{{QStringLiteral("LEAD_NO"), lbl_LeadCode->text().toLongLong()}}, reload});
    });
    // After Show nothing is selected until a row is clicked.
    connect(Cmd_Show, &QPushButton::clicked, this, [this] { select(-1); });
    connect(Grid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { select(current.isValid() ? current.row() : -1); });
    select(-1);
}

void frm_BusinessLeads::Load_Grid1() {
    Load_Grid();
    Grid1->selectionModel()->clearCurrentIndex();
    select(-1);
}

void frm_BusinessLeads::select(int row) {
    const qint64 lead = leadAt(row);
    lbl_LeadCode->setText(QString::number(lead));
    lbl_LeadLock->setText(lead ? Grid1->text(row, Grid1->columnCount() - 1) : QStringLiteral("N"));
    tool(3)->setEnabled(lead != 0);
}

}  // namespace tarvic
