#include "sim/SimCaptions.h"

#include "services/MNumber.h"
#include "sim/SessionFile.h"
#include "sim/SimSession.h"
#include "sim/SimSettings.h"

#include <algorithm>

QString SimCaptions::fovZoom(double fovFeet, int zoom) {
    if (fovFeet <= 0) return {};
    // The field of view is given at 100 yd, which is 3 feet of view per foot of box at zoom 1.
    return MNumber::shortText(static_cast<float>(fovFeet * 3.0 / std::max(zoom, 1))) +
           QStringLiteral(" feet @ zoom of: ") + QString::number(zoom);
}

QString SimCaptions::expectedHits(double expected, int hits) {
    return QStringLiteral("Expected Hits: ") + QString::number(expected, 'f', 1) +
           QStringLiteral(" (Hits: ") + QString::number(hits) + ')';
}

SimCaptions SimCaptions::of(const SimSettings& settings, const SimSession& session, double fovFeet,
                            const QString& cartridge, const QString& sessionFile) {
    SimCaptions c;
    c.lblRange =
        settings.isSimMetric() ? QStringLiteral("Range (m)") : QStringLiteral("Range (yd)");
    c.lblMaxrange = QStringLiteral("Maximum ") + c.lblRange;
    c.lblFovZoom = fovZoom(fovFeet, settings.sldZoom);
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
