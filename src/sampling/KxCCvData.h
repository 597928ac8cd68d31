#pragma once
// One pixel buffer seen both as an image and as a matrix. A cv::Mat is both
// views at once, so the class keeps one Mat and remembers which view it was
// given as (the view that owns the pixels).
#include <opencv2/core.hpp>

namespace OrvaneImage {

class KxCCvData {
public:
    /// The buffer as a matrix; null when empty.
    cv::Mat* Matrix() { return m_Data.empty() ? nullptr : &m_Data; }
    const cv::Mat* Matrix() const { return m_Data.empty() ? nullptr : &m_Data; }
    /// The buffer as an image; null when empty (the same pixels as Matrix()).
    cv::Mat* Image() { return Matrix(); }
    const cv::Mat* Image() const { return Matrix(); }
    /// Takes mat as the matrix that owns the pixels; a buffer already held is ignored.
    void Matrix(const cv::Mat& mat) { Take(mat, true); }
    /// Takes img as the image that owns the pixels; a buffer already held is ignored.
    void Image(const cv::Mat& img) { Take(img, false); }
    /// True when the pixels were given as a matrix.
    bool Matrix_Owns() const { return m_Matrix_Owns; }
    /// Releases the pixels; both views become null.
    void Clear()
    {
        m_Data.release();
        m_Matrix_Owns = false;
    }

private:
    void Take(const cv::Mat& m, bool matrix)
    {
        if (!m_Data.empty() && m.data == m_Data.data) return;
        Clear();
        m_Data = m;
        m_Matrix_Owns = matrix;
    }

    cv::Mat m_Data;
    bool m_Matrix_Owns = false;
};

} // namespace OrvaneImage
