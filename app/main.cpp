#include "cli/CommandLine.h"
#include "shell/Application.h"

int main(int argc, char** argv) {
    // Jobs of the command line run without a window; anything else opens the program.
    if (const auto status = CommandLine::run(argc, argv)) return *status;
    return Application::run(argc, argv);
}
