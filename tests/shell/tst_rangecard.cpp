// The range card's drawing in points: the same type on a 72-dpi PDF page and a 300-dpi printer
// page, a long card going on over pages with its headings, and the dialog that picks the page
// and the rows before File > Print Range Card's print dialog.
#include "PromptRecorder.h"
#include "TestAppFolder.h"
#include "load/InputFields.h"
#include "load/LoadModel.h"
#include "report/RangeCard.h"
#include "shell/Printing.h"
#include "shell/dlgRangeCard.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <algorithm>

namespace {

RangeCard::Card cardOf(int rows) {
    RangeCard::Card card;
    card.title = QStringLiteral("308 Win 168 gr");
    card.facts = {QStringLiteral("Bullet: 168 gr, BC 0.462 (G1 Standard Flat Base)"),
                  QStringLiteral("Muzzle velocity: 2650 ft/s"),
                  QStringLiteral("Zero: 100 yd, sight height 1.5 in"),
                  QStringLiteral("Air: standard (sea level, 59 \u00B0F)"),
                  QStringLiteral("Wind: 10 mph full value from the left. Dial: up +, left -")};
    card.correctionUnit = QStringLiteral("clicks");
    card.rangeUnit = QStringLiteral("yd");
    card.date = QDate(2026, 12, 9);
    for (int i = 0; i < rows; ++i) {
        RangeCard::Line line;
        line.range = float(i * 25);
        line.elevation = float(i * 3);
        line.wind = float(-i);
        line.velocity = 2650.0f - float(i * 40);
        line.time = 0.04f * float(i);
        card.lines.push_back(line);
    }
    return card;
}

// The card's A4 page drawn at `dpi`, as a grey picture of the printable area.
QImage drawnAt(const RangeCard::Card& card, int dpi) {
    const QRect page = RangeCard::pageLayout(RangeCard::Size::Page).paintRectPixels(dpi);
    QImage image(page.size(), QImage::Format_Grayscale8);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    const int next = RangeCard::draw(painter, QRectF(QPointF(0, 0), page.size()), card);
    painter.end();
    return next == int(card.lines.size()) ? image : QImage();
}

// The heights, in points, of the bands of rows that carry ink, top to bottom: one per text line
// (and one for the rule under the headings).
QList<double> inkBands(const QImage& image, int dpi) {
    QList<double> bands;
    int start = -1;
    for (int y = 0; y <= image.height(); ++y) {
        bool ink = false;
        if (y < image.height()) {
            const uchar* line = image.constScanLine(y);
            ink = std::any_of(line, line + image.width(), [](uchar grey) { return grey < 128; });
        }
        if (ink && start < 0) start = y;
        if (!ink && start >= 0) {
            bands << (y - start) * 72.0 / dpi;
            start = -1;
        }
    }
    return bands;
}

double median(QList<double> values) {
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values[values.size() / 2];
}

QString run(const QString& tool, const QStringList& args) {
    QProcess p;
    p.start(tool, args);
    if (!p.waitForFinished(30000)) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class RangeCardTest : public QObject {
    Q_OBJECT

private slots:
    void theTypeIsTheSameSizeInPointsAtAnyResolution_data() {
        QTest::addColumn<int>("rows");
        QTest::newRow("a short card") << 5;
        QTest::newRow("a full page") << 41;
    }
    void theTypeIsTheSameSizeInPointsAtAnyResolution() {
        QFETCH(int, rows);
        const RangeCard::Card card = cardOf(rows);
        const QImage pdf = drawnAt(card, 72), printer = drawnAt(card, 300);
        QVERIFY(!pdf.isNull() && !printer.isNull());
        const QList<double> coarse = inkBands(pdf, 72), fine = inkBands(printer, 300);
        // Title, five facts, headings, the rule and one band per row.
        QCOMPARE(fine.size(), 1 + 5 + 1 + 1 + rows);
        QCOMPARE(coarse.size(), fine.size());
        // A text line's height in points agrees to within the 72-dpi page's one-point pixels.
        QVERIFY2(std::abs(median(coarse) - median(fine)) <= 1.5,
                 qPrintable(QStringLiteral("%1 pt at 72 dpi, %2 pt at 300 dpi")
                                .arg(median(coarse))
                                .arg(median(fine))));
        // Readable at arm's length: the rows' figures are at least 5.5 pt high (8 pt type),
        // and a short card is not blown up to poster type.
        QVERIFY2(median(fine) >= 5.5 && median(fine) <= 16,
                 qPrintable(QString::number(median(fine))));
    }

    // The printer's path: the card drawn on a 1200-dpi device has the type of a 72-dpi one.
    void aPdfAtPrinterResolutionHasTheSameTypeAsOneAt72Dpi() {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("poppler-utils are not installed");
        QTemporaryDir dir;
        QList<double> heights;
        for (const int dpi : {72, 1200}) {
            const QString path = dir.filePath(QStringLiteral("card%1.pdf").arg(dpi));
            QPdfWriter writer(path);
            writer.setResolution(dpi);
            writer.setPageLayout(RangeCard::pageLayout(RangeCard::Size::Page));
            QVERIFY(RangeCard::print(writer, cardOf(12)));
            QVERIFY(QFile::exists(path));
        }
        for (const int dpi : {72, 1200}) {
            const QString boxes = run(QStringLiteral("pdftotext"),
                                      {QStringLiteral("-bbox"),
                                       dir.filePath(QStringLiteral("card%1.pdf").arg(dpi)), "-"});
            static const QRegularExpression word(
                QStringLiteral("yMin=\"([\\d.]+)\" xMax=\"[\\d.]+\" yMax=\"([\\d.]+)\">Muzzle<"));
            const QRegularExpressionMatch m = word.match(boxes);
            QVERIFY2(m.hasMatch(), qPrintable(boxes.left(800)));
            heights << m.captured(2).toDouble() - m.captured(1).toDouble();
        }
        QVERIFY2(std::abs(heights[0] - heights[1]) < 0.5 && heights[0] > 8,
                 qPrintable(QStringLiteral("%1 pt and %2 pt").arg(heights[0]).arg(heights[1])));
    }

    void aLongCardGoesOnOverPagesWithItsHeadings() {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("poppler-utils are not installed");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("long.pdf"));
        QString problem;
        QVERIFY(RangeCard::writePdf(path, cardOf(40), problem, RangeCard::Size::Pocket));
        const QString info = run(QStringLiteral("pdfinfo"), {path});
        // A6 (105 x 148 mm) on its side.
        static const QRegularExpression size(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+)"));
        const QRegularExpressionMatch m = size.match(info);
        QVERIFY2(qAbs(m.captured(1).toDouble() - 419.5) < 1.5, qPrintable(info));
        QVERIFY2(qAbs(m.captured(2).toDouble() - 297.6) < 1.5, qPrintable(info));
        const int pages =
            QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info).captured(1).toInt();
        QVERIFY2(pages >= 2, qPrintable(info));
        const QString text =
            run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, "-"});
        QCOMPARE(text.count(QStringLiteral("Range")), pages);
        QCOMPARE(text.count(QStringLiteral("308 Win 168 gr")), pages);
        // Every row once: the last row's range is on the last page.
        QVERIFY(text.contains(QRegularExpression(QStringLiteral("\\b975\\s+117\\b"))));
        QCOMPARE(text.count(QRegularExpression(QStringLiteral("\\b950\\s+114\\b"))), 1);
    }

    void thePocketCardPicksItsOwnRows() {
        dlgRangeCard dialog(1000, 25, QStringLiteral("yd"));
        QCOMPARE(dialog.size(), RangeCard::Size::Page);
        QCOMPARE(dialog.rows().step, 25);
        QCOMPARE(dialog.rows().last, 1000);
        dialog.optPocket->setChecked(true);
        QCOMPARE(dialog.size(), RangeCard::Size::Pocket);
        QCOMPARE(dialog.rows().step, 100);
        QCOMPARE(dialog.txtStep->suffix(), QStringLiteral(" yd"));
        // The shooter's own rows; the last range cannot pass the load's maximum.
        dialog.txtFirst->setValue(300);
        dialog.txtLast->setValue(5000);
        dialog.txtStep->setValue(50);
        const RangeCard::Rows rows = dialog.rows();
        QCOMPARE(rows.first, 300);
        QCOMPARE(rows.last, 1000);
        QCOMPARE(rows.step, 50);
        // A load whose increment is larger than the pocket's keeps it.
        dlgRangeCard wide(2000, 250, QStringLiteral("m"));
        wide.optPocket->setChecked(true);
        QCOMPARE(wide.rows().step, 250);
    }

    void enterPrintsAndEscapeCancels() {
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
            dlgRangeCard dialog(1000, 25, QStringLiteral("yd"));
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            dialog.txtStep->setFocus();
            QTest::keyClick(QApplication::focusWidget(), key);
            QCOMPARE(dialog.result(),
                     key == Qt::Key_Return ? int(QDialog::Accepted) : int(QDialog::Rejected));
            QVERIFY(!dialog.isVisible());
        }
    }

    void aLoadWithABadFieldIsToldBeforeAnyQuestion() {
        TestAppFolder folder;
        PromptRecorder prompts;
        LoadModel model;
        model.form = LoadForm::initial();
        model.refreshAllFields();
        model.form.fields[InputFields::MuzzleVelocity] = QStringLiteral("-5");
        const LoadSnapshot snapshot = model.snapshot();
        QVERIFY(!snapshot.loadProblem().isEmpty());
        // Any dialog shown would be a question asked in vain: close it and say so.
        bool asked = false;
        QTimer guard;
        connect(&guard, &QTimer::timeout, [&asked] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                asked = true;
                modal->close();
            }
        });
        guard.start(20);
        QVERIFY(!Printing::printRangeCardWithDialog(nullptr, snapshot));
        QVERIFY(!asked);
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.lastText(), snapshot.loadProblem());
    }

    void rowsBeyondTheLoadAreRefusedWithTheirLimits() {
        QVERIFY(RangeCard::rowsProblem({0, 0, 0}, 1000, "yd").isEmpty());
        QVERIFY(RangeCard::rowsProblem({100, 600, 50}, 1000, "yd").isEmpty());
        const QString beyond = RangeCard::rowsProblem({0, 1200, 100}, 1000, "yd");
        QVERIFY(beyond.contains(QStringLiteral("1000 yd")));
        QVERIFY(!RangeCard::rowsProblem({700, 600, 50}, 1000, "yd").isEmpty());
    }
};

QTEST_MAIN(RangeCardTest)
#include "tst_rangecard.moc"
