#include "PbmImage.h"

#include <cctype>
#include <cstddef>

namespace {
// Far above any canvas; keeps the bit buffer's size well inside memory.
constexpr long long kMaxSide = 1 << 20;
constexpr long long kMaxPixels = 1LL << 30;

class PbmCursor {
public:
    explicit PbmCursor(const std::string& data) : m_data(data) {}

    bool AtEnd() const { return m_pos >= m_data.size(); }
    char Peek() const { return m_data[m_pos]; }
    std::size_t Position() const { return m_pos; }
    void Advance(std::size_t n = 1) { m_pos += n; }
    std::size_t Remaining() const { return m_data.size() - m_pos; }

    // Skips whitespace and, when allowed, comments from '#' to the line end.
    void SkipSpace(bool comments)
    {
        while (!AtEnd()) {
            const char c = Peek();
            if (comments && c == '#') {
                while (!AtEnd() && Peek() != '\n' && Peek() != '\r') {
                    Advance();
                }
            } else if (std::isspace(static_cast<unsigned char>(c)) != 0) {
                Advance();
            } else {
                return;
            }
        }
    }

    // Reads a decimal number of the header; false when there is none or it
    // exceeds `limit`.
    bool ReadNumber(long long limit, long long& value)
    {
        SkipSpace(true);
        value = 0;
        std::size_t digits = 0;
        while (!AtEnd() && std::isdigit(static_cast<unsigned char>(Peek())) != 0) {
            value = value * 10 + (Peek() - '0');
            if (value > limit) {
                return false;
            }
            Advance();
            ++digits;
        }
        return digits > 0;
    }

private:
    const std::string& m_data;
    std::size_t m_pos = 0;
};

bool ReadPlainPixels(PbmCursor& cursor, PbmImage& image, std::string& error)
{
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            cursor.SkipSpace(false);
            if (cursor.AtEnd()) {
                error = "pixel data ends early";
                return false;
            }
            const char c = cursor.Peek();
            if (c != '0' && c != '1') {
                error = "unexpected character in pixel data at byte " +
                        std::to_string(cursor.Position());
                return false;
            }
            if (c == '1') {
                image.bits[static_cast<std::size_t>(y) * image.rowPitch + x / 8] |=
                    static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
            cursor.Advance();
        }
    }
    return true;
}

bool ReadRawPixels(PbmCursor& cursor, const std::string& data, PbmImage& image,
                   std::string& error)
{
    // Exactly one whitespace character separates the header from the bits.
    if (cursor.AtEnd() || std::isspace(static_cast<unsigned char>(cursor.Peek())) == 0) {
        error = "missing whitespace after the header";
        return false;
    }
    cursor.Advance();
    if (cursor.Remaining() < image.bits.size()) {
        error = "pixel data ends early";
        return false;
    }
    image.bits.assign(data.begin() + static_cast<std::ptrdiff_t>(cursor.Position()),
                      data.begin() + static_cast<std::ptrdiff_t>(cursor.Position() +
                                                                 image.bits.size()));
    return true;
}
}  // namespace

bool ParsePbm(const std::string& data, PbmImage& image, std::string& error)
{
    image = PbmImage{};
    if (data.size() < 2 || data[0] != 'P' || (data[1] != '1' && data[1] != '4')) {
        error = "not a PBM file (expected P1 or P4)";
        return false;
    }
    const bool raw = data[1] == '4';
    PbmCursor cursor(data);
    cursor.Advance(2);
    if (!cursor.AtEnd() && std::isspace(static_cast<unsigned char>(cursor.Peek())) == 0 &&
        cursor.Peek() != '#') {
        error = "not a PBM file (expected P1 or P4)";
        return false;
    }
    long long width = 0;
    long long height = 0;
    if (!cursor.ReadNumber(kMaxSide, width) || !cursor.ReadNumber(kMaxSide, height)) {
        error = "missing or oversized width or height";
        return false;
    }
    if (width <= 0 || height <= 0) {
        error = "width and height must be positive";
        return false;
    }
    if (width * height > kMaxPixels) {
        error = "image too large";
        return false;
    }
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.rowPitch = static_cast<int>((width + 7) / 8);
    image.bits.assign(static_cast<std::size_t>(image.rowPitch) * image.height, 0);
    return raw ? ReadRawPixels(cursor, data, image, error)
               : ReadPlainPixels(cursor, image, error);
}
