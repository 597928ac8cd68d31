#pragma once
// A view panel that needs no display: an OpenGL compatibility context on
// Mesa's surfaceless EGL platform, drawing into a frame buffer object with an
// RGBA8 colour and a DEPTH24_STENCIL8 buffer. Used by the command line and the tests.
#include <memory>
#include <string>
#include <vector>

#include "ui/KxOGLPanelControl.h"

namespace KxOGLPanel {

class KxCHeadlessPanel : public KxOGLPanelControl {
public:
    ~KxCHeadlessPanel() override;

    /// A panel of width x height pixels with its context current, or null after
    /// one line on stderr that says why (no EGL display, no context, no frame buffer).
    static std::unique_ptr<KxCHeadlessPanel> Create(int width, int height);

    bool Make_Current() override;
    /// Paints one frame at once and waits until it is drawn.
    void Repaint() override;
    int Width() const override { return m_Width; }
    int Height() const override { return m_Height; }
    /// Resizes the frame buffer (contents are lost); false for a size below 1.
    bool Resize(int width, int height);

    /// The colour buffer as RGBA bytes, bottom row first.
    std::vector<unsigned char> Read_RGBA() const;

private:
    KxCHeadlessPanel() = default;
    bool Create_Buffers();
    void Release_Buffers();

    void* mp_Context = nullptr; // EGLContext
    unsigned int m_FBO = 0;
    unsigned int m_Color = 0;
    unsigned int m_DepthStencil = 0;
    int m_Width = 0;
    int m_Height = 0;
};

} // namespace KxOGLPanel
