// The program's pictures, drawn in code so they can be made again:
// `make-pictures DIR` writes every one of them into DIR (assets/).
#pragma once

#include <QString>

namespace pictures {

// Each writes the pictures of one window into `dir`; false when a file cannot be written.
bool drawMenuPictures(const QString& dir);
bool drawFroggyPictures(const QString& dir);
bool drawInvadersPictures(const QString& dir);

}  // namespace pictures
