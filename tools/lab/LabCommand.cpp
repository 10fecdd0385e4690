#include "LabCommand.h"

#include <algorithm>
#include <ostream>

namespace {
std::vector<LabCommand>& Registry()
{
    static std::vector<LabCommand> commands;
    return commands;
}

void PrintHelp(std::ostream& out)
{
    out << "kolvane-lab " << KOLVANE_VERSION
        << ": replays Kolvane's stroke code without a window.\n"
           "Input is JSON Lines on standard input (one stroke per line), output one\n"
           "JSON object per input line. A malformed line gives {\"error\": ...} and exit status 1.\n\n"
           "Usage: kolvane-lab --help | --version | <command> [options]\n\nCommands:\n";
    std::vector<LabCommand> sorted = Registry();
    std::sort(sorted.begin(), sorted.end(),
              [](const LabCommand& a, const LabCommand& b) { return a.name < b.name; });
    for (const LabCommand& c : sorted) {
        out << "  " << c.usage << "\n      " << c.summary << "\n";
    }
}
}  // namespace

const std::vector<LabCommand>& LabCommands()
{
    return Registry();
}

const LabCommand* FindLabCommand(const std::string& name)
{
    for (const LabCommand& c : Registry()) {
        if (c.name == name) {
            return &c;
        }
    }
    return nullptr;
}

LabRegistration::LabRegistration(LabCommand command)
{
    Registry().push_back(std::move(command));
}

int RunLab(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err)
{
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        PrintHelp(args.empty() ? err : out);
        return args.empty() ? 2 : 0;
    }
    if (args[0] == "--version") {
        out << "kolvane-lab " << KOLVANE_VERSION << "\n";
        return 0;
    }
    const LabCommand* command = FindLabCommand(args[0]);
    if (command == nullptr) {
        err << "kolvane-lab: unknown command '" << args[0] << "' (see --help)\n";
        return 2;
    }
    return command->run(std::vector<std::string>(args.begin() + 1, args.end()), in, out, err);
}
