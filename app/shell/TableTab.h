// The Table tab: the ballistics table of the load on screen, as fixed-width text that can be
// scrolled and selected but not edited.
#pragma once

#include <QWidget>

class CTextOutput;
struct LoadSnapshot;
class QPlainTextEdit;

class TableTab : public QWidget {
    Q_OBJECT
public:
    TableTab(CTextOutput& txt, QWidget* parent = nullptr);

    // The window showed tab `tab` with the load as `snapshot`: this page computes its table when
    // it is the one, reports a failure, and tells the coefficient it handed to the solver.
    void tabShown(int tab, int ownIndex, const LoadSnapshot& snapshot);

    // Shows a whole table at once (CR LF or LF line ends).
    void setTableText(const QString& text);
    // The table as shown, with LF line ends.
    QString tableText() const;

    QPlainTextEdit* txtOutput = nullptr;

signals:
    // A table was computed: the coefficient handed to the solver for it.
    void coefficientHanded(float bc);

private:
    CTextOutput& txt;
};
