#include "ScheduleTab.h"

#include "engine/dues/PaymentSchedules.h"
#include "shell/kit/LinesGrid.h"
#include "shell/kit/TaskWindow.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvic {

namespace {

using K = LineColumn::Kind;

const QString kRed = QStringLiteral("color: #c00000; font-weight: bold;");

}  // namespace

ScheduleTab::ScheduleTab(TaskWindow& owner, QWidget* parent) : QWidget(parent), owner_(owner) {
    setObjectName(QStringLiteral("tab_PaymentSchedule"));
    auto* v = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* caption = new QLabel(QStringLiteral("SCHEDULE TEMPLATE"), this);
    top->addWidget(caption);
    Cmb_Template = new QComboBox(this);
    Cmb_Template->setObjectName(QStringLiteral("Cmb_Template"));
    Cmb_Template->setMinimumWidth(260);
    caption->setBuddy(Cmb_Template);
    top->addWidget(Cmb_Template);
    Cmd_FillTemplate = new QPushButton(QStringLiteral("FILL FROM TEMPLATE"), this);
    Cmd_FillTemplate->setObjectName(QStringLiteral("Cmd_FillTemplate"));
    top->addWidget(Cmd_FillTemplate);
    top->addStretch(1);
    v->addLayout(top);

    Grid_Schedule = new LinesGrid(QStringLiteral("Grid_Schedule"),
                                  {{QStringLiteral("DUE DATE"), 1400, K::Date},
                                   {QStringLiteral("AMOUNT"), 1500, K::Amount},
                                   {QStringLiteral("% OF TOTAL"), 1200, K::Percent},
                                   {QStringLiteral("NOTE"), 3000, K::Text, 200},
                                   {QStringLiteral("RECEIVED"), 1500, K::Shown, 1},
                                   {QStringLiteral("BALANCE"), 1500, K::Shown, 1},
                                   {QStringLiteral("DAYS OVERDUE"), 1300, K::Shown, 1}},
                                  this);
    Grid_Schedule->onEdited = [this](int row, int column) { edited(row, column); };
    v->addWidget(Grid_Schedule, 1);

    auto* bottom = new QHBoxLayout;
    Cmd_AddLine = new QPushButton(QStringLiteral("ADD LINE"), this);
    Cmd_AddLine->setObjectName(QStringLiteral("Cmd_AddLine"));
    Cmd_AddLine->setToolTip(QStringLiteral("A new instalment { Insert in the grid }"));
    bottom->addWidget(Cmd_AddLine);
    Cmd_DelLine = new QPushButton(QStringLiteral("REMOVE LINE"), this);
    Cmd_DelLine->setObjectName(QStringLiteral("Cmd_DelLine"));
    Cmd_DelLine->setToolTip(QStringLiteral("Removes the chosen instalment { Delete in the grid }"));
    bottom->addWidget(Cmd_DelLine);
    bottom->addStretch(1);
    lbl_ScheduleTotal = new QLabel(this);
    lbl_ScheduleTotal->setObjectName(QStringLiteral("lbl_ScheduleTotal"));
    bottom->addWidget(lbl_ScheduleTotal);
    Cmd_SaveSchedule = new QPushButton(QStringLiteral("SAVE SCHEDULE"), this);
    Cmd_SaveSchedule->setObjectName(QStringLiteral("Cmd_SaveSchedule"));
    bottom->addWidget(Cmd_SaveSchedule);
    v->addLayout(bottom);
    lbl_ScheduleMismatch = new QLabel(this);
    lbl_ScheduleMismatch->setObjectName(QStringLiteral("lbl_ScheduleMismatch"));
    lbl_ScheduleMismatch->setStyleSheet(kRed);
    v->addWidget(lbl_ScheduleMismatch);

    connect(Cmd_FillTemplate, &QPushButton::clicked, this, [this] { fillFromTemplate(); });
    connect(Cmd_AddLine, &QPushButton::clicked, this, [this] { Grid_Schedule->addLine(); });
    connect(Cmd_DelLine, &QPushButton::clicked, this, [this] { Grid_Schedule->removeLine(); });
    connect(Cmd_SaveSchedule, &QPushButton::clicked, this, [this] { saveSchedule(); });
    showBooking(0, false);
}

void ScheduleTab::loadTemplates() {
    Cmb_Template->clear();
    Cmb_Template->addItem(QString(), 0);
    owner_.guarded([&] {
        for (const ScheduleTemplate& t : ScheduleTemplates(owner_.db(), owner_.session().userFullName).all())
            Cmb_Template->addItem(t.name, t.code);
    });
}

void ScheduleTab::showBooking(qint64 booking, bool editable) {
    booking_ = booking;
    grandTotal_ = Money();
    Grid_Schedule->setLines({});
    lbl_ScheduleMismatch->clear();
    BookingSchedule s;
    if (booking > 0 && owner_.guarded([&] {
            s = PaymentSchedules(owner_.db(), owner_.session().userFullName).read(booking, QDate::currentDate());
        })) {
        grandTotal_ = s.grandTotal;
        QList<QStringList> lines;
        for (const InstalmentDue& l : s.lines)
            lines << QStringList{lineDateText(l.due),
                                 l.amount.toString(),
                                 QString(),
                                 l.note,
                                 l.received.toString(),
                                 l.balance.toString(),
                                 l.daysOverdue > 0 ? QString::number(l.daysOverdue) : QString()};
        Grid_Schedule->setLines(lines);
        for (int r = 0; r < int(s.lines.size()); ++r)
            Grid_Schedule->setLineColour(r, s.lines[size_t(r)].daysOverdue > 0 ? QColor(Qt::red) : QColor());
        if (s.mismatch())
            lbl_ScheduleMismatch->setText(QStringLiteral("BOOKING RE-PRICED : ") +
                                          scheduleTotalMessage(s.scheduled, s.grandTotal));
    }
    loadTemplates();
    setEditable(booking > 0 && editable);
    retotal();
}

void ScheduleTab::setEditable(bool editable) {
    Grid_Schedule->setReadOnly(!editable);
    for (QWidget* w : {static_cast<QWidget*>(Cmb_Template), static_cast<QWidget*>(Cmd_FillTemplate),
                       static_cast<QWidget*>(Cmd_AddLine), static_cast<QWidget*>(Cmd_DelLine),
                       static_cast<QWidget*>(Cmd_SaveSchedule)})
        w->setEnabled(editable);
}

// A percentage typed gives its share of the grand total; an amount typed stands alone.
void ScheduleTab::edited(int row, int column) {
    if (row >= 0 && column == ColPercent) {
        const QString typed = Grid_Schedule->cell(row, ColPercent);
        if (!typed.isEmpty())
            if (const auto amount = grandTotal_.percent(Money::fromInput(typed)))
                Grid_Schedule->setCell(row, ColAmount, amount->toString());
    } else if (row >= 0 && column == ColAmount) {
        Grid_Schedule->setCell(row, ColPercent, QString());
    }
    retotal();
}

void ScheduleTab::retotal() {
    std::vector<Money> amounts;
    for (const QStringList& l : Grid_Schedule->lines())
        amounts.push_back(Money::fromInput(l.at(ColAmount)));
    const std::optional<Money> total = Money::sum(amounts);
    lbl_ScheduleTotal->setText(QStringLiteral("TOTAL OF INSTALMENTS : %1    GRAND TOTAL : %2")
                                   .arg(total ? total->toString() : QStringLiteral("-"), grandTotal_.toString()));
    const bool differs = !amounts.empty() && (!total || *total != grandTotal_);
    lbl_ScheduleTotal->setStyleSheet(differs ? kRed : QString());
}

void ScheduleTab::fillFromTemplate() {
    const int code = Cmb_Template->currentData().toInt();
    if (booking_ <= 0 || !Cmd_FillTemplate->isEnabled())
        return;
    if (code <= 0) {
        owner_.prompter().information(this, QStringLiteral("PLEASE SELECT A SCHEDULE TEMPLATE ...."));
        Cmb_Template->setFocus();
        return;
    }
    std::vector<Instalment> lines;
    if (!owner_.guarded([&] {
            ScheduleTemplates templates(owner_.db(), owner_.session().userFullName);
            const auto t = templates.read(code);
            if (!t)
                throw DbError(DbError::Kind::Changed, QString::fromLatin1(kChangedByAnotherUser));
            lines = PaymentSchedules(owner_.db(), owner_.session().userFullName).fromTemplate(booking_, *t);
        }))
        return;
    QList<QStringList> shown;
    for (const Instalment& l : lines)
        shown << QStringList{lineDateText(l.due), l.amount.toString(), QString(), l.note};
    Grid_Schedule->setLines(shown);
    retotal();
    Grid_Schedule->setFocus();
}

void ScheduleTab::saveSchedule() {
    if (booking_ <= 0 || !Cmd_SaveSchedule->isEnabled())
        return;
    std::vector<Instalment> lines;
    for (const QStringList& l : Grid_Schedule->lines())
        lines.push_back({lineDate(l.at(ColDue)), Money::fromInput(l.at(ColAmount)), l.at(ColNote)});
    if (!owner_.guarded([&] { PaymentSchedules(owner_.db(), owner_.session().userFullName).store(booking_, lines); }))
        return;
    owner_.prompter().information(this, QStringLiteral("PAYMENT SCHEDULE SUCCESSFULLY SAVED ...."));
    showBooking(booking_, true);
}

}  // namespace tarvic
