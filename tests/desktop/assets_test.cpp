// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures the program ships keep the formats the windows were made for,
// and its icon is on every window.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QTest>
#include <cstdint>

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

TEST(MenuPictures, AreUncompressedBmpsOfTheirExactDepthAndSize) {
    // Each header says BMP, no compression, the bits per pixel and the pixel
    // size of the picture it stands for; the embedded copy is the one drawn.
    struct Picture {
        const char* file;
        std::uint32_t bits, width, height;
    };
    const Picture pictures[] = {
        {"menu-froggy.bmp", 32, 340, 340},
        {"menu-ping.bmp", 24, 655, 476},
        {"menu-invaders.bmp", 24, 785, 468},
    };
    for (const Picture& picture : pictures) {
        SCOPED_TRACE(picture.file);
        QFile file(QStringLiteral(":/assets/") + picture.file);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        ASSERT_GE(bytes.size(), 54);
        EXPECT_EQ(bytes.left(2), QByteArray("BM"));
        EXPECT_EQ(littleEndian(bytes, 18, 4), picture.width);
        EXPECT_EQ(littleEndian(bytes, 22, 4), picture.height);  // positive: rows bottom-up
        EXPECT_EQ(littleEndian(bytes, 28, 2), picture.bits);
        EXPECT_EQ(littleEndian(bytes, 30, 4), 0u);  // BI_RGB, uncompressed
        const std::uint32_t stride = (picture.width * picture.bits / 8 + 3) & ~3u;
        EXPECT_EQ(static_cast<std::uint32_t>(bytes.size()), littleEndian(bytes, 10, 4) + stride * picture.height);

        // The fourth byte of a 32-bit pixel means nothing: the picture reads opaque.
        const QImage image = QImage::fromData(bytes);
        ASSERT_FALSE(image.isNull());
        EXPECT_FALSE(image.hasAlphaChannel());
        EXPECT_EQ(image.size(), QSize(static_cast<int>(picture.width), static_cast<int>(picture.height)));
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

TEST(BmpReader, ReadsEveryShippedBmpAsQtDoesAndRefusesWhatItCannotRead) {
    // The fast reader gives exactly Qt's picture for each shipped file, top-down
    // rows too; a file it cannot read (cut short, other depths, compressed,
    // absurd sizes) gives a null image and never reads past the end.
    for (const char* file : {"menu-froggy.bmp", "menu-ping.bmp", "menu-invaders.bmp", "froggy-background.bmp",
                             "froggy-car-green.bmp", "froggy-truck-red.bmp"}) {
        SCOPED_TRACE(file);
        const QByteArray bytes = resourceBytes(file);
        ASSERT_FALSE(bytes.isEmpty());
        const QImage expected = QImage::fromData(bytes).convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(read(bytes), expected);
    }

    // The same picture stored top-down: negative height, rows in reading order.
    const QByteArray bottomUp = resourceBytes("froggy-truck-red.bmp");
    const std::uint32_t offset = littleEndian(bottomUp, 10, 4);
    const auto height = static_cast<int>(littleEndian(bottomUp, 22, 4));
    const int stride = static_cast<int>((bottomUp.size() - offset) / height);
    QByteArray topDown = bottomUp.left(static_cast<int>(offset));
    putLittleEndian(topDown, 22, static_cast<std::uint32_t>(-height));
    for (int row = height - 1; row >= 0; --row) topDown += bottomUp.mid(static_cast<int>(offset) + row * stride, stride);
    EXPECT_EQ(read(topDown), read(bottomUp));

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
