// quorvel --hit-probability: its CSV, its seed, and bad operands refused with one line.
#include "PromptRecorder.h"
#include "TestAppFolder.h"
#include "cli/HitCommand.h"
#include "load/LoadFile.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

struct Outcome {
    int status;
    QString out;
    QString err;
};

Outcome hit(const QStringList& args) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int status = HitCommand::run(args);
    const QString out = QString::fromStdString(testing::internal::GetCapturedStdout());
    const QString err = QString::fromStdString(testing::internal::GetCapturedStderr());
    return {status, out, err};
}

class HitCommandTest : public ::testing::Test {
protected:
    TestAppFolder folder;
    PromptRecorder prompts;
    const QString file = TestAppFolder::dataDir() + "/308win.qvt";

    // The column `name` of a CSV output, one value per row.
    static std::vector<double> column(const QString& csv, const QString& name) {
        QStringList lines = csv.trimmed().split('\n');
        const int at = int(lines.takeFirst().split(',').indexOf(name));
        EXPECT_GE(at, 0) << name.toStdString();
        std::vector<double> values;
        for (const QString& line : lines)
            values.push_back(line.split(',').value(at).toDouble());
        return values;
    }
};

TEST_F(HitCommandTest, CsvHasTheHitAndSigmaColumnsAndABiggerTargetHitsMore) {
    const Outcome small = hit({file, "--csv"});
    const Outcome big = hit({file, "--csv", "--target", "20", "30"});
    ASSERT_EQ(small.status, 0) << small.err.toStdString();
    ASSERT_EQ(big.status, 0);
    const auto a = column(small.out, "hit_pct"), b = column(big.out, "hit_pct");
    ASSERT_EQ(a.size(), 41u); // 0 to 1000 yd by 25
    ASSERT_EQ(b.size(), a.size());
    for (size_t i = 0; i < a.size(); ++i)
        EXPECT_GE(b[i], a[i]) << i;
    EXPECT_LT(a.back(), b.back());
    const auto v = column(small.out, "sigma_v_in"), h = column(small.out, "sigma_h_in");
    EXPECT_GT(v.back(), v[4]);
    EXPECT_GT(h.back(), h[4]);
}

TEST_F(HitCommandTest, SameSeedSameNumbers) {
    const QStringList args{file, "--csv", "--samples", "2000", "--seed", "9"};
    const Outcome once = hit(args), again = hit(args);
    ASSERT_EQ(once.status, 0);
    EXPECT_EQ(once.out, again.out);
    EXPECT_EQ(column(once.out, "mc_hit_pct").size(), 41u);
}

TEST_F(HitCommandTest, BadOperandsAreOneLineAndStatusTwo) {
    const QStringList bad[] = {{file, "--group", "-1"}, {file, "--target", "0", "5"},
                               {file, "--target", "5"}, {file, "--samples", "0"},
                               {file, "--bogus"},       {}};
    for (const QStringList& args : bad) {
        const Outcome o = hit(args);
        EXPECT_EQ(o.status, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(o.out.isEmpty());
        EXPECT_EQ(o.err.count('\n'), 1) << o.err.toStdString();
    }
}

TEST_F(HitCommandTest, TheLoadsOwnInputsAreTheStartAndOptionsOverrideThem) {
    LoadForm form = LoadForm::initial();
    ASSERT_TRUE(LoadFile::read(file, form).whole());
    form.hit = HitInputs();
    form.hit->targetWidthIn = 20;
    form.hit->targetHeightIn = 30;
    const QString kept = folder.file("kept.qvt");
    ASSERT_TRUE(LoadFile::dataSaveTable(kept, form));
    const Outcome own = hit({kept, "--csv"});
    const Outcome typed = hit({file, "--csv", "--target", "20", "30"});
    ASSERT_EQ(own.status, 0) << own.err.toStdString();
    EXPECT_EQ(own.out, typed.out);
    // An option given wins over the load's.
    EXPECT_EQ(hit({kept, "--csv", "--target", "10", "10"}).out, hit({file, "--csv"}).out);
}

} // namespace
