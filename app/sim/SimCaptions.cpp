#include "sim/SimCaptions.h"

#include "services/MNumber.h"
#include "services/UnitText.h"
#include "sim/SessionFile.h"
#include "sim/SimSession.h"
#include "sim/SimSettings.h"

#include <algorithm>

namespace {
// The view's width in metres, to the centimetre.
constexpr int MetreDecimals = 2;
} // namespace

QString SimCaptions::fovZoom(double fovFeet, int zoom, const Units::ShownUnits& units) {
    if (fovFeet <= 0) return {};
    // The field of view is given at 100 yd, which is 3 feet of view per foot of box at zoom 1.
    const double feet = fovFeet * 3.0 / std::max(zoom, 1);
    const QString tail = QStringLiteral(" @ zoom of: ") + QString::number(zoom);
    if (units.isStored(Units::Quantity::Length))
        return MNumber::shortText(static_cast<float>(feet)) + QStringLiteral(" feet") + tail;
    // The view spans metres where the shooter's small lengths are centimetres.
    return UnitText::decimalText(feet * Units::MetresPerFoot, MetreDecimals) +
           QStringLiteral(" m") + tail;
}

QString SimCaptions::expectedHits(double expected, int hits) {
    return QStringLiteral("Expected Hits: ") + QString::number(expected, 'f', 1) +
           QStringLiteral(" (Hits: ") + QString::number(hits) + ')';
}

SimCaptions SimCaptions::of(const SimSettings& settings, const SimSession& session, double fovFeet,
                            const QString& cartridge, const QString& sessionFile,
                            const Units::ShownUnits& units) {
    SimCaptions c;
    c.lblRange =
        settings.isSimMetric() ? QStringLiteral("Range (m)") : QStringLiteral("Range (yd)");
    c.lblMaxrange = QStringLiteral("Maximum ") + c.lblRange;
    c.lblFovZoom = fovZoom(fovFeet, settings.sldZoom, units);
    c.picHUDToolTip = settings.txtSimNotes;
    c.lblHits = QStringLiteral("Red Hits: ") + QString::number(session.redHits);
    c.lblBlueHits = QStringLiteral("Blue Hits: ") + QString::number(session.blueHits);
    c.lblMisses = QStringLiteral("Misses: ") + QString::number(session.misses);
    c.lblExpectedHits = expectedHits(session.expectedHits, session.redHits + session.blueHits);
    c.lblSessionScore =
        QStringLiteral("Session Score: ") + MNumber::shortText(session.sessionScore);
    c.lblTotalScore = QStringLiteral("Total Score: ") + MNumber::shortText(session.totalScore);
    c.caption = SessionFile::windowCaption(cartridge, sessionFile);
    return c;
}
