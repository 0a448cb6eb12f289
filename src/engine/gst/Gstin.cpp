#include "Gstin.h"

#include <array>

namespace tarvic::gst {

namespace {

struct StateCode {
    const char* code;
    const char* name;
};

// The state and territory codes the portal publishes (25 and 28 remain for numbers issued
// before the territories merged and the state divided).
constexpr std::array<StateCode, 40> kStates{{
    {"01", "JAMMU AND KASHMIR"},
    {"02", "HIMACHAL PRADESH"},
    {"03", "PUNJAB"},
    {"04", "CHANDIGARH"},
    {"05", "UTTARAKHAND"},
    {"06", "HARYANA"},
    {"07", "DELHI"},
    {"08", "RAJASTHAN"},
    {"09", "UTTAR PRADESH"},
    {"10", "BIHAR"},
    {"11", "SIKKIM"},
    {"12", "ARUNACHAL PRADESH"},
    {"13", "NAGALAND"},
    {"14", "MANIPUR"},
    {"15", "MIZORAM"},
    {"16", "TRIPURA"},
    {"17", "MEGHALAYA"},
    {"18", "ASSAM"},
    {"19", "WEST BENGAL"},
    {"20", "JHARKHAND"},
    {"21", "ODISHA"},
    {"22", "CHHATTISGARH"},
    {"23", "MADHYA PRADESH"},
    {"24", "GUJARAT"},
    {"25", "DAMAN AND DIU"},
    {"26", "DADRA AND NAGAR HAVELI AND DAMAN AND DIU"},
    {"27", "MAHARASHTRA"},
    {"28", "ANDHRA PRADESH (BEFORE DIVISION)"},
    {"29", "KARNATAKA"},
    {"30", "GOA"},
    {"31", "LAKSHADWEEP"},
    {"32", "KERALA"},
    {"33", "TAMIL NADU"},
    {"34", "PUDUCHERRY"},
    {"35", "ANDAMAN AND NICOBAR ISLANDS"},
    {"36", "TELANGANA"},
    {"37", "ANDHRA PRADESH"},
    {"38", "LADAKH"},
    {"97", "OTHER TERRITORY"},
    {"99", "CENTRE JURISDICTION"},
}};

constexpr const char kAlphabet[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

int valueOf(QChar c) {
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
        return c.unicode() - '0';
    if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
        return c.unicode() - 'A' + 10;
    return -1;
}

bool isLetter(QChar c) {
    return c >= QLatin1Char('A') && c <= QLatin1Char('Z');
}
bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

}  // namespace

QString stateName(const QString& code) {
    for (const StateCode& s : kStates)
        if (code == QLatin1String(s.code))
            return QString::fromLatin1(s.name);
    return {};
}

QString portalStateCode(const QString& booksCode) {
    bool ok = false;
    const int n = booksCode.trimmed().toInt(&ok);
    if (!ok || n <= 0)
        return {};
    const QString code = QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
    return stateName(code).isEmpty() ? QString() : code;
}

QChar gstinCheckCharacter(const QString& first14) {
    if (first14.size() != 14)
        return {};
    int sum = 0;
    for (int i = 0; i < 14; ++i) {
        const int v = valueOf(first14.at(i));
        if (v < 0)
            return {};
        const int product = v * (i % 2 == 0 ? 1 : 2);
        sum += product / 36 + product % 36;
    }
    return QLatin1Char(kAlphabet[(36 - sum % 36) % 36]);
}

GstinFault checkGstin(const QString& gstin) {
    const QString g = gstin.trimmed();
    if (g.isEmpty())
        return GstinFault::Blank;
    if (g.size() != 15)
        return GstinFault::Length;
    for (QChar c : g)
        if (valueOf(c) < 0)
            return GstinFault::Characters;
    if (stateName(g.left(2)).isEmpty())
        return GstinFault::StatePrefix;
    for (int i = 2; i < 12; ++i) {
        const bool letter = i < 7 || i == 11;
        if (letter ? !isLetter(g.at(i)) : !isDigit(g.at(i)))
            return GstinFault::PanShape;
    }
    if (g.at(12) == QLatin1Char('0'))
        return GstinFault::EntityNumber;
    if (gstinCheckCharacter(g.left(14)) != g.at(14))
        return GstinFault::CheckCharacter;
    return GstinFault::None;
}

QString gstinFaultText(GstinFault fault) {
    switch (fault) {
        case GstinFault::None:
            return {};
        case GstinFault::Blank:
            return QStringLiteral("BLANK");
        case GstinFault::Length:
            return QStringLiteral("NOT 15 CHARACTERS");
        case GstinFault::Characters:
            return QStringLiteral("CHARACTERS OTHER THAN 0-9 AND A-Z");
        case GstinFault::StatePrefix:
            return QStringLiteral("NO STATE HAS ITS FIRST TWO DIGITS AS CODE");
        case GstinFault::PanShape:
            return QStringLiteral("CHARACTERS 3 TO 12 ARE NOT A PAN");
        case GstinFault::EntityNumber:
            return QStringLiteral("ENTITY NUMBER 0");
        case GstinFault::CheckCharacter:
            return QStringLiteral("WRONG CHECK CHARACTER");
    }
    return {};
}

}  // namespace tarvic::gst
