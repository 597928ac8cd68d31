#pragma once
// Pointing a view's camera at a model so that all of it is in sight.
#include "ui/KxOGLPanelControl.h"

namespace KxOGLPanel {

/// Sets the panel's camera to look at the centre of the box [lo, hi] from a direction
/// turned yaw degrees about the vertical axis (positive towards +x) and pitch degrees
/// up from the front (+z), at the distance where the box fills `fill` of the view's
/// height (or of its width, when that is tighter); resets the trackball and sets the
/// near and far planes around the box.
void Frame_Box(KxOGLPanelControl& panel, const Vec3d& lo, const Vec3d& hi, double yaw, double pitch,
               double fill = 0.75);

} // namespace KxOGLPanel
