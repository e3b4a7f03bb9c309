// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/desktop/fonts.h"

#include <QByteArray>
#include <QFontDatabase>
#include <QResource>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace arcadeon::desktop {

namespace {

struct ShippedFont {
    std::string_view face;
    const char* file;
    int weight;
};

// Faces the layouts name, and the free fonts in assets/fonts that stand in for them.
constexpr ShippedFont kShipped[] = {
    {"Arial Black", "Lato-Black.ttf", 900},      // a heavy sans-serif, heavy at every weight
    {"Old English Text MT", "Blankenburg.ttf", 0},  // blackletter
    {"ISOCPEUR", "osifont.ttf", 0},              // ISO 3098 technical lettering
    {"", "LiberationSans-Regular.ttf", 0},       // the default dialog font
};

}  // namespace

Fonts::Fonts() {
    for (const ShippedFont& shipped : kShipped) substitutes_.push_back({shipped.face, shipped.file, shipped.weight, false, {}});
}

// The font files are embedded uncompressed, so Qt reads them where they lie
// in the program instead of keeping copies of its own.
const QString& Fonts::family(Substitute& substitute) {
    if (substitute.registered) return substitute.family;
    substitute.registered = true;
    const QResource resource(QStringLiteral(":/assets/fonts/") + QLatin1String(substitute.file));
    if (!resource.isValid()) return substitute.family;
    const QByteArray data = resource.compressionAlgorithm() == QResource::NoCompression
        ? QByteArray::fromRawData(reinterpret_cast<const char*>(resource.data()), static_cast<qsizetype>(resource.size()))
        : resource.uncompressedData();
    const int id = QFontDatabase::addApplicationFontFromData(data);
    if (id < 0) return substitute.family;
    fontIds_.push_back(id);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (!families.isEmpty()) substitute.family = families.front();
    return substitute.family;
}

Fonts::~Fonts() {
    for (int id : fontIds_) QFontDatabase::removeApplicationFont(id);
}

QFont Fonts::font(const Font& font) {
    QString family = QString::fromUtf8(font.face.data(), static_cast<qsizetype>(font.face.size()));
    int weight = font.weight;
    QFont::StyleHint hint = QFont::AnyStyle;
    for (Substitute& substitute : substitutes_) {
        if (substitute.face != font.face) continue;
        if (font.face.empty()) hint = QFont::SansSerif;
        if (const QString& shipped = this->family(substitute); !shipped.isEmpty()) family = shipped;
        if (substitute.weight != 0) weight = substitute.weight;
        break;
    }
    QFont result(family);
    result.setStyleHint(hint);
    // Points to pixels at 96 dpi, rounded as the layouts' sizes were meant to be shown.
    result.setPixelSize(std::max(1, static_cast<int>(std::lround(font.size * 96.0f / 72.0f))));
    result.setWeight(static_cast<QFont::Weight>(std::clamp(weight, 1, 1000)));
    return result;
}

}  // namespace arcadeon::desktop
