// Pictures and cursors the program draws for itself instead of shipping image files.
#pragma once

#include "tb/ResourceData.h"

namespace artwork {

// The splash picture: the logistic map's bifurcation diagram, width x height pixels.
tb::res::Bytes splashPicture(int width, int height);
// Magnifier cursors with a plus (zoom in) or a minus (zoom out).
tb::res::Bytes magnifierCursor(bool plus);

} // namespace artwork
