#include "DemoData.h"

#include "CompanyProfile.h"
#include "Logins.h"
#include "MenuCatalogue.h"
#include "engine/masters/LookupRows.h"
#include "engine/masters/MasterRows.h"

#include "data/AmountInWords.h"
#include "data/DocumentStatus.h"
#include "engine/bookings/BookingOperations.h"
#include "engine/bookings/AdviceNotes.h"
#include "engine/bookings/Bookings.h"

#include "engine/accounts/InvoiceStore.h"
#include "engine/sales/Itineraries.h"
#include "data/Moments.h"
#include "data/Numbering.h"
#include "data/Passwords.h"
#include "engine/sales/LeadStore.h"
#include "engine/sales/QuotationLines.h"
#include "engine/sales/QuotationStore.h"
#include "data/TransactionRecords.h"
#include "engine/bookings/ServicePairs.h"
#include "engine/dues/HotelDeadlines.h"
#include "engine/bookings/Travellers.h"
#include "engine/dues/PaymentSchedules.h"
#include "engine/dues/SupplierDues.h"

#include <QDateTime>

namespace tarvic {

namespace {

const QString kBy = QStringLiteral("DEMO DATA");

// The entries a tour consultant has no business in: logins and their rights, the mail server,
// the company profile, counters, document codes and their accounts, the menu transfer, the
// texts mailed in the office's name.
const QStringList kAdministration = {
    QStringLiteral("mnu_Login"),
    QStringLiteral("mnu_GMR"),
    QStringLiteral("mnu_SmtpServer"),
    QStringLiteral("mnu_CompanyProfile"),
    QStringLiteral("mnu_CounterReset"),
    QStringLiteral("mnu_DocCode_Maintenance"),
    QStringLiteral("mnu_DocCode_Acc_Comb"),
    QStringLiteral("mnu_ExpImpMenudetails"),
    QStringLiteral("mnu_ReminderTemplates"),
    QStringLiteral("mnu_SupplierTemplates"),
};

struct NameCode {
    const char* name;
    const char* extra;  // second text column, or nullptr
};

// Plain red, green, blue: the data layer knows no QColor.
struct Rgb {
    int r, g, b;
};

class DemoWriter {
public:
    explicit DemoWriter(Database& db) : db_(db), numbers_(db), now_(QDateTime::currentDateTime()) {}

    int rows() const { return rows_; }

    void mark(const QString& table, const QString& key) {
        db_.exec(QStringLiteral("INSERT INTO DEMO_DATA (TABLE_NAME, ROW_KEY, ADDED_ON) VALUES (?, ?, ?)"),
                 {table, key, now_});
        ++rows_;
    }

    // A lookup list value, typed codes: the next code after the highest, unless the value is
    // there already. Returns the row's code.
    qint64 lookup(const QString& table, const QString& codeCol, const QString& nameCol, const QString& name,
                  const QString& extraCol = {}, const QVariant& extra = {}) {
        const QVariant found =
            db_.scalar(QStringLiteral("SELECT %1 FROM %2 WHERE %3=?").arg(codeCol, table, nameCol), {name});
        if (!found.isNull())
            return found.toLongLong();
        // As the list's grid adds a row: the next code after the highest.
        Columns columns{{codeCol, QVariant()}, {nameCol, name}};
        if (!extraCol.isEmpty())
            columns.emplace_back(extraCol, extra);
        const qint64 code = saveLookupRow(db_, {table, codeCol, {}, true, columns, 0, {}}).toLongLong();
        mark(table, QString::number(code));
        return code;
    }

    // A master row added as its window adds it: the next number of its counter, stamped.
    qint64 numbered(const QString& table, const QString& counter, const Columns& parents, const QString& codeColumn,
                    const Columns& columns, const std::function<void(Database&, qint64)>& alsoWrite = {}) {
        return saveNumberedRow(db_, kBy, {table, counter, parents, codeColumn, 0, columns}, alsoWrite);
    }

    qint64 country(const QString& name) {
        const QVariant found =
            db_.scalar(QStringLiteral("SELECT COUNTRY_CODE FROM M_TBL_CSP_COUNTRY WHERE COUNTRY_NAME=?"), {name});
        if (!found.isNull())
            return found.toLongLong();
        const qint64 code = numbered(QStringLiteral("M_TBL_CSP_COUNTRY"), QStringLiteral("COUNTRY"), {},
                                     QStringLiteral("COUNTRY_CODE"), {{QStringLiteral("COUNTRY_NAME"), name}});
        mark(QStringLiteral("M_TBL_CSP_COUNTRY"), QString::number(code));
        return code;
    }

    qint64 state(qint64 country, const QString& name, const QString& taxCode, bool wantDefault) {
        const QVariant found =
            db_.scalar(QStringLiteral("SELECT STATE_CODE FROM M_TBL_CSP_STATE WHERE COUNTRY_CODE=? AND STATE_NAME=?"),
                       {country, name});
        if (!found.isNull())
            return found.toLongLong();
        // The home state only when the installation has none yet: at most one default.
        const bool isDefault =
            wantDefault &&
            db_.scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_CSP_STATE WHERE STATE_DEF='Y'")).toInt() == 0;
        const qint64 code =
            numbered(QStringLiteral("M_TBL_CSP_STATE"), QStringLiteral("STATE"),
                     {{QStringLiteral("COUNTRY_CODE"), country}}, QStringLiteral("STATE_CODE"),
                     {{QStringLiteral("STATE_NAME"), name},
                      {QStringLiteral("STATE_CODE2"), taxCode},
                      {QStringLiteral("STATE_DEF"), isDefault ? QStringLiteral("Y") : QStringLiteral("N")}},
                     [&](Database& d, qint64 c) {
                         keepOneDefaultState(d, {country, c}, isDefault);
                     });
        mark(QStringLiteral("M_TBL_CSP_STATE"), QStringLiteral("%1/%2").arg(country).arg(code));
        return code;
    }

    qint64 place(qint64 country, qint64 state, const QString& name) {
        const QVariant found = db_.scalar(QStringLiteral("SELECT PLACE_CODE FROM M_TBL_CSP_PLACE WHERE COUNTRY_CODE=? "
                                                         "AND STATE_CODE=? AND PLACE_NAME=?"),
                                          {country, state, name});
        if (!found.isNull())
            return found.toLongLong();
        const qint64 code = numbered(QStringLiteral("M_TBL_CSP_PLACE"), QStringLiteral("PLACE"),
                                     {{QStringLiteral("COUNTRY_CODE"), country}, {QStringLiteral("STATE_CODE"), state}},
                                     QStringLiteral("PLACE_CODE"), {{QStringLiteral("PLACE_NAME"), name}});
        mark(QStringLiteral("M_TBL_CSP_PLACE"), QStringLiteral("%1/%2/%3").arg(country).arg(state).arg(code));
        return code;
    }

    struct Party {
        QString name;
        QString person;
        QString mobile;
        QString email;
        QString gstin;
        QString address;
        QString relType;  // B2B / B2C
        qint64 type;
        qint64 country, state, place;
        QString cfa;
    };

    qint64 party(const Party& p) {
        const qint64 code =
            numbered(QStringLiteral("M_TBL_PARTY"), QStringLiteral("PARTY"), {}, QStringLiteral("PARTY_CODE"),
                     {{QStringLiteral("PARTY_NAME"), p.name},
                      {QStringLiteral("PARTY_ALIASNAME"), p.name},
                      {QStringLiteral("PERSON_NAME"), p.person},
                      {QStringLiteral("MOBILE_NOS"), p.mobile},
                      {QStringLiteral("EMAIL_ADD"), p.email},
                      {QStringLiteral("GSTIN_NO"), p.gstin},
                      {QStringLiteral("PARTY_ADDRESS"), p.address},
                      {QStringLiteral("BUSINESS_RELTYPE"), p.relType},
                      {QStringLiteral("PARTYTYPE_CODE"), p.type},
                      {QStringLiteral("COUNTRY_CODE"), p.country},
                      {QStringLiteral("STATE_CODE"), p.state},
                      {QStringLiteral("PLACE_CODE"), p.place},
                      {QStringLiteral("CFA"), p.cfa},
                      {QStringLiteral("WEB_ACCESS"), QStringLiteral("N")},
                      {QStringLiteral("WEB_MODULE"), QStringLiteral("CUSTOMER")}});
        mark(QStringLiteral("M_TBL_PARTY"), QString::number(code));
        return code;
    }

    // A login and its tour consultant, tied both ways. Returns the login id and the consultant code.
    std::pair<qint64, qint64> consultant(const DemoLogin& login, const QString& storedPassword, const QString& mobile) {
        // As the logins window and the consultant master save them.
        const qint64 loginId = logins::save(db_, {0, login.userName, login.fullName, QStringLiteral("SALES"),
                                                  QStringLiteral("OPERATOR"), storedPassword});
        mark(QStringLiteral("MST_LOGINDETAILS"), QString::number(loginId));
        const qint64 code = saveConsultant(db_, kBy,
                                           {QStringLiteral("M_TBL_CONSULTANT"),
                                            QStringLiteral("CONSULTANT"),
                                            QStringLiteral("CONSULTANT_CODE"),
                                            0,
                                            loginId,
                                            {{QStringLiteral("CONSULTANT_NAME"), login.fullName},
                                             {QStringLiteral("MOBILE_NO"), mobile},
                                             {QStringLiteral("LOGIN_CODE"), QString::number(loginId)},
                                             {QStringLiteral("TC_ROLE"), login.role}}});
        mark(QStringLiteral("M_TBL_CONSULTANT"), QString::number(code));
        return {loginId, code};
    }

    // A consultant's menu rights: a row for every entry of the catalogue, the administration
    // entries denied, every other one shown.
    void consultantRights(qint64 loginId) {
        QSqlQuery q = db_.exec(QStringLiteral("SELECT MENU_ID, MENU_NAME FROM M_TBL_MENUDETAILS ORDER BY MENU_ID"));
        QList<menus::Right> rights;
        while (q.next())
            rights.append({q.value(0).toLongLong(), kAdministration.contains(q.value(1).toString().trimmed())
                                                        ? QStringLiteral("N")
                                                        : QStringLiteral("Y")});
        q.finish();
        // As the rights window grants them.
        menus::grantRights(db_, loginId, rights);
        for (const menus::Right& r : rights)
            mark(QStringLiteral("M_TBL_MENUSHOW"), QStringLiteral("%1/%2").arg(loginId).arg(r.menu));
    }

    void leadStatus(const QString& name, int slno, bool lock, Rgb back, Rgb fore) {
        if (!db_.scalar(QStringLiteral("SELECT LEADSTATUS_CODE FROM M_TBL_LEADSTATUS WHERE LEAD_STATUS=?"), {name})
                 .isNull())
            return;
        // One booked (locking) status at most.
        const bool locks =
            lock &&
            db_.scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_LEADSTATUS WHERE LEAD_LOCK='Y'")).toInt() == 0;
        const qint64 code = numbers_.next(QStringLiteral("LEADSTAT"));
        const auto rgb = [](Rgb c) { return QStringLiteral("%1,%2,%3").arg(c.r).arg(c.g).arg(c.b); };
        db_.exec(
            QStringLiteral(
                "INSERT INTO M_TBL_LEADSTATUS (LEADSTATUS_CODE, LEAD_STATUS, LEAD_SLNO, LEAD_LOCK, L_RED, L_GREEN, "
                "L_BLUE, RGB_COLOR, L_F_RED, L_F_GREEN, L_F_BLUE, RGB_COLOR_F, CREATED_BY, CREATED_ON, "
                "UPDATE_BY, UPDATE_ON) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
            {code, name, slno, locks ? QStringLiteral("Y") : QStringLiteral("N"), back.r, back.g, back.b, rgb(back),
             fore.r, fore.g, fore.b, rgb(fore), kBy, now_, kBy, now_});
        mark(QStringLiteral("M_TBL_LEADSTATUS"), QString::number(code));
    }

    qint64 leadStatusCode(const QString& name) {
        return db_.scalar(QStringLiteral("SELECT LEADSTATUS_CODE FROM M_TBL_LEADSTATUS WHERE LEAD_STATUS=?"), {name})
            .toLongLong();
    }
    qint64 codeOf(const QString& table, const QString& codeCol, const QString& nameCol, const QString& name) {
        return db_.scalar(QStringLiteral("SELECT %1 FROM %2 WHERE %3=?").arg(codeCol, table, nameCol), {name})
            .toLongLong();
    }

    // A row written column by column, marked under its key.
    void insert(const QString& table, const Columns& columns, const QString& key) {
        QStringList names, marks;
        QVariantList values;
        for (const auto& [name, value] : columns) {
            names << name;
            marks << QStringLiteral("?");
            values << value;
        }
        db_.exec(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, names.join(u','), marks.join(u',')),
                 values);
        mark(table, key);
    }
    // Adds the audit columns of a demo row.
    void stamp(Columns& c) const {
        c.insert(c.end(), {{"CREATED_BY", kBy}, {"CREATED_ON", now_}, {"UPDATE_BY", kBy}, {"UPDATE_ON", now_}});
    }

    struct Day {
        int day;
        const char* place;
        const char* dist;
        const char* hours;
        const char* desc;
    };
    // A standard itinerary with its day lines and a text for every note. Returns its number.
    qint64 itinerary(const QString& name, const QString& states, const QString& places, const QString& desc, int nights,
                     std::initializer_list<Day> days) {
        const qint64 no = numbers_.next(QStringLiteral("ITNHD"));
        Columns header{{"ITN_DOCNO", no},
                       {"ITN_NAME", name},
                       {"ITN_STATE", states},
                       {"ITN_PLACES", places},
                       {"ITN_DESC", desc},
                       {"ITN_NIGHT", nights},
                       {"ITN_DAYS", nights + 1},
                       {"ITN_DURATION", QStringLiteral("%1 N / %2 D").arg(nights).arg(nights + 1)},
                       {"ACTIVE", QStringLiteral("Y")}};
        stamp(header);
        insert(QStringLiteral("M_TBL_ITINERARY_HEADER"), header, QString::number(no));
        int slno = 0;
        for (const Day& d : days) {
            Columns line{{"ITN_DOCNO", no},
                         {"ITN_SLNO", ++slno},
                         {"ITN_DAY", d.day},
                         {"ITN_PLACE", QString::fromLatin1(d.place)},
                         {"ITN_DIST", QString::fromLatin1(d.dist)},
                         {"SHOW_DIST", QStringLiteral("Y")},
                         {"ITN_HOURS", QString::fromLatin1(d.hours)},
                         {"SHOW_HOURS", QStringLiteral("Y")},
                         {"ITN_DESC", QString::fromLatin1(d.desc)}};
            stamp(line);
            insert(QStringLiteral("M_TBL_ITINERARY_DETAILS"), line, QStringLiteral("%1/%2").arg(no).arg(slno));
        }
        for (const ItineraryNote& note : kItineraryNotes)
            insert(QStringLiteral("M_TBL_ITINERARY_NOTES"),
                   {{"ITN_DOCNO", no},
                    {"ITN_NOTE_CODE", QString::fromLatin1(note.code)},
                    {"ITN_NOTE", noteText(note.code)}},
                   QStringLiteral("%1/%2").arg(no).arg(QString::fromLatin1(note.code)));
        return no;
    }

    static QString noteText(const char* code) {
        static const QHash<QString, QString> texts{
            {"ITN_EXCL", "AIR / TRAIN FARE.\nENTRY TICKETS AND CAMERA FEES.\nANYTHING NOT MENTIONED UNDER INCLUSIONS."},
            {"ITN_INCL",
             "ACCOMMODATION ON TWIN SHARING BASIS.\nMEALS AS PER THE MEAL PLAN.\nALL TRANSFERS AND SIGHTSEEING BY "
             "PRIVATE VEHICLE.\nDRIVER ALLOWANCE, TOLL AND PARKING."},
            {"ITN_DOCS", "PHOTO IDENTITY OF EVERY TRAVELLER (AADHAAR, PASSPORT OR DRIVING LICENCE)."},
            {"ITN_BOOKING", "25% OF THE PACKAGE COST AT BOOKING; THE BALANCE 15 DAYS BEFORE ARRIVAL."},
            {"ITN_CNCL",
             "30 DAYS OR MORE BEFORE ARRIVAL: 10%.\n15 TO 29 DAYS: 25%.\nLESS THAN 15 DAYS: 50%.\nNO SHOW: 100%."},
            {"ITN_CHILD", "CHILDREN BELOW 5 YEARS STAY FREE WITHOUT AN EXTRA BED."},
            {"ITN_HOTEL", "CHECK-IN 14:00, CHECK-OUT 11:00. EARLY CHECK-IN SUBJECT TO AVAILABILITY."},
            {"ITN_CAB", "THE VEHICLE IS AT YOUR DISPOSAL FROM 08:00 TO 20:00 ON SIGHTSEEING DAYS."},
            {"ITN_GENERAL", "RATES ARE VALID FOR THE DATES QUOTED ONLY."},
            {"ITN_BANK", "DEMO NATIONAL BANK, KOCHI MAIN BRANCH\nA/C NO 000123456789, IFSC DEMO0000123"},
            {"ITN_HOTELTOUSE", "MUNNAR: HILLVIEW HOTEL OR SIMILAR\nALAPPUZHA: BACKWATER RESORT HOUSEBOAT OR SIMILAR"},
        };
        return texts.value(QString::fromLatin1(code));
    }

    struct Lead {
        qint64 consultant, party;
        QString leadType, request, desc;
        int pax, children;
        QString ages;
        QDate date, start;
        int days;
        QString tourist, mobile, email, status, fileNo, action;
    };
    // A lead as the entry window saves it, its consultant at the keyboard.
    qint64 lead(const Lead& l) {
        const qint64 no = lead::saveLead(
            db_, kBy, int(l.consultant), 0,
            {{"DOC_DATE", dateToDb(l.date)},
             {"PARTY_CODE", l.party},
             {"LEADTYPE_CODE", codeOf("M_TBL_LEADTYPE", "LEADTYPE_CODE", "LEAD_TYPE", l.leadType)},
             {"LEADREQ_CODE", codeOf("M_TBL_LEADNATURE", "LEADREQ_CODE", "LEADREQ_TYPE", l.request)},
             {"DOC_DESC", l.desc},
             {"NOOF_PAX", l.pax},
             {"NOOF_CHILD", l.children},
             {"CHILD_AGES", l.ages},
             {"START_DT", dateToDb(l.start)},
             {"TOUR_DAYS", l.days},
             {"END_DT", dateToDb(l.start.addDays(l.days - 1))},
             {"TOURIST_NAME", l.tourist},
             {"TOURIST_MOBNO", l.mobile},
             {"TOURIST_EMAIL", l.email},
             {"CONSULTANT_CODE", l.consultant},
             {"LEADSTATUS_CODE", leadStatusCode(l.status)},
             {"FILENO", l.fileNo},
             {"CONSUTLTANT_RESPONSETXT", l.action},
             {"LCK_LEAD", QStringLiteral("N")}});
        mark(QStringLiteral("M_TBL_TRANSACTION"), QStringLiteral("BLFC01/%1").arg(no));
        return no;
    }

    QDate today() const { return now_.date(); }
    Numbering& numbers() { return numbers_; }
    Database& db() { return db_; }

private:
    Database& db_;
    Numbering numbers_;
    QDateTime now_;
    int rows_ = 0;
};

// A quotation saved as the quotation window saves it (marked up 10 percent, with GST at 5
// percent, as offered; its itinerary copied), then its lines as the line windows save them,
// each with its day rows, the quotation re-priced after each.
class DemoQuote {
public:
    DemoQuote(DemoWriter& w, QuotationHeader h) : w_(w) {
        h.markUp = MarkUp::Percent;
        h.totals.commPer = Money::fromInput(QStringLiteral("10.00"));
        h.taxCode = QString::number(w.codeOf("M_TBL_TAX", "TAX_CODE", "TAX_NAME", "GST 5%"));
        h.taxPer = Money::fromInput(QStringLiteral("5.00"));
        no_ = storeQuotation(w.db(), kBy, h, SaveKind::Full);
        w.mark(QStringLiteral("M_TBL_QUOTATION"), QStringLiteral("QGBL01/%1").arg(no_));
        for (const char* copy : {"SELECT ITN_SLNO FROM M_TBL_ITINERARY_DETAILS_QUOTE WHERE ITN_DOCNO=? AND QUOT_NO=?",
                                 "SELECT ITN_NOTE_CODE FROM M_TBL_ITINERARY_NOTES_QUOTE WHERE ITN_DOCNO=? AND QUOT_NO=?"}) {
            const QString table = QString::fromLatin1(copy).section(u' ', 3, 3);
            QStringList keys;
            QSqlQuery q = w.db().exec(QString::fromLatin1(copy), {h.itineraryNo, no_});
            while (q.next())
                keys << QStringLiteral("%1/%2/%3").arg(h.itineraryNo).arg(no_).arg(q.value(0).toString());
            q.finish();
            for (const QString& key : keys)
                w.mark(table, key);
        }
    }
    qint64 number() const { return no_; }

    void line(const char* kind, QDate from, QDate to, int dayRows, Money total, Columns own) {
        own.insert(own.begin(), {{"TOUR_DATE", dateToDb(from)},
                                 {"CHKOT_DT", dateToDb(to)},
                                 {"TOTAL_AMOUNT", total.toVariant()}});
        const qint64 no =
            storeQuotationLine(w_.db(), kBy, {no_, 0, QString::fromLatin1(kind), std::move(own), from, dayRows});
        w_.mark(QStringLiteral("M_TBL_QUOTATION"), QStringLiteral("QGBL02/%1/%2").arg(no_).arg(no));
        for (int i = 0; i < dayRows; ++i)
            w_.mark(QStringLiteral("M_TBL_QUOTATION"), QStringLiteral("QGBL03/%1/%2/%3").arg(no_).arg(no).arg(i));
    }

private:
    DemoWriter& w_;
    qint64 no_ = 0;
};

// The header of a demo quotation for two adults.
QuotationHeader demoHeader(qint64 lead, qint64 itinerary, QDate date, const QString& tourist, QDate start, int days,
                           const QString& mobile = {}, const QString& email = {}) {
    QuotationHeader h;
    h.docDate = date;
    h.leadNo = lead;
    h.itineraryNo = itinerary;
    h.bookedBy = h.touristName = tourist;
    h.touristMobile = mobile;
    h.touristEmail = email;
    h.adults = 2;
    h.start = start;
    h.end = start.addDays(days);
    return h;
}

struct SalesParties {
    qint64 asha, john, sunrise, backwater, hillview, malabar;  // parties
    qint64 anita, ravi;                                        // consultants: the ADMIN and the OPERATOR
};

// Who a booking is for and when it was booked.
struct BookingOf {
    qint64 party;
    qint64 lead;
    qint64 quote;
    QDate date;
    QString fileNo;
    QString tourist, mobile, email;
};

// A quotation booked for its customer through the booking window's own operation: the
// booking row from the quotation's figures, the quotation knowing its booking, the lead its
// file and the status a booking gives it.
qint64 insertBooking(DemoWriter& w, const BookingOf& b) {
    BookingEntry e;
    e.date = b.date;
    e.fileNo = b.fileNo;
    e.party = b.party;
    e.lead = b.lead;
    e.quotation = b.quote;
    e.touristName = e.bookedBy = b.tourist;
    e.mobile = b.mobile;
    e.email = b.email;
    const qint64 booking = Bookings(w.db(), kBy).save(e);
    w.mark(QStringLiteral("M_TBL_TRANSACTION"), QStringLiteral("CBPT01/%1").arg(booking));
    return booking;
}

// The quotation booked for its customer, with the hotel, vehicle and guide suppliers' advice
// notes posted.
void addBooking(DemoWriter& w, const SalesParties& p, qint64 lead, qint64 quote) {
    const QDate today = w.today();
    const qint64 booking =
        insertBooking(w, {p.asha, lead, quote, today, QStringLiteral("AN/2026/001"), QStringLiteral("ASHA NAIR"),
                          QStringLiteral("9800000001"), QStringLiteral("asha.nair@example.com")});
    const auto q = w.db().firstRow(
        QStringLiteral(
            "SELECT JOURNEY_STRTDT, JOURNEY_ENDDT FROM M_TBL_QUOTATION WHERE DOC_CODE='QGBL01' AND DOC_NO=?"),
        {quote});
    const QDate start = dateFromDb(q->value(0)), end = dateFromDb(q->value(1));

    // One advice note: the supplier credited with its bill against the booking, saved as the
    // advice note windows save it.
    const auto note = [&](const char* code, qint64 supplier, const char* billNo, QDate date,
                          Money total, const QString& remarks, Columns own) {
        const AdviceKind k = QByteArray(code) == "ANCP01"   ? AdviceKind::Hotel
                             : QByteArray(code) == "ANCP02" ? AdviceKind::Vehicle
                                                            : AdviceKind::Other;
        own.insert(own.begin(), {{"DOC_DATE", dateToDb(date)},
                                 {"PARTY_CODE", supplier},
                                 {"BILL_NO", QString::fromLatin1(billNo)}});
        const qint64 no = storeAdviceNote(w.db(), kBy, {k, 0, booking, total, remarks, std::move(own)});
        w.mark(QStringLiteral("M_TBL_TRANSACTION"), QStringLiteral("%1/%2").arg(QString::fromLatin1(code)).arg(no));
    };
    const Money room = Money::fromRupees(4500), hotel = Money::fromRupees(9000);
    note("ANCP01", p.hillview, "HV/2026/118", start, hotel, QStringLiteral("AS QUOTED"),
         {{"TO_ACC", QStringLiteral("ANCP01")},
          {"START_DT", dateToDb(start)},
          {"END_DT", dateToDb(start.addDays(2))},
          {"TOUR_DAYS", 2},
          {"HOTEL_CODE", p.hillview},
          {"HOTEL_NAME", QStringLiteral("DEMO HILLVIEW HOTEL MUNNAR")},
          {"HOTEL_PLACE", QStringLiteral("KERALA, MUNNAR")},
          {"ROOMTYPE_CODE", w.codeOf("M_TBL_HOTELROOMTYPE", "ROOMTYPE_CODE", "ROOM_TYPE", "DELUXE")},
          {"ROOM_TYPE2", QStringLiteral("VALLEY VIEW DELUXE")},
          {"MEALPLAN_CODE", w.codeOf("M_TBL_MEALPLAN", "MEALPLAN_CODE", "MEAL_PLAN", "MAP")},
          {"NOOF_ROOM", 1},
          {"ROOM_RATE", room.toVariant()},
          {"DAYS_ROOM", 2},
          {"TOTL_ROOMCOST", hotel.toVariant()}});
    const Money cab = Money::fromRupees(13500);
    note("ANCP02", p.malabar, "MT/4471", start, cab, QStringLiteral("KOCHI - MUNNAR - ALAPPUZHA - KOCHI"),
         {{"TO_ACC", QStringLiteral("ANCP02")},
          {"START_DT", dateToDb(start)},
          {"END_DT", dateToDb(end)},
          {"TOUR_DAYS", start.daysTo(end) + 1},
          {"ACC_CODE", QStringLiteral("0")},
          {"VEH_BRANDID", w.codeOf("MST_VEHICLEBRANDTYPE", "VEH_BRANDID", "VEH_BRAND", "SUV 7 SEATER")},
          {"VEH_NOS", 1},
          {"VEH_RATE", cab.toVariant()}});
    const Money guide = Money::fromRupees(1500);
    note("ANCP03", p.malabar, "MT/4472", start.addDays(1), guide, QStringLiteral("MUNNAR GUIDE"),
         {{"TO_ACC", QStringLiteral("GUIDE")},
          {"START_DT", dateToDb(start.addDays(1))},
          {"OTHRCHRG_QTY", 2},
          {"OTHRCHRG_RATE", Money::fromRupees(750).toVariant()}});
}

// Operations on the demo booking: booking statuses (one locking nothing, one locking money
// receipts, one locking everything) and operations statuses, an operations consultant when
// there is none, and the booking set to the first status and given to that consultant, through
// the same writes as the operations windows.
void addOpsDemo(DemoWriter& w, qint64 quote) {
    Database& db = w.db();
    const QString now = db.dialect().now();
    struct BookingStatus {
        const char* name;
        Rgb back, fore;
        QStringList locks;
    };
    const BookingStatus statuses[] = {
        {"DEMO CONFIRMED", {198, 239, 206}, {0, 97, 0}, {}},
        {"DEMO RECEIPTS CLOSED", {255, 235, 156}, {156, 87, 0}, {"LCK_MONEYRCPT"}},
        {"DEMO TOUR CLOSED", {217, 217, 217}, {64, 64, 64},
         {"LCK_LEAD", "LCK_QUOT", "LCK_MONEYRCPT", "LCK_ANCP01", "LCK_ANCP02", "LCK_ANCP03", "LCK_PAYMENT", "LCK_CBPT"}}};
    const auto rgb = [](Rgb c) { return QStringLiteral("%1,%2,%3").arg(c.r).arg(c.g).arg(c.b); };
    qint64 firstStatus = 0, firstOps = 0;
    int slno = 0;
    for (const BookingStatus& st : statuses) {
        const QString name = QString::fromLatin1(st.name);
        if (!db.scalar(QStringLiteral("SELECT CBPTSTATUS_CODE FROM M_TBL_CBPT_STATUS WHERE CBPT_STATUS=?"), {name})
                 .isNull())
            continue;
        const qint64 code = w.numbers().next(QStringLiteral("CBPTSTAT"));
        QStringList flagColumns;
        QVariantList values{code, name, ++slno, st.back.r, st.back.g, st.back.b, rgb(st.back), st.fore.r, st.fore.g,
                            st.fore.b, rgb(st.fore), kBy, kBy};
        for (const QString& column : BookingOperations::lockColumns()) {
            flagColumns << column;
            values << (st.locks.contains(column) ? QStringLiteral("Y") : QStringLiteral("N"));
        }
        // Stamped by the server's clock, as the status window stamps it.
        db.exec(QStringLiteral("INSERT INTO M_TBL_CBPT_STATUS (CBPTSTATUS_CODE, CBPT_STATUS, CBPT_SLNO, H_RED, H_GREEN, "
                               "H_BLUE, RGB_COLOR, H_F_RED, H_F_GREEN, H_F_BLUE, RGB_COLOR_F, CREATED_BY, UPDATE_BY, "
                               "CREATED_ON, UPDATE_ON, %1) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, %2, %2, %3)")
                    .arg(flagColumns.join(u','), now, TransactionRecords::placeholders(flagColumns.size())),
                values);
        w.mark(QStringLiteral("M_TBL_CBPT_STATUS"), QString::number(code));
        if (firstStatus == 0)
            firstStatus = code;
    }
    const struct {
        const char* name;
        Rgb back, fore;
    } opsStatuses[] = {{"DEMO ASSIGNED", {221, 235, 247}, {0, 0, 128}},
                       {"DEMO IN PROGRESS", {255, 242, 204}, {0, 0, 0}},
                       {"DEMO COMPLETED", {198, 239, 206}, {0, 97, 0}}};
    slno = 0;
    for (const auto& st : opsStatuses) {
        const QString name = QString::fromLatin1(st.name);
        if (!db.scalar(QStringLiteral("SELECT CBPTSTATUS_CODE_O FROM M_TBL_CBPT_STATUS_OPS WHERE CBPT_STATUS=?"), {name})
                 .isNull())
            continue;
        const qint64 code = w.numbers().next(QStringLiteral("CBPTSTAT_OPS"));
        Columns c{{"CBPTSTATUS_CODE_O", code}, {"CBPT_STATUS", name},       {"CBPT_SLNO", ++slno},
                  {"H_RED", st.back.r},       {"H_GREEN", st.back.g},     {"H_BLUE", st.back.b},
                  {"RGB_COLOR", rgb(st.back)}, {"H_F_RED", st.fore.r},     {"H_F_GREEN", st.fore.g},
                  {"H_F_BLUE", st.fore.b},    {"RGB_COLOR_F", rgb(st.fore)}};
        w.stamp(c);
        w.insert(QStringLiteral("M_TBL_CBPT_STATUS_OPS"), c, QString::number(code));
        if (firstOps == 0)
            firstOps = code;
    }
    qint64 consultant =
        db.scalar(QStringLiteral("SELECT MIN(CONSULTANT_CODE) FROM M_TBL_CONSULTANT_OP")).toLongLong();
    if (consultant == 0) {
        consultant = w.numbers().next(QStringLiteral("CONSULTANT-OP"));
        Columns c{{"CONSULTANT_CODE", consultant},
                  {"CONSULTANT_NAME", QStringLiteral("DEMO SURESH PILLAI")},
                  {"MOBILE_NO", QStringLiteral("9800000021")},
                  {"TC_ROLE", QStringLiteral("OPERATOR")}};
        w.stamp(c);
        w.insert(QStringLiteral("M_TBL_CONSULTANT_OP"), c, QString::number(consultant));
    }
    const qint64 booking =
        db.scalar(QStringLiteral("SELECT MAX(DOC_NO) FROM M_TBL_TRANSACTION WHERE DOC_CODE='CBPT01' AND QUOTATION_NO=? "
                                 "AND ") + sql::live(),
                  {quote})
            .toLongLong();
    if (booking == 0 || firstStatus == 0)
        return;
    BookingOperations ops(db, kBy);
    ops.setStatus(booking, firstStatus);
    ops.assignConsultant(booking, consultant);
    ops.updateLog(booking, QStringLiteral("HOTEL AND CAB CONFIRMED; PICK-UP AT KOCHI AIRPORT BRIEFED."), firstOps);
}

// Hotel statuses for following reservations (requested, then confirmed), and the demo
// quotation's first hotel line confirmed on the line and its tour days alike.
void addHotelStatusDemo(DemoWriter& w, qint64 quote) {
    Database& db = w.db();
    const auto status = [&](const char* name, int slno, int r, int g, int b) {
        const QVariant found =
            db.scalar(QStringLiteral("SELECT HOTELSTATUS_CODE FROM M_TBL_HOTELSTATUS WHERE HOTEL_STATUS=?"),
                      {QString::fromLatin1(name)});
        if (!found.isNull())
            return found.toLongLong();
        const qint64 code = w.numbers().next(QStringLiteral("HOTLSTAT"));
        Columns c{{"HOTELSTATUS_CODE", code},
                  {"HOTEL_STATUS", QString::fromLatin1(name)},
                  {"HOTEL_SLNO", slno},
                  {"HOTEL_LOCK", QStringLiteral("N")},
                  {"H_RED", r},
                  {"H_GREEN", g},
                  {"H_BLUE", b},
                  {"RGB_COLOR", QStringLiteral("%1,%2,%3").arg(r).arg(g).arg(b)},
                  {"H_F_RED", 0},
                  {"H_F_GREEN", 0},
                  {"H_F_BLUE", 0},
                  {"RGB_COLOR_F", QStringLiteral("0,0,0")}};
        w.stamp(c);
        w.insert(QStringLiteral("M_TBL_HOTELSTATUS"), c, QString::number(code));
        return code;
    };
    status("REQUESTED", 1, 255, 235, 156);
    const qint64 confirmed = status("CONFIRMED", 2, 198, 239, 206);
    const QVariant first = db.scalar(QStringLiteral("SELECT MIN(ACC_CODE) FROM M_TBL_QUOTATION WHERE DOC_CODE='QGBL02' "
                                                    "AND ACCOUNT_DESC='HOTEL' AND DOC_NO=?"),
                                     {quote});
    if (first.isNull())
        return;
    db.exec(
        QStringLiteral("UPDATE M_TBL_QUOTATION SET HOTELSTATUS_CODE=?, HOTL_STATUPDBY=?, HOTL_STATUPDON=? "
                       "WHERE DOC_CODE IN ('QGBL02','QGBL03') AND ACCOUNT_DESC='HOTEL' AND DOC_NO=? AND ACC_CODE=?"),
        {confirmed, kBy, QDateTime::currentDateTime(), quote, first.toLongLong()});
}

// A single window service sold on its own: the customer debited 1000.00 for an airport
// transfer, the transporter credited 800.00, saved as the window saves the pair.
void addMiscDemo(DemoWriter& w, const SalesParties& p) {
    Database& db = w.db();
    for (const auto& [code, name] : {std::pair{"TRANSFER", "AIRPORT TRANSFER"}, std::pair{"TICKET", "TRAIN TICKET"}})
        if (db.scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_DOCUMENTACCOUNT_COMB WHERE DOC_CODE='ANDP08' AND "
                                     "ACC_CODE=?"),
                      {QString::fromLatin1(code)})
                .toInt() == 0)
            w.insert(QStringLiteral("M_TBL_DOCUMENTACCOUNT_COMB"),
                     {{"DOC_CODE", QStringLiteral("ANDP08")},
                      {"ACC_CODE", QString::fromLatin1(code)},
                      {"ACCOUNT_DESC", QString::fromLatin1(name)}},
                     QStringLiteral("ANDP08/%1").arg(QString::fromLatin1(code)));
    ServicePair pair;
    pair.docDate = w.today();
    pair.serviceDate = w.today().addDays(10);
    pair.customer = p.asha;
    pair.customerName = QStringLiteral("DEMO ASHA NAIR");
    pair.vendor = p.malabar;
    pair.vendorName = QStringLiteral("DEMO MALABAR TRAVELS");
    pair.serviceType = QStringLiteral("TRANSFER");
    pair.serviceTypeDesc = QStringLiteral("AIRPORT TRANSFER");
    pair.serviceName = QStringLiteral("COCHIN AIRPORT TO FORT KOCHI");
    pair.selling = Money::fromRupees(1000);
    pair.buying = Money::fromRupees(800);
    const ServicePair saved = ServicePairs(db, kBy).save(pair);
    w.mark(QStringLiteral("M_TBL_TRANSACTION"), QStringLiteral("ANDP08/%1").arg(saved.customerNo));
    w.mark(QStringLiteral("M_TBL_TRANSACTION"), QStringLiteral("ANCP08/%1").arg(saved.vendorNo));
}

// The booking billed: a GST row for tour packages, a tax invoice for the package and a
// proforma for it, saved as the invoice windows save them.
void addInvoiceDemo(DemoWriter& w, qint64 quote) {
    Database& db = w.db();
    const QString gstFor = QStringLiteral("TOUR PACKAGE");
    if (db.scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_GSTMAINTENANCE WHERE GST_FOR=?"), {gstFor}).toInt() == 0) {
        Columns g{{"GST_FOR", gstFor},
                  {"SAC_CODE", QStringLiteral("998552")},
                  {"CGST_PER", QStringLiteral("2.50")},
                  {"SGST_PER", QStringLiteral("2.50")},
                  {"IGST_PER", QStringLiteral("5.00")}};
        w.stamp(g);
        w.insert(QStringLiteral("M_TBL_GSTMAINTENANCE"), g, gstFor);
    }
    const qint64 bookingNo =
        db.scalar(QStringLiteral("SELECT CBPT_NO FROM M_TBL_QUOTATION WHERE DOC_CODE='QGBL01' AND DOC_NO=?"), {quote})
            .toLongLong();
    InvoiceStore store(db, kBy);
    const auto booking = store.booking(bookingNo);
    const auto home = store.homeState();
    const auto gst = store.gstRow(gstFor);
    if (!booking || !home || !gst)
        return;
    const auto kind = taxKindOf(home->code2, booking->stateCode2);
    if (!kind)
        return;
    // The first instalment billed net of tax, leaving the rest of the quotation to invoice;
    // the proforma quotes the whole package, taxes included.
    const Money package = Money::fromRupees(37400);
    Money net = Money::fromRupees(20000);
    while (net > Money() &&
           calcTotal({net}, Money(), appliedRates(gst->rates, *kind), Money()).grand > booking->invoiceable())
        net -= Money::fromRupees(1);
    for (const InvoiceKind* k : {&taxInvoiceKind(), &proformaKind()}) {
        InvoiceDraft d;
        d.kind = k;
        d.date = w.today();
        d.booking = *booking;
        d.taxKind = *kind;
        d.sacCode = gst->sacCode;
        if (k->tax) {
            d.gstInvNo = QStringLiteral("DEMO/INV/%1").arg(bookingNo);
            d.alias = booking->alias;
            d.gstFor = gstFor;
            d.rates = appliedRates(gst->rates, *kind);
            d.lines = {{QStringLiteral("KERALA HILLS AND BACKWATERS TOUR PACKAGE - FIRST INSTALMENT"), net,
                        Money::fromRupees(1), net}};
        } else {
            // The proforma asks for the package price, taxes included.
            const Money gross = calcTotal({package}, Money(), appliedRates(gst->rates, *kind), Money()).grand;
            d.lines = {{QStringLiteral("TOUR PACKAGE, ALL TAXES INCLUDED"), gross, Money::fromRupees(1), gross}};
        }
        const qint64 no = store.save(d);
        w.mark(QStringLiteral("M_TBL_TRANSACTION"), QStringLiteral("%1/%2").arg(k->code).arg(no));
        for (size_t line = 1; line <= d.lines.size(); ++line)
            w.mark(QStringLiteral("M_TBL_TRANSACTION"), QStringLiteral("%1/%2/%3").arg(k->lineCode).arg(no).arg(line));
    }
}

// The demo booking's money: the customer's receipt by bank transfer and the hotel paid its
// bill, saved as the receipt and payment windows save them (pairs, TO_ACC and links by the
// records layer), so the booking's balance, the ledgers and the outstanding list show figures.
void addMoneyDemo(DemoWriter& w, const SalesParties& p) {
    Database& db = w.db();
    const qint64 booking =
        db.scalar(QStringLiteral("SELECT MAX(DOC_NO) FROM M_TBL_TRANSACTION WHERE DOC_CODE='CBPT01' AND PARTY_CODE=?"),
                  {p.asha})
            .toLongLong();
    if (booking <= 0)
        return;
    const QDate today = w.today();
    const qint64 bank = w.codeOf("MST_BANK", "BANK_ID", "BANK_NAME", "DEMO NATIONAL BANK - KOCHI MAIN");
    const qint64 transfer = w.codeOf("MST_PAYMODE", "MODE_ID", "PAY_MODE", "BANK TRANSFER");
    TransactionRecords records(db, kBy);
    const auto post = [&](const char* code, const char* pair, qint64 party, Money amount, const QString& desc,
                          const QString& instrNo, const QString& remarks) {
        Document d;
        d.code = QString::fromLatin1(code);
        d.booking = booking;
        d.amount = amount;
        d.columns = {{"DOC_DATE", dateToDb(today)},
                     {"PARTY_CODE", party},
                     {"DOC_DESC", desc},
                     {"PAY_MODEID", transfer},
                     {"TO_BANKID", bank},
                     {"BANK_ID", 0},
                     {"INSTR_NO", instrNo},
                     {"INSTR_DATE", dateToDb(today)},
                     {"GRAND_TOTAL", amount.toVariant()},
                     {"AMT_INWORDS", amountInWordsPhrase(amount)},
                     {"REMARKS", remarks}};
        const qint64 no = records.save(d);
        for (const char* c : {code, pair})
            w.mark(QStringLiteral("M_TBL_TRANSACTION"), QStringLiteral("%1/%2").arg(QString::fromLatin1(c)).arg(no));
    };
    const QString date = today.toString(QStringLiteral("dd/MM/yyyy"));
    const Money received = Money::fromRupees(20000);
    post("FRDB01", "FRCR01", p.asha, received,
         QStringLiteral("RS %1 PAID VIA BANK TRANSFER VIDE INSTR NO:NEFT-DEMO-0001, INSTR DT: %2 REMARKS:ADVANCE")
             .arg(received.toString(), date),
         QStringLiteral("NEFT-DEMO-0001"), QStringLiteral("ADVANCE"));
    const Money hotel = Money::fromRupees(9000);
    post("FTCR01", "FTDB01", p.hillview, hotel,
         QStringLiteral("RS %1 VIA BANK TRANSFER, INSTR NO :NEFT-DEMO-0002, INSTR DT:%2 REMARKS :HV/2026/118")
             .arg(hotel.toString(), date),
         QStringLiteral("NEFT-DEMO-0002"), QStringLiteral("HV/2026/118"));
}

// What the demo booking has due: a schedule whose advance the receipt covers and whose second
// instalment is overdue, the transporter's credit period with its cab note due in two days,
// the Munnar hotel's option date in three days and its free cancellation a week before
// check-in, and the agent's lead to be followed up since yesterday. Saved through the same
// operations as the board and the booking's schedule use.
void addDuesDemo(DemoWriter& w, const SalesParties& p, qint64 quote) {
    Database& db = w.db();
    const QDate today = w.today();
    const qint64 booking =
        db.scalar(QStringLiteral("SELECT CBPT_NO FROM M_TBL_QUOTATION WHERE DOC_CODE='QGBL01' AND DOC_NO=?"), {quote})
            .toLongLong();
    if (booking <= 0)
        return;
    const auto b = db.firstRow(
        QStringLiteral("SELECT GRAND_TOTAL, START_DT FROM M_TBL_TRANSACTION WHERE DOC_CODE='CBPT01' AND DOC_NO=?"),
        {booking});
    const Money total = Money::fromVariant(b->value(0));
    const QDate start = dateFromDb(b->value(1));
    const Money advance = Money::fromRupees(20000);
    const Money second = total.percent(Money::fromRupees(25)).value_or(Money());
    if (total - advance - second > Money()) {
        PaymentSchedules(db, kBy).store(booking, {{today.addDays(-14), advance, QStringLiteral("ADVANCE ON BOOKING")},
                                                  {today.addDays(-2), second, QStringLiteral("25 % OF THE PACKAGE")},
                                                  {start.addDays(-15), total - advance - second,
                                                   QStringLiteral("BALANCE BEFORE TRAVEL")}});
        for (int line = 1; line <= 3; ++line)
            w.mark(QStringLiteral("M_TBL_BOOKING_INSTALMENT"), QStringLiteral("%1/%2").arg(booking).arg(line));
    }
    setSupplierTerms(db, kBy, p.malabar, {7, {}, {}});
    setSupplierTerms(db, kBy, p.hillview, {15, 21, 7});
    const QVariant cab = db.scalar(
        QStringLiteral("SELECT MIN(DOC_NO) FROM M_TBL_TRANSACTION WHERE DOC_CODE='ANCP02' AND IN_DOCNO=? AND ") +
            sql::live(),
        {booking});
    if (!cab.isNull()) {
        setAdviceDueDate(db, kBy, QStringLiteral("ANCP02"), cab.toLongLong(), today.addDays(2));
        w.mark(QStringLiteral("M_TBL_ADVICE_DUE"), QStringLiteral("ANCP02/%1").arg(cab.toLongLong()));
    }
    const QVariant line = db.scalar(QStringLiteral("SELECT MIN(ACC_CODE) FROM M_TBL_QUOTATION WHERE DOC_CODE='QGBL02' "
                                                   "AND ACCOUNT_DESC='HOTEL' AND DOC_NO=?"),
                                    {quote});
    if (!line.isNull()) {
        setHotelDeadlines(db, kBy, quote, line.toLongLong(), today.addDays(3), start.addDays(-7));
        w.mark(QStringLiteral("M_TBL_HOTEL_DEADLINE"), QStringLiteral("%1/%2").arg(quote).arg(line.toLongLong()));
    }
    const QVariant agentLead = db.scalar(
        QStringLiteral("SELECT MIN(DOC_NO) FROM M_TBL_TRANSACTION WHERE DOC_CODE='BLFC01' AND PARTY_CODE=?"), {p.sunrise});
    if (!agentLead.isNull())
        lead::saveFollowUp(db, kBy, int(p.anita), agentLead.toLongLong(),
                           {{QStringLiteral("FOLLOWUP_DT"), dateToDb(today.addDays(-1))}});
}

// A schedule template to start a booking's schedule from, and the demo booking's two
// travellers sharing a room, so that its rooming list and its hotels' requests have names.
void addTravelDemo(DemoWriter& w, qint64 quote) {
    Database& db = w.db();
    using L = TemplateLine;
    const int code = ScheduleTemplates(db, kBy).save(
        {0,
         QStringLiteral("25 % ON BOOKING, REST 30 DAYS BEFORE TRAVEL"),
         {{L::Share::Percent, Money::fromRupees(25), L::Due::OnBooking, 0, QStringLiteral("ADVANCE ON BOOKING")},
          {L::Share::Percent, Money::fromRupees(75), L::Due::BeforeTravel, 30, QStringLiteral("BALANCE BEFORE TRAVEL")}}});
    w.mark(QStringLiteral("M_TBL_SCHEDULE_TEMPLATE"), QString::number(code));
    const qint64 booking =
        db.scalar(QStringLiteral("SELECT CBPT_NO FROM M_TBL_QUOTATION WHERE DOC_CODE='QGBL01' AND DOC_NO=?"), {quote})
            .toLongLong();
    Travellers travellers(db, kBy);
    const std::vector<HotelStay> stays = booking > 0 ? travellers.hotelStays(booking) : std::vector<HotelStay>();
    if (stays.empty())
        return;
    const QString room = stays.front().roomType;
    travellers.store(booking, {{QStringLiteral("MRS"), QStringLiteral("ASHA"), QStringLiteral("NAIR"),
                                QStringLiteral("F"), QDate(1984, 3, 12), QStringLiteral("Z1234567"),
                                QDate(2031, 3, 11), QStringLiteral("ADULT"), QStringLiteral("101"), room},
                               {QStringLiteral("MR"), QStringLiteral("VINOD"), QStringLiteral("NAIR"),
                                QStringLiteral("M"), QDate(1981, 8, 2), QStringLiteral("Z7654321"),
                                QDate(2030, 8, 1), QStringLiteral("ADULT"), QStringLiteral("101"), room}});
    for (int line = 1; line <= 2; ++line)
        w.mark(QStringLiteral("M_TBL_BOOKING_TRAVELLER"), QStringLiteral("%1/%2").arg(booking).arg(line));
}

// The accounts the vouchers post to (income, expense, bank charges and interest, the bank
// accounts a transfer moves between) and the cash counter the bulk postings default to.
void addVoucherDemo(DemoWriter& w) {
    Database& db = w.db();
    w.lookup(QStringLiteral("MST_BANK"), QStringLiteral("BANK_ID"), QStringLiteral("BANK_NAME"),
             QStringLiteral("CASH COUNTER"));
    const struct {
        const char* doc;
        const char* account;
        const char* desc;
    } accounts[] = {
        {"FRDM01", "COMMISSION", "COMMISSION RECEIVED"}, {"FRDM01", "INTEREST", "INTEREST RECEIVED"},
        {"APCM01", "RENT", "OFFICE RENT"},               {"APCM01", "STATIONERY", "PRINTING AND STATIONERY"},
        {"BDAP01", "BANKCHRG", "BANK CHARGES"},          {"BCAP01", "INTEREST", "INTEREST CREDITED BY BANK"},
        {"BTCR01", "BANK1", "CURRENT ACCOUNT"},          {"BTCR01", "BANK2", "SAVINGS ACCOUNT"},
        {"BTDB01", "BANK1", "CURRENT ACCOUNT"},          {"BTDB01", "BANK2", "SAVINGS ACCOUNT"},
    };
    for (const auto& a : accounts) {
        const QString doc = QString::fromLatin1(a.doc), account = QString::fromLatin1(a.account);
        if (db.scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_DOCUMENTACCOUNT_COMB WHERE DOC_CODE=? AND ACC_CODE=?"),
                      {doc, account})
                .toInt() == 0)
            w.insert(QStringLiteral("M_TBL_DOCUMENTACCOUNT_COMB"),
                     {{"DOC_CODE", doc}, {"ACC_CODE", account}, {"ACCOUNT_DESC", QString::fromLatin1(a.desc)}},
                     QStringLiteral("%1/%2").arg(doc, account));
    }
}

// What the printed vouchers need beside the booking's money: a miscellaneous receipt from the
// customer, an office-rent payment without a party and a transfer from the bank to the cash
// counter, saved as the voucher windows save them.
void addReportDemoRows(DemoWriter& w, qint64 asha) {
    Database& db = w.db();
    const QDate today = w.today();
    const qint64 bank = w.codeOf("MST_BANK", "BANK_ID", "BANK_NAME", "DEMO NATIONAL BANK - KOCHI MAIN");
    const qint64 cash = w.codeOf("MST_BANK", "BANK_ID", "BANK_NAME", "CASH COUNTER");
    const qint64 transfer = w.codeOf("MST_PAYMODE", "MODE_ID", "PAY_MODE", "BANK TRANSFER");
    TransactionRecords records(db, kBy);
    const auto post = [&](const char* code, const char* pair, Money amount, Columns columns, Columns pairColumns) {
        Document d;
        d.code = QString::fromLatin1(code);
        d.amount = amount;
        d.columns = {{"DOC_DATE", dateToDb(today)},
                     {"TOTAL_AMOUNT", amount.toVariant()},
                     {"GRAND_TOTAL", amount.toVariant()},
                     {"AMT_INWORDS", amountInWordsPhrase(amount)},
                     {"PAY_MODEID", transfer}};
        for (auto& c : columns)
            d.columns.push_back(std::move(c));
        d.pairColumns = std::move(pairColumns);
        const qint64 no = records.save(d);
        for (const char* c : {code, pair})
            w.mark(QStringLiteral("M_TBL_TRANSACTION"), QStringLiteral("%1/%2").arg(QString::fromLatin1(c)).arg(no));
    };
    post("FRDM01", "FRDM02", Money::fromRupees(1500),
         {{"PARTY_CODE", asha},
          {"DOC_DESC", QStringLiteral("FRDM01 - RS 1500.00 FROM : DEMO ASHA NAIR FOR A/C CODE : COMMISSION RECEIVED")},
          {"TO_ACC", QStringLiteral("COMMISSION")},
          {"TO_BANKID", bank},
          {"BANK_ID", 0},
          {"INSTR_NO", QStringLiteral("NEFT-DEMO-0003")},
          {"INSTR_DATE", dateToDb(today)},
          {"REMARKS", QStringLiteral("COMMISSION ON DEMO BOOKING")}},
         {});
    post("APCM01", "APCM02", Money::fromRupees(12000),
         {{"DOC_DESC", QStringLiteral("APCM01 - RS 12000.00 PAID TO :  REMRK :OFFICE RENT FOR THE MONTH")},
          {"TO_ACC", QStringLiteral("RENT")},
          {"TO_BANKID", bank},
          {"BANK_ID", 0},
          {"INSTR_NO", QStringLiteral("NEFT-DEMO-0004")},
          {"INSTR_DATE", dateToDb(today)},
          {"COLL_BY", QStringLiteral("DEMO LANDLORD")},
          {"REMARKS", QStringLiteral("OFFICE RENT FOR THE MONTH")}},
         {});
    post("BTCR01", "BTDB01", Money::fromRupees(5000),
         {{"DOC_DESC", QStringLiteral("RS 5000.00 TRANSFERRED FROM CURRENT ACCOUNT TO SAVINGS ACCOUNT")},
          {"TO_ACC", QStringLiteral("BANK1")},
          {"TO_BANKID", bank},
          {"INSTR_NO", QStringLiteral("SELF-DEMO-0005")},
          {"IN_DOCDATE", dateToDb(today)},
          {"REMARKS", QStringLiteral("PETTY CASH FOR THE OFFICE")}},
         {{"TO_ACC", QStringLiteral("BANK2")}, {"TO_BANKID", cash}});
}

// A working sales pipeline: two itineraries, leads of both consultants in several statuses, and
// a quotation on the first lead priced with two hotels, a vehicle and a guide, its totals as
// the quotation window computes them and its itinerary copied.
void addSalesPipeline(DemoWriter& w, const SalesParties& p) {
    Database& db = w.db();
    const QDate today = w.today();
    const qint64 kerala = w.itinerary(
        QStringLiteral("DEMO KERALA HILLS AND BACKWATERS"), QStringLiteral("KERALA"),
        QStringLiteral("KOCHI, MUNNAR, ALAPPUZHA"), QStringLiteral("TEA GARDENS OF MUNNAR AND A NIGHT ON A HOUSEBOAT"),
        3,
        {{1, "KOCHI - MUNNAR", "130", "4", "PICK UP AT KOCHI AIRPORT, DRIVE TO MUNNAR ON THE WAY CHEEYAPPARA FALLS."},
         {2, "MUNNAR", "40", "3", "ERAVIKULAM NATIONAL PARK, TEA MUSEUM AND MATTUPETTY DAM."},
         {3, "MUNNAR - ALAPPUZHA", "170", "5", "DRIVE TO ALAPPUZHA AND BOARD THE HOUSEBOAT FOR A BACKWATER CRUISE."},
         {4, "ALAPPUZHA - KOCHI", "60", "2", "CHECK OUT FROM THE HOUSEBOAT, DROP AT KOCHI AIRPORT."}});
    w.itinerary(QStringLiteral("DEMO GOA BEACH BREAK"), QStringLiteral("GOA"), QStringLiteral("PANAJI, CALANGUTE"),
                QStringLiteral("NORTH GOA BEACHES AND OLD GOA CHURCHES"), 2,
                {{1, "ARRIVAL - PANAJI", "30", "1", "ARRIVAL, CHECK IN, EVENING RIVER CRUISE ON THE MANDOVI."},
                 {2, "NORTH GOA", "60", "5", "FORT AGUADA, CALANGUTE AND BAGA BEACHES."},
                 {3, "OLD GOA - DEPARTURE", "40", "2", "BASILICA OF BOM JESUS, DROP AT THE AIRPORT."}});

    using L = DemoWriter::Lead;
    const QDate trip = today.addDays(30);
    const qint64 first = w.lead(L{p.anita,
                                  p.asha,
                                  "TELEPHONE",
                                  "PACKAGE TOUR",
                                  "KERALA HILLS AND BACKWATERS FOR TWO",
                                  2,
                                  0,
                                  {},
                                  today,
                                  trip,
                                  4,
                                  "ASHA NAIR",
                                  "9800000001",
                                  "asha.nair@example.com",
                                  "QUOTATION SENT",
                                  "AN/2026/001",
                                  "QUOTATION MAILED, CALL BACK ON FRIDAY"});
    w.lead(L{p.anita,
             p.sunrise,
             "E-MAIL",
             "HONEYMOON PACKAGE",
             "GOA HONEYMOON FOR A CLIENT OF THE AGENT",
             2,
             0,
             {},
             today.addDays(-2),
             today.addDays(45),
             3,
             {},
             {},
             {},
             "FOLLOW UP",
             "AN/2026/002",
             "AGENT ASKED FOR A SEA-VIEW ROOM OPTION"});
    w.lead(L{p.ravi,
             p.john,
             "WALK IN",
             "PACKAGE TOUR",
             "MUNNAR FAMILY TRIP",
             3,
             1,
             "8",
             today,
             today.addDays(20),
             3,
             "JOHN MATHEW",
             "9800000002",
             "john.mathew@example.com",
             "NEW ENQUIRY",
             {},
             {}});
    w.lead(L{p.ravi,
             p.john,
             "WEBSITE",
             "GROUP TOUR",
             "OFFICE GROUP OF 20 TO OOTY",
             20,
             0,
             {},
             today.addDays(-5),
             today.addDays(60),
             3,
             "JOHN MATHEW",
             "9800000002",
             "john.mathew@example.com",
             "NOT INTERESTED",
             {},
             "BUDGET TOO LOW FOR THE GROUP"});

    // The other charges of a quotation (QFOC01) and of a supplier's other-charge note (ANCP03).
    for (const char* doc : {"QFOC01", "ANCP03"})
        for (const auto& [code, name] : {std::pair{"GUIDE", "GUIDE CHARGES"}, std::pair{"ENTRY", "ENTRY TICKETS"},
                                         std::pair{"SHOW", "KATHAKALI SHOW"}}) {
            if (db.scalar(
                      QStringLiteral("SELECT COUNT(*) FROM M_TBL_DOCUMENTACCOUNT_COMB WHERE DOC_CODE=? AND ACC_CODE=?"),
                      {QString::fromLatin1(doc), QString::fromLatin1(code)})
                    .toInt() == 0)
                w.insert(QStringLiteral("M_TBL_DOCUMENTACCOUNT_COMB"),
                         {{"DOC_CODE", QString::fromLatin1(doc)},
                          {"ACC_CODE", QString::fromLatin1(code)},
                          {"ACCOUNT_DESC", QString::fromLatin1(name)}},
                         QStringLiteral("%1/%2").arg(QString::fromLatin1(doc), QString::fromLatin1(code)));
        }

    DemoQuote quotation(w, demoHeader(first, kerala, today, QStringLiteral("ASHA NAIR"), trip, 3,
                                      QStringLiteral("9800000001"), QStringLiteral("asha.nair@example.com")));
    const qint64 quote = quotation.number();
    const auto line = [&](const char* kind, QDate from, QDate to, int dayRows, Money total, Columns own) {
        quotation.line(kind, from, to, dayRows, total, std::move(own));
    };
    const auto hotel = [&](qint64 party, const char* name, const char* place, const char* roomType, const char* room2,
                           const char* plan, QDate in, int nights, qint64 rate) {
        const Money cost = Money::fromRupees(rate * nights);
        line("HOTEL", in, in.addDays(nights), nights, cost,
             {{"HOTEL_CODE", party},
              {"HOTEL_NAME", QString::fromLatin1(name)},
              {"HOTEL_PLACE", QString::fromLatin1(place)},
              {"ROOMTYPE_CODE", w.codeOf("M_TBL_HOTELROOMTYPE", "ROOMTYPE_CODE", "ROOM_TYPE", roomType)},
              {"ROOM_TYPE", QString::fromLatin1(room2)},
              {"MEALPLAN_CODE", w.codeOf("M_TBL_MEALPLAN", "MEALPLAN_CODE", "MEAL_PLAN", plan)},
              {"NOOF_ROOM", 1},
              {"ROOM_RATE", Money::fromRupees(rate).toVariant()},
              {"DAYS_ROOM", nights},
              {"TOTL_ROOMCOST", cost.toVariant()}});
        return cost;
    };
    Money total = hotel(p.hillview, "DEMO HILLVIEW HOTEL MUNNAR", "KERALA, MUNNAR", "DELUXE", "VALLEY VIEW DELUXE",
                        "MAP", trip, 2, 4500);
    total += hotel(p.backwater, "DEMO BACKWATER RESORT", "KERALA, ALAPPUZHA", "HOUSEBOAT - DELUXE", "PREMIUM HOUSEBOAT",
                   "AP", trip.addDays(2), 1, 9500);
    const Money vehicle = Money::fromRupees(14000);
    line("VEHICLE", trip, trip.addDays(3), 4, vehicle,
         {{"VEH_BRANDID", w.codeOf("MST_VEHICLEBRANDTYPE", "VEH_BRANDID", "VEH_BRAND", "SUV 7 SEATER")},
          {"NOOF_VEH", 1},
          {"VEH_RATE", vehicle.toVariant()},
          {"TOTL_VEHCOST", vehicle.toVariant()}});
    const Money guide = Money::fromRupees(1500);
    line("OTHRCHRG", trip.addDays(1), trip.addDays(1), 0, guide,
         {{"OTHRCHRG_CODE", QStringLiteral("GUIDE")},
          {"NOOF_OTHRCHRG", 2},
          {"OTHRCHRG_RATE", Money::fromRupees(750).toVariant()},
          {"TOTL_OTHRCHRG", guide.toVariant()}});
    addBooking(w, p, first, quote);
    addOpsDemo(w, quote);
    addHotelStatusDemo(w, quote);
    addMiscDemo(w, p);
    addInvoiceDemo(w, quote);
    addMoneyDemo(w, p);
    addVoucherDemo(w);
    addDuesDemo(w, p, quote);
    addTravelDemo(w, quote);
}

// One customer's tour of last month, booked and billed.
struct GstSale {
    qint64 party;
    const char* tourist;
    const char* mobile;
    const char* email;
    int day;        // of last month, the invoice's
    qint64 net;     // rupees billed before tax
    bool reissued;  // a second invoice, raised in error and cancelled
};

// Last month billed for the GST returns (the return an office files now): the customers'
// tours booked from their quotations and billed with tax invoices through the invoice store,
// as the invoice window saves them, numbered in one series.
void addGstSales(DemoWriter& w, const QList<GstSale>& sales, qint64 consultant, qint64 itinerary) {
    Database& db = w.db();
    const QDate today = w.today().addMonths(-1);
    const QDate month(today.year(), today.month(), 1);
    const QString gstFor = QStringLiteral("TOUR PACKAGE");
    InvoiceStore store(db, kBy);
    TransactionRecords records(db, kBy);
    const auto home = store.homeState();
    const auto gst = store.gstRow(gstFor);
    if (!home || !gst)
        return;
    int series = 0;
    const auto invoice = [&](const InvoiceKind& kind, const InvoiceBooking& b, QDate date, Money net) {
        const auto taxKind = taxKindOf(home->code2, b.stateCode2);
        InvoiceDraft d;
        d.kind = &kind;
        d.date = date;
        d.booking = b;
        d.taxKind = taxKind.value_or(TaxKind::OtherState);
        d.sacCode = gst->sacCode;
        if (kind.tax) {
            d.gstInvNo = QStringLiteral("DEMO/%1/%2")
                             .arg(month.toString(QStringLiteral("MMyy")))
                             .arg(++series, 3, 10, QLatin1Char('0'));
            d.alias = b.alias;
            d.gstFor = gstFor;
            d.rates = appliedRates(gst->rates, d.taxKind);
            d.lines = {{QStringLiteral("GOA BEACH BREAK TOUR PACKAGE"), net, Money::fromRupees(1), net}};
        } else {
            const Money gross = calcTotal({net}, Money(), appliedRates(gst->rates, d.taxKind), Money()).grand;
            d.lines = {{QStringLiteral("TOUR PACKAGE, ALL TAXES INCLUDED"), gross, Money::fromRupees(1), gross}};
        }
        const qint64 no = store.save(d);
        w.mark(QStringLiteral("M_TBL_TRANSACTION"), QStringLiteral("%1/%2").arg(kind.code).arg(no));
        w.mark(QStringLiteral("M_TBL_TRANSACTION"), QStringLiteral("%1/%2/1").arg(kind.lineCode).arg(no));
        return no;
    };
    const qint64 suv = w.codeOf("MST_VEHICLEBRANDTYPE", "VEH_BRANDID", "VEH_BRAND", "SUV 7 SEATER");
    for (const GstSale& sale : sales) {
        const QDate billed = month.addDays(sale.day - 1);
        const QDate booked = billed.addDays(-2), trip = billed.addDays(1);
        const QString tourist = QString::fromLatin1(sale.tourist);
        const QString fileNo = QStringLiteral("AN/%1/G%2").arg(booked.year()).arg(sale.party);
        const qint64 lead = w.lead({consultant,
                                    sale.party,
                                    "E-MAIL",
                                    "PACKAGE TOUR",
                                    "GOA BEACH BREAK",
                                    2,
                                    0,
                                    {},
                                    booked,
                                    trip,
                                    3,
                                    tourist,
                                    QString::fromLatin1(sale.mobile),
                                    QString::fromLatin1(sale.email),
                                    "QUOTATION SENT",
                                    fileNo,
                                    "QUOTATION ACCEPTED, TOUR BOOKED"});
        DemoQuote quotation(w, demoHeader(lead, itinerary, booked, tourist, trip, 2));
        const Money net = Money::fromRupees(sale.net);
        // The quotation leaves room for a second invoice of a fifth of the first.
        const Money priced = sale.reissued ? Money::fromRupees(sale.net + sale.net / 5) : net;
        quotation.line("VEHICLE", trip, trip.addDays(2), 3, priced,
                       {{"VEH_BRANDID", suv},
                        {"NOOF_VEH", 1},
                        {"VEH_RATE", priced.toVariant()},
                        {"TOTL_VEHCOST", priced.toVariant()}});
        const qint64 bookingNo = insertBooking(w, {sale.party, lead, quotation.number(), booked, fileNo, tourist,
                                                   QString::fromLatin1(sale.mobile), QString::fromLatin1(sale.email)});
        const auto booking = store.booking(bookingNo);
        if (!booking)
            continue;
        invoice(taxInvoiceKind(), *booking, billed, net);
        if (sale.reissued) {
            const qint64 wrong = invoice(taxInvoiceKind(), *store.booking(bookingNo), billed.addDays(2),
                                         Money::fromRupees(sale.net / 5));
            records.cancel(taxInvoiceKind().code, wrong, {bookingNo}, QStringLiteral("RAISED IN ERROR"));
            invoice(proformaKind(), *store.booking(bookingNo), billed.addDays(3), net);
        }
    }
}

}  // namespace

int addReportDemo(Database& db) {
    return db.transact([&] {
        DemoWriter w(db);
        const QVariant asha =
            db.scalar(QStringLiteral("SELECT PARTY_CODE FROM M_TBL_PARTY WHERE PARTY_NAME='DEMO ASHA NAIR'"));
        if (asha.isNull())
            return 0;
        addReportDemoRows(w, asha.toLongLong());
        return w.rows();
    });
}

int addGstDemo(Database& db) {
    return db.transact([&] {
        DemoWriter w(db);
        const auto code = [&](const char* sql, const char* name) {
            return db.scalar(QString::fromLatin1(sql), {QString::fromLatin1(name)}).toLongLong();
        };
        const qint64 anita =
            code("SELECT CONSULTANT_CODE FROM M_TBL_CONSULTANT WHERE CONSULTANT_NAME=?", "DEMO ANITA MENON");
        const qint64 goa =
            code("SELECT ITN_DOCNO FROM M_TBL_ITINERARY_HEADER WHERE ITN_NAME=?", "DEMO GOA BEACH BREAK");
        const qint64 sunrise = code("SELECT PARTY_CODE FROM M_TBL_PARTY WHERE PARTY_NAME=?", "DEMO SUNRISE HOLIDAYS");
        const qint64 john = code("SELECT PARTY_CODE FROM M_TBL_PARTY WHERE PARTY_NAME=?", "DEMO JOHN MATHEW");
        // Added once, on the demo set.
        if (anita == 0 || goa == 0 || sunrise == 0 || john == 0 ||
            code("SELECT COUNT(*) FROM M_TBL_PARTY WHERE PARTY_NAME=?", "DEMO DECCAN CORPORATE TRAVEL") > 0)
            return 0;
        const qint64 india = w.country(QStringLiteral("INDIA"));
        const qint64 agent = w.lookup(QStringLiteral("M_TBL_PARTYTYPE"), QStringLiteral("PARTYTYPE_CODE"),
                                      QStringLiteral("PARTY_TYPE"), QStringLiteral("TRAVEL AGENT"));
        const qint64 customer = w.lookup(QStringLiteral("M_TBL_PARTYTYPE"), QStringLiteral("PARTYTYPE_CODE"),
                                         QStringLiteral("PARTY_TYPE"), QStringLiteral("CUSTOMER"));
        const auto where = [&](const char* state, const char* taxCode, const char* place) {
            const qint64 s = w.state(india, QString::fromLatin1(state), QString::fromLatin1(taxCode), false);
            return std::pair{s, w.place(india, s, QString::fromLatin1(place))};
        };
        const auto [karnataka, bengaluru] = where("KARNATAKA", "29", "BENGALURU");
        const auto [rajasthan, jaipur] = where("RAJASTHAN", "08", "JAIPUR");
        const auto [goaState, panaji] = where("GOA", "30", "PANAJI");
        using P = DemoWriter::Party;
        const QString y = QStringLiteral("Y"), n = QStringLiteral("N");
        const qint64 deccan = w.party(P{QStringLiteral("DEMO DECCAN CORPORATE TRAVEL"), QStringLiteral("MEERA RAO"),
                                        QStringLiteral("9800000021"), QStringLiteral("travel@deccan.example.com"),
                                        QStringLiteral("29AAGCD8765K1ZW"), QStringLiteral("OUTER RING ROAD, BENGALURU"),
                                        QStringLiteral("B2B"), agent, india, karnataka, bengaluru, y});
        const qint64 rahul = w.party(P{QStringLiteral("DEMO RAHUL VERMA"),
                                       QStringLiteral("RAHUL VERMA"),
                                       QStringLiteral("9800000022"),
                                       QStringLiteral("rahul.verma@example.com"),
                                       {},
                                       QStringLiteral("C-SCHEME, JAIPUR"),
                                       QStringLiteral("B2C"),
                                       customer,
                                       india,
                                       rajasthan,
                                       jaipur,
                                       n});
        // The agent's GSTIN was mistyped (its check character is wrong): the return leaves the
        // invoice out and lists it.
        const qint64 coastal = w.party(P{QStringLiteral("DEMO COASTAL EVENTS GOA"), QStringLiteral("ANIL NAIK"),
                                         QStringLiteral("9800000023"), QStringLiteral("events@coastal.example.com"),
                                         QStringLiteral("30AAFCC4321M1Z4"), QStringLiteral("MIRAMAR, PANAJI"),
                                         QStringLiteral("B2B"), agent, india, goaState, panaji, y});
        addGstSales(w,
                    {{sunrise, "PRIYA S", "9800000003", "bookings@sunrise.example.com", 4, 48000, false},
                     {john, "JOHN MATHEW", "9800000002", "john.mathew@example.com", 9, 18000, true},
                     {deccan, "MEERA RAO", "9800000021", "travel@deccan.example.com", 14, 64000, false},
                     {rahul, "RAHUL VERMA", "9800000022", "rahul.verma@example.com", 19, 120000, false},
                     {coastal, "ANIL NAIK", "9800000023", "events@coastal.example.com", 23, 30000, false}},
                    anita, goa);
        return w.rows();
    });
}

QList<DemoLogin> demoLogins() {
    return {
        {QStringLiteral("DEMOSALES1"), QStringLiteral("demo1234"), QStringLiteral("DEMO ANITA MENON"),
         QStringLiteral("ADMIN")},
        {QStringLiteral("DEMOSALES2"), QStringLiteral("demo5678"), QStringLiteral("DEMO RAVI KUMAR"),
         QStringLiteral("OPERATOR")},
    };
}

namespace {
// The company of the demo, in its home state, Kerala, filing under a GSTIN of it: the values
// the installation left unfilled are given, so the demo's documents print no placeholder.
void fillDemoCompany(Database& db) {
    CompanyProfile p = CompanyProfile::read(db);
    const QList<std::pair<QString CompanyProfile::*, const char*>> demo{
        {&CompanyProfile::name, "TARVIC HOLIDAYS"},
        {&CompanyProfile::address, "2ND FLOOR, MARINE TOWERS, SHANMUGHAM ROAD"},
        {&CompanyProfile::city, "KOCHI"},
        {&CompanyProfile::state, "KERALA"},
        {&CompanyProfile::phones, "+91 484 2000100, 9800000100"},
        {&CompanyProfile::email, "holidays@tarvic.example.com"},
        {&CompanyProfile::web, "www.tarvic.example.com"},
        {&CompanyProfile::gstin, "32AABCT5566P1ZV"},
        {&CompanyProfile::jurisdiction, "ERNAKULAM"},
        {&CompanyProfile::acName, "TARVIC HOLIDAYS"},
        {&CompanyProfile::acNo, "000120002345678"},
        {&CompanyProfile::bankName, "DEMO NATIONAL BANK"},
        {&CompanyProfile::branch, "KOCHI MAIN"},
        {&CompanyProfile::ifsc, "DEMB0000012"},
    };
    for (const auto& [member, value] : demo)
        if ((p.*member).isEmpty() || isPlaceholder(p.*member))
            p.*member = QString::fromLatin1(value);
    p.save(db);
}
}  // namespace

DemoDataResult addDemoData(Database& db) {
    DemoDataResult result;
    result.logins = demoLogins();
    if (db.scalar(QStringLiteral("SELECT COUNT(*) FROM DEMO_DATA")).toInt() > 0)
        return result;
    // Hashed before the transaction: argon2id takes a noticeable moment.
    QStringList stored;
    for (const DemoLogin& l : result.logins)
        stored << Passwords::hash(l.password);

    result.rows = db.transact([&] {
        // Checked again inside: two workstations running init at once add the set once.
        if (db.scalar(QStringLiteral("SELECT COUNT(*) FROM DEMO_DATA")).toInt() > 0)
            return 0;
        DemoWriter w(db);
        // Logins are looked up by name: a demo name already taken would shadow a login.
        for (const DemoLogin& l : result.logins)
            if (db.scalar(QStringLiteral("SELECT COUNT(*) FROM MST_LOGINDETAILS WHERE UPPER(USER_NAME)=?"),
                          {l.userName})
                    .toInt() > 0)
                throw DbError(DbError::Kind::Duplicate, QStringLiteral("login %1 already exists").arg(l.userName));

        fillDemoCompany(db);
        // Geography: the home state first, so that it becomes the default.
        const qint64 india = w.country(QStringLiteral("INDIA"));
        const qint64 kerala = w.state(india, QStringLiteral("KERALA"), QStringLiteral("32"), true);
        const qint64 karnataka = w.state(india, QStringLiteral("KARNATAKA"), QStringLiteral("29"), false);
        const qint64 tamilNadu = w.state(india, QStringLiteral("TAMIL NADU"), QStringLiteral("33"), false);
        const qint64 goa = w.state(india, QStringLiteral("GOA"), QStringLiteral("30"), false);
        const qint64 rajasthan = w.state(india, QStringLiteral("RAJASTHAN"), QStringLiteral("08"), false);
        const qint64 kochi = w.place(india, kerala, QStringLiteral("KOCHI"));
        const qint64 alappuzha = w.place(india, kerala, QStringLiteral("ALAPPUZHA"));
        const qint64 munnar = w.place(india, kerala, QStringLiteral("MUNNAR"));
        w.place(india, kerala, QStringLiteral("THIRUVANANTHAPURAM"));
        const qint64 bengaluru = w.place(india, karnataka, QStringLiteral("BENGALURU"));
        w.place(india, karnataka, QStringLiteral("MYSURU"));
        const qint64 chennai = w.place(india, tamilNadu, QStringLiteral("CHENNAI"));
        w.place(india, tamilNadu, QStringLiteral("OOTY"));
        w.place(india, goa, QStringLiteral("PANAJI"));
        w.place(india, rajasthan, QStringLiteral("JAIPUR"));

        // The ten lookup lists.
        const auto list = [&](const char* table, const char* codeCol, const char* nameCol, const QString& name) {
            return w.lookup(QString::fromLatin1(table), QString::fromLatin1(codeCol), QString::fromLatin1(nameCol),
                            name);
        };
        const qint64 customer = list("M_TBL_PARTYTYPE", "PARTYTYPE_CODE", "PARTY_TYPE", QStringLiteral("CUSTOMER"));
        const qint64 agent = list("M_TBL_PARTYTYPE", "PARTYTYPE_CODE", "PARTY_TYPE", QStringLiteral("TRAVEL AGENT"));
        const qint64 hotel = list("M_TBL_PARTYTYPE", "PARTYTYPE_CODE", "PARTY_TYPE", QStringLiteral("HOTEL"));
        const qint64 transporter =
            list("M_TBL_PARTYTYPE", "PARTYTYPE_CODE", "PARTY_TYPE", QStringLiteral("TRANSPORTER"));
        list("M_TBL_PARTYTYPE", "PARTYTYPE_CODE", "PARTY_TYPE", QStringLiteral("OTHER SUPPLIER"));
        for (const char* t : {"WALK IN", "TELEPHONE", "E-MAIL", "WEBSITE", "REFERENCE"})
            list("M_TBL_LEADTYPE", "LEADTYPE_CODE", "LEAD_TYPE", QString::fromLatin1(t));
        for (const char* t : {"PACKAGE TOUR", "HONEYMOON PACKAGE", "HOTEL ONLY", "VEHICLE ONLY", "GROUP TOUR"})
            list("M_TBL_LEADNATURE", "LEADREQ_CODE", "LEADREQ_TYPE", QString::fromLatin1(t));
        const NameCode plans[] = {{"CP", "CONTINENTAL PLAN - ROOM WITH BREAKFAST"},
                                  {"MAP", "MODIFIED AMERICAN PLAN - BREAKFAST AND DINNER"},
                                  {"AP", "AMERICAN PLAN - ALL MEALS"},
                                  {"EP", "EUROPEAN PLAN - ROOM ONLY"}};
        for (const NameCode& p : plans)
            w.lookup(QStringLiteral("M_TBL_MEALPLAN"), QStringLiteral("MEALPLAN_CODE"), QStringLiteral("MEAL_PLAN"),
                     QString::fromLatin1(p.name), QStringLiteral("PLAN_DESC"), QString::fromLatin1(p.extra));
        for (const char* t : {"STANDARD", "DELUXE", "SUPER DELUXE", "SUITE", "HOUSEBOAT - DELUXE"})
            list("M_TBL_HOTELROOMTYPE", "ROOMTYPE_CODE", "ROOM_TYPE", QString::fromLatin1(t));
        for (const char* t : {"SEDAN 4 SEATER", "SUV 7 SEATER", "TEMPO TRAVELLER 12 SEATER", "MINI COACH 20 SEATER"})
            list("MST_VEHICLEBRANDTYPE", "VEH_BRANDID", "VEH_BRAND", QString::fromLatin1(t));
        w.lookup(QStringLiteral("M_TBL_TAX"), QStringLiteral("TAX_CODE"), QStringLiteral("TAX_NAME"),
                 QStringLiteral("GST 5%"), QStringLiteral("TAX_PER"), QStringLiteral("5.00"));
        w.lookup(QStringLiteral("M_TBL_TAX"), QStringLiteral("TAX_CODE"), QStringLiteral("TAX_NAME"),
                 QStringLiteral("GST 18%"), QStringLiteral("TAX_PER"), QStringLiteral("18.00"));
        for (const char* t : {"DEMO NATIONAL BANK - KOCHI MAIN", "DEMO CO-OPERATIVE BANK - ERNAKULAM"})
            list("MST_BANK", "BANK_ID", "BANK_NAME", QString::fromLatin1(t));
        for (const char* t : {"CHEQUE", "DEMAND DRAFT", "BANK TRANSFER", "UPI", "CARD"})
            list("MST_PAYMODE", "MODE_ID", "PAY_MODE", QString::fromLatin1(t));
        for (const char* t : {"DEMO KERALA TRAVEL MART", "DEMO CORPORATE MEET - BENGALURU"})
            list("M_TBL_PARTYGROUP", "GROUP_CODE", "GROUP_NAME", QString::fromLatin1(t));

        // Parties: customers, an agent, hotels and transporters.
        using P = DemoWriter::Party;
        const QString y = QStringLiteral("Y"), n = QStringLiteral("N"), b2b = QStringLiteral("B2B"),
                      b2c = QStringLiteral("B2C");
        const qint64 asha = w.party(P{QStringLiteral("DEMO ASHA NAIR"),
                                      QStringLiteral("ASHA NAIR"),
                                      QStringLiteral("9800000001"),
                                      QStringLiteral("asha.nair@example.com"),
                                      {},
                                      QStringLiteral("12 MG ROAD, BENGALURU"),
                                      b2c,
                                      customer,
                                      india,
                                      karnataka,
                                      bengaluru,
                                      n});
        const qint64 john = w.party(P{QStringLiteral("DEMO JOHN MATHEW"),
                                      QStringLiteral("JOHN MATHEW"),
                                      QStringLiteral("9800000002"),
                                      QStringLiteral("john.mathew@example.com"),
                                      {},
                                      QStringLiteral("4 ANNA SALAI, CHENNAI"),
                                      b2c,
                                      customer,
                                      india,
                                      tamilNadu,
                                      chennai,
                                      n});
        const qint64 sunrise =
            w.party(P{QStringLiteral("DEMO SUNRISE HOLIDAYS"), QStringLiteral("PRIYA S"), QStringLiteral("9800000003"),
                      QStringLiteral("bookings@sunrise.example.com"), QStringLiteral("32AAACD1234E1ZI"),
                      QStringLiteral("MARINE DRIVE, KOCHI"), b2b, agent, india, kerala, kochi, y});
        const qint64 backwater = w.party(P{QStringLiteral("DEMO BACKWATER RESORT"), QStringLiteral("FRONT OFFICE"),
                                           QStringLiteral("9800000004"), QStringLiteral("stay@backwater.example.com"),
                                           QStringLiteral("32AAACD2345F1ZA"), QStringLiteral("PUNNAMADA, ALAPPUZHA"),
                                           b2b, hotel, india, kerala, alappuzha, y});
        const qint64 hillview = w.party(P{
            QStringLiteral("DEMO HILLVIEW HOTEL MUNNAR"), QStringLiteral("RESERVATIONS"), QStringLiteral("9800000005"),
            QStringLiteral("reservations@hillview.example.com"), QStringLiteral("32AAACD3456G1Z2"),
            QStringLiteral("OLD MUNNAR ROAD, MUNNAR"), b2b, hotel, india, kerala, munnar, y});
        const qint64 malabar = w.party(P{QStringLiteral("DEMO MALABAR TRAVELS"), QStringLiteral("DISPATCH DESK"),
                                         QStringLiteral("9800000006"), QStringLiteral("cabs@malabar.example.com"),
                                         QStringLiteral("32AAACD4567H1ZU"), QStringLiteral("MG ROAD, KOCHI"), b2b,
                                         transporter, india, kerala, kochi, y});
        w.party(P{QStringLiteral("DEMO CITY CABS BENGALURU"), QStringLiteral("FLEET DESK"),
                  QStringLiteral("9800000007"), QStringLiteral("fleet@citycabs.example.com"),
                  QStringLiteral("29AAACD5678J1Z6"), QStringLiteral("HOSUR ROAD, BENGALURU"), b2b, transporter, india,
                  karnataka, bengaluru, n});

        // Two tour consultants with their logins and rights.
        const auto [anitaLogin, anita] = w.consultant(result.logins.at(0), stored.at(0), QStringLiteral("9800000011"));
        const auto [raviLogin, ravi] = w.consultant(result.logins.at(1), stored.at(1), QStringLiteral("9800000012"));
        w.consultantRights(anitaLogin);
        w.consultantRights(raviLogin);

        // Lead statuses in list order, the booked one locking the lead.
        w.leadStatus(QStringLiteral("NEW ENQUIRY"), 1, false, Rgb{255, 255, 255}, Rgb{0, 0, 0});
        w.leadStatus(QStringLiteral("FOLLOW UP"), 2, false, Rgb{255, 242, 204}, Rgb{0, 0, 0});
        w.leadStatus(QStringLiteral("QUOTATION SENT"), 3, false, Rgb{221, 235, 247}, Rgb{0, 0, 128});
        w.leadStatus(QStringLiteral("BOOKED"), 4, true, Rgb{198, 239, 206}, Rgb{0, 97, 0});
        w.leadStatus(QStringLiteral("NOT INTERESTED"), 5, false, Rgb{242, 242, 242}, Rgb{128, 128, 128});

        addSalesPipeline(w, SalesParties{asha, john, sunrise, backwater, hillview, malabar, anita, ravi});
        return w.rows();
    });
    result.added = result.rows > 0;
    return result;
}

}  // namespace tarvic
