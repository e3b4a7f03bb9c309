// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/record/state.h"

#include <optional>

#include "shell/layer/properties.h"
#include "shell/record/printable.h"

namespace arcadeon {

namespace {

constexpr std::string_view kNotLoaded = "<not loaded>";

constexpr std::string_view kFormProperties[] = {
    "Visible", "Caption", "BackColor", "ScaleLeft", "ScaleTop", "ScaleWidth", "ScaleHeight", "ActiveControl"};

// The value a path names; with `check`, only finds out whether it names one.
std::string pathValue(Program& program, std::string_view path, bool check) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t dot = path.find('.', start);
        parts.push_back(path.substr(start, dot == std::string_view::npos ? std::string_view::npos : dot - start));
        if (dot == std::string_view::npos) break;
        start = dot + 1;
    }
    const App& app = program.app;

    if (parts.size() == 2 && parts[0] == "app") {
        if (parts[1] == "ActiveForm") {
            const Form* active = app.activeForm();
            return active == nullptr ? "" : std::string(active->name());
        }
        if (parts[1] == "Clock") return formatMillis(app.clock().now());
        throw BadPath("unknown path " + quoted(path));
    }
    if (parts.size() == 2 && parts[0] == "Module1") {
        if (parts[1] == "intDifficulty") return formatValue(static_cast<int>(program.Module1.intDifficulty));
        throw BadPath("Module1 has no variable " + quoted(parts[1]));
    }
    if (parts.size() != 2 && parts.size() != 3) throw BadPath("unknown path " + quoted(path));
    Form* found = program.form(parts[0]);
    if (found == nullptr) throw BadPath("unknown window " + quoted(parts[0]));
    const Form& form = *found;

    if (parts.size() == 2) {
        const std::string_view name = parts[1];
        if (const Integer* variable = form.variable(name)) return formatValue(static_cast<int>(*variable));
        if (name == "Loaded") return formatValue(form.loaded());
        bool known = false;
        for (std::string_view property : kFormProperties) known = known || property == name;
        if (!known) throw BadPath(std::string(form.name()) + " has no property or variable " + quoted(name));
        if (check) return {};
        if (!form.loaded()) return std::string(kNotLoaded);
        if (name == "Visible") return formatValue(form.visible());
        if (name == "Caption") return std::string(form.caption());
        if (name == "BackColor") return formatValue(ColorValue{form.backColor()});
        if (name == "ScaleLeft" || name == "ScaleTop") return "0";
        if (name == "ScaleWidth") return formatSingle(form.clientWidth());
        if (name == "ScaleHeight") return formatSingle(form.clientHeight());
        return form.focus() == nullptr ? "" : std::string(form.focus()->name);
    }

    const Element* element = form.element(parts[1]);
    if (element == nullptr) throw BadPath(std::string(form.name()) + " has no element " + quoted(parts[1]));
    const std::optional<PropertyValue> value = readProperty(*element, parts[2]);
    if (!value) throw BadPath(std::string(element->name) + " has no property " + quoted(parts[2]));
    if (check) return {};
    return form.loaded() ? formatValue(*value) : std::string(kNotLoaded);
}

}  // namespace

void checkPath(Program& program, std::string_view path) { (void)pathValue(program, path, true); }

std::string readPath(Program& program, std::string_view path) { return pathValue(program, path, false); }

std::vector<PathValue> finalState(Program& program) {
    std::vector<PathValue> state;
    const auto add = [&](std::string path) {
        std::string value = readPath(program, path);
        state.push_back({std::move(path), std::move(value)});
    };
    add("Module1.intDifficulty");
    add("app.ActiveForm");
    for (Form* form : program.forms()) {
        const std::string window(form->name());
        for (const auto& [name, variable] : form->variables()) add(window + "." + std::string(name));
        if (!form->loaded()) continue;
        for (const Element* element : form->elements()) {
            for (std::string_view property : propertyNames(element->kind)) {
                add(window + "." + std::string(element->name) + "." + std::string(property));
            }
        }
    }
    return state;
}

std::string finalStateBlock(Program& program) {
    std::string block = "# The state at the end, for arcadeon-script --verify:\n";
    for (const PathValue& entry : finalState(program)) block += std::string(kFinalMark) + entry.path + " = " + entry.value + "\n";
    return block;
}

}  // namespace arcadeon
