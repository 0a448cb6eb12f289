#include "frm_BusinessLeads_ModNotes.h"

#include "engine/sales/Itineraries.h"
#include "sales/ItineraryForms.h"
#include "shell/kit/Checks.h"

#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>

namespace tarvic {

using namespace itinerary_ui;

frm_BusinessLeads_ModNotes::frm_BusinessLeads_ModNotes(Session& session, QWidget* parent, const WindowArgs& args)
    : TaskWindow(session, parent), args_(args) {
    setObjectName(QStringLiteral("frm_BusinessLeads_ModNotes"));
    setWindowTitle(QStringLiteral("MODIFY NOTES"));
    itinerary_ = args.value(QStringLiteral("ITN_DOCNO")).toLongLong();
    quotation_ = args.value(QStringLiteral("QUOT_NO")).toLongLong();
    code_ = args.value(QStringLiteral("NOTE_CODE")).toString();
    const ItineraryNote* note = itineraryNote(code_);
    setTool(1, kCloseTip, [this] { close(); });
    setTool(3, kSaveTip, [this] { Save_Record(); });
    // Only a quotation's own notes, of a quotation and itinerary named by the opener.
    tool(3)->setEnabled(itinerary_ > 0 && quotation_ > 0 && note && note->quoted);

    lbl_ItnNo = shownField(this, "lbl_ItnNo", 90);
    lbl_ItnNo->setText(QString::number(itinerary_));
    lbl_QuoteNo = shownField(this, "lbl_QuoteNo", 90);
    lbl_QuoteNo->setText(QString::number(quotation_));
    lbl_NoteType = shownField(this, "lbl_NoteType", 160);
    lbl_NoteType->setText(code_);
    // Typing stops at the column's length; the note's own, shorter rule is the save's, which
    // refuses a longer note with its message and leaves the text to edit.
    txt_Note = new QPlainTextEdit(this);
    txt_Note->setObjectName(QStringLiteral("txt_Note"));
    txt_Note->setTabChangesFocus(true);
    bindColumn(txt_Note, "M_TBL_ITINERARY_NOTES_QUOTE", "ITN_NOTE");

    auto* form = new QGridLayout;
    form->addWidget(caption(this, QStringLiteral("ITINERARY NO")), 0, 0);
    form->addWidget(lbl_ItnNo, 0, 1);
    form->addWidget(caption(this, QStringLiteral("QUOTE NO")), 0, 2);
    form->addWidget(lbl_QuoteNo, 0, 3);
    form->addWidget(caption(this, QStringLiteral("NOTE TYPE")), 0, 4);
    form->addWidget(lbl_NoteType, 0, 5);
    form->setColumnStretch(6, 1);
    body()->addLayout(form);
    body()->addWidget(txt_Note, 1);
    resize(760, 480);

    Show_Note();
    txt_Note->setFocus(Qt::OtherFocusReason);
}

void frm_BusinessLeads_ModNotes::Show_Note() {
    guarded([&] {
        txt_Note->setPlainText(db().scalar(QStringLiteral("SELECT ITN_NOTE FROM M_TBL_ITINERARY_NOTES_QUOTE WHERE "
                                                          "ITN_DOCNO=? AND QUOT_NO=? AND ITN_NOTE_CODE=?"),
                                           {itinerary_, quotation_, code_})
                                   .toString());
    });
}

void frm_BusinessLeads_ModNotes::Save_Record() {
    const QString text = txt_Note->toPlainText();
    const bool ok = runChecks(prompter(), this,
                              {
                                  {[&] { return text.trimmed().isEmpty(); }, txt_Note,
                                   QStringLiteral("UNABLE TO PROCEED AS NOTE AS BLANK ....")},
                                  {[&] { return text.size() > kMaxNote; }, txt_Note,
                                   QStringLiteral("UNABLE TO PROCEED AS CHARACTERS EXCEED 5000 ....")},
                              });
    if (!ok)
        return;
    const Confirmation question{QStringLiteral("YOU ARE ABOUT UPDATE THE NOTES ... "),
                                {},
                                QStringLiteral(" ARE YOU SURE WANT TO PROCEED WITH UPDATION (Y/N) ?")};
    if (!question.ask(prompter(), this))
        return;
    if (!guarded([&] { storeQuotationNote(db(), session().userFullName, itinerary_, quotation_, code_, text); }))
        return;
    prompter().information(this, QStringLiteral("Updation of Notes Successfully Done ..."));
    if (args_.onPick)
        args_.onPick(QString::number(quotation_));
}

}  // namespace tarvic
