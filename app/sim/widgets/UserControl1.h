// The angle dial (ucAngle): a round face with a centre mark and an indicator line from the centre
// to the rim that shows the target's direction of movement. 0 degrees points straight up and
// angles grow clockwise (90 points right).
#pragma once

#include <QColor>
#include <QPoint>
#include <QWidget>

class UserControl1 : public QWidget {
    Q_OBJECT
    Q_PROPERTY(double Value READ value WRITE setValue NOTIFY valueChanged)
    // Colour value 0xBBGGRR of the indicator line; red (255) unless the form stores another.
    Q_PROPERTY(int IndicatorColor READ indicatorColor WRITE setIndicatorColor)
public:
    explicit UserControl1(QWidget* parent = nullptr);

    double value() const { return angle; }
    // Turns the indicator to `degrees`.
    void setValue(double degrees);
    int indicatorColor() const { return indicator; }
    void setIndicatorColor(int bgr);

    // Turns the indicator to `theta` radians from straight up, clockwise.
    void Rotate(double theta);

    // The face's diameter and the indicator's ends in the control's pixels.
    int faceDiameter() const;
    QPoint centre() const;
    QPoint indicatorEnd() const { return tip; }

    QSize sizeHint() const override { return {90, 90}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int w) const override { return w; }

signals:
    void valueChanged(double degrees);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    static constexpr double DegreesPerRadian = 360.0 / 6.2831855;

    double angle = 0;
    int indicator = 255;
    QPoint tip;
};
