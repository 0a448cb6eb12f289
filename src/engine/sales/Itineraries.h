#pragma once
// The notes an itinerary carries and a quotation's own copy of its itinerary, said once for the
// itinerary window, its import, the quotation's save and its pages.
#include <QString>

#include <array>
#include <span>

namespace tarvic {

class Database;

struct ItineraryNote {
    const char* code;     // ITN_NOTE_CODE
    const char* caption;  // the tab of the itinerary window that edits it
    const char* field;    // that tab's text box
    bool quoted;          // copied into a quotation, where it can be changed for that quotation
};

// Every note code, in the order the itinerary window saves them.
inline constexpr std::array<ItineraryNote, 11> kItineraryNotes{{
    {"ITN_EXCL", "E&XCLUDE", "txt_Exclude", true},
    {"ITN_INCL", "&INCLUDE", "txt_Include", true},
    {"ITN_DOCS", "DOCUMENTS REQUIRED", "txt_Docs", false},
    {"ITN_BOOKING", "BOOKING POILICY", "txt_BookPolicy", false},
    {"ITN_CNCL", "&CANCELLATION", "txt_Cancellation", false},
    {"ITN_CHILD", "IMPORTANT GUIDELINES", "txt_ChildPolicy", false},
    {"ITN_HOTEL", "NOTES - HOTEL", "txt_Hotel", false},
    {"ITN_CAB", "NOTE - TRANSPORTATION", "txt_Transporation", false},
    {"ITN_GENERAL", "NOTE - GENERAL", "txt_General", false},
    {"ITN_BANK", "BAN&K DETAILS", "txt_BankDetails", false},
    {"ITN_HOTELTOUSE", "&HOTELS TO BE USED", "txt_HoteltoUse", true},
}};

const ItineraryNote* itineraryNote(const QString& code);

// Makes quotation q's copy of itinerary i: its day lines when q has none of i yet, and each
// quoted note (ITN_EXCL, ITN_INCL, ITN_HOTELTOUSE) q does not have yet. Later saves of the
// quotation leave an existing copy alone. Joins the caller's transaction.
void copyItineraryToQuotation(Database& db, const QString& user, qint64 itinerary, qint64 quotation);
// Drops quotation q's copy of itinerary i (lines and notes), so that its next save copies the
// itinerary afresh. Returns the lines removed.
int deleteQuotationItinerary(Database& db, qint64 itinerary, qint64 quotation);

}  // namespace tarvic
