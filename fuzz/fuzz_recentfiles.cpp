// The recent-file list on arbitrary bytes as the settings store's file: no crash, at most ten
// entries, none empty or repeated, and a list saved reads back as it was.
#include "FuzzSupport.h"

#include "services/CMru.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>

namespace {

// The store's file for this input. Each input gets a file of its own name: the settings store
// keeps a file it has read, and a file rewritten within the same moment might not be read again.
QString storeFile(const QString& folder, long input) {
    QCoreApplication::setOrganizationName(QStringLiteral("QuorvelFuzz"));
    QCoreApplication::setApplicationName(QStringLiteral("Recent%1").arg(input));
    return folder + QStringLiteral("/QuorvelFuzz/Recent%1.conf").arg(input);
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
        QDir().mkpath(folder + QStringLiteral("/QuorvelFuzz"));
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
        return true;
    }();
    (void)pathSet;
    const QString file = storeFile(folder, ++input);
    QFile::remove(file);
    env.write(QStringLiteral("config/QuorvelFuzz/Recent%1.conf").arg(input), data, size);

    CMru first;
    Problems::report(first.GetMRUFileList()); // as the window would
    checkList(first);
    Problems::report(first.SaveMRUFileList());
    CMru second;
    Problems::report(second.GetMRUFileList());
    checkList(second);
    if (second.captions() != first.captions())
        fuzz::fail("a saved recent-file list reads back different");
    QFile::remove(file);
    return 0;
}
