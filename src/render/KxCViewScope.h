#pragma once
// Draws in the projector's captured view for the life of the object: sets the
// captured viewport, pushes both matrix stacks and loads either the captured
// projection and model-view matrices or a 2D projection in window pixels
// (pixel (x, y) at position (x, y), identity model-view). The destructor pops
// both stacks and leaves the model-view stack current; the viewport stays set.

namespace KxUtils {

class KxCViewScope {
public:
    enum class KxEnumView { Captured, Pixels };

    explicit KxCViewScope(KxEnumView view);
    ~KxCViewScope();
    KxCViewScope(const KxCViewScope&) = delete;
    KxCViewScope& operator=(const KxCViewScope&) = delete;
};

} // namespace KxUtils
