// quorvel --card and --table --csv run as a user runs them: a one-page PDF holding the load and a
// line per table row, and CSV text on standard output.
#include "TestAppFolder.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

struct Outcome {
    int status = -1;
    QByteArray out, err;
};

Outcome runProgram(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    Outcome r;
    if (!p.waitForStarted(10000) || !p.waitForFinished(60000)) return r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

class CardTest : public ::testing::Test {
protected:
    TestAppFolder folder;
    const QString load = TestAppFolder::dataDir() + "/308win.qvt";

    Outcome quorvel(const QStringList& args) {
        return runProgram(TestAppFolder::binDir() + "/quorvel",
                          QStringList{"--appdir", folder.path()} + args);
    }
};

TEST_F(CardTest, TheCardIsOnePageWithTheLoadAndALinePerRow) {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) GTEST_SKIP() << "no pdftotext";
    const QString pdf = folder.file("card.pdf");
    const Outcome r = quorvel({"--card", load, "-o", pdf});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const Outcome info = runProgram("pdfinfo", {pdf});
    EXPECT_TRUE(
        QRegularExpression("Pages:\\s+1\\n").match(QString::fromLatin1(info.out)).hasMatch())
        << info.out.toStdString();
    const QString text = QString::fromUtf8(runProgram("pdftotext", {"-layout", pdf, "-"}).out);
    EXPECT_TRUE(text.contains("308 Win")) << text.toStdString();
    EXPECT_TRUE(text.contains("Range (yd)"));
    EXPECT_TRUE(text.contains("Elev (mils)") || text.contains("Elev (clicks)"));

    // Every row of the table appears, with the table's velocity rounded to a whole number.
    const QStringList table = QString::fromLocal8Bit(quorvel({"--table", load}).out).split("\r\n");
    int rows = 0;
    for (const QString& line : table) {
        const QStringList cells = line.split(' ', Qt::SkipEmptyParts);
        if (cells.size() < 10 || !cells[0].at(0).isDigit()) continue;
        ++rows;
        const QRegularExpression cardLine("(^|\\n)\\s*" + cells[0] +
                                          "\\s+\\S+\\s+\\S+\\s+(\\d+)\\s");
        const QRegularExpressionMatch m = cardLine.match(text);
        ASSERT_TRUE(m.hasMatch()) << line.toStdString();
        EXPECT_NEAR(m.captured(2).toDouble(), cells[5].toDouble(), 0.5) << line.toStdString();
    }
    EXPECT_GT(rows, 10);
}

TEST_F(CardTest, BadRequestsAreOneLineAndStatusTwo) {
    const QString neg = folder.write("neg.qvt", [] {
        QFile f(TestAppFolder::dataDir() + "/repro/mv_neg0.qvt");
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }());
    for (const QStringList& args :
         {QStringList{"--card", load}, QStringList{"--card", "-o", folder.file("x.pdf")},
          QStringList{"--card", neg, "-o", folder.file("x.pdf")},
          QStringList{"--card", load, "-o", folder.file("no such folder/x.pdf")}}) {
        const Outcome r = quorvel(args);
        EXPECT_NE(r.status, 0) << args.join(' ').toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(folder.file("x.pdf")));
}

TEST_F(CardTest, CsvGoesToStandardOutput) {
    const Outcome r = quorvel({"--table", load, "--csv"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QList<QByteArray> lines = r.out.split('\n');
    EXPECT_TRUE(lines.first().startsWith("range_yd,height_in,"));
    EXPECT_EQ(lines.size(), 2 + 41); // header, 41 rows (0 to 1000 by 25), the final line end
    EXPECT_FALSE(r.out.contains('\r'));
}

} // namespace
