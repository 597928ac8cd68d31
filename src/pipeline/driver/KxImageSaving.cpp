// Saving the picture of a render mode: drawn off-screen in the projector's
// view, read back, then written as a bitmap or traced into a vector file.
#include <filesystem>

#include "pipeline/driver/KxCOrvaneDriver.h"
#include "pipeline/driver/KxItemRendering.h"
#include "pipeline/util/KxDebug.h"
#include "pipeline/util/KxOGL.h"
#include "pipeline/util/KxUserMessage.h"
#include "render/KxCOGLProjector.h"
#include "render/KxCViewScope.h"
#include "render/KxTracer.h"
#include "render/KxPictureFiles.h"
#include "render/KxReadPixels.h"

namespace OrvaneImage {

namespace {

// The mode's drawing on white in the projector's view, as files store pictures.
cv::Mat Draw_Picture(KxCAppItem* item, KxEnumOrvaneMode mode)
{
    const auto& vp = KxUtils::KxCOGLProjector::InstancePtr()->Viewport();
    const KxUtils::KxCViewScope view(KxUtils::KxCViewScope::KxEnumView::Captured);
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    Render_Mode(item, mode);
    cv::Mat picture = KxUtils::Read_Picture(vp[0], vp[1], vp[2], vp[3]);
    glPopAttrib();
    return picture;
}

bool is_Bitmap_Type(const std::string& ext) { return ext == ".png" || ext == ".bmp"; }

} // namespace

bool KxCOrvaneDriver::Save_Image(KxCAppItem* item, const std::string& file, KxEnumOrvaneMode mode,
                                 std::string* written)
{
    if (!item) return false;
    const auto& vp = KxUtils::KxCOGLProjector::InstancePtr()->Viewport();
    if (vp[2] <= 1 || vp[3] <= 1) {
        Throw_Debug_Msg("Form1", "Save_Image", "Invalid viewport size");
        return false;
    }
    const cv::Mat picture = Draw_Picture(item, mode);
    const std::filesystem::path path(file);
    std::string target = file, error;
    bool ok = false;
    if (is_Bitmap_Type(File_Type(file))) {
        ok = Write_Picture(target, picture, error);
    } else if (mode == KxEnumOrvaneMode::Scene) {
        // The shaded model is a photograph-like picture; tracing it would lose it.
        target = (path.parent_path() / path.stem()).string() + ".bmp";
        ok = Write_Picture(target, picture, error);
    } else {
        ok = Trace_Picture(Find_Tracer(m_AppPath), picture, target, error);
    }
    if (!ok) {
        Show_User_Message("Save bmp file failed\n" + error);
        return false;
    }
    if (written) *written = target;
    return true;
}

} // namespace OrvaneImage
