#include "services/CLastFile.h"

#include "services/CFileData.h"
#include "services/ErrorNumbers.h"
#include "services/MNumber.h"
#include "services/MSmallBallStruct.h"

#include <optional>

namespace {
const QString kClass = QStringLiteral("CLastFile");

// A colour field read back as a 32-bit integer; reports and gives nothing when it does not
// convert, so the caller stops and the later fields keep their defaults.
std::optional<int32_t> colourField(const QString& text) {
    const std::optional<double> value = MNumber::parse(text.trimmed());
    if (!value) {
        MSmallBallStruct::HandleError(kClass, QStringLiteral("load"), ErrorNumbers::TypeMismatch,
                                      QStringLiteral("Type mismatch"));
        return std::nullopt;
    }
    const std::optional<int32_t> whole = MNumber::toInt32(*value);
    if (!whole)
        MSmallBallStruct::HandleError(kClass, QStringLiteral("load"), ErrorNumbers::Overflow,
                                      QStringLiteral("Overflow"));
    return whole;
}
} // namespace

namespace {
const QString kRecordName = QStringLiteral("lastfile.dat");
}

QString CLastFile::path() {
    return MSmallBallStruct::dataPath(kRecordName);
}

void CLastFile::load() {
    CFileData file;
    file.filename = path();
    if (!file.openTextInput(fileNum)) return;
    // A shorter record (or an empty file) keeps the defaults of the fields it lacks.
    QString* texts[] = {&dataFileName, &simFileName};
    for (QString* text : texts) {
        if (file.atEnd(fileNum)) break;
        *text = file.readText(fileNum);
    }
    if (file.fieldTooLong(fileNum)) {
        // No path is that long: a damaged record (reported by the file layer) names nothing.
        file.closeText(fileNum);
        const int16_t number = fileNum;
        *this = CLastFile();
        fileNum = number;
        return;
    }
    int32_t* colours[] = {&targetRed, &targetBlue};
    for (int32_t* colour : colours) {
        if (file.atEnd(fileNum)) break;
        const std::optional<int32_t> value = colourField(file.readText(fileNum));
        if (!value) break;
        *colour = *value;
    }
    file.closeText(fileNum);
}

void CLastFile::save() {
    CFileData file;
    // Beside the program, or in the user's data folder when the program's folder is read-only.
    file.filename = MSmallBallStruct::writablePath(kRecordName);
    if (!file.openTextOutput(fileNum)) return; // reported by the file layer
    file.writeText(dataFileName, fileNum);
    file.writeText(simFileName, fileNum);
    file.writeText(QString::number(targetRed), fileNum);
    file.writeText(QString::number(targetBlue), fileNum);
    // The record is replaced whole here or not at all; a failure is reported by closeText.
    file.closeText(fileNum);
}
