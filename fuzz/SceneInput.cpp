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
    std::array<QString, SceneInput::PartCount> names;
    names[SceneInput::Hello] = QStringLiteral("hello.bmp");
    // The picture names as the simulator reads them: records 2, 7 and 18, unless a record
    // before them is too long to be one.
    CFileData::Limits limits;
    limits.multilineFields = {SessionFile::NotesRecord};
    limits.mostFields = 18;
    CFileData::ReadReport report;
    const QStringList fields = CFileData::readFields(sessionFile, limits, report);
    const int usable = report.tooLongField ? report.tooLongField - 1 : int(fields.size());
    if (usable >= 2) names[SceneInput::Target] = fields[1];
    if (usable >= 7) names[SceneInput::Reticle] = fields[6];
    if (usable >= 18) names[SceneInput::Background] = fields[17];
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
