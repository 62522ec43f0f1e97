#include "resources/art/image_resources.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

std::uint32_t BigEndian32(const unsigned char* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
           std::uint32_t{p[3]};
}

std::uint32_t Crc32(const unsigned char* data, std::size_t size) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

struct Chunk {
    std::string type;
    const unsigned char* data;
    std::uint32_t length;
};

// Splits the PNG into its chunks, checking signature, CRCs and that IEND ends
// the data exactly; a fault is reported and yields no chunks.
std::vector<Chunk> ReadChunks(const ImageResource& image) {
    static const unsigned char signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<Chunk> chunks;
    if (image.size < sizeof signature || !std::equal(signature, signature + 8, image.png)) {
        ADD_FAILURE() << "resource " << image.id << " lacks the PNG signature";
        return {};
    }
    std::size_t at = sizeof signature;
    while (at + 12 <= image.size) {
        const std::uint32_t length = BigEndian32(image.png + at);
        if (length > image.size - at - 12) {
            break;
        }
        const unsigned char* type = image.png + at + 4;
        if (Crc32(type, length + 4) != BigEndian32(type + 4 + length)) {
            ADD_FAILURE() << "resource " << image.id << ": bad CRC";
            return {};
        }
        chunks.push_back({std::string(type, type + 4), type + 4, length});
        at += length + 12;
        if (chunks.back().type == "IEND") {
            EXPECT_EQ(at, image.size) << "resource " << image.id << ": bytes after IEND";
            return chunks;
        }
    }
    ADD_FAILURE() << "resource " << image.id << " is truncated";
    return {};
}

struct Header {
    std::uint32_t width, height;
    int bitDepth, colorType;
};

Header ReadHeader(const std::vector<Chunk>& chunks) {
    if (chunks.empty() || chunks[0].type != "IHDR" || chunks[0].length != 13) {
        ADD_FAILURE() << "IHDR is not the first chunk";
        return {};
    }
    const unsigned char* d = chunks[0].data;
    return {BigEndian32(d), BigEndian32(d + 4), d[8], d[9]};
}

// An image as the framework finds it once the program has registered its own.
const ImageResource* RegisteredImage(int id) {
    kvn::RegisterImages(ImageResources());
    return kvn::FindImage(id);
}

bool HasChunk(const std::vector<Chunk>& chunks, const std::string& type) {
    return std::any_of(chunks.begin(), chunks.end(),
                       [&](const Chunk& chunk) { return chunk.type == type; });
}

TEST(ImageResources, IconIs32By32With16PalettedColoursAndTransparency) {
    const ImageResource* icon = RegisteredImage(128);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->id, 128);
    const std::vector<Chunk> chunks = ReadChunks(*icon);
    const Header header = ReadHeader(chunks);
    EXPECT_EQ(header.width, 32u);
    EXPECT_EQ(header.height, 32u);
    EXPECT_EQ(header.colorType, 3); // palette
    EXPECT_EQ(header.bitDepth, 4);  // 16 colours
    auto palette = std::find_if(chunks.begin(), chunks.end(),
                                [](const Chunk& chunk) { return chunk.type == "PLTE"; });
    ASSERT_NE(palette, chunks.end());
    EXPECT_LE(palette->length, 16u * 3u);
    EXPECT_TRUE(HasChunk(chunks, "tRNS")) << "the icon needs a transparent background";
}

TEST(ImageResources, PictureIs100By159InTrueColour) {
    const ImageResource* picture = RegisteredImage(136);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->id, 136);
    const std::vector<Chunk> chunks = ReadChunks(*picture);
    const Header header = ReadHeader(chunks);
    EXPECT_EQ(header.width, 100u);
    EXPECT_EQ(header.height, 159u);
    EXPECT_EQ(header.colorType, 2); // RGB, no alpha
    EXPECT_EQ(header.bitDepth, 8);  // 24 bits per pixel
    EXPECT_TRUE(HasChunk(chunks, "IDAT"));
}

TEST(ImageResources, UnknownIdsAreNotFound) {
    for (int id : {0, -1, 100, 102, 127, 129, 135, 137}) {
        EXPECT_EQ(RegisteredImage(id), nullptr) << id;
    }
}

} // namespace
