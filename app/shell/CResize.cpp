#include "shell/CResize.h"
#include "services/ErrorNumbers.h"

#include "controls/WidgetTags.h"
#include "services/Problem.h"

#include <QComboBox>
#include <QLayout>
#include <QMainWindow>
#include <QScrollArea>
#include <algorithm>
#include <cmath>
#include <exception>

namespace {
float fontSizeOf(const QFont& f, bool& pixels) {
    pixels = f.pointSizeF() <= 0;
    return pixels ? static_cast<float>(f.pixelSize()) : static_cast<float>(f.pointSizeF());
}

int scaled(float ratio, int extent) {
    return static_cast<int>(std::lround(static_cast<double>(ratio) * extent));
}
} // namespace

QSize CResize::innerSize(const QWidget* window) {
    if (const auto* main = qobject_cast<const QMainWindow*>(window);
        main && main->centralWidget()) {
        // Content in a scroll area is as large as the area, or as its least size when larger.
        if (const auto* area = qobject_cast<const QScrollArea*>(main->centralWidget());
            area && area->widget())
            return area->size().expandedTo(area->widget()->minimumSize());
        return main->centralWidget()->size();
    }
    return window->contentsRect().size();
}

QSize CResize::readableSize() const {
    // The text of most controls decides: a few small captions need not make the window scroll.
    std::vector<double> scales;
    for (const ControlRatios& r : controls) {
        const double points = r.pixelFont ? r.designedFont * 0.75 : r.designedFont;
        if (points > 0) scales.push_back(std::min(1.0, ReadablePoints / points));
    }
    if (scales.empty()) return initial;
    const auto middle = scales.begin() + std::ptrdiff_t(scales.size() / 2);
    std::nth_element(scales.begin(), middle, scales.end());
    return QSize(int(std::ceil(initial.width() * *middle)),
                 int(std::ceil(initial.height() * *middle)));
}

void CResize::Resize_Initialize(QWidget* window) {
    controls.clear();
    if (!window) return;
    // Before the window is first shown its layout has not placed the central widget yet.
    if (window->layout()) window->layout()->activate();
    initial = innerSize(window);
    const float w = static_cast<float>(qMax(1, initial.width()));
    const float h = static_cast<float>(qMax(1, initial.height()));
    for (QWidget* control : window->findChildren<QWidget*>()) {
        // A "noresize" control must not inherit the scaled font of its parent either.
        if (WidgetTags::isNoResize(control)) WidgetTags::pinFont(control);
        if (!WidgetTags::isScalable(control, window)) continue;
        ControlRatios r;
        r.control = control;
        r.placedByHand = !WidgetTags::isLayoutManaged(control);
        r.isCombo = qobject_cast<QComboBox*>(control) != nullptr;
        const QRect g = control->geometry();
        const float font = fontSizeOf(control->font(), r.pixelFont);
        r.widthRatio = static_cast<float>(g.width()) / w;
        r.heightRatio = r.isCombo ? font / h : static_cast<float>(g.height()) / h;
        r.topRatio = static_cast<float>(g.top()) / h;
        r.leftRatio = static_cast<float>(g.left()) / w;
        r.fontRatio = font / w;
        r.designedFont = font;
        controls.push_back(r);
    }
}

void CResize::Size_Changed(QWidget* window) {
    if (!window || controls.empty()) return;
    const QSize now = innerSize(window);
    if (now.width() <= 0 || now.height() <= 0) return; // minimised: nothing sensible to scale to
    for (const ControlRatios& r : controls) {
        if (!r.control) continue; // a control that went away is skipped
        place(r, now.width(), now.height());
    }
}

void CResize::place(const ControlRatios& r, int width, int height) {
    QWidget* control = r.control;
    // The font first: a combo box's height follows it.
    QFont f = control->font();
    // Hundredths of a point: finer steps draw no differently, and the rounding takes away the
    // single-precision ratio's last-digit noise so a restored size is the starting size.
    double size = std::round(static_cast<double>(r.fontRatio) * width * 100.0) / 100.0;
    // No smaller than can be read (nor than designed, for a caption designed smaller).
    const double readable =
        r.pixelFont ? ReadablePoints * control->logicalDpiY() / 72.0 : ReadablePoints;
    if (size > 0) size = std::max(size, std::min(readable, static_cast<double>(r.designedFont)));
    if (r.pixelFont)
        f.setPixelSize(qMax(1, static_cast<int>(std::lround(size))));
    else if (size > 0)
        f.setPointSizeF(size);
    control->setFont(f);
    if (!r.placedByHand) return;
    const int left = scaled(r.leftRatio, width);
    const int top = scaled(r.topRatio, height);
    const int w = scaled(r.widthRatio, width);
    const int h = r.isCombo ? control->sizeHint().height() : scaled(r.heightRatio, height);
    control->setGeometry(left, top, w, h);
}

void CResize::Form_Resize(QWidget* window, const std::function<void()>& afterScale) {
    if (!window) return;
    const bool updates = window->updatesEnabled();
    try {
        window->setUpdatesEnabled(false);
        Size_Changed(window);
        if (afterScale) afterScale();
    } catch (const std::exception& e) {
        Problems::report(Problem::failure(QStringLiteral("ui"), QStringLiteral("Form_Resize"),
                                          ErrorNumbers::InvalidCall,
                                          QString::fromLocal8Bit(e.what())));
    }
    window->setUpdatesEnabled(updates);
    window->update();
}
