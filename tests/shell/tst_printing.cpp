#include "PromptRecorder.h"
#include "shell/Printing.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/mount.h>
#include <unistd.h>

// File, Print through the PDF path: the same page drawing the printer gets.
class PrintingTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir;

    static QString tableText(int rows) {
        QString text = QStringLiteral("7.62   175 gr  2635 fps\r\n Range   Height  Hclicks\r\n");
        for (int r = 0; r < rows; ++r)
            text += QStringLiteral("   %1    -1.25        2\r\n").arg(r * 50, 4);
        return text;
    }

    static QString run(const QString& tool, const QStringList& args) {
        QProcess p;
        p.start(tool, args);
        if (!p.waitForFinished(30000)) return {};
        return QString::fromUtf8(p.readAllStandardOutput());
    }

    static void requireTool(const char* tool) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            QSKIP("poppler-utils are not installed");
    }

    // "Page size: 842 x 595 pts (A4)" -> true when wider than high.
    static bool landscape(const QString& pdf) {
        static const QRegularExpression size(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+)"));
        const QRegularExpressionMatch m = size.match(run("pdfinfo", {pdf}));
        return m.hasMatch() && m.captured(1).toDouble() > m.captured(2).toDouble();
    }

    static int pages(const QString& pdf) {
        static const QRegularExpression count(QStringLiteral("Pages:\\s+(\\d+)"));
        return count.match(run("pdfinfo", {pdf})).captured(1).toInt();
    }

private slots:
    void onlyTableAndGraphPrint() {
        for (int tab : {0, 3, 4}) {
            PromptRecorder recorder;
            const QString path = dir.filePath(QStringLiteral("tab%1.pdf").arg(tab));
            QVERIFY(!Printing::printTabToPdf(path, tab, tableText(3), QImage()));
            QCOMPARE(recorder.messages.size(), 1);
            QCOMPARE(recorder.lastText(), QStringLiteral("Please select Table or Graph"));
            QCOMPARE(recorder.lastTitle(), QStringLiteral("You can't print this tab"));
            QCOMPARE(recorder.messages.back().buttons, PromptButtons::Ok);
            QVERIFY(!QFile::exists(path));
        }
        PromptRecorder recorder;
        QVERIFY(Printing::checkPrintableTab(Printing::tableTab));
        QVERIFY(Printing::checkPrintableTab(Printing::graphTab));
        QVERIFY(recorder.messages.isEmpty());
    }

    void tablePrintsEveryLineInLandscape() {
        requireTool("pdftotext");
        PromptRecorder recorder;
        const QString pdf = dir.filePath(QStringLiteral("table.pdf"));
        QVERIFY(Printing::printTabToPdf(pdf, Printing::tableTab, tableText(120), QImage()));
        QVERIFY(recorder.messages.isEmpty());
        const QString text = run("pdftotext", {"-layout", pdf, "-"});
        QVERIFY2(text.contains(QRegularExpression(QStringLiteral("Range\\s+Height\\s+Hclicks"))),
                 qPrintable(text.left(400)));
        QVERIFY(text.contains(QRegularExpression(QStringLiteral("\\b0\\s+-1\\.25\\s+2"))));
        QVERIFY(
            text.contains(QRegularExpression(QStringLiteral("5950\\s+-1\\.25\\s+2")))); // last row
        QVERIFY(landscape(pdf));
        QVERIFY(pages(pdf) >= 2); // 122 lines do not fit one page
    }

    void everyPageOfATableStartsWithItsColumnHeadings() {
        requireTool("pdftotext");
        PromptRecorder recorder;
        QString text = QStringLiteral("7.62 \r\n Altitude : 0 ft\r\n \r\n"
                                      "    Range   Height  Hclicks \r\n"
                                      "  -------  -------  ------- \r\n");
        for (int r = 0; r < 150; ++r)
            text += QStringLiteral("   %1    -1.25        2\r\n").arg(r * 50, 6);
        const QString pdf = dir.filePath(QStringLiteral("headings.pdf"));
        QVERIFY(Printing::printTabToPdf(pdf, Printing::tableTab, text, QImage()));
        const int count = pages(pdf);
        QVERIFY(count >= 3);
        const QString printed = run("pdftotext", {"-layout", pdf, "-"});
        static const QRegularExpression headings(QStringLiteral("Range\\s+Height\\s+Hclicks"));
        QCOMPARE(printed.count(headings), count);
        // The load's lines above the headings are not repeated, and no row is printed twice.
        QCOMPARE(printed.count(QStringLiteral("Altitude")), 1);
        QCOMPARE(printed.count(QRegularExpression(QStringLiteral("\\b7450\\s"))), 1);
        // Without a rule of dashes nothing is taken for headings.
        const QString plain = dir.filePath(QStringLiteral("plain.pdf"));
        QVERIFY(Printing::printTabToPdf(plain, Printing::tableTab, tableText(150), QImage()));
        QCOMPARE(run("pdftotext", {"-layout", plain, "-"}).count(headings), 1);
    }

    void tableUsesCourierTenWhateverTheScreenFont() {
        requireTool("pdftotext");
        QFont screen = QApplication::font();
        screen.setPointSize(30);
        QApplication::setFont(screen);
        const QString pdf = dir.filePath(QStringLiteral("font.pdf"));
        QVERIFY(Printing::printTabToPdf(pdf, Printing::tableTab, tableText(2), QImage()));
        QApplication::setFont(QFont());

        // Word boxes are about one line high: a 10 point font gives boxes of roughly 10 to 13
        // points, a 30 point screen font would give three times that.
        const QString boxes = run("pdftotext", {"-bbox", pdf, "-"});
        static const QRegularExpression word(
            QStringLiteral("yMin=\"([\\d.]+)\" xMax=\"[\\d.]+\" yMax=\"([\\d.]+)\">Range<"));
        const QRegularExpressionMatch m = word.match(boxes);
        QVERIFY2(m.hasMatch(), qPrintable(boxes.left(600)));
        const double height = m.captured(2).toDouble() - m.captured(1).toDouble();
        QVERIFY2(height > 8 && height < 15, qPrintable(QString::number(height)));
        const QString fonts = run("pdffonts", {pdf});
        QVERIFY2(fonts.contains(QStringLiteral("Mono")) ||
                     fonts.contains(QStringLiteral("Courier")),
                 qPrintable(fonts));
    }

    void graphPrintsThePictureInLandscape() {
        requireTool("pdfinfo");
        PromptRecorder recorder;
        QImage chart(640, 400, QImage::Format_RGB32);
        chart.fill(Qt::white);
        QPainter(&chart).fillRect(0, 0, 320, 200, Qt::black);
        const QString pdf = dir.filePath(QStringLiteral("graph.pdf"));
        QVERIFY(Printing::printTabToPdf(pdf, Printing::graphTab, QString(), chart));
        QVERIFY(recorder.messages.isEmpty());
        QVERIFY(landscape(pdf));
        QCOMPARE(pages(pdf), 1);

        // The picture sits at the top left: the page rendered shows black there.
        if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty()) return;
        const QString prefix = dir.filePath(QStringLiteral("graph"));
        run("pdftoppm", {"-png", "-r", "30", "-singlefile", pdf, prefix});
        const QImage page(prefix + ".png");
        QVERIFY(!page.isNull());
        QVERIFY(page.width() > page.height());
        const QColor topLeft = page.pixelColor(page.width() / 10, page.height() / 10);
        const QColor bottomRight = page.pixelColor(page.width() * 9 / 10, page.height() * 9 / 10);
        QVERIFY(topLeft.lightness() < 60);
        QVERIFY(bottomRight.lightness() > 200);
    }

    void graphWithoutPictureIsReported() {
        PromptRecorder recorder;
        QVERIFY(!Printing::printTabToPdf(dir.filePath(QStringLiteral("none.pdf")),
                                         Printing::graphTab, QString(), QImage()));
        QCOMPARE(recorder.lastText(), QStringLiteral("ui mnuPrint_Click: 481 - Invalid picture"));
    }

    void unwritablePathIsReported() {
        PromptRecorder recorder;
        const QString path = dir.filePath(QStringLiteral("missing/folder/table.pdf"));
        QVERIFY(!Printing::printTabToPdf(path, Printing::tableTab, tableText(2), QImage()));
        QCOMPARE(recorder.messages.size(), 1);
        QVERIFY(recorder.lastText().startsWith(QStringLiteral("ui mnuPrint_Click: 75 - ")));
    }

    // File > Print to PDF onto a device that is always full: one message naming the reason.
    void aFullDeviceIsOneMessage() {
        if (!QFile::exists(QStringLiteral("/dev/full"))) QSKIP("no /dev/full");
        PromptRecorder recorder;
        QVERIFY(!Printing::printTabToPdf(QStringLiteral("/dev/full"), Printing::tableTab,
                                         tableText(2), QImage()));
        QCOMPARE(recorder.messages.size(), 1);
        QVERIFY2(recorder.lastText().startsWith(QStringLiteral("ui mnuPrint_Click: 75 - ")) &&
                     recorder.lastText().contains(QStringLiteral("No space left on device")),
                 qPrintable(recorder.lastText()));
        QVERIFY(QFile::exists(QStringLiteral("/dev/full")));
    }

    // A PDF that does not fit on the disk leaves the PDF that was there as it was.
    void aFullDiskKeepsTheEarlierPdf() {
        const QString disk = dir.filePath(QStringLiteral("disk"));
        QDir().mkpath(disk);
        if (geteuid() != 0 ||
            ::mount("tmpfs", QFile::encodeName(disk).constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP("mounting a small file system needs root");
        const struct Unmount {
            QByteArray path;
            ~Unmount() { ::umount(path.constData()); }
        } unmount{QFile::encodeName(disk)};
        const QString pdf = disk + QStringLiteral("/table.pdf");
        QVERIFY(Printing::printTabToPdf(pdf, Printing::tableTab, tableText(2), QImage()));
        QFile first(pdf);
        QVERIFY(first.open(QIODevice::ReadOnly));
        const QByteArray before = first.readAll();
        first.close();
        QFile filler(disk + QStringLiteral("/filler"));
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        while (filler.write(QByteArray(4096, 'x')) == 4096) {
        }
        filler.close();
        QVERIFY2(QStorageInfo(disk).bytesAvailable() < 4096,
                 qPrintable(QString::number(QStorageInfo(disk).bytesAvailable())));

        PromptRecorder recorder;
        const bool written =
            Printing::printTabToPdf(pdf, Printing::tableTab, tableText(120), QImage());
        QFile after(pdf);
        QVERIFY(after.open(QIODevice::ReadOnly));
        const QByteArray kept = after.readAll();
        after.close();
        QVERIFY(!written);
        QCOMPARE(recorder.messages.size(), 1);
        QVERIFY(kept == before);
    }
};

QTEST_MAIN(PrintingTest)
#include "tst_printing.moc"
