#pragma once
// The two consultant masters share one shape; each is described by this configuration: the
// table, its counter, the login column that points back at it, and the captions of its
// registration and search windows.
#include <QString>

namespace tarvic {

struct ConsultantTable {
    QString table;          // M_TBL_CONSULTANT / M_TBL_CONSULTANT_OP
    QString counter;        // CONSULTANT / CONSULTANT-OP
    QString loginColumn;    // column of MST_LOGINDETAILS that holds the consultant's code
    QString masterObject;   // registration window's name
    QString masterTitle;
    QString codeCaption;
    QString searchObject;   // search window's name
    QString searchTitle;
    QString searchCaption;  // caption of the name pattern

    static const ConsultantTable& tour() {
        static const ConsultantTable t{QStringLiteral("M_TBL_CONSULTANT"),
                                       QStringLiteral("CONSULTANT"),
                                       QStringLiteral("CONSULTANT_CODE"),
                                       QStringLiteral("frm_RegdConsultant"),
                                       QStringLiteral("REGISTRATION - TOUR CONSULTANT"),
                                       QStringLiteral("CONSULTANT CODE"),
                                       QStringLiteral("frm_SearchConsultant"),
                                       QStringLiteral("SEARCH CONSULTANT"),
                                       QStringLiteral("CONSULTANT &NAME")};
        return t;
    }
    static const ConsultantTable& operations() {
        static const ConsultantTable t{QStringLiteral("M_TBL_CONSULTANT_OP"),
                                       QStringLiteral("CONSULTANT-OP"),
                                       QStringLiteral("CONSULTANT_CODE_OPS"),
                                       QStringLiteral("frm_Regd_Consultant_OP"),
                                       QStringLiteral("REGISTRATION - CONSULTANT OPERATIONAL TEAM"),
                                       QStringLiteral("CONSULTNT OPS CODE"),
                                       QStringLiteral("frm_SearchConsultant_OP"),
                                       QStringLiteral("SEARCH CONSULTANT OPERATION"),
                                       QStringLiteral("CONSULTANT &OPS")};
        return t;
    }
};

}  // namespace tarvic
