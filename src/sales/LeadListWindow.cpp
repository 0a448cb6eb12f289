#include "LeadListWindow.h"

#include "LeadQuery.h"
#include "LeadStatusList.h"
#include "masters/ConsultantSearch.h"
#include "shell/kit/KeyFilters.h"
#include "shell/kit/ListGrid.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

namespace tarvic {

namespace {

QLineEdit* lineEdit(QWidget* owner, const QString& name, KeyFilter filter) {
    auto* e = new QLineEdit(owner);
    e->setObjectName(name);
    attachFilter(e, filter);
    return e;
}

}  // namespace

LeadListWindow::LeadListWindow(Session& session, QWidget* parent, ListingConfig config)
    : ListingWindow(session, parent, std::move(config)) {
    Cmb_LeadStatus = new LeadStatusList(session, LeadStatusList::Kind::Filter, this);
    Cmb_LeadStatus->setMaximumWidth(320);
    guarded([&] {
        role_ = Chk_TCRole(session);
        Cmb_LeadStatus->load();
    });
    addCondition([this](ListFilter& f) { lead::addConditions(f, Cmb_LeadStatus->pattern(), role_); });
    // A grid read as the user scrolls: its rows keep the status colours of the lead query.
    detailModel()->setRowColours(lead::statusColours);
}

qint64 LeadListWindow::leadAt(int row) const {
    if (row < 0 || row >= detailModel()->rowCount())
        return 0;
    return detailModel()->text(row, lead::LeadCode).toLongLong();
}

QRadioButton* LeadListWindow::addStatusOption(const QString& objectName, const QString& caption) {
    return addOption(objectName, caption, Cmb_LeadStatus, [](ListFilter&) {});
}

QRadioButton* LeadListWindow::addConsultantOption(const QString& objectName, const QString& caption) {
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    txt_ConsCode = lineEdit(box, QStringLiteral("txt_ConsCode"), KeyFilter::Number);
    txt_ConsCode->setMaximumWidth(90);
    bindColumn(txt_ConsCode, "M_TBL_CONSULTANT", "CONSULTANT_CODE");
    Cmd_SrcCons = new QPushButton(QStringLiteral("..."), box);
    Cmd_SrcCons->setObjectName(QStringLiteral("Cmd_SrcCons"));
    Cmd_SrcCons->setFixedWidth(32);
    lbl_ConsName = new QLabel(box);
    lbl_ConsName->setObjectName(QStringLiteral("lbl_ConsName"));
    lbl_ConsName->setMinimumWidth(220);
    row->addWidget(txt_ConsCode);
    row->addWidget(Cmd_SrcCons);
    row->addWidget(lbl_ConsName, 1);
    box->setFocusProxy(txt_ConsCode);
    connect(Cmd_SrcCons, &QPushButton::clicked, this, [this] {
        QPointer<LeadListWindow> self(this);
        auto* s = new frm_SearchConsultant(session(), this, [self](const QString& code) {
            if (self) {
                self->txt_ConsCode->setText(code);
                self->showConsultantName();
            }
        });
        s->setAttribute(Qt::WA_DeleteOnClose);
        s->setWindowModality(Qt::ApplicationModal);
        s->show();
    });
    // The name beside the code is the looked-up one: editing the code clears it until the code
    // is left or picked.
    connect(txt_ConsCode, &QLineEdit::textEdited, lbl_ConsName, &QLabel::clear);
    connect(txt_ConsCode, &QLineEdit::editingFinished, this, [this] { showConsultantName(); });
    if (role_.consultantLocked()) {
        // An operator asks only for his own leads (the query restricts him anyway).
        txt_ConsCode->setText(role_.role == TCRole::Operator ? QString::number(role_.consultantCode) : QString());
        lbl_ConsName->setText(role_.consultantName);
        txt_ConsCode->setEnabled(false);
        Cmd_SrcCons->setEnabled(false);
    }
    return addOption(objectName, caption, box,
                     [this](ListFilter& f) { f.number(QStringLiteral("a.CONSULTANT_CODE=?"), txt_ConsCode->text()); });
}

void LeadListWindow::showConsultantName() {
    bool ok = false;
    const qint64 code = txt_ConsCode->text().trimmed().toLongLong(&ok);
    QString name;
    if (ok)
        guarded([&] {
            name = db().scalar(QStringLiteral("SELECT CONSULTANT_NAME FROM M_TBL_CONSULTANT WHERE CONSULTANT_CODE=?"),
                               {code})
                       .toString()
                       .trimmed();
        });
    lbl_ConsName->setText(name);
}

QRadioButton* LeadListWindow::addNumberOption(const QString& objectName, const QString& caption, const QString& field,
                                              const QString& column) {
    QLineEdit* e = lineEdit(this, field, KeyFilter::Number);
    e->setMaximumWidth(140);
    // A number compared with a column of the lead's row (a.PARTY_CODE).
    bindColumn(e, "M_TBL_TRANSACTION", column.section(QLatin1Char('.'), -1));
    return addOption(objectName, caption, e,
                     [e, column](ListFilter& f) { f.number(column + QStringLiteral("=?"), e->text()); });
}

QRadioButton* LeadListWindow::addLikeOption(const QString& objectName, const QString& caption, const QString& field,
                                            const QString& column, const QString& suffix) {
    // Typed as stored: a mail address and a file number keep their case.
    auto* e = new QLineEdit(this);
    e->setObjectName(field);
    bindLength(e, kPatternLength);
    e->setMaximumWidth(320);
    return addOption(objectName, caption, e, [e, column, suffix](ListFilter& f) {
        f.add(column + QStringLiteral(" LIKE ?"), {e->text().trimmed() + suffix});
    });
}

}  // namespace tarvic
