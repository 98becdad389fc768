// The number boxes of the small calculator dialogs: right-aligned and narrow, an input box with
// its range message as the tooltip; a result box is read-only and keeps its place in the layout
// while hidden, so the form does not jump when results appear.
#pragma once

#include <QString>

class QLineEdit;
class QWidget;
struct InputLimit;

namespace NumberBox {

QLineEdit* input(QWidget* parent, const char* name, const QString& toolTip);
QLineEdit* input(QWidget* parent, const char* name, const InputLimit& limit);
QLineEdit* result(QWidget* parent, const char* name);

} // namespace NumberBox
