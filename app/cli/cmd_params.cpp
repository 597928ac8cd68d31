// orvane params: list every parameter and property of a still model.
#include <iomanip>
#include <iostream>

#include "KxCParamSets.h"
#include "KxCliCommon.h"

namespace KxCli {

const char* const Params_Help =
    "Usage: orvane params [--difficulty easy|medium|hard] [--set PATH=VALUE]...\n\n"
    "Lists every parameter and display property a freshly loaded still model has:\n"
    "its dotted path, value, category and marks (read-only, hidden), and the choices\n"
    "of enumerated values. Objects show their caption.\n\n"
    "  --difficulty D     apply a difficulty preset to the summary sets (OIParam,\n"
    "                     OVParam) and copy the still-image set into the detailed\n"
    "                     parameters, as loading a model does (default: easy)\n"
    "  --set PATH=VALUE   then set one value by its path, for example\n"
    "                     MeshParam.Sample.Importance.Density=80 (repeatable)\n\n"
    "Exit status: 0 success, 2 usage error (also an unknown path or a bad value).\n";

namespace {

void Print_Rows(const std::vector<OrvaneImage::KxCPropRow>& rows)
{
    std::size_t path_width = 0, value_width = 0;
    for (const auto& r : rows) {
        path_width = std::max(path_width, r.Path.size());
        value_width = std::max(value_width, r.Value.size());
    }
    for (const auto& r : rows) {
        std::string marks;
        if (r.Read_Only) marks += " read-only";
        if (r.Hidden) marks += " hidden";
        if (!r.Choices.empty()) {
            marks += " {";
            for (std::size_t i = 0; i < r.Choices.size(); ++i) marks += (i ? "|" : "") + r.Choices[i];
            marks += "}";
        }
        // Uncategorised properties are grouped under "Misc", as in the inspector; roots have no group.
        const bool root = r.Path.find('.') == std::string::npos;
        const std::string group = root ? "" : "  [" + (r.Category.empty() ? std::string("Misc") : r.Category) + "]";
        std::cout << std::left << std::setw(static_cast<int>(path_width)) << r.Path << "  "
                  << std::setw(static_cast<int>(value_width)) << r.Value << group << marks << "\n";
    }
}

} // namespace

int Run_Params(KxCArgs& args)
{
    KxCParamSets sets;
    OrvaneImage::KxCPropTree tree = sets.Tree();
    OrvaneImage::KxEnumDifficulty difficulty = OrvaneImage::KxEnumDifficulty::Easy;
    std::vector<std::string> assignments;
    while (!args.Empty()) {
        std::string value;
        bool missing = false;
        if (args.Take_Value("--difficulty", value, missing)) {
            if (missing || !Parse_Difficulty(value, difficulty))
                return Usage_Error("params", "--difficulty takes easy, medium or hard");
        } else if (args.Take_Value("--set", value, missing)) {
            if (missing) return Usage_Error("params", "--set takes PATH=VALUE");
            assignments.push_back(value);
        } else {
            return Usage_Error("params", "unexpected argument '" + args.Peek() + "'");
        }
    }
    Apply_Difficulty(sets, difficulty);
    for (const auto& a : assignments) {
        const std::string error = Apply_Assignment(tree, a);
        if (!error.empty()) return Usage_Error("params", error);
    }
    Print_Rows(tree.List());
    return Exit_Ok;
}

} // namespace KxCli
