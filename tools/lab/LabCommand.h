#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

// A kolvane-lab subcommand. Each lives in its own file and registers itself
// with a static LabRegistration, so the dispatcher never needs editing.
struct LabCommand {
    std::string name;
    std::string usage;    // e.g. "recognize [--degrees]"
    std::string summary;  // one line for --help
    // args excludes the program and subcommand names; returns the exit status.
    std::function<int(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                      std::ostream& err)>
        run;
};

const std::vector<LabCommand>& LabCommands();
const LabCommand* FindLabCommand(const std::string& name);

struct LabRegistration {
    explicit LabRegistration(LabCommand command);
};

// The dispatcher behind main(): --help, --version and the subcommands.
int RunLab(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err);
