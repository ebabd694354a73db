#include "gif_writer.h"
#include "chart_drawing.h"

#include <gtest/gtest.h>
#include <QByteArray>
#include <QImage>

#include <random>

namespace {

QImage Decode(const std::string& bytes) {
    return QImage::fromData(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())), "GIF");
}

IndexedImage MakeImage(int width, int height, int colours, bool noisy) {
    IndexedImage image;
    image.width = width;
    image.height = height;
    for (int i = 0; i < colours; ++i)
        image.palette.push_back({static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                                 static_cast<std::uint8_t>((i * 37) % 256)});
    std::mt19937 random(static_cast<unsigned>(width * 1000 + colours));
    for (int i = 0; i < width * height; ++i) {
        // Long runs grow the codes to their widest; noise fills the table and forces a reset.
        const int index = noisy ? static_cast<int>(random() % colours) : (i / 97) % colours;
        image.pixels.push_back(static_cast<std::uint8_t>(index));
    }
    return image;
}

void ExpectSamePixels(const IndexedImage& image, const QImage& decoded) {
    ASSERT_FALSE(decoded.isNull());
    ASSERT_EQ(decoded.width(), image.width);
    ASSERT_EQ(decoded.height(), image.height);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const Rgb& want = image.palette[image.pixels[static_cast<std::size_t>(y) * image.width + x]];
            const QRgb got = decoded.pixel(x, y);
            ASSERT_EQ(qRed(got), want.red) << x << "," << y;
            ASSERT_EQ(qGreen(got), want.green) << x << "," << y;
            ASSERT_EQ(qBlue(got), want.blue) << x << "," << y;
        }
    }
}

}  // namespace

TEST(GifWriter, QtDecodesEveryPixelBack) {
    struct Case {
        int width, height, colours;
        bool noisy;
    };
    const Case cases[] = {
        {1, 1, 1, false},      {3, 2, 2, true},      {17, 5, 3, true},    {64, 64, 16, true},
        {300, 200, 256, true}, {500, 400, 4, false}, {400, 300, 5, true}, {192, 96, 256, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " colours " << c.colours);
        const IndexedImage image = MakeImage(c.width, c.height, c.colours, c.noisy);
        const std::string bytes = EncodeGif(image);
        ASSERT_EQ(bytes.substr(0, 6), "GIF89a");
        ASSERT_EQ(bytes.back(), ';');
        ExpectSamePixels(image, Decode(bytes));
    }
}

TEST(GifWriter, RefusesAnInconsistentPicture) {
    IndexedImage image = MakeImage(4, 4, 2, false);
    image.pixels[5] = 2;  // no such colour
    EXPECT_TRUE(EncodeGif(image).empty());
    image = MakeImage(4, 4, 2, false);
    image.pixels.pop_back();
    EXPECT_TRUE(EncodeGif(image).empty());
    image = MakeImage(4, 4, 2, false);
    image.palette.clear();
    EXPECT_TRUE(EncodeGif(image).empty());
}

TEST(ChartDrawing, RisingLineIsGreenOverTheGridAndFallingRed) {
    const QImage rising = Decode(EncodeGif(DrawPriceChart({10, 11, 12, 11.5, 13})));
    const QImage falling = Decode(EncodeGif(DrawPriceChart({13, 12, 12.5, 10})));
    ASSERT_EQ(rising.size(), QSize(kChartWidth, kChartHeight));
    const auto count = [](const QImage& image, auto test) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) n += test(image.pixel(x, y)) ? 1 : 0;
        return n;
    };
    const auto green = [](QRgb p) { return qGreen(p) > 200 && qRed(p) < 100; };
    const auto red = [](QRgb p) { return qRed(p) > 200 && qGreen(p) < 100; };
    EXPECT_GT(count(rising, green), kChartWidth / 2);
    EXPECT_EQ(count(rising, red), 0);
    EXPECT_GT(count(falling, red), kChartWidth / 2);
    EXPECT_EQ(count(falling, green), 0);
    // Mostly dark background.
    EXPECT_GT(count(rising, [](QRgb p) { return qGray(p) < 40; }), kChartWidth * kChartHeight / 2);
}
