#pragma once
// "ADD HOTELS DETAILS": a quotation's hotel stays. A stay is priced per night for five
// components (rooms, single rooms, extra beds, children with and without bed) and has one day
// row per night; a new stay starts on the check-out of the quotation's last one.
#include "sales/QuotationLineWindow.h"

#include <array>

class QLabel;
class QLineEdit;

namespace tarvic {

class CodeField;
class CodeList;

class frm_BQ_AddHotel : public QuotationLineWindow {
    Q_OBJECT
public:
    frm_BQ_AddHotel(Session& session, QWidget* parent, const WindowArgs& args = {});

    // One priced part of a stay: its fields on screen.
    struct Part {
        QLineEdit* count = nullptr;
        QLineEdit* rate = nullptr;
        QLabel* nights = nullptr;
        QLabel* total = nullptr;
    };
    static constexpr int kParts = 5;  // rooms, single rooms, extra beds, CWB, CNB

    QDateEdit* txt_ChkOtDt = nullptr;
    QLabel* lbl_Days = nullptr;
    CodeField* hotel = nullptr;  // txt_HotelCode with lbl_HotelName, Cmd_SrcHotel
    QLabel* lbl_HotelPlace = nullptr;
    CodeList* Cmb_RoomType = nullptr;
    QLineEdit* txt_RoomType2 = nullptr;
    CodeList* Cmb_MealType = nullptr;
    std::array<Part, kParts> parts;

protected:
    void clearOwn() override;
    void initDates(const QDate& journeyStart, const QDate& lastCheckOut) override;
    void showOwn(const QSqlRecord& line) override;
    std::optional<Money> price() override;
    QList<Check> ownChecks() override;
    QList<std::pair<QString, QString>> questionLines() override;
    QList<std::pair<QString, QString>> savedLines() override;
    QList<std::pair<QString, QString>> deleteLines() override;
    Columns ownColumns() override;
    int dayCount() override { return nights_; }

private:
    void showPlace();
    QString hotelName() const;
    int nights_ = 0;
    QList<Money> partTotals_;
};

}  // namespace tarvic
