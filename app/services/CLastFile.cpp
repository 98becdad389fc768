#include "services/CLastFile.h"

#include "services/AppFolders.h"
#include "services/CFileData.h"
#include "services/ErrorNumbers.h"
#include "services/MNumber.h"

#include <optional>

namespace {
const QString kClass = QStringLiteral("CLastFile");

// A colour field read back as a 32-bit integer; adds the problem and gives nothing when it does
// not convert, so the caller stops and the later fields keep their defaults.
std::optional<int32_t> colourField(const QString& text, QList<Problem>& problems) {
    const std::optional<double> value = MNumber::parse(text.trimmed());
    if (!value) {
        problems.append(Problem::failure(kClass, QStringLiteral("load"), ErrorNumbers::TypeMismatch,
                                         QStringLiteral("Type mismatch")));
        return std::nullopt;
    }
    const std::optional<int32_t> whole = MNumber::toInt32(*value);
    if (!whole)
        problems.append(Problem::failure(kClass, QStringLiteral("load"), ErrorNumbers::Overflow,
                                         QStringLiteral("Overflow")));
    return whole;
}
} // namespace

namespace {
const QString kRecordName = QStringLiteral("lastfile.dat");
}

QString CLastFile::path() {
    return MSmallBallStruct::dataPath(kRecordName);
}

QList<Problem> CLastFile::load() {
    CFileData::Limits limits;
    limits.mostFields = 4;
    CFileData::ReadReport report;
    const QStringList fields = CFileData::readFields(path(), limits, report);
    QList<Problem> problems;
    if (report.problem) problems.append(report.problem->problem());
    // A shorter record (or an empty file) keeps the defaults of the fields it lacks.
    qsizetype next = 0;
    for (QString* text : {&dataFileName, &simFileName}) {
        if (next >= fields.size()) break;
        if (next + 1 == report.tooLongField) {
            // No path is that long: a damaged record names nothing.
            problems.append(report.tooLong().problem());
            *this = CLastFile();
            return problems;
        }
        *text = fields.at(next++);
    }
    for (int32_t* colour : {&targetRed, &targetBlue}) {
        if (next >= fields.size()) break;
        // An over-long colour reads as empty, which is no number either.
        if (next + 1 == report.tooLongField) problems.append(report.tooLong().problem());
        const std::optional<int32_t> value = colourField(fields.at(next++), problems);
        if (!value) break;
        *colour = *value;
    }
    return problems;
}

std::optional<Problem> CLastFile::save() {
    // Beside the program, or in the user's data folder when the program's folder is read-only.
    // The record is replaced whole here or not at all.
    return asProblem(CFileData::writeFields(MSmallBallStruct::writablePath(kRecordName),
                                            {{dataFileName},
                                             {simFileName},
                                             {QString::number(targetRed)},
                                             {QString::number(targetBlue)}}));
}
