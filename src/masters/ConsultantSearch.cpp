#include "ConsultantSearch.h"

#include "data/Moments.h"
#include "shell/kit/BusyCursor.h"
#include "shell/kit/GridHelpers.h"
#include "shell/kit/KeyFilters.h"
#include "shell/kit/ListGrid.h"
#include "shell/kit/QueryModel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tarvic {

namespace {
enum GridCol { SlNo, Name, Code, Created, Updated };
}

ConsultantSearch::ConsultantSearch(const ConsultantTable& table, Session& session, QWidget* parent, PickCallback onPick)
    : TaskWindow(session, parent), table_(table), onPick_(std::move(onPick)) {
    setObjectName(table.searchObject);
    setWindowTitle(table.searchTitle);

    txt_Name = new QLineEdit(this);
    txt_Name->setObjectName(QStringLiteral("txt_Name"));
    bindLength(txt_Name, kPatternLength);
    attachFilter(txt_Name, KeyFilter::Upper);
    Cmd_Show = new QPushButton(QStringLiteral("SHOW"), this);
    Cmd_Show->setObjectName(QStringLiteral("Cmd_Show"));
    auto* caption = new QLabel(table.searchCaption, this);
    caption->setBuddy(txt_Name);
    auto* row = new QHBoxLayout;
    row->addWidget(caption);
    row->addWidget(txt_Name, 1);
    row->addWidget(Cmd_Show);
    body()->addLayout(row);

    auto byOn = [](const char* by, const char* on) {
        return [by, on](const QSqlRecord& r) { return byOnText(r.value(QLatin1String(by)), r.value(QLatin1String(on))); };
    };
    using C = ListColumn;
    model_ = new QueryModel(db(),
                            {C::serial(QStringLiteral("SLNO"), 700),
                             C::text(QStringLiteral("CONSULTANT NAME"), QStringLiteral("CONSULTANT_NAME"), 3600),
                             C::text(QStringLiteral("CODE"), QStringLiteral("CONSULTANT_CODE"), 800, Qt::AlignRight),
                             C::computed(QStringLiteral("CREATED BY - ON"), 3200, byOn("CREATED_BY", "CREATED_ON")),
                             C::computed(QStringLiteral("UPDATE BY - ON"), 3200, byOn("UPDATE_BY", "UPDATE_ON"))},
                            this);
    model_->setSelect(QStringLiteral("*"));
    model_->setOrder(QStringLiteral("CONSULTANT_NAME, CONSULTANT_CODE"));
    connect(model_, &QueryModel::pageFailed, this, [this](const QString& m) { prompter().information(this, m); });
    Grid1 = new ListGrid(QStringLiteral("Grid1"), this);
    Grid1->setQueryModel(model_);
    Grid1->horizontalHeader()->setStretchLastSection(true);
    body()->addWidget(Grid1, 1);
    resize(760, 460);

    connect(Cmd_Show, &QPushButton::clicked, this, [this] { Load_Grid1(); });
    onEnter(txt_Name, [this] { Load_Grid1(); });
    connect(Grid1, &ListGrid::rowChosen, this, [this](int r) { rowChosen(r); });
    onEnter(Grid1, [this] { rowChosen(Grid1->currentRow()); });
}

void ConsultantSearch::Load_Grid1() {
    BusyCursor busy;
    guarded([&] {
        // The pattern is used as typed, with the user's own wildcards.
        model_->load({QStringLiteral("SELECT {columns} FROM %1 WHERE CONSULTANT_NAME LIKE ?").arg(table_.table),
                      {txt_Name->text().trimmed()}});
    });
    if (!isBlankRow(Grid1, 0))
        Grid1->setCurrentCell(0, Name);
}

void ConsultantSearch::rowChosen(int row) {
    if (isBlankRow(Grid1, row))
        return;
    const QString code = gridText(Grid1, row, Code);
    // Closed first: the caller's routine may open another window or take the focus.
    const PickCallback pick = onPick_;
    close();
    if (pick)
        pick(code);
}

}  // namespace tarvic
