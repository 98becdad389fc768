// The simulator's pictures on arbitrary bytes, along the paths the window takes. The bytes are
// checked and decoded on their own, then become every picture the simulator loads: the background
// (back/), the target (targetw/redBlue.gif, whose zone colours are sampled when chosen), the
// reticle (sightw/) and the empty-scene picture (hello.bmp), each named as the format the bytes
// start like (BMP, JPEG, GIF). The lists are validated as the controls do, the scene is drawn
// see-through and plain with the reticle picture on, a zone colour is picked and a shot fired,
// and the view is resized, which loads the pictures again and reads the masks saved before.
//
// What must hold: the check lets through nothing the decoder refuses, at the header's size; the
// simulator takes exactly the decoded picture, or refuses it with a problem and draws none of
// it; a mask is the white picture with its pure white turned black, and reads back the same.
#include "FuzzSim.h"
#include "FuzzSupport.h"
#include "SamePixels.h"

#include "sim/CSimFiring.h"
#include "sim/PictureCheck.h"
#include "sim/Raster.h"
#include "sim/SimPictures.h"

#include <cstring>

namespace {

using fuzz::fail;
using List = SimControls::List;
using Check = SimControls::Check;

constexpr int ViewSide = 64;        // small: every input is drawn, cheaply
constexpr int ResizedSide = 80;     // a second view size, as a window resize gives
constexpr bool PicturesOnly = true; // no trajectory, no sight lines: see fuzz::Simulator

void checkTaken(const SimPictures& p, const QImage& decoded, QSize view) {
    if (decoded.isNull()) {
        if (!p.targetW.isNull() || !p.targetB.isNull()) fail("a refused target was taken");
        if (p.reticleLoaded) fail("a refused reticle was taken");
        if (!p.background.isNull()) fail("a refused background was taken");
        return;
    }
    if (!samePixels(p.targetW, decoded)) fail("the target is not the decoded picture");
    if (!samePixels(p.targetB, Raster::convertWhiteToBlack(decoded)))
        fail("the target's mask is not its white turned black");
    if (!p.reticleLoaded || p.reticleW.size() != view || p.reticleB.size() != view)
        fail("a whole reticle was not stretched to the view");
    if (p.background.size() != view) fail("a whole background was not stretched to the view");
}

void checkScene(const CSim& sim, int side) {
    if (sim.scene.picture.size() != QSize(side, side)) fail("the scene is not the view's size");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto& env = fuzz::environment();
    fuzz::ensureGuiApplication();
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    if (fuzz::tooLargeToSimulate(bytes)) return 0;
    const PictureCheck::Verdict verdict = PictureCheck::check(bytes);
    const QImage decoded = Raster::decodePicture(bytes);
    if (!decoded.isNull() && !verdict.whole()) fail("a refused picture was decoded");
    if (!decoded.isNull() && decoded.size() != verdict.size)
        fail("a picture decoded to another size than its header gave");

    // Refusing is one path in the simulator, whatever the reason: the decoder's verdict above
    // is checked for every input, the simulator's handling of a refused picture for one in 16
    // (chosen by the bytes, so a run repeats), and every picture the decoder takes goes all
    // the way.
    if (decoded.isNull() && qHash(bytes) % 16 != 0) return 0;

    fuzz::clearMasks();
    const QString name = fuzz::pictureName(QStringLiteral("picture"), bytes);
    const QString target = QString::fromLatin1(SimPictures::RedBlueTarget);
    fuzz::putPicture(QStringLiteral("back/") + name, bytes);
    fuzz::putPicture(QStringLiteral("targetw/") + target, bytes);
    fuzz::putPicture(QStringLiteral("sightw/") + name, bytes);
    fuzz::putPicture(QStringLiteral("hello.bmp"), bytes);

    const long messagesBefore = env.prompt.messages;
    fuzz::Simulator s(ViewSide, QString(), PicturesOnly); // hello.bmp is the empty scene
    CSim& sim = s.sim;
    SimControls& controls = s.host.controls;
    controls.checkClick(Check::UserGraphic, 1);
    controls.checkClick(Check::Transparent, 1);
    controls.listChange(List::Target, target);
    controls.listChange(List::Reticle, name);
    controls.listChange(List::Background, name);
    checkTaken(sim.scene.pictures, decoded, QSize(ViewSide, ViewSide));
    // Hello, background, target and reticle: each refusal is said once, or handed to the
    // window's handler to say.
    const long said = env.prompt.messages - messagesBefore + long(sim.takeProblems().size());
    if (decoded.isNull() && said < 4) fail("a refused picture was not reported");
    checkScene(sim, ViewSide);

    CSimFiring firing(sim);
    firing.CmdFire_Click(CSimFiring::RedKey); // picks the zone colour under the centre
    firing.CmdFire_Click(0);
    controls.checkClick(Check::Transparent, 0);
    checkScene(sim, ViewSide);

    // A new view size loads the pictures again; the masks now come from the files saved above.
    sim.setViewSize(QSize(ResizedSide, ResizedSide));
    sim.Form_Resize();
    checkTaken(sim.scene.pictures, decoded, QSize(ResizedSide, ResizedSide));
    checkScene(sim, ResizedSide);
    return 0;
}
