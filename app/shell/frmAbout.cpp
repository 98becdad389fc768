#include "shell/frmAbout.h"

#include "services/AppFolders.h"
#include "services/Prompt.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSysInfo>
#include <QVBoxLayout>

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About ") + applicationTitle());
    setModal(true);

    lblTitle = new QLabel(applicationTitle(), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);

    lblVersion = new QLabel(versionText(), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));

    lblDescription = new QLabel(
        QStringLiteral("A trajectory calculator and grapher with a mil-dot ranging system."), this);
    lblDescription->setObjectName(QStringLiteral("lblDescription"));
    lblDescription->setWordWrap(true);

    buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    cmdOK = buttons->button(QDialogButtonBox::Ok);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setText(QStringLiteral("OK"));
    cmdOK->setDefault(true);
    cmdSysInfo =
        buttons->addButton(QStringLiteral("&System Info\u2026"), QDialogButtonBox::HelpRole);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo->setAutoDefault(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblTitle);
    layout->addWidget(lblVersion);
    layout->addSpacing(8);
    layout->addWidget(lblDescription);
    layout->addStretch();
    layout->addWidget(buttons);

    // Esc has no Cancel button to press: it closes the box as OK does.
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
}

QString frmAbout::applicationTitle() {
    const QString name = QCoreApplication::applicationName();
    return name.isEmpty() ? QStringLiteral("Quorvel") : name;
}

QString frmAbout::versionText() {
    return QStringLiteral("Version %1.%2.%3")
        .arg(QUORVEL_VERSION_MAJOR)
        .arg(QUORVEL_VERSION_MINOR)
        .arg(QUORVEL_VERSION_PATCH);
}

QString frmAbout::systemInfo() {
    const QString settings = QSettings().fileName();
    QStringList lines;
    lines << QStringLiteral("%1 %2 (%3)")
                 .arg(applicationTitle(), QStringLiteral(QUORVEL_VERSION_STRING),
                      QSysInfo::buildAbi());
#if defined(__clang__) || defined(__GNUC__)
    lines << QStringLiteral("Compiler: ") + QStringLiteral(__VERSION__);
#endif
    lines << QStringLiteral("Qt: %1 (built with %2), platform %3")
                 .arg(QString::fromLatin1(qVersion()), QStringLiteral(QT_VERSION_STR),
                      QGuiApplication::platformName());
    lines << QStringLiteral("System: ") + QSysInfo::prettyProductName();
    lines << QString();
    lines << QStringLiteral("Program folder: ") +
                 QDir::toNativeSeparators(MSmallBallStruct::appFolder());
    lines << QStringLiteral("User data folder: ") +
                 QDir::toNativeSeparators(MSmallBallStruct::userFolder());
    lines << QStringLiteral("Settings: ") + QDir::toNativeSeparators(settings);
    return lines.join(QLatin1Char('\n'));
}

void frmAbout::cmdSysInfo_Click() {
    prompt().ask(systemInfo(), QStringLiteral("System Info"), PromptButtons::Ok,
                 PromptIcon::Information);
}
