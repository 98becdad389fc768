#include "sim/widgets/UserControl1.h"

#include "services/MNumber.h"
#include "sim/Raster.h"

#include <QPainter>
#include <cmath>
#include <numbers>

UserControl1::UserControl1(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ucAngle"));
    setMinimumSize(40, 40);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    Rotate(0);
}

int UserControl1::faceDiameter() const {
    return static_cast<int>(0.95 * width());
}

QPoint UserControl1::centre() const {
    const int c = width() / 2;
    return {c, c};
}

void UserControl1::setValue(double degrees) {
    angle = degrees;
    emit valueChanged(angle);
    Rotate(angle / DegreesPerRadian);
}

void UserControl1::setIndicatorColor(int bgr) {
    indicator = bgr;
    update();
}

void UserControl1::Rotate(double theta) {
    // The free end starts at the top of the face and turns about the centre.
    const double c = width() / 2.0;
    const double x0 = c;
    const double y0 = c - faceDiameter() / 2.0;
    const double x = (x0 - c) * std::cos(theta) - (y0 - c) * std::sin(theta) + c;
    const double y = (y0 - c) * std::cos(theta) + (x0 - c) * std::sin(theta) + c;
    tip = QPoint(static_cast<int>(MNumber::roundHalfEven(x)),
                 static_cast<int>(MNumber::roundHalfEven(y)));
    update();
}

void UserControl1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Rotate(angle / DegreesPerRadian);
}

void UserControl1::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int d = faceDiameter();
    const QPoint c = centre();
    const QRect face(c.x() - d / 2, c.y() - d / 2, d, d);
    p.setPen(QPen(palette().color(QPalette::Mid), 1));
    p.setBrush(palette().color(QPalette::Base));
    p.drawEllipse(face);
    // Ticks at the four quarters help to read the direction.
    p.setPen(QPen(palette().color(QPalette::Mid), 1));
    for (int q = 0; q < 4; ++q) {
        const double a = q * std::numbers::pi / 2;
        const QPointF outer(c.x() + std::sin(a) * d / 2.0, c.y() - std::cos(a) * d / 2.0);
        const QPointF inner(c.x() + std::sin(a) * d * 0.4, c.y() - std::cos(a) * d * 0.4);
        p.drawLine(inner, outer);
    }
    p.setPen(QPen(Raster::toQColor(indicator), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c, tip);
    p.setPen(Qt::NoPen);
    p.setBrush(palette().color(QPalette::WindowText));
    p.drawEllipse(QPointF(c), 3, 3);
}
