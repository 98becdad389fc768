// The recent-file list on arbitrary bytes as the settings store's file: no crash, at most ten
// entries, none empty or repeated, and a list saved reads back as it was.
#include "FuzzSupport.h"

#include "services/CMru.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSettings>

namespace {

// The store's file. One name for every input, so the settings store's cache of files stays one
// entry; each input's file gets a modification time of its own, which is how the store knows
// the file changed and reads it again (its size may well be the same).
QString storeFile(const QString& folder) {
    return folder + QStringLiteral("/QuorvelFuzz/Recent.conf");
}

void stampFile(const QString& file, long input) {
    QFile stamped(file);
    if (!stamped.open(QIODevice::ReadWrite)) fuzz::fail("the store's file cannot be opened");
    const QDateTime when = QDateTime::fromSecsSinceEpoch(1000000000LL + input, Qt::UTC);
    if (!stamped.setFileTime(when, QFileDevice::FileModificationTime))
        fuzz::fail("the store's file cannot be stamped");
}

void checkList(const CMru& list) {
    if (list.MRUCount < -1 || list.MRUCount >= CMru::MaxEntries)
        fuzz::fail("the recent-file count is out of range");
    const QStringList captions = list.captions();
    for (qsizetype i = 0; i < captions.size(); ++i) {
        if (captions[i].isEmpty()) fuzz::fail("a recent-file entry is empty");
        if (captions.indexOf(captions[i]) != i) fuzz::fail("a recent file is listed twice");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto& env = fuzz::environment();
    static const QString folder = env.path(QStringLiteral("config"));
    static long input = 0;
    static const bool pathSet = [] {
        QCoreApplication::setOrganizationName(QStringLiteral("QuorvelFuzz"));
        QCoreApplication::setApplicationName(QStringLiteral("Recent"));
        QDir().mkpath(folder + QStringLiteral("/QuorvelFuzz"));
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
        return true;
    }();
    (void)pathSet;
    const QString file = storeFile(folder);
    env.write(QStringLiteral("config/QuorvelFuzz/Recent.conf"), data, size);
    stampFile(file, 2 * ++input);

    CMru first;
    Problems::report(first.GetMRUFileList()); // as the window would
    checkList(first);
    Problems::report(first.SaveMRUFileList());
    stampFile(file, 2 * input + 1); // the save may land within the same second as the write
    CMru second;
    Problems::report(second.GetMRUFileList());
    checkList(second);
    if (second.captions() != first.captions())
        fuzz::fail("a saved recent-file list reads back different");
    return 0;
}
