// orvane image: make a camouflage picture of a still model.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <iostream>
#include <optional>

#include "KxCParamSets.h"
#include "KxCliCommon.h"
#include "pipeline/driver/KxCOrvaneDriver.h"
#include "pipeline/driver/KxModelLoading.h"
#include "pipeline/util/KxCTimer.h"
#include "ui/KxCHeadlessPanel.h"
#include "ui/KxViewFraming.h"

namespace KxCli {

const char* const Image_Help =
    "Usage: orvane image MODEL [-o OUT] [--size WxH] [--difficulty easy|medium|hard]\n"
    "                    [--mode orvane|develop|scene] [--camera FILE.view] [--light FILE.view]\n"
    "                    [--orbit YAW,PITCH] [--set PATH=VALUE]... [--see-through]\n\n"
    "Loads MODEL (.obj) as the desktop window opens a still model (centred, scaled to a\n"
    "largest side of 1, dropped onto the ground; MODEL.view and MODEL_light.view beside it\n"
    "set the camera and the light), runs the five generation steps on the view and saves\n"
    "the picture. Prints the step timings.\n\n"
    "  -o OUT             the picture (default: the model's name with .eps, here). By type:\n"
    "                     .eps, .svg, .pdf traced by potrace; .png, .bmp written directly.\n"
    "                     In the scene mode a traced type becomes OUT's name with .bmp.\n"
    "  --size WxH         view size in pixels (default 1024x768)\n"
    "  --difficulty D     preset of the still-image summary set (default easy)\n"
    "  --mode M           orvane: the camouflage picture (default); develop: the model with\n"
    "                     the analysis layers; scene: the shaded model only (no generation)\n"
    "  --camera FILE      the camera from a view file (instead of the default: the whole\n"
    "                     model, centred, seen from the front)\n"
    "  --light FILE       the light panel's pose from a view file (default: a headlight)\n"
    "  --orbit YAW,PITCH  turn the default camera about the model's centre, in degrees\n"
    "                     (yaw towards +x, pitch upwards, -89 .. 89)\n"
    "  --set PATH=VALUE   set a parameter or display property by its dotted path, e.g.\n"
    "                     MeshParam.Sample.Importance.Density=80 or\n"
    "                     MeshProp.Sample_Mask.Contour=true (repeatable; see 'orvane params')\n"
    "  --see-through      stamps cover the object too (AppProp.See_Through=true)\n\n"
    "The tracer is utils/potrace beside the program, else potrace on PATH.\n"
    "Exit status: 0 success, 1 a step or the save failed (a picture of what was made is\n"
    "still saved when only a step failed), 2 usage error, 3 unreadable model or view file.\n";

namespace {

using namespace OrvaneImage;

struct KxCImageOptions {
    std::string Model, Out, Camera, Light;
    int Width = 1024, Height = 768;
    KxEnumDifficulty Difficulty = KxEnumDifficulty::Easy;
    KxEnumOrvaneMode Mode = KxEnumOrvaneMode::Orvane;
    double Yaw = 0.0, Pitch = 0.0;
    std::vector<std::string> Assignments;
};

bool Parse_Size(const std::string& text, int& w, int& h)
{
    char x = 0, extra = 0;
    return std::sscanf(text.c_str(), "%d%c%d%c", &w, &x, &h, &extra) == 3 && (x == 'x' || x == 'X') && w >= 2 &&
           h >= 2 && w <= 8192 && h <= 8192;
}

bool Parse_Orbit(const std::string& text, double& yaw, double& pitch)
{
    char comma = 0, extra = 0;
    return std::sscanf(text.c_str(), "%lf%c%lf%c", &yaw, &comma, &pitch, &extra) == 3 && comma == ',' &&
           std::isfinite(yaw) && pitch >= -89.0 && pitch <= 89.0;
}

bool Parse_Mode(const std::string& text, KxEnumOrvaneMode& mode)
{
    if (text == "orvane") mode = KxEnumOrvaneMode::Orvane;
    else if (text == "develop") mode = KxEnumOrvaneMode::Develop;
    else if (text == "scene") mode = KxEnumOrvaneMode::Scene;
    else return false;
    return true;
}

bool is_Output_Type(const std::string& ext)
{
    for (const char* t : {".eps", ".svg", ".pdf", ".png", ".bmp"})
        if (ext == t) return true;
    return false;
}

// Consumes one option with its value; nullopt when it was taken, otherwise the usage error.
std::optional<std::string> Take_Option(KxCArgs& args, KxCImageOptions& o)
{
    using Store = std::function<bool(const std::string&)>;
    auto text = [](std::string& field) { return Store([&field](const std::string& s) { field = s; return !s.empty(); }); };
    const struct {
        const char* name;
        const char* takes;
        Store store;
    } options[] = {
        {"-o", "a file name", text(o.Out)},
        {"--size", "WxH, 2 .. 8192 each", [&](const std::string& s) { return Parse_Size(s, o.Width, o.Height); }},
        {"--difficulty", "easy, medium or hard", [&](const std::string& s) { return Parse_Difficulty(s, o.Difficulty); }},
        {"--mode", "orvane, develop or scene", [&](const std::string& s) { return Parse_Mode(s, o.Mode); }},
        {"--camera", "a view file", text(o.Camera)},
        {"--light", "a view file", text(o.Light)},
        {"--orbit", "YAW,PITCH in degrees, pitch -89 .. 89", [&](const std::string& s) { return Parse_Orbit(s, o.Yaw, o.Pitch); }},
        {"--set", "PATH=VALUE", [&](const std::string& s) { o.Assignments.push_back(s); return true; }},
    };
    std::string value;
    bool missing = false;
    for (const auto& option : options)
        if (args.Take_Value(option.name, value, missing)) {
            if (!missing && option.store(value)) return std::nullopt;
            return std::string(option.name) + " takes " + option.takes;
        }
    if (args.Take("--see-through")) {
        o.Assignments.push_back("AppProp.See_Through=true");
        return std::nullopt;
    }
    return "unexpected argument '" + args.Peek() + "'";
}

std::optional<std::string> Parse_Image_Args(KxCArgs& args, KxCImageOptions& o)
{
    while (!args.Empty()) {
        if (!args.Peek().empty() && args.Peek()[0] != '-' && o.Model.empty()) {
            o.Model = args.Next();
            continue;
        }
        if (auto error = Take_Option(args, o)) return error;
    }
    if (o.Model.empty()) return "missing MODEL";
    if (o.Out.empty()) o.Out = std::filesystem::path(o.Model).stem().string() + ".eps";
    const std::string ext = std::filesystem::path(o.Out).extension().string();
    if (!is_Output_Type(ext)) return "the output must end in .eps, .svg, .pdf, .png or .bmp, not '" + ext + "'";
    // Every path and value is checked before anything is loaded.
    KxCParamSets sets;
    KxCPropTree tree = sets.Tree();
    for (const auto& a : o.Assignments)
        if (const std::string error = Apply_Assignment(tree, a); !error.empty()) return error;
    return std::nullopt;
}

// Load options and summary sets act when a model is loaded, so they are set before; the
// other sets belong to the loaded item and are set on it afterwards.
bool is_Load_Time(const std::string& assignment)
{
    const std::string root = assignment.substr(0, assignment.find('.'));
    return root == "OIParam" || root == "OVParam" || root == "IOProp" || root == "AIOProp";
}

void Apply_Assignments(const KxCImageOptions& o, KxCOrvaneDriver& driver, bool load_time)
{
    KxCPropTree tree;
    tree.Add_Root("OIParam", driver.OIParam());
    tree.Add_Root("OVParam", driver.OVParam());
    tree.Add_Root("IOProp", driver.IOProp());
    tree.Add_Root("AIOProp", driver.AIOProp());
    if (KxCAppItem* item = driver.AppItem(); item && item->CurMeshItem()) {
        KxCMeshItem& m = *item->CurMeshItem();
        tree.Add_Root("MeshParam", m.MeshParam());
        tree.Add_Root("MeshProp", m.MeshProp());
        tree.Add_Root("AnimeProp", m.AnimeProp());
        tree.Add_Root("AppParam", item->AppParam());
        tree.Add_Root("AppProp", item->AppProp());
    }
    // Every assignment was checked against the same paths before anything was loaded.
    for (const auto& a : o.Assignments)
        if (is_Load_Time(a) == load_time) Apply_Assignment(tree, a);
}

int Fail(const std::string& message, int code)
{
    std::cerr << "orvane image: " << message << std::endl;
    return code;
}

} // namespace

int Run_Image(KxCArgs& args)
{
    KxCImageOptions o;
    if (auto error = Parse_Image_Args(args, o)) return Usage_Error("image", *error);

    auto view = KxOGLPanel::KxCHeadlessPanel::Create(o.Width, o.Height);
    auto light = KxOGLPanel::KxCHeadlessPanel::Create(64, 64);
    if (!view || !light) return Fail("no OpenGL context", Exit_Failure);
    KxCOrvaneDriver driver(Program_Folder(), *view, *light);
    driver.Form_Init();
    driver.OIParam().set_Difficulty(o.Difficulty);
    KxCIOProp& io = driver.IOProp();
    io = Still_Image_Options();
    Apply_Assignments(o, driver, true);
    driver.set_Model_Loaded_Handler([&](KxCAppMesh& mesh) {
        Frame_Box(*view, mesh.get_AABB()->MinPoint(), mesh.get_AABB()->MaxPoint(), o.Yaw, o.Pitch);
    });
    KxUtils::KxCTimer::InstancePtr()->Clear();
    if (!driver.Read_OrvImage(&io, o.Model)) return Fail("cannot read model '" + o.Model + "'", Exit_Input);
    if (!o.Camera.empty() && !view->Read_Modelview(o.Camera))
        return Fail("cannot read view file '" + o.Camera + "'", Exit_Input);
    if (!o.Light.empty() && !light->Read_Modelview(o.Light))
        return Fail("cannot read view file '" + o.Light + "'", Exit_Input);
    Apply_Assignments(o, driver, false);
    KxCAppItem& item = *driver.AppItem();
    item.CurMeshItem()->Update_Mesh();
    light->Repaint(); // the shading light follows the light panel; the main view repaints

    const bool created = o.Mode == KxEnumOrvaneMode::Scene || driver.ToolBarExecuBtn_Click();
    item.AppProp().set_Orvane_Mode(o.Mode);
    std::string written;
    if (!driver.Save_Image(&item, o.Out, o.Mode, &written)) return Fail("the picture was not saved", Exit_Failure);
    std::cout << "Wrote " << written << std::endl;
    if (!created) return Fail("a generation step failed; the picture shows what was made", Exit_Failure);
    return Exit_Ok;
}

} // namespace KxCli
