#pragma once
// The drawing of an application item in its three render modes: the working
// view with every analysis layer switched on (Develop), the composed picture
// (Orvane) and the shaded model (Scene). Each draws into the current context
// with the projector's view and never clears a buffer; the saved pictures are
// made by the same functions, so a file holds exactly what the mode shows.
#include "pipeline/items/KxCAppItem.h"

namespace OrvaneImage {

/// Develop: per mesh item the shaded model, the mask, the splats, the splat grids and
/// the window layers as its display properties say; then the stamp layers. Null draws nothing.
void Render_AppItem(KxCAppItem* item);
/// Orvane: the stamps outside the objects' stencil (everywhere with See_Through), then the
/// merged splat grids. Forces Grid on, Rectangle off, no selection in the display properties.
void Render_Orvane(KxCAppItem* item);
/// Scene: the shaded model of every mesh item.
void Render_Scene(KxCAppItem* item);
/// The mode's drawing; another mode draws nothing.
void Render_Mode(KxCAppItem* item, KxEnumOrvaneMode mode);

/// One mesh item's model as the view shows it: the silhouette light follows the projector's
/// model-view, shading and importance are recomputed when enabled, then the mesh is drawn.
void Render_Shaded_Model(KxCMeshItem& item);

/// Index of the one container of a layered list to draw, or -1 for all: Layer -1 draws
/// all; any other value is clamped into the list and stored back.
template <class Prop>
int Layer_To_Draw(Prop& prop, std::size_t count)
{
    if (prop.Layer() == -1) return -1;
    const int last = static_cast<int>(count) - 1;
    prop.set_Layer(prop.Layer() < 0 ? 0 : prop.Layer() > last ? last : prop.Layer());
    return prop.Layer();
}

} // namespace OrvaneImage
