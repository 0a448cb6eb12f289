#pragma once
// frm_Splash: the product picture shown after the connection opens. Its one timer hands
// over to the logon window after ten seconds.
#include <QWidget>

class QTimer;

namespace tarvic {

class Splash : public QWidget {
    Q_OBJECT
public:
    static constexpr int kIntervalMs = 10000;

    explicit Splash(QWidget* parent = nullptr);
    QTimer* timer() const { return timer1_; }
    // Paints the product picture at the given size (also used for the main window's backdrop).
    static void paintPicture(QPainter& p, const QRect& area);

signals:
    // The timer has fired: the logon window should open and the splash close.
    void timeUp();

public slots:
    void Timer1_Timer();

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QTimer* timer1_;
};

}  // namespace tarvic
