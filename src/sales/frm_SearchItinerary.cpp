#include "frm_SearchItinerary.h"

#include "sales/ItineraryForms.h"
#include "shell/kit/BusyCursor.h"
#include "shell/kit/GridHelpers.h"
#include "shell/kit/KeyFilters.h"
#include "shell/kit/ListGrid.h"
#include "shell/kit/QueryModel.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

namespace tarvic {

using namespace itinerary_ui;

namespace {
enum GridCol { SlNo, Duration, Name, Places, State, Desc, Code, Active, Created, Updated };
}

frm_SearchItinerary::frm_SearchItinerary(Session& session, QWidget* parent, const WindowArgs& args)
    : TaskWindow(session, parent), onPick_(args.onPick) {
    setObjectName(QStringLiteral("frm_SearchItinerary"));
    setWindowTitle(QStringLiteral("SEARCH ITINERARY"));

    Cmb_Active = new QComboBox(this);
    Cmb_Active->setObjectName(QStringLiteral("Cmb_Active"));
    Cmb_Active->addItems({QStringLiteral("Y"), QStringLiteral("N")});
    const auto option = [this](const QString& text, const char* name) {
        auto* o = new QRadioButton(text, this);
        o->setObjectName(QLatin1String(name));
        return o;
    };
    Opt_Name = option(QStringLiteral("SEARCH BY ITINERARY &NAME"), "Opt_Name");
    Opt_States = option(QStringLiteral("SEARCH BY STATES CO&VERED"), "Opt_States");
    Opt_Desc = option(QStringLiteral("SEARCH BY D&ESCRIPTION"), "Opt_Desc");
    Opt_Places = option(QStringLiteral("SEARCH BY &PLACES COVERED"), "Opt_Places");
    Opt_Code = option(QStringLiteral("SEARCH BY ITINERARY &CODE"), "Opt_Code");
    auto* group = new QButtonGroup(this);
    for (QRadioButton* o : {Opt_Name, Opt_States, Opt_Desc, Opt_Places, Opt_Code})
        group->addButton(o);
    Opt_Name->setChecked(true);
    txt_Search = textField(this, "txt_Search");
    bindLength(txt_Search, kPatternLength);
    // Itineraries are stored upper case; a pattern typed the same way finds them on every engine.
    attachFilter(txt_Search, KeyFilter::Upper);
    Cmd_Show = new QPushButton(QStringLiteral("SHOW"), this);
    Cmd_Show->setObjectName(QStringLiteral("Cmd_Show"));

    auto* form = new QGridLayout;
    form->addWidget(caption(this, QStringLiteral("ACTIVE (Y/N)"), Cmb_Active), 0, 0);
    form->addWidget(Cmb_Active, 0, 1);
    form->addWidget(Opt_Name, 1, 0, 1, 2);
    form->addWidget(Opt_States, 1, 2);
    form->addWidget(Opt_Desc, 1, 3);
    form->addWidget(Opt_Places, 2, 0, 1, 2);
    form->addWidget(Opt_Code, 2, 2);
    auto* search = new QHBoxLayout;
    search->addWidget(txt_Search, 1);
    search->addWidget(Cmd_Show);
    form->addLayout(search, 3, 0, 1, 4);
    form->setColumnStretch(3, 1);
    body()->addLayout(form);

    using C = ListColumn;
    model_ = new QueryModel(db(),
                            {C::serial(QStringLiteral("SLNO"), 700),
                             C::text(QStringLiteral("DURATION"), QStringLiteral("ITN_DURATION"), 1300),
                             C::text(QStringLiteral("ITINERARY NAME"), QStringLiteral("ITN_NAME"), 3200),
                             C::text(QStringLiteral("PLACES COVERED"), QStringLiteral("ITN_PLACES"), 3200),
                             C::text(QStringLiteral("STATE COVERED"), QStringLiteral("ITN_STATE"), 2200),
                             C::text(QStringLiteral("DESCRIPTION"), QStringLiteral("ITN_DESC"), 3200),
                             C::number(QStringLiteral("CODE"), QStringLiteral("ITN_DOCNO"), 800),
                             C::text(QStringLiteral("ACTIVE"), QStringLiteral("ACTIVE"), 800),
                             ListColumn::byOn(QStringLiteral("CREATED BY - ON"), "CREATED_BY", "CREATED_ON", 3000),
                             ListColumn::byOn(QStringLiteral("UPDATE BY - ON"), "UPDATE_BY", "UPDATE_ON", 3000)},
                            this);
    model_->setSelect(QStringLiteral("*"));
    connect(model_, &QueryModel::pageFailed, this, [this](const QString& m) { prompter().information(this, m); });
    Grid1 = new ListGrid(QStringLiteral("Grid1"), this);
    Grid1->setQueryModel(model_);
    Grid1->horizontalHeader()->setStretchLastSection(true);
    body()->addWidget(Grid1, 1);
    resize(1000, 520);

    connect(Cmd_Show, &QPushButton::clicked, this, [this] { Load_Grid1(); });
    onEnter(txt_Search, [this] { Load_Grid1(); });
    connect(Grid1, &ListGrid::rowChosen, this, [this](int r) { rowChosen(r); });
    onEnter(Grid1, [this] { rowChosen(Grid1->currentRow()); });
    txt_Search->setFocus(Qt::OtherFocusReason);
}

void frm_SearchItinerary::Load_Grid1() {
    BusyCursor busy;
    const QString active = Cmb_Active->currentText();
    const QString text = txt_Search->text().trimmed();
    QString where;
    QVariantList values;
    if (Opt_Code->isChecked()) {
        // A code that is no number finds nothing rather than every itinerary.
        const auto code = positiveNumber(text);
        where = QStringLiteral("ITN_DOCNO = ?");
        values << (code ? *code : -1);
        model_->setOrder(QStringLiteral("ITN_DOCNO"));
    } else {
        const QString column = Opt_States->isChecked()   ? QStringLiteral("ITN_STATE")
                               : Opt_Desc->isChecked()   ? QStringLiteral("ITN_DESC")
                               : Opt_Places->isChecked() ? QStringLiteral("ITN_PLACES")
                                                         : QStringLiteral("ITN_NAME");
        where = column + QStringLiteral(" LIKE ?");
        values << text;
        model_->setOrder(column + QStringLiteral(", ITN_DOCNO"));
    }
    values << active;
    guarded([&] {
        model_->load(
            {QStringLiteral("SELECT {columns} FROM M_TBL_ITINERARY_HEADER WHERE %1 AND ACTIVE=?").arg(where), values});
    });
    if (!isBlankRow(Grid1, 0))
        Grid1->setCurrentCell(0, Name);
}

void frm_SearchItinerary::rowChosen(int row) {
    if (isBlankRow(Grid1, row) || !onPick_)
        return;
    const QString code = gridText(Grid1, row, Code);
    // Closed first: the caller's routine may open another window or take the focus.
    const PickCallback pick = onPick_;
    close();
    pick(code);
}

}  // namespace tarvic
