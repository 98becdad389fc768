#include "load/LoadFile.h"

#include "QuietPrompt.h"
#include "TestAppFolder.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QStringList>
#include <random>

namespace {

class LoadFileTest : public ::testing::Test {
protected:
    QuietPrompt prompts;
    TestAppFolder folder{false};
    QString datFile;

    // A form unlike the designed one in every field, so a round trip shows each one.
    static LoadForm everyFieldSet() {
        LoadForm form;
        const char* texts[InputFields::Count] = {"300 Win Mag, Berger",
                                                 "190",
                                                 "2900",
                                                 "1200",
                                                 "300",
                                                 "25",
                                                 "12",
                                                 "45",
                                                 "7500",
                                                 "38.5",
                                                 ".64",
                                                 ".61",
                                                 ".58",
                                                 "2200",
                                                 "1700",
                                                 "2.25",
                                                 "16",
                                                 "-15",
                                                 "22.4",
                                                 "12.5",
                                                 "-3"};
        for (int i = 0; i < InputFields::Count; ++i)
            form.fields[static_cast<size_t>(i)] = QString::fromUtf8(texts[i]);
        form.chkAdvanced = 1;
        form.chkMilrange = 1;
        form.optMoa1 = true;
        form.optMetric1 = true;
        form.opt3D1 = true;
        form.optComma1 = true;
        form.optRR1 = false;
        form.yAxis = 3; // Wind Drift 10mph
        form.dragIndex = 7;
        form.comparison.setFile("C:\\loads\\a,b.qvt");
        form.notes = "Line one, with commas, here\r\nLine two\r\n\r\nLine four";
        return form;
    }

    // A form that differs from everyFieldSet() everywhere, standing for what the window showed.
    static LoadForm previous() {
        LoadForm form = LoadForm::initial();
        form.chkAdvanced = 0;
        form.optRR1 = false;
        form.yAxis = 2;
        form.dragIndex = 5;
        form.comparison.setFile("previous.qvt");
        form.notes = "previous notes";
        return form;
    }

    QString path(const QString& name) const { return folder.file(name); }

    QString writeLines(const QString& name, const QStringList& lines) {
        QByteArray bytes;
        for (const QString& line : lines)
            bytes += line.toLatin1() + "\r\n";
        return folder.write(name, bytes);
    }

    bool load(const QString& file, LoadForm& form) {
        datFile = file;
        return LoadFile::dataLoad(datFile, form);
    }

    bool save(const QString& file, const LoadForm& form) {
        datFile = file;
        return LoadFile::dataSaveTable(datFile, form);
    }

    // The 32 lines everyFieldSet() is saved as.
    static QStringList savedLines() {
        return {"300 Win Mag|~ Berger",
                "190",
                "2900",
                "1200",
                "300",
                "25",
                "12",
                "45",
                "7500",
                "38.5",
                ".64",
                ".61",
                ".58",
                "2200",
                "1700",
                "2.25",
                "16",
                "C:\\loads\\a|~b.qvt",
                "1",
                "1",
                "True",
                "True",
                "True",
                "True",
                "-15",
                "22.4",
                "12.5",
                "-3",
                "False",
                "3",
                "7",
                "Line one|~ with commas|~ here|@|{Line two|@|{|@|{Line four"};
    }
};

QByteArray readBytes(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

QByteArray joinLines(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}

} // namespace

// --- writing and reading back ------------------------------------------------------------------

TEST_F(LoadFileTest, SavesTheThirtyTwoFieldsInOrder) {
    ASSERT_TRUE(save(path("a.qvt"), everyFieldSet()));
    EXPECT_EQ(readBytes(path("a.qvt")), joinLines(savedLines()));
}

TEST_F(LoadFileTest, RoundTripRestoresEveryField) {
    const LoadForm saved = everyFieldSet();
    ASSERT_TRUE(save(path("a.qvt"), saved));
    LoadForm read = previous();
    ASSERT_TRUE(load(path("a.qvt"), read));
    EXPECT_EQ(read, saved);
    EXPECT_EQ(read.notes, saved.notes); // commas and line breaks survive
    EXPECT_EQ(read.yAxis, 3);
}

TEST_F(LoadFileTest, RoundTripOfEachYAxisAndDragModel) {
    for (int axis = 0; axis <= 3; ++axis) {
        for (int drag = -1; drag <= 7; ++drag) {
            LoadForm saved = everyFieldSet();
            saved.yAxis = axis;
            saved.dragIndex = drag;
            saved.optRR1 = (axis + drag) % 2 == 0;
            ASSERT_TRUE(save(path("a.qvt"), saved));
            LoadForm read = previous();
            ASSERT_TRUE(load(path("a.qvt"), read));
            EXPECT_EQ(read, saved) << axis << " " << drag;
        }
    }
}

TEST_F(LoadFileTest, EmptyTextsAndOptionsOffRoundTrip) {
    LoadForm saved;
    saved.dragIndex = -1;
    ASSERT_TRUE(save(path("a.qvt"), saved));
    LoadForm read = everyFieldSet();
    ASSERT_TRUE(load(path("a.qvt"), read));
    // The comparison list keeps showing the name it had when a file names no comparison.
    EXPECT_EQ(read.comparison.name, everyFieldSet().comparison.name);
    read.comparison.name.clear();
    EXPECT_EQ(read, saved);
}

TEST_F(LoadFileTest, SaveReportsAFileThatCannotBeOpened) {
    prompts.answers = {PromptAnswer::Ok, PromptAnswer::Ok}; // one message per refused save
    EXPECT_FALSE(save(folder.path(), everyFieldSet()));
    prompts.clear();
    EXPECT_FALSE(save(path("no such folder/a.qvt"), everyFieldSet()));
    EXPECT_FALSE(QFile::exists(path("no such folder/a.qvt")));
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.lastText().startsWith("CFileData openTextOutput: "))
        << prompts.lastText().toStdString();
}

TEST_F(LoadFileTest, NotesWithBareLineBreaksAreSavedWithCrLf) {
    LoadForm saved = everyFieldSet();
    saved.notes = "one\ntwo, three\rfour\r\n\nfive";
    ASSERT_TRUE(save(path("a.qvt"), saved));
    EXPECT_TRUE(readBytes(path("a.qvt")).endsWith("one|@|{two|~ three|@|{four|@|{|@|{five\r\n"));
    LoadForm read = previous();
    ASSERT_TRUE(load(path("a.qvt"), read));
    EXPECT_EQ(read.notes, "one\r\ntwo, three\r\nfour\r\n\r\nfive");
}

// --- reading older and damaged files -----------------------------------------------------------

TEST_F(LoadFileTest, MissingFileChangesNothing) {
    LoadForm form = previous();
    EXPECT_FALSE(load(path("missing.qvt"), form));
    EXPECT_FALSE(load(folder.path(), form)); // a folder is no load file
    EXPECT_FALSE(load(QString(), form));
    EXPECT_EQ(form, previous());
}

TEST_F(LoadFileTest, OldFileOfTwentyFourFieldsGetsTheDefaults) {
    const QStringList lines = savedLines().mid(0, 24);
    LoadForm form = previous();
    ASSERT_TRUE(load(writeLines("old.qvt", lines), form));
    EXPECT_EQ(form.fields[17], "0.0");
    EXPECT_EQ(form.fields[18], "29.53");
    EXPECT_EQ(form.fields[19], "78");
    EXPECT_EQ(form.fields[20], "5");
    EXPECT_TRUE(form.optRR1);
    EXPECT_EQ(form.yAxis, 0);
    // The drag model and the notes are not defaulted: the reading stopped before them.
    EXPECT_EQ(form.dragIndex, previous().dragIndex);
    EXPECT_EQ(form.notes, previous().notes);
    // Everything the file did hold was taken.
    const LoadForm full = everyFieldSet();
    for (int i = 0; i < 17; ++i)
        EXPECT_EQ(form.fields[static_cast<size_t>(i)], full.fields[static_cast<size_t>(i)]);
    EXPECT_EQ(form.comparison.file, full.comparison.file);
    EXPECT_EQ(form.chkAdvanced, 1);
    EXPECT_TRUE(form.optComma1);
}

TEST_F(LoadFileTest, FilesEndingBetweenFields25And30DefaultTheRest) {
    for (int count = 24; count <= 30; ++count) {
        LoadForm form = previous();
        ASSERT_TRUE(load(writeLines("short.qvt", savedLines().mid(0, count)), form));
        const LoadForm full = everyFieldSet();
        const char* defaults[] = {"0.0", "29.53", "78", "5"};
        for (int f = 25; f <= 28; ++f) {
            const auto i = static_cast<size_t>(f - 8);
            EXPECT_EQ(form.fields[i], f <= count ? full.fields[i] : QString(defaults[f - 25]))
                << count << " " << f;
        }
        EXPECT_EQ(form.optRR1, count >= 29 ? full.optRR1 : true) << count;
        EXPECT_EQ(form.yAxis, count >= 30 ? full.yAxis : 0) << count;
        EXPECT_EQ(form.dragIndex, previous().dragIndex) << count;
        EXPECT_EQ(form.notes, previous().notes) << count;
    }
}

TEST_F(LoadFileTest, FileWithoutNotesKeepsNothingOfThePreviousNotes) {
    LoadForm form = previous();
    ASSERT_TRUE(load(writeLines("short.qvt", savedLines().mid(0, 31)), form));
    EXPECT_EQ(form.dragIndex, 7);
    EXPECT_TRUE(form.notes.isEmpty());
}

TEST_F(LoadFileTest, AFieldThatDoesNotConvertEndsTheReadingThere) {
    struct Case {
        int field; // 1-based file field
        const char* text;
    };
    const Case cases[] = {
        {19, "x"},   {19, ""},   {19, "3"},    {20, "-1"}, {21, "maybe"}, {22, ""},
        {23, "yes"}, {24, "x"},  {29, "sure"}, {30, "4"},  {30, "-1"},    {30, "Drop"},
        {31, "8"},   {31, "-2"}, {31, "G1"},   {31, ""},
    };
    const LoadForm full = everyFieldSet();
    for (const Case& c : cases) {
        QStringList lines = savedLines();
        lines[c.field - 1] = c.text;
        LoadForm form = previous();
        ASSERT_TRUE(load(writeLines("bad.qvt", lines), form)) << c.field << c.text;
        // Save both forms and compare line by line: before the bad field the file's values,
        // from it on the previous ones.
        ASSERT_TRUE(save(path("got.qvt"), form));
        ASSERT_TRUE(save(path("prev.qvt"), previous()));
        const QList<QByteArray> got = readBytes(path("got.qvt")).split('\n');
        const QList<QByteArray> prev = readBytes(path("prev.qvt")).split('\n');
        const QList<QByteArray> file = joinLines(savedLines()).split('\n');
        ASSERT_EQ(got.size(), 33);
        for (int f = 1; f <= 32; ++f) {
            // Fields 25 to 28 are the four later texts; they are read after field 24.
            const bool taken = f < c.field;
            EXPECT_EQ(got[f - 1], taken ? file[f - 1] : prev[f - 1])
                << "bad field " << c.field << " '" << c.text << "', field " << f;
        }
    }
}

TEST_F(LoadFileTest, Field19HoldingLettersLoadsFields1To18) {
    QStringList lines = savedLines();
    lines[18] = "x";
    LoadForm form = previous();
    ASSERT_TRUE(load(writeLines("x.qvt", lines), form));
    LoadForm expected = previous();
    for (int i = 0; i < 17; ++i)
        expected.fields[static_cast<size_t>(i)] = everyFieldSet().fields[static_cast<size_t>(i)];
    expected.comparison.setFile(everyFieldSet().comparison.file);
    EXPECT_EQ(form, expected);
}

TEST_F(LoadFileTest, OtherConvertibleTextsAreAccepted) {
    QStringList lines = savedLines();
    lines[18] = "1.0";   // check state
    lines[19] = "2";     // a greyed check box counts as checked
    lines[20] = "false"; // boolean, any case
    lines[21] = "-1";    // a number converts to a boolean
    lines[22] = "0";
    lines[28] = "TRUE";
    lines[29] = "2";
    lines[30] = " 3";
    LoadForm form = previous();
    ASSERT_TRUE(load(writeLines("loose.qvt", lines), form));
    EXPECT_EQ(form.chkAdvanced, 1);
    EXPECT_TRUE(form.isMilRange());
    EXPECT_FALSE(form.optMoa1);
    EXPECT_TRUE(form.optMetric1);
    EXPECT_FALSE(form.opt3D1);
    EXPECT_TRUE(form.optRR1);
    EXPECT_EQ(form.yAxis, 2);
    EXPECT_EQ(form.dragIndex, 3);
    EXPECT_EQ(form.notes, everyFieldSet().notes);
}

TEST_F(LoadFileTest, EmptyFileEmptiesTheTextsAndStopsAtTheFirstCheckBox) {
    LoadForm form = previous();
    ASSERT_TRUE(load(folder.write("empty.qvt", {}), form));
    for (int i = 0; i < 17; ++i)
        EXPECT_TRUE(form.fields[static_cast<size_t>(i)].isEmpty()) << i;
    EXPECT_TRUE(form.comparison.file.isEmpty());
    EXPECT_EQ(form.fields[17], previous().fields[17]);
    EXPECT_EQ(form.chkAdvanced, previous().chkAdvanced);
    EXPECT_EQ(form.notes, previous().notes);
}

TEST_F(LoadFileTest, TheFileIsClosedAfterReading) {
    LoadForm form = previous();
    const QString file = writeLines("a.qvt", savedLines());
    ASSERT_TRUE(load(file, form));
    // Reading again, and overwriting, work on the same number.
    ASSERT_TRUE(load(file, form));
    ASSERT_TRUE(save(file, previous()));
    LoadForm back = everyFieldSet();
    ASSERT_TRUE(load(file, back));
    EXPECT_EQ(back, previous());
}

// --- golden files ------------------------------------------------------------------------------

class LoadFileGolden : public LoadFileTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(LoadFileGolden, ReadsAndWritesBackByteForByte) {
    const QString golden = TestAppFolder::dataDir() + '/' + GetParam();
    const QByteArray original = readBytes(golden);
    ASSERT_FALSE(original.isEmpty());
    LoadForm form = LoadForm::initial();
    ASSERT_TRUE(load(golden, form));
    ASSERT_TRUE(save(path("copy.qvt"), form));
    EXPECT_EQ(readBytes(path("copy.qvt")), original);
    EXPECT_EQ(readBytes(golden), original); // reading never writes
}

INSTANTIATE_TEST_SUITE_P(Files, LoadFileGolden,
                         ::testing::Values("308win.qvt", "65x47.qvt", "old24-saved.qvt"));

TEST_F(LoadFileTest, GoldenFieldsReadAsTheUserSawThem) {
    LoadForm form = LoadForm::initial();
    ASSERT_TRUE(load(TestAppFolder::dataDir() + "/308win.qvt", form));
    EXPECT_EQ(form.fields[0], "308 Win, 168gr SMK");
    EXPECT_EQ(form.fields[10], ".462");
    EXPECT_EQ(form.comparison.file, "C:\\loads\\6.5x47 Lapua.qvt");
    EXPECT_EQ(form.notes,
              "Sierra MatchKing, 42.5gr Varget\r\nChrono: 5 shots, SD 9\r\nZeroed at 100");
    EXPECT_EQ(form.chkAdvanced, 1);
    EXPECT_EQ(form.dragIndex, 0);

    form = LoadForm::initial();
    ASSERT_TRUE(load(TestAppFolder::dataDir() + "/65x47.qvt", form));
    EXPECT_EQ(form.fields[0], QString::fromUtf8("6.5\u00d747 Lapua"));
    EXPECT_EQ(form.notes, QString::fromUtf8("Shot at 20\u00b0C\r\n"));
    EXPECT_EQ(form.yAxis, 3);
    EXPECT_EQ(form.dragIndex, 4);
    EXPECT_TRUE(form.optMetric1);
    EXPECT_FALSE(form.optRR1);
}

TEST_F(LoadFileTest, OldGoldenFileSavesWithTheDefaults) {
    LoadForm form = LoadForm::initial();
    ASSERT_TRUE(load(TestAppFolder::dataDir() + "/old24.qvt", form));
    ASSERT_TRUE(save(path("copy.qvt"), form));
    EXPECT_EQ(readBytes(path("copy.qvt")),
              readBytes(TestAppFolder::dataDir() + "/old24-saved.qvt"));
}

// --- garbage -------------------------------------------------------------------------------------

TEST_F(LoadFileTest, EveryTruncationOfAFileLoads) {
    const QByteArray whole = joinLines(savedLines());
    for (qsizetype n = 0; n <= whole.size(); ++n) {
        LoadForm form = previous();
        ASSERT_TRUE(load(folder.write("cut.qvt", whole.left(n)), form)) << n;
        EXPECT_GE(form.yAxis, 0);
        EXPECT_LE(form.yAxis, 3);
        EXPECT_GE(form.dragIndex, -1);
        EXPECT_LE(form.dragIndex, 7);
        EXPECT_TRUE(form.chkAdvanced == 0 || form.chkAdvanced == 1);
    }
}

TEST_F(LoadFileTest, BinaryGarbageNeverCrashes) {
    std::mt19937 random(20240607);
    for (int round = 0; round < 200; ++round) {
        QByteArray bytes(static_cast<qsizetype>(random() % 4096), '\0');
        for (char& b : bytes)
            b = static_cast<char>(random() & 0xFF);
        LoadForm form = previous();
        datFile = folder.write("junk.qvt", bytes);
        const LoadFile::ReadReport report = LoadFile::read(datFile, form);
        EXPECT_TRUE(report.opened);
        // Bytes that are no load are refused whole; the few that pass are a load's texts.
        if (report.refused) {
            EXPECT_EQ(form, previous()) << round;
        }
        EXPECT_GE(form.yAxis, 0);
        EXPECT_LE(form.yAxis, 3);
        EXPECT_GE(form.dragIndex, -1);
        EXPECT_LE(form.dragIndex, 7);
    }
}

// 3 KB of noise once opened as the load, with garbage in every box and the caption.
TEST_F(LoadFileTest, BytesOfSomeOtherFileAreRefusedWhole) {
    std::mt19937 random(22);
    QByteArray noise(3000, '\0');
    for (char& b : noise)
        b = static_cast<char>(random() & 0xFF);
    QByteArray prose = "Quorvel\nA ballistics calculator, with a simulator.\nSee the help.\n";
    const QByteArray picture = readBytes(TestAppFolder::dataDir() + "/pictures/rle8.bmp");
    ASSERT_FALSE(picture.isEmpty());
    // A load whose bullet weight was overwritten with text of another file.
    QStringList mixed = savedLines();
    mixed[1] = "<html>";
    for (const QByteArray& bytes : {noise, prose, picture, joinLines(mixed)}) {
        LoadForm form = previous();
        datFile = folder.write("other.qvt", bytes);
        const LoadFile::ReadReport report = LoadFile::read(datFile, form);
        EXPECT_TRUE(report.opened);
        EXPECT_TRUE(report.refused);
        EXPECT_TRUE(report.notALoad);
        EXPECT_EQ(form, previous());
        EXPECT_EQ(LoadFile::damageMessage("other.qvt", report, form),
                  "\"other.qvt\" is not a Quorvel load file; nothing was taken from it.");
    }
}

// Files a shooter may well have: a box left empty or half typed when saved, a Windows-1252 name,
// a tab in the notes, and any truncation of a load.
TEST_F(LoadFileTest, OddButValidLoadsStillOpen) {
    QStringList lines = savedLines();
    lines[0] = QString::fromLatin1("300 Win Mag \x93"
                                   "Berger\x94\t\xb0");
    lines[1] = "";
    lines[2] = "-";
    lines[10] = "2.5e";
    lines[11] = " .61 ";
    lines[31] = "tab\there";
    LoadForm form = previous();
    const LoadFile::ReadReport report = LoadFile::read(writeLines("odd.qvt", lines), form);
    EXPECT_TRUE(report.whole());
    EXPECT_EQ(form.fields[2], "-");
    EXPECT_EQ(form.notes, "tab\there");
    const QByteArray whole = joinLines(savedLines());
    for (qsizetype n = 0; n <= whole.size(); ++n) {
        LoadForm cut = previous();
        EXPECT_FALSE(LoadFile::read(folder.write("cut.qvt", whole.left(n)), cut).refused) << n;
    }
}

// A file cut short is read in order as far as it goes, and the message names the field it ends
// after, not the first setting that was missing.
TEST_F(LoadFileTest, ACutFileNamesTheFieldItEndsAfter) {
    LoadForm form = previous();
    form.fields[18] = "30.1"; // pressure
    form.fields[19] = "55";   // humidity
    const LoadForm before = form;
    const QByteArray whole = joinLines(savedLines());
    // 60 bytes: eight whole fields and the altitude without its line end.
    datFile = folder.write("cut60.qvt", whole.left(60));
    const LoadFile::ReadReport report = LoadFile::read(datFile, form);
    EXPECT_FALSE(report.refused);
    EXPECT_EQ(report.fieldsInFile, 9);
    EXPECT_TRUE(report.cutShort());
    const LoadForm full = everyFieldSet();
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(form.fields[size_t(i)], full.fields[size_t(i)]) << i;
    EXPECT_TRUE(full.fields[8].startsWith(form.fields[8]));
    for (int i = 9; i < 17; ++i)
        EXPECT_TRUE(form.fields[size_t(i)].isEmpty()) << i;
    // The boxes the file never reached keep what they held, each its own.
    EXPECT_EQ(form.fields[18], "30.1");
    EXPECT_EQ(form.fields[19], "55");
    EXPECT_EQ(form.notes, before.notes);
    const QString message = LoadFile::damageMessage("cut60.qvt", report, form);
    EXPECT_TRUE(message.startsWith("\"cut60.qvt\" is cut short: it ends after field 9 of 32 "
                                   "(Altitude)"))
        << message.toStdString();
    EXPECT_FALSE(message.contains("field 19")) << message.toStdString();

    // Where a setting itself is wrong, the message names that field.
    QStringList lines = savedLines();
    lines[30] = "G1";
    form = previous();
    const LoadFile::ReadReport bad = LoadFile::read(writeLines("g1.qvt", lines), form);
    EXPECT_FALSE(bad.cutShort());
    EXPECT_TRUE(LoadFile::damageMessage("g1.qvt", bad, form)
                    .contains("reading stopped at field 31 of 32 (the drag model)"));
}

// No name, number or path is 50 MB long: such a file is refused whole (one message), while notes
// of megabytes are a load's own text and are kept whole.
TEST_F(LoadFileTest, AHugeLineRefusesTheFileButHugeNotesAreKept) {
    QByteArray bytes(50 * 1024 * 1024, 'A');
    bytes += "\r\n168\r\n";
    LoadForm form = previous();
    prompts.answers = {PromptAnswer::Ok};
    EXPECT_FALSE(load(folder.write("huge.qvt", bytes), form));
    EXPECT_EQ(form, previous());
    EXPECT_EQ(prompts.messages.size(), 1);
    prompts.clear();

    QStringList lines = savedLines();
    lines[31] = QString(3 * 1024 * 1024, 'n');
    form = previous();
    ASSERT_TRUE(load(writeLines("hugenotes.qvt", lines), form));
    EXPECT_EQ(form.notes.size(), 3 * 1024 * 1024);
    EXPECT_EQ(form.dragIndex, 7);
}
