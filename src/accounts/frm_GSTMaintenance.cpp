#include "frm_GSTMaintenance.h"

#include "data/Moments.h"
#include "data/Money.h"
#include "data/RowWriter.h"
#include "shell/kit/Checks.h"
#include "shell/kit/GridHelpers.h"
#include "shell/kit/KeyFilters.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

namespace tarvic {

namespace {

enum Col { ColFor, ColSac, ColCgst, ColSgst, ColIgst, ColCreated, ColUpdated };

QString rateText(const QString& typed) {
    return Money::fromInput(typed).toString();
}

}  // namespace

frm_GSTMaintenance::frm_GSTMaintenance(Session& session, QWidget* parent) : TaskWindow(session, parent) {
    setObjectName(QStringLiteral("frm_GSTMaintenance"));
    setWindowTitle(QStringLiteral("GST MAINTENANCE"));
    setTool(1, kCloseTip, [this] { close(); });
    setTool(2, kNewTip, [this] { Load_Init(); });
    setTool(3, kSaveTip, [this] { Save_Record(); });

    const auto edit = [this](const char* name, KeyFilter filter, const char* column) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        bindColumn(e, "M_TBL_GSTMAINTENANCE", column);
        attachFilter(e, filter);
        return e;
    };
    txt_GSTFor = edit("txt_GSTFor", KeyFilter::Upper, "GST_FOR");
    txt_SACCode = edit("txt_SACCode", KeyFilter::Upper, "SAC_CODE");
    txt_CGSTPer = edit("txt_CGSTPer", KeyFilter::Amount, "CGST_PER");
    txt_SGSTPer = edit("txt_SGSTPer", KeyFilter::Amount, "SGST_PER");
    txt_IGSTPer = edit("txt_IGSTPer", KeyFilter::Amount, "IGST_PER");
    for (QLineEdit* e : {txt_CGSTPer, txt_SGSTPer, txt_IGSTPer})
        limitField(e, percentLimit());
    // Two decimals on leaving; a blank rate is 0.
    for (QLineEdit* e : {txt_CGSTPer, txt_SGSTPer, txt_IGSTPer}) {
        e->setMaximumWidth(120);
        e->setAlignment(Qt::AlignRight);
        connect(e, &QLineEdit::editingFinished, e, [e] { e->setText(rateText(e->text())); });
    }
    lbl_CreatedByOn = new QLabel(this);
    lbl_CreatedByOn->setObjectName(QStringLiteral("lbl_CreatedByOn"));
    lbl_UpdateByOn = new QLabel(this);
    lbl_UpdateByOn->setObjectName(QStringLiteral("lbl_UpdateByOn"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("GST &FOR"), txt_GSTFor);
    form->addRow(QStringLiteral("S&AC CODE"), txt_SACCode);
    form->addRow(QStringLiteral("&CGST (%)"), txt_CGSTPer);
    form->addRow(QStringLiteral("&SGST (%)"), txt_SGSTPer);
    form->addRow(QStringLiteral("&IGST (%)"), txt_IGSTPer);
    form->addRow(QStringLiteral("CREATED BY - ON"), lbl_CreatedByOn);
    form->addRow(QStringLiteral("UPDATED BY - ON"), lbl_UpdateByOn);
    body()->addLayout(form);
    Grid1 = addDetailedList(this, body());
    connect(Grid1, &QTableWidget::cellClicked, this, [this](int row, int) { Show_Record(row); });
    resize(820, 560);
    Load_Init();
    Load_Grid();
}

void frm_GSTMaintenance::Load_Init() {
    for (QLineEdit* e : {txt_GSTFor, txt_SACCode})
        e->clear();
    for (QLineEdit* e : {txt_CGSTPer, txt_SGSTPer, txt_IGSTPer})
        e->setText(QStringLiteral("0.00"));
    txt_GSTFor->setReadOnly(false);
    lbl_CreatedByOn->clear();
    lbl_UpdateByOn->clear();
    txt_GSTFor->setFocus();
}

void frm_GSTMaintenance::Load_Grid() {
    Load_EmptyGrid(Grid1, {{QStringLiteral("GST FOR"), 3000},
                           {QStringLiteral("SAC CODE"), 1500},
                           {QStringLiteral("CGST(%)"), 1100, Qt::AlignRight},
                           {QStringLiteral("SGST(%)"), 1100, Qt::AlignRight},
                           {QStringLiteral("IGST(%)"), 1100, Qt::AlignRight},
                           {QStringLiteral("CREATED BY-ON"), 3300},
                           {QStringLiteral("UPDATE BY-ON"), 3300}});
    guarded([&] {
        QSqlQuery q = db().exec(QStringLiteral("SELECT * FROM M_TBL_GSTMAINTENANCE ORDER BY GST_FOR"));
        while (q.next()) {
            const auto v = [&](const char* c) { return q.value(QLatin1String(c)); };
            addGridRow(Grid1,
                       {v("GST_FOR").toString(), v("SAC_CODE").toString(), Money::fromVariant(v("CGST_PER")).toString(),
                        Money::fromVariant(v("SGST_PER")).toString(), Money::fromVariant(v("IGST_PER")).toString(),
                        byOnText(v("CREATED_BY"), v("CREATED_ON")), byOnText(v("UPDATE_BY"), v("UPDATE_ON"))});
        }
    });
}

void frm_GSTMaintenance::Show_Record(int row) {
    if (isBlankRow(Grid1, row))
        return;
    txt_GSTFor->setText(gridText(Grid1, row, ColFor));
    txt_SACCode->setText(gridText(Grid1, row, ColSac));
    txt_CGSTPer->setText(gridText(Grid1, row, ColCgst));
    txt_SGSTPer->setText(gridText(Grid1, row, ColSgst));
    txt_IGSTPer->setText(gridText(Grid1, row, ColIgst));
    lbl_CreatedByOn->setText(gridText(Grid1, row, ColCreated));
    lbl_UpdateByOn->setText(gridText(Grid1, row, ColUpdated));
    txt_SACCode->setFocus();
}

void frm_GSTMaintenance::Save_Record() {
    const QString gstFor = upperText(txt_GSTFor->text().trimmed());
    if (!runChecks(prompter(), this,
                   {{[&] { return gstFor.isEmpty(); }, txt_GSTFor, QStringLiteral("PLEASE ENTER GST FOR ....")}}))
        return;
    const Columns columns{{QStringLiteral("SAC_CODE"), txt_SACCode->text().trimmed()},
                          {QStringLiteral("CGST_PER"), Money::fromInput(txt_CGSTPer->text()).toVariant()},
                          {QStringLiteral("SGST_PER"), Money::fromInput(txt_SGSTPer->text()).toVariant()},
                          {QStringLiteral("IGST_PER"), Money::fromInput(txt_IGSTPer->text()).toVariant()}};
    const bool ok = guarded([&] {
        db().transact([&] {
            const bool isNew =
                db().scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_GSTMAINTENANCE WHERE GST_FOR=?"), {gstFor})
                    .toLongLong() == 0;
            RowWriter(db(), session().userFullName)
                .write(QStringLiteral("M_TBL_GSTMAINTENANCE"), {{QStringLiteral("GST_FOR"), gstFor}}, columns, isNew);
        });
    });
    if (!ok)
        return;
    prompter().information(this, QStringLiteral("UPDATION OF GST SUCCESSFULLY DONE ...."));
    Load_Init();
    Load_Grid();
}

}  // namespace tarvic
