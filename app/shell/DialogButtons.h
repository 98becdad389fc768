// Dialog buttons in the desktop's order (QDialogButtonBox), with the Tab key visiting them in the
// order they show rather than the order they were made in.
#pragma once

class QDialogButtonBox;
class QWidget;

namespace DialogButtons {

// Tab goes from `previous` through the box's buttons as laid out, left to right.
void followLayout(QWidget* previous, QDialogButtonBox* box);

} // namespace DialogButtons
