#include "Travellers.h"

#include "data/ColumnLengths.h"
#include "data/Moments.h"
#include "data/RowWriter.h"
#include "data/SheetImport.h"
#include "engine/Documents.h"

#include <QHash>
#include <QSaveFile>
#include <QSet>

#include <algorithm>

#include <map>

namespace tarvic {

namespace {

const QString kTable = QStringLiteral("M_TBL_BOOKING_TRAVELLER");

[[noreturn]] void refuse(const QString& message) {
    throw DbError(DbError::Kind::Refused, message);
}

// The fields of a traveller in file order: caption, column, and the member it fills.
struct Field {
    QString caption;
    QString column;
    QStringList aliases;  // other headings a file may use, as key() makes them
    bool date = false;
};

const std::vector<Field>& fields() {
    static const std::vector<Field> f{
        {QStringLiteral("TITLE"), QStringLiteral("TITLE"), {QStringLiteral("SALUTATION")}},
        {QStringLiteral("FIRST NAME"),
         QStringLiteral("FIRST_NAME"),
         {QStringLiteral("GIVENNAME"), QStringLiteral("GIVENNAMES")}},
        {QStringLiteral("LAST NAME"),
         QStringLiteral("LAST_NAME"),
         {QStringLiteral("SURNAME"), QStringLiteral("FAMILYNAME")}},
        {QStringLiteral("SEX"), QStringLiteral("SEX"), {QStringLiteral("GENDER")}},
        {QStringLiteral("DATE OF BIRTH"),
         QStringLiteral("BIRTH_DT"),
         {QStringLiteral("DOB"), QStringLiteral("BIRTHDATE")},
         true},
        {QStringLiteral("PASSPORT / ID NO"),
         QStringLiteral("ID_NO"),
         {QStringLiteral("PASSPORTNO"), QStringLiteral("PASSPORT"), QStringLiteral("IDNUMBER"),
          QStringLiteral("PASSPORTNUMBER")}},
        {QStringLiteral("ID EXPIRY"),
         QStringLiteral("ID_EXPIRY_DT"),
         {QStringLiteral("EXPIRY"), QStringLiteral("EXPIRYDATE"), QStringLiteral("PASSPORTEXPIRY"),
          QStringLiteral("IDEXPIRYDATE")},
         true},
        {QStringLiteral("ADULT/CHILD"),
         QStringLiteral("PAX_KIND"),
         {QStringLiteral("PAXTYPE"), QStringLiteral("TYPE"), QStringLiteral("PAX")}},
        {QStringLiteral("ROOM NO"), QStringLiteral("ROOM_NO"), {QStringLiteral("ROOM"), QStringLiteral("ROOMNUMBER")}},
        {QStringLiteral("ROOM TYPE"), QStringLiteral("ROOM_TYPE"), {}},
    };
    return f;
}

enum FieldIndex { kTitle, kFirst, kLast, kSex, kBirth, kIdNo, kExpiry, kKind, kRoomNo, kRoomType };

// A heading as a file may write it, reduced to its letters and digits in upper case.
QString key(const QString& heading) {
    QString k;
    for (QChar c : heading)
        if (c.isLetterOrNumber())
            k += c.toUpper();
    return k;
}

QString* member(Traveller& t, int field) {
    QString* m[] = {&t.title, &t.firstName, &t.lastName, &t.sex,    nullptr,
                    &t.idNo,  nullptr,      &t.kind,     &t.roomNo, &t.roomType};
    return m[field];
}

QString upperTrim(const QString& s) {
    return s.simplified().toUpper();
}

// Words a file or a grid may use for sex and ADULT/CHILD, as stored.
Traveller normalised(Traveller t) {
    for (int i = 0; i < int(fields().size()); ++i)
        if (QString* m = member(t, i))
            *m = upperTrim(*m);
    static const QHash<QString, QString> words{
        {QStringLiteral("MALE"), QStringLiteral("M")},    {QStringLiteral("FEMALE"), QStringLiteral("F")},
        {QStringLiteral("ADT"), QStringLiteral("ADULT")}, {QStringLiteral("CHD"), QStringLiteral("CHILD")},
        {QStringLiteral("A"), QStringLiteral("ADULT")},   {QStringLiteral("C"), QStringLiteral("CHILD")},
    };
    t.sex = words.value(t.sex, t.sex);
    t.kind = words.value(t.kind, t.kind);
    return t;
}

// Whether the booking takes changes: live and its own lock open, as for the booking itself.
bool bookingOpen(Database& db, qint64 booking) {
    return bookingTakes(db, *documentKind(QStringLiteral("CBPT01")), booking);
}

// The booking's hotel lines, through its quotation.
const QString kStays = QStringLiteral(
    "SELECT a.DOC_NO, a.ACC_CODE, a.HOTEL_NAME, a.HOTEL_PLACE, a.TOUR_DATE, a.CHKOT_DT, "
    "COALESCE(r.ROOM_TYPE, a.ROOM_TYPE) AS R_ROOMTYPE, f.MEAL_PLAN, a.NOOF_ROOM, a.NOOF_ROOMSNGL, a.NOOF_EXTBED, "
    "a.NOOF_CWB, a.NOOF_CNB, a.ROOM_TYPE "
    "FROM M_TBL_QUOTATION a JOIN M_TBL_QUOTATION e ON e.DOC_CODE='QGBL01' AND e.DOC_NO=a.DOC_NO "
    "LEFT JOIN M_TBL_HOTELROOMTYPE r ON r.ROOMTYPE_CODE=a.ROOMTYPE_CODE "
    "LEFT JOIN M_TBL_MEALPLAN f ON f.MEALPLAN_CODE=a.MEALPLAN_CODE "
    "WHERE a.DOC_CODE='QGBL02' AND a.ACCOUNT_DESC='HOTEL' AND e.CBPT_NO=? ORDER BY a.TOUR_DATE, a.DOC_NO, a.ACC_CODE");

QString csvCell(const QString& text) {
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')))
        return text;
    return QLatin1Char('"') + QString(text).replace(QLatin1String("\""), QLatin1String("\"\"")) + QLatin1Char('"');
}

}  // namespace

const QStringList& travellerHeaders() {
    static const QStringList h = [] {
        QStringList l;
        for (const Field& f : fields())
            l << f.caption;
        return l;
    }();
    return h;
}

QStringList travellerCells(const Traveller& t) {
    Traveller c = t;
    QStringList cells;
    for (int i = 0; i < int(fields().size()); ++i) {
        if (const QString* m = member(c, i))
            cells << *m;
        else
            cells << dateText(i == kBirth ? t.birth : t.idExpiry);
    }
    return cells;
}

std::vector<Traveller> TravellerImport::accepted() const {
    std::vector<Traveller> out;
    for (const ImportedRow& r : rows)
        if (r.refusal.isEmpty())
            out.push_back(r.traveller);
    return out;
}

int TravellerImport::refused() const {
    return int(std::count_if(rows.begin(), rows.end(), [](const ImportedRow& r) { return !r.refusal.isEmpty(); }));
}

QString RoomCount::difference() const {
    QStringList parts;
    if (roomsBooked != roomsListed)
        parts << QStringLiteral("%1 ROOMS BOOKED, %2 IN THE ROOMING LIST").arg(roomsBooked).arg(roomsListed);
    if (travellers > placesBooked)
        parts << QStringLiteral("%1 PLACES BOOKED, %2 TRAVELLERS").arg(placesBooked).arg(travellers);
    if (parts.isEmpty())
        return {};
    return QStringLiteral("%1 %2, ROOM TYPE %3: %4")
        .arg(hotel, checkIn.toString(QStringLiteral("dd/MM/yyyy")), roomType, parts.join(QLatin1String("; ")));
}

QString HotelStay::caption() const {
    return QStringLiteral("%1 - %2 - %3").arg(hotel, roomType, checkIn.toString(QStringLiteral("dd/MM/yyyy")));
}

QStringList roomDifferences(const std::vector<RoomCount>& counts) {
    QStringList out;
    for (const RoomCount& c : counts)
        if (!c.matches())
            out << c.difference();
    return out;
}

std::vector<Traveller> Travellers::read(qint64 booking) {
    std::vector<Traveller> out;
    QSqlQuery q = db_.exec(QStringLiteral("SELECT TITLE, FIRST_NAME, LAST_NAME, SEX, BIRTH_DT, ID_NO, ID_EXPIRY_DT, "
                                          "PAX_KIND, ROOM_NO, ROOM_TYPE FROM %1 WHERE CBPT_NO=? ORDER BY LINE_NO")
                               .arg(kTable),
                           {booking});
    while (q.next()) {
        Traveller t;
        for (int i = 0; i < int(fields().size()); ++i)
            if (QString* m = member(t, i))
                *m = q.value(i).toString().trimmed();
        t.birth = dateFromDb(q.value(kBirth));
        t.idExpiry = dateFromDb(q.value(kExpiry));
        out.push_back(t);
    }
    return out;
}

QString Travellers::fault(const Traveller& t, const QStringList& roomTypes, const QDate& today) {
    const std::pair<bool, QString> checks[] = {
        {t.firstName.isEmpty() && t.lastName.isEmpty(), QStringLiteral("ENTER FIRST OR LAST NAME ....")},
        {t.sex != QLatin1String("M") && t.sex != QLatin1String("F"),
         QStringLiteral("SEX MUST BE M OR F, NOT \"%1\" ....").arg(t.sex)},
        {t.kind != QLatin1String("ADULT") && t.kind != QLatin1String("CHILD"),
         QStringLiteral("ADULT/CHILD MUST BE ADULT OR CHILD, NOT \"%1\" ....").arg(t.kind)},
        {t.birth.isValid() && t.birth > today, QStringLiteral("DATE OF BIRTH CANNOT BE IN THE FUTURE ....")},
        {t.birth.isValid() && t.idExpiry.isValid() && t.idExpiry <= t.birth,
         QStringLiteral("ID EXPIRY MUST BE AFTER DATE OF BIRTH ....")},
        {!roomTypes.contains(t.roomType), QStringLiteral("UNKNOWN ROOM TYPE \"%1\" ....").arg(t.roomType)},
    };
    for (const auto& [failed, message] : checks)
        if (failed)
            return message;
    const ColumnLengths& lengths = db_.columnLengths(kTable);
    Traveller c = t;
    for (int i = 0; i < int(fields().size()); ++i)
        if (const QString* m = member(c, i)) {
            const int limit = lengths.textLength(kTable, fields()[i].column);
            if (limit > 0 && characterCount(*m) > limit)
                return tooLongText(fields()[i].caption, limit);
        }
    return {};
}

QStringList Travellers::roomTypes(qint64 booking) {
    QStringList types;
    for (const HotelStay& s : hotelStays(booking))
        if (!s.roomType.isEmpty() && !types.contains(s.roomType))
            types << s.roomType;
    if (!types.isEmpty())
        return types;
    QSqlQuery q = db_.exec(QStringLiteral("SELECT ROOM_TYPE FROM M_TBL_HOTELROOMTYPE ORDER BY ROOM_TYPE"));
    while (q.next())
        types << upperTrim(q.value(0).toString());
    return types;
}

void Travellers::store(qint64 booking, const std::vector<Traveller>& list) {
    const QDate today = QDate::currentDate();
    db_.transact([&] {
        if (!bookingOpen(db_, booking))
            refuse(kTravellersShut);
        const QStringList types = roomTypes(booking);
        RowWriter writer(db_, user_);
        int no = 0;
        for (const Traveller& raw : list) {
            const Traveller t = normalised(raw);
            ++no;
            if (const QString why = fault(t, types, today); !why.isEmpty())
                refuse(QStringLiteral("ROW %1 : %2").arg(no).arg(why));
            const Columns k{{QStringLiteral("CBPT_NO"), booking}, {QStringLiteral("LINE_NO"), no}};
            Columns columns;
            Traveller c = t;
            for (int i = 0; i < int(fields().size()); ++i) {
                const QString* m = member(c, i);
                columns.emplace_back(fields()[i].column,
                                     m ? QVariant(*m) : dateToDb(i == kBirth ? t.birth : t.idExpiry));
            }
            const bool held =
                db_.scalar(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE CBPT_NO=? AND LINE_NO=?").arg(kTable),
                           {booking, no})
                    .toInt() == 1;
            writer.write(kTable, k, columns, !held);
        }
        db_.execAffected(QStringLiteral("DELETE FROM %1 WHERE CBPT_NO=? AND LINE_NO>?").arg(kTable), {booking, no});
    });
}

bool Travellers::isOpen(qint64 booking) {
    return bookingOpen(db_, booking);
}

TravellerImport Travellers::preview(qint64 booking, const QString& path) {
    SheetRows rows;
    try {
        rows = readSheetFile(path);
    } catch (const ExportError& e) {
        refuse(e.message());
    }
    return check(booking, rows);
}

TravellerImport Travellers::check(qint64 booking, const SheetRows& rows) {
    if (rows.isEmpty())
        refuse(QStringLiteral("THE FILE HOLDS NO ROWS ...."));
    // Which cell of a row fills which field.
    std::vector<int> cellOf(fields().size(), -1);
    for (int c = 0; c < rows.first().size(); ++c) {
        const QString k = key(rows.first()[c]);
        for (int i = 0; i < int(fields().size()); ++i)
            if (cellOf[i] < 0 &&
                (k == key(fields()[i].caption) || k == key(fields()[i].column) || fields()[i].aliases.contains(k)))
                cellOf[i] = c;
    }
    if (cellOf[kFirst] < 0 && cellOf[kLast] < 0)
        refuse(QStringLiteral("THE FILE HAS NO FIRST NAME OR LAST NAME COLUMN ...."));
    const QStringList types = roomTypes(booking);
    const QDate today = QDate::currentDate();
    TravellerImport out;
    for (int r = 1; r < rows.size(); ++r) {
        const QStringList& cells = rows[r];
        if (cells.join(QString()).trimmed().isEmpty())
            continue;
        ImportedRow row;
        row.line = r + 1;
        Traveller& t = row.traveller;
        for (int i = 0; i < int(fields().size()); ++i) {
            const QString cell = cellOf[i] >= 0 && cellOf[i] < cells.size() ? cells[cellOf[i]].trimmed() : QString();
            row.cells << cell;
            if (QString* m = member(t, i)) {
                *m = cell;
                continue;
            }
            const QDate d = sheetDate(cell);
            if (!cell.isEmpty() && !d.isValid() && row.refusal.isEmpty())
                row.refusal = QStringLiteral("%1 IS NOT A DATE : %2 ....").arg(fields()[i].caption, cell);
            (i == kBirth ? t.birth : t.idExpiry) = d;
        }
        t = normalised(t);
        if (row.refusal.isEmpty())
            row.refusal = fault(t, types, today);
        out.rows.push_back(row);
    }
    return out;
}

void Travellers::write(const std::vector<Traveller>& list, const QString& path) {
    if (path.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive)) {
        GridExport::ExportWorkbook(travellerHeaders(),
                                   [&](const auto& row) {
                                       for (const Traveller& t : list)
                                           row(travellerCells(t));
                                   },
                                   path, {8, 20, 20, 5, 14, 18, 12, 12, 9, 20});
        return;
    }
    QString text = travellerHeaders().join(QLatin1Char(',')) + QLatin1String("\r\n");
    for (const Traveller& t : list) {
        QStringList cells;
        for (const QString& c : travellerCells(t))
            cells << csvCell(c);
        text += cells.join(QLatin1Char(',')) + QLatin1String("\r\n");
    }
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(text.toUtf8()) < 0 || !f.commit())
        throw ExportError(QStringLiteral("UNABLE TO WRITE THE FILE %1 ....").arg(path));
}

std::vector<HotelStay> Travellers::hotelStays(qint64 booking) {
    std::vector<HotelStay> out;
    QSqlQuery q = db_.exec(kStays, {booking});
    while (q.next()) {
        HotelStay s;
        s.quotation = q.value(0).toLongLong();
        s.line = q.value(1).toLongLong();
        s.hotel = q.value(2).toString().trimmed();
        s.place = q.value(3).toString().trimmed();
        s.checkIn = dateFromDb(q.value(4));
        s.checkOut = dateFromDb(q.value(5));
        s.roomType = upperTrim(q.value(6).toString());
        s.mealPlan = q.value(7).toString().trimmed();
        s.rooms = q.value(8).toInt();
        s.singles = q.value(9).toInt();
        s.extraBeds = q.value(10).toInt() + q.value(11).toInt() + q.value(12).toInt();
        s.roomName = q.value(13).toString().trimmed();
        out.push_back(s);
    }
    return out;
}

std::vector<Traveller> travellersOf(const std::vector<HotelStay>& stays, const HotelStay& stay,
                                    const std::vector<Traveller>& list) {
    QSet<QString> typesHere;
    for (const HotelStay& s : stays)
        if (s.hotel == stay.hotel && s.checkIn == stay.checkIn)
            typesHere.insert(s.roomType);
    const bool named = std::any_of(list.begin(), list.end(),
                                   [&](const Traveller& t) { return typesHere.contains(normalised(t).roomType); });
    std::vector<Traveller> out;
    for (const Traveller& t : list)
        if (!named || stay.roomType.isEmpty() || normalised(t).roomType == stay.roomType)
            out.push_back(t);
    return out;
}

std::vector<RoomCount> Travellers::roomCounts(qint64 booking, const std::vector<Traveller>& list) {
    const std::vector<HotelStay> stays = hotelStays(booking);
    std::vector<RoomCount> out;
    std::vector<const HotelStay*> of;  // a stay of each count
    std::map<std::tuple<QString, QDate, QString>, size_t> at;
    for (const HotelStay& s : stays) {
        const auto k = std::make_tuple(s.hotel, s.checkIn, s.roomType);
        if (!at.count(k)) {
            at[k] = out.size();
            out.push_back({s.hotel, s.checkIn, s.roomType});
            of.push_back(&s);
        }
        RoomCount& c = out[at[k]];
        c.roomsBooked += s.rooms + s.singles;
        c.placesBooked += 2 * s.rooms + s.singles + s.extraBeds;
    }
    for (size_t i = 0; i < out.size(); ++i) {
        QSet<QString> rooms;
        for (const Traveller& t : travellersOf(stays, *of[i], list)) {
            ++out[i].travellers;
            if (const QString room = normalised(t).roomNo; !room.isEmpty())
                rooms.insert(room);
        }
        out[i].roomsListed = int(rooms.size());
    }
    return out;
}

}  // namespace tarvic
