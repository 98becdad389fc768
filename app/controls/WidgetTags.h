// Which widgets of a window count as its controls for the screen font and the layout scaling.
// A control is a widget the window placed itself: not the window, not a menu, dialog or other
// top-level window, not an inner part of a composite widget (the line edit of a combo box, the
// viewport of a text box, the tab bar of a tab control), and not tagged "noresize" (widget
// property "tag"), nor inside one that is.
#pragma once

class QWidget;
class QLayout;

namespace WidgetTags {

// The property value that keeps a widget and everything inside it out of font and scaling.
constexpr const char* tagProperty = "tag";
constexpr const char* noResize = "noresize";

// The property that asks for a fixed-pitch font whatever screen font is chosen (the table box,
// whose columns must line up).
constexpr const char* fixedPitchProperty = "fixedPitch";

// A scroll area that only lets a page of controls scroll on a small screen: what it holds are
// controls of the window like any other (not the inner parts of a composite widget).
constexpr const char* scrollPageProperty = "scrollPage";

// A widget that only carries the window's controls (the main window's scroll area and the
// canvas in it): not a control itself, while what it holds are controls.
constexpr const char* carrierProperty = "carrier";

bool isNoResize(const QWidget* w);
bool wantsFixedPitch(const QWidget* w);
bool isChart(const QWidget* w);
// A control of `window` in the sense above.
bool isScalable(const QWidget* w, const QWidget* window);
// Tagged "noresize" itself, or a chart: the widgets whose own font must stay as it is.
bool isExcluded(const QWidget* w, const QWidget* window);
// True when a layout of the parent places the widget (its geometry is not ours to set).
bool isLayoutManaged(const QWidget* w);
// `content` in a frameless scroll area tagged as a page of controls: on a screen too small for
// it the page scrolls instead of pushing the window past the screen's edge.
QWidget* scrollPage(QWidget* content, const char* name);

// Makes the widget's present family and size its own, so a parent's new font does not reach it.
void pinFont(QWidget* w);

} // namespace WidgetTags
