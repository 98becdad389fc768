// The recent-file list of the File menu: at most ten full paths, the newest first, kept in the
// per-user settings store (QSettings with the application's organization and name, section
// "MRUFiles", keys "0".."9") between runs.
//
// How the window uses it:
//   - start-up: `MRUCount = -1; Problems::report(GetMRUFileList());`
//   - Open, Save, Save As, comparison file: `AddMRUItem(path);`
//   - exit: `Problems::report(SaveMRUFileList());`
//   - set `changed` to rebuild the File menu's recent-file actions from `captions()` (entry 0
//     on top; hide the block when `MRUCount < 0`). It is called after every change.
//   - a recent-file action `index` was chosen:
//         const CMru::Choice c = mru.choice(index);
//         if (!c.isSession && !queryUnsavedTable()) return;   // keep unsaved edits safe
//         if (c.isSession) { ...restart the simulator on c.path... }
//         else            { ...dataLoad(c.path)... }
//         Problems::report(mru.ReorderMRUList(c.path, index));
#pragma once

#include "services/Problem.h"

#include <QString>
#include <QStringList>
#include <functional>

class CMru {
public:
    static constexpr int MaxEntries = 10;

    // Index of the last entry in use: -1 for an empty list, at most MaxEntries - 1.
    int MRUCount = -1;

    // Called after every change of the captions, so the menu can follow.
    std::function<void()> changed;

    // Entry 0 (the most recent) first; MRUCount + 1 captions.
    QStringList captions() const { return entries.mid(0, MRUCount + 1); }
    QString caption(int index) const;

    // Adds NewItem as entry 0, moving the others down; a full list loses its oldest entry.
    void AddMenuElement(const QString& NewItem);
    // A file that was opened or saved: new ones are added, known ones move to the top.
    void AddMRUItem(const QString& NewItem);
    // Index of the first entry equal to NewItem, or -1. Letter case counts: "Dup.qvt" and
    // "dup.qvt" are two files here.
    int CheckForDuplicateMRU(const QString& NewItem) const;
    // Moves the entry at DuplicateLocation to the top, spelled as NewItem; an index outside the
    // list changes nothing and gives the problem for the caller to report.
    std::optional<Problem> ReorderMRUList(const QString& NewItem, int DuplicateLocation);

    // Drops an entry (a file that no longer exists); the entries after it move up.
    void RemoveMRUItem(int index);
    // Settings store: read at start-up (stops at the first empty key), written at exit. Saving
    // merges with what is stored by then, so two windows closing one after the other both keep
    // their files: this list first, newest first, then the stored entries it lacks, ten at most.
    // A store that cannot be read or written gives the problem for the caller to report.
    std::optional<Problem> GetMRUFileList();
    std::optional<Problem> SaveMRUFileList() const;

    // What choosing an entry opens: a session when the extension (from the first dot of the
    // whole path) is exactly ".ssn", load data otherwise.
    struct Choice {
        QString path;
        bool isSession = false;
    };
    Choice choice(int index) const;
    static bool isSessionPath(const QString& path);

private:
    QStringList entries; // grows to MaxEntries, never shrinks (like the menu's entries)
    void notify() const;
};
