#include "frm_FeedBackForm.h"

#include "bookings/family/BookingOpsWindow.h"
#include "data/Moments.h"
#include "engine/DocumentState.h"
#include "engine/bookings/TourOps.h"
#include "shell/kit/Checks.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>

namespace tarvic {

frm_FeedBackForm::frm_FeedBackForm(Session& session, QWidget* parent) : TaskWindow(session, parent) {
    setObjectName(QStringLiteral("frm_FeedBackForm"));
    setWindowTitle(QStringLiteral("FEEDBACK FORM"));
    setTool(1, kCloseTip, [this] { close(); });
    setTool(2, kNewTip, [this] { Load_Init(); });
    setTool(3, kSaveTip, [this] { Save_Record(); });

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("CBPT NO"), bookingNumberRow(this, txt_CBPTNo, Cmd_SrcCBPT));
    const auto shown = [this](const char* name) {
        auto* l = new QLabel(this);
        l->setObjectName(QLatin1String(name));
        l->setFrameShape(QFrame::StyledPanel);
        l->setWordWrap(true);
        return l;
    };
    form->addRow(QStringLiteral("BILL PARTY"), lbl_Party = shown("lbl_Party"));
    form->addRow(QStringLiteral("TOURIST NAME"), lbl_Tourist = shown("lbl_Tourist"));
    form->addRow(QStringLiteral("TOUR DATES"), lbl_Dates = shown("lbl_Dates"));
    form->addRow(QStringLiteral("ITINERARY"), lbl_Itinerary = shown("lbl_Itinerary"));
    form->addRow(QStringLiteral("PRESENT FEEDBACK"), lbl_Feedback = shown("lbl_Feedback"));
    lbl_Feedback->setMinimumHeight(60);
    lbl_Feedback->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    txt_Feedback = new QPlainTextEdit(this);
    txt_Feedback->setObjectName(QStringLiteral("txt_Feedback"));
    form->addRow(QStringLiteral("&FEEDBACK"), txt_Feedback);
    body()->addLayout(form);
    bindColumn(txt_Feedback, "M_TBL_TRANSACTION", "REMARKS");

    onEnter(txt_CBPTNo, [this] {
        if (Show_CBPT())
            txt_Feedback->setFocus();
    });
    // A booking number edited is no longer the booking shown.
    connect(txt_CBPTNo, &QLineEdit::textEdited, this, [this] { clearShown(); });
    connect(Cmd_SrcCBPT, &QPushButton::clicked, this, [this] {
        QPointer<frm_FeedBackForm> self(this);
        openWindow(QStringLiteral("frm_SearchCBPT01"), {{}, [self](const QString& code) {
                                                            if (!self)
                                                                return;
                                                            self->txt_CBPTNo->setText(code);
                                                            if (self->Show_CBPT())
                                                                self->txt_Feedback->setFocus();
                                                        }});
    });
    resize(640, 440);
    Load_Init();
}

void frm_FeedBackForm::clearShown() {
    booking_ = 0;
    for (QLabel* l : {lbl_Party, lbl_Tourist, lbl_Dates, lbl_Itinerary, lbl_Feedback})
        l->clear();
}

void frm_FeedBackForm::Load_Init() {
    txt_CBPTNo->clear();
    txt_Feedback->clear();
    clearShown();
    txt_CBPTNo->setFocus();
}

bool frm_FeedBackForm::Show_CBPT() {
    clearShown();
    const qint64 number = txt_CBPTNo->text().trimmed().toLongLong();
    bool cancelled = false;
    const bool ok = guarded([&] {
        const auto r = db().firstRow(
            QStringLiteral("SELECT a.DOC_STATUS, a.TOURIST_NAME, a.START_DT, a.END_DT, a.REMARKS, p.PARTY_NAME, "
                           "h.ITN_NAME FROM M_TBL_TRANSACTION a LEFT JOIN M_TBL_PARTY p ON p.PARTY_CODE=a.PARTY_CODE "
                           "LEFT JOIN M_TBL_QUOTATION q ON q.DOC_CODE='QGBL01' AND q.DOC_NO=a.QUOTATION_NO "
                           "LEFT JOIN M_TBL_ITINERARY_HEADER h ON h.ITN_DOCNO=q.ITINERARY_NO "
                           "WHERE a.DOC_CODE='CBPT01' AND a.DOC_NO=?"),
            {number});
        if (!r)
            return;
        if (r->value(0).toString().trimmed() == status::kCancelled) {
            cancelled = true;
            return;
        }
        booking_ = number;
        lbl_Party->setText(r->value(QStringLiteral("PARTY_NAME")).toString().trimmed());
        lbl_Tourist->setText(r->value(QStringLiteral("TOURIST_NAME")).toString().trimmed());
        lbl_Dates->setText(QStringLiteral(" STRT DT: ") + dateText(r->value(QStringLiteral("START_DT"))) +
                           QStringLiteral(" END DT: ") + dateText(r->value(QStringLiteral("END_DT"))));
        lbl_Itinerary->setText(r->value(QStringLiteral("ITN_NAME")).toString().trimmed());
        lbl_Feedback->setText(r->value(QStringLiteral("REMARKS")).toString());
    });
    if (cancelled)
        prompter().information(this, kBookingCancelled);
    return ok && booking_ > 0;
}

void frm_FeedBackForm::Save_Record() {
    if (!runChecks(prompter(), this,
                   {{[&] { return booking_ <= 0; }, txt_CBPTNo,
                     QStringLiteral("CANNOT PROCEED, PLEASE ENTER CBPT/DOCUMNT NO PROPERLY ...")},
                    {[&] { return txt_Feedback->toPlainText().trimmed().isEmpty(); }, txt_Feedback,
                     QStringLiteral("CANNOT PROCEED AS FEEDBACK IS NOT ENTERED ....")}}))
        return;
    if (!guarded([&] { saveFeedback(db(), session().userFullName, booking_, txt_Feedback->toPlainText().trimmed()); }))
        return;
    prompter().information(this, QStringLiteral("UPDATION OF FEEDBACK SUCCESSFULLY DONE ..."));
    txt_Feedback->clear();
    Show_CBPT();
}

}  // namespace tarvic
