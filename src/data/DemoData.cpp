#include "DemoData.h"

#include "Numbering.h"
#include "Passwords.h"

#include <QDateTime>

namespace tarvic {

namespace {

const QString kBy = QStringLiteral("DEMO DATA");

// The entries a tour consultant has no business in: logins and their rights, the mail server,
// the company profile, counters, document codes and their accounts, the menu transfer.
const QStringList kAdministration = {
    QStringLiteral("mnu_Login"),
    QStringLiteral("mnu_GMR"),
    QStringLiteral("mnu_SmtpServer"),
    QStringLiteral("mnu_CompanyProfile"),
    QStringLiteral("mnu_CounterReset"),
    QStringLiteral("mnu_DocCode_Maintenance"),
    QStringLiteral("mnu_DocCode_Acc_Comb"),
    QStringLiteral("mnu_ExpImpMenudetails"),
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
        db_.exec(QStringLiteral("INSERT INTO DEMO_DATA (TABLE_NAME, ROW_KEY, ADDED_ON) VALUES (?, ?, ?)"), {table, key, now_});
        ++rows_;
    }

    // A lookup list value, typed codes: the next code after the highest, unless the value is
    // there already. Returns the row's code.
    qint64 lookup(const QString& table, const QString& codeCol, const QString& nameCol, const QString& name,
                  const QString& extraCol = {}, const QVariant& extra = {}) {
        const QVariant found = db_.scalar(QStringLiteral("SELECT %1 FROM %2 WHERE %3=?").arg(codeCol, table, nameCol), {name});
        if (!found.isNull())
            return found.toLongLong();
        const qint64 code = db_.scalar(QStringLiteral("SELECT COALESCE(MAX(%1), 0) FROM %2").arg(codeCol, table)).toLongLong() + 1;
        if (extraCol.isEmpty())
            db_.exec(QStringLiteral("INSERT INTO %1 (%2, %3) VALUES (?, ?)").arg(table, codeCol, nameCol), {code, name});
        else
            db_.exec(QStringLiteral("INSERT INTO %1 (%2, %3, %4) VALUES (?, ?, ?)").arg(table, codeCol, nameCol, extraCol),
                     {code, name, extra});
        mark(table, QString::number(code));
        return code;
    }

    qint64 country(const QString& name) {
        const QVariant found =
            db_.scalar(QStringLiteral("SELECT COUNTRY_CODE FROM M_TBL_CSP_COUNTRY WHERE COUNTRY_NAME=?"), {name});
        if (!found.isNull())
            return found.toLongLong();
        const qint64 code = numbers_.next(QStringLiteral("COUNTRY"));
        db_.exec(QStringLiteral("INSERT INTO M_TBL_CSP_COUNTRY (COUNTRY_CODE, COUNTRY_NAME, CREATED_BY, CREATED_ON, UPDATE_BY, "
                                "UPDATE_ON) VALUES (?, ?, ?, ?, ?, ?)"),
                 {code, name, kBy, now_, kBy, now_});
        mark(QStringLiteral("M_TBL_CSP_COUNTRY"), QString::number(code));
        return code;
    }

    qint64 state(qint64 country, const QString& name, const QString& taxCode, bool wantDefault) {
        const QVariant found = db_.scalar(
            QStringLiteral("SELECT STATE_CODE FROM M_TBL_CSP_STATE WHERE COUNTRY_CODE=? AND STATE_NAME=?"), {country, name});
        if (!found.isNull())
            return found.toLongLong();
        // The home state only when the installation has none yet: at most one default.
        const bool isDefault =
            wantDefault && db_.scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_CSP_STATE WHERE STATE_DEF='Y'")).toInt() == 0;
        const qint64 code = numbers_.next(QStringLiteral("STATE"));
        db_.exec(QStringLiteral("INSERT INTO M_TBL_CSP_STATE (COUNTRY_CODE, STATE_CODE, STATE_NAME, STATE_CODE2, STATE_DEF, "
                                "CREATED_BY, CREATED_ON, UPDATE_BY, UPDATE_ON) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                 {country, code, name, taxCode, isDefault ? QStringLiteral("Y") : QStringLiteral("N"), kBy, now_, kBy, now_});
        mark(QStringLiteral("M_TBL_CSP_STATE"), QStringLiteral("%1/%2").arg(country).arg(code));
        return code;
    }

    qint64 place(qint64 country, qint64 state, const QString& name) {
        const QVariant found = db_.scalar(QStringLiteral("SELECT PLACE_CODE FROM M_TBL_CSP_PLACE WHERE COUNTRY_CODE=? "
                                                         "AND STATE_CODE=? AND PLACE_NAME=?"),
                                          {country, state, name});
        if (!found.isNull())
            return found.toLongLong();
        const qint64 code = numbers_.next(QStringLiteral("PLACE"));
        db_.exec(QStringLiteral("INSERT INTO M_TBL_CSP_PLACE (COUNTRY_CODE, STATE_CODE, PLACE_CODE, PLACE_NAME, CREATED_BY, "
                                "CREATED_ON, UPDATE_BY, UPDATE_ON) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                 {country, state, code, name, kBy, now_, kBy, now_});
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
        const qint64 code = numbers_.next(QStringLiteral("PARTY"));
        db_.exec(QStringLiteral("INSERT INTO M_TBL_PARTY (PARTY_CODE, PARTY_NAME, PARTY_ALIASNAME, PERSON_NAME, MOBILE_NOS, "
                                "EMAIL_ADD, GSTIN_NO, PARTY_ADDRESS, BUSINESS_RELTYPE, PARTYTYPE_CODE, COUNTRY_CODE, "
                                "STATE_CODE, PLACE_CODE, CFA, WEB_ACCESS, WEB_MODULE, CREATED_BY, CREATED_ON, UPDATE_BY, "
                                "UPDATE_ON) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                 {code, p.name, p.name, p.person, p.mobile, p.email, p.gstin, p.address, p.relType, p.type, p.country,
                  p.state, p.place, p.cfa, QStringLiteral("N"), QStringLiteral("CUSTOMER"), kBy, now_, kBy, now_});
        mark(QStringLiteral("M_TBL_PARTY"), QString::number(code));
        return code;
    }

    // A login and its tour consultant, tied both ways. Returns the login id.
    qint64 consultant(const DemoLogin& login, const QString& storedPassword, const QString& mobile) {
        const qint64 loginId = numbers_.next(QStringLiteral("LoginId"));
        const qint64 code = numbers_.next(QStringLiteral("CONSULTANT"));
        db_.exec(QStringLiteral("INSERT INTO MST_LOGINDETAILS (LOGIN_ID, USER_NAME, USER_PASSWORD, FULL_NAME, MODULE_FOR, "
                                "USER_DEPARTMENT, USER_DESIGNATION, CONSULTANT_CODE) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                 {loginId, login.userName, storedPassword, login.fullName, QStringLiteral("SALES"), QStringLiteral("SALES"),
                  QStringLiteral("OPERATOR"), QString::number(code)});
        mark(QStringLiteral("MST_LOGINDETAILS"), QString::number(loginId));
        db_.exec(QStringLiteral("INSERT INTO M_TBL_CONSULTANT (CONSULTANT_CODE, CONSULTANT_NAME, MOBILE_NO, LOGIN_CODE, TC_ROLE, "
                                "CREATED_BY, CREATED_ON, UPDATE_BY, UPDATE_ON) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                 {code, login.fullName, mobile, QString::number(loginId), login.role, kBy, now_, kBy, now_});
        mark(QStringLiteral("M_TBL_CONSULTANT"), QString::number(code));
        return loginId;
    }

    // A consultant's menu rights: a row for every entry of the catalogue, the administration
    // entries denied, every other one shown.
    void consultantRights(qint64 loginId) {
        QSqlQuery q = db_.exec(QStringLiteral("SELECT MENU_ID, MENU_NAME FROM M_TBL_MENUDETAILS ORDER BY MENU_ID"));
        QList<std::pair<qint64, bool>> entries;
        while (q.next())
            entries.append({q.value(0).toLongLong(), kAdministration.contains(q.value(1).toString().trimmed())});
        q.finish();
        for (const auto& [menu, denied] : entries) {
            db_.exec(QStringLiteral(
                         "INSERT INTO M_TBL_MENUSHOW (LOGIN_ID, MENU_ID, SHOW_MENU, MENU_DISP) VALUES (?, ?, ?, ?)"),
                     {loginId, menu, denied ? QStringLiteral("N") : QStringLiteral("Y"),
                      denied ? QStringLiteral(".Enabled=FALSE") : QStringLiteral(".Enabled=TRUE")});
            mark(QStringLiteral("M_TBL_MENUSHOW"), QStringLiteral("%1/%2").arg(loginId).arg(menu));
        }
    }

    void leadStatus(const QString& name, int slno, bool lock, Rgb back, Rgb fore) {
        if (!db_.scalar(QStringLiteral("SELECT LEADSTATUS_CODE FROM M_TBL_LEADSTATUS WHERE LEAD_STATUS=?"), {name}).isNull())
            return;
        // One booked (locking) status at most.
        const bool locks =
            lock && db_.scalar(QStringLiteral("SELECT COUNT(*) FROM M_TBL_LEADSTATUS WHERE LEAD_LOCK='Y'")).toInt() == 0;
        const qint64 code = numbers_.next(QStringLiteral("LEADSTAT"));
        const auto rgb = [](Rgb c) { return QStringLiteral("%1,%2,%3").arg(c.r).arg(c.g).arg(c.b); };
        db_.exec(QStringLiteral("INSERT INTO M_TBL_LEADSTATUS (LEADSTATUS_CODE, LEAD_STATUS, LEAD_SLNO, LEAD_LOCK, L_RED, L_GREEN, "
                                "L_BLUE, RGB_COLOR, L_F_RED, L_F_GREEN, L_F_BLUE, RGB_COLOR_F, CREATED_BY, CREATED_ON, "
                                "UPDATE_BY, UPDATE_ON) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                 {code, name, slno, locks ? QStringLiteral("Y") : QStringLiteral("N"), back.r, back.g, back.b,
                  rgb(back), fore.r, fore.g, fore.b, rgb(fore), kBy, now_, kBy, now_});
        mark(QStringLiteral("M_TBL_LEADSTATUS"), QString::number(code));
    }

private:
    Database& db_;
    Numbering numbers_;
    QDateTime now_;
    int rows_ = 0;
};

}  // namespace

QList<DemoLogin> demoLogins() {
    return {
        {QStringLiteral("DEMOSALES1"), QStringLiteral("demo1234"), QStringLiteral("DEMO ANITA MENON"), QStringLiteral("ADMIN")},
        {QStringLiteral("DEMOSALES2"), QStringLiteral("demo5678"), QStringLiteral("DEMO RAVI KUMAR"), QStringLiteral("OPERATOR")},
    };
}

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
            if (db.scalar(QStringLiteral("SELECT COUNT(*) FROM MST_LOGINDETAILS WHERE UPPER(USER_NAME)=?"), {l.userName}).toInt() > 0)
                throw DbError(DbError::Kind::Duplicate, QStringLiteral("login %1 already exists").arg(l.userName));

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
            return w.lookup(QString::fromLatin1(table), QString::fromLatin1(codeCol), QString::fromLatin1(nameCol), name);
        };
        const qint64 customer = list("M_TBL_PARTYTYPE", "PARTYTYPE_CODE", "PARTY_TYPE", QStringLiteral("CUSTOMER"));
        const qint64 agent = list("M_TBL_PARTYTYPE", "PARTYTYPE_CODE", "PARTY_TYPE", QStringLiteral("TRAVEL AGENT"));
        const qint64 hotel = list("M_TBL_PARTYTYPE", "PARTYTYPE_CODE", "PARTY_TYPE", QStringLiteral("HOTEL"));
        const qint64 transporter = list("M_TBL_PARTYTYPE", "PARTYTYPE_CODE", "PARTY_TYPE", QStringLiteral("TRANSPORTER"));
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
        w.lookup(QStringLiteral("M_TBL_TAX"), QStringLiteral("TAX_CODE"), QStringLiteral("TAX_NAME"), QStringLiteral("GST 5%"),
                 QStringLiteral("TAX_PER"), QStringLiteral("5.00"));
        w.lookup(QStringLiteral("M_TBL_TAX"), QStringLiteral("TAX_CODE"), QStringLiteral("TAX_NAME"), QStringLiteral("GST 18%"),
                 QStringLiteral("TAX_PER"), QStringLiteral("18.00"));
        for (const char* t : {"DEMO NATIONAL BANK - KOCHI MAIN", "DEMO CO-OPERATIVE BANK - ERNAKULAM"})
            list("MST_BANK", "BANK_ID", "BANK_NAME", QString::fromLatin1(t));
        for (const char* t : {"CHEQUE", "DEMAND DRAFT", "BANK TRANSFER", "UPI", "CARD"})
            list("MST_PAYMODE", "MODE_ID", "PAY_MODE", QString::fromLatin1(t));
        for (const char* t : {"DEMO KERALA TRAVEL MART", "DEMO CORPORATE MEET - BENGALURU"})
            list("M_TBL_PARTYGROUP", "GROUP_CODE", "GROUP_NAME", QString::fromLatin1(t));

        // Parties: customers, an agent, hotels and transporters.
        using P = DemoWriter::Party;
        const QString y = QStringLiteral("Y"), n = QStringLiteral("N"), b2b = QStringLiteral("B2B"), b2c = QStringLiteral("B2C");
        w.party(P{QStringLiteral("DEMO ASHA NAIR"), QStringLiteral("ASHA NAIR"), QStringLiteral("9800000001"),
                  QStringLiteral("asha.nair@example.com"), {}, QStringLiteral("12 MG ROAD, BENGALURU"), b2c, customer, india,
                  karnataka, bengaluru, n});
        w.party(P{QStringLiteral("DEMO JOHN MATHEW"), QStringLiteral("JOHN MATHEW"), QStringLiteral("9800000002"),
                  QStringLiteral("john.mathew@example.com"), {}, QStringLiteral("4 ANNA SALAI, CHENNAI"), b2c, customer, india,
                  tamilNadu, chennai, n});
        w.party(P{QStringLiteral("DEMO SUNRISE HOLIDAYS"), QStringLiteral("PRIYA S"), QStringLiteral("9800000003"),
                  QStringLiteral("bookings@sunrise.example.com"), QStringLiteral("32AAACD1234E1Z5"),
                  QStringLiteral("MARINE DRIVE, KOCHI"), b2b, agent, india, kerala, kochi, y});
        w.party(P{QStringLiteral("DEMO BACKWATER RESORT"), QStringLiteral("FRONT OFFICE"), QStringLiteral("9800000004"),
                  QStringLiteral("stay@backwater.example.com"), QStringLiteral("32AAACD2345F1Z6"),
                  QStringLiteral("PUNNAMADA, ALAPPUZHA"), b2b, hotel, india, kerala, alappuzha, y});
        w.party(P{QStringLiteral("DEMO HILLVIEW HOTEL MUNNAR"), QStringLiteral("RESERVATIONS"), QStringLiteral("9800000005"),
                  QStringLiteral("reservations@hillview.example.com"), QStringLiteral("32AAACD3456G1Z7"),
                  QStringLiteral("OLD MUNNAR ROAD, MUNNAR"), b2b, hotel, india, kerala, munnar, y});
        w.party(P{QStringLiteral("DEMO MALABAR TRAVELS"), QStringLiteral("DISPATCH DESK"), QStringLiteral("9800000006"),
                  QStringLiteral("cabs@malabar.example.com"), QStringLiteral("32AAACD4567H1Z8"),
                  QStringLiteral("MG ROAD, KOCHI"), b2b, transporter, india, kerala, kochi, y});
        w.party(P{QStringLiteral("DEMO CITY CABS BENGALURU"), QStringLiteral("FLEET DESK"), QStringLiteral("9800000007"),
                  QStringLiteral("fleet@citycabs.example.com"), QStringLiteral("29AAACD5678J1Z9"),
                  QStringLiteral("HOSUR ROAD, BENGALURU"), b2b, transporter, india, karnataka, bengaluru, n});

        // Two tour consultants with their logins and rights.
        w.consultantRights(w.consultant(result.logins.at(0), stored.at(0), QStringLiteral("9800000011")));
        w.consultantRights(w.consultant(result.logins.at(1), stored.at(1), QStringLiteral("9800000012")));

        // Lead statuses in list order, the booked one locking the lead.
        w.leadStatus(QStringLiteral("NEW ENQUIRY"), 1, false, Rgb{255, 255, 255}, Rgb{0, 0, 0});
        w.leadStatus(QStringLiteral("FOLLOW UP"), 2, false, Rgb{255, 242, 204}, Rgb{0, 0, 0});
        w.leadStatus(QStringLiteral("QUOTATION SENT"), 3, false, Rgb{221, 235, 247}, Rgb{0, 0, 128});
        w.leadStatus(QStringLiteral("BOOKED"), 4, true, Rgb{198, 239, 206}, Rgb{0, 97, 0});
        w.leadStatus(QStringLiteral("NOT INTERESTED"), 5, false, Rgb{242, 242, 242}, Rgb{128, 128, 128});
        return w.rows();
    });
    result.added = result.rows > 0;
    return result;
}

}  // namespace tarvic
