// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/desktop/fonts.h"

#include <QByteArray>
#include <QFontDatabase>
#include <QResource>
#include <QStringList>
#include <algorithm>

namespace arcadeon::desktop {

// The font files are embedded uncompressed, so Qt reads them where they lie
// in the program instead of keeping copies of its own.
const QString& Fonts::family(int face) {
    const auto at = static_cast<std::size_t>(face);
    if (registered_[at]) return families_[at];
    registered_[at] = true;
    const std::string_view file = scene::kFaces[at].file;
    const QResource resource(QStringLiteral(":/assets/fonts/") + QString::fromUtf8(file.data(), static_cast<qsizetype>(file.size())));
    if (!resource.isValid()) return families_[at];
    const QByteArray data = resource.compressionAlgorithm() == QResource::NoCompression
        ? QByteArray::fromRawData(reinterpret_cast<const char*>(resource.data()), static_cast<qsizetype>(resource.size()))
        : resource.uncompressedData();
    const int id = QFontDatabase::addApplicationFontFromData(data);
    if (id < 0) return families_[at];
    fontIds_.push_back(id);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (!families.isEmpty()) families_[at] = families.front();
    return families_[at];
}

Fonts::~Fonts() {
    for (int id : fontIds_) QFontDatabase::removeApplicationFont(id);
}

QFont Fonts::font(const scene::DrawnFont& drawn) {
    const int face = std::clamp(drawn.face, 0, static_cast<int>(scene::kFaces.size()) - 1);
    QFont result(family(face));
    result.setStyleHint(QFont::SansSerif);
    result.setPixelSize(drawn.pixels);
    result.setWeight(static_cast<QFont::Weight>(std::clamp(drawn.weight, 1, 1000)));
    result.setKerning(false);
    return result;
}

}  // namespace arcadeon::desktop
