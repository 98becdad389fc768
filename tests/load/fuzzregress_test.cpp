// Every input the fuzzers were seeded with or found a fault with (tests/data/fuzz/<reader>/),
// fed to its reader again: none may crash, hang or break the reader's promises. Under the
// sanitizer run these also catch any memory fault the inputs once caused.
#include "PromptRecorder.h"
#include "TestAppFolder.h"
#include "load/CTextOutput.h"
#include "load/CompareFile.h"
#include "load/LoadFile.h"
#include "load/LoadModel.h"
#include "load/TableRefresh.h"
#include "precision/DragCsv.h"
#include "services/CLastFile.h"
#include "services/MNumber.h"

#include <QDir>
#include <QFile>
#include <cmath>
#include <gtest/gtest.h>

namespace {

// The reproducers kept for `reader`, and the seeds the fuzzer starts from.
QStringList inputsFor(const QString& reader) {
    QStringList files;
    for (const QString& root :
         {TestAppFolder::dataDir() + "/fuzz/", TestAppFolder::dataDir() + "/../../fuzz/corpus/"}) {
        const QDir dir(root + reader);
        for (const QString& name : dir.entryList(QDir::Files, QDir::Name))
            files << dir.filePath(name);
    }
    return files;
}

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class FuzzRegressTest : public ::testing::Test {
protected:
    TestAppFolder app{false};
    PromptRecorder prompts; // the readers may report; nothing may block
};

TEST_F(FuzzRegressTest, InputsAreThere) {
    for (const QString reader : {"loadfile", "compare", "filedata", "lastfile", "number"})
        EXPECT_FALSE(inputsFor(reader).isEmpty()) << reader.toStdString();
}

TEST_F(FuzzRegressTest, LoadFilesReadSaveAndReadBackTheSame) {
    for (const QString& input : inputsFor("loadfile")) {
        SCOPED_TRACE(input.toStdString());
        QString datFile;
        datFile = app.write("input.qvt", bytesOf(input));
        LoadForm first = LoadForm::initial();
        ASSERT_TRUE(LoadFile::dataLoad(datFile, first));
        datFile = app.file("saved.qvt");
        ASSERT_TRUE(LoadFile::dataSaveTable(datFile, first));
        LoadForm second = LoadForm::initial();
        ASSERT_TRUE(LoadFile::dataLoad(datFile, second));
        EXPECT_TRUE(first == second);
    }
}

TEST_F(FuzzRegressTest, ComparisonFilesApplyAtMostTheirFields) {
    for (const QString& input : inputsFor("compare")) {
        SCOPED_TRACE(input.toStdString());
        QString compareFile = app.write("compare.qvt", bytesOf(input));
        CInput record{};
        int fields = -1;
        QList<Problem> problems; // the reader may find the file damaged
        ASSERT_TRUE(CompareFile::dataLoadCompare(record, compareFile, problems, &fields));
        EXPECT_GE(fields, 1);
        EXPECT_LE(fields, CompareFile::FieldCount);
    }
}

TEST_F(FuzzRegressTest, FieldFilesReadToTheirEnd) {
    for (const QString& input : inputsFor("filedata")) {
        SCOPED_TRACE(input.toStdString());
        const QByteArray bytes = bytesOf(input);
        // Every other field is read as a multi-line one.
        CFileData::Limits limits;
        for (int n = 2; n <= bytes.size() + 1; n += 2)
            limits.multilineFields.append(n);
        CFileData::ReadReport report;
        const QStringList fields =
            CFileData::readFields(app.write("fields.txt", bytes), limits, report);
        ASSERT_TRUE(report.opened);
        // Every field takes at least one byte: the file ends within that many fields.
        EXPECT_LE(fields.size(), bytes.size());
        for (qsizetype i = 0; i < fields.size(); i += 2)
            EXPECT_FALSE(fields[i].contains("\r\n"));
    }
}

TEST_F(FuzzRegressTest, LastFileRecordsSurviveASave) {
    for (const QString& input : inputsFor("lastfile")) {
        SCOPED_TRACE(input.toStdString());
        app.write("lastfile.dat", bytesOf(input));
        CLastFile first;
        first.load();
        first.save();
        CLastFile second;
        second.load();
        EXPECT_EQ(first.dataFileName, second.dataFileName);
        EXPECT_EQ(first.simFileName, second.simFileName);
        EXPECT_EQ(first.targetRed, second.targetRed);
        EXPECT_EQ(first.targetBlue, second.targetBlue);
    }
}

TEST_F(FuzzRegressTest, NumberTextsParseAndWriteBack) {
    for (const QString& input : inputsFor("number")) {
        SCOPED_TRACE(input.toStdString());
        const QByteArray bytes = bytesOf(input);
        for (const QString& text : {QString::fromUtf8(bytes), QString::fromLatin1(bytes)}) {
            const auto value = MNumber::parse(text);
            EXPECT_EQ(value.has_value(), MNumber::isNumeric(text));
            MNumber::parseBool(text);
            if (!value || !std::isfinite(*value)) continue;
            const double rounded = MNumber::roundHalfEven(*value);
            EXPECT_LE(std::fabs(rounded - *value), 0.5);
            if (const auto single = MNumber::toSingle(*value); single && std::isfinite(*single)) {
                const auto back = MNumber::parse(MNumber::shortText(*single));
                ASSERT_TRUE(back.has_value());
                EXPECT_EQ(MNumber::toSingle(*back), single);
            }
        }
    }
}

// Drag files: a table accepted stays within the limits of physics, a table refused says why in
// one short line without control characters.
TEST_F(FuzzRegressTest, DragFilesAreUsableOrRefusedInOneShortLine) {
    const QStringList inputs = inputsFor("dragcsv");
    EXPECT_FALSE(inputs.isEmpty());
    for (const QString& input : inputs) {
        SCOPED_TRACE(input.toStdString());
        const QByteArray bytes = bytesOf(input);
        const precision::DragParse parsed =
            precision::parseDragCsv(std::string_view(bytes.constData(), size_t(bytes.size())));
        if (!parsed.curve) {
            EXPECT_LE(parsed.error.size(), 500u);
            for (const char c : parsed.error)
                EXPECT_GE(static_cast<unsigned char>(c), 0x20);
            continue;
        }
        for (size_t i = 0; i < parsed.curve->cd.size(); ++i) {
            EXPECT_LE(parsed.curve->cd[i], precision::MostDragCd);
            EXPECT_LE(parsed.curve->mach[i], precision::MostDragMach);
        }
    }
}

// Loads read and computed as the window computes them: a table never shows an undefined value.
// A load with an altitude of 1e25 ft once made the altitude's standard air unprintable.
TEST_F(FuzzRegressTest, LoadsReadAndComputedNeverShowAnUndefinedValue) {
    const QStringList inputs = inputsFor("loadtable");
    EXPECT_FALSE(inputs.isEmpty());
    for (const QString& input : inputs) {
        SCOPED_TRACE(input.toStdString());
        const QByteArray bytes = bytesOf(input);
        const QString path = app.write("input.qvt", bytes.left(bytes.indexOf("@@drag@@\n")));
        LoadForm form = LoadForm::initial();
        if (!LoadFile::read(path, form).opened) continue;
        LoadModel model;
        model.form = LoadForm::initial();
        model.refreshAllFields();
        model.applyForm(form);
        CTextOutput txt;
        const QString text = TableRefresh::table(model.snapshot(), txt).text;
        EXPECT_FALSE(text.contains("Inf") || text.contains("NaN")) << text.toStdString();
    }
}

} // namespace
