#include "codecs/GifCodec.h"

#include <QFile>
#include <QTemporaryDir>

#include <gif_lib.h>

#include <gtest/gtest.h>

#include <vector>

using namespace orv;

namespace {

const QRgb kColours[4] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 0)};

class GifCodecTest : public ::testing::Test {
protected:
    // A GIF whose rows y take colour y % 4, its single frame `w` x `h` on a
    // canvas of the same size, interlaced or not.
    QByteArray stripedGif(int w, int h, bool interlaced)
    {
        const QString file = dir.filePath("striped.gif");
        int error = 0;
        GifFileType* gif = EGifOpenFileName(QFile::encodeName(file).constData(), false, &error);
        EXPECT_NE(gif, nullptr);
        GifColorType colours[4];
        for (int i = 0; i < 4; ++i)
            colours[i] = {GifByteType(qRed(kColours[i])), GifByteType(qGreen(kColours[i])), GifByteType(qBlue(kColours[i]))};
        ColorMapObject* map = GifMakeMapObject(4, colours);
        EGifPutScreenDesc(gif, w, h, 2, 0, map);
        EGifPutImageDesc(gif, 0, 0, w, h, interlaced, nullptr);
        std::vector<int> order;
        if (interlaced) {
            for (auto [start, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}})
                for (int y = start; y < h; y += step)
                    order.push_back(y);
        } else {
            for (int y = 0; y < h; ++y)
                order.push_back(y);
        }
        std::vector<GifPixelType> row(static_cast<size_t>(w));
        for (int y : order) {
            std::fill(row.begin(), row.end(), GifPixelType(y % 4));
            EGifPutLine(gif, row.data(), w);
        }
        GifFreeMapObject(map);
        EXPECT_EQ(EGifCloseFile(gif, &error), GIF_OK);
        QFile read(file);
        EXPECT_TRUE(read.open(QIODevice::ReadOnly));
        return read.readAll();
    }

    QImage decode(const QByteArray& bytes)
    {
        const QString file = dir.filePath("decoded.gif");
        QFile out(file);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        out.close();
        return decodeGifFile(file);
    }

    // An image descriptor of a frame `w` x `h` at 0, 0 without a colour
    // table, and the start of its pixel data, which then breaks off.
    static QByteArray frameThatBreaksOff(int w, int h)
    {
        QByteArray frame("\x2C\0\0\0\0", 5);
        frame.append(char(w & 0xFF)).append(char(w >> 8)).append(char(h & 0xFF)).append(char(h >> 8));
        frame.append('\0');             // no local table, not interlaced
        frame.append("\x02\x02\x4C\x01", 4); // code size 2, a sub-block of two bytes, then nothing
        return frame;
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(GifCodecTest, InterlacedRowsLandInTheirPlaces)
{
    for (bool interlaced : {false, true}) {
        const QImage image = decode(stripedGif(3, 21, interlaced));
        ASSERT_EQ(image.size(), QSize(3, 21)) << interlaced;
        for (int y = 0; y < 21; ++y)
            EXPECT_EQ(image.pixel(1, y), kColours[y % 4]) << "row " << y << (interlaced ? " interlaced" : "");
    }
}

TEST_F(GifCodecTest, OnlyTheFirstFrameIsRead)
{
    // A broken second frame, declared far beyond any picture limit, does not
    // matter: it is never decoded.
    QByteArray gif = stripedGif(4, 4, false);
    ASSERT_EQ(gif.back(), '\x3B');
    gif.chop(1);
    gif += frameThatBreaksOff(46000, 46000);
    const QImage image = decode(gif);
    ASSERT_EQ(image.size(), QSize(4, 4));
    EXPECT_EQ(image.pixel(0, 3), kColours[3]);
}

TEST_F(GifCodecTest, AFrameBeyondThePictureLimitsIsRefusedBeforeDecoding)
{
    // A one-pixel canvas whose first frame declares 46000 x 46000 pixels.
    QByteArray gif("GIF89a\x01\0\x01\0\x80\0\0", 13);
    gif.append("\xFF\0\0\0\0\0", 6); // two colours
    gif += frameThatBreaksOff(46000, 46000);
    gif.append('\x3B');
    EXPECT_TRUE(decode(gif).isNull());

    // A frame within the limits that reaches below a small canvas is read
    // only as far as the canvas goes.
    QByteArray tall = stripedGif(2, 1000, false);
    tall[8] = 2; // the canvas is two rows high
    tall[9] = 0;
    const QImage cut = decode(tall);
    ASSERT_EQ(cut.size(), QSize(2, 2));
    EXPECT_EQ(cut.pixel(0, 1), kColours[1]);
}
