#include "services/FileChooser.h"

#include "services/AppFolders.h"
#include "services/Prompt.h"

#include <QFileInfo>

namespace {

FileChooser*& installed() {
    static FileChooser* current = nullptr;
    return current;
}

// Until the program installs its dialogs every request is cancelled, so code running without
// the window (tests, tools) can never hang on a dialog nobody sees.
class CancellingChooser : public FileChooser {
public:
    QString chooseOpen(const FileRequest&) override { return {}; }
    QString chooseSave(const FileRequest&) override { return {}; }
    bool chooseFont(const QFont&, QFont&) override { return false; }
};

FileChooser& builtIn() {
    static CancellingChooser chooser;
    return chooser;
}

void rememberFolder(FileChooser& chooser, const QString& path) {
    if (!path.isEmpty()) chooser.folder = QFileInfo(path).absolutePath();
}

} // namespace

FileChooser& fileChooser() {
    return installed() ? *installed() : builtIn();
}

FileChooser* installFileChooser(FileChooser* c) {
    FileChooser* previous = installed();
    installed() = c;
    return previous;
}

namespace FileDialogs {

QString qtFilter(const QString& barFilter) {
    const QStringList parts = barFilter.split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        // "*.*" means every file; on this platform that is "*" (files need not have a dot).
        QString patterns = parts[i + 1];
        patterns.replace(QStringLiteral("*.*"), QStringLiteral("*"));
        patterns.replace(';', ' ');
        description.replace(QStringLiteral("(*.*)"), QStringLiteral("(*)"));
        // Qt takes the patterns from the parentheses of the description; make sure they are there.
        const int open = description.lastIndexOf('(');
        if (open >= 0) description = description.left(open).trimmed();
        filters << description + QStringLiteral(" (") + patterns + ')';
    }
    return filters.join(QStringLiteral(";;"));
}

QString withDefaultExtension(const QString& path, const QString& ext) {
    if (path.isEmpty() || ext.isEmpty()) return path;
    int nameStart = 0;
    for (int i = path.size() - 1; i >= 0; --i) {
        if (MSmallBallStruct::isPathSeparator(path[i])) {
            nameStart = i + 1;
            break;
        }
    }
    const QString name = path.mid(nameStart);
    if (name.isEmpty() || name.contains('.')) return path;
    return path + '.' + ext;
}

QString chooseOpenPath(const QString& title, const QString& filter) {
    FileChooser& chooser = fileChooser();
    QString path = chooser.chooseOpen({title, filter, chooser.folder});
    if (path.isEmpty() || !MSmallBallStruct::FileExists(path)) return {};
    rememberFolder(chooser, path);
    return path;
}

QString chooseSavePath(const QString& title, const QString& filter, const QString& defaultExt) {
    FileChooser& chooser = fileChooser();
    for (;;) {
        const QString typed = chooser.chooseSave({title, filter, chooser.folder});
        if (typed.isEmpty()) return {};
        const QString path = withDefaultExtension(typed, defaultExt);
        if (QFileInfo::exists(path)) {
            const QString question = QFileInfo(path).fileName() +
                                     QStringLiteral(" already exists.\nDo you want to replace it?");
            if (prompt().ask(question, title, PromptButtons::YesNo, PromptIcon::Exclamation) !=
                PromptAnswer::Yes)
                continue;
        }
        rememberFolder(chooser, path);
        return path;
    }
}

} // namespace FileDialogs
