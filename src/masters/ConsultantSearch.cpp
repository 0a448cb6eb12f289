#include "ConsultantSearch.h"

#include "masters/ConsultantAddressUtil.h"
#include "shell/kit/BusyCursor.h"
#include "shell/kit/GridHelpers.h"
#include "shell/kit/KeyFilters.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

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

    Grid1 = new QTableWidget(this);
    Grid1->setObjectName(QStringLiteral("Grid1"));
    body()->addWidget(Grid1, 1);
    resize(760, 460);

    connect(Cmd_Show, &QPushButton::clicked, this, [this] { Load_Grid1(); });
    onEnter(txt_Name, [this] { Load_Grid1(); });
    connect(Grid1, &QTableWidget::cellDoubleClicked, this, [this](int r, int) { rowChosen(r); });
    onEnter(Grid1, [this] { rowChosen(Grid1->currentRow()); });
    Load_EmptyGrid1();
}

void ConsultantSearch::Load_EmptyGrid1() {
    Load_EmptyGrid(Grid1, {{QStringLiteral("SLNO"), 700, Qt::AlignRight},
                           {QStringLiteral("CONSULTANT NAME"), 3600},
                           {QStringLiteral("CODE"), 800, Qt::AlignRight},
                           {QStringLiteral("CREATED BY - ON"), 3200},
                           {QStringLiteral("UPDATE BY - ON"), 3200}});
    Grid1->horizontalHeader()->setStretchLastSection(true);
}

void ConsultantSearch::Load_Grid1() {
    BusyCursor busy;
    Load_EmptyGrid1();
    try {
        // The pattern is used as typed, with the user's own wildcards.
        QSqlQuery q = db().exec(
            QStringLiteral("SELECT * FROM %1 WHERE CONSULTANT_NAME LIKE ? ORDER BY CONSULTANT_NAME").arg(table_.table),
            {txt_Name->text().trimmed()});
        int sl = 0;
        while (q.next()) {
            addGridRow(Grid1, {QString::number(++sl), q.value(QStringLiteral("CONSULTANT_NAME")).toString().trimmed(),
                               q.value(QStringLiteral("CONSULTANT_CODE")).toString().trimmed(),
                               auditByOn(q.value(QStringLiteral("CREATED_BY")), q.value(QStringLiteral("CREATED_ON"))),
                               auditByOn(q.value(QStringLiteral("UPDATE_BY")), q.value(QStringLiteral("UPDATE_ON")))});
        }
    } catch (const DbError& e) {
        prompter().information(this, e.message());
    }
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
