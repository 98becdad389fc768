// The command line run as a user runs it: quorvel --table, --help, --version and bad input.
#include "PromptRecorder.h"
#include "TestAppFolder.h"
#include "cli/CliLoad.h"
#include "cli/CommandLine.h"
#include "load/CTextOutput.h"
#include "load/InputFields.h"
#include "load/LoadFile.h"
#include "load/LoadModel.h"
#include "load/TableRefresh.h"
#include "services/CFileData.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

struct ProcessResult {
    int exitCode = -1;
    bool crashed = true;
    QByteArray out;
    QByteArray err;
    int errLines() const { return int(err.count('\n')); }
};

class CliTable : public ::testing::Test {
protected:
    TestAppFolder folder;

    ProcessResult quorvel(const QStringList& args) {
        QProcess p;
        p.setProgram(TestAppFolder::binDir() + "/quorvel");
        p.setArguments(QStringList{"--appdir", folder.path()} + args);
        p.start();
        ProcessResult r;
        if (!p.waitForStarted(10000)) {
            ADD_FAILURE() << "quorvel did not start: " << p.errorString().toStdString();
            return r;
        }
        p.waitForFinished(60000);
        r.crashed = p.exitStatus() != QProcess::NormalExit;
        r.exitCode = p.exitCode();
        r.out = p.readAllStandardOutput();
        r.err = p.readAllStandardError();
        return r;
    }

    static QByteArray data(const QString& name) {
        QFile f(TestAppFolder::dataDir() + '/' + name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // A stored table as the terminal gets it: the same text in the user's encoding (the degree
    // sign of the header is one byte in the file and two in UTF-8).
    static QByteArray printed(const QString& name) {
        return QString::fromLatin1(data(name)).toLocal8Bit();
    }

    // The Table tab's text after the window has opened `path`, computed in this process.
    QString tableAfterOpening(const QString& path) {
        PromptRecorder prompts;
        LoadModel model;
        CliLoad::startModel(model);
        EXPECT_TRUE(CliLoad::openLoad(model, path));
        CTextOutput txt;
        const TableResult result = TableRefresh::table(model.snapshot(), txt);
        if (result.problem) Problems::report(*result.problem);
        return TableRefresh::shownText(result);
    }

    // A garbage file must end with a table or a reported failure, never a crash or a hang.
    void expectSurvives(const QString& name, const QByteArray& bytes) {
        const ProcessResult r = quorvel({"--table", folder.write(name, bytes)});
        EXPECT_FALSE(r.crashed) << name.toStdString();
        EXPECT_TRUE(r.exitCode == 0 || r.exitCode == 1 || r.exitCode == 2)
            << name.toStdString() << " exit " << r.exitCode << ": " << r.err.toStdString();
        if (r.exitCode == 0) {
            EXPECT_TRUE(r.out.contains("Range")) << name.toStdString();
        }
    }
};

} // namespace

TEST_F(CliTable, WithoutAFileItPrintsTheInitialLoadsTable) {
    const ProcessResult r = quorvel({"--table"});
    EXPECT_FALSE(r.crashed);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, printed("default_table.txt"));
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
}

TEST_F(CliTable, AppdirMayFollowTheJob) {
    QProcess p;
    p.start(TestAppFolder::binDir() + "/quorvel", {"--table", "--appdir", folder.path()});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_EQ(p.readAllStandardOutput(), printed("default_table.txt"));
}

TEST_F(CliTable, VersionAndHelp) {
    const ProcessResult version = quorvel({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, QByteArray("quorvel " QUORVEL_VERSION_STRING "\n"));
    const ProcessResult help = quorvel({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains("--table [FILE.qvt]"));
    EXPECT_TRUE(help.out.contains("--appdir DIR"));
}

TEST_F(CliTable, AFileIsPrintedAsTheWindowShowsItAfterOpening) {
    // A load with the options a file carries: MOA clicks, metres, comma, advanced inputs, angle.
    LoadForm form = LoadForm::initial();
    form.fields[InputFields::Cartridge] = QString::fromLatin1("6.5 Cr\xE9"
                                                              "edmoor, 140gr");
    form.fields[InputFields::BulletWeight] = "140";
    form.fields[InputFields::MuzzleVelocity] = "2710";
    form.fields[InputFields::Bc] = "0.3";
    form.fields[InputFields::Angle] = "15";
    form.fields[InputFields::TargetSpeed] = "5";
    form.chkAdvanced = 1;
    form.chkMilrange = 1;
    form.optMoa1 = true;
    form.optComma1 = true;
    form.optRR1 = true;
    form.dragIndex = 4;
    QString datFile;
    datFile = folder.file("creed.qvt");
    ASSERT_TRUE(LoadFile::dataSaveTable(datFile, form));

    const ProcessResult r = quorvel({"--table", datFile});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QString expected = tableAfterOpening(datFile);
    EXPECT_EQ(r.out, expected.toLocal8Bit());
    EXPECT_TRUE(r.out.startsWith("6.5 Cr\xC3\xA9"
                                 "edmoor, 140gr "));
    EXPECT_TRUE(r.out.contains("Hclicks,"));
    EXPECT_TRUE(r.out.contains("Angle            : 15 degrees"));
}

TEST_F(CliTable, SavedLoadsFromOtherVersionsPrintTheirTables) {
    for (const char* name : {"308win.qvt", "65x47.qvt", "old24.qvt"}) {
        const QString path = folder.write(name, data(name));
        const ProcessResult r = quorvel({"--table", path});
        EXPECT_EQ(r.exitCode, 0) << name << ": " << r.err.toStdString();
        EXPECT_EQ(r.out, tableAfterOpening(path).toLocal8Bit()) << name;
    }
    EXPECT_TRUE(quorvel({"--table", folder.file("308win.qvt")}).out.startsWith("308 Win, 168gr"));
}

TEST_F(CliTable, MissingOrUnreadableFileIsOneLineAndStatusTwo) {
    const ProcessResult missing = quorvel({"--table", folder.file("nowhere.qvt")});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_TRUE(missing.out.isEmpty());
    EXPECT_EQ(missing.errLines(), 1) << missing.err.toStdString();
    EXPECT_TRUE(missing.err.contains("nowhere.qvt"));

    const ProcessResult folderPath = quorvel({"--table", folder.path()});
    EXPECT_EQ(folderPath.exitCode, 2);
    EXPECT_EQ(folderPath.errLines(), 1) << folderPath.err.toStdString();

    const QString locked = folder.write("locked.qvt", data("308win.qvt"));
    QFile::setPermissions(locked, QFileDevice::WriteOwner);
    QFile probe(locked);
    if (probe.open(QIODevice::ReadOnly)) GTEST_SKIP() << "running with rights to read any file";
    const ProcessResult unreadable = quorvel({"--table", locked});
    EXPECT_EQ(unreadable.exitCode, 2);
    EXPECT_EQ(unreadable.errLines(), 1) << unreadable.err.toStdString();
}

// A load no trajectory exists for, or a file read only in part, is one line naming the field
// and status 2, never a table of NaN with a message per row.
TEST_F(CliTable, LoadsThatCannotBeComputedAreOneLineAndStatusTwo) {
    struct Case {
        QByteArray bytes;
        const char* message;
    };
    const QByteArray good = data("308win.qvt");
    QByteArray noise(3000, '\0');
    quint32 seed = 22;
    for (char& b : noise) {
        seed = seed * 1664525u + 1013904223u;
        b = char(seed >> 24);
    }
    const Case cases[] = {
        {noise, "is not a Quorvel load file"},
        {data("repro/mv_neg0.qvt"), "Muzzle Velocity: Velocity must be 300 to 4500 fps."},
        {data("repro/bc_0.qvt"), "BC: Ballistic Coefficient must be between 0.001 and 1.0."},
        {good.left(good.indexOf("\r\n1\r\n0\r\nTrue")), "ends after field 18 of 32"},
    };
    int n = 0;
    for (const Case& c : cases) {
        const QString path = folder.write(QStringLiteral("bad%1.qvt").arg(++n), c.bytes);
        for (const char* job : {"--table", "--point-blank"}) {
            const ProcessResult r = quorvel({job, path});
            EXPECT_EQ(r.exitCode, 2) << job << " " << c.message;
            EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
            EXPECT_EQ(r.errLines(), 1) << r.err.toStdString();
            EXPECT_TRUE(r.err.contains(c.message)) << r.err.toStdString();
        }
    }
}

// A folder or a pipe is named for what it is.
TEST_F(CliTable, FoldersAndPipesAreNamedForWhatTheyAre) {
    const ProcessResult dir = quorvel({"--table", folder.path()});
    EXPECT_EQ(dir.exitCode, 2);
    EXPECT_TRUE(dir.err.contains("is a directory")) << dir.err.toStdString();
    const ProcessResult device = quorvel({"--table", "/dev/null"});
    EXPECT_EQ(device.exitCode, 2);
    EXPECT_TRUE(device.err.contains("is not a regular file")) << device.err.toStdString();
}

TEST_F(CliTable, UnknownOptionsAreAUsageError) {
    for (const QStringList& args : {QStringList{"--tabel"}, QStringList{"--table", "a", "b"},
                                    QStringList{"--table", "--version"}}) {
        const ProcessResult r = quorvel(args);
        EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_EQ(r.errLines(), 1) << r.err.toStdString();
    }
}

TEST_F(CliTable, GarbageTruncatedAndHugeFilesNeverCrash) {
    const QByteArray good = data("308win.qvt");
    ASSERT_FALSE(good.isEmpty());
    for (int cut : {0, 1, 5, 30, 60, 90, 120, int(good.size()) - 3})
        expectSurvives(QStringLiteral("cut%1.qvt").arg(cut), good.left(cut));

    QRandomGenerator random(20240607);
    QByteArray noise(4096, '\0');
    for (char& c : noise)
        c = char(random.bounded(256));
    expectSurvives("noise.qvt", noise);

    // Numbers a text box would refuse: beyond 16 bits, zero, negative, huge ranges.
    QList<QByteArray> lines = good.split('\n');
    const QList<QPair<int, QByteArray>> edits = {
        {1, "40000"}, {2, "0"},     {3, "32767"}, {5, "1"},     {3, "-5"},   {5, "0"},
        {10, "0"},    {10, "1e39"}, {2, "-2650"}, {16, "1e30"}, {30, "999"}, {3, "4000"}};
    for (const auto& [line, text] : edits) {
        QList<QByteArray> edited = lines;
        edited[line - 1] = text + '\r';
        expectSurvives(QStringLiteral("edit%1-%2.qvt").arg(line).arg(QString::fromLatin1(text)),
                       edited.join('\n'));
    }

    QByteArray huge = good;
    huge.replace("308 Win", QByteArray(4 << 20, 'W'));
    huge += QByteArray(2 << 20, '\n');
    expectSurvives("huge.qvt", huge);
}

TEST(CliDispatch, PlainArgumentsAreForTheWindowAndBadOptionsFail) {
    TestAppFolder folder;
    auto run = [](std::vector<std::string> args) {
        std::vector<char*> argv;
        static char program[] = "quorvel";
        argv.push_back(program);
        for (std::string& a : args)
            argv.push_back(a.data());
        return CommandLine::run(int(argv.size()), argv.data());
    };
    EXPECT_EQ(run({}), std::nullopt);
    EXPECT_EQ(run({"my load.qvt"}), std::nullopt);
    EXPECT_EQ(run({"--screenshots", folder.path().toStdString()}), std::nullopt);
    EXPECT_EQ(run({"--appdir", folder.path().toStdString(), "a.qvt"}), std::nullopt);
    EXPECT_EQ(run({"--appdir"}), 2);
    EXPECT_EQ(run({"--frobnicate"}), 2);
    EXPECT_EQ(run({"--help", "extra"}), 2);
}

// --- the precision model -----------------------------------------------------------------------

TEST_F(CliTable, ALoadWithThePrecisionModelOnPrintsItsTable) {
    const QString path = TestAppFolder::dataDir() + "/308win-precision.qvt";
    const ProcessResult r = quorvel({"--table", path});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QString text = QString::fromLocal8Bit(r.out);
    EXPECT_EQ(text, tableAfterOpening(path));
    EXPECT_TRUE(text.contains(" Model           : Precision, G7 drag table")) << text.toStdString();
    EXPECT_TRUE(text.contains("LClicks     Spin")) << text.toStdString();

    const ProcessResult csv = quorvel({"--table", path, "--csv"});
    EXPECT_EQ(csv.exitCode, 0) << csv.err.toStdString();
    EXPECT_TRUE(csv.out.startsWith("range_yd,"));
    EXPECT_TRUE(csv.out.left(csv.out.indexOf('\n'))
                    .endsWith("lead_in,lead_clicks,spin_in,coriolis_v_in,coriolis_h_in,mach"))
        << csv.out.left(200).toStdString();
}

TEST_F(CliTable, TheRangeLimitNamedIsTheOneThatApplies) {
    // Field 4 is the maximum range: 1000 in the sample.
    const auto withRange = [&](const QByteArray& file, const QByteArray& range) {
        QByteArray bytes = data(file);
        QList<QByteArray> lines = bytes.split('\n');
        lines[3] = range + "\r";
        return folder.write("r.qvt", lines.join('\n'));
    };
    const ProcessResult far = quorvel({"--table", withRange("308win-precision.qvt", "3000")});
    EXPECT_EQ(far.exitCode, 0) << far.err.toStdString();
    EXPECT_TRUE(QString::fromLatin1(far.out).contains(QRegularExpression("\r\n +3000 ")))
        << far.out.right(300).toStdString();
    const ProcessResult beyond = quorvel({"--table", withRange("308win-precision.qvt", "5001")});
    EXPECT_EQ(beyond.exitCode, 2);
    EXPECT_TRUE(beyond.err.contains("must be 5000 yards or less with the precision model"))
        << beyond.err.toStdString();
    const ProcessResult classic = quorvel({"--table", withRange("308win.qvt", "2048")});
    EXPECT_EQ(classic.exitCode, 2);
    EXPECT_TRUE(classic.err.contains("Maximum range must be 2047 yards or less."))
        << classic.err.toStdString();
}

TEST_F(CliTable, APrecisionLoadWhoseDragFileIsGoneIsOneLineAndStatusTwo) {
    QByteArray bytes = data("308win-precision.qvt");
    const QString gone = folder.file("gone.csv");
    bytes.replace("\r\nG7\r\n", "\r\n" + gone.toLocal8Bit() + "\r\n");
    const ProcessResult r = quorvel({"--table", folder.write("p.qvt", bytes)});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.errLines(), 1) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(gone.toLocal8Bit() + "\" was not found")) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());
}
