// The Table tab: the ballistics table of the load on screen, as fixed-width text that can be
// scrolled and selected but not edited.
#pragma once

#include <QWidget>

class CTextOutput;
class LoadModel;
class QPlainTextEdit;

class TableTab : public QWidget {
    Q_OBJECT
public:
    TableTab(LoadModel& model, CTextOutput& txt, QWidget* parent = nullptr);

    // The window showed tab `tab`: this page computes its table when it is the one.
    void tabShown(int tab, int ownIndex);

    // Shows a whole table at once (CR LF or LF line ends).
    void setTableText(const QString& text);
    // The table as shown, with LF line ends.
    QString tableText() const;

    QPlainTextEdit* txtOutput = nullptr;

private:
    LoadModel& model;
    CTextOutput& txt;
};
