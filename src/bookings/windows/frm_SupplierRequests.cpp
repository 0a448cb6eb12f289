#include "frm_SupplierRequests.h"

#include "bookings/family/SupplierMailing.h"
#include "data/Moments.h"
#include "shell/Prompter.h"
#include "shell/kit/Checks.h"
#include "shell/kit/GridHelpers.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include <algorithm>
#include <set>

namespace tarvic {

namespace {

const QList<GridColumn> kLineColumns{{QStringLiteral("SL NO"), 600, Qt::AlignRight},
                                     {QStringLiteral("CHK-IN / FROM"), 1300},
                                     {QStringLiteral("CHK-OT / TO"), 1300},
                                     {QStringLiteral("NTS / DAYS"), 1000, Qt::AlignRight},
                                     {QStringLiteral("SUPPLIER"), 2600},
                                     {QStringLiteral("STATUS"), 1700},
                                     {QStringLiteral("CONF NO / REASON"), 1800},
                                     {QStringLiteral("ROOMS / SERVICE"), 3000},
                                     {QStringLiteral("MEAL PLAN"), 1800},
                                     {QStringLiteral("E-MAIL"), 2200},
                                     {QStringLiteral("UPDATE BY - ON"), 2800},
                                     {QStringLiteral("QUOT NO"), 900, Qt::AlignRight, true},
                                     {QStringLiteral("ACC NO"), 700, Qt::AlignRight, true}};

const QList<GridColumn> kStepColumns{{QStringLiteral("STEP"), 1500},
                                     {QStringLiteral("CONF NO / REASON"), 2400},
                                     {QStringLiteral("SENT TO"), 3000},
                                     {QStringLiteral("BY - ON"), 3000}};

QString day(const QDate& d) {
    return d.toString(QStringLiteral("dd/MM/yyyy"));
}

// What the line asks of its supplier: a hotel's rooms, a note's vehicle or charge.
QString askedText(const SupplierLine& l) {
    if (l.isHotel())
        return l.rooms;
    return (l.lineCode == kVehicleNoteCode ? QStringLiteral("VEHICLE : ") : QStringLiteral("OTHER : ")) + l.service;
}

// Names, rooms and addresses read whole rather than cut: the columns given grow to their
// longest text, up to a limit, never below their heading's width.
void fitColumns(QTableWidget* grid, std::initializer_list<int> columns) {
    constexpr int kWidest = 340;
    for (int c : columns) {
        const int least = grid->columnWidth(c);
        grid->resizeColumnToContents(c);
        grid->setColumnWidth(c, std::clamp(grid->columnWidth(c), least, std::max(least, kWidest)));
    }
}

QPushButton* button(QWidget* owner, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, owner);
    b->setObjectName(QLatin1String(name));
    return b;
}

}  // namespace

frm_SupplierRequests::frm_SupplierRequests(Session& session, QWidget* parent, const WindowArgs& args)
    : BookingOpsWindow(
          session, parent, QStringLiteral("frm_SupplierRequests"), QStringLiteral("SUPPLIER REQUESTS"),
          {{QStringLiteral("BILL PARTY"), QStringLiteral("lbl_BillParty"), QStringLiteral("BILL_PARTY")},
           {QStringLiteral("TOURIST NAME"), QStringLiteral("lbl_Tourist"), QStringLiteral("TOURIST_NAME")},
           {QStringLiteral("CONSULTANT"), QStringLiteral("lbl_Consultant"), QStringLiteral("CONSULTANT_NAME")},
           {QStringLiteral("CURRENT STATUS"), QStringLiteral("lbl_CurStatus"), QStringLiteral("CBPT_STATUS")}}) {
    setTool(1, kCloseTip, [this] { close(); });
    setTool(2, QStringLiteral("Clear { F2 }"), [this] { Load_Init(); });

    Grid1 = new QTableWidget(this);
    Grid1->setObjectName(QStringLiteral("Grid1"));
    Load_EmptyGrid(Grid1, kLineColumns);
    Grid1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto* linesCaption =
        new QLabel(QStringLiteral("SUPPLIER &LINES  ( CTRL+SPACE CHOOSES ONE MORE, CTRL+A ALL )"), this);
    linesCaption->setBuddy(Grid1);
    body()->addWidget(linesCaption);
    body()->addWidget(Grid1, 3);

    auto* actions = new QHBoxLayout;
    Cmd_Request = button(this, "Cmd_Request", QStringLiteral("SEND &REQUEST"));
    Cmd_Voucher = button(this, "Cmd_Voucher", QStringLiteral("MAIL &VOUCHER"));
    Cmd_RoomingList = button(this, "Cmd_RoomingList", QStringLiteral("R&OOMING LIST"));
    Cmb_Answer = new QComboBox(this);
    Cmb_Answer->setObjectName(QStringLiteral("Cmb_Answer"));
    Cmb_Answer->addItems({supplier::kConfirmed, supplier::kDeclined, supplier::kWaitlisted});
    txt_AnswerText = new QLineEdit(this);
    txt_AnswerText->setObjectName(QStringLiteral("txt_AnswerText"));
    bindColumn(txt_AnswerText, "M_TBL_SUPPLIER_REQUEST", "CONFIRM_NO");
    Cmd_Answer = button(this, "Cmd_Answer", QStringLiteral("RECORD &ANSWER"));
    auto* answerCaption = new QLabel(QStringLiteral("ANS&WER"), this);
    answerCaption->setBuddy(Cmb_Answer);
    auto* textCaption = new QLabel(QStringLiteral("CONF NO / REA&SON"), this);
    textCaption->setBuddy(txt_AnswerText);
    actions->addWidget(Cmd_Request);
    actions->addWidget(Cmd_Voucher);
    actions->addWidget(Cmd_RoomingList);
    actions->addSpacing(20);
    actions->addWidget(answerCaption);
    actions->addWidget(Cmb_Answer);
    actions->addWidget(textCaption);
    actions->addWidget(txt_AnswerText, 1);
    actions->addWidget(Cmd_Answer);
    body()->addLayout(actions);

    Grid2 = new QTableWidget(this);
    Grid2->setObjectName(QStringLiteral("Grid2"));
    Load_EmptyGrid(Grid2, kStepColumns);
    auto* stepsCaption = new QLabel(QStringLiteral("S&TEPS OF THE LINE"), this);
    stepsCaption->setBuddy(Grid2);
    body()->addWidget(stepsCaption);
    body()->addWidget(Grid2, 2);

    connect(Cmd_Request, &QPushButton::clicked, this, [this] { Send_Request(); });
    connect(Cmd_Voucher, &QPushButton::clicked, this, [this] { Mail_Voucher(); });
    connect(Cmd_RoomingList, &QPushButton::clicked, this, [this] { Print_RoomingList(); });
    connect(Cmd_Answer, &QPushButton::clicked, this, [this] { Record_Answer(); });
    onEnter(txt_AnswerText, [this] { Record_Answer(); });
    connect(Grid1, &QTableWidget::currentCellChanged, this, [this] { showSteps(); });
    setTabOrder(txt_CBPTNo, Cmd_SrcCBPT);
    setTabOrder(Cmd_SrcCBPT, Grid1);
    setTabOrder(Grid1, Cmd_Request);
    setTabOrder(Cmd_Request, Cmd_Voucher);
    setTabOrder(Cmd_Voucher, Cmd_RoomingList);
    setTabOrder(Cmd_RoomingList, Cmb_Answer);
    setTabOrder(Cmb_Answer, txt_AnswerText);
    setTabOrder(txt_AnswerText, Cmd_Answer);
    setTabOrder(Cmd_Answer, Grid2);
    resize(1000, 640);  // wider where the screen has room (TaskWindow)

    Load_Init();
    if (const qint64 n = args.value(QStringLiteral("CBPT_NO")).toLongLong(); n > 0) {
        txt_CBPTNo->setText(QString::number(n));
        if (Show_CBPT()) {
            Grid1->setFocus();
            chooseLine(args.value(QStringLiteral("QUOTATION_NO")).toLongLong(),
                       args.value(QStringLiteral("ACC_CODE")).toLongLong());
        }
    }
}

void frm_SupplierRequests::clearOwn() {
    lines_.clear();
    Load_EmptyGrid(Grid1, kLineColumns);
    Load_EmptyGrid(Grid2, kStepColumns);
    txt_AnswerText->clear();
    for (QWidget* w : {static_cast<QWidget*>(Cmd_Request), static_cast<QWidget*>(Cmd_Voucher),
                       static_cast<QWidget*>(Cmd_RoomingList), static_cast<QWidget*>(Cmd_Answer)})
        w->setEnabled(false);
}

void frm_SupplierRequests::showOwn() {
    Load_Grid();
}

void frm_SupplierRequests::Load_Grid() {
    const auto key = [](const SupplierLine& l) {
        return l.lineCode + QStringLiteral("/%1/%2").arg(l.docNo).arg(l.line);
    };
    const std::set<QString> wasChosen = [&] {
        std::set<QString> keys;
        for (const SupplierLine& l : chosen())
            keys.insert(key(l));
        return keys;
    }();
    const int current = Grid1->currentRow();
    lines_.clear();
    Load_EmptyGrid(Grid1, kLineColumns);
    Grid1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    if (booking() <= 0 || !guarded([&] { lines_ = SupplierRequests(db(), {}).lines(booking()); }))
        return;
    int sl = 0;
    for (const SupplierLine& l : lines_) {
        const int row = addGridRow(
            Grid1, {QString::number(++sl), day(l.checkIn), day(l.checkOut),
                    l.nights > 0 || l.isHotel() ? QString::number(l.nights) : QString(),
                    l.supplier + (l.place.isEmpty() ? QString() : QStringLiteral(" , ") + l.place),
                    l.status.isEmpty() ? QStringLiteral("NOT REQUESTED") : l.status,
                    l.status == supplier::kConfirmed ? l.confirmNo : l.note, askedText(l), l.mealPlan,
                    l.supplierEmail,
                    byOnText(l.statusBy, l.statusOn.isValid() ? QVariant(l.statusOn) : QVariant()),
                    QString::number(l.docNo), QString::number(l.line)});
        if (wasChosen.count(key(l)))
            Grid1->selectionModel()->select(Grid1->model()->index(row, 0),
                                            QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    fitColumns(Grid1, {ColHotel, ColRooms, ColMeal, ColEmail, ColAnswer, ColUpdated});
    if (!lines_.empty())
        Grid1->setCurrentCell(std::clamp(current, 0, int(lines_.size()) - 1), ColHotel,
                              wasChosen.empty() ? QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows
                                                : QItemSelectionModel::NoUpdate);
    for (QWidget* w : {static_cast<QWidget*>(Cmd_Request), static_cast<QWidget*>(Cmd_Voucher),
                       static_cast<QWidget*>(Cmd_RoomingList), static_cast<QWidget*>(Cmd_Answer)})
        w->setEnabled(!lines_.empty());
    showSteps();
}

bool frm_SupplierRequests::chooseLine(qint64 quotation, qint64 line) {
    for (int i = 0; i < int(lines_.size()); ++i)
        if (lines_[i].docNo == quotation && lines_[i].line == line) {
            Grid1->setCurrentCell(i, ColHotel, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            return true;
        }
    return false;
}

std::vector<SupplierLine> frm_SupplierRequests::chosen() const {
    std::vector<SupplierLine> out;
    for (int i = 0; i < int(lines_.size()); ++i)
        if (Grid1->selectionModel()->isRowSelected(i, {}))
            out.push_back(lines_[i]);
    return out;
}

void frm_SupplierRequests::showSteps() {
    Load_EmptyGrid(Grid2, kStepColumns);
    const int row = Grid1->currentRow();
    if (row < 0 || row >= int(lines_.size()))
        return;
    std::vector<SupplierStep> steps;
    const SupplierLine& l = lines_[row];
    if (!guarded([&] { steps = SupplierRequests(db(), {}).history(l.lineCode, l.docNo, l.line); }))
        return;
    for (const SupplierStep& s : steps)
        addGridRow(Grid2, {s.step, s.note, s.sentTo, byOnText(s.by, s.on.isValid() ? QVariant(s.on) : QVariant())});
    fitColumns(Grid2, {1, 2, 3});
}

void frm_SupplierRequests::send(SupplierMailKind kind) {
    const std::vector<SupplierLine> lines = chosen();
    if (!runChecks(
            prompter(), this,
            {{[&] { return booking() <= 0; }, txt_CBPTNo, QStringLiteral("CANNOT PROCEED AS CBPT CODE IS NULL....")},
             {[&] { return lines.empty(); }, Grid1, kNoSupplierLine}}))
        return;
    // Every chosen line is checked before the first message goes.
    QList<SupplierSend> sends;
    if (!guarded([&] {
            SupplierRequests requests(db(), session().userFullName);
            for (const SupplierLine& l : lines)
                try {
                    requests.checkMail(l, kind);
                } catch (const DbError& e) {
                    // Among several chosen lines, the refusal says which.
                    if (e.kind() != DbError::Kind::Refused || lines.size() < 2)
                        throw;
                    throw DbError(DbError::Kind::Refused,
                                  QStringLiteral("%1 , %2 :\n%3").arg(l.supplier, day(l.checkIn), e.message()));
                }
            sends = supplierSends(db(), session().userFullName, lines, kind);
        })) {
        Load_Grid();
        return;
    }
    QStringList question{kind == SupplierMailKind::Request ? QStringLiteral("SEND THE REQUEST E-MAIL TO :")
                                                           : QStringLiteral("MAIL THE HOTEL VOUCHER TO :")};
    for (const SupplierSend& s : sends)
        question << QStringLiteral(" %1 ( %2 )").arg(s.name, s.address);
    if (!prompter().question(this, question.join(QLatin1Char('\n'))))
        return;
    sendSupplierMails(*this, sends);
    Load_Grid();
    Grid1->setFocus();  // back where the next lines are chosen
}

void frm_SupplierRequests::Send_Request() {
    send(SupplierMailKind::Request);
}

void frm_SupplierRequests::Mail_Voucher() {
    send(SupplierMailKind::Voucher);
}

void frm_SupplierRequests::Print_RoomingList() {
    const int row = Grid1->currentRow();
    const bool noLine = row < 0 || row >= int(lines_.size());
    if (!runChecks(prompter(), this,
                   {{[&] { return noLine; }, Grid1, kNoSupplierLine},
                    {[&] { return !lines_[row].isHotel(); }, Grid1,
                     QStringLiteral("THE ROOMING LIST IS PRINTED FOR HOTEL LINES ONLY ....")}}))
        return;
    const SupplierLine& l = lines_[row];
    openWindow(QStringLiteral("rpt_RoomingList"), {{{QStringLiteral("CBPT_NO"), l.booking},
                                                    {QStringLiteral("QUOTATION_NO"), l.docNo},
                                                    {QStringLiteral("LINE_NO"), l.line}}});
}

void frm_SupplierRequests::Record_Answer() {
    const int row = Grid1->currentRow();
    const bool noLine = row < 0 || row >= int(lines_.size());
    const QString status = Cmb_Answer->currentText();
    const QString text = txt_AnswerText->text().trimmed();
    if (!runChecks(
            prompter(), this,
            {{[&] { return booking() <= 0; }, txt_CBPTNo, QStringLiteral("CANNOT PROCEED AS CBPT CODE IS NULL....")},
             {[&] { return noLine; }, Grid1, kNoSupplierLine},
             {[&] { return status == supplier::kConfirmed && text.isEmpty(); }, txt_AnswerText, kEnterConfirmNo},
             {[&] { return status == supplier::kDeclined && text.isEmpty(); }, txt_AnswerText, kEnterDeclineReason}}))
        return;
    const SupplierLine& l = lines_[row];
    if (!prompter().question(this, QStringLiteral("RECORD %1 FOR %2 , %3 ?").arg(status, l.supplier, day(l.checkIn))))
        return;
    if (!guarded([&] { SupplierRequests(db(), session().userFullName).recordAnswer(l, status, text); }))
        return;
    prompter().information(this, QStringLiteral("SUPPLIER'S ANSWER SUCCESSFULLY RECORDED ...."));
    txt_AnswerText->clear();
    Load_Grid();
    // The line answered is the one chosen next: its voucher or rooming list follows.
    Grid1->setCurrentCell(row, ColHotel, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    Grid1->setFocus();
}

}  // namespace tarvic
