#include "PromptRecorder.h"
#include "services/AppFolders.h"
#include "shell/frmAbout.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

// Help, About: the texts, closing with OK, Enter or Esc, and the System Info button showing the
// build, Qt and the folders itself, whatever programs are on PATH.
class AboutTest : public QObject {
    Q_OBJECT

private:
    QByteArray savedPath;

private slots:
    void initTestCase() {
        QCoreApplication::setApplicationName(QStringLiteral("Quorvel"));
        savedPath = qgetenv("PATH");
    }
    void cleanup() { qputenv("PATH", savedPath); }

    void textsNameTheProgramAndItsVersion() {
        frmAbout about;
        QCOMPARE(about.windowTitle(), QStringLiteral("About Quorvel"));
        QCOMPARE(about.lblTitle->text(), QStringLiteral("Quorvel"));
        QCOMPARE(about.lblVersion->text(), QStringLiteral("Version %1.%2.%3")
                                               .arg(QUORVEL_VERSION_MAJOR)
                                               .arg(QUORVEL_VERSION_MINOR)
                                               .arg(QUORVEL_VERSION_PATCH));
        QCOMPARE(about.lblVersion->text(), QStringLiteral("Version ") + QUORVEL_VERSION_STRING);
        QVERIFY(about.lblDescription->text().contains(QStringLiteral("mil-dot")));
        QVERIFY(about.lblDescription->text().contains(QStringLiteral("trajectory")));
        QCOMPARE(about.cmdOK->text(), QStringLiteral("OK"));
        QCOMPARE(about.cmdSysInfo->text(), QStringLiteral("&System Info\u2026"));
        QVERIFY(about.isModal());
    }

    void okAndEscapeClose() {
        frmAbout about;
        about.show();
        QTest::mouseClick(about.cmdOK, Qt::LeftButton);
        QVERIFY(!about.isVisible());
        QCOMPARE(about.result(), int(QDialog::Accepted));

        about.show();
        QVERIFY(about.isVisible());
        QTest::keyClick(&about, Qt::Key_Escape);
        QVERIFY(!about.isVisible());

        about.show();
        QTest::keyClick(&about, Qt::Key_Return);
        QVERIFY(!about.isVisible());
        QCOMPARE(about.result(), int(QDialog::Accepted));
        QCOMPARE(about.buttons->buttonRole(about.cmdOK), QDialogButtonBox::AcceptRole);
    }

    void sysInfoShowsTheBuildQtAndFolders() {
        PromptRecorder recorder;
        QTemporaryDir empty;
        qputenv("PATH", empty.path().toLocal8Bit());
        frmAbout about;
        QTest::mouseClick(about.cmdSysInfo, Qt::LeftButton);
        QCOMPARE(recorder.messages.size(), 1);
        QCOMPARE(recorder.lastTitle(), QStringLiteral("System Info"));
        QCOMPARE(recorder.messages.back().buttons, PromptButtons::Ok);
        const QString text = recorder.lastText();
        QVERIFY2(text.contains(QStringLiteral("Quorvel " QUORVEL_VERSION_STRING)),
                 qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Qt: ") + QString::fromLatin1(qVersion())));
        QVERIFY(text.contains(QStringLiteral("Program folder: ") +
                              QDir::toNativeSeparators(MSmallBallStruct::appFolder())));
        QVERIFY(text.contains(QStringLiteral("User data folder: ")));
        QVERIFY(text.contains(QStringLiteral("Settings: ")));
        // The box stays open behind the message.
        QVERIFY(about.result() != int(QDialog::Accepted));
    }

    void sysInfoStartsNoOtherProgram() {
        PromptRecorder recorder;
        QTemporaryDir bin;
        const QString marker = bin.filePath(QStringLiteral("started"));
        QFile script(bin.filePath(QStringLiteral("gnome-system-monitor")));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(("#!/bin/sh\n: > '" + marker + "'\n").toLocal8Bit());
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", bin.path().toLocal8Bit());

        frmAbout about;
        QTest::mouseClick(about.cmdSysInfo, Qt::LeftButton);
        QTest::qWait(300);
        QVERIFY(!QFile::exists(marker));
        QCOMPARE(recorder.messages.size(), 1);
    }
};

QTEST_MAIN(AboutTest)
#include "tst_about.moc"
