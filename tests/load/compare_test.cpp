// The comparison reader: the first 17 fields of a load file into a second load record.
#include "QuietPrompt.h"
#include "TestAppFolder.h"
#include "load/CompareFile.h"
#include "services/CFileData.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

QByteArray lines(const QStringList& fields) {
    QByteArray bytes;
    for (const QString& f : fields)
        bytes += f.toLatin1() + "\r\n";
    return bytes;
}

// The first 17 fields of a load, then the rest of a current file.
QStringList fullFile() {
    return {"300 WM|~ 190gr",
            "190.5",
            "2900",
            "1200",
            "200",
            "50",
            "12",
            "45",
            "3000",
            "48.5",
            ".533",
            ".52",
            ".5",
            "2000",
            "1500",
            "1.75",
            "14",
            "C:\\loads\\other.qvt",
            "1",
            "0",
            "True",
            "False",
            "False",
            "False",
            "0.0",
            "29.53",
            "78",
            "5",
            "True",
            "0",
            "3",
            "notes"};
}

class CompareFileTest : public ::testing::Test {
protected:
    TestAppFolder folder{false};
    QuietPrompt prompts;
    // What the reads found wrong with the files: nothing, for every file these tests write.
    QList<Problem> problems;
    void TearDown() override { EXPECT_TRUE(problems.isEmpty()); }

    CInput previous() {
        CInput in;
        in.cart = QStringLiteral("before");
        in.ibweight = 1;
        in.imvel = 2;
        in.imaxyds = 3;
        in.izrange = 4;
        in.iydsinc = 5;
        in.ixwvel = 6;
        in.ixwangl = 7;
        in.alt = 8;
        in.temp = 9;
        in.bcoef = 10;
        in.bcMed = 11;
        in.bcLow = 12;
        in.vMed = 13;
        in.vLow = 14;
        in.sightheight = 15;
        in.scopeMag = 16;
        in.dragIndex = 5;
        return in;
    }
};

TEST_F(CompareFileTest, ReadsTheFirstSeventeenFieldsWithTheirConversions) {
    QString path = folder.write("other.qvt", lines(fullFile()));
    CInput in = previous();
    int read = 0;
    ASSERT_TRUE(CompareFile::dataLoadCompare(in, path, problems, &read));
    EXPECT_EQ(read, 17);
    EXPECT_EQ(in.cart, QStringLiteral("300 WM, 190gr"));
    EXPECT_EQ(in.ibweight, 190); // 190.5 rounds half to even
    EXPECT_EQ(in.imvel, 2900);
    EXPECT_EQ(in.imaxyds, 1200);
    EXPECT_EQ(in.izrange, 200);
    EXPECT_EQ(in.iydsinc, 50);
    EXPECT_EQ(in.ixwvel, 12);
    EXPECT_EQ(in.ixwangl, 45);
    EXPECT_FLOAT_EQ(in.alt, 3000);
    EXPECT_FLOAT_EQ(in.temp, 48.5f);
    EXPECT_FLOAT_EQ(in.bcoef, 0.533f);
    EXPECT_FLOAT_EQ(in.bcMed, 0.52f);
    EXPECT_FLOAT_EQ(in.bcLow, 0.5f);
    EXPECT_FLOAT_EQ(in.vMed, 2000);
    EXPECT_FLOAT_EQ(in.vLow, 1500);
    EXPECT_FLOAT_EQ(in.sightheight, 1.75f);
    EXPECT_FLOAT_EQ(in.scopeMag, 14);
    // The rest of the file is not read: the drag model stays the screen's.
    EXPECT_EQ(in.dragIndex, 5);
}

TEST_F(CompareFileTest, StopsAtTheFirstFieldThatDoesNotConvert) {
    struct Case {
        int badField; // 0-based index in the file
        QString text;
    };
    for (const Case& c : {Case{4, "abc"}, Case{1, "40000"}, Case{10, ""}, Case{16, "x"}}) {
        SCOPED_TRACE(c.badField);
        QStringList fields = fullFile();
        fields[c.badField] = c.text;
        QString path = folder.write("bad.qvt", lines(fields));
        CInput in = previous();
        const CInput before = in;
        int read = -1;
        EXPECT_TRUE(CompareFile::dataLoadCompare(in, path, problems, &read));
        EXPECT_EQ(read, c.badField);
        // Fields before the bad one are new, the bad one and the later ones keep their values.
        EXPECT_EQ(in.cart, QStringLiteral("300 WM, 190gr"));
        EXPECT_EQ(in.izrange, c.badField > 4 ? 200 : before.izrange);
        EXPECT_EQ(in.ibweight, c.badField > 1 ? 190 : before.ibweight);
        EXPECT_FLOAT_EQ(in.scopeMag, before.scopeMag);
        EXPECT_FLOAT_EQ(in.sightheight, c.badField > 15 ? 1.75f : before.sightheight);
    }
}

TEST_F(CompareFileTest, AShortFileStopsWhereItEnds) {
    QStringList fields = fullFile().mid(0, 9);
    QString path = folder.write("short.qvt", lines(fields));
    CInput in = previous();
    int read = 0;
    EXPECT_TRUE(CompareFile::dataLoadCompare(in, path, problems, &read));
    EXPECT_EQ(read, 9);
    EXPECT_FLOAT_EQ(in.alt, 3000);
    EXPECT_FLOAT_EQ(in.temp, 9); // not in the file
}

TEST_F(CompareFileTest, AMissingFileReadsNothing) {
    QString path = folder.file("gone.qvt");
    CInput in = previous();
    const CInput before = in;
    int read = -1;
    EXPECT_FALSE(CompareFile::dataLoadCompare(in, path, problems, &read));
    EXPECT_EQ(read, 0);
    EXPECT_EQ(in, before);
    QString empty;
    EXPECT_FALSE(CompareFile::dataLoadCompare(in, empty, problems));
}

TEST_F(CompareFileTest, AFileMissingAtItsPathIsTakenFromTheApplicationFolder) {
    folder.write("other.qvt", lines(fullFile()));
    QString path = QStringLiteral("C:\\loads\\other.qvt");
    CInput in = previous();
    EXPECT_TRUE(CompareFile::dataLoadCompare(in, path, problems));
    EXPECT_EQ(path, folder.file("other.qvt"));
    EXPECT_EQ(in.imvel, 2900);
}

TEST_F(CompareFileTest, ReadsTheSavedSampleFile) {
    QString path = TestAppFolder::dataDir() + "/65x47.qvt";
    CInput in = previous();
    ASSERT_TRUE(CompareFile::dataLoadCompare(in, path, problems));
    EXPECT_EQ(in.cart, QString::fromLatin1("6.5\xd7"
                                           "47 Lapua")); // Latin-1 text
    EXPECT_EQ(in.imvel, 2850);
    EXPECT_FLOAT_EQ(in.bcoef, 0.611f);
    EXPECT_FLOAT_EQ(in.scopeMag, 18);
}

TEST(CompareName, IsTheFileNamePartOfEitherKindOfPath) {
    EXPECT_EQ(CompareFile::compareName(QStringLiteral("C:\\loads\\308 win.qvt")),
              QStringLiteral("308 win.qvt"));
    EXPECT_EQ(CompareFile::compareName(QStringLiteral("/home/a/65x47.qvt")),
              QStringLiteral("65x47.qvt"));
    EXPECT_EQ(CompareFile::compareName(QString()), QString());
}

} // namespace
