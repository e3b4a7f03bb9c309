// Drawing a window straight from the model: its background, then its
// visible elements from the back to the front, buttons above everything.
#pragma once

#include <QImage>
#include <QSize>
#include <string>
#include <string_view>
#include <unordered_map>

#include "shell/layer/form.h"

class QPainter;
class QWidget;

namespace arcadeon::desktop {

class Fonts;

// The pictures embedded from assets/, decoded once, and their scaled copies.
class Pictures {
public:
    // The picture with that file name; a null image when there is none.
    const QImage& picture(std::string_view name);
    // The picture scaled to `pixels` device pixels (smoothly, ignoring its
    // aspect ratio); a null image when there is none.
    const QImage& scaled(std::string_view name, QSize pixels);

private:
    std::unordered_map<std::string, QImage> pictures_;
    std::unordered_map<std::string, QImage> scaled_;
};

struct PaintContext {
    Fonts& fonts;
    Pictures& pictures;
    QWidget* widget = nullptr;        // the window drawn on, for the platform style
    const Element* pressed = nullptr;  // a command button held down under the pointer
    bool active = false;               // the window is the active one: its focus shows
};

// Paints the client area of `form` at 15 twips a pixel, positions rounded
// to the nearest device pixel.
void paintForm(QPainter& painter, const Form& form, const PaintContext& context);

}  // namespace arcadeon::desktop
