#pragma once
// Display switches of the grid containers. The containers' drawing reads
// them through KxCGCntrPropIT, whatever the grid kind.
#include <string>

namespace OrvaneImage {

/// What a grid container draws.
class KxCGCntrPropIT {
public:
    virtual ~KxCGCntrPropIT() = default;
    /// Draw the grids' content.
    virtual bool Grid() const = 0;
    /// Draw the grids' rectangles.
    virtual bool Rectangle() const = 0;
    /// Draw the grids' boundaries.
    virtual bool Boundary() const = 0;
    /// Draw the grids at their perturbed places.
    virtual bool Perturb() const = 0;
    /// -1 draws every grid, otherwise the index of the one grid to draw.
    virtual int Selected() const = 0;
    virtual void set_Selected(int v) = 0;
};

/// Display switches of the splat-grid containers.
class KxCDecalGCntrProp : public KxCGCntrPropIT {
public:
    static constexpr const char* Caption = "Decal Grid Container Info";

    /// Inspector caption.
    std::string ToString() const { return Caption; }

    /// Draw the unmerged splat grids.
    bool Original() const { return m_Original; }
    void set_Original(bool v) { m_Original = v; }
    /// Draw the merged splat grids.
    bool Merged() const { return m_Merged; }
    void set_Merged(bool v) { m_Merged = v; }
    /// See KxCGCntrPropIT.
    bool Grid() const override { return m_Grid; }
    void set_Grid(bool v) { m_Grid = v; }
    /// See KxCGCntrPropIT.
    bool Rectangle() const override { return m_Rectangle; }
    void set_Rectangle(bool v) { m_Rectangle = v; }
    /// See KxCGCntrPropIT.
    bool Boundary() const override { return m_Boundary; }
    void set_Boundary(bool v) { m_Boundary = v; }
    /// See KxCGCntrPropIT.
    bool Perturb() const override { return m_Perturb; }
    void set_Perturb(bool v) { m_Perturb = v; }
    /// See KxCGCntrPropIT.
    int Selected() const override { return m_Selected; }
    void set_Selected(int v) override { m_Selected = v; }

private:
    bool m_Original = false;
    bool m_Merged = true;
    bool m_Grid = true;
    bool m_Rectangle = false;
    bool m_Boundary = false;
    bool m_Perturb = true;
    int m_Selected = -1;
};

/// Display switches of the window containers.
class KxCWndGCntrProp : public KxCGCntrPropIT {
public:
    static constexpr const char* Caption = "Window Grid Container Info";

    /// Inspector caption.
    std::string ToString() const { return Caption; }

    /// See KxCGCntrPropIT.
    bool Grid() const override { return m_Grid; }
    void set_Grid(bool v) { m_Grid = v; }
    /// See KxCGCntrPropIT.
    bool Rectangle() const override { return m_Rectangle; }
    void set_Rectangle(bool v) { m_Rectangle = v; }
    /// See KxCGCntrPropIT.
    int Selected() const override { return m_Selected; }
    void set_Selected(int v) override { m_Selected = v; }
    /// -1 draws every layer's container, otherwise only that layer's.
    int Layer() const { return m_Layer; }
    void set_Layer(int v) { m_Layer = v; }
    /// A plain stored value.
    bool Boundary() const override { return m_Boundary; }
    void set_Boundary(bool v) { m_Boundary = v; }
    /// Always true: windows are drawn only at their perturbed places; the
    /// setter ignores its value.
    bool Perturb() const override { return true; }
    void set_Perturb(bool) {}

private:
    bool m_Grid = false;
    bool m_Rectangle = false;
    int m_Selected = -1;
    int m_Layer = -1;
    bool m_Boundary = false;
};

/// Display switches of the stamp containers.
class KxCStampGCntrProp : public KxCGCntrPropIT {
public:
    static constexpr const char* Caption = "Stamp Grid Container Info";

    /// Inspector caption.
    std::string ToString() const { return Caption; }

    /// See KxCGCntrPropIT.
    bool Grid() const override { return m_Grid; }
    void set_Grid(bool v) { m_Grid = v; }
    /// See KxCGCntrPropIT.
    bool Rectangle() const override { return m_Rectangle; }
    void set_Rectangle(bool v) { m_Rectangle = v; }
    /// Draw stamps at their perturbed places.
    bool Perturb() const override { return m_Perturb; }
    void set_Perturb(bool v) { m_Perturb = v; }
    /// See KxCGCntrPropIT.
    int Selected() const override { return m_Selected; }
    void set_Selected(int v) override { m_Selected = v; }
    /// A plain stored value.
    bool Boundary() const override { return m_Boundary; }
    void set_Boundary(bool v) { m_Boundary = v; }
    /// -1 draws every layer's container, otherwise only that layer's.
    int Layer() const { return m_Layer; }
    void set_Layer(int v) { m_Layer = v; }
    /// Apply the splat-grid perturbation inside stamps.
    bool Perturb_DG() const { return m_Perturb_DG; }
    void set_Perturb_DG(bool v) { m_Perturb_DG = v; }

private:
    bool m_Grid = true;
    bool m_Rectangle = false;
    bool m_Perturb = true;
    int m_Selected = -1;
    bool m_Boundary = false;
    int m_Layer = -1;
    bool m_Perturb_DG = true;
};

} // namespace OrvaneImage
