// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/web/page_state.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "shell/scene/fonts.h"

namespace arcadeon::web {

bool PictureShelf::addFile(std::string_view name, std::span<const std::uint8_t> file) {
    scene::Bitmap bitmap = scene::decodeBmp(file);
    if (bitmap.empty()) return false;
    bitmaps_.insert_or_assign(std::string(name), std::move(bitmap));
    return true;
}

bool PictureShelf::addRgba(std::string_view name, int width, int height, std::span<const std::uint8_t> rgba) {
    if (width <= 0 || height <= 0 || rgba.size() / 4 / static_cast<std::size_t>(width) != static_cast<std::size_t>(height) ||
        rgba.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4) {
        return false;
    }
    bitmaps_.insert_or_assign(std::string(name), scene::Bitmap{width, height, {rgba.begin(), rgba.end()}});
    return true;
}

scene::Bitmap PictureShelf::load(std::string_view name) const {
    const auto found = bitmaps_.find(name);
    return found == bitmaps_.end() ? scene::Bitmap{} : found->second;
}

std::vector<std::string> picturesNamed(const std::vector<Form*>& forms) {
    std::vector<std::string> names;
    for (const Form* form : forms) {
        for (std::string& picture : filesOf(form->layout()).pictures) {
            if (std::find(names.begin(), names.end(), picture) == names.end()) names.push_back(std::move(picture));
        }
    }
    return names;
}

std::string pageFileOf(std::string_view picture) {
    constexpr std::string_view kPng = ".png";
    if (!picture.ends_with(kPng)) return std::string(picture);
    return "web/" + std::string(picture.substr(0, picture.size() - kPng.size())) + ".webp";
}

WindowFiles filesOf(const FormLayout& layout) {
    WindowFiles files;
    const auto once = [](auto& list, const auto& value) {
        if (std::find(list.begin(), list.end(), value) == list.end()) list.emplace_back(value);
    };
    for (const ElementLayout& element : layout.elements) {
        if (!element.props.Picture.empty()) once(files.pictures, element.props.Picture);
        // the kinds that draw text (the layer gives each its own font)
        const bool text = element.kind == Kind::Label || element.kind == Kind::CommandButton || element.kind == Kind::OptionButton;
        if (text) once(files.faces, scene::drawnFont(element.props.Font).face);
    }
    return files;
}

std::string filesJson(const std::vector<Form*>& forms) {
    std::string out = "{\"pictures\":{";
    const char* comma = "";
    for (const std::string& name : picturesNamed(forms)) {
        out.append(comma).append(jsonString(name)).append(":").append(jsonString(pageFileOf(name)));
        comma = ",";
    }
    out += "},\"windows\":{";
    comma = "";
    for (const Form* form : forms) {
        const WindowFiles files = filesOf(form->layout());
        out.append(comma).append(jsonString(form->layout().name)).append(":{\"pictures\":[");
        for (std::size_t i = 0; i < files.pictures.size(); ++i) out.append(i ? "," : "").append(jsonString(files.pictures[i]));
        out += "],\"faces\":[";
        for (std::size_t i = 0; i < files.faces.size(); ++i) out.append(i ? "," : "").append(std::to_string(files.faces[i]));
        out += "]}";
        comma = ",";
    }
    return out + "}}";
}

namespace {

int placeInStack(const App& app, const Form* form) {
    const std::vector<Form*>& stack = app.stack();
    const auto at = std::find(stack.begin(), stack.end(), form);
    return at == stack.end() ? -1 : static_cast<int>(at - stack.begin());
}

}  // namespace

bool Scenes::setFit(int form, double fit) {
    if (form < 0 || static_cast<std::size_t>(form) >= fits_.size() || !(fit >= kSmallestFit && fit <= 1)) return false;
    fits_[static_cast<std::size_t>(form)] = fit;
    return true;
}

const std::vector<std::int32_t>& Scenes::update(double ratio, const Element* pressed) {
    const Form* active = app_.activeForm();
    const std::int32_t flags = (app_.ended() ? kEnded : 0) | (app_.messageBoxOpen() ? kBoxOpen : 0);
    words_.assign({kUpdateMagic, 0, flags, -1, 0});
    std::vector<std::pair<std::string_view, scene::Size>> inUse;
    for (std::size_t i = 0; i < forms_.size(); ++i) {
        const Form& form = *forms_[i];
        Kept& kept = kept_[i];
        if (form.state().loadSerial != kept.serial) fits_[i] = 1;  // a new window on the page, at its own size first
        if (form.state().loadSerial != kept.serial || !form.loaded() || !form.visible()) {
            kept = Kept{};  // hidden or loaded again: drawn afresh when next shown
            kept.serial = form.state().loadSerial;
        }
        if (&form == active) words_[3] = static_cast<std::int32_t>(i);
        if (!form.loaded()) continue;
        ++words_[1];
        const bool isActive = &form == active;
        words_.insert(words_.end(), {static_cast<std::int32_t>(i), form.visible() ? 1 : 0, isActive ? 1 : 0,
                                     static_cast<std::int32_t>(form.state().loadSerial), placeInStack(app_, &form), 0, 0, 0});
        const std::size_t count = words_.size() - 1;
        if (!form.visible()) continue;
        const bool held = pressed != nullptr && pressed->form == &form;
        kept.ratio = std::max(ratio * fits_[i], 1.0 / 256);  // the smallest density a scene is made at
        scene::Scene now = scene::sceneOf(form, {kept.ratio, isActive, held ? pressed : nullptr}, pictures_);
        words_[count - 2] = now.client.w;
        words_[count - 1] = now.client.h;
        for (const scene::Rect& rect : kept.shown.show(std::move(now))) {
            words_.insert(words_.end(), {rect.x, rect.y, rect.w, rect.h});
            ++words_[count];
        }
        const auto used = scene::picturesOf(*kept.shown.scene());
        inUse.insert(inUse.end(), used.begin(), used.end());
    }
    pictures_.retain(inUse);
    words_[4] = static_cast<std::int32_t>(words_.size());
    return words_;
}

const std::vector<std::int32_t>& Scenes::encoded(int form) {
    static const std::vector<std::int32_t> kNone;
    const scene::Scene* shown = sceneOf(form);
    if (shown == nullptr) return kNone;
    Kept& kept = kept_[static_cast<std::size_t>(form)];
    if (kept.encoded.empty() || kept.encodedVersion != kept.shown.version()) {
        kept.encoded = scene::encode(*shown);
        kept.encodedVersion = kept.shown.version();
    }
    return kept.encoded;
}

std::vector<std::int32_t> Scenes::fresh(int form, const Element* pressed) const {
    if (form < 0 || static_cast<std::size_t>(form) >= forms_.size()) return {};
    const Form& shown = *forms_[static_cast<std::size_t>(form)];
    if (!shown.loaded() || !shown.visible()) return {};
    const bool held = pressed != nullptr && pressed->form == &shown;
    const double ratio = kept_[static_cast<std::size_t>(form)].ratio;
    return scene::encode(scene::sceneOf(shown, {ratio, app_.activeForm() == &shown, held ? pressed : nullptr}, pictures_));
}

const scene::Scene* Scenes::sceneOf(int form) const {
    if (form < 0 || static_cast<std::size_t>(form) >= kept_.size()) return nullptr;
    return kept_[static_cast<std::size_t>(form)].shown.scene();
}

std::string jsonString(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

}  // namespace arcadeon::web
