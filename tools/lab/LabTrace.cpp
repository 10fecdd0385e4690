#include "LabTrace.h"

#include "LabCommand.h"
#include "PbmImage.h"
#include "tracing/OutlineTracer.h"

#include <fstream>
#include <ostream>
#include <sstream>

namespace {
constexpr double kTolerance = 1.4143;
constexpr double kSizeDivisor = -4.0;  // minimum contour length 1.0

void WriteContours(std::ostream& out, const COutline& outline)
{
    std::string line = "{\"contours\":[";
    for (int i = 0; i < outline.GetCount(); ++i) {
        line += i == 0 ? "[" : ",[";
        bool first = true;
        for (const StrokePoint& p : outline.At(i)) {
            line += first ? "[" : ",[";
            line += std::to_string(p.x);
            line += ',';
            line += std::to_string(p.y);
            line += ']';
            first = false;
        }
        line += ']';
    }
    line += "]}\n";
    out << line;
    out.flush();
}

const LabRegistration kRegistration{LabCommand{
    "trace", "trace FILE",
    "traces a PBM image (P1 or P4, 1 = ink) into outline contours", RunLabTrace}};
}  // namespace

int RunLabTrace(const std::vector<std::string>& args, std::istream& /*in*/, std::ostream& out,
                std::ostream& err)
{
    if (args.size() != 1) {
        err << "kolvane-lab trace: expected one PBM file (usage: trace FILE)\n";
        return 1;
    }
    const std::string& path = args[0];
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        err << "kolvane-lab trace: " << path << ": cannot open the file\n";
        return 1;
    }
    std::ostringstream content;
    content << file.rdbuf();
    if (file.bad()) {
        err << "kolvane-lab trace: " << path << ": read error\n";
        return 1;
    }
    PbmImage image;
    std::string why;
    if (!ParsePbm(content.str(), image, why)) {
        err << "kolvane-lab trace: " << path << ": " << why << "\n";
        return 1;
    }
    COutlineTracer tracer(COutlineTracer::kInkBitOne);
    const MonoBitmap bitmap =
        MakeMonoBitmap(image.width, image.height, image.rowPitch, image.bits.data());
    if (!tracer.TraceBitmap(bitmap, kTolerance, kSizeDivisor)) {
        err << "kolvane-lab trace: " << path << ": the image could not be traced\n";
        return 1;
    }
    WriteContours(out, tracer.GetResult());
    return 0;
}
