#pragma once
// The main window's driver state and commands, apart from the window itself:
// the current application item, the load options, the splat textures, the two
// user-facing summary sets; loading a still model with its companion view
// files, the Generate command with its five steps, the paint of the main view
// and of the light panel, and saving the picture. The desktop window and the
// command line both drive it through two view panels.
//
// Diagnostics name the main window ("Form1::OrvImg_Create: ..."), the name
// users and scripts know them by.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "pipeline/items/KxCAppItem.h"
#include "pipeline/params/KxCSummaryParams.h"
#include "ui/KxOGLPanelControl.h"

namespace JdImage {
class JdTexture;
}

namespace OrvaneImage {

class KxCOrvaneDriver {
public:
    /// Colours given to subject and ground meshes.
    static constexpr KxCColor Subject_Color{255, 255, 255, 255};
    static constexpr KxCColor Ground_Color{240, 240, 240, 255};

    /// A driver whose data and tools are looked up under app_path (the program's folder),
    /// drawing in main_view and taking the shading light from light_view; both must outlive it.
    KxCOrvaneDriver(std::string app_path, KxOGLPanel::KxOGLPanelControl& main_view,
                    KxOGLPanel::KxOGLPanelControl& light_view);
    /// Disposes the current item with the main view's context current.
    ~KxCOrvaneDriver();
    KxCOrvaneDriver(const KxCOrvaneDriver&) = delete;
    KxCOrvaneDriver& operator=(const KxCOrvaneDriver&) = delete;

    /// Loads the standard splat texture data/circle.png and sets up both panels' paint.
    void Form_Init();

    // --- State ---------------------------------------------------------------
    KxCAppItem* AppItem() const { return mp_AppItem.get(); }
    /// Load options of still models and of animations.
    KxCIOProp& IOProp() { return m_IOProp; }
    KxCAIOProp& AIOProp() { return m_AIOProp; }
    KxCOIParam& OIParam() { return m_OIParam; }
    KxCOVParam& OVParam() { return m_OVParam; }
    const std::string& AppPath() const { return m_AppPath; }
    std::vector<std::unique_ptr<JdImage::JdTexture>>& TextureList() { return m_TextureList; }
    /// Called with a newly read model before its companion view files are read (a front end
    /// frames the model there).
    void set_Model_Loaded_Handler(std::function<void(KxCAppMesh&)> h) { m_Model_Loaded = std::move(h); }

    // --- Loading ---------------------------------------------------------------
    /// Loads texture pictures into the texture list; unreadable ones are reported and skipped.
    void Create_Textures(const std::vector<std::string>& files);
    /// A new item of the mode with the texture list bound. Needs the main view's context.
    std::unique_ptr<KxCAppItem> Create_AppItem(KxEnumAppMode mode);
    /// Reads a mesh file as the item's subject and current mesh item; reports failure.
    void Read_Model(KxCAppItem* item, const KxCIOProp* io, const std::string& path);
    /// Reads and prepares one mesh, coloured for its role; null when unreadable.
    KxCMeshItem* Create_MeshItem(const std::string& path, const KxCIOProp* io, KxEnumMeshType type);
    /// Makes item current and pushes the summary set of its mode into its parameters.
    void Active_AppItem(KxCAppItem* item);
    /// Opens a still model (".obj") as a new current item and reads its companion camera
    /// D/N.view and light D/N_light.view when present. False for another type or an unreadable mesh.
    bool Read_OrvImage(const KxCIOProp* io, const std::string& path);

    // --- Generation --------------------------------------------------------------
    /// The Generate command: captures and locks the view, runs the still sequence, switches to
    /// the composed picture, prints the timings, unlocks and repaints. Returns the sequence's
    /// result (the window ignores it); false without an item or a mesh item.
    bool ToolBarExecuBtn_Click();
    /// The still sequence: Sample, Parameterize, Texture, Analyze, Stamp, timed; stops at the
    /// first failing step after printing its line.
    bool OrvImg_Create(KxCAppItem* app, KxCMeshItem* mesh);
    bool OrvImg_Sample(KxCMeshItem* mesh);
    bool OrvImg_Parameterize(KxCMeshItem* mesh);
    bool OrvImg_Texture(KxCAppItem* app, KxCMeshItem* mesh);
    bool OrvImg_Analyze(KxCMeshItem* mesh);
    bool OrvImg_Stamp(KxCAppItem* app, KxCMeshItem* mesh);

    // --- Painting ------------------------------------------------------------------
    /// Paint of the main view: refreshes the unlocked parts of the projector, draws the item.
    void OGLPanel_Paint();
    /// Set-up of the light panel: camera from (0, 0, 1) at the origin.
    void OGLLightTrack_Load();
    /// Paint of the light panel: the shading light follows its pose; repaints the main view.
    void OGLLightTrack_Paint();

    // --- Saving --------------------------------------------------------------------
    /// Draws the mode off-screen in the projector's view and saves it: ".png" and ".bmp"
    /// directly; otherwise the Scene mode writes D/N.bmp and the other modes trace the picture
    /// into ".eps", ".svg" or ".pdf". The file written is stored in written. False (with a
    /// message to the user and nothing written) when the view, the path or the tracer fails.
    bool Save_Image(KxCAppItem* item, const std::string& file, KxEnumOrvaneMode mode, std::string* written = nullptr);

private:
    std::string m_AppPath;
    KxOGLPanel::KxOGLPanelControl& m_MainView;
    KxOGLPanel::KxOGLPanelControl& m_LightView;
    std::unique_ptr<KxCAppItem> mp_AppItem;
    KxCIOProp m_IOProp;
    KxCAIOProp m_AIOProp;
    std::vector<std::unique_ptr<JdImage::JdTexture>> m_TextureList;
    KxCOIParam m_OIParam;
    KxCOVParam m_OVParam;
    std::function<void(KxCAppMesh&)> m_Model_Loaded;
};

} // namespace OrvaneImage
