// The range card: the load, the atmosphere it was computed for, and a table of range, elevation
// and 10-mph wind corrections in the load's unit, velocity and time of flight, on a whole page or
// on a pocket card (A6, landscape) to tape to a stock. Drawn with a QPainter in points, so the
// print dialog, the PDF writer and the tests share one drawing, the same size on any printer.
#pragma once

#include "services/Problem.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

struct LoadSnapshot;
class QPageLayout;
class QPagedPaintDevice;
class QPainter;
class QRectF;

namespace RangeCard {

struct Line {
    float range = 0;
    float elevation = 0;  // correction to dial, clicks or mils (up positive)
    float wind = 0;       // correction for a full-value 10 mph wind from the left (left negative)
    float velocity = 0;   // the card's velocity unit
    float time = 0;       // s
    QString soundBarrier; // "transonic" or "subsonic" where the bullet turns so (precision model)
};

struct Card {
    QString title;          // the cartridge
    QStringList facts;      // "Bullet: 168 gr, BC 0.462 (G1 Standard Flat Base)", ...
    QString correctionUnit; // "clicks" (quarter MOA) or "mils"
    QString rangeUnit;      // "yd" or "m"
    QString velocityUnit = QStringLiteral("ft/s");
    QDate date;
    std::vector<Line> lines;
};

enum class Size { Page, Pocket };

// The rows a shooter picks: from `first` to `last` every `step` (range unit). 0 for `last` or
// `step`: the load's maximum range and increment.
struct Rows {
    int first = 0;
    int last = 0;
    int step = 0;
};

// The rows a card of `size` gets when the shooter picks none: the table's on a page; on a pocket
// card, every 100 yd or m (the load's increment when that is larger).
Rows defaultRows(Size size, int maxRange, int increment);

// Why `rows` give no card for a load with this maximum range (the range unit's name in `unit`),
// or an empty text.
QString rowsProblem(const Rows& rows, int maxRange, const QString& unit);

// The page a card of `size` is made for, margins included.
QPageLayout pageLayout(Size size);

// The card of a snapshot's load, or why there is none.
struct Collected {
    Card card;
    bool collected = false;         // the card holds the load's lines
    QString problem;                // the field at fault and its message
    std::optional<Problem> failure; // a failure, for the entry point to report
    QList<Problem> solverFailures;  // the solver binding's, which arose ahead of `failure`

    bool ok() const { return collected && problem.isEmpty() && !failure; }
};
Collected collect(const LoadSnapshot& snapshot, const Rows& rows = {});

// Draws the card into `page` (device units of the painter), its lines from `firstLine` on, as
// many as fit; returns the index of the first line left for the next page. The type is sized in
// points from the page's size in points, so a card has the same size on any device.
int draw(QPainter& painter, const QRectF& page, const Card& card, int firstLine = 0);

// The whole card on `device`'s pages (pageLayout() is the card's own), continuing on further
// pages, title and headings repeated, when its lines do not fit one. False when the device
// cannot be drawn on.
bool print(QPagedPaintDevice& device, const Card& card);

// Writes the card as a PDF, replacing a file at `path` only once it is whole. False, with the
// reason in `problem` ("No space left on device"), when it could not be written.
bool writePdf(const QString& path, const Card& card, QString& problem, Size size = Size::Page);

} // namespace RangeCard
