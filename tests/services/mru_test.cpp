#include "PromptRecorder.h"
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
    PromptRecorder recorder;
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

TEST_F(MruTest, DuplicateIgnoringCaseMovesToTopWithTheNewSpelling) {
    CMru mru;
    mru.AddMRUItem(QStringLiteral("c:\\loads\\a.qvt"));
    mru.AddMRUItem(QStringLiteral("c:\\loads\\b.qvt"));
    mru.AddMRUItem(QStringLiteral("c:\\loads\\c.qvt"));
    mru.AddMRUItem(QStringLiteral("c:\\loads\\d.qvt"));
    ASSERT_EQ(mru.CheckForDuplicateMRU(QStringLiteral("C:\\Loads\\A.qvt")), 3);

    mru.AddMRUItem(QStringLiteral("C:\\Loads\\A.qvt"));
    EXPECT_EQ(mru.MRUCount, 3);
    EXPECT_EQ(mru.captions(), QStringList({"C:\\Loads\\A.qvt", "c:\\loads\\d.qvt",
                                           "c:\\loads\\c.qvt", "c:\\loads\\b.qvt"}));
}

TEST_F(MruTest, DuplicateCheckOnEmptyListAndNewestEntry) {
    CMru mru;
    EXPECT_EQ(mru.CheckForDuplicateMRU(QString()), -1);
    EXPECT_EQ(mru.CheckForDuplicateMRU(QStringLiteral("/x.qvt")), -1);
    mru.AddMRUItem(QStringLiteral("/x.qvt"));
    mru.AddMRUItem(QStringLiteral("/X.QVT"));
    EXPECT_EQ(mru.captions(), QStringList({"/X.QVT"}));
}

TEST_F(MruTest, ListSurvivesARestartInTheSameOrder) {
    QStringList before;
    {
        CMru mru;
        for (int i = 1; i <= 4; ++i)
            mru.AddMRUItem(fileName(i));
        mru.AddMRUItem(fileName(2)); // reordered: 2, 4, 3, 1
        before = mru.captions();
        mru.SaveMRUFileList();
    }
    EXPECT_EQ(stored(QStringLiteral("0")), fileName(2));
    EXPECT_EQ(stored(QStringLiteral("3")), fileName(1));

    CMru restarted;
    restarted.GetMRUFileList();
    EXPECT_EQ(restarted.captions(), before);
    EXPECT_EQ(restarted.MRUCount, 3);
    EXPECT_TRUE(recorder.messages.isEmpty());
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
    // Read oldest first through the duplicate check: "/A.QVT" then "/a.qvt" moves to the top.
    EXPECT_EQ(mru.captions(), QStringList({"/a.qvt", "/b.ssn"}));
}

TEST_F(MruTest, SavingAShorterListRemovesStaleKeys) {
    {
        QSettings store;
        for (int i = 0; i < 10; ++i)
            store.setValue(QStringLiteral("MRUFiles/%1").arg(i), fileName(i));
    }
    CMru mru;
    mru.AddMRUItem(QStringLiteral("/only.qvt"));
    mru.SaveMRUFileList();
    EXPECT_EQ(stored(QStringLiteral("0")), QStringLiteral("/only.qvt"));
    EXPECT_TRUE(stored(QStringLiteral("1")).isEmpty());

    CMru restarted;
    restarted.GetMRUFileList();
    EXPECT_EQ(restarted.captions(), QStringList({"/only.qvt"}));
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
    mru.ReorderMRUList(fileName(2), 5);
    EXPECT_EQ(recorder.lastText(),
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
