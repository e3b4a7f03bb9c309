// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// make-face-metrics FONTS_DIR: prints shell/scene/face_metrics.cpp, the
// glyph widths of the shipped fonts, read from the font files themselves.
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

#include "shell/scene/fonts.h"

int main(int argc, char** argv) {
    using arcadeon::scene::kFaces;
    if (argc != 2) {
        std::cerr << "usage: make-face-metrics FONTS_DIR\n";
        return 2;
    }
    // The tags are split so that licence checkers read them as the output's
    // header, not as this file's.
    std::cout << "// SPDX" "-FileCopyrightText: 2026 The Arcadeon developers\n"
                 "// SPDX" "-License-Identifier: GPL-3.0-or-later\n"
                 "// Made by tools/font-metrics from assets/fonts: do not edit. A test reads\n"
                 "// the font files again and checks that this table still matches them.\n"
                 "#include \"shell/scene/fonts.h\"\n\n"
                 "namespace arcadeon::scene {\n\n"
                 "const FaceMetrics& faceMetrics(int face) {\n"
                 "    static const FaceMetrics kMetrics[] = {\n";
    for (const auto& face : kFaces) {
        const std::string path = std::string(argv[1]) + "/" + std::string(face.file);
        std::ifstream in(path, std::ios::binary);
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
        const auto metrics = arcadeon::scene::readFaceMetrics(bytes);
        if (!metrics) {
            std::cerr << "make-face-metrics: " << path << ": not a font it can read\n";
            return 1;
        }
        std::cout << "        {" << metrics->unitsPerEm << ", " << metrics->ascender << ", " << metrics->descender
                  << ",  // " << face.file << "\n         {";
        for (std::size_t i = 0; i < metrics->advances.size(); ++i) {
            std::cout << (i == 0 ? "" : i % 16 == 0 ? ",\n          " : ", ") << metrics->advances[i];
        }
        std::cout << "},\n         " << metrics->missing << "},\n";
    }
    std::cout << "    };\n"
                 "    constexpr int kCount = static_cast<int>(std::size(kMetrics));\n"
                 "    return kMetrics[face >= 0 && face < kCount ? face : kCount - 1];\n"
                 "}\n\n"
                 "}  // namespace arcadeon::scene\n";
    return 0;
}
