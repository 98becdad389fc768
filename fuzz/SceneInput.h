// The input of the scene fuzz target: a session file followed by up to four pictures, each part
// after the line "--picture--" (background, target, reticle, hello.bmp). Shared by the target and
// the test that replays its kept inputs.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <array>

namespace fuzz {

struct SceneInput {
    enum Part { Background, Target, Reticle, Hello, PartCount };
    static constexpr QByteArrayView Separator{"\n--picture--\n"};

    QByteArrayView session;
    std::array<QByteArrayView, PartCount> pictures{}; // null: no such file

    static SceneInput split(QByteArrayView bytes);
};

// The file names the session gives the pictures (records 18, 2 and 7, read with the session
// reader's own field rules; empty when the file ends or refuses a field before them), and
// "hello.bmp".
std::array<QString, SceneInput::PartCount> scenePictureNames(const QString& sessionFile);

// The picture's path in the application folder, "back/<name>" and so on; empty when the name is
// no plain file name (a session may name "../../x": the simulator must cope with it, but the
// fuzzer and the tests must not write outside their folder) or no file can have it (a NUL, more
// than NAME_MAX bytes).
QString scenePicturePath(SceneInput::Part part, const QString& name);

} // namespace fuzz
