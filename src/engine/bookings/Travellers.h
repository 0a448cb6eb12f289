#pragma once
// The travellers of a booking: who travels, with their papers, and who sleeps in which room.
// The list is stored whole, typed in a grid or read from a .csv/.xlsx file that is shown row
// by row (each refused row with why) before anything is stored. Its rooms by type are held
// against the booking's hotel lines, and every difference is stated for the user to decide.
//
//     Travellers t(db, user);
//     TravellerImport in = t.preview(booking, path);   // nothing stored yet
//     t.store(booking, in.accepted());
#include "data/Database.h"

#include <QDate>
#include <QStringList>

#include <vector>

namespace tarvic {

inline const QString kTravellersShut = QStringLiteral("CANNOT PROCEED, CBPT IS CANCELLED OR LOCKED ....");

struct Traveller {
    QString title;
    QString firstName;
    QString lastName;
    QString sex;  // M or F
    QDate birth;
    QString idNo;  // passport or identity card
    QDate idExpiry;
    QString kind;  // ADULT or CHILD
    QString roomNo;
    QString roomType;
    bool operator==(const Traveller&) const = default;
};

// The columns of a traveller file, in order, as exported (an import matches them ignoring
// case, blanks and punctuation: "First_Name", "first name" and "FIRSTNAME" are one column).
const QStringList& travellerHeaders();
// A traveller as the cells of a file row, in travellerHeaders() order (dates dd/mm/yyyy).
QStringList travellerCells(const Traveller& t);

struct ImportedRow {
    int line = 0;  // the row's line in the file (the header is line 1)
    Traveller traveller;
    QStringList cells;  // as the file has them, in travellerHeaders() order
    QString refusal;    // empty for a row accepted
};

struct TravellerImport {
    std::vector<ImportedRow> rows;
    std::vector<Traveller> accepted() const;
    int refused() const;
};

// One booked room type of a hotel stay against the rooming list.
struct RoomCount {
    QString hotel;
    QDate checkIn;
    QString roomType;
    int roomsBooked = 0;
    int placesBooked = 0;  // beds, extra beds and children of its rooms
    int roomsListed = 0;   // its room numbers in the list
    int travellers = 0;    // travellers of the type
    bool matches() const { return roomsBooked == roomsListed && placesBooked >= travellers; }
    // "HILL RESORT 10/01/2027, ROOM TYPE DELUXE: 2 ROOMS BOOKED, 3 IN THE ROOMING LIST"
    QString difference() const;
};

// A hotel line of the booking (its quotation's), for the rooming list.
struct HotelStay {
    qint64 quotation = 0;
    qint64 line = 0;
    QString hotel;
    QString place;
    QDate checkIn;
    QDate checkOut;
    QString roomType;  // the room type master's name
    QString roomName;  // the line's own words for the room ("VALLEY VIEW DELUXE")
    QString mealPlan;
    int rooms = 0;
    int singles = 0;
    int extraBeds = 0;
    QString caption() const;  // "HILL RESORT - DELUXE - 10/01/2027"
};

class Travellers {
public:
    Travellers(Database& db, QString userFullName) : db_(db), user_(std::move(userFullName)) {}

    std::vector<Traveller> read(qint64 booking);
    // Stores the list whole (lines 1, 2, ... in the order given, rows beyond removed) in one
    // transaction that re-reads the booking: live and its lock open (kTravellersShut); every
    // row as fault() accepts it, the first fault refused as "ROW n : ...".
    void store(qint64 booking, const std::vector<Traveller>& list);
    // Reads a file into rows, each checked as store() checks it; nothing is stored. Refused
    // (DbError) when the file cannot be read or holds no name column.
    TravellerImport preview(qint64 booking, const QString& path);
    // The same over rows already read, the first one the headings (a grid's rows).
    TravellerImport check(qint64 booking, const QList<QStringList>& rows);
    // Whether the booking's travellers may change: live and not locked.
    bool isOpen(qint64 booking);
    // Writes the list with travellerHeaders(), as a workbook when the name ends in .xlsx,
    // otherwise comma-separated. Throws ExportError.
    static void write(const std::vector<Traveller>& list, const QString& path);

    // The room types a traveller of the booking may take: its hotel lines', or the room type
    // master's when it has none. Upper case.
    QStringList roomTypes(qint64 booking);
    // Why a traveller cannot be stored (empty when it can), in the house style.
    QString fault(const Traveller& t, const QStringList& roomTypes, const QDate& today);
    // The booking's booked rooms by hotel stay and type against the list.
    std::vector<RoomCount> roomCounts(qint64 booking, const std::vector<Traveller>& list);
    std::vector<HotelStay> hotelStays(qint64 booking);

private:
    Database& db_;
    QString user_;
};

// The travellers sleeping in a stay's rooms: those listed with its room type; when nobody of
// the list carries a room type of that hotel stay (the list names the rooms of another hotel of
// the tour), the whole party, which travels together.
std::vector<Traveller> travellersOf(const std::vector<HotelStay>& stays, const HotelStay& stay,
                                    const std::vector<Traveller>& list);

// The differences among counts, one line each; empty when every count matches.
QStringList roomDifferences(const std::vector<RoomCount>& counts);

}  // namespace tarvic
