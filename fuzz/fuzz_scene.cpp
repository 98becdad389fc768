// A session together with the pictures it names, so that damaged sessions and damaged pictures
// meet (the input's layout: SceneInput.h). The pictures are written into back/, targetw/ and
// sightw/ under the names the session gives them, then the simulator starts with the session as
// the window starts it: each record sets its control, the picture lists load their pictures, the
// scene is drawn. The target is then drawn see-through and plain with the reticle picture on, a
// shot is fired, and the session is saved.
#include "FuzzSim.h"
#include "FuzzSupport.h"
#include "SceneInput.h"

#include "sim/CSimFiring.h"

namespace {

using fuzz::fail;
using fuzz::SceneInput;
using Check = SimControls::Check;

constexpr int ViewSide = 64;

void putPictures(const SceneInput& in, const QString& sessionFile) {
    static std::array<QString, SceneInput::PartCount> written; // the last input's pictures
    for (QString& path : written)
        if (!path.isEmpty()) fuzz::putPicture(path, QByteArrayView());
    fuzz::clearMasks();
    const auto names = fuzz::scenePictureNames(sessionFile);
    for (int part = 0; part < SceneInput::PartCount; ++part) {
        const QByteArrayView picture = in.pictures[size_t(part)];
        const QString path = fuzz::scenePicturePath(SceneInput::Part(part), names[size_t(part)]);
        written[size_t(part)] = picture.isNull() ? QString() : path;
        if (!written[size_t(part)].isEmpty()) fuzz::putPicture(path, picture);
    }
}

void checkScene(const CSim& sim) {
    if (sim.scene.picture.size() != QSize(ViewSide, ViewSide))
        fail("the scene is not the view's size");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto& env = fuzz::environment();
    const SceneInput in =
        SceneInput::split(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    for (const QByteArrayView picture : in.pictures)
        if (fuzz::tooLargeToSimulate(picture)) return 0;
    const QString sessionFile =
        env.write(QStringLiteral("input.ssn"), reinterpret_cast<const uint8_t*>(in.session.data()),
                  size_t(in.session.size()));
    putPictures(in, sessionFile);

    fuzz::Simulator s(ViewSide, sessionFile);
    checkScene(s.sim);
    s.host.controls.checkClick(Check::UserGraphic, 1);
    s.host.controls.checkClick(Check::Transparent, 1);
    CSimFiring firing(s.sim);
    firing.CmdFire_Click(0);
    s.host.controls.checkClick(Check::Transparent, 0);
    checkScene(s.sim);
    s.sim.sessionFile = env.path(QStringLiteral("saved.ssn"));
    if (!s.sim.dataSave()) fail("a session could not be saved");
    return 0;
}
