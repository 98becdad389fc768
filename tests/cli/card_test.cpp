// quorvel --card and --table --csv run as a user runs them: a one-page PDF holding the load and a
// line per table row, and CSV text on standard output.
#include "PromptRecorder.h"
#include "TestAppFolder.h"
#include "cli/CliLoad.h"
#include "load/LoadModel.h"
#include "report/RangeCard.h"

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
        EXPECT_EQ(r.status, 2) << args.join(' ').toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(folder.file("x.pdf")));
}

TEST_F(CardTest, ThePocketCardIsAnA6PageWithTheShootersRows) {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) GTEST_SKIP() << "no pdftotext";
    const QString pocket = folder.file("pocket.pdf");
    Outcome r = quorvel({"--card", load, "-o", pocket, "--card-size", "pocket"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QString info = QString::fromLatin1(runProgram("pdfinfo", {pocket}).out);
    EXPECT_TRUE(info.contains("420 x 297 pts") || info.contains("(A6)")) << info.toStdString();
    EXPECT_TRUE(QRegularExpression("Pages:\\s+1\\n").match(info).hasMatch()) << info.toStdString();
    // The load's 25-yd table, every 100 yd on the pocket card.
    const auto ranges = [](const QString& text) {
        QStringList found;
        static const QRegularExpression row(
            "(?:^|\\n)\\s*(\\d+)\\s+-?[\\d.]+\\s+-?[\\d.]+\\s+\\d{3,4}\\s");
        for (auto it = row.globalMatch(text); it.hasNext();)
            found << it.next().captured(1);
        return found;
    };
    QString text = QString::fromUtf8(runProgram("pdftotext", {"-layout", pocket, "-"}).out);
    EXPECT_EQ(ranges(text), (QStringList{"0", "100", "200", "300", "400", "500", "600", "700",
                                         "800", "900", "1000"}))
        << text.toStdString();

    const QString picked = folder.file("picked.pdf");
    r = quorvel({"--card", load, "-o", picked, "--rows", "300:450:50"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    text = QString::fromUtf8(runProgram("pdftotext", {"-layout", picked, "-"}).out);
    EXPECT_EQ(ranges(text), (QStringList{"300", "350", "400", "450"})) << text.toStdString();
}

TEST_F(CardTest, BadSizesAndRowsAreOneLineAndStatusTwo) {
    for (const QStringList& extra :
         {QStringList{"--card-size", "wallet"}, QStringList{"--card-size"},
          QStringList{"--rows", "100:50:25"}, QStringList{"--rows", "0:500:0"},
          QStringList{"--rows", "0:500"}, QStringList{"--rows", "0:5000:100"}}) {
        const Outcome r = quorvel(QStringList{"--card", load, "-o", folder.file("x.pdf")} + extra);
        EXPECT_EQ(r.status, 2) << extra.join(' ').toStdString();
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

TEST(RangeCardMarks, ThePrecisionCardMarksWhereTheBulletTurnsTransonicAndSubsonic) {
    TestAppFolder folder;
    PromptRecorder prompts;
    // The precision sample to 1500 yd: its 2632 ft/s slows through Mach 1.2 and Mach 1.
    QFile sample(TestAppFolder::dataDir() + "/308win-precision.qvt");
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = sample.readAll().split('\n');
    lines[3] = "1500\r";
    LoadModel model;
    CliLoad::startModel(model);
    ASSERT_TRUE(CliLoad::openLoad(model, folder.write("far.qvt", lines.join('\n'))));
    const RangeCard::Collected collected = RangeCard::collect(model.snapshot());
    ASSERT_TRUE(collected.ok()) << collected.problem.toStdString();
    const RangeCard::Card& card = collected.card;
    QStringList marks;
    for (const RangeCard::Line& line : card.lines) {
        if (line.soundBarrier.isEmpty()) continue;
        marks << line.soundBarrier;
        // Mach 1.2 and 1.0 in the air at 5,000 ft and 41 F, whose sound travels 1097 ft/s; the
        // 10-mph crosswind adds little to the speed through the air.
        const double limit = line.soundBarrier == "transonic" ? 1.2 * 1097 : 1097;
        EXPECT_LT(line.velocity, limit + 2) << line.range;
    }
    EXPECT_EQ(marks, (QStringList{"transonic", "subsonic"}));
}

} // namespace
