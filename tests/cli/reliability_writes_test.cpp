// Every write of the command line checked: standard output on a full device, a card on a full
// disk, and the exit statuses the help and the manual page promise. A full disk is a 64 KB
// memory file system, which only root can mount: those cases are skipped for anyone else.
#include "TestAppFolder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

namespace {

struct Outcome {
    int status = -1;
    QByteArray out, err;
    int errLines() const { return int(err.count('\n')); }
};

class WritesTest : public ::testing::Test {
protected:
    TestAppFolder folder;
    const QString load = TestAppFolder::dataDir() + "/308win.qvt";

    // quorvel with its standard output going to `outputFile` when given.
    Outcome quorvel(const QStringList& args, const QString& outputFile = {}) {
        QProcess p;
        if (!outputFile.isEmpty()) p.setStandardOutputFile(outputFile);
        p.start(TestAppFolder::binDir() + "/quorvel",
                QStringList{"--appdir", folder.path()} + args);
        Outcome r;
        if (!p.waitForStarted(10000) || !p.waitForFinished(60000)) return r;
        r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.out = p.readAllStandardOutput();
        r.err = p.readAllStandardError();
        return r;
    }
};

// A 64 KB file system of its own, unmounted at the end; not there unless run by root.
class FullDisk {
public:
    explicit FullDisk(const QString& where) : path(where) {
        QDir().mkpath(path);
        mounted = geteuid() == 0 &&
                  ::mount("tmpfs", path.toLocal8Bit().constData(), "tmpfs", 0, "size=64k") == 0;
    }
    ~FullDisk() {
        if (mounted) ::umount(path.toLocal8Bit().constData());
    }
    // Fills what is left with one file.
    void fill() const {
        QFile filler(path + "/filler");
        if (!filler.open(QIODevice::WriteOnly)) return;
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
        filler.write(QByteArray(1, 'x'));
        filler.flush();
    }
    QStringList entries() const { return QDir(path).entryList(QDir::Files | QDir::Hidden); }
    const QString path;
    bool mounted = false;
};

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every job that prints, with its output on a device that is always full: one line, status 1,
// never a silent 0.
TEST_F(WritesTest, AFullStandardOutputIsOneLineAndStatusOne) {
    if (!QFile::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    const QStringList jobs[] = {{"--table"},
                                {"--table", load, "--csv"},
                                {"--point-blank", load},
                                {"--chrono", "2700", "15", "0.45"},
                                {"--help"},
                                {"--version"}};
    for (const QStringList& job : jobs) {
        SCOPED_TRACE(job.join(' ').toStdString());
        const Outcome r = quorvel(job, "/dev/full");
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "quorvel: cannot write to standard output: No space left on device\n");
    }
}

TEST_F(WritesTest, ACardOntoAFullDeviceIsOneLineAndStatusOne) {
    if (!QFile::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    const Outcome r = quorvel({"--card", load, "-o", "/dev/full"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "quorvel: cannot write '/dev/full': No space left on device\n");
    EXPECT_TRUE(QFile::exists("/dev/full")); // written in place, never replaced
}

// A card that does not fit leaves the card that was there, and no half-written file beside it.
TEST_F(WritesTest, ACardOnAFullDiskKeepsThePreviousCard) {
    const FullDisk disk(folder.file("disk"));
    if (!disk.mounted) GTEST_SKIP() << "mounting a small file system needs root";
    const QString card = disk.path + "/card.pdf";
    ASSERT_EQ(quorvel({"--card", load, "-o", card}).status, 0);
    const QByteArray before = bytesOf(card);
    ASSERT_TRUE(before.startsWith("%PDF"));
    disk.fill();

    const Outcome r = quorvel({"--card", load, "-o", card});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.errLines(), 1) << r.err.toStdString();
    EXPECT_TRUE(r.err.startsWith("quorvel: cannot write '" + card.toLocal8Bit() + "': "))
        << r.err.toStdString();
    EXPECT_EQ(bytesOf(card), before);
    EXPECT_EQ(disk.entries(), QStringList({"card.pdf", "filler"}));
}

// The table's CSV into a file on a disk that fills: status 1 and a message, not 0 and a file cut
// in the middle of a row.
TEST_F(WritesTest, ATableOntoAFullDiskIsStatusOne) {
    const FullDisk disk(folder.file("disk"));
    if (!disk.mounted) GTEST_SKIP() << "mounting a small file system needs root";
    disk.fill();
    for (const QStringList& job : {QStringList{"--table", load, "--csv"}, QStringList{"--table"}}) {
        SCOPED_TRACE(job.join(' ').toStdString());
        const Outcome r = quorvel(job, disk.path + "/table.out");
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "quorvel: cannot write to standard output: No space left on device\n");
    }
}

TEST_F(WritesTest, TheHelpListsTheExitStatuses) {
    const Outcome r = quorvel({"--help"});
    ASSERT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.contains("Exit status: 0 when the job was done; 1 when it has no result"))
        << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("2 for a bad argument"));
}

} // namespace
