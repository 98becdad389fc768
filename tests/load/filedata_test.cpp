#include "services/CFileData.h"

#include "PromptRecorder.h"
#include "TestAppFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr int16_t fNum = 1;

class CFileDataTest : public ::testing::Test {
protected:
    TestAppFolder app{false};
    PromptRecorder recorder;
    CFileData dat;

    QString writeFields(const QString& name, const QList<QPair<QString, bool>>& fields) {
        dat.filename = app.file(name);
        EXPECT_TRUE(dat.openTextOutput(fNum));
        for (const auto& [text, multiline] : fields) {
            if (multiline)
                dat.writeMultilineText(text, fNum);
            else
                dat.writeText(text, fNum);
        }
        EXPECT_TRUE(dat.writeOk(fNum));
        dat.closeText(fNum);
        return dat.filename;
    }

    bool openInput(const QString& name) {
        dat.filename = app.file(name);
        return dat.openTextInput(fNum);
    }

    void TearDown() override {
        dat.closeText(fNum);
        dat.closeText(2);
    }
};

TEST_F(CFileDataTest, MultilineFieldIsOneLineAndReadsBack) {
    const QString text = "a, b\r\nc";
    writeFields("m.txt", {{text, true}});
    EXPECT_EQ(app.read("m.txt"), QByteArray("a|~ b|@|{c\r\n"));
    ASSERT_TRUE(openInput("m.txt"));
    EXPECT_EQ(dat.readMultilineText(fNum), text);
    EXPECT_TRUE(dat.atEnd(fNum));
    EXPECT_TRUE(recorder.messages.isEmpty());
}

TEST_F(CFileDataTest, SingleLineWriterLeavesLineBreaksAsTwoFields) {
    writeFields("s.txt", {{"a, b\r\nc", false}});
    EXPECT_EQ(app.read("s.txt"), QByteArray("a|~ b\r\nc\r\n"));
    ASSERT_TRUE(openInput("s.txt"));
    EXPECT_EQ(dat.readText(fNum), "a, b");
    EXPECT_EQ(dat.readText(fNum), "c");
    EXPECT_EQ(dat.readText(fNum), "");
}

TEST_F(CFileDataTest, EscapesInTheTextItselfReadBackAltered) {
    app.write("e.txt", "x|~y\r\np|@|{q\r\n");
    ASSERT_TRUE(openInput("e.txt"));
    EXPECT_EQ(dat.readText(fNum), "x,y");
    EXPECT_EQ(dat.readMultilineText(fNum), "p\r\nq");
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
    ASSERT_TRUE(openInput("lone.txt"));
    EXPECT_EQ(dat.readMultilineText(fNum), "a");
    EXPECT_EQ(dat.readMultilineText(fNum), "b");
    EXPECT_EQ(dat.readMultilineText(fNum), "c");
    EXPECT_EQ(dat.readMultilineText(fNum), "d");
    EXPECT_TRUE(dat.atEnd(fNum));
}

TEST_F(CFileDataTest, EmptyFieldIsAnEmptyLine) {
    writeFields("empty.txt", {{"", false}, {"", true}, {"x", false}});
    EXPECT_EQ(app.read("empty.txt"), QByteArray("\r\n\r\nx\r\n"));
    ASSERT_TRUE(openInput("empty.txt"));
    EXPECT_EQ(dat.readText(fNum), "");
    EXPECT_EQ(dat.readMultilineText(fNum), "");
    EXPECT_FALSE(dat.atEnd(fNum));
    EXPECT_EQ(dat.readText(fNum), "x");
}

TEST_F(CFileDataTest, ReadingPastTheEndIsSilentUnlessAskedFor) {
    app.write("one.txt", "only\r\n");
    ASSERT_TRUE(openInput("one.txt"));
    EXPECT_EQ(dat.readText(fNum), "only");
    EXPECT_EQ(dat.readText(fNum), "");
    EXPECT_EQ(dat.readMultilineText(fNum), "");
    EXPECT_TRUE(recorder.messages.isEmpty());

    dat.eofIsError = true;
    EXPECT_EQ(dat.readMultilineText(fNum), "");
    ASSERT_EQ(recorder.messages.size(), 1);
    EXPECT_TRUE(recorder.lastText().startsWith("CFileData readText: 62 - "));
    dat.closeText(fNum);
    EXPECT_EQ(dat.readText(fNum), ""); // not open at all
    ASSERT_EQ(recorder.messages.size(), 2);
    EXPECT_TRUE(recorder.lastText().startsWith("CFileData readText: 52 - "));
}

TEST_F(CFileDataTest, LineEndingsOfOtherWritersAndHandEditedFiles) {
    app.write("mixed.txt", "unix\nmac\rdos\r\n1,2\r\nlast");
    ASSERT_TRUE(openInput("mixed.txt"));
    for (const char* expected : {"unix", "mac", "dos", "1", "2", "last"})
        EXPECT_EQ(dat.readText(fNum), expected);
    EXPECT_TRUE(dat.atEnd(fNum));
}

TEST_F(CFileDataTest, TextIsLatin1) {
    const QString text = QString::fromUtf8("Müller 6,5×55 °F");
    writeFields("latin.txt", {{text, false}});
    EXPECT_EQ(app.read("latin.txt"), QByteArray("M\xfcller 6|~5\xd7"
                                                "55 \xb0"
                                                "F\r\n"));
    ASSERT_TRUE(openInput("latin.txt"));
    EXPECT_EQ(dat.readText(fNum), text);
}

TEST_F(CFileDataTest, GoldenFileOfEscapes) {
    const QList<QPair<QString, bool>> fields = {
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
    dat.filename = golden;
    ASSERT_TRUE(dat.openTextInput(2));
    QList<QPair<QString, bool>> read;
    for (const auto& [text, multiline] : fields) {
        const QString got = multiline ? dat.readMultilineText(2) : dat.readText(2);
        EXPECT_EQ(got, text);
        read.append({got, multiline});
    }
    EXPECT_TRUE(dat.atEnd(2));
    dat.closeText(2);
    writeFields("rewritten.txt", read);
    EXPECT_EQ(app.read("rewritten.txt"), expected);
    EXPECT_TRUE(recorder.messages.isEmpty());
}

TEST_F(CFileDataTest, OpenTextInputUsesTheAppFolderCopy) {
    app.write("308 win.qvt", "x\r\n");
    QTemporaryDir elsewhere;
    dat.filename = elsewhere.path() + "/308 win.qvt";
    ASSERT_TRUE(dat.openTextInput(fNum));
    EXPECT_EQ(dat.filename, app.file("308 win.qvt"));
    EXPECT_EQ(dat.readText(fNum), "x");
    dat.closeText(fNum);

    dat.filename = "C:\\loads\\308 win.qvt"; // a path from another desktop
    ASSERT_TRUE(dat.openTextInput(fNum));
    EXPECT_EQ(dat.filename, app.file("308 win.qvt"));
}

TEST_F(CFileDataTest, MissingInputIsNoFailure) {
    const QString missing = app.file("none.qvt");
    dat.filename = missing;
    EXPECT_FALSE(dat.openTextInput(fNum));
    EXPECT_EQ(dat.filename, missing);
    dat.filename.clear();
    EXPECT_FALSE(dat.openTextInput(fNum));
    EXPECT_TRUE(dat.atEnd(fNum));
    EXPECT_TRUE(recorder.messages.isEmpty());
}

TEST_F(CFileDataTest, OpenTextOutputReplacesAnExistingFileAtClose) {
    app.write("old.qvt", "old contents\r\n");
    dat.filename = app.file("old.qvt");
    ASSERT_TRUE(dat.openTextOutput(fNum));
    dat.writeText("new", fNum);
    EXPECT_EQ(app.read("old.qvt"), QByteArray("old contents\r\n")); // whole until replaced
    dat.closeText(fNum);
    EXPECT_EQ(app.read("old.qvt"), QByteArray("new\r\n"));

    ASSERT_TRUE(dat.openTextOutput(fNum));
    dat.closeText(fNum); // nothing written: the file ends up empty
    EXPECT_EQ(QFileInfo(app.file("old.qvt")).size(), 0);
    EXPECT_EQ(QDir(app.path()).entryList(QDir::Files).size(), 1); // no temporary file left
}

TEST_F(CFileDataTest, OutputFailuresAreReported) {
    dat.filename = app.file("no such folder/x.qvt");
    EXPECT_FALSE(dat.openTextOutput(fNum));
    ASSERT_EQ(recorder.messages.size(), 1);
    EXPECT_TRUE(recorder.lastText().startsWith("CFileData openTextOutput: 75 - "));

    dat.writeText("lost", 3); // nothing open under 3
    ASSERT_EQ(recorder.messages.size(), 2);
    EXPECT_EQ(recorder.lastText(), "CFileData writeText: 52 - Bad file name or number");

    app.write("in.txt", "a\r\n");
    ASSERT_TRUE(openInput("in.txt"));
    dat.writeMultilineText("x", fNum); // open for reading
    ASSERT_EQ(recorder.messages.size(), 3);
    EXPECT_TRUE(recorder.lastText().startsWith("CFileData writeText: 54 - "));
    EXPECT_EQ(app.read("in.txt"), QByteArray("a\r\n"));
}

TEST_F(CFileDataTest, FullDiskShowsInWriteOkAndAtClose) {
    if (!QFileInfo::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    dat.filename = "/dev/full";
    ASSERT_TRUE(dat.openTextOutput(fNum));
    dat.writeText("data", fNum);
    EXPECT_FALSE(dat.writeOk(fNum));
    dat.closeText(fNum);
    ASSERT_EQ(recorder.messages.size(), 1);
    EXPECT_TRUE(recorder.lastText().startsWith("CFileData closeText: 57 - "));
    EXPECT_FALSE(dat.writeOk(fNum)); // remembered after closing

    writeFields("fine.txt", {{"ok", false}});
    EXPECT_TRUE(dat.writeOk(fNum));
    EXPECT_FALSE(dat.writeOk(9)); // never opened
}

TEST_F(CFileDataTest, FileNumbersAreSharedAcrossInstancesAndReusable) {
    app.write("a.txt", "a1\r\na2\r\n");
    app.write("b.txt", "b1\r\n");
    ASSERT_TRUE(openInput("a.txt"));
    CFileData other;
    EXPECT_EQ(other.readText(fNum), "a1");
    other.filename = app.file("b.txt");
    ASSERT_TRUE(other.openTextInput(2));
    EXPECT_EQ(dat.readText(2), "b1");
    EXPECT_EQ(dat.readText(fNum), "a2");

    // Opening a number still in use replaces the earlier file; pending output is written out.
    dat.filename = app.file("c.txt");
    ASSERT_TRUE(dat.openTextOutput(fNum));
    dat.writeText("c1", fNum);
    dat.filename = app.file("c.txt");
    ASSERT_TRUE(dat.openTextInput(fNum));
    EXPECT_EQ(dat.readText(fNum), "c1");
    dat.closeText(fNum);
    dat.closeText(fNum); // closing twice is harmless
    EXPECT_TRUE(recorder.messages.isEmpty());
}

TEST(CFileDataPath, FilenameSubstrings) {
    const CFileData dat;
    QString fname = "keep";
    QString pname = "keep";
    QString ext = "keep";
    EXPECT_FALSE(dat.filenameSubstrings("", fname, pname, ext));
    EXPECT_EQ(fname, "keep");
    EXPECT_EQ(pname, "keep");
    EXPECT_EQ(ext, "keep");

    ASSERT_TRUE(dat.filenameSubstrings("readme", fname, pname, ext));
    EXPECT_EQ(fname, "readme");
    EXPECT_EQ(pname, "");
    EXPECT_EQ(ext, "");

    ASSERT_TRUE(dat.filenameSubstrings("C:\\loads\\308 win.qvt", fname, pname, ext));
    EXPECT_EQ(pname, "C:\\loads\\");
    EXPECT_EQ(fname, "308 win.qvt");
    EXPECT_EQ(ext, ".qvt");

    ASSERT_TRUE(dat.filenameSubstrings("C:\\a.b\\c", fname, pname, ext));
    EXPECT_EQ(ext, ".b\\c");
    EXPECT_EQ(fname, "c");

    ASSERT_TRUE(dat.filenameSubstrings("/home/me/loads/308 win.qvt", fname, pname, ext));
    EXPECT_EQ(pname, "/home/me/loads/");
    EXPECT_EQ(fname, "308 win.qvt");
    EXPECT_EQ(ext, ".qvt");

    ASSERT_TRUE(dat.filenameSubstrings("/home/me.old/loads/x", fname, pname, ext));
    EXPECT_EQ(ext, ".old/loads/x");

    ASSERT_TRUE(dat.filenameSubstrings("D:\\mixed/style\\s.ssn", fname, pname, ext));
    EXPECT_EQ(pname, "D:\\mixed/style\\");
    EXPECT_EQ(fname, "s.ssn");

    ASSERT_TRUE(dat.filenameSubstrings("/loads/", fname, pname, ext));
    EXPECT_EQ(pname, "/loads/");
    EXPECT_EQ(fname, "");
}

class CFileDiffTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    PromptRecorder recorder;
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
    EXPECT_TRUE(recorder.messages.isEmpty());
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
    EXPECT_TRUE(recorder.messages.isEmpty());
}

TEST_F(CFileDiffTest, UnreadableFileIsReported) {
    const QString folder = dir.filePath("folder");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString same = file("sized", QByteArray(QFileInfo(folder).size(), 'x'));
    CFileData dat;
    EXPECT_FALSE(dat.isSame(folder, same));
    ASSERT_EQ(recorder.messages.size(), 1);
    EXPECT_TRUE(recorder.lastText().startsWith("CFileDiff isSame: 75 - "));
}

} // namespace
