// Layout scaling: every control of the window keeps its place, size and font size in proportion
// to the window's inner size, including the controls of tab pages that are not showing.
//
// How the window uses it:
//   - at the end of start-up, once every control has its designed place and font:
//         resize.Resize_Initialize(this);
//   - in resizeEvent (and nowhere else):
//         resize.Form_Resize(this, [this] { sim.Form_Resize(); });
//     Form_Resize holds the window's painting during the pass, so it is redrawn once.
// Controls placed by hand (no layout of their parent holds them) are moved and sized by their
// recorded fractions; controls that a layout places (tab pages, widgets in a QLayout) only have
// their font scaled, and their layout follows the window by itself. Combo boxes take the height
// their new font gives them. Controls tagged "noresize", menus and dialogs are left alone.
// The inner size is the central widget's size for a QMainWindow, the widget's contents size
// otherwise; positions are measured in each control's parent.
// Fonts shrink no further than a readable size (ReadablePoints, or the designed size when that
// is smaller). A main window whose central widget is a QScrollArea scales the area's widget
// instead, which the window keeps at least readableSize(): below it the content scrolls rather
// than shrinking past what can be read.
#pragma once

#include <QPointer>
#include <QSize>
#include <QWidget>
#include <functional>
#include <vector>

class CResize {
public:
    struct ControlRatios {
        QPointer<QWidget> control;
        bool placedByHand = false; // geometry is scaled too, not only the font
        bool isCombo = false;
        bool pixelFont = false; // the font's size was given in pixels, not points
        float widthRatio = 0;
        float heightRatio = 0; // combo boxes: font size / inner height (not used)
        float topRatio = 0;
        float leftRatio = 0;
        float fontRatio = 0;
        float designedFont = 0; // points (or pixels) at the starting size
    };

    // The smallest font the scaling makes, in points.
    static constexpr double ReadablePoints = 8.0;

    // Records every control's geometry and font size as fractions of the window's inner size.
    void Resize_Initialize(QWidget* window);
    // Re-applies the recorded fractions to the window's present inner size.
    void Size_Changed(QWidget* window);
    // The main window's resize: Size_Changed with painting held, then `afterScale` (the
    // simulator lays out its own pictures), then one redraw. Failures are reported as
    // "ui", "Form_Resize".
    void Form_Resize(QWidget* window, const std::function<void()>& afterScale = {});

    static QSize innerSize(const QWidget* window);
    // The smallest inner size at which the text most controls use keeps its readable size; a
    // window is scrolled below it. The starting size when nothing has been recorded.
    QSize readableSize() const;

    const std::vector<ControlRatios>& records() const { return controls; }
    QSize initialSize() const { return initial; }

private:
    QSize initial;
    std::vector<ControlRatios> controls;

    static void place(const ControlRatios& r, int width, int height);
};
