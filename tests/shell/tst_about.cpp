#include "PromptRecorder.h"
#include "shell/frmAbout.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

// Help, About: the texts, closing with OK or Esc, and the System Info button with and without a
// system-information program on PATH.
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
        QCOMPARE(about.cmdSysInfo->text(), QStringLiteral("&System Info..."));
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
    }

    void sysInfoUnavailableSaysSo() {
        PromptRecorder recorder;
        QTemporaryDir empty;
        qputenv("PATH", empty.path().toLocal8Bit());
        frmAbout about;
        QTest::mouseClick(about.cmdSysInfo, Qt::LeftButton);
        QCOMPARE(recorder.messages.size(), 1);
        QCOMPARE(recorder.lastText(),
                 QStringLiteral("System Information Is Unavailable At This Time"));
        QCOMPARE(recorder.messages.back().buttons, PromptButtons::Ok);
    }

    void sysInfoStartsTheProgramFoundOnPath() {
        PromptRecorder recorder;
        QTemporaryDir bin;
        const QString marker = bin.filePath(QStringLiteral("started"));
        QFile script(bin.filePath(QStringLiteral("gnome-system-monitor")));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(("#!/bin/sh\n: > '" + marker + "'\n").toLocal8Bit());
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", bin.path().toLocal8Bit()); // nothing else on the path can be started

        frmAbout about;
        QTest::mouseClick(about.cmdSysInfo, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(marker), 10000);
        QVERIFY(recorder.messages.isEmpty());
    }
};

QTEST_MAIN(AboutTest)
#include "tst_about.moc"
