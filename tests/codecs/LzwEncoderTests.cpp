#include "codecs/LzwEncoder.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <tiffio.h>
#include <vector>

using namespace orv;

namespace {

// Stores the encoded bytes as the one strip of a one-row grey TIFF and reads
// the strip back through libtiff's decoder.
std::vector<uint8_t> decodedByLibtiff(const std::vector<uint8_t>& encoded, size_t size, const std::string& file)
{
    TIFF* out = TIFFOpen(file.c_str(), "w");
    if (!out)
        return {};
    TIFFSetField(out, TIFFTAG_IMAGEWIDTH, static_cast<uint32_t>(size));
    TIFFSetField(out, TIFFTAG_IMAGELENGTH, 1u);
    TIFFSetField(out, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(out, TIFFTAG_SAMPLESPERPIXEL, 1);
    TIFFSetField(out, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK);
    TIFFSetField(out, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
    TIFFSetField(out, TIFFTAG_ROWSPERSTRIP, 1u);
    TIFFWriteRawStrip(out, 0, const_cast<uint8_t*>(encoded.data()), static_cast<tmsize_t>(encoded.size()));
    TIFFClose(out);

    TIFF* in = TIFFOpen(file.c_str(), "r");
    if (!in)
        return {};
    std::vector<uint8_t> decoded(size);
    const tmsize_t got = TIFFReadEncodedStrip(in, 0, decoded.data(), static_cast<tmsize_t>(size));
    TIFFClose(in);
    decoded.resize(got < 0 ? 0 : static_cast<size_t>(got));
    return decoded;
}

} // namespace

// Runs long enough to fill the table many times, random bytes that fill it
// fast, page-like rows, and lengths around the code-width changes, each
// decoded by libtiff to exactly the input; one encoder serves them all, so
// what a strip leaves in its table must not leak into the next.
TEST(LzwEncoder, LibtiffDecodesEveryStripToItsBytes)
{
    QTemporaryDir dir;
    const std::string file = dir.filePath("strip.tif").toStdString();
    std::mt19937 random(42);
    std::vector<std::vector<uint8_t>> inputs;
    inputs.push_back({7});
    inputs.push_back(std::vector<uint8_t>(1 << 20, 0xFF));
    std::vector<uint8_t> noise(200000);
    for (uint8_t& byte : noise)
        byte = static_cast<uint8_t>(random());
    inputs.push_back(noise);
    std::vector<uint8_t> page;
    for (int row = 0; row < 300; ++row)
        for (int x = 0; x < 2448; ++x)
            page.push_back((x / 3 + row) % 97 < 5 && row % 13 < 9 ? static_cast<uint8_t>(row * 7 + x % 3) : 0xFF);
    inputs.push_back(page);
    std::vector<uint8_t> runs;
    while (runs.size() < 300000)
        runs.insert(runs.end(), 1 + random() % 300, static_cast<uint8_t>(random() % 3 == 0 ? random() : 0xFF));
    inputs.push_back(runs);
    for (size_t length : {253u, 254u, 255u, 256u, 510u, 511u, 1021u, 1022u, 1023u, 4000u, 4094u, 4095u, 4096u}) {
        std::vector<uint8_t> distinct(length);
        for (size_t i = 0; i < length; ++i)
            distinct[i] = static_cast<uint8_t>(random() % 4);
        inputs.push_back(distinct);
    }

    TLzwEncoder encoder;
    std::vector<uint8_t> encoded;
    for (const std::vector<uint8_t>& input : inputs) {
        encoder.encode(input.data(), input.size(), encoded);
        EXPECT_EQ(decodedByLibtiff(encoded, input.size(), file), input) << "length " << input.size();
    }
    // Runs and pages shrink a lot.
    encoder.encode(inputs[1].data(), inputs[1].size(), encoded);
    EXPECT_LT(encoded.size(), inputs[1].size() / 100);
}
