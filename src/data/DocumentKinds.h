#pragma once
// What each document code is, said once: its pair, its lines, which side of its first row
// carries the amount, how its rows point at a booking, and which lock of the booking guards
// it. The transaction records, the books check and the posting windows all read this table;
// nothing else states which codes pair up.
#include <QString>

#include <span>

namespace tarvic {

// The code of the booking that documents are posted against (IN_DOCCODE).
inline constexpr const char* kBookingCode = "CBPT01";

enum class AmountSide {
    None,    // no amounts written (leads, invoices, booking sheets)
    Debit,   // DB_AMT of the first row; the pair row mirrors it on CR_AMT
    Credit,  // CR_AMT of the first row
    Either,  // chosen per document (a fund adjustment is a debit or a credit)
};

// What IN_DOCCODE/IN_DOCNO of a row hold; written by the records layer, never by the caller.
enum class DocLink {
    None,     // nothing, or whatever the caller's columns say
    Booking,  // the booking: kBookingCode and its number
    Self,     // the row itself (a booking points at itself)
    Pair,     // each row of the pair points at the other's code, under the shared number
};

// What TO_ACC of a row holds.
enum class AccountRule {
    None,       // not the records' business: whatever the caller's columns say (or nothing)
    OwnCode,    // each row its own code (FRDB01 on the FRDB01 row, FRCR01 on the FRCR01 row)
    FirstCode,  // every row the first code (a refund's two rows both say FTREF01)
    Chosen,     // the account chosen on the window: the caller's TO_ACC, per row
};

struct DocumentKind {
    const char* code;
    const char* pairCode;  // second row under the same number, amounts mirrored; nullptr: none
    const char* lineCode;  // line rows under the header's number (invoices); nullptr: none
    AmountSide side;
    DocLink link;
    // Several rows share one number and are told apart by their booking (bulk postings); the
    // booking is then part of the key of every row of the document.
    bool keyedByBooking;
    // The lock flag of the booking row that forbids posting this kind; nullptr: none.
    const char* bookingLock;
    AccountRule account;
};

// The TO_ACC the records write on a row of this kind (a first or pair code), or an empty text
// when the rule leaves it to the caller.
QString accountOf(const DocumentKind& kind, const QString& rowCode);

// Every document code of M_TBL_TRANSACTION that has its own counter.
std::span<const DocumentKind> documentKinds();
// The kind of a first code, or nullptr (second codes and line codes have no kind of their own).
const DocumentKind* documentKind(const QString& code);
// The kind a code belongs to as first, pair or line code, or nullptr.
const DocumentKind* kindOwning(const QString& code);

}  // namespace tarvic
