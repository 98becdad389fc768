// File, Print: the Table tab prints its text in "Courier" 10 on landscape pages, the Graph tab
// prints a blank line and the chart's picture at the top left of a landscape page; any other tab
// prints nothing and says so. The same page drawing serves the printer and PDF files.
//
// How the window uses it (mnuPrint_Click):
//     if (!Printing::checkPrintableTab(tab)) return;             // message shown
//     Printing::printWithDialog(this, tab, txtOutput->toPlainText(), chartView->grab().toImage());
// and for a "Print to PDF" choice: Printing::printTabToPdf(path, tab, text, image).
// Failures are reported as "ui", "mnuPrint_Click".
#pragma once

#include "report/RangeCard.h"

#include <QImage>
#include <QString>

struct LoadSnapshot;
class QPagedPaintDevice;
class QWidget;

namespace Printing {

constexpr int tableTab = 1;
constexpr int graphTab = 2;

// True for the Table and Graph tabs; otherwise shows "Please select Table or Graph" titled
// "You can't print this tab" and returns false.
bool checkPrintableTab(int tab);

// Page drawing on any paged device (printer or PDF writer); the device is set to landscape.
// The table text may use CR LF or LF line ends; long tables continue on further pages.
bool printTable(QPagedPaintDevice& device, const QString& text);
// The chart at its on-screen size (shrunk to fit the page when larger).
bool printGraph(QPagedPaintDevice& device, const QImage& chart);

// Prints the tab's content on `device`; false (and nothing printed) for other tabs.
bool printTab(QPagedPaintDevice& device, int tab, const QString& tableText, const QImage& chart);
// The same into a PDF file at `path`.
bool printTabToPdf(const QString& path, int tab, const QString& tableText, const QImage& chart);
// Asks for a printer with the print dialog (landscape preset) and prints; false on Cancel.
bool printWithDialog(QWidget* parent, int tab, const QString& tableText, const QImage& chart);

// File, Print Range Card: asks for the card's page (whole or pocket) and rows, then prints the
// card of the load on screen through the print dialog (a PDF file is one of its choices), in
// points, the same size as `quorvel --card` writes it. A load no table can be computed from
// gives the field's message instead.
bool printRangeCardWithDialog(QWidget* parent, const LoadSnapshot& snapshot);
bool printRangeCardWithDialog(QWidget* parent, const LoadSnapshot& snapshot, RangeCard::Size size,
                              const RangeCard::Rows& rows);

} // namespace Printing
