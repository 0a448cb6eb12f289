#pragma once
// "MODIFY NOTES": one quoted note (ITN_INCL, ITN_EXCL or ITN_HOTELTOUSE) of quotation QUOT_NO's
// copy of itinerary ITN_DOCNO. The note is written under its key whether the copy held it
// or not (an itinerary without that note still gets one for the quotation).
#include "shell/kit/TaskWindow.h"

class QLabel;
class QPlainTextEdit;

namespace tarvic {

class frm_BusinessLeads_ModNotes : public TaskWindow {
    Q_OBJECT
public:
    static constexpr int kMaxNote = 5000;

    frm_BusinessLeads_ModNotes(Session& session, QWidget* parent, const WindowArgs& args);

    QLabel* lbl_ItnNo = nullptr;
    QLabel* lbl_QuoteNo = nullptr;
    QLabel* lbl_NoteType = nullptr;
    QPlainTextEdit* txt_Note = nullptr;

    void Show_Note();
    void Save_Record();

private:
    WindowArgs args_;
    qint64 itinerary_ = 0;
    qint64 quotation_ = 0;
    QString code_;
};

}  // namespace tarvic
