#include "DocumentKinds.h"

namespace tarvic {

namespace {

using S = AmountSide;
using L = DocLink;

// clang-format off
using A = AccountRule;
constexpr DocumentKind kKinds[] = {
    // code       pair       lines     side       link        byBooking  booking lock      TO_ACC
    {"BLFC01",  nullptr,   nullptr,  S::None,   L::None,    false, nullptr,         A::None},
    {"CBPT01",  nullptr,   nullptr,  S::Debit,  L::Self,    false, "LCK_CBPT",      A::None},
    {"ANCP01",  nullptr,   nullptr,  S::Credit, L::Booking, false, "LCK_ANCP01",    A::OwnCode},
    {"ANCP02",  nullptr,   nullptr,  S::Credit, L::Booking, false, "LCK_ANCP02",    A::OwnCode},
    // The other-charge account chosen on the note.
    {"ANCP03",  nullptr,   nullptr,  S::Credit, L::Booking, false, "LCK_ANCP03",    A::Chosen},
    // A single window service puts its service code on these; a plain advice note nothing.
    {"ANCP08",  nullptr,   nullptr,  S::Credit, L::None,    false, nullptr,         A::Chosen},
    {"ANDP08",  nullptr,   nullptr,  S::Debit,  L::None,    false, nullptr,         A::Chosen},
    {"FRDB01",  "FRCR01",  nullptr,  S::Debit,  L::Booking, true,  "LCK_MONEYRCPT", A::OwnCode},
    {"FTCR01",  "FTDB01",  nullptr,  S::Credit, L::Booking, true,  "LCK_PAYMENT",   A::OwnCode},
    // A refund is the payment's twin, offered beside it by the booking: the same lock.
    {"FTREF01", "FTREF02", nullptr,  S::Debit,  L::Booking, true,  "LCK_PAYMENT",   A::FirstCode},
    {"FAAN01",  nullptr,   nullptr,  S::Either, L::Booking, true,  nullptr,         A::OwnCode},
    {"FRDM01",  "FRDM02",  nullptr,  S::Debit,  L::None,    false, nullptr,         A::Chosen},
    {"APCM01",  "APCM02",  nullptr,  S::Credit, L::None,    false, nullptr,         A::Chosen},
    {"BDAP01",  nullptr,   nullptr,  S::Credit, L::None,    false, nullptr,         A::Chosen},
    {"BCAP01",  nullptr,   nullptr,  S::Debit,  L::None,    false, nullptr,         A::Chosen},
    // From-account on BTCR01, to-account on BTDB01.
    {"BTCR01",  "BTDB01",  nullptr,  S::Credit, L::Pair,    false, nullptr,         A::Chosen},
    {"INV001",  nullptr,   "INV002", S::None,   L::Booking, false, nullptr,         A::None},
    {"INV006",  nullptr,   "INV007", S::None,   L::Booking, false, nullptr,         A::None},
    {"VBS001",  nullptr,   nullptr,  S::None,   L::None,    false, nullptr,         A::None},
};
// clang-format on

bool is(const char* code, const QString& text) {
    return code && text == QLatin1String(code);
}

}  // namespace

std::span<const DocumentKind> documentKinds() {
    return kKinds;
}

const DocumentKind* documentKind(const QString& code) {
    for (const DocumentKind& k : kKinds)
        if (is(k.code, code))
            return &k;
    return nullptr;
}

const DocumentKind* kindOwning(const QString& code) {
    for (const DocumentKind& k : kKinds)
        if (is(k.code, code) || is(k.pairCode, code) || is(k.lineCode, code))
            return &k;
    return nullptr;
}

QString accountOf(const DocumentKind& kind, const QString& rowCode) {
    switch (kind.account) {
        case AccountRule::OwnCode:
            return rowCode;
        case AccountRule::FirstCode:
            return QString::fromLatin1(kind.code);
        case AccountRule::None:
        case AccountRule::Chosen:
            break;
    }
    return {};
}

}  // namespace tarvic
