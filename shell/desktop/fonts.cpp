// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/desktop/fonts.h"

#include <QByteArray>
#include <QFontDatabase>
#include <QFontMetricsF>
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

const QFont& Fonts::font(const scene::DrawnFont& drawn) {
    const auto key = std::make_tuple(drawn.face, drawn.weight, drawn.pixels);
    if (const auto found = fonts_.find(key); found != fonts_.end()) return found->second;
    const int face = std::clamp(drawn.face, 0, static_cast<int>(scene::kFaces.size()) - 1);
    QFont result(family(face));
    result.setStyleHint(QFont::SansSerif);
    result.setPixelSize(drawn.pixels);
    result.setWeight(static_cast<QFont::Weight>(std::clamp(drawn.weight, 1, 1000)));
    result.setKerning(false);
    return fonts_.emplace(key, result).first->second;
}

const Fonts::Run& Fonts::run(const scene::DrawnFont& drawn, std::string_view text) {
    const auto key = std::make_tuple(drawn.face, drawn.weight, drawn.pixels, std::string(text));
    if (const auto found = runs_.find(key); found != runs_.end()) return found->second;
    constexpr std::size_t kKept = 512;  // captions change with the scores: keep the recent ones
    if (runs_.size() >= kKept) runs_.clear();
    const QFont& qfont = font(drawn);
    Run made{QStaticText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))), QFontMetricsF(qfont).ascent()};
    made.text.setTextFormat(Qt::PlainText);
    made.text.setPerformanceHint(QStaticText::AggressiveCaching);
    return runs_.emplace(key, std::move(made)).first->second;
}

}  // namespace arcadeon::desktop
