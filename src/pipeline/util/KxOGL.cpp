#include "pipeline/util/KxOGL.h"

namespace KxOGLExt {

bool Has_VBO()
{
    return epoxy_gl_version() >= 15 || epoxy_has_gl_extension("GL_ARB_vertex_buffer_object");
}

} // namespace KxOGLExt
