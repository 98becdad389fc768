// The Table tab: the ballistics table of the load on screen, as fixed-width text that can be
// scrolled and selected but not edited.
#pragma once

#include <QWidget>

class QPlainTextEdit;

class TableTab : public QWidget {
    Q_OBJECT
public:
    explicit TableTab(QWidget* parent = nullptr);

    // Shows a whole table at once (CR LF or LF line ends).
    void setTableText(const QString& text);
    // The table as shown, with LF line ends.
    QString tableText() const;

    QPlainTextEdit* txtOutput = nullptr;
};
