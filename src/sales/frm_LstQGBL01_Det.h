#pragma once
// "LIST DETAILED QUOTATION": what quotations consume day by day. One row per day row of a
// hotel or vehicle line whose day lies in the tour-date range, with its lead, party, meal
// plan, room type and vehicle brand (a hotel day has no brand and a vehicle day no meal plan,
// so those are outer-joined). Rows of a quotation with a live booking are highlighted; the
// booking is looked for by the list's own query, not row by row.
#include "QuotationListing.h"

class QComboBox;
class QRadioButton;

namespace tarvic {

class frm_LstQGBL01_Det : public QuotationListing {
    Q_OBJECT
public:
    enum GridCol {
        ColSlNo,
        ColTourDate,
        ColVehBrand,
        ColVehicles,
        ColCheckIn,
        ColCheckOut,
        ColLeadNo,
        ColFileNo,
        ColTourist,
        ColParty,
        ColHotel,
        ColDestination,
        ColMeal,
        ColRoomType,
        ColRoomType2,
        ColRooms,
        ColSingle,
        ColExtBed,
        ColCwb,
        ColCnb,
        ColQuotNo,
    };
    // The highlight of a booked quotation's rows; the others keep the grid's own colours.
    static QColor bookedColour();

    frm_LstQGBL01_Det(Session& session, QWidget* parent = nullptr);

    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QRadioButton* Option3 = nullptr;
    QRadioButton* Option4 = nullptr;
    QComboBox* Cmb_AccDesc = nullptr;
};

}  // namespace tarvic
