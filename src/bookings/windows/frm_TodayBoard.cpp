#include "frm_TodayBoard.h"

#include "data/Mailer.h"
#include "engine/dues/Reminders.h"
#include "engine/masters/ConsultantRole.h"
#include "shell/kit/ExpXls.h"
#include "shell/kit/GridHelpers.h"
#include "shell/kit/KeyFilters.h"
#include "shell/kit/ListGrid.h"
#include "shell/kit/MailProgress.h"

#include <QAbstractTableModel>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tarvic {

namespace {

QString dateText(const QDate& d) {
    return d.isValid() ? d.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

QString documentText(const DueRow& r) {
    return QStringLiteral("%1 %2").arg(r.docCode).arg(r.docNo) +
           (r.line ? QStringLiteral("/%1").arg(r.line) : QString());
}

QString amountText(const Money& m, const DueRow& r) {
    return r.amount == Money() && r.balance == Money() ? QString() : m.toString();
}

// The window that shows a row's document and the values that open it there.
std::pair<QString, QVariantHash> documentWindow(const DueRow& r) {
    if (r.docCode == QLatin1String("BLFC01"))
        return {QStringLiteral("frm_BusinessLead_Add"), {{QStringLiteral("LEAD_NO"), r.docNo}}};
    if (r.docCode.startsWith(QLatin1String("ANCP")))
        return {QStringLiteral("frm_CBPT01_%1_Mod").arg(r.docCode), {{QStringLiteral("DOC_NO"), r.docNo}}};
    return {QStringLiteral("frm_CBPT01"), {{QStringLiteral("CBPT_NO"), r.docNo}}};
}

// What is due leads; the detail, the longest, comes last.
const QList<GridColumn> kBoardColumns{{QStringLiteral("SECTION"), 3700},
                                      {QStringLiteral("DATE"), 1200},
                                      {QStringLiteral("DAYS LATE"), 700, Qt::AlignRight},
                                      {QStringLiteral("DOCUMENT"), 1400},
                                      {QStringLiteral("PARTY"), 2200},
                                      {QStringLiteral("AMOUNT"), 1300, Qt::AlignRight},
                                      {QStringLiteral("SETTLED"), 1300, Qt::AlignRight},
                                      {QStringLiteral("BALANCE"), 1300, Qt::AlignRight},
                                      {QStringLiteral("REMINDED"), 1300},
                                      {QStringLiteral("DETAIL"), 4500}};

}  // namespace

// The board's rows as the grid shows them, each cell written when the grid asks for it; the
// rows that can be reminded carry a tick box in their section.
class DueBoardModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void show(const DueBoard* board, QSet<QString> reminded) {
        beginResetModel();
        board_ = board;
        reminded_ = std::move(reminded);
        ticked_.assign(board->rows.size(), false);
        endResetModel();
    }
    bool ticked(int row) const { return row >= 0 && std::size_t(row) < ticked_.size() && ticked_[std::size_t(row)]; }
    bool tickable(int row) const { return row >= 0 && row < rowCount() && !reminderKind(rowOf(row).section).isEmpty(); }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(ticked_.size()); }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(kBoardColumns.size());
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || section < 0 || section >= kBoardColumns.size())
            return {};
        if (role == Qt::DisplayRole)
            return kBoardColumns.at(section).heading;
        return role == Qt::TextAlignmentRole ? QVariant(int(Qt::AlignCenter)) : QVariant();
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override {
        const Qt::ItemFlags base = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        return index.column() == frm_TodayBoard::ColSection && tickable(index.row()) ? base | Qt::ItemIsUserCheckable
                                                                                     : base;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= rowCount() || std::size_t(index.row()) >= board_->rows.size())
            return {};
        const DueRow& r = rowOf(index.row());
        switch (role) {
            case Qt::DisplayRole:
                return text(r, index.column());
            case Qt::TextAlignmentRole:
                return int((kBoardColumns.at(index.column()).alignment & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter);
            case Qt::CheckStateRole:
                if (index.column() == frm_TodayBoard::ColSection && tickable(index.row()))
                    return ticked(index.row()) ? Qt::Checked : Qt::Unchecked;
                return {};
            // Overdue red, due today amber, ahead as it is; dark text on each so it stays legible.
            case Qt::BackgroundRole:
            case Qt::ForegroundRole:
                if (!r.date.isValid() || r.daysOverdue < 0)
                    return {};
                if (r.daysOverdue > 0)
                    return QBrush(role == Qt::BackgroundRole ? kOverdueBack : kOverdueFore);
                return QBrush(role == Qt::BackgroundRole ? kDueTodayBack : kDueTodayFore);
            default:
                return {};
        }
    }
    bool setData(const QModelIndex& index, const QVariant& value, int role) override {
        if (role != Qt::CheckStateRole || !(flags(index) & Qt::ItemIsUserCheckable))
            return false;
        ticked_[std::size_t(index.row())] = Qt::CheckState(value.toInt()) == Qt::Checked;
        emit dataChanged(index, index, {Qt::CheckStateRole});
        return true;
    }

private:
    const DueRow& rowOf(int row) const { return board_->rows[std::size_t(row)]; }
    QString text(const DueRow& r, int column) const {
        switch (column) {
            case frm_TodayBoard::ColSection:
                return sectionCaption(r.section);
            case frm_TodayBoard::ColDate:
                return dateText(r.date);
            case frm_TodayBoard::ColDays:
                return r.date.isValid() ? QString::number(r.daysOverdue) : QString();
            case frm_TodayBoard::ColDocument:
                return documentText(r);
            case frm_TodayBoard::ColParty:
                return r.party;
            case frm_TodayBoard::ColAmount:
                return amountText(r.amount, r);
            case frm_TodayBoard::ColSettled:
                return amountText(r.settled, r);
            case frm_TodayBoard::ColBalance:
                return amountText(r.balance, r);
            case frm_TodayBoard::ColReminded: {
                const QString kind = reminderKind(r.section);
                return !kind.isEmpty() && reminded_.contains(reminderKey(kind, r.docCode, r.docNo, r.line))
                           ? QStringLiteral("SENT TODAY")
                           : QString();
            }
            default:
                return r.detail;
        }
    }

    const DueBoard* board_ = nullptr;
    QSet<QString> reminded_;
    std::vector<bool> ticked_;
};

frm_TodayBoard::frm_TodayBoard(Session& session, QWidget* parent) : TaskWindow(session, parent) {
    setObjectName(QStringLiteral("frm_TodayBoard"));
    setWindowTitle(QStringLiteral("TODAY"));
    setTool(1, kCloseTip, [this] { close(); });

    auto named = [](auto* w, const char* name) {
        w->setObjectName(QLatin1String(name));
        return w;
    };
    auto* top = new QHBoxLayout;
    lbl_Today = named(new QLabel(this), "lbl_Today");
    lbl_Today->setStyleSheet(QStringLiteral("QLabel { color: navy; font-weight: bold; }"));
    txt_DueDays = named(new QLineEdit(this), "txt_DueDays");
    attachFilter(txt_DueDays, KeyFilter::Number);
    bindLength(txt_DueDays, QString::number(kMaxDueDays).size());
    txt_DueDays->setMaximumWidth(60);
    auto* days = new QLabel(QStringLiteral("DAYS &AHEAD"), this);
    days->setBuddy(txt_DueDays);
    Cmd_SaveDays = named(new QPushButton(QStringLiteral("SAVE &DAYS"), this), "Cmd_SaveDays");
    Cmd_Refresh = named(new QPushButton(QStringLiteral("&REFRESH"), this), "Cmd_Refresh");
    top->addWidget(lbl_Today);
    top->addStretch(1);
    top->addWidget(days);
    top->addWidget(txt_DueDays);
    top->addWidget(Cmd_SaveDays);
    top->addWidget(Cmd_Refresh);
    body()->addLayout(top);

    lbl_Counts = named(new QLabel(this), "lbl_Counts");
    lbl_Counts->setWordWrap(true);
    lbl_Counts->setStyleSheet(QStringLiteral("QLabel { font-weight: bold; }"));
    body()->addWidget(lbl_Counts);

    Grid1 = new ListGrid(QStringLiteral("Grid1"), this);
    model_ = new DueBoardModel(this);
    Grid1->setRowsModel(model_, kBoardColumns);
    body()->addWidget(Grid1, 1);

    auto* buttons = new QHBoxLayout;
    Cmd_Export = named(new QPushButton(QStringLiteral("E&XPORT"), this), "Cmd_Export");
    Cmd_SendReminder = named(new QPushButton(QStringLiteral("SEND RE&MINDER"), this), "Cmd_SendReminder");
    buttons->addWidget(Cmd_SendReminder);
    buttons->addStretch(1);
    buttons->addWidget(Cmd_Export);
    body()->addLayout(buttons);

    connect(Cmd_Refresh, &QPushButton::clicked, this, [this] { Refresh_Board(); });
    connect(Cmd_SaveDays, &QPushButton::clicked, this, [this] { Save_Days(); });
    connect(Cmd_Export, &QPushButton::clicked, this, [this] { Exp_Xls(this, Grid1->model(), prompter()); });
    connect(Cmd_SendReminder, &QPushButton::clicked, this, [this] { Send_Reminder(); });
    connect(Grid1, &ListGrid::rowChosen, this, [this](int row) { Open_Document(row); });
    onEnter(Grid1, [this] { Open_Document(Grid1->currentRow()); });
    onEnter(txt_DueDays, [this] { Refresh_Board(); });

    resize(1000, 600);
    // Only an ADMIN consultant sets the office's days ahead; everyone may look further.
    guarded([&] {
        admin_ = Chk_TCRole(db(), session.consultantCode).role == TCRole::Admin;
        txt_DueDays->setText(QString::number(officeDueDays(db())));
    });
    Cmd_SaveDays->setEnabled(admin_);
    Refresh_Board();
}

bool frm_TodayBoard::Refresh_Board() {
    const QString typed = txt_DueDays->text().trimmed();
    DueBoard board;
    const bool read = guarded([&] {
        board = dueBoard(db(), {QDate::currentDate(), typed.isEmpty() ? -1 : typed.toInt(), session().consultantCode});
    });
    board_ = read ? std::move(board) : DueBoard{QDate::currentDate(), 0, {}};
    if (read && typed.isEmpty())
        txt_DueDays->setText(QString::number(board_.daysAhead));
    fillGrid();
    return read;
}

void frm_TodayBoard::fillGrid() {
    lbl_Today->setText(QStringLiteral("DUE ON %1, %2 DAY(S) AHEAD").arg(dateText(board_.today)).arg(board_.daysAhead));
    QStringList counts;
    for (DueSection s : kDueSections)
        // A section's caption and count wrap as one.
        counts << QStringLiteral("%1 (%2)")
                      .arg(sectionCaption(s))
                      .arg(board_.count(s))
                      .replace(QLatin1Char(' '), QChar::Nbsp);
    lbl_Counts->setText(counts.join(QStringLiteral("     ")));

    QSet<QString> reminded;
    guarded([&] { reminded = remindersSentOn(db(), board_.today); });
    model_->show(&board_, std::move(reminded));
    fitColumnsToRows(Grid1);
    // Enter opens the first row at once; unselected, it keeps its colour.
    if (!board_.rows.empty())
        Grid1->selectionModel()->setCurrentIndex(Grid1->model()->index(0, ColSection), QItemSelectionModel::NoUpdate);
}

void frm_TodayBoard::Save_Days() {
    const QString typed = txt_DueDays->text().trimmed();
    if (typed.isEmpty()) {
        prompter().information(this, QStringLiteral("ENTER DAYS AHEAD ...."));
        txt_DueDays->setFocus();
        return;
    }
    if (!guarded([&] { setOfficeDueDays(db(), typed.toInt()); }))
        return;
    prompter().information(this, QStringLiteral("DAYS AHEAD SUCCESSFULLY SAVED ...."));
    Refresh_Board();
}

void frm_TodayBoard::Open_Document(int row) {
    if (row < 0 || std::size_t(row) >= board_.rows.size())
        return;
    const auto [window, values] = documentWindow(rowAt(row));
    if (!canOpen(window)) {
        prompter().information(this, QStringLiteral("CANNOT OPEN %1 HERE ....").arg(documentText(rowAt(row))));
        return;
    }
    openWindow(window, WindowArgs{values}, WindowRegistry::Opening::Modeless);
}

std::vector<Reminder> frm_TodayBoard::chosenReminders() {
    std::vector<Reminder> out;
    QStringList noAddress;
    bool ticked = false;
    for (int row = 0; row < model_->rowCount(); ++row) {
        if (!model_->ticked(row))
            continue;
        ticked = true;
        Reminder r;
        if (!guarded([&] { r = composeReminder(db(), rowAt(row), session().companyName); }))
            return {};
        if (r.to.isEmpty()) {
            noAddress << QStringLiteral("%1 ( %2 )").arg(r.partyName, documentText(r.row));
            continue;
        }
        bool sentToday = false;
        if (!guarded(
                [&] { sentToday = remindedOn(db(), r.kind, r.row.docCode, r.row.docNo, r.row.line, board_.today); }))
            return {};
        if (sentToday && !prompter().question(this, QStringLiteral("REMINDER ALREADY SENT TODAY FOR %1 ( %2 ) ....\n"
                                                                   "SEND AGAIN ?")
                                                        .arg(documentText(r.row), r.partyName)))
            continue;
        out.push_back(std::move(r));
    }
    if (!ticked)
        prompter().information(this, QStringLiteral("PLEASE TICK THE ROWS TO REMIND FIRST ...."));
    else if (!noAddress.isEmpty())
        prompter().information(this, QStringLiteral("NO E-MAIL ADDRESS FOR :\n%1\nNO REMINDER SENT TO THEM ....")
                                         .arg(noAddress.join(QLatin1Char('\n'))));
    return out;
}

void frm_TodayBoard::Send_Reminder() {
    const std::optional<MailSettings> settings = readMailSettings(*this);
    if (!settings)
        return;
    const std::vector<Reminder> reminders = chosenReminders();
    if (reminders.empty())
        return;
    const Mailer mailer(*settings);
    const int total = int(reminders.size());
    MailProgress progress(this, total);
    int sent = 0;
    const auto finish = [&](const QString& message) {
        progress.cancel();
        prompter().information(this, message);
        Refresh_Board();
    };
    for (const Reminder& r : reminders) {
        if (!progress.step(sent,
                           QStringLiteral("SENDING REMINDER TO ..... \n %1 ( %2 )\n %3\n CURRENT RECORD : %4 OF %5")
                               .arg(r.partyName, r.to, documentText(r.row))
                               .arg(sent + 1)
                               .arg(total)))
            return finish(QStringLiteral("SENDING STOPPED ....\n REMINDERS SENT : %1 OF %2").arg(sent).arg(total));
        try {
            mailer.send({splitAddresses(r.to), r.subject, r.html, {}, {}});
        } catch (const MailError& e) {
            return finish(QStringLiteral("UNABLE TO SEND E-MAIL TO : %1 ( %2 )\n%3\n REMINDERS SENT : %4 OF %5")
                              .arg(r.partyName, r.to, e.message())
                              .arg(sent)
                              .arg(total));
        }
        // Sent: written down at once, so what went before a failure stays logged.
        if (!guarded([&] { recordReminder(db(), session().userFullName, r); }))
            return finish(QStringLiteral("REMINDER SENT TO %1 ( %2 ) BUT NOT LOGGED ....\n REMINDERS SENT : %3 OF %4")
                              .arg(r.partyName, r.to)
                              .arg(sent + 1)
                              .arg(total));
        ++sent;
    }
    progress.setValue(total);
    finish(QStringLiteral("REMINDER E-MAIL SUCCESSFULLY SENT : %1 ....").arg(sent));
}

}  // namespace tarvic
