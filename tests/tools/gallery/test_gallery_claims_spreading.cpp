// Placeholder until the claims of this part of the gallery land.
#include "gallery_text.h"
