// The range card: one page for the pocket (printed at half size) with the load, the atmosphere
// it was computed for, and a table of range, elevation and 10-mph wind corrections in the load's
// unit, velocity and time of flight at the table's range steps. Drawn with a QPainter, so the
// print dialog, the PDF writer and the tests share one drawing.
#pragma once

#include "services/Problem.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

struct LoadSnapshot;
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

// The card of a snapshot's load, or why there is none.
struct Collected {
    Card card;
    bool collected = false;         // the card holds the load's lines
    QString problem;                // the field at fault and its message
    std::optional<Problem> failure; // a failure, for the entry point to report (none when the
                                    // solver binding reported it itself)

    bool ok() const { return collected && problem.isEmpty() && !failure; }
};
Collected collect(const LoadSnapshot& snapshot);

// Draws the card into `page` (device units of the painter).
void draw(QPainter& painter, const QRectF& page, const Card& card);

// Writes the card as a one-page PDF, replacing a file at `path` only once it is whole. False,
// with the reason in `problem` ("No space left on device"), when it could not be written.
bool writePdf(const QString& path, const Card& card, QString& problem);

} // namespace RangeCard
