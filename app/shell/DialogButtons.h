// Dialog buttons in the desktop's order (QDialogButtonBox), with the Tab key visiting them in the
// order they show rather than the order they were made in.
#pragma once

class QDialogButtonBox;
class QPushButton;
class QWidget;

namespace DialogButtons {

// An OK and Cancel box ("buttons") on `parent`, its buttons named and captioned as the dialogs'
// tests and shortcuts know them: "OKButton" "OK" and "CancelButton" "Cancel".
QDialogButtonBox* okCancel(QWidget* parent, QPushButton*& ok, QPushButton*& cancel);

// Tab goes from `previous` through the box's buttons as laid out, left to right.
void followLayout(QWidget* previous, QDialogButtonBox* box);

} // namespace DialogButtons
