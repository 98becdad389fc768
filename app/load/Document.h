// What the File menu acts on: the load data while a load tab shows, the simulator session while
// a simulator tab shows. Each document owns its file name and its unsaved-changes question.
#pragma once

#include <QString>

class Document {
public:
    virtual ~Document() = default;

    virtual void newDocument() = 0;
    // False when the user cancelled or nothing was opened.
    virtual bool open() = 0;
    // False when the user cancelled or the file could not be written.
    virtual bool save() = 0;
    virtual bool saveAs() = 0;
    // True to go on (saved, discarded or unchanged), false when the user cancelled.
    virtual bool queryUnsaved() = 0;
    virtual QString fileName() const = 0;
};
