#pragma once

// Paints the colour preview's scene (PreviewScene, worked out in the core) with QPainter, and measures
// texts in the banner font for the scene's placement of the system name.

#include <string_view>

#include <QImage>

#include "banner_editor/PreviewScene.h"

namespace banner_editor {

// Paints a preview scene into an image of PREVIEW_WIDTH x PREVIEW_HEIGHT units, one pixel per
// PREVIEW_UNITS_PER_PIXEL units.
QImage renderPreview(const PreviewScene& scene);

// The width, in preview units, of a text in the system name's font.
int measureSystemText(std::u16string_view text);

} // namespace banner_editor
