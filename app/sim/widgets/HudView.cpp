#include "sim/widgets/HudView.h"

#include "controls/WidgetTags.h"

#include <QMouseEvent>
#include <QPainter>

HudView::HudView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("picHUD"));
    // The simulator sizes and scales the view itself; the window's layout scaling leaves it.
    setProperty(WidgetTags::tagProperty, QString::fromLatin1(WidgetTags::noResize));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
    setFocusPolicy(Qt::ClickFocus);
}

void HudView::setScene(const QImage& scene) {
    shown = scene;
    update();
}

void HudView::setSide(int pixels) {
    setFixedSize(pixels, pixels);
}

int16_t HudView::buttonCode(Qt::MouseButtons buttons) {
    int16_t code = 0;
    if (buttons & Qt::LeftButton) code |= 1;
    if (buttons & Qt::RightButton) code |= 2;
    if (buttons & Qt::MiddleButton) code |= 4;
    return code;
}

int16_t HudView::shiftCode(Qt::KeyboardModifiers modifiers) {
    int16_t code = 0;
    if (modifiers & Qt::ShiftModifier) code |= 1;
    if (modifiers & Qt::ControlModifier) code |= 2;
    if (modifiers & Qt::AltModifier) code |= 4;
    return code;
}

void HudView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (shown.isNull()) {
        p.fillRect(rect(), palette().color(QPalette::Dark));
        return;
    }
    p.drawImage(0, 0, shown);
    // A view larger than the scene (while the window is being resized) shows no stale pixels.
    if (shown.width() < width()) p.fillRect(shown.width(), 0, width(), height(), Qt::black);
    if (shown.height() < height()) p.fillRect(0, shown.height(), width(), height(), Qt::black);
}

void HudView::mousePressEvent(QMouseEvent* event) {
    emit pressed(buttonCode(event->button()), shiftCode(event->modifiers()), event->position());
}

void HudView::mouseMoveEvent(QMouseEvent* event) {
    const int16_t held = buttonCode(event->buttons());
    if (held) emit moved(held, shiftCode(event->modifiers()), event->position());
}
