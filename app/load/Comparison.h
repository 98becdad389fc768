// The comparison of the graph, as one value: the file of the second load (saved with the load on
// screen), the name the comparison list shows for it, and whether Use Compare is on. The name
// stays when a load without a comparison file is read, as the list did.
#pragma once

#include <QString>

struct Comparison {
    QString file;
    QString name;
    bool on = true;

    // A new comparison file (from a load, the list or the Compare File dialog).
    void setFile(const QString& path);
    // What the comparison list shows: the name while Use Compare is on, else `offText`.
    QString listText(const QString& offText) const { return on ? name : offText; }

    bool operator==(const Comparison&) const = default;
};
