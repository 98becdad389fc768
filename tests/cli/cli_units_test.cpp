// The command line in the shooter's units: --units metric converts every column of the same
// rows, --clicks counts the chosen turret's clicks, and bad values are refused in one line.
#include "TestAppFolder.h"
#include "load/InputFields.h"
#include "load/LoadFile.h"
#include "load/LoadForm.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct Outcome {
    int exitCode = -1;
    QByteArray out, err;
};

class CliUnits : public ::testing::Test {
protected:
    TestAppFolder folder;

    Outcome quorvel(const QStringList& args) {
        QProcess p;
        p.start(TestAppFolder::binDir() + "/quorvel",
                QStringList{"--appdir", folder.path()} + args);
        Outcome r;
        if (!p.waitForFinished(60000)) {
            ADD_FAILURE() << "quorvel did not finish";
            return r;
        }
        r.exitCode = p.exitCode();
        r.out = p.readAllStandardOutput();
        r.err = p.readAllStandardError();
        return r;
    }

    // The CSV's header and its rows as numbers.
    static std::pair<QStringList, std::vector<std::vector<double>>> csv(const QByteArray& text) {
        QStringList lines = QString::fromUtf8(text).split('\n', Qt::SkipEmptyParts);
        const QStringList header = lines.takeFirst().split(',');
        std::vector<std::vector<double>> rows;
        for (const QString& line : lines) {
            std::vector<double> row;
            for (const QString& cell : line.split(','))
                row.push_back(cell.toDouble());
            rows.push_back(row);
        }
        return {header, rows};
    }

    // A load with every column moving (a target speed and a crosswind) dialling clicks, or mils.
    QString clicksLoad(bool moa = true) {
        LoadForm form = LoadForm::initial();
        form.fields[InputFields::TargetSpeed] = "5";
        form.chkAdvanced = 1;
        form.optMoa1 = moa;
        const QString path = folder.file(moa ? "clicks.qvt" : "mils.qvt");
        EXPECT_TRUE(LoadFile::dataSaveTable(path, form));
        return path;
    }
};

TEST_F(CliUnits, MetricConvertsEveryColumnOfTheSameRows) {
    const Outcome imperial = quorvel({"--table", "--csv"});
    const Outcome metric = quorvel({"--table", "--csv", "--units", "metric"});
    ASSERT_EQ(imperial.exitCode, 0) << imperial.err.toStdString();
    ASSERT_EQ(metric.exitCode, 0) << metric.err.toStdString();
    const auto [inHeader, inRows] = csv(imperial.out);
    const auto [mHeader, mRows] = csv(metric.out);
    EXPECT_EQ(mHeader, QStringList({"range_m", "height_cm", "height_mil", "wind_cm", "wind_mil",
                                    "velocity_mps", "energy_j", "tof_s", "lead_cm", "lead_mil"}));
    ASSERT_EQ(inRows.size(), mRows.size());
    // yd -> m, in -> cm, ft/s -> m/s, ft-lbf -> J; angles and times stay.
    const double factors[] = {0.9144, 2.54, 1, 2.54, 1, 0.3048, 1.3558179483, 1, 2.54, 1};
    for (size_t r = 0; r < inRows.size(); ++r)
        for (size_t c = 0; c < std::size(factors); ++c)
            EXPECT_NEAR(mRows[r][c], inRows[r][c] * factors[c],
                        1e-5 * std::max(1.0, std::abs(mRows[r][c])))
                << mHeader[int(c)].toStdString() << " row " << r;
}

TEST_F(CliUnits, TheMetricTableNamesItsUnits) {
    const Outcome r = quorvel({"--table", "--units", "metric"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QString text = QString::fromLocal8Bit(r.out);
    // 2635 ft/s, 175 gr, 10 mph and 59 F in the first-start load.
    EXPECT_TRUE(text.contains("Muzzle Velocity : 803.1 m/s")) << text.toStdString();
    EXPECT_TRUE(text.contains("Bullet Weight   : 11.34 g"));
    EXPECT_TRUE(text.contains("Xwind Speed     : 4.5 m/s"));
    EXPECT_TRUE(text.contains(QStringLiteral("15  \u00B0C")));
    EXPECT_TRUE(text.contains("       m       cm     mils       cm     mils      m/s        J"));
    EXPECT_TRUE(text.contains("   457.2 ")); // the 500-yd row
}

TEST_F(CliUnits, ClicksCountTheChosenTurret) {
    const QString load = clicksLoad();
    const Outcome quarter = quorvel({"--table", load, "--csv"});
    const Outcome eighth = quorvel({"--table", load, "--csv", "--clicks", "0.125moa"});
    const Outcome tenthMil = quorvel({"--table", load, "--csv", "--clicks", "0.1mil"});
    const Outcome mils = quorvel({"--table", clicksLoad(false), "--csv"});
    ASSERT_EQ(quarter.exitCode, 0);
    ASSERT_EQ(eighth.exitCode, 0);
    ASSERT_EQ(tenthMil.exitCode, 0);
    const auto q = csv(quarter.out).second;
    const auto e = csv(eighth.out).second;
    const auto t = csv(tenthMil.out).second;
    const auto m = csv(mils.out).second;
    ASSERT_EQ(q.size(), t.size());
    for (size_t r = 1; r < q.size(); ++r) {
        // Height clicks (column 2): twice as many eighth-minute clicks as quarter ones, and ten
        // tenth-mil clicks for each mil of the mil table.
        EXPECT_NEAR(e[r][2], 2 * q[r][2], 1e-4 * std::max(1.0, std::abs(e[r][2])));
        EXPECT_NEAR(t[r][2], 10 * m[r][2], 1e-3 * std::max(1.0, std::abs(t[r][2])));
    }
    // Without --clicks the bytes are today's.
    EXPECT_EQ(quorvel({"--table", load, "--csv", "--clicks", "0.25moa", "--units", "imperial"}).out,
              quarter.out);
}

TEST_F(CliUnits, BadChoicesAreRefusedInOneLine) {
    for (const QStringList& args :
         {QStringList{"--table", "--units", "furlongs"},
          QStringList{"--table", "--clicks", "0.3mil"}, QStringList{"--table", "--units"},
          QStringList{"--card", "x.qvt", "--clicks", "2moa"},
          QStringList{"--chrono", "2700", "15", "0.5", "--units", "si"}}) {
        const Outcome r = quorvel(args);
        EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
        EXPECT_TRUE(r.err.startsWith("quorvel: ")) << r.err.toStdString();
    }
}

TEST_F(CliUnits, SideCommandsReadAndWriteTheChosenUnits) {
    // 823 m/s is 2700.13 ft/s; 4.572 m are 15 ft.
    const Outcome imperial = quorvel({"--chrono", "2700", "15", "0.5"});
    const Outcome metric = quorvel({"--chrono", "823", "4.572", "0.5", "--units", "metric"});
    ASSERT_EQ(imperial.exitCode, 0);
    ASSERT_EQ(metric.exitCode, 0) << metric.err.toStdString();
    const auto value = [](const QByteArray& out) {
        return out.split('\n').front().split(':').back().trimmed().toDouble();
    };
    EXPECT_TRUE(metric.out.startsWith("Calculated Muzzle Velocity (m/s): "));
    EXPECT_NEAR(value(metric.out), value(imperial.out) * 0.3048, 0.1);
    const Outcome pb = quorvel({"--point-blank", "--target", "25.4", "--units", "metric"});
    const Outcome pbInches = quorvel({"--point-blank", "--target", "10"});
    ASSERT_EQ(pb.exitCode, 0) << pb.err.toStdString();
    EXPECT_TRUE(pb.out.contains("Point Blank Zero (m)"));
    const auto maxRange = [](const QByteArray& out) {
        return out.split('\n')[1].split(':').back().trimmed().toDouble();
    };
    EXPECT_NEAR(maxRange(pb.out), maxRange(pbInches.out) * 0.9144, 0.1);
}

} // namespace
