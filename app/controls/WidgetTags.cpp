#include "controls/WidgetTags.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDialog>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QTabBar>
#include <QWidget>

namespace WidgetTags {

namespace {
// Widgets never treated as controls, whatever their place.
bool isForeign(const QWidget* w) {
    return w->isWindow() || qobject_cast<const QMenu*>(w) || qobject_cast<const QMenuBar*>(w) ||
           qobject_cast<const QDialog*>(w);
}

// Widgets whose children are their own inner parts, not controls of the window.
bool isComposite(const QWidget* w) {
    if (w->property(scrollPageProperty).toBool() || w->property(carrierProperty).toBool())
        return false;
    return qobject_cast<const QAbstractScrollArea*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QTabBar*>(w) ||
           qobject_cast<const QAbstractButton*>(w);
}

bool isInnerPart(const QWidget* w) {
    if (w->objectName().startsWith(QLatin1String("qt_")) || w->property(carrierProperty).toBool())
        return true;
    return qobject_cast<const QTabBar*>(w) && w->parentWidget() &&
           w->parentWidget()->inherits("QTabWidget");
}

bool layoutHolds(const QLayout* layout, const QWidget* w) {
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        if (!item) continue;
        if (item->widget() == w) return true;
        if (const QLayout* inner = item->layout(); inner && layoutHolds(inner, w)) return true;
    }
    return false;
}
} // namespace

bool isNoResize(const QWidget* w) {
    return w && w->property(tagProperty).toString() == QLatin1String(noResize);
}

bool wantsFixedPitch(const QWidget* w) {
    return w && w->property(fixedPitchProperty).toBool();
}

bool isChart(const QWidget* w) {
    return w && (w->inherits("QChartView") || w->inherits("QtCharts::QChartView"));
}

bool isScalable(const QWidget* w, const QWidget* window) {
    if (!w || w == window || isForeign(w) || isNoResize(w) || isInnerPart(w)) return false;
    for (const QWidget* a = w->parentWidget(); a && a != window; a = a->parentWidget())
        if (isForeign(a) || isNoResize(a) || isComposite(a)) return false;
    return true;
}

bool isExcluded(const QWidget* w, const QWidget* window) {
    if (!w || w == window || isForeign(w)) return false;
    return isNoResize(w) || isChart(w);
}

bool isLayoutManaged(const QWidget* w) {
    const QWidget* parent = w ? w->parentWidget() : nullptr;
    const QLayout* layout = parent ? parent->layout() : nullptr;
    return layout && layoutHolds(layout, w);
}

QWidget* scrollPage(QWidget* content, const char* name) {
    auto* scroller = new QScrollArea;
    scroller->setObjectName(QString::fromLatin1(name));
    scroller->setProperty(scrollPageProperty, true);
    scroller->setWidget(content);
    scroller->setWidgetResizable(true);
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroller->setMinimumWidth(content->sizeHint().width());
    return scroller;
}

void pinFont(QWidget* w) {
    QFont f = w->font();
    f.setFamilies(f.families().isEmpty() ? QStringList{f.family()} : f.families());
    if (f.pointSizeF() > 0)
        f.setPointSizeF(f.pointSizeF());
    else
        f.setPixelSize(f.pixelSize());
    w->setFont(f);
}

} // namespace WidgetTags
