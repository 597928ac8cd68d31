// orvane: the command-line front end of the camouflage picture tool.
#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "KxCConsoleProgress.h"
#include "KxCliCommon.h"
#include "pipeline/util/AppGlobal.h"

namespace {

using KxCli::KxCCommand;

const KxCCommand kCommands[] = {
    {"image", "make a camouflage picture of a still model", KxCli::Image_Help, &KxCli::Run_Image},
    {"info", "load a model and print its counts, box and edge statistics", KxCli::Info_Help, &KxCli::Run_Info},
    {"params", "list every parameter with its category, value and marks", KxCli::Params_Help, &KxCli::Run_Params},
    {"sampler-report", "sample constant and ramp importance with the quasi-sampler and rate the evenness",
     KxCli::Sampler_Report_Help, &KxCli::Run_Sampler_Report},
};

void Print_Usage(std::ostream& out)
{
    out << "Usage: orvane COMMAND [OPTIONS]\n\n"
           "Turns a 3D triangle mesh into a camouflage picture.\n\nCommands:\n";
    std::size_t width = 0;
    for (const auto& c : kCommands) width = std::max(width, std::string(c.Name).size() + 2);
    for (const auto& c : kCommands) out << "  " << c.Name << std::string(width - std::string(c.Name).size(), ' ') << c.Summary << "\n";
    out << "\nRun 'orvane COMMAND --help' for the options of a command.\n"
           "Exit status: 0 success, 1 a step failed, 2 usage error, 3 unreadable input.\n";
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        Print_Usage(std::cerr);
        return KxCli::Exit_Usage;
    }
    if (args[0] == "--help" || args[0] == "-h") {
        Print_Usage(std::cout);
        return KxCli::Exit_Ok;
    }
    KxCli::KxCConsoleProgress progress(std::cerr);
    AppGlobal::g_Form = &progress;
    for (const auto& c : kCommands) {
        if (args[0] != c.Name) continue;
        KxCli::KxCArgs rest(std::vector<std::string>(args.begin() + 1, args.end()));
        if (rest.Wants_Help()) {
            std::cout << c.Help;
            return KxCli::Exit_Ok;
        }
        return c.Run(rest);
    }
    std::cerr << "orvane: unknown command '" << args[0] << "'\n\n";
    Print_Usage(std::cerr);
    return KxCli::Exit_Usage;
}
