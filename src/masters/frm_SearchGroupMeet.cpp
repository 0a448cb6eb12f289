#include "frm_SearchGroupMeet.h"

#include "shell/kit/BusyCursor.h"
#include "shell/kit/GridHelpers.h"
#include "shell/kit/KeyFilters.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>

namespace tarvic {

namespace {
enum GridCol { SlNo, Name, Code };
}

frm_SearchGroupMeet::frm_SearchGroupMeet(Session& session, QWidget* parent, PickCallback onPick)
    : TaskWindow(session, parent), onPick_(std::move(onPick)) {
    setObjectName(QStringLiteral("frm_SearchGroupMeet"));
    setWindowTitle(QStringLiteral("SEARCH GROUP / MEET "));

    txt_GroupMeetName = new QLineEdit(this);
    txt_GroupMeetName->setObjectName(QStringLiteral("txt_GroupMeetName"));
    bindLength(txt_GroupMeetName, kPatternLength);
    // Group names are stored upper case; a pattern typed the same way finds them on every engine.
    attachFilter(txt_GroupMeetName, KeyFilter::Upper);
    Cmd_Show = new QPushButton(QStringLiteral("&Show Record"), this);
    Cmd_Show->setObjectName(QStringLiteral("Cmd_Show"));

    auto* row = new QHBoxLayout;
    auto* nameLabel = new QLabel(QStringLiteral("GROUP / MEET &NAME"), this);
    nameLabel->setBuddy(txt_GroupMeetName);
    row->addWidget(nameLabel);
    row->addWidget(txt_GroupMeetName, 1);
    row->addWidget(Cmd_Show);
    body()->addLayout(row);

    Grid1 = addDetailedList(this, body());
    resize(620, 440);

    Load_EmptyGrid1();
    connect(Cmd_Show, &QPushButton::clicked, this, [this] { Load_Grid1(); });
    onEnter(txt_GroupMeetName, [this] { Load_Grid1(); });
    onEnter(Grid1, [this] { rowChosen(Grid1->currentRow()); });
    connect(Grid1, &QTableWidget::cellDoubleClicked, this, [this](int r, int) { rowChosen(r); });
}

void frm_SearchGroupMeet::Load_EmptyGrid1() {
    Load_EmptyGrid(Grid1, {{QStringLiteral("SLNO"), 800, Qt::AlignRight},
                           {QStringLiteral("GROUP / MEET NAME"), 5000},
                           {QStringLiteral("CODE"), 1200, Qt::AlignRight}});
    Grid1->horizontalHeader()->setStretchLastSection(true);
}

void frm_SearchGroupMeet::Load_Grid1() {
    BusyCursor busy;
    Load_EmptyGrid1();
    guarded([&] {
        // The pattern is taken as typed: the user supplies the % wildcards.
        QSqlQuery q = db().exec(QStringLiteral(" SELECT * FROM M_TBL_PARTYGROUP  WHERE GROUP_NAME LIKE ? ORDER BY GROUP_NAME "),
                                {txt_GroupMeetName->text().trimmed()});
        int sl = 0;
        while (q.next())
            addGridRow(Grid1, {QString::number(++sl), q.value(QStringLiteral("GROUP_NAME")).toString().trimmed(),
                               q.value(QStringLiteral("GROUP_CODE")).toString().trimmed()});
    });
}

void frm_SearchGroupMeet::rowChosen(int row) {
    if (isBlankRow(Grid1, row))
        return;
    const QString code = gridText(Grid1, row, Code).trimmed();
    if (code.isEmpty() || !onPick_)
        return;
    // The caller may close itself (and this child) from its callback.
    QPointer<frm_SearchGroupMeet> self(this);
    const PickCallback pick = onPick_;
    pick(code);
    if (self)
        close();
}

}  // namespace tarvic
