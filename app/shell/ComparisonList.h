// The comparison of the graph as the window shows and changes it: the comparison list (on the
// Input tab, borrowed by the Graph tab), Use Compare and Compare File of the Options menu. All of
// them change the one Comparison value of the load on screen and then say so.
#pragma once

#include <QObject>

class LoadModel;
class QComboBox;

class ComparisonList : public QObject {
    Q_OBJECT
public:
    ComparisonList(QComboBox* box, LoadModel& model, QObject* parent = nullptr);

    // Fills the list with the loads beside the load at `loadFile` and in the user's folders
    // (GraphModel::compareChoices); the text shown stays.
    void fill(const QString& loadFile);
    // The list's text for the comparison as it stands ("No Comparison" while it is off, or while
    // its file is not there or is the load itself). With `tell`, a comparison file that is not
    // there is said once.
    void showAfterLoad(bool tell = false);
    // Use Compare switched on or off ("Not comparing" while it is off).
    void setUseCompare(bool on);
    // A file chosen with Compare File: the comparison, switched on.
    void chooseFile(const QString& path);
    // A name chosen or typed in the list: the file the list offers under that name, or no
    // comparison (with a message) when there is none.
    void chooseName(const QString& text);

signals:
    // The comparison changed: the view wants refreshing.
    void changed();

private:
    void connectBox();

    QComboBox* box;
    LoadModel& model;
    QString loadFile; // the load the list was filled for
};
