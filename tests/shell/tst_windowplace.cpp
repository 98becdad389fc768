// The main window's place between runs: the geometry and tab the shooter left come back, and a
// stored tab the window no longer has falls back to the one asked for.
#include "WindowFixture.h"
#include "shell/WindowPlace.h"

#include <QLabel>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

class WindowPlaceTest : public QObject {
    Q_OBJECT
    QTemporaryDir settingsDir;

    static void fill(QTabWidget& tabs, int count) {
        for (int i = 0; i < count; ++i)
            tabs.addTab(new QLabel(QString::number(i)), QString::number(i));
    }

private slots:
    void initTestCase() { WindowFixture::isolateSettings(settingsDir); }

    void nothingStoredShowsNothing() {
        QSettings().clear();
        QTabWidget window;
        fill(window, 3);
        QVERIFY(!WindowPlace::restoreAndShow(window));
        QVERIFY(!window.isVisible());
        QCOMPARE(WindowPlace::lastTab(window, 0), 0);
    }

    void theSizeAndTabLeftComeBack() {
        {
            QTabWidget window;
            fill(window, 3);
            window.resize(640, 480);
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            window.setCurrentIndex(2);
            WindowPlace::save(window, window);
        }
        QTabWidget again;
        fill(again, 3);
        QVERIFY(WindowPlace::restoreAndShow(again));
        QVERIFY(again.isVisible());
        QCOMPARE(again.size(), QSize(640, 480));
        QCOMPARE(WindowPlace::lastTab(again, 0), 2);
    }

    void aTabTheWindowHasNotIsTheFallback() {
        QTabWidget fewer;
        fill(fewer, 2);
        QCOMPARE(WindowPlace::lastTab(fewer, 1), 1); // 2 is stored from above
        QSettings().setValue(QStringLiteral("Window/tab"), QStringLiteral("junk"));
        QCOMPARE(WindowPlace::lastTab(fewer, 0), 0);
    }
};

QTEST_MAIN(WindowPlaceTest)
#include "tst_windowplace.moc"
