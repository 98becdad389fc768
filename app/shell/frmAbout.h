// Help, About: the program's title, version and a one-line description, with "OK" (or Esc) to
// close and "System Info..." to start the desktop's system-information program.
//
// How the window uses it: `frmAbout about(this); about.exec();`
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

    static QString applicationTitle(); // the application's name, "Quorvel" when unset
    static QString versionText();      // "Version " + major.minor.patch

    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;

    void cmdSysInfo_Click();
};
