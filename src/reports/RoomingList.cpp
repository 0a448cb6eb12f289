#include "RoomingList.h"

#include "data/GridExport.h"
#include "data/Moments.h"
#include "engine/bookings/Travellers.h"

#include <QBuffer>
#include <QCollator>
#include <QFile>
#include <QTemporaryDir>

#include <optional>

namespace tarvic {

namespace {

const QString kNotGiven = QStringLiteral("NOT GIVEN");

struct Room {
    QString number;  // kNotGiven for travellers without one
    QString type;
    std::vector<Traveller> travellers;
};

struct Rooming {
    qint64 booking = 0;
    QString guest;
    QString fileNo;
    HotelStay stay;
    std::vector<Room> rooms;
    QStringList differences;
};

// The line's stay with the travellers sleeping in its rooms (travellersOf), room by room in
// room-number order.
std::optional<Rooming> rooming(Database& db, qint64 booking, qint64 quotation, qint64 line) {
    Travellers travellers(db, QString());
    Rooming r;
    r.booking = booking;
    bool found = false;
    const std::vector<HotelStay> stays = travellers.hotelStays(booking);
    for (const HotelStay& s : stays)
        if (s.quotation == quotation && s.line == line) {
            r.stay = s;
            found = true;
        }
    if (!found)
        return std::nullopt;
    if (const auto head = db.firstRow(QStringLiteral("SELECT TOURIST_NAME, FILENO FROM M_TBL_TRANSACTION WHERE "
                                                     "DOC_CODE='CBPT01' AND DOC_NO=?"),
                                      {booking})) {
        r.guest = head->value(0).toString().trimmed();
        r.fileNo = head->value(1).toString().trimmed();
    }
    const std::vector<Traveller> list = travellers.read(booking);
    for (const Traveller& t : travellersOf(stays, r.stay, list)) {
        const QString number = t.roomNo.isEmpty() ? kNotGiven : t.roomNo;
        auto it = std::find_if(r.rooms.begin(), r.rooms.end(), [&](const Room& room) { return room.number == number; });
        if (it == r.rooms.end())
            it = r.rooms.insert(r.rooms.end(), Room{number, t.roomType, {}});
        it->travellers.push_back(t);
    }
    QCollator byNumber;
    byNumber.setNumericMode(true);
    std::stable_sort(r.rooms.begin(), r.rooms.end(), [&](const Room& a, const Room& b) {
        if ((a.number == kNotGiven) != (b.number == kNotGiven))
            return b.number == kNotGiven;
        return byNumber.compare(a.number, b.number) < 0;
    });
    for (const RoomCount& c : travellers.roomCounts(booking, list))
        if (c.hotel == r.stay.hotel && c.checkIn == r.stay.checkIn && c.roomType == r.stay.roomType && !c.matches())
            r.differences << c.difference();
    return r;
}

QString esc(const QString& text) {
    return text.toHtmlEscaped();
}

QString fullName(const Traveller& t) {
    QStringList parts{t.title, t.firstName, t.lastName};
    parts.removeAll(QString());
    return parts.join(QLatin1Char(' '));
}

QString nights(const HotelStay& s) {
    return s.checkIn.isValid() && s.checkOut.isValid() ? QString::number(s.checkIn.daysTo(s.checkOut)) : QString();
}

// The stay as label/value pairs, on the page and on the workbook's STAY sheet.
QList<std::pair<QString, QString>> stayLines(const Rooming& r) {
    const HotelStay& s = r.stay;
    return {{QStringLiteral("HOTEL"), s.hotel},
            {QStringLiteral("PLACE"), s.place},
            {QStringLiteral("CHECK IN DT"), dateText(dateToDb(s.checkIn))},
            {QStringLiteral("CHECK OT DT"), dateText(dateToDb(s.checkOut))},
            {QStringLiteral("NO. OF NIGHTS"), nights(s)},
            {QStringLiteral("MEAL PLAN"), s.mealPlan},
            {QStringLiteral("ROOM TYPE"), s.roomName.isEmpty() || s.roomName.toUpper() == s.roomType
                                              ? s.roomType
                                              : QStringLiteral("%1 (%2)").arg(s.roomType, s.roomName)},
            {QStringLiteral("NO. OF ROOMS"), QString::number(s.rooms)},
            {QStringLiteral("SINGLE ROOM"), QString::number(s.singles)},
            {QStringLiteral("GUEST NAME"), r.guest},
            {QStringLiteral("BOOKING NO"), QString::number(r.booking)},
            {QStringLiteral("FILE NO"), r.fileNo}};
}

QString page(const Rooming& r, const QString& company) {
    QString h = QStringLiteral(
        "<p align=\"center\" style=\"margin:6px; font-size:13pt; font-weight:bold\"><u>ROOMING LIST</u></p>"
        "<table width=\"100%\" cellspacing=\"0\" cellpadding=\"2\">");
    const auto lines = stayLines(r);
    for (int i = 0; i < lines.size(); i += 2)
        h += QStringLiteral(
                 "<tr><td width=\"18%\"><b>%1 :</b></td><td>%2</td><td width=\"18%\"><b>%3 :</b></td>"
                 "<td>%4</td></tr>")
                 .arg(esc(lines[i].first), esc(lines[i].second), esc(lines[i + 1].first), esc(lines[i + 1].second));
    h += QLatin1String(
        "</table><br><table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"3\" "
        "style=\"border-collapse:collapse\"><tr><th>ROOM NO</th><th>ROOM TYPE</th><th width=\"40%\">NAME</th>"
        "<th>SEX</th><th>DATE OF BIRTH</th><th>ADULT/CHILD</th><th>PASSPORT / ID NO</th></tr>");
    for (const Room& room : r.rooms) {
        bool first = true;
        for (const Traveller& t : room.travellers) {
            h += QLatin1String("<tr>");
            if (first)
                h += QStringLiteral(
                         "<td rowspan=\"%3\" valign=\"top\"><b>%1</b></td><td rowspan=\"%3\" "
                         "valign=\"top\">%2</td>")
                         .arg(esc(room.number), esc(room.type))
                         .arg(room.travellers.size());
            first = false;
            h += QStringLiteral("<td>%1</td><td>%2</td><td>%3</td><td>%4</td><td>%5</td></tr>")
                     .arg(esc(fullName(t)), esc(t.sex), esc(dateText(dateToDb(t.birth))), esc(t.kind), esc(t.idNo));
        }
    }
    if (r.rooms.empty())
        h += QLatin1String("<tr><td colspan=\"7\">NO TRAVELLERS IN THE ROOMING LIST</td></tr>");
    h += QLatin1String("</table>");
    // A difference with what was booked is printed, so that the hotel is not told less than the truth.
    for (const QString& d : r.differences)
        h += QStringLiteral("<p style=\"margin:2px; font-weight:bold; color:#c00000\">%1</p>").arg(esc(d));
    h += QStringLiteral("<br><p style=\"margin:0\">TOTAL ROOMS : %1 &nbsp; TOTAL TRAVELLERS : %2</p>")
             .arg(std::count_if(r.rooms.begin(), r.rooms.end(), [](const Room& m) { return m.number != kNotGiven; }))
             .arg(std::accumulate(r.rooms.begin(), r.rooms.end(), 0,
                                  [](int n, const Room& m) { return n + int(m.travellers.size()); }));
    h += QLatin1String(
        "<br><p style=\"margin:0; font-weight:bold\">PLEASE ALLOT THE ROOMS AS PER ABOVE MENTIONED ROOMING LIST</p>");
    h += QStringLiteral(
             "<br><table width=\"100%\"><tr><td align=\"right\"><b>FOR %1</b></td></tr>"
             "<tr><td align=\"right\"><br><br>AUTHORISED SIGNATORY</td></tr></table>")
             .arg(esc(company));
    return h;
}

}  // namespace

VoucherReport roomingListReport(Database& db, qint64 booking, qint64 quotationNo, qint64 lineNo) {
    const std::optional<Rooming> r = rooming(db, booking, quotationNo, lineNo);
    return VoucherReport::ofPages(db, QStringLiteral("ROOMING LIST"),
                                  r ? QStringList{page(*r, Letterhead::read(db).name)} : QStringList());
}

QByteArray roomingListPdf(Database& db, qint64 booking, qint64 quotationNo, qint64 lineNo) {
    const VoucherReport report = roomingListReport(db, booking, quotationNo, lineNo);
    if (!report.message().isEmpty())
        return {};
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    report.writePdf(buffer);
    return buffer.data();
}

QByteArray roomingListXlsx(Database& db, qint64 booking, qint64 quotationNo, qint64 lineNo) {
    const std::optional<Rooming> r = rooming(db, booking, quotationNo, lineNo);
    if (!r)
        return {};
    QStringList headers{QStringLiteral("ROOM NO"), QStringLiteral("ROOM TYPE")};
    headers << travellerHeaders().mid(0, travellerHeaders().size() - 2);
    GridExport::Sheet rooms{
        QStringLiteral("ROOMING LIST"),
        headers,
        [&](const auto& write) {
            for (const Room& room : r->rooms)
                for (const Traveller& t : room.travellers)
                    write(QStringList{room.number, room.type} + travellerCells(t).mid(0, headers.size() - 2));
        },
        {9, 16, 8, 20, 20, 5, 14, 18, 12, 12}};
    GridExport::Sheet stay{QStringLiteral("STAY"),
                           {QStringLiteral("DETAIL"), QStringLiteral("VALUE")},
                           [&](const auto& write) {
                               for (const auto& [label, value] : stayLines(*r))
                                   write({label, value});
                               for (const QString& d : r->differences)
                                   write({QStringLiteral("DIFFERENCE"), d});
                           },
                           {16, 40}};
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rooming.xlsx"));
    GridExport::ExportWorkbook({rooms, stay}, path);
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

}  // namespace tarvic
