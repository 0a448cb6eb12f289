#pragma once
// The rooming list of one hotel line of a booking: the stay, the rooms booked, and each room
// with the travellers sleeping in it, printed under the company's letterhead like the
// vouchers (preview, print, PDF), and the same as a workbook for the hotel to read.
//
//     const QByteArray pdf = roomingListPdf(db, booking, quotation, line);  // empty: no such line
#include "VoucherReport.h"

#include <QByteArray>

namespace tarvic {

inline const QString kRoomingList = QStringLiteral("rpt_RoomingList");

// The printed page; message() says why when the line is not one of the booking's.
VoucherReport roomingListReport(Database& db, qint64 booking, qint64 quotationNo, qint64 lineNo);
// An A4 PDF of the page, or empty when the line is not one of the booking's.
QByteArray roomingListPdf(Database& db, qint64 booking, qint64 quotationNo, qint64 lineNo);
// A workbook: sheet ROOMING LIST (room, type, then each traveller's columns, room by room) and
// sheet STAY (hotel, dates, rooms booked); empty when the line is not one of the booking's.
QByteArray roomingListXlsx(Database& db, qint64 booking, qint64 quotationNo, qint64 lineNo);

}  // namespace tarvic
