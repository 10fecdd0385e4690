#include "LabCommand.h"
#include "LabTrace.h"
#include "PbmImage.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

std::string WriteTemp(const std::string& name, const std::string& content)
{
    const std::string path = testing::TempDir() + "kolvane_lab_trace_" + name;
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

struct LabResult {
    int status = 0;
    std::string out;
    std::string err;
};

LabResult Trace(const std::string& path)
{
    std::istringstream in;
    std::ostringstream out, err;
    const int status = RunLabTrace({path}, in, out, err);
    return {status, out.str(), err.str()};
}

// A ring: a 4x4 block with a one-pixel hole, in a 6x6 image.
const char* const kRingPlain =
    "P1\n# ring\n6 6\n"
    "0 0 0 0 0 0\n"
    "0 1 1 1 1 0\n"
    "0 1 0 1 1 0\n"
    "0 1 1 1 1 0\n"
    "0 1 1 1 1 0\n"
    "000000\n";

}  // namespace

TEST(LabTrace, PrintsTheContoursOfAPlainPbm)
{
    const LabResult r = Trace(WriteTemp("pixel.pbm", "P1 3 2\n1 0 0\n0 0 0\n"));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "{\"contours\":[[[1,1],[1,0],[0,0],[0,1],[1,1]]]}\n");
    EXPECT_TRUE(r.err.empty());
}

TEST(LabTrace, RawAndPlainFilesOfOneImageGiveTheSameContours)
{
    // Rows of the ring, one byte each, most significant bit first; the low
    // padding bits are set to show they are ignored.
    std::string raw = "P4\n6 6\n";
    for (unsigned char row : {0x00, 0x78, 0x58, 0x78, 0x78, 0x00}) {
        raw += static_cast<char>(row | 0x03);
    }
    const LabResult plain = Trace(WriteTemp("ring1.pbm", kRingPlain));
    const LabResult packed = Trace(WriteTemp("ring4.pbm", raw));
    ASSERT_EQ(plain.status, 0) << plain.err;
    ASSERT_EQ(packed.status, 0) << packed.err;
    EXPECT_EQ(plain.out, packed.out);
    // Outer boundary and hole.
    EXPECT_NE(plain.out.find("[[5,5],[5,1],[1,1],[1,5],[5,5]]"), std::string::npos) << plain.out;
    EXPECT_NE(plain.out.find("[2,2]"), std::string::npos) << plain.out;
}

TEST(LabTrace, MalformedFilesFailWithAReason)
{
    const std::vector<std::pair<std::string, std::string>> bad{
        {"magic.pbm", "P2\n1 1\n1\n"},
        {"empty.pbm", ""},
        {"size.pbm", "P1\n0 4\n"},
        {"noheight.pbm", "P1\n4\n"},
        {"huge.pbm", "P4\n99999999999 2\n"},
        {"short4.pbm", std::string("P4\n16 2\n\xff\xff\xff", 11)},
        {"short1.pbm", "P1\n2 2\n1 0 1\n"},
        {"char.pbm", "P1\n2 1\n1 2\n"},
    };
    for (const auto& [name, content] : bad) {
        const std::string path = WriteTemp(name, content);
        const LabResult r = Trace(path);
        EXPECT_EQ(r.status, 1) << name;
        EXPECT_TRUE(r.out.empty()) << name;
        EXPECT_NE(r.err.find(path), std::string::npos) << name << ": " << r.err;
    }
    const LabResult missing = Trace(testing::TempDir() + "kolvane_lab_trace_absent.pbm");
    EXPECT_EQ(missing.status, 1);
    EXPECT_FALSE(missing.err.empty());
}

TEST(LabTrace, IsRegisteredWithTheDispatcher)
{
    const std::string path = WriteTemp("dispatch.pbm", "P1 1 1 1");
    std::istringstream in;
    std::ostringstream out, err;
    EXPECT_EQ(RunLab({"trace", path}, in, out, err), 0) << err.str();
    EXPECT_EQ(out.str(), "{\"contours\":[[[1,1],[1,0],[0,0],[0,1],[1,1]]]}\n");
    EXPECT_EQ(RunLab({"trace"}, in, out, err), 1);
}

TEST(PbmImage, PacksPlainPixelsMostSignificantBitFirst)
{
    PbmImage image;
    std::string why;
    ASSERT_TRUE(ParsePbm("P1\n#c\n10 2 1111111111\n0000000001 trailing", image, why)) << why;
    EXPECT_EQ(image.width, 10);
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(image.rowPitch, 2);
    EXPECT_EQ(image.bits, (std::vector<std::uint8_t>{0xFF, 0xC0, 0x00, 0x40}));
}
