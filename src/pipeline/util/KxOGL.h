#pragma once
// The one place that chooses how OpenGL entry points are reached: libepoxy
// resolves them for whatever context is current (EGL or a window toolkit's),
// so every file that draws includes this header instead of <GL/gl.h>.
#include <epoxy/gl.h>
#include <GL/glu.h>

namespace KxOGLExt {

/// True when the current context offers vertex buffer objects (GL 1.5 or the ARB extension).
/// Needs a current context.
bool Has_VBO();

} // namespace KxOGLExt
