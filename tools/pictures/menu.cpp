// The pictures of the menu window.
#include "pictures.h"

namespace pictures {

bool drawMenuPictures(const QString& /*dir*/) { return true; }

}  // namespace pictures
