// The scope view picHUD: shows the scene the simulator composed, in one copy, and reports mouse
// presses and drags in the simulator's button codes (1 left, 2 right, 4 middle; moves report the
// buttons held, 3 for left and right) with the shift state (1 Shift, 2 Ctrl, 4 Alt) and the
// position in pixels of the view.
#pragma once

#include <QImage>
#include <QWidget>
#include <cstdint>

class HudView : public QWidget {
    Q_OBJECT
public:
    explicit HudView(QWidget* parent = nullptr);

    void setScene(const QImage& scene);
    const QImage& scene() const { return shown; }
    // The square size the simulator gives the view.
    void setSide(int pixels);

    static int16_t buttonCode(Qt::MouseButtons buttons);
    static int16_t shiftCode(Qt::KeyboardModifiers modifiers);

signals:
    void pressed(int16_t button, int16_t shift, QPointF pixels);
    void moved(int16_t button, int16_t shift, QPointF pixels);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QImage shown;
};
