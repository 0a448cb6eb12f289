#pragma once
// Requests to suppliers and their answers. Each hotel line of a booked quotation, and each
// vehicle (ANCP02) or other-charge (ANCP03) advice note of the booking, is a supplier line with
// a status: REQUESTED once its request mail went out, then CONFIRMED (with the
// supplier's confirmation number), DECLINED (with the reason) or WAITLISTED, and CANCELLED
// once the cancellation mail went out. Every step is kept with who, when and to whom, and the
// booking's operations log gets a line of it. Mails are built from the administrator's
// templates (subject and HTML body with {PLACEHOLDERS}, every value escaped); the window sends
// them through the Mailer and records each one sent.
//
//     SupplierRequests r(db, user);
//     for (const SupplierLine& l : r.lines(booking))
//         if (chosen(l)) { r.checkMail(l, SupplierMailKind::Request); send(r.mail(l, ...)); r.recordRequest(l, to); }
#include "data/Database.h"
#include "data/Mailer.h"

#include <QDate>
#include <QDateTime>

#include <optional>
#include <vector>

namespace tarvic {

namespace supplier {
inline const QString kRequested = QStringLiteral("REQUESTED");
inline const QString kConfirmed = QStringLiteral("CONFIRMED");
inline const QString kDeclined = QStringLiteral("DECLINED");
inline const QString kWaitlisted = QStringLiteral("WAITLISTED");
inline const QString kCancelled = QStringLiteral("CANCELLED");
// Steps that leave the status as it is.
inline const QString kVoucherSent = QStringLiteral("VOUCHER");
}  // namespace supplier

inline const QString kRequestLocked = QStringLiteral("CBPT IS LOCKED, UNABLE TO MAIL THE SUPPLIER ....");
inline const QString kRequestCancelled = QStringLiteral("CBPT IS CANCELLED, UNABLE TO MAIL THE SUPPLIER ....");
inline const QString kAlreadyConfirmed = QStringLiteral("THE SUPPLIER HAS ALREADY CONFIRMED THIS LINE ....");
inline const QString kNotRequested = QStringLiteral("NO REQUEST IS PENDING FOR THIS LINE ....");
inline const QString kNotConfirmed = QStringLiteral("THE SUPPLIER HAS NOT CONFIRMED THIS LINE ....");
inline const QString kEnterConfirmNo = QStringLiteral("PLEASE ENTER THE SUPPLIER'S CONFIRMATION NO ....");
inline const QString kEnterDeclineReason = QStringLiteral("PLEASE ENTER THE REASON OF DECLINE ....");
inline const QString kNoSupplierAddress = QStringLiteral("THE SUPPLIER HAS NO E-MAIL ADDRESS ....");
inline const QString kVoucherHotelsOnly = QStringLiteral("THE HOTEL VOUCHER IS MAILED FOR HOTEL LINES ONLY ....");
inline const QString kNoteCancelled = QStringLiteral("THE ADVICE NOTE IS CANCELLED, UNABLE TO MAIL THE SUPPLIER ....");

// The codes naming a supplier line: a quotation's hotel line, a vehicle or other-charge note.
inline const QString kHotelLineCode = QStringLiteral("QGBL02");
inline const QString kVehicleNoteCode = QStringLiteral("ANCP02");
inline const QString kOtherNoteCode = QStringLiteral("ANCP03");

enum class SupplierMailKind { Request, Voucher, Cancellation };
// REQUEST, VOUCHER, CANCELLATION: the template's key.
QString templateKind(SupplierMailKind kind);

struct SupplierLine {
    QString lineCode = kHotelLineCode;  // QGBL02 a quotation's hotel line; ANCP02, ANCP03 a note
    qint64 docNo = 0;                   // the quotation, or the note
    qint64 line = 0;                    // the quotation's line (ACC_CODE); 0 for a note
    qint64 booking = 0;
    QString supplier;  // the hotel, transporter or other supplier
    QString place;
    QString supplierEmail;
    QString customerEmail;  // the booking's party, else the quotation's tourist
    QString tourist;
    QDate checkIn;   // a note's service from
    QDate checkOut;  // a note's service to (none for an other charge)
    int nights = 0;  // a vehicle's days
    QString rooms;   // by type: "2 DELUXE ROOM(S), 1 EXTRA BED"
    QString mealPlan;
    QString service;       // a note's: "1 X SUV 7 SEATER", "2 X GUIDE"
    QString remarks;       // a note's route or narration
    bool noteLive = true;  // a note not cancelled (a hotel line always)
    int travellers = 0;
    QString status;  // empty: never requested
    QString confirmNo;
    QString note;  // the reason of a decline
    QString sentTo;
    QString statusBy;
    QDateTime statusOn;
    QDateTime requestedOn;
    int consultant = 0;  // the lead's tour consultant

    bool isHotel() const { return lineCode == kHotelLineCode; }
};

// When the line's service starts, as the board and the log name it: "CHECK-IN 10/01/2027",
// "SERVICE 10/01/2027".
QString supplierLineStart(const SupplierLine& line);
// The line's supplier as the log and the questions name it: a note's with its service,
// "MALABAR CABS - 2 X SUV 7 SEATER".
QString supplierLineName(const SupplierLine& line);

struct SupplierStep {
    QString step;
    QString note;
    QString sentTo;
    QString by;
    QDateTime on;
};

struct SupplierTemplate {
    QString subject;
    QString body;
};

class SupplierRequests {
public:
    SupplierRequests(Database& db, QString userFullName) : db_(db), user_(std::move(userFullName)) {}

    // The booking's hotel lines and its vehicle and other notes (live, or cancelled once asked
    // of their supplier) with their supplier status, by the date their service starts.
    std::vector<SupplierLine> lines(qint64 booking);
    std::optional<SupplierLine> line(const QString& lineCode, qint64 docNo, qint64 line);
    std::optional<SupplierLine> line(qint64 quotation, qint64 hotelLine) {
        return line(kHotelLineCode, quotation, hotelLine);
    }
    // The lines a cancelled booking leaves with a supplier still holding them (requested,
    // confirmed or waitlisted): those offered the cancellation mail; the one hotel's when given
    // (its advice note cancelled).
    std::vector<SupplierLine> heldLines(qint64 booking, std::optional<qint64> hotel = {});
    // The vehicle or other note's own line when its supplier still holds it.
    std::vector<SupplierLine> heldNoteLine(const QString& noteCode, qint64 note);

    // Refuses (DbError Refused) a mail of the kind for the line as the database holds it now:
    // a locked or cancelled booking (but for the cancellation), a request of a confirmed line, a
    // voucher of a line not confirmed, a supplier without an address.
    void checkMail(const SupplierLine& line, SupplierMailKind kind);
    // The message of the kind for the line (to: the supplier, or the addresses given).
    MailMessage mail(const SupplierLine& line, SupplierMailKind kind, const QStringList& to = {});

    // Each records one step, in one transaction that re-checks what checkMail checks.
    void recordRequest(const SupplierLine& line, const QString& sentTo);
    void recordVoucher(const SupplierLine& line, const QString& sentTo);
    void recordCancellation(const SupplierLine& line, const QString& sentTo);
    // The supplier's answer to a pending (requested or waitlisted) line: CONFIRMED with its
    // number, DECLINED with its reason, WAITLISTED with an optional note.
    void recordAnswer(const SupplierLine& line, const QString& status, const QString& confirmNoOrNote);
    void recordAnswer(qint64 quotation, qint64 hotelLine, const QString& status, const QString& confirmNoOrNote) {
        SupplierLine l;
        l.docNo = quotation;
        l.line = hotelLine;
        recordAnswer(l, status, confirmNoOrNote);
    }

    std::vector<SupplierStep> history(const QString& lineCode, qint64 docNo, qint64 line);
    std::vector<SupplierStep> history(qint64 quotation, qint64 hotelLine) {
        return history(kHotelLineCode, quotation, hotelLine);
    }

private:
    friend std::vector<SupplierLine> unansweredRequests(Database&, const QDateTime&, std::optional<int>);
    // The hotel lines matching one condition and the notes matching the other (none when it is
    // empty), each with its own bound values, in the order of their service. The hotel lines are
    // read by check-in (notes by service date) unless `hotelOrder` (`noteOrder`, an ORDER BY clause)
    // says otherwise, for a plan's sake.
    std::vector<SupplierLine> read(const QString& hotelWhere, const QVariantList& hotelValues,
                                   const QString& noteWhere = {}, const QVariantList& noteValues = {},
                                   const QString& hotelOrder = {}, const QString& noteOrder = {});
    void requireMayMail(qint64 booking, SupplierMailKind kind);
    // Keeps one step of the line with who and when, moves its status when given, and tells it in
    // the booking's operations log (a live booking's only).
    void step(const SupplierLine& line, const QString& step, const QString& status, const QString& note,
              const QString& sentTo);
    void storeStatus(const SupplierLine& line, const QString& status, const QString& note, const QString& sentTo);

    Database& db_;
    QString user_;
};

// The text with each {NAME} replaced by its value; HTML-escaped (line breaks as <br>) for a body.
// A placeholder left empty (a vehicle has no meal plan, a line not confirmed no number) takes
// its label with it: the table row or list item holding it, a "(...)" aside, a "Label: " line,
// or in a subject the separator before it.
QString fillTemplate(const QString& text, const QList<std::pair<QString, QString>>& values, bool html);
SupplierTemplate supplierTemplate(Database& db, SupplierMailKind kind);
void saveSupplierTemplate(Database& db, const QString& user, SupplierMailKind kind, const SupplierTemplate& t);
// The placeholders a template may use.
const QStringList& templatePlaceholders();

// Requests still unanswered that went out before the moment (for the board), the consultant's only when given.
std::vector<SupplierLine> unansweredRequests(Database& db, const QDateTime& before, std::optional<int> consultant);
inline constexpr int kDefaultRequestHours = 24;
int officeRequestHours(Database& db);
void setOfficeRequestHours(Database& db, int hours);

}  // namespace tarvic
