#include "StatusMaster.h"

#include "data/Moments.h"
#include "data/Numbering.h"
#include "data/RowWriter.h"
#include "masters/Colour_Picker.h"
#include "shell/kit/BusyCursor.h"
#include "shell/kit/Checks.h"
#include "shell/kit/GridHelpers.h"
#include "shell/kit/KeyFilters.h"

#include <QComboBox>
#include <QDateTime>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTableWidget>

namespace tarvic {

StatusMasterConfig frm_LeadStatus_Config() {
    StatusMasterConfig c;
    c.windowName = QStringLiteral("frm_LeadStatus");
    c.caption = QStringLiteral("LEAD STATUS MAINTENANCE");
    c.table = QStringLiteral("M_TBL_LEADSTATUS");
    c.keyColumn = QStringLiteral("LEADSTATUS_CODE");
    c.nameColumn = QStringLiteral("LEAD_STATUS");
    c.orderColumn = QStringLiteral("LEAD_SLNO");
    c.red = QStringLiteral("L_RED");
    c.green = QStringLiteral("L_GREEN");
    c.blue = QStringLiteral("L_BLUE");
    c.foreRed = QStringLiteral("L_F_RED");
    c.foreGreen = QStringLiteral("L_F_GREEN");
    c.foreBlue = QStringLiteral("L_F_BLUE");
    c.counter = QStringLiteral("LEADSTAT");
    c.locks = {{QStringLiteral("LEAD_LOCK"), QStringLiteral("LEAD LOC&K (Y/N)"), QStringLiteral("Cmb_Lock")}};
    c.exclusiveLock = true;  // the one status a booked lead takes
    c.lockInGrid = true;
    c.nameCaption = QStringLiteral("LEAD &STATUS");
    c.orderCaption = QStringLiteral("LEAD S&LNO");
    c.emptyNameMessage = QStringLiteral("PLEASE ENTER LEAD STATUS TYPE ....");
    c.questionHead = QStringLiteral(" YOU ARE ABOUT TO UPDATUS LEAD STATUS ");
    c.successMessage = QStringLiteral("LEAD STATUS SUCCESSFULLY UPDATED .....");
    c.takenNameMessage = QStringLiteral("LEAD STATUS ALREADY EXISTS ....");
    return c;
}

StatusMasterConfig frm_HotelStatus_Config() {
    StatusMasterConfig c;
    c.windowName = QStringLiteral("frm_HotelStatus");
    c.caption = QStringLiteral("HOTEL STATUS MAINTENANCE");
    c.table = QStringLiteral("M_TBL_HOTELSTATUS");
    c.keyColumn = QStringLiteral("HOTELSTATUS_CODE");
    c.nameColumn = QStringLiteral("HOTEL_STATUS");
    c.orderColumn = QStringLiteral("HOTEL_SLNO");
    c.red = QStringLiteral("H_RED");
    c.green = QStringLiteral("H_GREEN");
    c.blue = QStringLiteral("H_BLUE");
    c.foreRed = QStringLiteral("H_F_RED");
    c.foreGreen = QStringLiteral("H_F_GREEN");
    c.foreBlue = QStringLiteral("H_F_BLUE");
    c.counter = QStringLiteral("HOTLSTAT");
    // Shown in the grid; it takes effect nowhere, so it is not exclusive.
    c.locks = {{QStringLiteral("HOTEL_LOCK"), QStringLiteral("HOTEL LOC&K (Y/N)"), QStringLiteral("Cmb_Lock")}};
    c.lockInGrid = true;
    c.nameCaption = QStringLiteral("HOTEL &STATUS");
    c.orderCaption = QStringLiteral("HOTEL S&LNO");
    c.emptyNameMessage = QStringLiteral("PLEASE ENTER HOTEL STATUS TYPE ....");
    c.questionHead = QStringLiteral(" YOU ARE ABOUT TO UPDATUS HOTEL STATUS ");
    c.successMessage = QStringLiteral("HOTEL STATUS SUCCESSFULLY UPDATED .....");
    c.takenNameMessage = QStringLiteral("HOTEL STATUS ALREADY EXISTS ....");
    return c;
}

namespace {
StatusMasterConfig cbptBase() {
    StatusMasterConfig c;
    c.nameColumn = QStringLiteral("CBPT_STATUS");
    c.orderColumn = QStringLiteral("CBPT_SLNO");
    c.red = QStringLiteral("H_RED");
    c.green = QStringLiteral("H_GREEN");
    c.blue = QStringLiteral("H_BLUE");
    c.foreRed = QStringLiteral("H_F_RED");
    c.foreGreen = QStringLiteral("H_F_GREEN");
    c.foreBlue = QStringLiteral("H_F_BLUE");
    c.nameCaption = QStringLiteral("CBPT &STATUS");
    c.orderCaption = QStringLiteral("CBPT S&LNO");
    c.emptyNameMessage = QStringLiteral("PLEASE ENTER CBPT STATUS TYPE ....");
    c.questionHead = QStringLiteral(" YOU ARE ABOUT TO UPDATUS CBPT STATUS ");
    c.successMessage = QStringLiteral("CBPT STATUS SUCCESSFULLY UPDATED .....");
    c.takenNameMessage = QStringLiteral("CBPT STATUS ALREADY EXISTS ....");
    return c;
}
}  // namespace

StatusMasterConfig frm_CBPTSTATUS_Config() {
    StatusMasterConfig c = cbptBase();
    c.windowName = QStringLiteral("frm_CBPTSTATUS");
    c.caption = QStringLiteral("CBPT STATUS MAINTENANCE - ACCOUNTS");
    c.table = QStringLiteral("M_TBL_CBPT_STATUS");
    c.keyColumn = QStringLiteral("CBPTSTATUS_CODE");
    c.counter = QStringLiteral("CBPTSTAT");
    c.locks = {{QStringLiteral("LCK_LEAD"), QStringLiteral("LOCK LEAD"), QStringLiteral("Cmb_LckLead")},
               {QStringLiteral("LCK_QUOT"), QStringLiteral("LOCK QUOTATION"), QStringLiteral("Cmb_LckQuot")},
               {QStringLiteral("LCK_MONEYRCPT"), QStringLiteral("LOCK MONEY RECEIPT"), QStringLiteral("Cmb_LckMoneyRcpt")},
               {QStringLiteral("LCK_ANCP01"), QStringLiteral("LOCK ANCP01 (HOTEL)"), QStringLiteral("Cmb_LckANCP01")},
               {QStringLiteral("LCK_ANCP02"), QStringLiteral("LOCK ANCP02 (VEHICLE)"), QStringLiteral("Cmb_LckANCP02")},
               {QStringLiteral("LCK_ANCP03"), QStringLiteral("LOCK ANCP03 (OTHERS)"), QStringLiteral("Cmb_LckANCP03")},
               {QStringLiteral("LCK_PAYMENT"), QStringLiteral("LOCK PAYMENT"), QStringLiteral("Cmb_LckPayment")},
               {QStringLiteral("LCK_CBPT"), QStringLiteral("LOCK CBPT"), QStringLiteral("Cmb_LckCBPT")}};
    return c;
}

StatusMasterConfig frm_CBPTSTATUS_OPS_Config() {
    StatusMasterConfig c = cbptBase();
    c.windowName = QStringLiteral("frm_CBPTSTATUS_OPS");
    c.caption = QStringLiteral("CBPT STATUS MAINTENANCE - OPERATION");
    c.table = QStringLiteral("M_TBL_CBPT_STATUS_OPS");
    c.keyColumn = QStringLiteral("CBPTSTATUS_CODE_O");
    c.counter = QStringLiteral("CBPTSTAT_OPS");
    return c;
}

namespace {
enum GridCol { SlNo, Status, Code };

QString byOn(const QSqlRecord& r, const char* by, const char* on) {
    return byOnText(r.value(QLatin1String(by)), r.value(QLatin1String(on)));
}

QLineEdit* colourField(QWidget* parent, const QString& name) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setMaxLength(3);
    e->setFixedWidth(48);
    e->setAlignment(Qt::AlignRight);
    // Digits only, never above 255: a component out of range could not paint a row.
    e->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("(25[0-5]|2[0-4][0-9]|1[0-9][0-9]|[0-9]{1,2})?")), e));
    return e;
}

int component(const QLineEdit* e) { return qBound(0, e->text().trimmed().toInt(), 255); }

QString yn(const QComboBox* c) { return c->currentText() == QLatin1String("Y") ? QStringLiteral("Y") : QStringLiteral("N"); }
}  // namespace

StatusMaster::StatusMaster(Session& session, QWidget* parent, StatusMasterConfig config)
    : TaskWindow(session, parent), config_(std::move(config)) {
    setObjectName(config_.windowName);
    setWindowTitle(config_.caption);
    // Windows and lists tell statuses apart by name: a second workstation saving the same name
    // first is refused by the table's unique name, with the same message.
    setFailureMessages({.duplicate = config_.takenNameMessage});
    setTool(1, kCloseTip, [this] { close(); });
    setTool(2, kNewTip, [this] { Load_Init(); });
    setTool(3, kSaveTip, [this] { Save_Record(); });

    auto label = [this](const QString& text, QWidget* buddy = nullptr) {
        auto* l = new QLabel(text, this);
        if (buddy)
            l->setBuddy(buddy);
        return l;
    };
    auto shown = [this](const QString& name) {
        auto* l = new QLabel(this);
        l->setObjectName(name);
        l->setFrameShape(QFrame::StyledPanel);
        l->setMinimumWidth(160);
        return l;
    };

    auto* form = new QGridLayout;
    form->setHorizontalSpacing(8);
    int row = 0;
    lbl_Code = shown(QStringLiteral("lbl_Code"));
    lbl_Code->setMinimumWidth(80);
    lbl_Code->setMaximumWidth(120);
    form->addWidget(label(QStringLiteral("STATUS CODE")), row, 0);
    form->addWidget(lbl_Code, row++, 1, Qt::AlignLeft);

    txt_Status = new QLineEdit(this);
    txt_Status->setObjectName(QStringLiteral("txt_Status"));
    bindColumn(txt_Status, config_.table, config_.nameColumn);
    attachFilter(txt_Status, KeyFilter::Upper);
    form->addWidget(label(config_.nameCaption, txt_Status), row, 0);
    form->addWidget(txt_Status, row++, 1, 1, 5);

    txt_SlNO = new QLineEdit(this);
    txt_SlNO->setObjectName(QStringLiteral("txt_SlNO"));
    bindColumn(txt_SlNO, config_.table, config_.orderColumn);
    txt_SlNO->setFixedWidth(80);
    txt_SlNO->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,6}")), txt_SlNO));
    form->addWidget(label(config_.orderCaption, txt_SlNO), row, 0);
    form->addWidget(txt_SlNO, row++, 1, Qt::AlignLeft);

    // The lock lists, two to a line.
    for (int i = 0; i < config_.locks.size(); ++i) {
        const StatusLockFlag& f = config_.locks.at(i);
        auto* c = new QComboBox(this);
        c->setObjectName(f.comboName);
        c->addItems({QStringLiteral("N"), QStringLiteral("Y")});
        lockLists << c;
        const int r = row + i / 2;
        const int col = (i % 2) * 3;
        form->addWidget(label(f.caption, c), r, col);
        form->addWidget(c, r, col + 1, Qt::AlignLeft);
    }
    row += (int(config_.locks.size()) + 1) / 2;

    auto colourLine = [&](const QString& caption, QLineEdit*& r, QLineEdit*& g, QLineEdit*& b, const QString& rn,
                          const QString& gn, const QString& bn, QPushButton*& pick, const QString& pickName) {
        r = colourField(this, rn);
        g = colourField(this, gn);
        b = colourField(this, bn);
        pick = new QPushButton(QStringLiteral("..."), this);
        pick->setObjectName(pickName);
        pick->setFixedWidth(36);
        pick->setToolTip(QStringLiteral("Pick Colour"));
        auto* line = new QHBoxLayout;
        line->addWidget(r);
        line->addWidget(g);
        line->addWidget(b);
        line->addWidget(pick);
        line->addStretch(1);
        form->addWidget(label(caption, r), row, 0);
        form->addLayout(line, row++, 1, 1, 5);
    };
    colourLine(QStringLiteral("BACK COLOR"), txt_R, txt_G, txt_B, QStringLiteral("txt_R"), QStringLiteral("txt_G"),
               QStringLiteral("txt_B"), Cmb_PickColor, QStringLiteral("Cmb_PickColor"));
    colourLine(QStringLiteral("FORE COLOR"), txt_FR, txt_FG, txt_FB, QStringLiteral("txt_FR"), QStringLiteral("txt_FG"),
               QStringLiteral("txt_FB"), Cmb_PickColor2, QStringLiteral("Cmb_PickColor2"));
    connect(Cmb_PickColor, &QPushButton::clicked, this, [this] { pickColour(false); });
    connect(Cmb_PickColor2, &QPushButton::clicked, this, [this] { pickColour(true); });

    lbl_CreatedBy = shown(QStringLiteral("lbl_CreatedBy"));
    lbl_CreatedOn = shown(QStringLiteral("lbl_CreatedOn"));
    lbl_UpdateBy = shown(QStringLiteral("lbl_UpdateBy"));
    lbl_UpdateOn = shown(QStringLiteral("lbl_UpdateOn"));
    form->addWidget(label(QStringLiteral("CREATED BY")), row, 0);
    form->addWidget(lbl_CreatedBy, row, 1, 1, 2);
    form->addWidget(label(QStringLiteral("CREATED ON")), row, 3);
    form->addWidget(lbl_CreatedOn, row++, 4, 1, 2);
    form->addWidget(label(QStringLiteral("UPDATED BY")), row, 0);
    form->addWidget(lbl_UpdateBy, row, 1, 1, 2);
    form->addWidget(label(QStringLiteral("UPDATED ON")), row, 3);
    form->addWidget(lbl_UpdateOn, row++, 4, 1, 2);
    form->setColumnStretch(5, 1);
    body()->addLayout(form);

    Grid1 = new QTableWidget(this);
    Grid1->setObjectName(QStringLiteral("Grid1"));
    body()->addWidget(Grid1, 1);
    connect(Grid1, &QTableWidget::cellDoubleClicked, this, [this](int r, int) { rowChosen(r); });
    onEnter(Grid1, [this] { rowChosen(Grid1->currentRow()); });
    resize(820, 560);

    Load_Init();
    Load_Grid();
}

void StatusMaster::Load_EmptyGrid1() {
    QList<GridColumn> cols = {{QStringLiteral("SLNO"), 800, Qt::AlignRight},
                              {QStringLiteral("STATUS"), 3200},
                              {QStringLiteral("CODE"), 800, Qt::AlignRight}};
    if (config_.lockInGrid && !config_.locks.isEmpty())
        cols.append({QStringLiteral("LOCK"), 700, Qt::AlignHCenter});
    cols.append({QStringLiteral("CREATED BY - ON"), 3600});
    cols.append({QStringLiteral("UPDATE BY - ON"), 3600});
    Load_EmptyGrid(Grid1, cols);
    Grid1->horizontalHeader()->setStretchLastSection(true);
}

void StatusMaster::Load_Grid() {
    BusyCursor busy;
    Load_EmptyGrid1();
    guarded([&] {
        QSqlQuery q = db().exec(QStringLiteral("SELECT * FROM %1 ORDER BY %2").arg(config_.table, config_.orderColumn));
        while (q.next()) {
            const QSqlRecord r = q.record();
            QStringList cells = {r.value(config_.orderColumn).toString().trimmed(),
                                 r.value(config_.nameColumn).toString().trimmed(),
                                 r.value(config_.keyColumn).toString().trimmed()};
            if (config_.lockInGrid && !config_.locks.isEmpty())
                cells << r.value(config_.locks.first().column).toString().trimmed();
            cells << byOn(r, "CREATED_BY", "CREATED_ON") << byOn(r, "UPDATE_BY", "UPDATE_ON");
            const int row = addGridRow(Grid1, cells);
            // Rows saved before their colours were set keep the grid's own colours.
            if (!r.value(QStringLiteral("RGB_COLOR")).toString().trimmed().isEmpty()) {
                setRowColours(Grid1, row,
                              QColor(r.value(config_.red).toInt(), r.value(config_.green).toInt(), r.value(config_.blue).toInt()),
                              QColor(r.value(config_.foreRed).toInt(), r.value(config_.foreGreen).toInt(),
                                     r.value(config_.foreBlue).toInt()));
            }
        }
    });
}

void StatusMaster::Load_Init() {
    code_ = 0;
    lbl_Code->clear();
    for (QLineEdit* e : {txt_Status, txt_SlNO, txt_R, txt_G, txt_B, txt_FR, txt_FG, txt_FB})
        e->clear();
    for (QComboBox* c : lockLists)
        c->setCurrentIndex(0);
    for (QLabel* l : {lbl_CreatedBy, lbl_CreatedOn, lbl_UpdateBy, lbl_UpdateOn})
        l->clear();
    txt_Status->setFocus(Qt::OtherFocusReason);
}

void StatusMaster::rowChosen(int row) {
    if (isBlankRow(Grid1, row))
        return;
    Show_Record(gridText(Grid1, row, Code).toLongLong());
}

bool StatusMaster::Show_Record(qint64 code) {
    std::optional<QSqlRecord> r;
    if (!guarded([&] {
            r = db().firstRow(QStringLiteral("SELECT * FROM %1 WHERE %2=?").arg(config_.table, config_.keyColumn),
                              {code});
        }))
        return false;
    if (!r)
        return false;
    Load_Init();
    code_ = code;
    auto text = [&](const QString& column) { return r->value(column).toString().trimmed(); };
    lbl_Code->setText(QString::number(code));
    txt_Status->setText(text(config_.nameColumn));
    txt_SlNO->setText(text(config_.orderColumn));
    txt_R->setText(text(config_.red));
    txt_G->setText(text(config_.green));
    txt_B->setText(text(config_.blue));
    txt_FR->setText(text(config_.foreRed));
    txt_FG->setText(text(config_.foreGreen));
    txt_FB->setText(text(config_.foreBlue));
    for (int i = 0; i < lockLists.size(); ++i)
        lockLists.at(i)->setCurrentIndex(text(config_.locks.at(i).column) == QLatin1String("Y") ? 1 : 0);
    lbl_CreatedBy->setText(text(QStringLiteral("CREATED_BY")));
    lbl_CreatedOn->setText(momentText(r->value(QStringLiteral("CREATED_ON"))));
    lbl_UpdateBy->setText(text(QStringLiteral("UPDATE_BY")));
    lbl_UpdateOn->setText(momentText(r->value(QStringLiteral("UPDATE_ON"))));
    txt_Status->setFocus(Qt::OtherFocusReason);
    return true;
}

void StatusMaster::Save_Record() {
    if (!runChecks(prompter(), this,
                   {{[this] { return txt_Status->text().trimmed().isEmpty(); }, txt_Status, config_.emptyNameMessage}}))
        return;
    const QString name = upperAscii(txt_Status->text().trimmed());
    bool taken = false;
    if (!guarded([&] {
            taken = db().scalar(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE UPPER(TRIM(%2))=? AND %3<>?")
                                    .arg(config_.table, config_.nameColumn, config_.keyColumn),
                                {name, code_})
                        .toLongLong() > 0;
        }))
        return;
    if (!runChecks(prompter(), this, {{[&] { return taken; }, txt_Status, config_.takenNameMessage}}))
        return;
    const Confirmation question{config_.questionHead, {{QStringLiteral(" STATUS : "), name}}};
    if (!question.ask(prompter(), this))
        return;

    const int r = component(txt_R), g = component(txt_G), b = component(txt_B);
    const int fr = component(txt_FR), fg = component(txt_FG), fb = component(txt_FB);
    const qint64 order = txt_SlNO->text().trimmed().toLongLong();
    QStringList lockValues;
    for (QComboBox* c : lockLists)
        lockValues << yn(c);
    const QString& t = config_.table;
    const QString& key = config_.keyColumn;

    Columns columns = {{config_.nameColumn, name}, {config_.orderColumn, order}};
    for (qsizetype i = 0; i < config_.locks.size() && i < lockValues.size(); ++i)
        columns.emplace_back(config_.locks.at(i).column, lockValues.at(i));
    columns.insert(columns.end(),
                   {{config_.red, r},
                    {config_.green, g},
                    {config_.blue, b},
                    {QStringLiteral("RGB_COLOR"), QStringLiteral("%1,%2,%3").arg(r).arg(g).arg(b)},
                    {config_.foreRed, fr},
                    {config_.foreGreen, fg},
                    {config_.foreBlue, fb},
                    {QStringLiteral("RGB_COLOR_F"), QStringLiteral("%1,%2,%3").arg(fr).arg(fg).arg(fb)}});

    qint64 saved = 0;
    if (!guarded([&] {
            saved = db().transact([&] {
                // A new status takes its code only now, after Yes, and keeps it only if the row is kept.
                const bool isNew = code_ == 0;
                const qint64 code = isNew ? Numbering(db()).next(config_.counter) : code_;
                RowWriter(db(), session().userFullName).write(t, {{key, code}}, columns, isNew);
                // The lock is one status's alone: taking it clears every other, in the same transaction.
                if (config_.exclusiveLock && !lockValues.isEmpty() && lockValues.first() == QLatin1String("Y"))
                    db().exec(
                        QStringLiteral("UPDATE %1 SET %2='N' WHERE %3 <> ?").arg(t, config_.locks.first().column, key),
                        {code});
                return code;
            });
        }))
        return;
    prompter().information(this, config_.successMessage);
    Load_Grid();
    Show_Record(saved);
}

Colour_Picker* StatusMaster::pickColour(bool fore) {
    if (picker_)
        picker_->close();
    QPointer<QLineEdit> r = fore ? txt_FR : txt_R;
    QPointer<QLineEdit> g = fore ? txt_FG : txt_G;
    QPointer<QLineEdit> b = fore ? txt_FB : txt_B;
    picker_ = new Colour_Picker(prompter(), this, [r, g, b](int red, int green, int blue) {
        if (r && g && b) {
            r->setText(QString::number(red));
            g->setText(QString::number(green));
            b->setText(QString::number(blue));
        }
    });
    picker_->show();
    return picker_;
}

}  // namespace tarvic
