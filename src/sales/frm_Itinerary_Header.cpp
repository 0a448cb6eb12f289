#include "frm_Itinerary_Header.h"

#include "data/Moments.h"
#include "engine/sales/Itineraries.h"
#include "sales/ItineraryForms.h"
#include "shell/kit/BusyCursor.h"
#include "shell/kit/Checks.h"
#include "shell/kit/KeyFilters.h"
#include "shell/kit/ListGrid.h"
#include "shell/kit/QueryModel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTabWidget>

namespace tarvic {

using namespace itinerary_ui;

namespace {
// Notes are copied into quotations, whose editor holds a note to this length.
constexpr int kNoteLength = 5000;
}  // namespace

frm_Itinerary_Header::frm_Itinerary_Header(Session& session, QWidget* parent, const WindowArgs& args)
    : TaskWindow(session, parent) {
    setObjectName(QStringLiteral("frm_Itinerary_Header"));
    setWindowTitle(QStringLiteral("ITINERARY HEADER"));
    setTool(1, kCloseTip, [this] { close(); });
    setTool(2, kNewTip, [this] { Load_Init(); });
    setTool(3, kSaveTip, [this] { Save_Record(); });
    QPointer<frm_Itinerary_Header> self(this);
    setTool(4, kSearchTip, [this, self] {
        openWindow(QStringLiteral("frm_SearchItinerary"), WindowArgs{{}, [self](const QString& code) {
                                                                         if (self)
                                                                             self->Show_Record(code.toLongLong());
                                                                     }});
    });
    // The child windows report a stored change; the lines (and notes, after an import) are
    // read again if this window is still open.
    const auto reload = [self](const QString&) {
        if (self && self->docNo_)
            self->Show_Record(self->docNo_);
    };
    setTool(5, QStringLiteral("Add Itinerary Details { F5 }"), [this, reload] {
        openWindow(QStringLiteral("frm_Itinerary_Details"),
                   WindowArgs{{{QStringLiteral("ITN_DOCNO"), docNo_}}, reload});
    });
    setTool(6, QStringLiteral("Import Itinerary { F6 }"), [this, reload] {
        openWindow(QStringLiteral("frm_Itinerary_Import"), WindowArgs{{{QStringLiteral("ITN_DOCNO"), docNo_}}, reload});
    });

    lbl_ItnNo = shownField(this, "lbl_ItnNo", 90);
    txt_ItnName = textField(this, "txt_ItnName");
    bindColumn(txt_ItnName, "M_TBL_ITINERARY_HEADER", "ITN_NAME");
    txt_States = textField(this, "txt_States");
    bindColumn(txt_States, "M_TBL_ITINERARY_HEADER", "ITN_STATE");
    txt_Desc = textField(this, "txt_Desc");
    bindColumn(txt_Desc, "M_TBL_ITINERARY_HEADER", "ITN_DESC");
    txt_Places = textField(this, "txt_Places");
    bindColumn(txt_Places, "M_TBL_ITINERARY_HEADER", "ITN_PLACES");
    // Stored upper case, as the search patterns are typed: found alike on every engine.
    for (QLineEdit* e : {txt_ItnName, txt_States, txt_Desc, txt_Places})
        attachFilter(e, KeyFilter::Upper);
    txt_Nights = digitsField(this, "txt_Nights");
    bindColumn(txt_Nights, "M_TBL_ITINERARY_HEADER", "ITN_NIGHT");
    lbl_Days = shownField(this, "lbl_Days", 60);
    lbl_Duration = shownField(this, "lbl_Duration", 110);
    Cmb_Active = new QComboBox(this);
    Cmb_Active->setObjectName(QStringLiteral("Cmb_Active"));
    Cmb_Active->addItems({QStringLiteral("Y"), QStringLiteral("N")});
    lbl_CreatedBy = shownField(this, "lbl_CreatedBy", 160);
    lbl_CreatedOn = shownField(this, "lbl_CreatedOn", 160);
    lbl_UpdateBy = shownField(this, "lbl_UpdateBy", 160);
    lbl_UpdateOn = shownField(this, "lbl_UpdateOn", 160);

    auto* form = new QGridLayout;
    form->addWidget(caption(this, QStringLiteral("ITINERARY NO")), 0, 0);
    form->addWidget(lbl_ItnNo, 0, 1);
    form->addWidget(caption(this, QStringLiteral("ITINERARY &NAME"), txt_ItnName), 1, 0);
    form->addWidget(txt_ItnName, 1, 1, 1, 5);
    form->addWidget(caption(this, QStringLiteral("&STATES COVERED"), txt_States), 2, 0);
    form->addWidget(txt_States, 2, 1, 1, 5);
    form->addWidget(caption(this, QStringLiteral("DESC&RIPTION"), txt_Desc), 3, 0);
    form->addWidget(txt_Desc, 3, 1, 1, 5);
    form->addWidget(caption(this, QStringLiteral("P&LACES COVERED"), txt_Places), 4, 0);
    form->addWidget(txt_Places, 4, 1, 1, 5);
    // Days and duration follow the nights: their access keys lead there.
    form->addWidget(caption(this, QStringLiteral("NI&GHTS"), txt_Nights), 5, 0);
    form->addWidget(txt_Nights, 5, 1);
    form->addWidget(caption(this, QStringLiteral("DA&YS"), txt_Nights), 5, 2);
    form->addWidget(lbl_Days, 5, 3);
    form->addWidget(caption(this, QStringLiteral("D&URATION"), txt_Nights), 5, 4);
    form->addWidget(lbl_Duration, 5, 5);
    form->addWidget(caption(this, QStringLiteral("ACTIVE (Y/N)"), Cmb_Active), 6, 0);
    form->addWidget(Cmb_Active, 6, 1);
    form->addWidget(caption(this, QStringLiteral("CREATED BY")), 7, 0);
    form->addWidget(lbl_CreatedBy, 7, 1, 1, 2);
    form->addWidget(caption(this, QStringLiteral("CREATED ON")), 7, 3);
    form->addWidget(lbl_CreatedOn, 7, 4, 1, 2);
    form->addWidget(caption(this, QStringLiteral("UPDATED BY")), 8, 0);
    form->addWidget(lbl_UpdateBy, 8, 1, 1, 2);
    form->addWidget(caption(this, QStringLiteral("UPDATED ON")), 8, 3);
    form->addWidget(lbl_UpdateOn, 8, 4, 1, 2);
    form->setColumnStretch(5, 1);
    body()->addLayout(form);

    tab_Itinerary = new QTabWidget(this);
    tab_Itinerary->setObjectName(QStringLiteral("tab_Itinerary"));
    model_ = itinerary_ui::dayModel(db(), this);
    connect(model_, &QueryModel::pageFailed, this, [this](const QString& m) { prompter().information(this, m); });
    Grid1 = new ListGrid(QStringLiteral("Grid1"), this);
    Grid1->setQueryModel(model_);
    tab_Itinerary->addTab(Grid1, QStringLiteral("I&TINERARY DETAILS"));
    for (const ItineraryNote& n : kItineraryNotes) {
        QPlainTextEdit* box = textBox(this, QLatin1String(n.field));
        bindLength(box, kNoteLength);
        notes_.insert(QLatin1String(n.code), box);
        tab_Itinerary->addTab(box, QLatin1String(n.caption));
    }
    body()->addWidget(tab_Itinerary, 1);
    resize(960, 620);

    connect(txt_Nights, &QLineEdit::textChanged, this, [this] { Show_Duration(); });
    Load_Init();
    if (const qint64 n = args.value(QStringLiteral("ITN_DOCNO")).toLongLong())
        Show_Record(n);
}

void frm_Itinerary_Header::setNumber(qint64 docNo) {
    docNo_ = docNo;
    lbl_ItnNo->setText(QString::number(docNo));
    // Lines and imports belong to a stored itinerary.
    tool(5)->setEnabled(docNo > 0);
    tool(6)->setEnabled(docNo > 0);
}

void frm_Itinerary_Header::Load_Init() {
    setNumber(0);
    for (QLineEdit* e : {txt_ItnName, txt_States, txt_Desc, txt_Places, txt_Nights})
        e->clear();
    Cmb_Active->setCurrentIndex(0);
    for (QLabel* l : {lbl_CreatedBy, lbl_CreatedOn, lbl_UpdateBy, lbl_UpdateOn})
        l->clear();
    for (QPlainTextEdit* t : std::as_const(notes_))
        t->clear();
    model_->clear();
    Show_Duration();
    tab_Itinerary->setCurrentIndex(0);
    txt_ItnName->setFocus(Qt::OtherFocusReason);
}

void frm_Itinerary_Header::Show_Duration() {
    const ItineraryLength length = itineraryLength(txt_Nights->text().toInt());
    lbl_Days->setText(QString::number(length.days));
    lbl_Duration->setText(length.duration);
}

void frm_Itinerary_Header::Load_Grid1() {
    BusyCursor busy;
    guarded([&] {
        model_->load({QStringLiteral("SELECT {columns} FROM M_TBL_ITINERARY_DETAILS WHERE ITN_DOCNO=?"), {docNo_}});
    });
}

void frm_Itinerary_Header::Show_Record(qint64 docNo) {
    guarded([&] {
        const auto row =
            db().firstRow(QStringLiteral("SELECT * FROM M_TBL_ITINERARY_HEADER WHERE ITN_DOCNO=?"), {docNo});
        if (!row)
            return;
        const auto text = [&](const char* column) { return row->value(QLatin1String(column)).toString().trimmed(); };
        Load_Init();
        setNumber(docNo);
        txt_ItnName->setText(text("ITN_NAME"));
        txt_States->setText(text("ITN_STATE"));
        txt_Desc->setText(text("ITN_DESC"));
        txt_Places->setText(text("ITN_PLACES"));
        txt_Nights->setText(QString::number(row->value(QStringLiteral("ITN_NIGHT")).toInt()));
        Cmb_Active->setCurrentIndex(text("ACTIVE") == QLatin1String("N") ? 1 : 0);
        lbl_CreatedBy->setText(text("CREATED_BY"));
        lbl_CreatedOn->setText(momentText(row->value(QStringLiteral("CREATED_ON"))));
        lbl_UpdateBy->setText(text("UPDATE_BY"));
        lbl_UpdateOn->setText(momentText(row->value(QStringLiteral("UPDATE_ON"))));
        QSqlQuery q = db().exec(
            QStringLiteral("SELECT ITN_NOTE_CODE, ITN_NOTE FROM M_TBL_ITINERARY_NOTES WHERE ITN_DOCNO=?"), {docNo});
        while (q.next())
            if (QPlainTextEdit* box = notes_.value(q.value(0).toString().trimmed()))
                box->setPlainText(q.value(1).toString());
    });
    if (docNo_)
        Load_Grid1();
}

void frm_Itinerary_Header::Save_Record() {
    const bool ok = runChecks(prompter(), this,
                              {
                                  {[this] { return txt_ItnName->text().trimmed().isEmpty(); }, txt_ItnName,
                                   QStringLiteral("ITINERARY NAME CANNOT BE BLANK....")},
                                  {[this] { return txt_States->text().trimmed().isEmpty(); }, txt_States,
                                   QStringLiteral("STATES COVERED CANNOT BE BLANK....")},
                                  {[this] { return txt_Desc->text().trimmed().isEmpty(); }, txt_Desc,
                                   QStringLiteral("DESCRIPTION COVERED CANNOT BE BLANK....")},
                                  {[this] { return txt_Places->text().trimmed().isEmpty(); }, txt_Places,
                                   QStringLiteral("PLACES COVERED CANNOT BE BLANK....")},
                                  {[this] { return !positiveNumber(txt_Nights->text()); }, txt_Nights,
                                   QStringLiteral("NO OF NIGHTS CANNOT BE ZERO OR BLANK...")},
                              });
    if (!ok)
        return;
    Show_Duration();
    const int nights = txt_Nights->text().toInt();
    const ItineraryLength length = itineraryLength(nights);
    const Confirmation question{QStringLiteral(" YOU ARE ABOUT TO UPDATE ITINERARY ...."),
                                {{QStringLiteral(" NAME : "), txt_ItnName->text().trimmed()},
                                 {QStringLiteral(" STATES : "), txt_States->text().trimmed()},
                                 {QStringLiteral(" DESCRIPTION : "), txt_Desc->text().trimmed()},
                                 {QStringLiteral(" PLACES : "), txt_Places->text().trimmed()},
                                 {QStringLiteral(" DURATION : "), length.duration}}};
    if (!question.ask(prompter(), this))
        return;

    const Columns header = {{QStringLiteral("ITN_NAME"), upperText(txt_ItnName->text().trimmed())},
                            {QStringLiteral("ITN_STATE"), upperText(txt_States->text().trimmed())},
                            {QStringLiteral("ITN_PLACES"), upperText(txt_Places->text().trimmed())},
                            {QStringLiteral("ITN_DESC"), upperText(txt_Desc->text().trimmed())},
                            {QStringLiteral("ITN_NIGHT"), nights},
                            {QStringLiteral("ITN_DAYS"), length.days},
                            {QStringLiteral("ITN_DURATION"), length.duration},
                            {QStringLiteral("ACTIVE"), Cmb_Active->currentText()}};
    qint64 saved = 0;
    if (!guarded([&] {
            QHash<QString, QString> notes;
            for (const ItineraryNote& n : kItineraryNotes)
                notes.insert(QLatin1String(n.code), notes_.value(QLatin1String(n.code))->toPlainText());
            saved = storeItinerary(db(), session().userFullName, docNo_, header, notes);
        }))
        return;
    prompter().information(this, QStringLiteral(" CODE : %1\nITINERARY UPDATION SUCCESSFULLY DONE ....").arg(saved));
    // The number is the window's even if reading the row back fails.
    setNumber(saved);
    Show_Record(saved);
}

}  // namespace tarvic
