#pragma once
// "ADD VEHICLE RATE": a quotation's vehicle hire. The rate is for one vehicle for the whole
// hire, so the days are shown and given one day row each but do not price the line; a new hire
// starts where the quotation's last one ended.
#include "sales/QuotationLineWindow.h"

class QLabel;
class QLineEdit;

namespace tarvic {

class CodeList;

class frm_BQ_AddVehicle : public QuotationLineWindow {
    Q_OBJECT
public:
    frm_BQ_AddVehicle(Session& session, QWidget* parent, const WindowArgs& args = {});

    QDateEdit* txt_EndDate = nullptr;
    QLabel* lbl_Days = nullptr;
    CodeList* Cmb_VehBrand = nullptr;
    QLineEdit* txt_NoOfVeh = nullptr;
    QLineEdit* txt_VehRate = nullptr;

protected:
    void clearOwn() override;
    void initDates(const QDate& journeyStart, const QDate& lastCheckOut) override;
    void showOwn(const QSqlRecord& line) override;
    std::optional<Money> price() override;
    QList<Check> ownChecks() override;
    QList<std::pair<QString, QString>> questionLines() override;
    QList<std::pair<QString, QString>> deleteLines() override;
    Columns ownColumns() override;
    int dayCount() override { return days_; }

private:
    int days_ = 0;
};

}  // namespace tarvic
