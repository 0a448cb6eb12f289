#pragma once
// A GST identification number checked by its own rules, and the published state codes that
// open it and that name a place of supply. A GSTIN is 15 characters: the 2-digit code of a
// state that exists, the holder's PAN (five letters, four digits, a letter), the entity's
// number (1-9, A-Z), a 14th character ('Z' for most) and a check character computed from
// the first fourteen by the published mod-36 rule. The books keep it as typed: these rules
// decide whether an invoice can go into a return.
#include <QString>

namespace tarvic::gst {

// The name of a published state code ("32" -> "KERALA"), or an empty text when no state or
// territory has that code.
QString stateName(const QString& code);
// A tax state code as the books hold it (" 7", "07", "32") as the portal writes it ("07",
// "32"); an empty text when it is blank, no whole number or no published code.
QString portalStateCode(const QString& booksCode);

enum class GstinFault {
    None,
    Blank,
    Length,          // not 15 characters
    Characters,      // anything but digits and capital letters
    StatePrefix,     // the first two are not the code of a state that exists
    PanShape,        // characters 3 to 12 are not five letters, four digits and a letter
    EntityNumber,    // the 13th is 0 or not alphanumeric
    CheckCharacter,  // the 15th is not the one the first fourteen give
};

// The fault of a GSTIN as stored (surrounding blanks ignored, letters taken as typed: the
// party window keeps them upper case).
GstinFault checkGstin(const QString& gstin);
// What a fault is called in a message: "WRONG CHECK CHARACTER".
QString gstinFaultText(GstinFault fault);
// The check character of the first fourteen characters: each character's value (0-9, then
// A=10 .. Z=35) times 1 or 2 in turn, the product's quotient and remainder by 36 added up,
// and the character whose value brings the sum to a multiple of 36. A null character when a
// character is outside 0-9 and A-Z.
QChar gstinCheckCharacter(const QString& first14);

}  // namespace tarvic::gst
