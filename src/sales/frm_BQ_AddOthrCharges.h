#pragma once
// "ADD OTHER CHARGES": a quotation's other charges (quantity x cost), each an account of the
// document code QFOC01; they cover no days and have no day rows.
#include "sales/QuotationLineWindow.h"

class QLineEdit;

namespace tarvic {

class CodeList;

class frm_BQ_AddOthrCharges : public QuotationLineWindow {
    Q_OBJECT
public:
    frm_BQ_AddOthrCharges(Session& session, QWidget* parent, const WindowArgs& args = {});

    CodeList* Cmb_OthrCharge = nullptr;
    QLineEdit* txt_NoOfQty = nullptr;
    QLineEdit* txt_OthrCharge = nullptr;

protected:
    void clearOwn() override;
    void initDates(const QDate& journeyStart, const QDate& lastCheckOut) override;
    void showOwn(const QSqlRecord& line) override;
    std::optional<Money> price() override;
    QList<Check> ownChecks() override;
    QList<std::pair<QString, QString>> questionLines() override;
    QList<std::pair<QString, QString>> deleteLines() override;
    Columns ownColumns() override;
};

}  // namespace tarvic
