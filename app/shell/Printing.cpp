#include "shell/Printing.h"
#include "services/ErrorNumbers.h"

#include "load/LoadSnapshot.h"
#include "load/MPrint.h"
#include "report/PdfFile.h"
#include "report/RangeCard.h"
#include "services/Problem.h"
#include "services/Prompt.h"
#include "shell/dlgRangeCard.h"

#include <QFontMetrics>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <exception>

namespace Printing {

namespace {
const QString kForm = QStringLiteral("ui");
const QString kOperation = QStringLiteral("mnuPrint_Click");

// The size in points of the table font, whatever the screen font is.
constexpr int tableFontSize = 10;
// Screens are taken to draw 96 pixels per inch when a picture carries no resolution of its own.
constexpr double screenDpi = 96.0;

// A printer draws only inside the margins; a page printed to the edge loses its first letters
// under many printers' grippers, and a page in a ring binder its first column.
constexpr double leastMarginInches = 0.5;

void keepMargins(QPagedPaintDevice& device) {
    const QMarginsF now = device.pageLayout().margins(QPageLayout::Inch);
    const QMarginsF wanted(
        std::max(now.left(), leastMarginInches), std::max(now.top(), leastMarginInches),
        std::max(now.right(), leastMarginInches), std::max(now.bottom(), leastMarginInches));
    device.setPageMargins(wanted, QPageLayout::Inch);
}

bool beginLandscape(QPainter& painter, QPagedPaintDevice& device) {
    device.setPageOrientation(QPageLayout::Landscape);
    keepMargins(device);
    if (painter.begin(&device)) return true;
    Problems::report(Problem::failure(kForm, kOperation, ErrorNumbers::PrinterError,
                                      QStringLiteral("Printer error")));
    return false;
}

QFont tableFont() {
    QFont font(QStringLiteral("Courier"), tableFontSize);
    font.setStyleHint(QFont::TypeWriter); // a monospaced stand-in where Courier is missing
    font.setFixedPitch(true);
    font.setBold(false);
    font.setItalic(false);
    font.setUnderline(false);
    return font;
}

// The print dialog's "Print to File (PDF)": such a file is written whole or not at all, as
// File > Print to PDF writes it, rather than by the printer's own PDF engine, which neither
// checks its writes nor keeps the earlier file.
bool printsToPdfFile(const QPrinter& printer) {
    return printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
}

double imageDpi(const QImage& image) {
    const double dpi = image.dotsPerMeterX() * 0.0254;
    return dpi > 1 ? dpi * image.devicePixelRatio() : screenDpi * image.devicePixelRatio();
}
} // namespace

bool checkPrintableTab(int tab) {
    if (tab == tableTab || tab == graphTab) return true;
    prompt().ask(QStringLiteral("Please select Table or Graph"),
                 QStringLiteral("You can't print this tab"), PromptButtons::Ok, PromptIcon::None);
    return false;
}

bool printTable(QPagedPaintDevice& device, const QString& text) {
    QPainter painter;
    if (!beginLandscape(painter, device)) return false;
    const QFont font = tableFont();
    painter.setFont(font);
    const QFontMetrics metrics(font, &device);
    const int lineHeight = metrics.lineSpacing();
    const int pageHeight = device.height();
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = text.split(lineEnd);
    if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast(); // the final line end
    // Every page after the first starts with the column headings, so that each reads alone.
    const int headings = MPrint::headingsEnd(lines);
    const int headingsStart = std::max(0, headings - 2);
    int y = 0;
    for (int i = 0; i < lines.size(); ++i) {
        if (y > 0 && y + lineHeight > pageHeight) {
            device.newPage();
            y = 0;
            if (i >= headings && (headings - headingsStart + 1) * lineHeight < pageHeight) {
                for (int h = headingsStart; h < headings; ++h) {
                    painter.drawText(0, y + metrics.ascent(), lines[h]);
                    y += lineHeight;
                }
            }
        }
        painter.drawText(0, y + metrics.ascent(), lines[i]);
        y += lineHeight;
    }
    return painter.end();
}

bool printGraph(QPagedPaintDevice& device, const QImage& chart) {
    if (chart.isNull()) {
        Problems::report(Problem::failure(kForm, kOperation, ErrorNumbers::InvalidPicture,
                                          QStringLiteral("Invalid picture")));
        return false;
    }
    QPainter painter;
    if (!beginLandscape(painter, device)) return false;
    // The picture goes to the page's top left corner; the blank line that the printout starts
    // with only moves the text position, which nothing after it uses.
    const double scale = device.logicalDpiX() / imageDpi(chart);
    QSizeF size(chart.width() * scale, chart.height() * scale);
    const QSizeF page(device.width(), device.height());
    if (size.width() > page.width() || size.height() > page.height())
        size.scale(page, Qt::KeepAspectRatio);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(QPointF(0, 0), size), chart);
    return painter.end();
}

bool printTab(QPagedPaintDevice& device, int tab, const QString& tableText, const QImage& chart) {
    try {
        if (tab == tableTab) return printTable(device, tableText);
        if (tab == graphTab) return printGraph(device, chart);
    } catch (const std::exception& e) {
        Problems::report(Problem::failure(kForm, kOperation, ErrorNumbers::InvalidCall,
                                          QString::fromLocal8Bit(e.what())));
    }
    return false;
}

bool printTabToPdf(const QString& path, int tab, const QString& tableText, const QImage& chart) {
    if (!checkPrintableTab(tab)) return false;
    // Written whole or not at all: a full disk leaves an earlier PDF at the path as it was.
    const PdfFile::Result result = PdfFile::write(path, [&](QPdfWriter& writer) {
        writer.setTitle(tab == tableTab ? QStringLiteral("Quorvel Table")
                                        : QStringLiteral("Quorvel Graph"));
        writer.setCreator(QStringLiteral("Quorvel"));
        return printTab(writer, tab, tableText, chart);
    });
    if (!result.written && !result.problem.isEmpty())
        Problems::report(Problem::failure(
            kForm, kOperation, ErrorNumbers::PathAccess,
            QStringLiteral("Path/File access error: %1 (%2)").arg(path, result.problem)));
    return result.written;
}

bool printWithDialog(QWidget* parent, int tab, const QString& tableText, const QImage& chart) {
    if (!checkPrintableTab(tab)) return false;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Print"));
    if (dialog.exec() != QDialog::Accepted) return false;
    if (printsToPdfFile(printer))
        return printTabToPdf(printer.outputFileName(), tab, tableText, chart);
    return printTab(printer, tab, tableText, chart);
}

bool printRangeCardWithDialog(QWidget* parent, const LoadSnapshot& snapshot) {
    // A load no table can be computed from is told before any question about the card.
    if (const QString problem = snapshot.loadProblem(); !problem.isEmpty()) {
        showMessage(problem, QStringLiteral("Number out of Range"));
        return false;
    }
    const CInput& load = snapshot.values.in1;
    dlgRangeCard choice(load.imaxyds, load.iydsinc,
                        snapshot.form.isMetric() ? QStringLiteral("m") : QStringLiteral("yd"),
                        parent);
    if (choice.exec() != QDialog::Accepted) return false;
    return printRangeCardWithDialog(parent, snapshot, choice.size(), choice.rows());
}

bool printRangeCardWithDialog(QWidget* parent, const LoadSnapshot& snapshot, RangeCard::Size size,
                              const RangeCard::Rows& rows) {
    const RangeCard::Collected collected = RangeCard::collect(snapshot, rows);
    Problems::report(collected.solverFailures);
    if (collected.failure) Problems::report(*collected.failure);
    if (!collected.ok()) {
        if (!collected.problem.isEmpty())
            showMessage(collected.problem, QStringLiteral("Number out of Range"));
        return false;
    }
    const RangeCard::Card& card = collected.card;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(RangeCard::pageLayout(size));
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Print Range Card"));
    if (dialog.exec() != QDialog::Accepted) return false;
    if (printsToPdfFile(printer)) {
        QString problem;
        if (RangeCard::writePdf(printer.outputFileName(), card, problem, size)) return true;
        Problems::report(Problem::failure(kForm, QStringLiteral("mnuPrintCard_Click"),
                                          ErrorNumbers::PathAccess,
                                          QStringLiteral("Path/File access error: %1 (%2)")
                                              .arg(printer.outputFileName(), problem)));
        return false;
    }
    if (RangeCard::print(printer, card)) return true;
    Problems::report(Problem::failure(kForm, QStringLiteral("mnuPrintCard_Click"),
                                      ErrorNumbers::PrinterError, QStringLiteral("Printer error")));
    return false;
}

} // namespace Printing
