#include "mesh/KxCVBO.h"

#include <iostream>

#include "pipeline/util/KxOGL.h"

namespace KxOGLExt {

KxCVBO::~KxCVBO()
{
    if (m_ID) glDeleteBuffers(1, &m_ID);
    m_ID = m_Target = m_Usage = 0;
    m_Switch = false;
}

bool KxCVBO::Create(const void* data, unsigned long size, unsigned int target, unsigned int usage)
{
    if (!Has_VBO()) {
        std::cerr << "KxCVBO::Create : VBO is not supported!" << std::endl;
        return false;
    }
    if (!m_ID) glGenBuffers(1, &m_ID);
    m_Target = target;
    m_Usage = usage;
    glBindBuffer(target, m_ID);
    glBufferData(target, static_cast<GLsizeiptr>(size), data, usage);
    GLint stored = 0;
    glGetBufferParameteriv(target, GL_BUFFER_SIZE, &stored);
    if (static_cast<unsigned long>(stored) != size) {
        glDeleteBuffers(1, &m_ID);
        m_ID = 0;
        std::cerr << "KxCVBO::Create : Data size is mismatch with input array" << std::endl;
    }
    glBindBuffer(target, 0);
    return m_ID != 0;
}

} // namespace KxOGLExt
