// The command line on arbitrary arguments (the input split at NUL bytes): no crash, and every
// job ends with one of the documented exit statuses. The jobs run in a folder of their own with
// a real load in it; arguments naming anything outside it (a '/') are skipped, so a card is
// written only there.
#include "FuzzSupport.h"

#include "cli/CommandLine.h"
#include "services/AppFolders.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <string>
#include <vector>

namespace {

constexpr size_t MostArguments = 16;

struct Setup {
    Setup() {
        auto& env = fuzz::environment();
        // The jobs' output and messages go nowhere: fuzz/run-fuzzers runs this target with
        // -close_fd_mask=3, which keeps the fuzzer's own reports.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "quorvel";
        static char* argv[] = {name, nullptr};
        app = new QGuiApplication(argc, argv); // the card's fonts and PDF writer, kept for the run
        folder = env.path(QStringLiteral("jobs"));
        QDir().mkpath(folder);
        QDir::setCurrent(folder);
        appFolder = MSmallBallStruct::appFolder();
        QFile::copy(QStringLiteral(QUORVEL_FUZZ_SOURCE_DIR "/corpus/loadfile/308win.qvt"),
                    QStringLiteral("l.qvt"));
    }
    QGuiApplication* app = nullptr;
    QString folder, appFolder;
};

Setup& setup() {
    static Setup once;
    return once;
}

} // namespace

// Set up before the first input: what Qt and fontconfig keep for the process is no input's leak.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setup();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> args{"quorvel"};
    std::string current;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == '/') return 0;
        if (data[i] != 0) {
            current += char(data[i]);
            continue;
        }
        args.push_back(current);
        current.clear();
        if (args.size() > MostArguments) return 0;
    }
    args.push_back(current);
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    const std::optional<int> status = CommandLine::run(int(args.size()), argv.data());
    if (status && *status != 0 && *status != 1 && *status != 2)
        fuzz::fail("a job ended with an undocumented exit status");
    // --appdir sets the application folder for the process; the next input starts afresh.
    MSmallBallStruct::setAppFolder(setup().appFolder);
    QDir::setCurrent(setup().folder);
    return 0;
}
