#include "KxCParamSets.h"

#include <algorithm>
#include <cctype>

#include "pipeline/params/KxParamMapping.h"

namespace KxCli {

using namespace OrvaneImage;

KxCPropTree KxCParamSets::Tree()
{
    KxCPropTree tree;
    tree.Add_Root("MeshParam", MeshParam);
    tree.Add_Root("AppParam", AppParam);
    tree.Add_Root("MeshProp", MeshProp);
    tree.Add_Root("AppProp", AppProp);
    tree.Add_Root("AnimeProp", AnimeProp);
    tree.Add_Root("IOProp", IOProp);
    tree.Add_Root("AIOProp", AIOProp);
    tree.Add_Root("OIParam", OIParam);
    tree.Add_Root("OVParam", OVParam);
    return tree;
}

bool Parse_Difficulty(const std::string& text, KxEnumDifficulty& out)
{
    std::string t = text;
    std::transform(t.begin(), t.end(), t.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (t == "easy") out = KxEnumDifficulty::Easy;
    else if (t == "medium") out = KxEnumDifficulty::Medium;
    else if (t == "hard") out = KxEnumDifficulty::Hard;
    else return false;
    return true;
}

void Apply_Difficulty(KxCParamSets& sets, KxEnumDifficulty difficulty)
{
    sets.OIParam.set_Difficulty(difficulty);
    sets.OVParam.set_Difficulty(difficulty);
    Param_Sys2App(sets.OIParam, sets.MeshParam, sets.AppParam, sets.AppProp);
}

std::string Apply_Assignment(KxCPropTree& tree, const std::string& assignment)
{
    const auto eq = assignment.find('=');
    if (eq == std::string::npos || eq == 0) return "expected PATH=VALUE, got '" + assignment + "'";
    const KxCPropResult r = tree.Set(assignment.substr(0, eq), assignment.substr(eq + 1));
    return r ? std::string() : r.Error;
}

} // namespace KxCli
