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
#include "shell/program.h"

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

TEST(ProgramIcon, IsEmbeddedAtItsSizesAndShownOnEveryWindowAndMessageBox) {
    // The icon's pictures are square with see-through corners; every window
    // of the program, and its message boxes, carry it at both sizes.
    for (const int size : {48, 256}) {
        const QImage icon(QStringLiteral(":/assets/icons/arcadeon-%1.png").arg(size));
        ASSERT_FALSE(icon.isNull()) << size;
        EXPECT_EQ(icon.size(), QSize(size, size));
        EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << size;
        EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 2)), 255) << size;
    }

    arcadeon::Program program;
    arcadeon::desktop::Desktop desktop(program.app);
    desktop.start(program.frmMenu);
    QList<QSize> boxSizes;
    arcadeon::desktop::testing::pressOkOnNextBox([&](QMessageBox& box) { boxSizes = box.windowIcon().availableSizes(); });
    QTest::mouseClick(desktop.window(program.frmMenu), Qt::LeftButton, Qt::NoModifier, QPoint(328, 120));  // the Invaders name
    const QList<QSize> expected{QSize(48, 48), QSize(256, 256)};
    EXPECT_EQ(boxSizes, expected) << "the welcome box";
    for (const arcadeon::Form* form : program.app.loadOrder()) {
        EXPECT_EQ(desktop.window(*form)->windowIcon().availableSizes(), expected) << form->name();
    }
}

}  // namespace
