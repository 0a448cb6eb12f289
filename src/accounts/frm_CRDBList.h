#pragma once
// "CRDIT - DEBIT LISTING" (codes "CRDB"): within the dates, debits and credits per document
// code and account (Grid1) and per bank (Grid2); over all dates, the balance per bank (Grid3)
// and of every account together (Grid4).
#include "shell/kit/ListingWindow.h"

class QLabel;

namespace tarvic {

class frm_CRDBList : public ListingWindow {
    Q_OBJECT
public:
    frm_CRDBList(Session& session, QWidget* parent = nullptr);

    QLabel* lbl_Heading = nullptr;
    ListGrid* Grid2 = nullptr;
    ListGrid* Grid3 = nullptr;
    ListGrid* Grid4 = nullptr;

private:
    QStringList codes_;
};

}  // namespace tarvic
