#include "AccountsListing.h"

#include "data/TransactionRecords.h"
#include "shell/kit/BusyCursor.h"
#include "shell/kit/CodeList.h"
#include "shell/kit/DocumentWindow.h"
#include "shell/kit/ExpXls.h"
#include "shell/kit/GridHelpers.h"
#include "shell/kit/ListGrid.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

namespace tarvic {

AccountsListing::AccountsListing(Session& session, QWidget* parent, const QString& objectName, const QString& title,
                                 bool withExport, QSize size)
    : TaskWindow(session, parent) {
    setObjectName(objectName);
    setWindowTitle(title);
    setTool(1, kCloseTip, [this] { close(); });
    form_ = new QGridLayout;
    form_->setHorizontalSpacing(8);
    Cmd_Show = new QPushButton(QStringLiteral("&SHOW"), this);
    Cmd_Show->setObjectName(QStringLiteral("Cmd_Show"));
    form_->addWidget(Cmd_Show, 0, 8);
    connect(Cmd_Show, &QPushButton::clicked, this, [this] { Load_Grid(); });
    if (withExport) {
        Cmd_Export = new QPushButton(QStringLiteral("E&XPORT"), this);
        Cmd_Export->setObjectName(QStringLiteral("Cmd_Export"));
        form_->addWidget(Cmd_Export, 0, 9);
        connect(Cmd_Export, &QPushButton::clicked, this, [this] { Exp_Xls(); });
    }
    form_->setColumnStretch(7, 1);
    body()->addLayout(form_);
    resize(size);
}

void AccountsListing::placeField(const QString& caption, QWidget* field, int row, int column) {
    auto* label = new QLabel(caption, this);
    label->setBuddy(field);
    form_->addWidget(label, row, column * 2);
    form_->addWidget(field, row, column * 2 + 1);
}

QDateEdit* AccountsListing::dateField(const char* objectName) {
    auto* d = new QDateEdit(QDate::currentDate(), this);
    d->setObjectName(QLatin1String(objectName));
    d->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    d->setCalendarPopup(true);
    return d;
}

QComboBox* AccountsListing::sideField(const char* objectName) {
    auto* c = new QComboBox(this);
    c->setObjectName(QLatin1String(objectName));
    c->addItems({QStringLiteral("DB"), QStringLiteral("CR")});
    return c;
}

ListGrid* AccountsListing::addGrid(const QString& objectName, const QList<ListColumn>& columns, bool totals) {
    auto* model = new QueryModel(db(), columns, this);
    connect(model, &QueryModel::pageFailed, this, [this](const QString& message) {
        if (message != said_)
            prompter().information(this, said_ = message);
    });
    auto* grid = new ListGrid(objectName, this);
    grid->setQueryModel(model);
    grids_ << grid;
    if (!totals) {
        body()->addWidget(grid, 1);
        return grid;
    }
    if (!totals_) {
        totals_ = new QHBoxLayout;
        totals_->addStretch(1);
        body()->addLayout(totals_);
    }
    // As wide as its columns: a totals grid squeezed by the stretch would hide its figures.
    int width = 2 * grid->frameWidth() + grid->verticalScrollBar()->sizeHint().width();
    for (const ListColumn& c : columns)
        width += c.hidden ? 0 : twipsToPixels(c.widthTwips);
    grid->setMinimumWidth(width);
    grid->setMaximumHeight(96);
    totals_->insertWidget(totals_->count() - 1, grid);
    return grid;
}

CodeField* AccountsListing::addPartyField(int row) {
    QPushButton* pick = nullptr;
    CodeField* party = partyCodeField(this, pick);
    QLineEdit* code = party->edit();
    party->nameLabel()->setMinimumWidth(300);
    auto* line = new QHBoxLayout;
    line->addWidget(code);
    line->addWidget(pick);
    line->addWidget(party->nameLabel(), 1);
    auto* label = new QLabel(QStringLiteral("PARTY &CODE"), this);
    label->setBuddy(code);
    form_->addWidget(label, row, 0);
    form_->addLayout(line, row, 1, 1, 5);
    onEnter(code, [this, party] {
        party->lookUp();
        focusNextChild();
    });
    return party;
}

QStringList AccountsListing::codeList(const QString& name) {
    QStringList codes;
    guarded([&] { codes = TransactionRecords(db(), session().userFullName).codeList(name); });
    return codes;
}

void AccountsListing::loadAll(const std::function<void()>& fill) {
    BusyCursor busy;
    said_.clear();
    for (ListGrid* g : grids_)
        g->queryModel()->clear();
    if (!guarded(fill))
        for (ListGrid* g : grids_)
            g->queryModel()->clear();
}

void AccountsListing::load(ListGrid* grid, const QString& select, const QString& groupBy, const QString& orderBy,
                           const ListQuery& query) {
    QueryModel* m = grid->queryModel();
    m->setSelect(select, groupBy);
    m->setOrder(orderBy);
    m->load(query);
}

void AccountsListing::Exp_Xls() {
    tarvic::Exp_Xls(this, Grid1->queryModel(), prompter());
}

}  // namespace tarvic
