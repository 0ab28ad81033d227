// The start screen: the engine's wave field as a calm background, the title, and the seven
// entries as buttons at the rectangles of start_regions.h.
#pragma once

#include "wave_field.h"

#include <QImage>

namespace zb::start {

// kPictureWidth x kPictureHeight. A field of width 0 gives a plain background.
QImage drawStartPicture(const WaveField& field);

} // namespace zb::start
