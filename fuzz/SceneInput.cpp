#include "SceneInput.h"

#include "services/CFileData.h"
#include "sim/SessionFile.h"

#include <QFile>
#include <QFileInfo>
#include <cstring>

namespace fuzz {

SceneInput SceneInput::split(QByteArrayView bytes) {
    SceneInput in;
    const char* at = bytes.data();
    const char* end = at + bytes.size();
    for (int part = -1; part < PartCount; ++part) {
        // memmem: the fuzzer learns the separator from the comparisons it watches.
        const auto* next = static_cast<const char*>(
            memmem(at, size_t(end - at), Separator.data(), size_t(Separator.size())));
        const QByteArrayView piece(at, (next ? next : end) - at);
        if (part < 0)
            in.session = piece;
        else
            in.pictures[size_t(part)] = piece;
        if (!next) break;
        at = next + Separator.size();
    }
    return in;
}

std::array<QString, SceneInput::PartCount> scenePictureNames(const QString& sessionFile) {
    constexpr int16_t FileNumber = 5; // a number of its own: the simulator reads under 4
    std::array<QString, SceneInput::PartCount> names;
    names[SceneInput::Hello] = QStringLiteral("hello.bmp");
    CFileData dat;
    dat.filename = sessionFile;
    if (!dat.openTextInput(FileNumber)) return names;
    for (int n = 1; n <= 18 && !dat.atEnd(FileNumber); ++n) {
        const QString text = SessionFile::isMultiline(n) ? dat.readMultilineText(FileNumber)
                                                         : dat.readText(FileNumber);
        if (dat.fieldTooLong(FileNumber)) break;
        if (n == 2) names[SceneInput::Target] = text;
        if (n == 7) names[SceneInput::Reticle] = text;
        if (n == 18) names[SceneInput::Background] = text;
    }
    dat.closeText(FileNumber);
    return names;
}

QString scenePicturePath(SceneInput::Part part, const QString& name) {
    static const std::array<QString, SceneInput::PartCount> folders{
        QStringLiteral("back/"), QStringLiteral("targetw/"), QStringLiteral("sightw/"), QString()};
    // A name the file system can hold too: no NUL, and at most NAME_MAX bytes once encoded (a
    // session may name either; the simulator then finds no file, and nothing is written here).
    constexpr qsizetype LongestName = 255;
    const bool plain = !name.isEmpty() && !name.contains(QChar(0)) &&
                       QFile::encodeName(name).size() <= LongestName &&
                       QFileInfo(name).fileName() == name && name != QLatin1String(".") &&
                       name != QLatin1String("..") && !name.contains('\\');
    return plain ? folders[size_t(part)] + name : QString();
}

} // namespace fuzz
