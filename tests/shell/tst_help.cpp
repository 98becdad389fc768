#include "PromptRecorder.h"
#include "TestAppFolder.h"
#include "shell/HelpViewer.h"

#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QPointer>
#include <QtTest>

// Help, Contents: the compiled help file built with the program, read through chmlib and shown
// in the help window; links between pages; the failures.
class HelpTest : public QObject {
    Q_OBJECT

private:
    static QString builtHelp() { return TestAppFolder::binDir() + QStringLiteral("/quorvel.chm"); }

private slots:
    void initTestCase() { QVERIFY2(QFile::exists(builtHelp()), "quorvel.chm was not built"); }

    void archiveHoldsThePagesAndContents() {
        ChmArchive archive;
        QVERIFY(archive.open(builtHelp()));
        QVERIFY(archive.contains(QStringLiteral("table.html")));
        QVERIFY(archive.read(QStringLiteral("/table.html")).contains("Hclicks"));
        QVERIFY(archive.read(QStringLiteral("nothing.html")).isEmpty());
        const QList<ChmArchive::Topic> topics = archive.contents();
        QStringList names;
        for (const ChmArchive::Topic& t : topics)
            names << t.name;
        for (const char* page : {"Input Tab", "Table Tab", "Graph Tab", "Simulator Controls Tab",
                                 "Shooting Simulator Tab", "Options", "Point Blank Range",
                                 "Chronograph Correction", "Files, Recent Files and Printing"})
            QVERIFY2(names.contains(QString::fromLatin1(page)), page);
        // Every page the contents name is in the archive.
        for (const ChmArchive::Topic& t : topics)
            QVERIFY2(archive.contains(t.local), qPrintable(t.local));
    }

    void contentsParserReadsSitemapEntries() {
        const QString sitemap = QStringLiteral(
            "<UL><LI> <OBJECT type=\"text/sitemap\">\n<param name=\"Name\" value=\"Table\">\n"
            "<param name=\"Local\" value=\"/table.html\"></OBJECT>\n"
            "<LI><object type=\"text/sitemap\"><param name=\"Name\" value=\"No page\"></object>"
            "<LI><OBJECT type=\"text/sitemap\"><PARAM NAME=\"local\" VALUE=\"graph.html\">"
            "<param name=\"name\" value=\"Graph\"></OBJECT></UL>");
        const QList<ChmArchive::Topic> topics = ChmArchive::parseContents(sitemap);
        QCOMPARE(topics.size(), 2);
        QCOMPARE(topics[0].name, QStringLiteral("Table"));
        QCOMPARE(topics[0].local, QStringLiteral("table.html"));
        QCOMPARE(topics[1].name, QStringLiteral("Graph"));
        QCOMPARE(topics[1].local, QStringLiteral("graph.html"));
    }

    void contentsOpensTheHelpFileOfTheApplicationFolder() {
        PromptRecorder recorder;
        TestAppFolder app(false);
        QVERIFY(QFile::copy(builtHelp(), app.file(QStringLiteral("quorvel.chm"))));
        QWidget owner;
        HelpViewer* viewer = HelpViewer::showContents(&owner);
        QVERIFY(viewer);
        QVERIFY(recorder.messages.isEmpty());
        QVERIFY(viewer->isVisible());
        QCOMPARE(viewer->parentWidget(), &owner);
        QVERIFY(viewer->lstContents->count() >= 10);
        QVERIFY(viewer->txtPage->toPlainText().contains(QStringLiteral("Table")));

        // Choosing a topic in the contents shows its page.
        const QList<QListWidgetItem*> table =
            viewer->lstContents->findItems(QStringLiteral("Table Tab"), Qt::MatchExactly);
        QCOMPARE(table.size(), 1);
        viewer->lstContents->setCurrentItem(table.first());
        QVERIFY(viewer->txtPage->toPlainText().contains(QStringLiteral("Hclicks")));

        // The same window comes back the second time.
        QCOMPARE(HelpViewer::showContents(&owner), viewer);
        delete viewer;
    }

    void helpOpensOverItsWindowAndEscapeClosesIt() {
        PromptRecorder recorder;
        TestAppFolder app(false);
        QVERIFY(QFile::copy(builtHelp(), app.file(QStringLiteral("quorvel.chm"))));
        QWidget owner;
        owner.setGeometry(700, 500, 900, 700);
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        HelpViewer* viewer = HelpViewer::showContents(&owner);
        QVERIFY(viewer);
        QVERIFY(QTest::qWaitForWindowExposed(viewer));
        const QPoint offset = viewer->frameGeometry().center() - owner.frameGeometry().center();
        QVERIFY2(offset.manhattanLength() < 40,
                 qPrintable(QStringLiteral("%1, %2").arg(offset.x()).arg(offset.y())));
        QPointer<HelpViewer> open = viewer;
        QApplication::setActiveWindow(viewer);
        QVERIFY(QTest::qWaitForWindowActive(viewer));
        viewer->txtPage->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QTRY_VERIFY(!open || !open->isVisible());
        QVERIFY(recorder.messages.isEmpty());
    }

    void linksBetweenPagesWork() {
        HelpViewer viewer;
        QVERIFY(viewer.openFile(builtHelp()));
        viewer.show();
        // The first topic is the start page; its first link leads to the Input tab page.
        QCOMPARE(viewer.txtPage->source(), HelpBrowser::urlFor(QStringLiteral("index.html")));
        viewer.txtPage->setFocus();
        QTest::keyClick(viewer.txtPage, Qt::Key_Tab);
        QTest::keyClick(viewer.txtPage, Qt::Key_Return);
        QCOMPARE(viewer.txtPage->source(), HelpBrowser::urlFor(QStringLiteral("input.html")));
        QVERIFY(viewer.txtPage->toPlainText().contains(QStringLiteral("Muzzle Velocity")));
        QCOMPARE(viewer.lstContents->currentItem()->text(), QStringLiteral("Input Tab"));
        viewer.txtPage->backward();
        QCOMPARE(viewer.txtPage->source(), HelpBrowser::urlFor(QStringLiteral("index.html")));
    }

    void missingOrBrokenHelpFileIsReported() {
        PromptRecorder recorder;
        TestAppFolder app(false);
        QWidget owner;
        QVERIFY(!HelpViewer::showContents(&owner));
        QCOMPARE(recorder.lastText(),
                 QStringLiteral("ui mnuContents_Click: 53 - File not found: ") +
                     app.file(QStringLiteral("quorvel.chm")));

        app.write(QStringLiteral("quorvel.chm"), "this is not a help file");
        recorder.clear();
        QVERIFY(!HelpViewer::showContents(&owner));
        QCOMPARE(recorder.messages.size(), 1);
        QVERIFY(recorder.lastText().startsWith(QStringLiteral("ui mnuContents_Click: 53 - ")));
    }
};

QTEST_MAIN(HelpTest)
#include "tst_help.moc"
