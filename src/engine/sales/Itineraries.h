#pragma once
// The notes an itinerary carries and a quotation's own copy of its itinerary, said once for the
// itinerary window, its import, the quotation's save and its pages.
#include "data/RowWriter.h"

#include <QHash>
#include <QString>

#include <array>
#include <functional>
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
// itinerary afresh; a quotation locked since it was read is refused (kQuotationLocked). Returns
// the lines removed.
int deleteQuotationItinerary(Database& db, qint64 itinerary, qint64 quotation);

// Stores an itinerary's header and every note by its key in one transaction: number 0 takes
// the next number of counter ITNHD and adds the header, otherwise the header of that number is
// rewritten (one gone since is reported, DbError Changed). A note missing from notes is stored
// empty. Returns the number.
qint64 storeItinerary(Database& db, const QString& user, qint64 number, const Columns& header,
                      const QHash<QString, QString>& notes);

// What to import from source into target; progress(text) is called as each step begins.
struct ItineraryImport {
    qint64 source = 0;
    qint64 target = 0;
    bool lines = true;
    bool notes = true;
};
// Replaces the target's day lines and/or notes with the source's, in the caller's transaction
// or its own. Throws DbError.
void importItinerary(Database& db, const QString& user, const ItineraryImport& what,
                     const std::function<void(const QString&)>& progress);

// A day line of an itinerary (quotation 0) or of a quotation's own copy of it.
struct ItineraryDay {
    qint64 itinerary = 0;
    qint64 quotation = 0;  // 0: the standard itinerary
    qint64 serial = 0;     // ITN_SLNO
    Columns columns;       // ITN_DAY, ITN_PLACE, ... as the editor stores them
};

// Stores a day line in one transaction. The standard itinerary adds a new serial and replaces
// an existing one; a quotation's copy is only ever changed where a line stands under that key
// (one gone since is reported, DbError Changed), and a quotation locked since the editor read
// it is refused (kQuotationLocked), nothing written.
void storeItineraryDay(Database& db, const QString& user, const ItineraryDay& day);
// Deletes the day line day.serial in one transaction (the copy's quotation lock re-read as a
// store does); a line that is no longer there is reported (DbError Changed).
void deleteItineraryDay(Database& db, const ItineraryDay& day);

// Stores a quotation's own text of one quoted note in one transaction, refused with
// kQuotationLocked when the quotation was locked after the editor read it.
void storeQuotationNote(Database& db, const QString& user, qint64 itinerary, qint64 quotation, const QString& code,
                        const QString& text);

}  // namespace tarvic
