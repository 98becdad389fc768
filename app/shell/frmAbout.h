// Help, About: the program's title, version and a one-line description, with "OK" (Enter or Esc)
// to close and "System Info…" to show the build, the Qt version and the folders the program uses,
// for a report of a fault.
//
// How the window uses it: `frmAbout about(this); about.exec();`
#pragma once

#include <QDialog>

class QDialogButtonBox;
class QLabel;
class QPushButton;

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

    static QString applicationTitle(); // the application's name, "Quorvel" when unset
    static QString versionText();      // "Version " + major.minor.patch
    // The program's build, the Qt it was built with and runs on, the desktop, and its folders.
    static QString systemInfo();

    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;
    QDialogButtonBox* buttons = nullptr;

    void cmdSysInfo_Click();
};
