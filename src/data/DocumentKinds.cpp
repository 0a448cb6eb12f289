#include "DocumentKinds.h"

namespace tarvic {

namespace {

using S = AmountSide;
using L = DocLink;

// clang-format off
constexpr DocumentKind kKinds[] = {
    // code       pair       lines     side       link        byBooking  booking lock
    {"BLFC01",  nullptr,   nullptr,  S::None,   L::None,    false, nullptr},
    {"CBPT01",  nullptr,   nullptr,  S::Debit,  L::Self,    false, "LCK_CBPT"},
    {"ANCP01",  nullptr,   nullptr,  S::Credit, L::Booking, false, "LCK_ANCP01"},
    {"ANCP02",  nullptr,   nullptr,  S::Credit, L::Booking, false, "LCK_ANCP02"},
    {"ANCP03",  nullptr,   nullptr,  S::Credit, L::Booking, false, "LCK_ANCP03"},
    {"ANCP08",  nullptr,   nullptr,  S::Credit, L::None,    false, nullptr},
    {"ANDP08",  nullptr,   nullptr,  S::Debit,  L::None,    false, nullptr},
    {"FRDB01",  "FRCR01",  nullptr,  S::Debit,  L::Booking, true,  "LCK_MONEYRCPT"},
    {"FTCR01",  "FTDB01",  nullptr,  S::Credit, L::Booking, true,  "LCK_PAYMENT"},
    // A refund is the payment's twin, offered beside it by the booking: the same lock.
    {"FTREF01", "FTREF02", nullptr,  S::Debit,  L::Booking, true,  "LCK_PAYMENT"},
    {"FAAN01",  nullptr,   nullptr,  S::Either, L::Booking, true,  nullptr},
    {"FRDM01",  "FRDM02",  nullptr,  S::Debit,  L::None,    false, nullptr},
    {"APCM01",  "APCM02",  nullptr,  S::Credit, L::None,    false, nullptr},
    {"BDAP01",  nullptr,   nullptr,  S::Credit, L::None,    false, nullptr},
    {"BCAP01",  nullptr,   nullptr,  S::Debit,  L::None,    false, nullptr},
    {"BTCR01",  "BTDB01",  nullptr,  S::Credit, L::Pair,    false, nullptr},
    {"INV001",  nullptr,   "INV002", S::None,   L::Booking, false, nullptr},
    {"INV006",  nullptr,   "INV007", S::None,   L::Booking, false, nullptr},
    {"VBS001",  nullptr,   nullptr,  S::None,   L::None,    false, nullptr},
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

}  // namespace tarvic
