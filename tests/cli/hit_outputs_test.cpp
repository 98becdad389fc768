// The hit probability beside the table: the CSV's hit_pct and sigma columns and the range card's
// line naming where the chance falls below 50 %, only for a load with hit inputs.
#include "QuietPrompt.h"
#include "TestAppFolder.h"
#include "load/CTextOutput.h"
#include "load/CsvExport.h"
#include "load/HitTable.h"
#include "load/LoadModel.h"
#include "report/RangeCard.h"

#include <gtest/gtest.h>

namespace {

class HitOutputsTest : public ::testing::Test {
protected:
    QuietPrompt quiet;
    TestAppFolder folder;
    LoadModel model;
    CTextOutput txt;

    HitOutputsTest() {
        model.form = LoadForm::initial();
        model.refreshAllFields();
    }

    QList<QByteArray> csvLines() {
        QString problem;
        QList<Problem> failure;
        const QByteArray csv = CsvExport::tableCsv(model.snapshot(), txt, problem, failure);
        EXPECT_TRUE(problem.isEmpty()) << problem.toStdString();
        QList<QByteArray> lines = csv.split('\n');
        EXPECT_TRUE(lines.last().isEmpty());
        lines.removeLast();
        return lines;
    }

    QStringList facts() {
        const RangeCard::Collected card = RangeCard::collect(model.snapshot());
        EXPECT_TRUE(card.ok()) << card.problem.toStdString();
        return card.card.facts;
    }
};

TEST_F(HitOutputsTest, WithoutHitInputsTheCsvAndCardAreAsBefore) {
    const QList<QByteArray> lines = csvLines();
    EXPECT_FALSE(lines.front().contains("hit_pct"));
    for (const QString& fact : facts())
        EXPECT_FALSE(fact.startsWith("Hit")) << fact.toStdString();
}

TEST_F(HitOutputsTest, TheCsvGetsTheHitAndSigmaColumnsOfEveryRow) {
    const QList<QByteArray> plain = csvLines();
    model.form.hit = HitInputs();
    const QList<QByteArray> lines = csvLines();
    ASSERT_EQ(lines.size(), plain.size());
    EXPECT_EQ(lines.front(), plain.front() + ",hit_pct,sigma_v_in,sigma_h_in");
    const HitTable::Result hits = HitTable::compute(model.snapshot(), HitInputs());
    ASSERT_EQ(hits.rows.size() + 1, size_t(lines.size()));
    for (qsizetype i = 1; i < lines.size(); ++i) {
        ASSERT_TRUE(lines[i].startsWith(plain[i] + ',')) << i;
        const QList<QByteArray> cells = lines[i].mid(plain[i].size() + 1).split(',');
        ASSERT_EQ(cells.size(), 3);
        const HitTable::Row& row = hits.rows[size_t(i - 1)];
        EXPECT_NEAR(cells[0].toDouble(), row.hitPct, 1e-4 * (1 + row.hitPct));
        EXPECT_NEAR(cells[1].toDouble(), row.sigmaVIn, 1e-5 * (1 + row.sigmaVIn));
        EXPECT_NEAR(cells[2].toDouble(), row.sigmaHIn, 1e-5 * (1 + row.sigmaHIn));
    }
    // The last row, 1000 yd, spreads wider than the first after the muzzle.
    EXPECT_GT(lines.back().split(',').last().toDouble(), lines[2].split(',').last().toDouble());
}

TEST_F(HitOutputsTest, TheCardNamesWhereTheChanceFallsBelowHalf) {
    model.form.hit = HitInputs();
    const HitTable::Result hits = HitTable::compute(model.snapshot(), HitInputs());
    size_t below = 0;
    while (below < hits.rows.size() && hits.rows[below].hitPct >= 50)
        ++below;
    ASSERT_GT(below, 0u);
    ASSERT_LT(below, hits.rows.size()); // a 10-in plate at 1000 yd is less than an even chance
    const QString line = facts().last();
    ASSERT_TRUE(line.startsWith("Hit: below 50 % past ")) << line.toStdString();
    const double at = line.section(' ', 5, 5).toDouble();
    EXPECT_GT(at, hits.rows[below - 1].range);
    EXPECT_LE(at, hits.rows[below].range);
    EXPECT_TRUE(line.contains("10 x 10 in target, 1 MOA group")) << line.toStdString();

    // A target four times as large is an even chance farther out, or all the way.
    model.form.hit->targetWidthIn = model.form.hit->targetHeightIn = 40;
    const QString wide = facts().last();
    ASSERT_TRUE(wide.startsWith("Hit:")) << wide.toStdString();
    if (wide.startsWith("Hit: below"))
        EXPECT_GT(wide.section(' ', 5, 5).toDouble(), at);
    else
        EXPECT_TRUE(wide.contains("50 % or better to 1000 yd")) << wide.toStdString();
}

// A metric shooter reads the sigmas in centimetres (1 in = 2.54 cm) and the target of the card
// as the hit dialog shows it: 10 in is 25.4 cm, 8 in is 20.32 cm.
TEST_F(HitOutputsTest, MetricNamesTheSigmasAndTheTargetInCentimetres) {
    model.form.hit = HitInputs();
    const QList<QByteArray> inches = csvLines();
    model.units = Units::ShownUnits::metric();
    const QList<QByteArray> lines = csvLines();
    ASSERT_EQ(lines.size(), inches.size());
    EXPECT_TRUE(lines.front().endsWith(",hit_pct,sigma_v_cm,sigma_h_cm")) << lines.front().data();
    const QList<QByteArray> last = lines.back().split(','), lastInches = inches.back().split(',');
    EXPECT_NEAR(last.last().toDouble(), lastInches.last().toDouble() * 2.54, 1e-4);
    EXPECT_NEAR(last[last.size() - 2].toDouble(),
                lastInches[lastInches.size() - 2].toDouble() * 2.54, 1e-4);
    EXPECT_TRUE(facts().last().contains("25.4 x 25.4 cm target, 1 MOA group"))
        << facts().last().toStdString();
    model.form.hit->circleDiameterIn = 8;
    EXPECT_TRUE(facts().last().contains("(20.32 cm circle, 1 MOA group)"))
        << facts().last().toStdString();
}

} // namespace
