// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures the program ships: opaque ones as PNG files any decoder reads
// back exactly, the two with partly transparent edges as BMP files the
// program reads itself; and its icon is on every window.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QTest>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "probe.h"
#include "shell/desktop/pictures.h"
#include "shell/program.h"
#include "shell/scene/pictures.h"

namespace {

std::uint32_t littleEndian(const QByteArray& bytes, int at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
    return value;
}

std::uint32_t bigEndian(const QByteArray& bytes, int at) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
    return value;
}

TEST(OpaquePictures, ArePngsOfEightBitRgbAtTheirSizeWithNoColourChunks) {
    // Every decoder gives such a file's pixels back exactly, the page's
    // browser among them: 8-bit RGB, no alpha, nothing that asks for colour
    // management (gAMA, cHRM, sRGB, iCCP); the embedded copy is the one drawn.
    struct Picture {
        const char* file;
        int width, height;
    };
    const Picture pictures[] = {
        {"menu-froggy.png", 340, 340}, {"menu-ping.png", 655, 476}, {"menu-invaders.png", 785, 468},
        {"froggy-background.png", 677, 498}, {"froggy-car-green.png", 31, 20}, {"froggy-car-purple.png", 31, 20},
        {"froggy-truck-purple.png", 61, 26}, {"froggy-truck-red.png", 58, 27},
    };
    for (const Picture& picture : pictures) {
        SCOPED_TRACE(picture.file);
        QFile file(QStringLiteral(":/assets/") + picture.file);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        ASSERT_GE(bytes.size(), 33);
        ASSERT_EQ(bytes.left(8), QByteArray("\x89PNG\r\n\x1a\n", 8));
        EXPECT_EQ(bytes.mid(12, 4), QByteArray("IHDR"));
        EXPECT_EQ(bigEndian(bytes, 16), static_cast<std::uint32_t>(picture.width));
        EXPECT_EQ(bigEndian(bytes, 20), static_cast<std::uint32_t>(picture.height));
        EXPECT_EQ(static_cast<int>(bytes[24]), 8);  // bits a channel
        EXPECT_EQ(static_cast<int>(bytes[25]), 2);  // RGB
        for (int at = 8; at + 8 <= bytes.size();) {
            const QByteArray chunk = bytes.mid(at + 4, 4);
            for (const char* managed : {"gAMA", "cHRM", "sRGB", "iCCP"}) EXPECT_NE(chunk, QByteArray(managed));
            at += 12 + static_cast<int>(bigEndian(bytes, at));
        }
        const QImage image = QImage::fromData(bytes, "PNG");
        ASSERT_FALSE(image.isNull());
        EXPECT_FALSE(image.hasAlphaChannel());
        EXPECT_EQ(image.size(), QSize(picture.width, picture.height));
    }
}

// The background's bands lie on exactly their picture rows: water and roads
// flat in their colours, grass green.
TEST(FroggyPictures, BackgroundBandsLieOnTheirRows) {
    const arcadeon::scene::Bitmap background = arcadeon::desktop::Pictures::decode("froggy-background.png");
    ASSERT_EQ(background.width, 677);
    ASSERT_EQ(background.height, 498);
    auto pixel = [&](int x, int y) {
        const std::uint8_t* at = &background.rgba[(static_cast<std::size_t>(y) * 677 + static_cast<std::size_t>(x)) * 4];
        return std::vector<int>{at[0], at[1], at[2]};
    };
    enum Band { Water, Grass, Road };
    struct Case {
        int from, to;
        Band band;
    };
    const Case bands[] = {
        {0, 120, Water}, {121, 179, Grass}, {180, 280, Road}, {281, 338, Grass}, {339, 439, Road}, {440, 497, Grass},
    };
    const std::vector<int> water{52, 93, 169}, road{141, 141, 141};
    for (const Case& c : bands) {
        for (int y : {c.from, c.to}) {
            for (int x : {0, 25, 676}) {
                SCOPED_TRACE("row " + std::to_string(y) + ", column " + std::to_string(x));
                const std::vector<int> rgb = pixel(x, y);
                switch (c.band) {
                case Water: EXPECT_EQ(rgb, water); break;
                case Road: EXPECT_EQ(rgb, road); break;
                case Grass:
                    EXPECT_GT(rgb[1], rgb[0] + 30);
                    EXPECT_GT(rgb[1], rgb[2] + 30);
                    break;
                }
            }
        }
    }
}

QByteArray resourceBytes(const QString& file) {
    QFile in(QStringLiteral(":/assets/") + file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

void putLittleEndian(QByteArray& bytes, int at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// The program's own BMP reader, as the desktop draws what it reads.
QImage read(const QByteArray& bytes) {
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    return arcadeon::desktop::imageOf(arcadeon::scene::decodeBmp({data, static_cast<std::size_t>(bytes.size())}));
}

// A shipped PNG as a 24-bit BMP, bottom-up, as Qt writes one.
QByteArray asBmp(const char* png) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImage::fromData(resourceBytes(png), "PNG").save(&buffer, "BMP");
    return bytes;
}

TEST(BmpReader, ReadsBmpsAsQtDoesAndRefusesWhatItCannotRead) {
    // The program's reader gives exactly Qt's picture for BMPs of the shipped
    // pictures, top-down rows too, and reads the shipped BMPs with alpha (the
    // frog, the trophy) at their size; a file it cannot read (cut short,
    // other depths, compressed, absurd sizes) gives a null image and never
    // reads past the end.
    for (const char* file : {"menu-froggy.png", "menu-ping.png", "froggy-background.png", "froggy-car-green.png"}) {
        SCOPED_TRACE(file);
        const QByteArray bytes = asBmp(file);
        ASSERT_FALSE(bytes.isEmpty());
        const QImage expected = QImage::fromData(resourceBytes(file), "PNG").convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(read(bytes), expected);
    }
    for (const auto& [file, width, height] : {std::tuple{"froggy-frog.bmp", 264, 216}, std::tuple{"froggy-trophy.bmp", 264, 200}}) {
        SCOPED_TRACE(file);
        const QImage image = read(resourceBytes(file));
        EXPECT_EQ(image.size(), QSize(width, height));
        EXPECT_TRUE(image.hasAlphaChannel());
    }

    // The same picture stored top-down: negative height, rows in reading order.
    const QByteArray bottomUp = asBmp("froggy-truck-red.png");
    const std::uint32_t offset = littleEndian(bottomUp, 10, 4);
    const auto height = static_cast<int>(littleEndian(bottomUp, 22, 4));
    const int stride = static_cast<int>((bottomUp.size() - offset) / height);
    QByteArray topDown = bottomUp.left(static_cast<int>(offset));
    putLittleEndian(topDown, 22, static_cast<std::uint32_t>(-height));
    for (int row = height - 1; row >= 0; --row) topDown += bottomUp.mid(static_cast<int>(offset) + row * stride, stride);
    EXPECT_EQ(read(topDown), read(bottomUp));
    EXPECT_FALSE(read(bottomUp).isNull());

    struct Broken {
        const char* what;
        int at;               // where to write `value`, or -1 to cut the file to `value` bytes
        std::uint32_t value;
    };
    const Broken broken[] = {
        {"cut in the pixels", -1, static_cast<std::uint32_t>(bottomUp.size() - 1)},
        {"cut in the header", -1, 30},
        {"not BM", 0, 0x4D42 + 1},
        {"16 bits", 28, 16},
        {"run-length compressed", 30, 1},
        {"no width", 18, 0},
        {"no height", 22, 0},
        {"huge width", 18, 1u << 30},
        {"most negative height", 22, 0x80000000u},
        {"pixels past the end", 10, 0xFFFFFFF0u},
    };
    for (const Broken& b : broken) {
        QByteArray bytes = bottomUp;
        if (b.at < 0) {
            bytes.truncate(static_cast<int>(b.value));
        } else if (b.at == 0) {
            bytes[0] = 'X';
        } else {
            putLittleEndian(bytes, b.at, b.value);
        }
        EXPECT_TRUE(read(bytes).isNull()) << b.what;
    }
}

TEST(ProgramIcon, IsEmbeddedAndShownOnEveryWindowAndMessageBox) {
    // The icon's picture is 48 pixels square with see-through corners; every
    // window of the program, and its message boxes, carry it.
    const QImage icon(QStringLiteral(":/assets/icons/arcadeon-48.png"));
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.size(), QSize(48, 48));
    EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(icon.pixel(24, 24)), 255);

    arcadeon::Program program;
    arcadeon::desktop::Desktop desktop(program.app);
    desktop.start(program.frmMenu);
    QList<QSize> boxSizes;
    arcadeon::desktop::testing::pressOkOnNextBox([&](arcadeon::desktop::MessageBox& box) { boxSizes = box.windowIcon().availableSizes(); });
    QTest::mouseClick(desktop.window(program.frmMenu), Qt::LeftButton, Qt::NoModifier, QPoint(328, 120));  // the Invaders name
    const QList<QSize> expected{QSize(48, 48)};
    EXPECT_EQ(boxSizes, expected) << "the welcome box";
    for (const arcadeon::Form* form : program.app.loadOrder()) {
        EXPECT_EQ(desktop.window(*form)->windowIcon().availableSizes(), expected) << form->name();
    }
}

}  // namespace
