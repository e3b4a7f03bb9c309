// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// arcadeon-scene-shots DIR: for each state of cases.h at device pixel
// ratios 1, 1.5 and 2, the window's scene as the desktop draws it (NAME@R.png,
// drawn by the desktop's executor offscreen) and as the core makes it
// (NAME@R.scene, its words, little-endian), and DIR/cases.json listing
// them with each scene's text runs. The browser test draws the same states
// with the page's executor and compares.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <cstdio>
#include <sstream>
#include <string>

#include "shell/desktop/fonts.h"
#include "shell/desktop/painting.h"
#include "shell/desktop/pictures.h"
#include "shell/program.h"
#include "shell/scene/scene.h"
#include "shell/record/runner.h"
#include "tests/parity/cases.h"

namespace {

using namespace arcadeon;

// The scene of a case's window once its script has run.
std::optional<scene::Scene> sceneAfter(const parity::Case& c, double ratio, scene::Pictures& pictures) {
    std::istringstream script{std::string(c.script)};
    std::ostringstream out, err;
    ScriptRunner runner(script, out, err);
    if (runner.run() != 0) {
        std::fprintf(stderr, "arcadeon-scene-shots: %s: %s\n", std::string(c.name).c_str(), err.str().c_str());
        return std::nullopt;
    }
    Form* form = runner.program().form(c.window);
    if (form == nullptr || !form->visible()) return std::nullopt;
    const bool active = runner.program().app.activeForm() == form;
    return scene::sceneOf(*form, {ratio, active, nullptr}, pictures);
}

std::string json(std::string_view text) {
    std::string out = "\"";
    for (char ch : text) {
        if (ch == '"' || ch == '\\') out += '\\';
        if (ch == '\n') {
            out += "\\n";
            continue;
        }
        out += ch;
    }
    return out + "\"";
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: arcadeon-scene-shots DIR\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(dir);
    desktop::Fonts fonts;
    desktop::Pictures pictures;
    std::string manifest = "[\n";
    for (const parity::Case& c : parity::kCases) {
        for (double ratio : parity::kRatios) {
            const std::optional<scene::Scene> drawn = sceneAfter(c, ratio, pictures.scenes());
            if (!drawn) {
                std::fprintf(stderr, "arcadeon-scene-shots: %s: the window is not shown\n", std::string(c.name).c_str());
                return 1;
            }
            const std::string base = std::string(c.name) + "@" + QString::number(ratio).toStdString();
            if (!desktop::sceneImage(*drawn, pictures, fonts).save(dir + "/" + QString::fromStdString(base) + ".png")) return 1;
            const std::vector<std::int32_t> words = scene::encode(*drawn);
            QFile file(dir + "/" + QString::fromStdString(base) + ".scene");
            if (!file.open(QIODevice::WriteOnly)) return 1;
            file.write(reinterpret_cast<const char*>(words.data()), static_cast<qint64>(words.size() * sizeof(std::int32_t)));
            std::string runs;
            for (const scene::Item& item : drawn->items) {
                if (item.kind != scene::ItemKind::Text) continue;
                runs += std::string(runs.empty() ? "" : ",") + "[" + std::to_string(item.rect.x) + "," + std::to_string(item.rect.y) +
                        "," + std::to_string(item.rect.w) + "," + std::to_string(item.rect.h) + "]";
            }
            manifest += std::string(manifest.size() > 2 ? ",\n" : "") + "{\"name\":" + json(c.name) + ",\"script\":" + json(c.script) +
                        ",\"window\":" + json(c.window) + ",\"ratio\":" + QString::number(ratio).toStdString() +
                        ",\"base\":" + json(base) + ",\"width\":" + std::to_string(drawn->client.w) +
                        ",\"height\":" + std::to_string(drawn->client.h) + ",\"runs\":[" + runs + "]}";
        }
    }
    manifest += "\n]\n";
    QFile out(dir + "/cases.json");
    if (!out.open(QIODevice::WriteOnly)) return 1;
    out.write(manifest.data(), static_cast<qint64>(manifest.size()));
    return 0;
}
