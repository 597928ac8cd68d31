#include "ui/KxCHeadlessPanel.h"

#include "pipeline/util/KxOGL.h"

#include <epoxy/egl.h>

#include <cstdlib>
#include <iostream>

namespace KxOGLPanel {

namespace {

void Report(const std::string& message) { std::cerr << "KxCHeadlessPanel::Create: " << message << std::endl; }

// One surfaceless display per process, shared by every headless panel.
EGLDisplay Surfaceless_Display()
{
    static bool tried = false;
    static EGLDisplay display = EGL_NO_DISPLAY;
    if (tried) return display;
    tried = true;
    // llvmpipe's worker threads cost more than they give on the small draws of this tool.
    setenv("LP_NUM_THREADS", "0", 0);
    auto get_display = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (get_display) display = get_display(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    EGLint major = 0, minor = 0;
    if (display != EGL_NO_DISPLAY && !eglInitialize(display, &major, &minor)) display = EGL_NO_DISPLAY;
    return display;
}

} // namespace

std::unique_ptr<KxCHeadlessPanel> KxCHeadlessPanel::Create(int width, int height)
{
    if (width < 1 || height < 1) {
        Report("invalid size " + std::to_string(width) + "x" + std::to_string(height));
        return nullptr;
    }
    const EGLDisplay display = Surfaceless_Display();
    if (display == EGL_NO_DISPLAY) {
        Report("no surfaceless EGL display (Mesa's EGL and GL drivers are needed: libegl1-mesa-dev, libgl1-mesa-dri)");
        return nullptr;
    }
    const EGLint config_attribs[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_NONE};
    EGLConfig config = nullptr;
    EGLint count = 0;
    if (!eglBindAPI(EGL_OPENGL_API) || !eglChooseConfig(display, config_attribs, &config, 1, &count) || count < 1) {
        Report("no desktop OpenGL configuration on the EGL display");
        return nullptr;
    }
    const EGLint context_attribs[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT,
                                      EGL_NONE};
    EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, context_attribs);
    if (context == EGL_NO_CONTEXT) {
        Report("cannot create an OpenGL compatibility context");
        return nullptr;
    }
    std::unique_ptr<KxCHeadlessPanel> panel(new KxCHeadlessPanel());
    panel->mp_Context = context;
    panel->m_Width = width;
    panel->m_Height = height;
    if (!panel->Make_Current() || !panel->Create_Buffers()) {
        Report("cannot make the context current with a " + std::to_string(width) + "x" + std::to_string(height) +
               " frame buffer");
        return nullptr;
    }
    return panel;
}

KxCHeadlessPanel::~KxCHeadlessPanel()
{
    if (!mp_Context) return;
    if (Make_Current()) Release_Buffers();
    const EGLDisplay display = Surfaceless_Display();
    eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroyContext(display, static_cast<EGLContext>(mp_Context));
}

bool KxCHeadlessPanel::Make_Current()
{
    if (!mp_Context) return false;
    const EGLDisplay display = Surfaceless_Display();
    if (!eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, static_cast<EGLContext>(mp_Context))) return false;
    if (m_FBO) glBindFramebuffer(GL_FRAMEBUFFER, m_FBO);
    return true;
}

bool KxCHeadlessPanel::Create_Buffers()
{
    glGenFramebuffers(1, &m_FBO);
    glBindFramebuffer(GL_FRAMEBUFFER, m_FBO);
    glGenRenderbuffers(1, &m_Color);
    glBindRenderbuffer(GL_RENDERBUFFER, m_Color);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, m_Width, m_Height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, m_Color);
    glGenRenderbuffers(1, &m_DepthStencil);
    glBindRenderbuffer(GL_RENDERBUFFER, m_DepthStencil);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, m_Width, m_Height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, m_DepthStencil);
    glDrawBuffer(GL_COLOR_ATTACHMENT0);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    glViewport(0, 0, m_Width, m_Height);
    return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

void KxCHeadlessPanel::Release_Buffers()
{
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteRenderbuffers(1, &m_Color);
    glDeleteRenderbuffers(1, &m_DepthStencil);
    glDeleteFramebuffers(1, &m_FBO);
    m_FBO = m_Color = m_DepthStencil = 0;
}

bool KxCHeadlessPanel::Resize(int width, int height)
{
    if (width < 1 || height < 1 || !Make_Current()) return false;
    Release_Buffers();
    m_Width = width;
    m_Height = height;
    if (!Create_Buffers()) return false;
    Notify_Resize(width, height);
    return true;
}

void KxCHeadlessPanel::Repaint()
{
    if (!Make_Current()) return;
    Paint_Frame();
    glFinish();
}

std::vector<unsigned char> KxCHeadlessPanel::Read_RGBA() const
{
    std::vector<unsigned char> pixels(static_cast<std::size_t>(m_Width) * m_Height * 4);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, m_Width, m_Height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glPopClientAttrib();
    return pixels;
}

} // namespace KxOGLPanel
