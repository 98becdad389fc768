#include "cli/CommandLine.h"

#include "cli/CardCommand.h"
#include "cli/CliLoad.h"
#include "cli/HitCommand.h"
#include "cli/SideCommands.h"
#include "cli/TableCommand.h"
#include "cli/TrueDragCommand.h"
#include "services/AppFolders.h"

#include <QString>
#include <QStringList>
#include <array>

namespace CommandLine {

namespace {

using CliLoad::ExitOk;
constexpr int ExitUsage = CliLoad::ExitBadInput;

int printHelp(const QStringList& operands);
int printVersion(const QStringList& operands);

// One command-line job. A new job is one line here and a handler in its own file.
struct Option {
    const char* name;
    const char* operands; // shown in the help, empty when the option takes none
    int maxOperands;      // AnyOperands: the handler checks its operands and its own options
    const char* help;
    int (*handler)(const QStringList& operands);
};

constexpr int AnyOperands = -1;

const std::array<Option, 10> options{{
    {"--table", "[FILE.qvt] [--csv]", AnyOperands,
     "print the ballistics table of a load file (the default load without FILE); with --csv as "
     "comma-separated values",
     &TableCommand::run},
    {"--card", "FILE.qvt -o OUT.pdf [--card-size page|pocket] [--rows FIRST:LAST:STEP]",
     AnyOperands,
     "write the range card of a load file as a PDF: an A4 page (the table's rows), or an A6 "
     "pocket card (every 100 yd or m); --rows picks the rows (the load's range unit)",
     &CardCommand::run},
    {"--point-blank", "[FILE.qvt] [--target IN] [--group IN] [--angle DEG]", AnyOperands,
     "print the maximum point-blank range of a load", &SideCommands::pointBlank},
    {"--chrono", "VELOCITY DISTANCE BC [--angle DEG]", AnyOperands,
     "print the muzzle velocity for a chronograph reading", &SideCommands::chrono},
    {"--true-velocity", "FILE.qvt --range R --height IN", AnyOperands,
     "print the muzzle velocity that gives the height observed at range R (the load's range "
     "unit) in the load's model",
     &SideCommands::trueVelocity},
    {"--true-drag", "FILE.qvt --observe R:H [--observe R:H ...]", AnyOperands,
     "print the drag scale (one, or one per side of Mach 1.2) that makes the load's precision "
     "model pass through the heights H (in) observed at ranges R; true the velocity first",
     &TrueDragCommand::run},
    {"--hit-probability",
     "FILE.qvt [--target W H | --circle D] [--group MOA] [--mv-sd FPS] [--bc-sd PCT] "
     "[--range-sd R] [--wind-sd MPH] [--samples N --seed S] [--csv]",
     AnyOperands,
     "print the first-round hit probability at every table row (target in inches, default "
     "10 x 10; group = 5-shot extreme spread, 3.07 sigma per axis; defaults 1 MOA, 10 ft/s, 2 %, "
     "0, 2 mph), the impact's sigmas and each error's share; --samples adds a seeded Monte "
     "Carlo check",
     &HitCommand::run},
    {"--help", "", 0, "show this help", &printHelp},
    {"--version", "", 0, "show the version", &printVersion},
    // Handled by the window (no handler here): pictures of each tab into DIR, then quit.
    {"--screenshots", "DIR", 1, "show the window, save a picture of each tab into DIR and quit",
     nullptr},
}};

const QString AppDirOption = QStringLiteral("--appdir");

const Option* findOption(const QString& name) {
    for (const Option& option : options)
        if (name == QLatin1String(option.name)) return &option;
    return nullptr;
}

int usageError(const QString& text) {
    CliLoad::writeErrorLine(text + " (try 'quorvel --help')");
    return ExitUsage;
}

// "  --option OPERANDS   what it does", the description on its own line after a long form.
QString helpLine(const QString& form, const QString& help) {
    constexpr int FormWidth = 24;
    if (form.size() > FormWidth)
        return "  " + form + '\n' + QString(FormWidth + 3, ' ') + help + '\n';
    return "  " + form.leftJustified(FormWidth) + ' ' + help + '\n';
}

int printHelp(const QStringList&) {
    QString text = QStringLiteral("Usage: quorvel [--appdir DIR] [FILE.qvt | OPTION]\n"
                                  "Without an option the window opens, with FILE.qvt if given.\n"
                                  "\nOptions:\n");
    for (const Option& option : options) {
        const QString form = QString::fromLatin1(option.name) + ' ' + option.operands;
        text += helpLine(form.trimmed(), QString::fromLatin1(option.help));
    }
    text += helpLine(QStringLiteral("--appdir DIR"),
                     QStringLiteral("use DIR as the application folder (solver libraries, "
                                    "pictures, help)"));
    text += helpLine(QStringLiteral("--units imperial|metric"),
                     QStringLiteral("with --table, --card, --point-blank, --chrono and "
                                    "--true-velocity: show the values and read the inputs in "
                                    "these units (imperial, the default: the load's own range "
                                    "unit, ft/s, gr, in, mph, \u00B0F, inHg, ft, ft-lbf; metric: "
                                    "m, m/s, g, cm, mm for the sight, m/s of wind, \u00B0C, hPa, "
                                    "m, J)"));
    text += helpLine(QStringLiteral("--clicks VALUE"),
                     QStringLiteral("the click value the correction columns count: 0.25moa (the "
                                    "default), 0.125moa, 0.5moa, 1moa, 0.1mil, 0.05mil, 0.2mil"));
    text += QStringLiteral("\nExit status: 0 when the job was done; 1 when it has no result (a "
                           "calculation found none,\nor the output could not be written); 2 for "
                           "a bad argument or a load file that cannot\nbe read or computed. "
                           "Each failure is one line on standard error.\n");
    return CliLoad::writeOutStatus(text.toLocal8Bit());
}

int printVersion(const QStringList&) {
    return CliLoad::writeOutStatus(QByteArrayLiteral("quorvel " QUORVEL_VERSION_STRING "\n"));
}

} // namespace

std::optional<int> run(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);

    // --appdir DIR (or --appdir=DIR) may stand anywhere and holds for every mode.
    QStringList rest;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == AppDirOption) {
            if (i + 1 >= args.size()) return usageError("option '--appdir' needs a folder");
            MSmallBallStruct::setAppFolder(args[++i]);
        } else if (arg.startsWith(AppDirOption + '=')) {
            MSmallBallStruct::setAppFolder(arg.mid(AppDirOption.size() + 1));
        } else {
            rest << arg;
        }
    }
    if (rest.isEmpty()) return std::nullopt; // the window, with the last load

    // The first argument that looks like an option picks the job; the others are its operands.
    qsizetype at = -1;
    for (qsizetype i = 0; i < rest.size() && at < 0; ++i)
        if (rest[i].startsWith(QLatin1String("--"))) at = i;
    if (at < 0) return std::nullopt; // a file for the window to open

    const Option* option = findOption(rest[at]);
    if (!option) return usageError("unknown option '" + rest[at] + "'");
    QStringList operands = rest;
    operands.removeAt(at);
    if (option->maxOperands == AnyOperands) return option->handler(operands);
    for (const QString& operand : operands)
        if (operand.startsWith(QLatin1String("--")))
            return usageError("option '" + operand + "' cannot be combined with '" + rest[at] +
                              "'");
    if (operands.size() > option->maxOperands)
        return usageError("too many arguments for '" + rest[at] + "'");
    if (!option->handler) {
        if (operands.size() != option->maxOperands)
            return usageError("option '" + rest[at] + "' needs " + option->operands);
        return std::nullopt; // the window's own option
    }
    return option->handler(operands);
}

} // namespace CommandLine
