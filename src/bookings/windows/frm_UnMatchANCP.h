#pragma once
// "UN-MATCH CBPT QUOTATION ANCP": for each live booking starting in the range, how many hotel
// and vehicle lines were quoted beside how many hotel and vehicle advice notes were posted,
// counted by the list's one query. A button opens the status update of the booking chosen.
#include "shell/kit/ListingWindow.h"

class QComboBox;

namespace tarvic {

inline const QString kNoRowChosen = QStringLiteral("PLEASE SELECT A CBPT IN THE LIST FIRST ....");

class frm_UnMatchANCP : public ListingWindow {
    Q_OBJECT
public:
    enum GridCol {
        ColSlNo,
        ColDate,
        ColCbptNo,
        ColStart,
        ColEnd,
        ColQuotNo,
        ColLeadNo,
        ColQuotHotel,
        ColAncpHotel,
        ColQuotVeh,
        ColAncpVeh,
        ColStatus,
        ColUpdated
    };
    frm_UnMatchANCP(Session& session, QWidget* parent = nullptr);

    QComboBox* Cmb_Status = nullptr;
    QPushButton* Cmd_Status = nullptr;

    // Opens the status update for the booking on the current row; without one, says so.
    void Update_Status();
};

}  // namespace tarvic
