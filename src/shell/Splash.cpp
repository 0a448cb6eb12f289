#include "Splash.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QScreen>
#include <QTimer>

namespace tarvic {

Splash::Splash(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frm_Splash"));
    setWindowTitle(QStringLiteral("TARVIC"));
    setFixedSize(560, 340);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(kIntervalMs);
    timer1_->setSingleShot(true);
    connect(timer1_, &QTimer::timeout, this, &Splash::Timer1_Timer);
    timer1_->start();
}

void Splash::Timer1_Timer() {
    timer1_->stop();
    emit timeUp();
}

void Splash::paintEvent(QPaintEvent*) {
    QPainter p(this);
    paintPicture(p, rect());
    p.setPen(QColor(40, 60, 90));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void Splash::paintPicture(QPainter& p, const QRect& area) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = area.width(), h = area.height();
    const QPointF o = area.topLeft();
    auto at = [&](qreal fx, qreal fy) { return QPointF(o.x() + fx * w, o.y() + fy * h); };

    // Sky at dawn.
    QLinearGradient sky(at(0, 0), at(0, 0.72));
    sky.setColorAt(0, QColor(28, 78, 140));
    sky.setColorAt(0.65, QColor(120, 180, 225));
    sky.setColorAt(1, QColor(250, 214, 160));
    p.fillRect(area, sky);

    // Sun.
    QRadialGradient sun(at(0.78, 0.5), 0.12 * h);
    sun.setColorAt(0, QColor(255, 244, 200));
    sun.setColorAt(0.6, QColor(255, 200, 90));
    sun.setColorAt(1, QColor(255, 200, 90, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sun);
    p.drawEllipse(at(0.78, 0.5), 0.12 * h, 0.12 * h);

    // Two ranges of hills.
    QPainterPath far;
    far.moveTo(at(0, 0.66));
    far.cubicTo(at(0.15, 0.48), at(0.3, 0.52), at(0.45, 0.6));
    far.cubicTo(at(0.6, 0.44), at(0.8, 0.5), at(1, 0.6));
    far.lineTo(at(1, 1));
    far.lineTo(at(0, 1));
    p.setBrush(QColor(70, 110, 150));
    p.drawPath(far);
    QPainterPath near;
    near.moveTo(at(0, 0.78));
    near.cubicTo(at(0.25, 0.64), at(0.5, 0.86), at(0.7, 0.72));
    near.cubicTo(at(0.85, 0.64), at(0.95, 0.7), at(1, 0.74));
    near.lineTo(at(1, 1));
    near.lineTo(at(0, 1));
    p.setBrush(QColor(40, 92, 78));
    p.drawPath(near);

    // A journey: a dotted route across the sky and a small aircraft at its end.
    QPen route(QColor(255, 255, 255, 200), qMax<qreal>(1.5, h / 180), Qt::DashLine, Qt::RoundCap);
    p.setPen(route);
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    path.moveTo(at(0.08, 0.58));
    path.cubicTo(at(0.25, 0.25), at(0.5, 0.3), at(0.66, 0.2));
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    const qreal s = h / 40;
    const QPointF c = at(0.68, 0.19);
    QPolygonF plane;
    plane << c + QPointF(2.2 * s, -0.4 * s) << c + QPointF(-1.6 * s, 0.5 * s) << c + QPointF(-0.4 * s, -0.2 * s)
          << c + QPointF(-1.0 * s, -1.6 * s) << c + QPointF(0.0 * s, -0.9 * s) << c + QPointF(0.9 * s, -0.5 * s);
    p.drawPolygon(plane);

    // The product name.
    QFont title(QStringLiteral("Sans Serif"));
    title.setBold(true);
    title.setPixelSize(qMax(12, int(h * 0.2)));
    title.setLetterSpacing(QFont::PercentageSpacing, 112);
    p.setFont(title);
    const QRectF nameBox(at(0.06, 0.08), at(0.94, 0.4));
    p.setPen(QColor(0, 0, 0, 90));
    p.drawText(nameBox.translated(2, 2), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("TARVIC"));
    p.setPen(Qt::white);
    p.drawText(nameBox, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("TARVIC"));
    QFont sub = title;
    sub.setBold(false);
    sub.setLetterSpacing(QFont::PercentageSpacing, 100);
    sub.setPixelSize(qMax(9, int(h * 0.05)));
    p.setFont(sub);
    p.drawText(QRectF(at(0.06, 0.38), at(0.94, 0.48)), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Tours  \u00b7  Bookings  \u00b7  Accounts"));
    p.restore();
}

}  // namespace tarvic
