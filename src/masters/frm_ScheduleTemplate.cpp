#include "frm_ScheduleTemplate.h"

#include "shell/kit/GridHelpers.h"
#include "shell/kit/KeyFilters.h"
#include "shell/kit/LinesGrid.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tarvic {

namespace {

using K = LineColumn::Kind;
using Share = TemplateLine::Share;
using Due = TemplateLine::Due;

// The captions of the kinds, in the order their lists offer them.
const std::pair<Share, QString> kShares[] = {{Share::Percent, QStringLiteral("PERCENT")},
                                             {Share::Amount, QStringLiteral("AMOUNT")}};
const std::pair<Due, QString> kRules[] = {{Due::OnBooking, QStringLiteral("ON BOOKING")},
                                          {Due::BeforeTravel, QStringLiteral("DAYS BEFORE TRAVEL")},
                                          {Due::AfterBooking, QStringLiteral("DAYS AFTER BOOKING")}};

template <typename E, size_t N>
QStringList captions(const std::pair<E, QString> (&kinds)[N]) {
    QStringList out;
    for (const auto& k : kinds)
        out << k.second;
    return out;
}
template <typename E, size_t N>
QString captionOf(const std::pair<E, QString> (&kinds)[N], E kind) {
    for (const auto& k : kinds)
        if (k.first == kind)
            return k.second;
    return {};
}
template <typename E, size_t N>
E kindOf(const std::pair<E, QString> (&kinds)[N], const QString& caption) {
    for (const auto& k : kinds)
        if (k.second == caption)
            return k.first;
    return kinds[0].first;
}

constexpr int kLargestDays = 9999;
const QList<GridColumn> kListColumns{{QStringLiteral("TEMPLATE NAME"), 4000},
                                     {QStringLiteral("LINES"), 900, Qt::AlignRight},
                                     {QStringLiteral("CODE"), 900, {}, true}};

}  // namespace

frm_ScheduleTemplate::frm_ScheduleTemplate(Session& session, QWidget* parent) : TaskWindow(session, parent) {
    setObjectName(QStringLiteral("frm_ScheduleTemplate"));
    setWindowTitle(QStringLiteral("PAYMENT SCHEDULE TEMPLATE"));
    setTool(1, kCloseTip, [this] { close(); });
    setTool(2, kNewTip, [this] { Load_Init(); });
    setTool(3, kSaveTip, [this] { Save_Record(); });
    setTool(4, QStringLiteral("Delete Record { F4 }"), [this] { Delete_Record(); });

    auto* head = new QHBoxLayout;
    auto* caption = new QLabel(QStringLiteral("TEMPLATE &NAME"), this);
    head->addWidget(caption);
    txt_TemplateName = new QLineEdit(this);
    txt_TemplateName->setObjectName(QStringLiteral("txt_TemplateName"));
    caption->setBuddy(txt_TemplateName);
    attachFilter(txt_TemplateName, KeyFilter::Upper);
    bindColumn(txt_TemplateName, "M_TBL_SCHEDULE_TEMPLATE", "TEMPLATE_NAME");
    head->addWidget(txt_TemplateName, 1);
    body()->addLayout(head);

    Grid_Lines = new LinesGrid(QStringLiteral("Grid_Lines"),
                               {{QStringLiteral("SHARE"), 1300, K::Choice, 0, captions(kShares)},
                                {QStringLiteral("VALUE"), 1400, K::Amount},
                                {QStringLiteral("DUE"), 2600, K::Choice, 0, captions(kRules)},
                                {QStringLiteral("DAYS"), 800, K::Whole, kLargestDays},
                                {QStringLiteral("NOTE"), 3000, K::Text, 200}},
                               this);
    body()->addWidget(Grid_Lines, 1);
    auto* buttons = new QHBoxLayout;
    Cmd_AddLine = new QPushButton(QStringLiteral("ADD LINE"), this);
    Cmd_AddLine->setObjectName(QStringLiteral("Cmd_AddLine"));
    Cmd_AddLine->setToolTip(QStringLiteral("A new line { Insert in the grid }"));
    Cmd_DelLine = new QPushButton(QStringLiteral("REMOVE LINE"), this);
    Cmd_DelLine->setObjectName(QStringLiteral("Cmd_DelLine"));
    Cmd_DelLine->setToolTip(QStringLiteral("Removes the chosen line { Delete in the grid }"));
    buttons->addWidget(Cmd_AddLine);
    buttons->addWidget(Cmd_DelLine);
    buttons->addStretch(1);
    body()->addLayout(buttons);
    connect(Cmd_AddLine, &QPushButton::clicked, this, [this] { Grid_Lines->addLine(); });
    connect(Cmd_DelLine, &QPushButton::clicked, this, [this] { Grid_Lines->removeLine(); });

    Grid1 = addDetailedList(this, body());
    const auto choose = [this](int row) {
        if (!isBlankRow(Grid1, row))
            Show_Record(gridText(Grid1, row, 2).toInt());
    };
    connect(Grid1, &QTableWidget::cellDoubleClicked, this, [choose](int row, int) { choose(row); });
    onEnter(Grid1, [this, choose] { choose(Grid1->currentRow()); });
    resize(760, 560);
    Load_Init();
}

void frm_ScheduleTemplate::Load_Grid() {
    Load_EmptyGrid(Grid1, kListColumns);
    guarded([&] {
        for (const ScheduleTemplate& t : ScheduleTemplates(db(), session().userFullName).all())
            addGridRow(Grid1, {t.name, QString::number(t.lines.size()), QString::number(t.code)});
    });
}

void frm_ScheduleTemplate::Load_Init() {
    code_ = 0;
    txt_TemplateName->clear();
    Grid_Lines->setLines({});
    Grid_Lines->addLine();
    Load_Grid();
    txt_TemplateName->setFocus();
}

bool frm_ScheduleTemplate::Show_Record(int code) {
    std::optional<ScheduleTemplate> t;
    if (!guarded([&] { t = ScheduleTemplates(db(), session().userFullName).read(code); }) || !t)
        return false;
    code_ = t->code;
    txt_TemplateName->setText(t->name);
    QList<QStringList> lines;
    for (const TemplateLine& l : t->lines)
        lines << QStringList{captionOf(kShares, l.share), l.value.toString(), captionOf(kRules, l.due),
                             QString::number(l.days), l.note};
    Grid_Lines->setLines(lines);
    txt_TemplateName->setFocus();
    return true;
}

ScheduleTemplate frm_ScheduleTemplate::typed() const {
    ScheduleTemplate t{code_, txt_TemplateName->text().trimmed(), {}};
    for (const QStringList& l : Grid_Lines->lines())
        t.lines.push_back({kindOf(kShares, l.at(ColShare)), Money::fromInput(l.at(ColValue)),
                           kindOf(kRules, l.at(ColRule)), l.at(ColDays).toInt(), l.at(ColNote)});
    return t;
}

void frm_ScheduleTemplate::Save_Record() {
    const ScheduleTemplate t = typed();
    // The engine checks the template in the master's order; the name is the one field outside the grid.
    if (const QString fault = templateFault(t); !fault.isEmpty()) {
        prompter().information(this, fault);
        (t.name.isEmpty() ? static_cast<QWidget*>(txt_TemplateName) : Grid_Lines)->setFocus();
        return;
    }
    int code = 0;
    if (!guarded([&] { code = ScheduleTemplates(db(), session().userFullName).save(t); }))
        return;
    prompter().information(this, QStringLiteral("UPDATION OF SCHEDULE TEMPLATE SUCCESSFULLY DONE ...."));
    Load_Grid();
    Show_Record(code);
}

void frm_ScheduleTemplate::Delete_Record() {
    if (code_ <= 0) {
        prompter().information(this, QStringLiteral("PLEASE SELECT A TEMPLATE TO DELETE ...."));
        return;
    }
    if (!prompter().question(this, QStringLiteral("DELETE SCHEDULE TEMPLATE : %1 ? ARE YOU SURE WANT TO PROCEED (Y/N ?")
                                       .arg(txt_TemplateName->text().trimmed())))
        return;
    if (!guarded([&] { ScheduleTemplates(db(), session().userFullName).remove(code_); }))
        return;
    prompter().information(this, QStringLiteral("SCHEDULE TEMPLATE DELETED ...."));
    Load_Init();
}

}  // namespace tarvic
