// File dialogs for tests: the chosen names come from a script, in order; when the script has run
// out the dialog is cancelled. Every request is recorded, so tests can check titles and filters.
#pragma once

#include "services/FileChooser.h"

#include <QFont>

#include <QList>

class ScriptedFileChooser : public FileChooser {
public:
    ScriptedFileChooser() { previous = installFileChooser(this); }
    ~ScriptedFileChooser() override { installFileChooser(previous); }
    ScriptedFileChooser(const ScriptedFileChooser&) = delete;
    ScriptedFileChooser& operator=(const ScriptedFileChooser&) = delete;

    QString chooseOpen(const FileRequest& request) override { return next(request, true); }
    QString chooseSave(const FileRequest& request) override { return next(request, false); }
    bool chooseFont(const QFont&, QFont& chosen) override {
        if (fonts.isEmpty()) return false;
        const std::optional<QFont> next = fonts.takeFirst();
        if (next) chosen = *next;
        return next.has_value();
    }

    struct Request {
        FileRequest request;
        bool open;
    };
    QStringList files;
    QList<std::optional<QFont>> fonts;
    QList<Request> requests;

private:
    QString next(const FileRequest& request, bool open) {
        requests.append({request, open});
        return files.isEmpty() ? QString() : files.takeFirst();
    }
    FileChooser* previous = nullptr;
};
