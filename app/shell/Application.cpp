#include "shell/Application.h"

#include "shell/GraphScreenshots.h"
#include "shell/MessageBoxPrompt.h"
#include "shell/QtFileChooser.h"
#include "shell/WindowPlace.h"
#include "shell/ui.h"
#include "sim/widgets/SimController.h"
#include "sim/widgets/SimScreenshots.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QPixmap>
#include <QScreen>
#include <QStringList>
#include <QTabWidget>
#include <QTextStream>
#include <memory>

namespace Application {

namespace {

// Restores the prompt and the chooser when the window is gone, so nothing outlives it.
class InstalledServices {
public:
    explicit InstalledServices(QWidget* window) : prompt(window), chooser(window) {
        previousPrompt = installPrompt(&prompt);
        previousChooser = installFileChooser(&chooser);
    }
    ~InstalledServices() {
        installPrompt(previousPrompt);
        installFileChooser(previousChooser);
    }
    InstalledServices(const InstalledServices&) = delete;
    InstalledServices& operator=(const InstalledServices&) = delete;

    // Boxes and dialogs centre on the main window once it exists.
    void setOwner(QWidget* window) {
        prompt.parent = window;
        chooser.parent = window;
    }

private:
    MessageBoxPrompt prompt;
    QtFileChooser chooser;
    Prompt* previousPrompt = nullptr;
    FileChooser* previousChooser = nullptr;
};

void waitForPaint() {
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
}

} // namespace

bool takeScreenshots(ui& window, const QString& folder) {
    QDir().mkpath(folder);
    bool ok = true;
    // The simulator's two tabs need a scene set up first; their own routine pictures them.
    for (int i = 0; i < ui::SimControlsPage; ++i) {
        window.sstUI->setCurrentIndex(i);
        waitForPaint();
        const QString path = QDir(folder).filePath(ui::tabName(i) + QStringLiteral(".png"));
        if (!window.grab().save(path)) {
            QTextStream(stderr) << "Could not write " << path << '\n';
            ok = false;
        }
    }
    const auto showPage = [&window](QWidget* page) { window.sstUI->setCurrentWidget(page); };
    if (!SimScreenshots::take(window, *window.simulator, showPage, folder)) ok = false;
    if (!GraphScreenshots::take(window, folder)) ok = false;
    window.sstUI->setCurrentIndex(ui::InputPage);
    return ok;
}

int run(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    QApplication::setOrganizationName(QStringLiteral("Quorvel"));
    QApplication::setApplicationVersion(QStringLiteral(QUORVEL_VERSION_STRING));

    // --appdir has been taken by the command line already; what remains is for the window.
    QStringList args;
    const QStringList all = QApplication::arguments();
    for (qsizetype i = 1; i < all.size(); ++i) {
        if (all[i] == QStringLiteral("--appdir"))
            ++i;
        else if (!all[i].startsWith(QStringLiteral("--appdir=")))
            args << all[i];
    }
    QString screenshotFolder;
    if (args.size() >= 2 && args.first() == QStringLiteral("--screenshots")) {
        screenshotFolder = args.at(1);
        args.clear();
    }
    // A file opened from the desktop arrives as the whole command line, blanks and all.
    const QString commandLine = args.join(' ');

    // The prompt and dialogs are in place before the window starts: start-up may already ask.
    InstalledServices services(nullptr);
    auto window = std::make_unique<ui>(commandLine);
    services.setOwner(window.get());
    if (!screenshotFolder.isEmpty()) {
        window->resize(1280, 900);
        window->show();
        const bool ok = takeScreenshots(*window, screenshotFolder);
        window->hide();
        return ok ? 0 : 1;
    }
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("quorvel")));
    // Where the shooter left it; else the designed size where it fits with the window's frame,
    // and on a smaller screen the whole usable area, which the window manager fits frame and all.
    const QSize designed(1180, 840);
    constexpr int FrameAllowance = 80; // title bar and borders, not known before showing
    const QRect screen = window->screen()->availableGeometry();
    if (!WindowPlace::restoreAndShow(*window)) {
        if (screen.width() < designed.width() + FrameAllowance / 4 ||
            screen.height() < designed.height() + FrameAllowance) {
            window->showMaximized();
        } else {
            window->resize(designed);
            window->show();
        }
    }
    // A session named on the command line has chosen its tab already.
    if (window->sstUI->currentIndex() == ui::InputPage)
        window->sstUI->setCurrentIndex(WindowPlace::lastTab(*window->sstUI, ui::InputPage));
    const int status = app.exec();
    WindowPlace::save(*window, *window->sstUI);
    return status;
}

} // namespace Application
