#include "services/CMru.h"

#include "services/CFileData.h"
#include "services/ErrorNumbers.h"

#include <QSettings>

namespace {
const QString kSection = QStringLiteral("MRUFiles");
const QString kClass = QStringLiteral("CMRU");

// Read and write errors of the settings store, in the numbers the rest of the program uses.
std::optional<Problem> settingsProblem(const QSettings& store, const QString& operation) {
    if (store.status() == QSettings::AccessError)
        return Problem::failure(kClass, operation, ErrorNumbers::PathAccess,
                                "Path/File access error: " + store.fileName());
    if (store.status() == QSettings::FormatError)
        return Problem::failure(kClass, operation, ErrorNumbers::InvalidCall,
                                "Invalid settings file: " + store.fileName());
    return std::nullopt;
}
} // namespace

QString CMru::caption(int index) const {
    if (index < 0 || index > MRUCount) return {};
    return entries.at(index);
}

void CMru::AddMenuElement(const QString& NewItem) {
    if (MRUCount < MaxEntries - 1) {
        ++MRUCount;
        if (entries.size() <= MRUCount) entries.append(QString());
    }
    for (int i = MRUCount; i >= 1; --i)
        entries[i] = entries[i - 1];
    entries[0] = NewItem;
    notify();
}

void CMru::AddMRUItem(const QString& NewItem) {
    const int duplicate = CheckForDuplicateMRU(NewItem);
    if (duplicate < 0)
        AddMenuElement(NewItem);
    else
        ReorderMRUList(NewItem, duplicate);
}

int CMru::CheckForDuplicateMRU(const QString& NewItem) const {
    for (int i = 0; i <= MRUCount; ++i)
        if (entries.at(i) == NewItem) return i;
    return -1;
}

void CMru::RemoveMRUItem(int index) {
    if (index < 0 || index > MRUCount) return;
    entries.removeAt(index);
    entries.append(QString());
    --MRUCount;
    notify();
}

std::optional<Problem> CMru::ReorderMRUList(const QString& NewItem, int DuplicateLocation) {
    if (DuplicateLocation < 0 || DuplicateLocation > MRUCount)
        return Problem::failure(kClass, QStringLiteral("ReorderMRUList"),
                                ErrorNumbers::SubscriptOutOfRange,
                                QStringLiteral("Subscript out of range"));
    for (int i = DuplicateLocation; i >= 1; --i)
        entries[i] = entries[i - 1];
    entries[0] = NewItem;
    notify();
    return std::nullopt;
}

namespace {
// The stored list, newest first, up to the first empty key.
QStringList storedList(QSettings& store) {
    store.beginGroup(kSection);
    QStringList saved;
    for (int key = 0; key < CMru::MaxEntries; ++key) {
        const QString value = store.value(QString::number(key), QString()).toString();
        if (value.isEmpty()) break;
        saved.append(value);
    }
    store.endGroup();
    return saved;
}
} // namespace

std::optional<Problem> CMru::GetMRUFileList() {
    QSettings store;
    const QStringList saved = storedList(store);
    // Oldest first, so that key "0" ends up as entry 0 again.
    for (auto it = saved.crbegin(); it != saved.crend(); ++it)
        AddMRUItem(*it);
    return settingsProblem(store, QStringLiteral("GetMRUFileList"));
}

std::optional<Problem> CMru::SaveMRUFileList() const {
    QSettings store;
    // Another window may have saved its list since this one read it.
    QStringList merged = captions();
    for (const QString& stored : storedList(store))
        if (merged.size() < MaxEntries && !merged.contains(stored)) merged.append(stored);
    store.beginGroup(kSection);
    store.remove(QString()); // keys of a longer list written by an earlier run
    for (qsizetype i = 0; i < merged.size(); ++i)
        store.setValue(QString::number(i), merged.at(i));
    store.endGroup();
    store.sync();
    return settingsProblem(store, QStringLiteral("SaveMRUFileList"));
}

CMru::Choice CMru::choice(int index) const {
    Choice c;
    c.path = caption(index);
    c.isSession = isSessionPath(c.path);
    return c;
}

bool CMru::isSessionPath(const QString& path) {
    QString name, folder, ext;
    if (!CFileData::filenameSubstrings(path, name, folder, ext)) return false;
    return ext == QStringLiteral(".ssn");
}

void CMru::notify() const {
    if (changed) changed();
}
