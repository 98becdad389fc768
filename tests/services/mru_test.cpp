#include "QuietPrompt.h"
#include "services/CMru.h"

#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Every test gets a settings store of its own in a temporary folder.
class MruTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(settingsDir.isValid());
        QCoreApplication::setOrganizationName(QStringLiteral("QuorvelTests"));
        QCoreApplication::setApplicationName(QStringLiteral("Quorvel"));
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
    }

    static QString stored(const QString& key) {
        QSettings store;
        return store.value(QStringLiteral("MRUFiles/") + key).toString();
    }

    QTemporaryDir settingsDir;
    QuietPrompt recorder;
};

QString fileName(int i) {
    return QStringLiteral("/loads/file%1.qvt").arg(i);
}

TEST_F(MruTest, ElevenFilesLeaveTheTenNewestNewestFirst) {
    CMru mru;
    for (int i = 1; i <= 11; ++i)
        mru.AddMRUItem(fileName(i));
    EXPECT_EQ(mru.MRUCount, 9);
    const QStringList captions = mru.captions();
    ASSERT_EQ(captions.size(), 10);
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(captions[k], fileName(11 - k)) << "entry " << k;
    EXPECT_EQ(mru.CheckForDuplicateMRU(fileName(1)), -1); // the oldest fell off
}

// File names differ by letter case here: Dup.qvt and dup.qvt are two files, two entries.
TEST_F(MruTest, LetterCaseMakesTwoFilesAndAKnownFileMovesToTheTop) {
    CMru mru;
    mru.AddMRUItem(QStringLiteral("/loads/a.qvt"));
    mru.AddMRUItem(QStringLiteral("/loads/Dup.qvt"));
    mru.AddMRUItem(QStringLiteral("/loads/dup.qvt"));
    EXPECT_EQ(mru.MRUCount, 2);
    EXPECT_EQ(mru.CheckForDuplicateMRU(QStringLiteral("/loads/DUP.qvt")), -1);
    ASSERT_EQ(mru.CheckForDuplicateMRU(QStringLiteral("/loads/a.qvt")), 2);

    mru.AddMRUItem(QStringLiteral("/loads/a.qvt"));
    EXPECT_EQ(mru.captions(), QStringList({"/loads/a.qvt", "/loads/dup.qvt", "/loads/Dup.qvt"}));
}

TEST_F(MruTest, RemovingAnEntryMovesTheLaterOnesUp) {
    CMru mru;
    int changes = 0;
    mru.changed = [&changes] { ++changes; };
    for (int i = 0; i < 3; ++i)
        mru.AddMRUItem(fileName(i));
    mru.RemoveMRUItem(1);
    EXPECT_EQ(mru.captions(), QStringList({fileName(2), fileName(0)}));
    EXPECT_EQ(changes, 4);
    mru.RemoveMRUItem(5); // outside the list: nothing happens
    mru.RemoveMRUItem(0);
    mru.RemoveMRUItem(0);
    EXPECT_EQ(mru.MRUCount, -1);
    mru.AddMRUItem(fileName(7));
    EXPECT_EQ(mru.captions(), QStringList({fileName(7)}));
}

TEST_F(MruTest, DuplicateCheckOnEmptyListAndNewestEntry) {
    CMru mru;
    EXPECT_EQ(mru.CheckForDuplicateMRU(QString()), -1);
    EXPECT_EQ(mru.CheckForDuplicateMRU(QStringLiteral("/x.qvt")), -1);
    mru.AddMRUItem(QStringLiteral("/x.qvt"));
    mru.AddMRUItem(QStringLiteral("/x.qvt"));
    EXPECT_EQ(mru.captions(), QStringList({"/x.qvt"}));
    mru.AddMRUItem(QStringLiteral("/X.QVT"));
    EXPECT_EQ(mru.captions(), QStringList({"/X.QVT", "/x.qvt"}));
}

TEST_F(MruTest, ListSurvivesARestartInTheSameOrder) {
    QStringList before;
    {
        CMru mru;
        for (int i = 1; i <= 4; ++i)
            mru.AddMRUItem(fileName(i));
        mru.AddMRUItem(fileName(2)); // reordered: 2, 4, 3, 1
        before = mru.captions();
        EXPECT_FALSE(mru.SaveMRUFileList());
    }
    EXPECT_EQ(stored(QStringLiteral("0")), fileName(2));
    EXPECT_EQ(stored(QStringLiteral("3")), fileName(1));

    CMru restarted;
    EXPECT_FALSE(restarted.GetMRUFileList());
    EXPECT_EQ(restarted.captions(), before);
    EXPECT_EQ(restarted.MRUCount, 3);
}

TEST_F(MruTest, ReadingStopsAtTheFirstEmptyKeyAndDropsDuplicates) {
    {
        QSettings store;
        store.setValue(QStringLiteral("MRUFiles/0"), QStringLiteral("/a.qvt"));
        store.setValue(QStringLiteral("MRUFiles/1"), QStringLiteral("/A.QVT"));
        store.setValue(QStringLiteral("MRUFiles/2"), QStringLiteral("/b.ssn"));
        store.setValue(QStringLiteral("MRUFiles/4"), QStringLiteral("/after-gap.qvt"));
    }
    CMru mru;
    mru.GetMRUFileList();
    // Read oldest first through the duplicate check, which tells "/A.QVT" from "/a.qvt".
    EXPECT_EQ(mru.captions(), QStringList({"/a.qvt", "/A.QVT", "/b.ssn"}));
}

// Two windows closing a moment apart: the second keeps the first one's files after its own.
TEST_F(MruTest, SavingMergesWithWhatAnotherWindowStoredTenAtMost) {
    CMru first, second;
    for (int i = 0; i < 6; ++i)
        first.AddMRUItem(fileName(i));
    second.AddMRUItem(fileName(20));
    second.AddMRUItem(fileName(3)); // also in the first window's list
    second.AddMRUItem(fileName(21));
    first.SaveMRUFileList();
    second.SaveMRUFileList();

    CMru restarted;
    restarted.GetMRUFileList();
    EXPECT_EQ(restarted.captions(),
              QStringList({fileName(21), fileName(3), fileName(20), fileName(5), fileName(4),
                           fileName(2), fileName(1), fileName(0)}));

    CMru third;
    for (int i = 30; i < 38; ++i)
        third.AddMRUItem(fileName(i));
    third.SaveMRUFileList();
    restarted.GetMRUFileList();
    EXPECT_EQ(restarted.MRUCount, 9);
    EXPECT_EQ(restarted.caption(0), fileName(37));
    EXPECT_EQ(restarted.caption(8), fileName(21));
    EXPECT_EQ(restarted.caption(9), fileName(3));
    EXPECT_TRUE(stored(QStringLiteral("10")).isEmpty());
}

TEST_F(MruTest, EmptyStoreGivesEmptyList) {
    CMru mru;
    mru.GetMRUFileList();
    EXPECT_EQ(mru.MRUCount, -1);
    EXPECT_TRUE(mru.captions().isEmpty());
    EXPECT_TRUE(mru.caption(0).isEmpty());
}

TEST_F(MruTest, EveryChangeIsAnnounced) {
    CMru mru;
    int calls = 0;
    mru.changed = [&calls] { ++calls; };
    mru.AddMRUItem(fileName(1));
    mru.AddMRUItem(fileName(2));
    mru.AddMRUItem(fileName(1)); // reorder
    EXPECT_EQ(calls, 3);
}

TEST_F(MruTest, ReorderOutsideTheListIsReportedAndChangesNothing) {
    CMru mru;
    mru.AddMRUItem(fileName(1));
    const std::optional<Problem> problem = mru.ReorderMRUList(fileName(2), 5);
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->messageText(),
              QStringLiteral("CMRU ReorderMRUList: 9 - Subscript out of range"));
    EXPECT_EQ(mru.captions(), QStringList({fileName(1)}));
}

TEST_F(MruTest, ChoiceOpensSessionsOnlyForALowerCaseSsnExtension) {
    CMru mru;
    mru.AddMRUItem(QStringLiteral("C:\\my.loads\\range.ssn")); // first dot in a folder name
    mru.AddMRUItem(QStringLiteral("/sessions/RANGE.SSN"));
    mru.AddMRUItem(QStringLiteral("/loads/308.qvt"));
    mru.AddMRUItem(QStringLiteral("/sessions/range.ssn"));

    EXPECT_TRUE(mru.choice(0).isSession);
    EXPECT_EQ(mru.choice(0).path, QStringLiteral("/sessions/range.ssn"));
    EXPECT_FALSE(mru.choice(1).isSession);
    EXPECT_FALSE(mru.choice(2).isSession);
    EXPECT_FALSE(mru.choice(3).isSession);
    EXPECT_FALSE(CMru::isSessionPath(QString()));
}

} // namespace
