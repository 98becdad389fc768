#include "services/CFileData.h"

#include "QuietPrompt.h"
#include "TestAppFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using Fields = QList<QPair<QString, bool>>;

class CFileDataTest : public ::testing::Test {
protected:
    TestAppFolder app{false};
    QuietPrompt recorder;
    CFileData::ReadReport report;

    // Writes (text, multi-line) fields to the application folder's `name`; its path.
    QString writeFields(const QString& name, const Fields& fields) {
        QList<CFileData::Field> list;
        for (const auto& [text, multiline] : fields)
            list.append({text, multiline});
        const QString path = app.file(name);
        EXPECT_FALSE(CFileData::writeFields(path, list));
        return path;
    }

    // The fields of `path`, those numbered in `multiline` read as multi-line.
    QStringList readPath(const QString& path, const QList<int>& multiline = {}) {
        CFileData::Limits limits;
        limits.multilineFields = multiline;
        return CFileData::readFields(path, limits, report);
    }
    QStringList read(const QString& name, const QList<int>& multiline = {}) {
        return readPath(app.file(name), multiline);
    }
};

TEST_F(CFileDataTest, MultilineFieldIsOneLineAndReadsBack) {
    const QString text = "a, b\r\nc";
    writeFields("m.txt", {{text, true}});
    EXPECT_EQ(app.read("m.txt"), QByteArray("a|~ b|@|{c\r\n"));
    const QStringList fields = read("m.txt", {1});
    ASSERT_TRUE(report.opened);
    EXPECT_EQ(fields, QStringList{text}); // and nothing after it
}

TEST_F(CFileDataTest, SingleLineWriterLeavesLineBreaksAsTwoFields) {
    writeFields("s.txt", {{"a, b\r\nc", false}});
    EXPECT_EQ(app.read("s.txt"), QByteArray("a|~ b\r\nc\r\n"));
    const QStringList fields = read("s.txt");
    EXPECT_EQ(fields, (QStringList{"a, b", "c"}));
    EXPECT_EQ(fields.value(2), ""); // past the end: empty
}

TEST_F(CFileDataTest, EscapesInTheTextItselfReadBackAltered) {
    app.write("e.txt", "x|~y\r\np|@|{q\r\n");
    EXPECT_EQ(read("e.txt", {2}), (QStringList{"x,y", "p\r\nq"}));
    EXPECT_EQ(CFileData::decodeField("p|@|{q", false), "p|@|{q"); // single-line: no line breaks
    EXPECT_EQ(CFileData::decodeField("|@|@|{|~~", true), "|@\r\n,~");
    EXPECT_EQ(CFileData::encodeField("a,,b\r\n\r\n", true), "a|~|~b|@|{|@|{");
    EXPECT_EQ(CFileData::encodeField("a\r\n", false), "a\r\n");
}

// The escapes are made and undone in one pass: the edges of the text, escapes side by side, a
// CR that is no line break, and halves of escapes that must stay as they are.
TEST_F(CFileDataTest, EscapesAtTheEdgesAndSideBySide) {
    EXPECT_EQ(CFileData::encodeField(",\r\n,", true), "|~|@|{|~");
    EXPECT_EQ(CFileData::encodeField("\r\r\n\n,", true), "\r|@|{\n|~");
    EXPECT_EQ(CFileData::encodeField(",,", false), "|~|~");
    EXPECT_EQ(CFileData::encodeField("", true), "");
    EXPECT_EQ(CFileData::decodeField("|~|@|{|~", true), ",\r\n,");
    EXPECT_EQ(CFileData::decodeField("||~|@|{", true), "|,\r\n");
    EXPECT_EQ(CFileData::decodeField("|@|", true), "|@|");
    EXPECT_EQ(CFileData::decodeField("a|", true), "a|");
    EXPECT_EQ(CFileData::decodeField("|~|@|{", false), ",|@|{");
    const QString text = "note, with\r\nlines,\r\n,end";
    EXPECT_EQ(CFileData::decodeField(CFileData::encodeField(text, true), true), text);
}

TEST_F(CFileDataTest, LoneCarriageReturnOrLineFeedEndsTheField) {
    writeFields("lone.txt", {{"a\rb", true}, {"c\nd", true}});
    EXPECT_EQ(app.read("lone.txt"), QByteArray("a\rb\r\nc\nd\r\n"));
    EXPECT_EQ(read("lone.txt", {1, 2, 3, 4}), (QStringList{"a", "b", "c", "d"}));
}

TEST_F(CFileDataTest, EmptyFieldIsAnEmptyLine) {
    writeFields("empty.txt", {{"", false}, {"", true}, {"x", false}});
    EXPECT_EQ(app.read("empty.txt"), QByteArray("\r\n\r\nx\r\n"));
    EXPECT_EQ(read("empty.txt", {2}), (QStringList{"", "", "x"}));
}

TEST_F(CFileDataTest, ReadingPastTheEndIsSilent) {
    app.write("one.txt", "only\r\n");
    const QStringList fields = read("one.txt", {3});
    EXPECT_EQ(fields, QStringList{"only"});
    EXPECT_EQ(fields.value(1), "");
    EXPECT_EQ(fields.value(2), "");
    EXPECT_FALSE(report.problem);
}

TEST_F(CFileDataTest, LineEndingsOfOtherWritersAndHandEditedFiles) {
    app.write("mixed.txt", "unix\nmac\rdos\r\n1,2\r\nlast");
    EXPECT_EQ(read("mixed.txt"), (QStringList{"unix", "mac", "dos", "1", "2", "last"}));
}

TEST_F(CFileDataTest, TextIsLatin1) {
    const QString text = QString::fromUtf8("Müller 6,5×55 °F");
    writeFields("latin.txt", {{text, false}});
    EXPECT_EQ(app.read("latin.txt"), QByteArray("M\xfcller 6|~5\xd7"
                                                "55 \xb0"
                                                "F\r\n"));
    EXPECT_EQ(read("latin.txt"), QStringList{text});
}

TEST_F(CFileDataTest, GoldenFileOfEscapes) {
    const Fields fields = {
        {"plain", false},
        {"308 Win, 168gr SMK", false},
        {"", false},
        {"Line one, first\r\nLine two\r\n", true},
        {QString::fromUtf8("Müller 6,5×55"), false},
        {"  leading blanks and \"quotes\"", false},
        {"-37.25", false},
        {"True", false},
    };
    const QString golden = TestAppFolder::dataDir() + "/filedata_escapes.txt";
    QFile goldenFile(golden);
    ASSERT_TRUE(goldenFile.open(QIODevice::ReadOnly));
    const QByteArray expected = goldenFile.readAll();

    writeFields("written.txt", fields);
    EXPECT_EQ(app.read("written.txt"), expected);

    // Read the golden file and write what was read: the same bytes again.
    const QStringList got = readPath(golden, {4});
    ASSERT_EQ(got.size(), fields.size());
    Fields read;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        EXPECT_EQ(got[i], fields[i].first);
        read.append({got[i], fields[i].second});
    }
    writeFields("rewritten.txt", read);
    EXPECT_EQ(app.read("rewritten.txt"), expected);
}

TEST_F(CFileDataTest, ReadingUsesTheAppFolderCopy) {
    app.write("308 win.qvt", "x\r\n");
    QTemporaryDir elsewhere;
    EXPECT_EQ(readPath(elsewhere.path() + "/308 win.qvt"), QStringList{"x"});
    ASSERT_TRUE(report.opened);
    EXPECT_EQ(report.path, app.file("308 win.qvt"));

    readPath("C:\\loads\\308 win.qvt"); // a path from another desktop
    ASSERT_TRUE(report.opened);
    EXPECT_EQ(report.path, app.file("308 win.qvt"));
}

TEST_F(CFileDataTest, MissingInputIsNoFailure) {
    const QString missing = app.file("none.qvt");
    EXPECT_TRUE(readPath(missing).isEmpty());
    EXPECT_FALSE(report.opened);
    EXPECT_EQ(report.path, missing);
    EXPECT_TRUE(readPath(QString()).isEmpty());
    EXPECT_FALSE(report.opened);
    EXPECT_FALSE(report.problem);
}

// A single-line field over the limit reads as empty and is named once, as the first; a
// multi-line field has no limit.
TEST_F(CFileDataTest, OverLongFieldsAreMarkedNotShown) {
    const QByteArray longLine(CFileData::MaxLineField + 1, 'x');
    app.write("long.txt", "a\r\n" + longLine + "\r\n" + longLine + "\r\nb\r\n");
    const QStringList fields = read("long.txt", {3});
    EXPECT_EQ(fields.size(), 4);
    EXPECT_EQ(fields[1], "");
    EXPECT_EQ(fields[2].size(), longLine.size());
    EXPECT_EQ(report.tooLongField, 2);
    const FileProblem tooLong = report.tooLong();
    EXPECT_EQ(tooLong.number, 6);
    EXPECT_TRUE(tooLong.text.contains(app.file("long.txt")));
}

TEST_F(CFileDataTest, WritingReplacesAnExistingFileWhole) {
    app.write("old.qvt", "old contents\r\n");
    writeFields("old.qvt", {{"new", false}});
    EXPECT_EQ(app.read("old.qvt"), QByteArray("new\r\n"));

    writeFields("old.qvt", {}); // nothing written: the file ends up empty
    EXPECT_EQ(QFileInfo(app.file("old.qvt")).size(), 0);
    EXPECT_EQ(QDir(app.path()).entryList(QDir::Files).size(), 1); // no temporary file left
}

TEST_F(CFileDataTest, OutputFailuresAreReturned) {
    const auto problem = CFileData::writeFields(app.file("no such folder/x.qvt"), {{"x"}});
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->className, "CFileData");
    EXPECT_EQ(problem->operation, "openTextOutput");
    EXPECT_EQ(problem->number, 75);
    recorder.answers = {PromptAnswer::Ok}; // the one message: the report asked for
    problem->report();
    ASSERT_EQ(recorder.messages.size(), 1);
    EXPECT_TRUE(recorder.lastText().startsWith("CFileData openTextOutput: 75 - "));
    EXPECT_TRUE(CFileData::writeFields(QString(), {{"x"}})); // no name, no file
}

TEST_F(CFileDataTest, FullDiskIsAFailure) {
    if (!QFileInfo::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    const auto problem = CFileData::writeFields("/dev/full", {{"data"}});
    ASSERT_TRUE(problem);
    recorder.answers = {PromptAnswer::Ok}; // the one message: the report asked for
    problem->report();
    ASSERT_EQ(recorder.messages.size(), 1);
    EXPECT_TRUE(recorder.lastText().startsWith("CFileData closeText: 57 - "));

    writeFields("fine.txt", {{"ok", false}});
}

// Readings are values: two files read in turn, or the same file read while it is rewritten,
// never share a position or a name.
TEST_F(CFileDataTest, ReadingsAreIndependent) {
    app.write("a.txt", "a1\r\na2\r\n");
    app.write("b.txt", "b1\r\n");
    const QStringList a = read("a.txt");
    CFileData::ReadReport other;
    const QStringList b = CFileData::readFields(app.file("b.txt"), {}, other);
    EXPECT_EQ(a, (QStringList{"a1", "a2"}));
    EXPECT_EQ(b, QStringList{"b1"});
    EXPECT_EQ(report.path, app.file("a.txt"));
    EXPECT_EQ(other.path, app.file("b.txt"));

    writeFields("c.txt", {{"c1", false}});
    EXPECT_EQ(read("c.txt"), QStringList{"c1"});
}

// A reader that needs only the first fields does not split the rest of a long file.
TEST_F(CFileDataTest, TheMostFieldsAReaderTakes) {
    app.write("many.txt", "1,2,3,4,5\r\n");
    CFileData::Limits limits;
    limits.mostFields = 3;
    EXPECT_EQ(CFileData::readFields(app.file("many.txt"), limits, report),
              (QStringList{"1", "2", "3"}));
}

TEST(CFileDataPath, FilenameSubstrings) {
    QString fname = "keep";
    QString pname = "keep";
    QString ext = "keep";
    EXPECT_FALSE(CFileData::filenameSubstrings("", fname, pname, ext));
    EXPECT_EQ(fname, "keep");
    EXPECT_EQ(pname, "keep");
    EXPECT_EQ(ext, "keep");

    ASSERT_TRUE(CFileData::filenameSubstrings("readme", fname, pname, ext));
    EXPECT_EQ(fname, "readme");
    EXPECT_EQ(pname, "");
    EXPECT_EQ(ext, "");

    ASSERT_TRUE(CFileData::filenameSubstrings("C:\\loads\\308 win.qvt", fname, pname, ext));
    EXPECT_EQ(pname, "C:\\loads\\");
    EXPECT_EQ(fname, "308 win.qvt");
    EXPECT_EQ(ext, ".qvt");

    ASSERT_TRUE(CFileData::filenameSubstrings("C:\\a.b\\c", fname, pname, ext));
    EXPECT_EQ(ext, ".b\\c");
    EXPECT_EQ(fname, "c");

    ASSERT_TRUE(CFileData::filenameSubstrings("/home/me/loads/308 win.qvt", fname, pname, ext));
    EXPECT_EQ(pname, "/home/me/loads/");
    EXPECT_EQ(fname, "308 win.qvt");
    EXPECT_EQ(ext, ".qvt");

    ASSERT_TRUE(CFileData::filenameSubstrings("/home/me.old/loads/x", fname, pname, ext));
    EXPECT_EQ(ext, ".old/loads/x");

    ASSERT_TRUE(CFileData::filenameSubstrings("D:\\mixed/style\\s.ssn", fname, pname, ext));
    EXPECT_EQ(pname, "D:\\mixed/style\\");
    EXPECT_EQ(fname, "s.ssn");

    ASSERT_TRUE(CFileData::filenameSubstrings("/loads/", fname, pname, ext));
    EXPECT_EQ(pname, "/loads/");
    EXPECT_EQ(fname, "");
}

class CFileDiffTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QuietPrompt recorder;
    CFileDiff diff;

    QString file(const QString& name, const QByteArray& bytes) {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    }
};

TEST_F(CFileDiffTest, ComparesBytes) {
    QByteArray bytes(3000, 'x');
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 7);
    const QString a = file("a", bytes);
    const QString copy = file("copy", bytes);
    QByteArray last = bytes;
    last[last.size() - 1] = static_cast<char>(last.back() + 1);
    const QString lastDiffers = file("last", last);

    EXPECT_TRUE(diff.isSame(a, copy));
    EXPECT_EQ(diff.blocksRead, 2);
    EXPECT_FALSE(diff.isSame(a, lastDiffers)); // the difference lies in the rest after 2 blocks
    EXPECT_TRUE(diff.isSame(a, a));
    EXPECT_TRUE(diff.isSame(file("e1", {}), file("e2", {})));

    QByteArray first = bytes;
    first[0] = static_cast<char>(first[0] + 1);
    EXPECT_FALSE(diff.isSame(a, file("first", first)));
    EXPECT_EQ(diff.blocksRead, 1); // stopped at the first unequal block
}

TEST_F(CFileDiffTest, DifferentLengthsAreDecidedWithoutReading) {
    EXPECT_FALSE(diff.isSame(file("k1", QByteArray(1024, 'a')), file("k2", QByteArray(2048, 'a'))));
    EXPECT_EQ(diff.blocksRead, 0);
    EXPECT_FALSE(diff.isSame(file("short", "ab"), file("long", "abc")));
}

TEST_F(CFileDiffTest, MissingFileCountsAsEmptyAndIsNotCreated) {
    const QString missing = dir.filePath("missing");
    EXPECT_TRUE(diff.isSame(missing, file("empty", {})));
    EXPECT_FALSE(diff.isSame(missing, file("full", "x")));
    EXPECT_FALSE(QFileInfo::exists(missing));
}

TEST_F(CFileDiffTest, UnreadableFileIsReported) {
    const QString folder = dir.filePath("folder");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString same = file("sized", QByteArray(QFileInfo(folder).size(), 'x'));
    EXPECT_FALSE(diff.isSame(folder, same));
    // The comparison says why; telling the user is its caller's.
    ASSERT_TRUE(diff.problem);
    EXPECT_EQ(diff.problem->className, "CFileDiff");
    EXPECT_EQ(diff.problem->operation, "isSame");
    EXPECT_EQ(diff.problem->number, 75);
    recorder.answers = {PromptAnswer::Ok}; // the one message: the report asked for
    diff.problem->report();
    ASSERT_EQ(recorder.messages.size(), 1);
    EXPECT_TRUE(recorder.lastText().startsWith("CFileDiff isSame: 75 - "));
    EXPECT_TRUE(diff.isSame(same, same));
    EXPECT_FALSE(diff.problem); // each comparison starts afresh
}

} // namespace
