#include "frm_Itinerary_Import.h"

#include "engine/sales/Itineraries.h"
#include "sales/ItineraryForms.h"
#include "shell/kit/BusyCursor.h"
#include "shell/kit/Checks.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

namespace tarvic {

using namespace itinerary_ui;

frm_Itinerary_Import::frm_Itinerary_Import(Session& session, QWidget* parent, const WindowArgs& args)
    : TaskWindow(session, parent), args_(args) {
    setObjectName(QStringLiteral("frm_Itinerary_Import"));
    setWindowTitle(QStringLiteral("IMPORT ITINERARY"));
    setTool(1, kCloseTip, [this] { close(); });
    target_ = args.value(QStringLiteral("ITN_DOCNO")).toLongLong();

    lbl_TrgItnNo = shownField(this, "lbl_TrgItnNo", 90);
    lbl_TrgName = shownField(this, "lbl_TrgName", 240);
    lbl_TrgDuration = shownField(this, "lbl_TrgDuration", 110);
    txt_ItnDocNO = digitsField(this, "txt_ItnDocNO");
    bindColumn(txt_ItnDocNO, "M_TBL_ITINERARY_HEADER", "ITN_DOCNO");
    Cmd_SrcItn = new QPushButton(QStringLiteral("SHOW"), this);
    Cmd_SrcItn->setObjectName(QStringLiteral("Cmd_SrcItn"));
    Cmd_Search = new QPushButton(QStringLiteral("..."), this);
    Cmd_Search->setObjectName(QStringLiteral("Cmd_Search"));
    Cmd_Search->setEnabled(canOpen(QStringLiteral("frm_SearchItinerary")));
    lbl_SrcName = shownField(this, "lbl_SrcName", 240);
    lbl_SrcDuration = shownField(this, "lbl_SrcDuration", 110);
    Chk_Details = new QCheckBox(QStringLiteral("IMPORT &ITINERARY DETAILS"), this);
    Chk_Details->setObjectName(QStringLiteral("Chk_Details"));
    Chk_Details->setChecked(true);
    Chk_Notes = new QCheckBox(QStringLiteral("IMPORT NOTES / POLIC&Y"), this);
    Chk_Notes->setObjectName(QStringLiteral("Chk_Notes"));
    Chk_Notes->setChecked(true);
    Cmd_Import = new QPushButton(QStringLiteral("IMPORT"), this);
    Cmd_Import->setObjectName(QStringLiteral("Cmd_Import"));
    Cmd_Import->setEnabled(target_ > 0);
    lbl_Msg = new QLabel(this);
    lbl_Msg->setObjectName(QStringLiteral("lbl_Msg"));
    lbl_Msg->setMinimumHeight(22);

    auto* form = new QGridLayout;
    form->addWidget(caption(this, QStringLiteral("ITINERARY NO")), 0, 0);
    form->addWidget(lbl_TrgItnNo, 0, 1);
    form->addWidget(lbl_TrgName, 0, 2, 1, 3);
    form->addWidget(lbl_TrgDuration, 0, 5);
    form->addWidget(caption(this, QStringLiteral("ITINERARY DOC NO"), txt_ItnDocNO), 1, 0);
    form->addWidget(txt_ItnDocNO, 1, 1);
    form->addWidget(lbl_SrcName, 1, 2, 1, 3);
    form->addWidget(lbl_SrcDuration, 1, 5);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Cmd_SrcItn);
    buttons->addWidget(Cmd_Search);
    form->addLayout(buttons, 1, 6);
    form->addWidget(Chk_Details, 2, 1, 1, 2);
    form->addWidget(Chk_Notes, 2, 3, 1, 2);
    form->addWidget(Cmd_Import, 2, 6);
    form->setColumnStretch(2, 1);
    body()->addLayout(form);
    body()->addWidget(lbl_Msg);
    body()->addStretch(1);
    resize(780, 200);

    // Editing the source forgets the one looked up: the import uses only a shown itinerary.
    connect(txt_ItnDocNO, &QLineEdit::textEdited, this, [this] {
        source_ = 0;
        lbl_SrcName->clear();
        lbl_SrcDuration->clear();
    });
    onEnter(txt_ItnDocNO, [this] { Show_Source(); });
    connect(Cmd_SrcItn, &QPushButton::clicked, this, [this] { Show_Source(); });
    QPointer<frm_Itinerary_Import> self(this);
    connect(Cmd_Search, &QPushButton::clicked, this, [this, self] {
        openWindow(QStringLiteral("frm_SearchItinerary"), WindowArgs{{}, [self](const QString& code) {
                                                                         if (!self)
                                                                             return;
                                                                         self->txt_ItnDocNO->setText(code);
                                                                         self->Show_Source();
                                                                     }});
    });
    connect(Cmd_Import, &QPushButton::clicked, this, [this] { Import_Itinerary(); });

    lbl_TrgItnNo->setText(QString::number(target_));
    guarded([&] {
        if (const auto row = db().firstRow(
                QStringLiteral("SELECT ITN_NAME, ITN_DURATION FROM M_TBL_ITINERARY_HEADER WHERE ITN_DOCNO=?"),
                {target_})) {
            lbl_TrgName->setText(row->value(0).toString().trimmed());
            lbl_TrgDuration->setText(row->value(1).toString().trimmed());
        }
    });
}

void frm_Itinerary_Import::Show_Source() {
    source_ = 0;
    lbl_SrcName->clear();
    lbl_SrcDuration->clear();
    const auto no = positiveNumber(txt_ItnDocNO->text());
    if (!no)
        return;
    guarded([&] {
        if (const auto row = db().firstRow(
                QStringLiteral("SELECT ITN_NAME, ITN_DURATION FROM M_TBL_ITINERARY_HEADER WHERE ITN_DOCNO=?"), {*no})) {
            source_ = *no;
            lbl_SrcName->setText(row->value(0).toString().trimmed());
            lbl_SrcDuration->setText(row->value(1).toString().trimmed());
        }
    });
}

void frm_Itinerary_Import::progress(const QString& text) {
    lbl_Msg->setText(text);
    lbl_Msg->repaint();
}

void frm_Itinerary_Import::Import_Itinerary() {
    Show_Source();
    const auto typed = positiveNumber(txt_ItnDocNO->text());
    qint64 lines = 0;
    if (source_ && !guarded([&] {
            lines =
                db().scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_ITINERARY_DETAILS WHERE ITN_DOCNO=?"), {source_})
                    .toLongLong();
        }))
        return;
    const bool ok = runChecks(
        prompter(), this,
        {
            {[&] { return !typed; }, txt_ItnDocNO, QStringLiteral("PLEASE ENTER ITINERARY CODE PROPERLY....")},
            {[&] { return *typed == target_; }, txt_ItnDocNO,
             QStringLiteral("CANNOT PROCEED AS BOTH THE ITINERARY ARE SAME ....")},
            {[&] { return lines == 0; }, txt_ItnDocNO, QStringLiteral("CANNOT PROCEED AS ITINERARY NOT PRESENT ...")},
            // Nothing ticked would import nothing, yet report it done.
            {[&] { return !Chk_Details->isChecked() && !Chk_Notes->isChecked(); }, Chk_Details,
             QStringLiteral("PLEASE SELECT ITINERARY DETAILS OR NOTES / POLICY TO IMPORT ....")},
        });
    if (!ok)
        return;
    const Confirmation question{QStringLiteral(" YOU ARE ABOUT TO IMPORT ITINERARY DETAILS FROM ... "),
                                {{QStringLiteral(" ITINERARY NO : "), QString::number(source_)},
                                 {QStringLiteral(" ITINERARY NAME : "), lbl_SrcName->text()},
                                 {QStringLiteral(" ITINERARY DURATION : "), lbl_SrcDuration->text()},
                                 {QStringLiteral(" THIS MIGHT OVERWRITE ALREADY PRESENT ITINERARY.... "), QString()}}};
    if (!question.ask(prompter(), this))
        return;
    BusyCursor busy;
    const bool done = guarded([&] {
        importItinerary(db(), session().userFullName,
                        {source_, target_, Chk_Details->isChecked(), Chk_Notes->isChecked()},
                        [this](const QString& text) { progress(text); });
    });
    busy.release();
    if (!done) {
        lbl_Msg->clear();
        return;
    }
    progress(QStringLiteral("IMPORTING OF ITINERARY DETAILS SUCCESSFULLY DONE ...."));
    prompter().information(this, QStringLiteral("IMPORTING OF ITINERARY DETAILS SUCCESSFULLY DONE ...."));
    if (args_.onPick)
        args_.onPick(QString::number(target_));
}

}  // namespace tarvic
