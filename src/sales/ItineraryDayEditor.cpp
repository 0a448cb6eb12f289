#include "ItineraryDayEditor.h"

#include "engine/sales/Itineraries.h"
#include "sales/ItineraryForms.h"
#include "shell/kit/BusyCursor.h"
#include "shell/kit/Checks.h"
#include "shell/kit/GridHelpers.h"
#include "shell/kit/KeyFilters.h"
#include "shell/kit/ListGrid.h"
#include "shell/kit/QueryModel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace tarvic {

using namespace itinerary_ui;

namespace {
enum GridCol { SlNo, Day, Place, Desc, Dist, Hours, Created, Updated };
const QString kSaved = QStringLiteral("UPDATION OF ITINERARY DETAILS SUCCESSFULLY DONE ....");
}  // namespace

DayEditorConfig DayEditorConfig::standard() {
    return {QStringLiteral("frm_Itinerary_Details"), QStringLiteral("ADD ITINERARY DETAILS"),
            QStringLiteral("M_TBL_ITINERARY_DETAILS"), QStringLiteral("YOU ARE ABOUT TO UPDATE ITINERARY DETAILS ...."),
            false};
}

DayEditorConfig DayEditorConfig::quotation() {
    return {QStringLiteral("frm_BusinessLead_ModItinerary"), QStringLiteral("MODIFY ITINERARY DETAILS"),
            QStringLiteral("M_TBL_ITINERARY_DETAILS_QUOTE"),
            QStringLiteral("YOU ARE ABOUT TO MODIFY ITINERARY DETAILS ...."), true};
}

ItineraryDayEditor::ItineraryDayEditor(const DayEditorConfig& config, Session& session, QWidget* parent,
                                       const WindowArgs& args)
    : TaskWindow(session, parent), config_(config), args_(args) {
    setObjectName(config.object);
    setWindowTitle(config.title);
    itinerary_ = args.value(QStringLiteral("ITN_DOCNO")).toLongLong();
    quotation_ = args.value(QStringLiteral("QUOT_NO")).toLongLong();
    const bool open = itinerary_ > 0 && (!config.quotationCopy || quotation_ > 0);
    setTool(1, kCloseTip, [this] { close(); });
    setTool(2, kNewTip, [this] { Load_Init(); });
    setTool(3, kSaveTip, [this] { Save_Record(); });
    tool(3)->setEnabled(open);
    if (!config.quotationCopy) {
        setTool(4, QStringLiteral("Delete Record { F4 }"), [this] { Delete_Record(); });
        tool(4)->setEnabled(open);
    }

    lbl_ItnCode = shownField(this, "lbl_ItnCode", 90);
    lbl_ItnCode->setText(QString::number(itinerary_));
    txt_SlNO = digitsField(this, "txt_SlNO");
    bindColumn(txt_SlNO, config.table, "ITN_SLNO");
    txt_Day = digitsField(this, "txt_Day");
    bindColumn(txt_Day, config.table, "ITN_DAY");
    txt_Place = textField(this, "txt_Place");
    bindColumn(txt_Place, config.table, "ITN_PLACE");
    attachFilter(txt_Place, KeyFilter::Upper);
    txt_Desc = textBox(this, QStringLiteral("txt_Desc"));
    bindColumn(txt_Desc, config.table, "ITN_DESC");
    txt_Desc->setFixedHeight(80);
    txt_Dist = textField(this, "txt_Dist");
    bindColumn(txt_Dist, config.table, "ITN_DIST");
    attachFilter(txt_Dist, KeyFilter::Decimal);
    txt_Time = textField(this, "txt_Time");
    bindColumn(txt_Time, config.table, "ITN_HOURS");
    attachFilter(txt_Time, KeyFilter::Decimal);
    Chk_Dist = new QCheckBox(QStringLiteral("SHOW DIST"), this);
    Chk_Dist->setObjectName(QStringLiteral("Chk_Dist"));
    Chk_Hours = new QCheckBox(QStringLiteral("SHOW HOURS"), this);
    Chk_Hours->setObjectName(QStringLiteral("Chk_Hours"));

    auto* form = new QGridLayout;
    int row = 0;
    form->addWidget(caption(this, QStringLiteral("ITN CODE")), row, 0);
    form->addWidget(lbl_ItnCode, row, 1);
    if (config.quotationCopy) {
        lbl_QuoteNo = shownField(this, "lbl_QuoteNo", 90);
        lbl_QuoteNo->setText(QString::number(quotation_));
        form->addWidget(caption(this, QStringLiteral("QUOTE NO")), row, 2);
        form->addWidget(lbl_QuoteNo, row, 3);
    }
    ++row;
    form->addWidget(caption(this, QStringLiteral("ITN SL&NO"), txt_SlNO), row, 0);
    form->addWidget(txt_SlNO, row, 1);
    form->addWidget(caption(this, QStringLiteral("DA&Y"), txt_Day), row, 2);
    form->addWidget(txt_Day, row, 3);
    ++row;
    form->addWidget(caption(this, QStringLiteral("P&LACES VISIT"), txt_Place), row, 0);
    form->addWidget(txt_Place, row, 1, 1, 5);
    ++row;
    form->addWidget(caption(this, QStringLiteral("D&ESCRIPTION"), txt_Desc), row, 0, Qt::AlignTop);
    form->addWidget(txt_Desc, row, 1, 1, 5);
    ++row;
    form->addWidget(caption(this, QStringLiteral("D&ISTANCE (KM)"), txt_Dist), row, 0);
    form->addWidget(txt_Dist, row, 1);
    form->addWidget(Chk_Dist, row, 2);
    form->addWidget(caption(this, QStringLiteral("TIME ( &HRS )"), txt_Time), row, 3);
    form->addWidget(txt_Time, row, 4);
    form->addWidget(Chk_Hours, row, 5);
    form->setColumnStretch(5, 1);
    body()->addLayout(form);

    model_ = itinerary_ui::dayModel(db(), this);
    connect(model_, &QueryModel::pageFailed, this, [this](const QString& m) { prompter().information(this, m); });
    Grid1 = new ListGrid(QStringLiteral("Grid1"), this);
    Grid1->setQueryModel(model_);
    body()->addWidget(Grid1, 1);
    resize(900, 600);

    const auto choose = [this](int r) {
        if (!isBlankRow(Grid1, r))
            Show_Line(gridText(Grid1, r, SlNo).toLongLong());
    };
    connect(Grid1, &ListGrid::rowChosen, this, choose);
    onEnter(Grid1, [this, choose] { choose(Grid1->currentRow()); });

    Load_Init();
    if (open)
        Load_Grid1();
}

QString ItineraryDayEditor::keyWhere(QVariantList& values) const {
    values << itinerary_;
    if (!config_.quotationCopy)
        return QStringLiteral("ITN_DOCNO=?");
    values << quotation_;
    return QStringLiteral("ITN_DOCNO=? AND QUOT_NO=?");
}

void ItineraryDayEditor::Load_Init() {
    loaded_ = 0;
    for (QLineEdit* e : {txt_SlNO, txt_Day, txt_Place, txt_Dist, txt_Time})
        e->clear();
    txt_Desc->clear();
    Chk_Dist->setChecked(false);
    Chk_Hours->setChecked(false);
    txt_SlNO->setFocus(Qt::OtherFocusReason);
}

void ItineraryDayEditor::Load_Grid1() {
    BusyCursor busy;
    guarded([&] {
        QVariantList values;
        const QString where = keyWhere(values);
        model_->load({QStringLiteral("SELECT {columns} FROM %1 WHERE %2").arg(config_.table, where), values});
    });
}

void ItineraryDayEditor::Show_Line(qint64 slno) {
    guarded([&] {
        QVariantList values;
        const QString where = keyWhere(values);
        values << slno;
        const auto row =
            db().firstRow(QStringLiteral("SELECT * FROM %1 WHERE %2 AND ITN_SLNO=?").arg(config_.table, where), values);
        if (!row)
            return;
        const auto text = [&](const char* column) { return row->value(QLatin1String(column)).toString().trimmed(); };
        Load_Init();
        loaded_ = slno;
        txt_SlNO->setText(QString::number(slno));
        txt_Day->setText(QString::number(row->value(QStringLiteral("ITN_DAY")).toInt()));
        txt_Place->setText(text("ITN_PLACE"));
        txt_Desc->setPlainText(text("ITN_DESC"));
        txt_Dist->setText(text("ITN_DIST"));
        txt_Time->setText(text("ITN_HOURS"));
        Chk_Dist->setChecked(text("SHOW_DIST") == QLatin1String("Y"));
        Chk_Hours->setChecked(text("SHOW_HOURS") == QLatin1String("Y"));
        txt_Day->setFocus(Qt::OtherFocusReason);
    });
}

std::optional<qint64> ItineraryDayEditor::highestSerial() {
    QVariantList values;
    const QString where = keyWhere(values);
    const QVariant v =
        db().scalar(QStringLiteral("SELECT MAX(ITN_SLNO) FROM %1 WHERE %2").arg(config_.table, where), values);
    return v.isNull() ? std::nullopt : std::optional<qint64>(v.toLongLong());
}

bool ItineraryDayEditor::lineExists(qint64 slno) {
    QVariantList values;
    const QString where = keyWhere(values);
    values << slno;
    return db().scalar(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2 AND ITN_SLNO=?").arg(config_.table, where),
                       values)
               .toLongLong() > 0;
}

QList<std::pair<QString, QString>> ItineraryDayEditor::lineValues() const {
    return {{QStringLiteral(" SERIAL NO : "), txt_SlNO->text().trimmed()},
            {QStringLiteral(" DAY : "), txt_Day->text().trimmed()},
            {QStringLiteral(" PLACES TO VIST : "), txt_Place->text().trimmed()},
            {QStringLiteral(" DISTANCE : "), txt_Dist->text().trimmed()},
            {QStringLiteral(" TIME : "), txt_Time->text().trimmed()}};
}

void ItineraryDayEditor::stored() {
    Load_Grid1();
    if (args_.onPick)
        args_.onPick(QString::number(config_.quotationCopy ? quotation_ : itinerary_));
}

void ItineraryDayEditor::Save_Record() {
    QList<Check> checks{
        {[this] { return !positiveNumber(txt_SlNO->text()); }, txt_SlNO,
         QStringLiteral("ENTER SERIAL NO PROPERLY....")},
        {[this] { return txt_Day->text().trimmed().isEmpty(); }, txt_Day,
         QStringLiteral("ENTER DAY NO PROPERLY, IT CANNOT BE BLANK ...")},
        {[this] { return txt_Place->text().trimmed().isEmpty(); }, txt_Place,
         QStringLiteral("PLEASE ENTER PLACES TO BE COVERED ....")},
        {[this] { return txt_Dist->text().trimmed().isEmpty(); }, txt_Dist,
         QStringLiteral("DISTANCE CANNOT BLANK....")},
        {[this] { return txt_Time->text().trimmed().isEmpty(); }, txt_Time, QStringLiteral("TIME CANNOT BLANK....")},
        {[this] { return txt_Desc->toPlainText().trimmed().isEmpty(); }, txt_Desc,
         QStringLiteral("DESCRIPTION CANNOT BE BLANK...")},
    };
    const qint64 slno = txt_SlNO->text().toLongLong();
    if (config_.quotationCopy) {
        // The copy keeps the serial numbers it was made with, gaps included: a line is changed
        // only where one stands under that key.
        std::optional<qint64> highest;
        bool exists = false;
        if (!guarded([&] {
                highest = highestSerial();
                exists = lineExists(slno);
            }))
            return;
        checks << Check{[&] { return highest && slno > *highest; }, txt_SlNO,
                        QStringLiteral("Sorry SLNO Cannot Exceed %1").arg(highest.value_or(0))}
               << Check{[&] { return !exists; }, txt_SlNO,
                        QStringLiteral("Sorry SLNO %1 Is Not Present In This Quotation's Itinerary").arg(slno)};
    }
    if (!runChecks(prompter(), this, checks))
        return;
    const Confirmation question{QStringLiteral(" ITINERARY CODE : %1").arg(itinerary_),
                                QList<std::pair<QString, QString>>{{config_.question, QString()}} + lineValues()};
    if (!question.ask(prompter(), this))
        return;

    const Columns columns = {{QStringLiteral("ITN_DAY"), txt_Day->text().toInt()},
                             {QStringLiteral("ITN_PLACE"), upperText(txt_Place->text().trimmed())},
                             {QStringLiteral("ITN_DIST"), txt_Dist->text().trimmed()},
                             {QStringLiteral("SHOW_DIST"), QString(Chk_Dist->isChecked() ? "Y" : "N")},
                             {QStringLiteral("ITN_HOURS"), txt_Time->text().trimmed()},
                             {QStringLiteral("SHOW_HOURS"), QString(Chk_Hours->isChecked() ? "Y" : "N")},
                             {QStringLiteral("ITN_DESC"), txt_Desc->toPlainText().trimmed()}};
    if (!guarded([&] { storeItineraryDay(db(), session().userFullName, {itinerary_, copyOf(), slno, columns}); }))
        return;
    prompter().information(this, kSaved);
    stored();
    Show_Line(slno);
}

void ItineraryDayEditor::Delete_Record() {
    if (!runChecks(prompter(), this,
                   {{[this] { return loaded_ == 0; }, Grid1,
                     QStringLiteral("KINDLY SELECT RECORD PROPERLY FROM THE GRID....")}}))
        return;
    // The line as loaded, whatever has been typed over it since.
    const qint64 slno = loaded_;
    Show_Line(slno);
    const Confirmation question{QStringLiteral("YOU ARE ABOUT TO DELETE ITINERARY DETAILS ...."), lineValues()};
    if (!question.ask(prompter(), this))
        return;
    if (!guarded([&] { deleteItineraryDay(db(), {itinerary_, copyOf(), slno, {}}); }))
        return;
    prompter().information(this, QStringLiteral("DELETION OF ITINERARY DETAILS SUCCESSFULLY DONE .... "));
    Load_Init();
    stored();
}

}  // namespace tarvic
