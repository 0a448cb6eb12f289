#pragma once
// The customer booking's rows, apart from its window: the save with its write-backs to the
// quotation and the lead, the refresh from a changed quotation, and the change of the bill-to
// party. Every write runs in one transaction and each statement aimed at one row must change
// exactly that row, or nothing is kept.
#include "data/Database.h"
#include "data/Money.h"

#include <QDate>
#include <QSqlRecord>
#include <optional>

namespace tarvic {

inline constexpr const char* kBookingAlready = " ALREADY GENERATED, UNABLE TO PROCEED ....";

// The lead status a booking gives its lead, saved or cancelled alike: the first status that
// locks a lead (by its order, then code); NULL when none does, and the lead keeps its own.
QVariant leadStatusOfBooking(Database& db);

// What the booking window holds: the loaded keys and the typed traveller details. Dates, pax
// and amounts are never taken from here; they are read from the quotation as it is stored.
struct BookingEntry {
    qint64 number = 0;
    QDate date;
    QString fileNo;
    qint64 party = 0;
    qint64 lead = 0;
    qint64 quotation = 0;
    QString touristName;
    QString mobile;
    QString email;
    QString pan;
    QString aadhar;
    QString passport;
    QString licence;
    QString bookedBy;
};

class Bookings {
public:
    Bookings(Database& db, QString userFullName) : db_(db), user_(std::move(userFullName)) {}

    // The live booking of a quotation other than except, or 0.
    qint64 liveBookingOf(qint64 quotation, qint64 except = 0);
    // The three-line refusal of a quotation already booked.
    static QString alreadyBooked(qint64 quotation, qint64 booking);
    // The quotation of a lead with its itinerary's name and duration, as the window shows it.
    std::optional<QSqlRecord> quotation(qint64 lead, qint64 quotation);
    // The booking row with the looked-up names of its party.
    std::optional<QSqlRecord> booking(qint64 number);

    // Saves a new (number 0) or live, unlocked booking and returns its number. A quotation
    // booked meanwhile by another workstation is refused (DbError Refused, alreadyBooked).
    qint64 save(const BookingEntry& entry);
    // Rewrites a live, unlocked booking from its quotation as stored now, and the quotation's
    // and lead's traveller details; never its status, its party only when withParty.
    void refresh(const BookingEntry& entry, bool withParty);
    // Moves a live, unlocked booking and its live money receipts from one party to another.
    void changeParty(qint64 booking, qint64 oldParty, qint64 newParty);

private:
    Columns bookingColumns(const BookingEntry& e, const QSqlRecord& q, qint64 number, bool withParty) const;
    void writeBack(const BookingEntry& e, qint64 number);
    QSqlRecord quotationOrRefuse(const BookingEntry& e);

    Database& db_;
    QString user_;
};

}  // namespace tarvic
