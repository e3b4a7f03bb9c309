// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What only the tests' build of the page exports (arcadeon-tests.js): the
// script runner on a program of its own, for the browser test to replay the
// golden scripts in the page and the parity test to compare scenes. The
// page itself links no runner.
#include <emscripten.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "shell/program.h"
#include "shell/record/runner.h"
#include "shell/scene/scene.h"
#include "shell/web/page.h"
#include "shell/web/page_state.h"

extern "C" {

// Runs a script with the script runner, on a program of its own, and
// returns the encoded scene of `window` as it then stands at `ratio` (its
// focus shown when it is the active window), with the page's pictures:
// what the page and the desktop are compared on. nullptr when the script
// fails or the window is not shown. Valid until the next call.
EMSCRIPTEN_KEEPALIVE const std::int32_t* arcadeon_scene_after_script(const char* script, const char* window, double ratio) {
    static std::vector<std::int32_t> words;
    arcadeon::scene::Pictures* pictures = arcadeon::web::shownPictures();
    if (pictures == nullptr || script == nullptr || window == nullptr) return nullptr;
    std::istringstream in(script);
    std::ostringstream out, err;
    arcadeon::ScriptRunner runner(in, out, err);
    if (runner.run() != 0) return nullptr;
    const arcadeon::Form* form = runner.program().form(window);
    if (form == nullptr || !form->visible()) return nullptr;
    const arcadeon::scene::View view{ratio, runner.program().app.activeForm() == form, nullptr};
    words = arcadeon::scene::encode(arcadeon::scene::sceneOf(*form, view, *pictures));
    return words.data();
}

// Runs a script with the script runner, on a program of its own, and
// returns {"status", "out", "err"} as JSON: what arcadeon-script prints.
EMSCRIPTEN_KEEPALIVE const char* arcadeon_run_script(const char* script) {
    std::istringstream in(script);
    std::ostringstream out, err;
    arcadeon::ScriptRunner runner(in, out, err);
    const int status = runner.run();
    arcadeon::web::returned = "{\"status\":" + std::to_string(status) + ",\"out\":" +
                              arcadeon::web::jsonString(out.str()) + ",\"err\":" + arcadeon::web::jsonString(err.str()) + "}";
    return arcadeon::web::returned.c_str();
}

// The scene of window `index` made again now from the program (not the one
// last handed to the page), encoded: what the parity test compares the
// page's partial drawing with. nullptr for a window not shown. Valid until
// the next call.
EMSCRIPTEN_KEEPALIVE const std::int32_t* arcadeon_scene_fresh(int index) {
    static std::vector<std::int32_t> words;
    words = arcadeon::web::freshScene(index);
    return words.empty() ? nullptr : words.data();
}

}  // extern "C"
