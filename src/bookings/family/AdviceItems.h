#pragma once
// The item panel of each kind of advice note: the fields between the supplier and the total,
// their pricing, checks, question lines and columns. The window (AdviceNoteWindow) owns the
// shared fields and the save; a panel adds its rows to the window's form.
#include "engine/bookings/AdviceNotes.h"
#include "shell/kit/Checks.h"

#include <QObject>
#include <QSqlRecord>

#include <array>

class QDateEdit;
class QLabel;
class QLineEdit;
class QWidget;

namespace tarvic {

class AdviceNoteWindow;
class CodeField;
class CodeList;
class ListGrid;
class QueryModel;

class AdviceItems : public QObject {
    Q_OBJECT
public:
    explicit AdviceItems(AdviceNoteWindow& window);

    // The fields of a new note for the booking (number 0 when there is none).
    virtual void startNew(const AdviceBooking& booking) = 0;
    // The booking is known (opened with it, or a note of it fetched): its grids.
    virtual void bookingRead(const AdviceBooking&) {}
    virtual void show(const QSqlRecord& note) = 0;
    // Prices what is on screen, shows it, returns the total (nullopt beyond the largest amount).
    virtual std::optional<Money> price() = 0;
    // Checks that come before the shared ones in the modify window.
    virtual QList<Check> firstChecks() { return {}; }
    // Checks between the supplier and the total: dates in their order.
    virtual QList<Check> dateChecks() { return {}; }
    virtual QList<std::pair<QString, QString>> questionLines() = 0;
    // DOC_DATE, TO_ACC and the kind's columns; isNew for a note not yet numbered.
    virtual Columns columns(bool isNew) = 0;
    virtual void setEditable(bool editable) = 0;
    // The field a zero total sends the user to.
    virtual QWidget* amountField() const = 0;

protected:
    QDateEdit* dateField(const QString& name);
    QLineEdit* countField(const QString& name);
    QLineEdit* rateField(const QString& name);
    static qint64 count(const QLineEdit* e);
    static Money rate(const QLineEdit* e);
    void reprice();

    AdviceNoteWindow& w_;
    QList<QLineEdit*> amounts_;  // counts and rates, cleared to 0 for a new note
};

class HotelItems : public AdviceItems {
    Q_OBJECT
public:
    explicit HotelItems(AdviceNoteWindow& window);

    struct Part {
        QLineEdit* count = nullptr;
        QLineEdit* rate = nullptr;
        QLabel* nights = nullptr;
        QLabel* cost = nullptr;
    };
    static constexpr int kParts = 5;  // rooms, single rooms, extra beds, CWB, CNB

    QDateEdit* txt_ChkInDt = nullptr;
    QDateEdit* txt_ChkOtDt = nullptr;
    QLabel* lbl_Nights = nullptr;
    CodeField* hotel = nullptr;  // txt_HotelCode, lbl_HotelName
    QLabel* lbl_HotelPlace = nullptr;
    CodeList* Cmb_RoomType = nullptr;
    QLineEdit* txt_RoomType2 = nullptr;
    CodeList* Cmb_MealPlan = nullptr;
    std::array<Part, kParts> parts;
    ListGrid* Grid_Hotel = nullptr;  // the quotation's hotel lines

    void startNew(const AdviceBooking& booking) override;
    void bookingRead(const AdviceBooking& booking) override;
    void show(const QSqlRecord& note) override;
    std::optional<Money> price() override;
    QList<Check> firstChecks() override;
    QList<Check> dateChecks() override;
    QList<std::pair<QString, QString>> questionLines() override;
    Columns columns(bool isNew) override;
    void setEditable(bool editable) override;
    QWidget* amountField() const override;

    // The quotation's hotel line of this hotel on the check-in day fills the stay.
    void loadQuotationLine();

private:
    void showPlace();
    void lineChosen(int row);

    QueryModel* lines_ = nullptr;
    qint64 quotation_ = 0;
    int nights_ = 0;
    std::array<Money, kParts> costs_{};
    bool loading_ = false;
    QString hotelShown_;  // the hotel whose place and quotation line are on screen
};

class VehicleItems : public AdviceItems {
    Q_OBJECT
public:
    explicit VehicleItems(AdviceNoteWindow& window);

    QDateEdit* txt_StartDt = nullptr;
    QDateEdit* txt_EndDt = nullptr;
    QLabel* lbl_Days = nullptr;
    CodeList* Cmb_VehBrand = nullptr;
    QLineEdit* txt_VehNos = nullptr;
    QLineEdit* txt_VehRate = nullptr;
    ListGrid* Grid_Itinerary = nullptr;  // the quotation's itinerary days

    void startNew(const AdviceBooking& booking) override;
    void bookingRead(const AdviceBooking& booking) override;
    void show(const QSqlRecord& note) override;
    std::optional<Money> price() override;
    QList<Check> dateChecks() override;
    QList<std::pair<QString, QString>> questionLines() override;
    Columns columns(bool isNew) override;
    void setEditable(bool editable) override;
    QWidget* amountField() const override;

private:
    void dayChosen(int row);

    QueryModel* days_ = nullptr;
    QDate tourStart_;
};

class OtherItems : public AdviceItems {
    Q_OBJECT
public:
    explicit OtherItems(AdviceNoteWindow& window);

    QDateEdit* txt_DocDate = nullptr;
    QDateEdit* txt_TourDt = nullptr;
    CodeList* Cmb_OthrCharge = nullptr;
    QLineEdit* txt_Qty = nullptr;
    QLineEdit* txt_Rate = nullptr;

    void startNew(const AdviceBooking& booking) override;
    void show(const QSqlRecord& note) override;
    std::optional<Money> price() override;
    QList<std::pair<QString, QString>> questionLines() override;
    Columns columns(bool isNew) override;
    void setEditable(bool editable) override;
    QWidget* amountField() const override;
};

}  // namespace tarvic
