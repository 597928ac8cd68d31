#pragma once

namespace KxOGLExt {

/// One OpenGL buffer object. Needs a current context for Create and destruction.
class KxCVBO {
public:
    KxCVBO() = default;
    ~KxCVBO();
    KxCVBO(const KxCVBO&) = delete;
    KxCVBO& operator=(const KxCVBO&) = delete;

    /// Creates (or reuses) the buffer, uploads size bytes from data (null: storage
    /// only) and checks the stored size. False without buffer-object support or on a size mismatch.
    bool Create(const void* data, unsigned long size, unsigned int target, unsigned int usage);

    unsigned int& ID() { return m_ID; }
    unsigned int Target() const { return m_Target; }
    unsigned int Usage() const { return m_Usage; }
    /// Draw from this buffer instead of client memory.
    bool& Switch() { return m_Switch; }
    bool is_Valid() const { return m_ID != 0; }

private:
    unsigned int m_ID = 0;
    unsigned int m_Target = 0;
    unsigned int m_Usage = 0;
    bool m_Switch = false;
};

} // namespace KxOGLExt
