#include "TraceTestSupport.h"

#include <algorithm>
#include <cmath>

InkImage InkImage::FromRows(const std::vector<std::string>& rows)
{
    InkImage image(rows.empty() ? 0 : static_cast<int>(rows[0].size()),
                   static_cast<int>(rows.size()));
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            image.Set(x, y, rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == '#');
        }
    }
    return image;
}

int MaskPitch(int width)
{
    return ((width + 31) / 32) * 4;
}

std::vector<std::uint8_t> PackImage(const InkImage& image, int rowPitch, int inkBit, int padding)
{
    std::vector<std::uint8_t> bits(static_cast<std::size_t>(rowPitch) * image.height,
                                   padding != 0 ? 0xFF : 0x00);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const bool bit = image.At(x, y) == (inkBit == 1);
            std::uint8_t& byte = bits[static_cast<std::size_t>(y) * rowPitch + x / 8];
            const auto mask = static_cast<std::uint8_t>(0x80 >> (x % 8));
            byte = static_cast<std::uint8_t>(bit ? (byte | mask) : (byte & ~mask));
        }
    }
    return bits;
}

std::vector<Contour> TraceImage(const InkImage& image, double tolerance, double sizeDivisor)
{
    const int pitch = MaskPitch(image.width);
    const std::vector<std::uint8_t> bits = PackImage(image, pitch);
    COutlineTracer tracer;
    const bool ok = tracer.TraceBitmap(
        MakeMonoBitmap(image.width, image.height, pitch, bits.data()), tolerance, sizeDivisor);
    std::vector<Contour> contours;
    if (!ok) {
        return contours;
    }
    const COutline& outline = tracer.GetResult();
    for (int i = 0; i < outline.GetCount(); ++i) {
        Contour c;
        for (const StrokePoint& p : outline.At(i)) {
            c.emplace_back(p.x, p.y);
        }
        contours.push_back(std::move(c));
    }
    return contours;
}

// Scan filler: for each row of pixel centres, every edge that crosses the
// scan line adds +1 (going down) or -1 (going up) to every centre left of the
// crossing. Contours are closed implicitly from the last vertex to the first.
std::vector<int> WindingNumbers(const std::vector<Contour>& contours, int width, int height)
{
    std::vector<int> winding(static_cast<std::size_t>(width) * height, 0);
    std::vector<std::pair<double, int>> crossings;
    for (int y = 0; y < height; ++y) {
        const double sy = y + 0.5;
        crossings.clear();
        for (const Contour& c : contours) {
            for (std::size_t i = 0; i < c.size(); ++i) {
                const Vertex& a = c[i];
                const Vertex& b = c[(i + 1) % c.size()];
                const bool down = a.second < sy && b.second > sy;
                const bool up = b.second < sy && a.second > sy;
                if (!down && !up) {
                    continue;
                }
                const double t = (sy - a.second) / (b.second - a.second);
                const double x = a.first + t * (b.first - a.first);
                crossings.emplace_back(x, down ? 1 : -1);
            }
        }
        std::sort(crossings.begin(), crossings.end());
        // Sum from the right: a centre's winding is the sum of crossings
        // to its right.
        int sum = 0;
        std::size_t k = crossings.size();
        for (int x = width - 1; x >= 0; --x) {
            const double sx = x + 0.5;
            while (k > 0 && crossings[k - 1].first > sx) {
                sum += crossings[k - 1].second;
                --k;
            }
            winding[static_cast<std::size_t>(y) * width + x] = sum;
        }
    }
    return winding;
}

double SignedArea(const Contour& contour)
{
    double twice = 0.0;
    for (std::size_t i = 0; i < contour.size(); ++i) {
        const Vertex& a = contour[i];
        const Vertex& b = contour[(i + 1) % contour.size()];
        twice += static_cast<double>(a.first) * b.second - static_cast<double>(b.first) * a.second;
    }
    // With y down, the shoelace sum is negative for a contour that runs
    // anticlockwise on screen.
    return -twice / 2.0;
}
