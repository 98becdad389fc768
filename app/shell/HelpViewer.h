// Help, Contents: the compiled help file "quorvel.chm" of the application folder, shown in a help
// window of the program's own (contents list on the left, the page on the right; links between
// pages work, Back and Forward follow them).
//
// How the window uses it (mnuContents_Click):
//     HelpViewer::showContents(this);
// which opens (or raises) the one help window owned by the main window, on the first topic. A
// missing or unreadable help file is reported as "ui", "mnuContents_Click", 53.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTextBrowser>
#include <QWidget>

struct chmFile;
class QListWidget;

// Read access to a compiled help archive (QtCore only).
class ChmArchive {
public:
    struct Topic {
        QString name;
        QString local; // archive path without the leading "/", e.g. "table.html"
    };

    ChmArchive();
    ~ChmArchive();
    ChmArchive(const ChmArchive&) = delete;
    ChmArchive& operator=(const ChmArchive&) = delete;

    // Opens the file, closing the one opened before; false when it is missing or not a
    // compiled help archive.
    bool open(const QString& path);
    bool isOpen() const { return handle != nullptr; }
    // An object of the archive ("/table.html" or "table.html"); empty when missing.
    QByteArray read(const QString& objectPath) const;
    bool contains(const QString& objectPath) const;
    // Every file name in the archive, with its leading "/".
    QStringList files() const;
    // The table of contents (the archive's .hhc file) in order.
    QList<Topic> contents() const;

    // Reads the topics of a sitemap (.hhc) text.
    static QList<Topic> parseContents(const QString& sitemap);

private:
    chmFile* handle = nullptr;
};

// The page view: every page, picture and style sheet comes out of the archive.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    HelpBrowser(const ChmArchive& archive, QWidget* parent = nullptr);
    QVariant loadResource(int type, const QUrl& name) override;

    static QUrl urlFor(const QString& local); // "table.html" -> "chm:/table.html"

private:
    const ChmArchive& archive;
};

class HelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* parent = nullptr);
    ~HelpViewer() override;

    // Opens the archive and shows its first topic; false (nothing shown) when it cannot be read.
    bool openFile(const QString& path);
    void showTopic(const QString& local);

    // Help, Contents: the help file of the application folder in the owner's help window.
    // Returns that window, or nullptr after reporting the failure.
    static HelpViewer* showContents(QWidget* owner);
    static QString helpFilePath(); // application folder + "/quorvel.chm"

    QListWidget* lstContents = nullptr;
    HelpBrowser* txtPage = nullptr;

private:
    ChmArchive archive;
    QList<ChmArchive::Topic> topics;
    void selectTopicOf(const QUrl& url);
};
