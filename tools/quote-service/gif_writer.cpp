#include "gif_writer.h"

#include <algorithm>

namespace {

constexpr int kMaxCodeBits = 12;
constexpr int kTableSize = 1 << kMaxCodeBits;

void PutWord(std::string& out, int value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

// Packs variable-width codes least significant bit first and cuts them into data sub-blocks.
class CodePacker {
public:
    void Put(int code, int width) {
        bits_ |= static_cast<std::uint32_t>(code) << bit_count_;
        bit_count_ += width;
        while (bit_count_ >= 8) {
            bytes_.push_back(static_cast<char>(bits_ & 0xFF));
            bits_ >>= 8;
            bit_count_ -= 8;
        }
    }

    void FinishInto(std::string& out) {
        if (bit_count_ > 0) bytes_.push_back(static_cast<char>(bits_ & 0xFF));
        for (std::size_t at = 0; at < bytes_.size(); at += 255) {
            const std::size_t length = std::min<std::size_t>(255, bytes_.size() - at);
            out.push_back(static_cast<char>(length));
            out.append(bytes_, at, length);
        }
        out.push_back('\0');
    }

private:
    std::uint32_t bits_ = 0;
    int bit_count_ = 0;
    std::string bytes_;
};

// The code table as child links: (prefix code, next index) -> code, 0 meaning none yet.
void CompressPixels(const IndexedImage& image, int min_code_bits, std::string& out) {
    const int clear_code = 1 << min_code_bits;
    const int end_code = clear_code + 1;
    const int alphabet = clear_code;
    std::vector<std::uint16_t> children(static_cast<std::size_t>(kTableSize) * alphabet);
    int next_code = end_code + 1;
    int width = min_code_bits + 1;
    CodePacker packer;
    packer.Put(clear_code, width);

    int prefix = image.pixels.front();
    for (std::size_t i = 1; i < image.pixels.size(); ++i) {
        const int index = image.pixels[i];
        std::uint16_t& child = children[static_cast<std::size_t>(prefix) * alphabet + index];
        if (child != 0) {
            prefix = child;
            continue;
        }
        packer.Put(prefix, width);
        if (next_code == kTableSize) {
            packer.Put(clear_code, width);
            std::fill(children.begin(), children.end(), 0);
            next_code = end_code + 1;
            width = min_code_bits + 1;
        } else {
            child = static_cast<std::uint16_t>(next_code++);
            // A decoder learns each code one step later, so it widens one code later too.
            if (next_code > (1 << width) && width < kMaxCodeBits) ++width;
        }
        prefix = index;
    }
    packer.Put(prefix, width);
    packer.Put(end_code, width);
    packer.FinishInto(out);
}

bool IsConsistent(const IndexedImage& image) {
    if (image.width < 1 || image.width > 0xFFFF || image.height < 1 || image.height > 0xFFFF)
        return false;
    if (image.palette.empty() || image.palette.size() > 256) return false;
    if (image.pixels.size() != static_cast<std::size_t>(image.width) * image.height) return false;
    return std::all_of(image.pixels.begin(), image.pixels.end(),
                       [&](std::uint8_t index) { return index < image.palette.size(); });
}

}  // namespace

std::string EncodeGif(const IndexedImage& image) {
    if (!IsConsistent(image)) return {};
    int table_bits = 1;
    while ((1u << table_bits) < image.palette.size()) ++table_bits;

    std::string out = "GIF89a";
    PutWord(out, image.width);
    PutWord(out, image.height);
    out.push_back(static_cast<char>(0x80 | ((table_bits - 1) << 4) | (table_bits - 1)));
    out.push_back('\0');  // background colour index
    out.push_back('\0');  // square pixels
    for (int i = 0; i < (1 << table_bits); ++i) {
        const Rgb colour = i < static_cast<int>(image.palette.size()) ? image.palette[i] : Rgb{};
        out.push_back(static_cast<char>(colour.red));
        out.push_back(static_cast<char>(colour.green));
        out.push_back(static_cast<char>(colour.blue));
    }

    out.push_back(',');
    PutWord(out, 0);
    PutWord(out, 0);
    PutWord(out, image.width);
    PutWord(out, image.height);
    out.push_back('\0');  // no local colour table, not interlaced

    const int min_code_bits = std::max(2, table_bits);
    out.push_back(static_cast<char>(min_code_bits));
    CompressPixels(image, min_code_bits, out);
    out.push_back(';');
    return out;
}
