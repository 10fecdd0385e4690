#include "canvas/MainHub.h"
#include "canvas/Picture.h"

#include "QtApp.h"
#include "TestPens.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
constexpr COLORREF kBlack = MakeRgb(0, 0, 0);
constexpr COLORREF kBlue = MakeRgb(0, 0, 255);
constexpr COLORREF kRed = MakeRgb(255, 0, 0);
constexpr COLORREF kGreen = MakeRgb(0, 255, 0);
constexpr COLORREF kYellow = MakeRgb(255, 255, 0);
constexpr COLORREF kPurple = MakeRgb(128, 0, 128);
}  // namespace

TEST(ToolSettingsTest, DefaultsPerTool)
{
    const CToolSettings s;
    EXPECT_EQ(s.m_nTool, 1);
    EXPECT_EQ(s.m_lastVariant, (std::array<int, 5>{1, 5, 7, 9, 12}));
    const std::array<int, 13> widths{0, 2, 2, 4, 12, 2, 2, 10, 10, 10, 10, 6, 6};
    const std::array<int, 13> recog{0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 0, 0};
    EXPECT_EQ(s.m_toolWidth, widths);
    EXPECT_EQ(s.m_toolRecog, recog);
    for (int t : {1, 5, 7, 9}) {
        EXPECT_EQ(s.m_toolColor[t], (std::array<COLORREF, 3>{kBlack, kBlue, kRed})) << t;
    }
    for (int t : {2, 6, 8, 10, 11, 12}) {
        EXPECT_EQ(s.m_toolColor[t], (std::array<COLORREF, 3>{kGreen, kBlue, kRed})) << t;
    }
    EXPECT_EQ(s.m_toolColor[3], (std::array<COLORREF, 3>{kBlue, kYellow, kRed}));
    EXPECT_EQ(s.m_toolColor[4], (std::array<COLORREF, 3>{kYellow, kBlue, kRed}));
}

TEST(ToolSettingsTest, StampStartsWithRedStarInTimesNewRoman)
{
    const CToolSettings s;
    EXPECT_EQ(s.m_toolColorSel[11], 2);
    EXPECT_EQ(s.SelectedColor(11), kRed);
    EXPECT_EQ(s.m_symbolChar, u'\u2605');
    EXPECT_EQ(s.m_symbolFont, QStringLiteral("Times New Roman"));
}

TEST(ToolSettingsTest, SingleAndMulticolourVariantsKeepSeparateColours)
{
    const CToolSettings s;
    EXPECT_EQ(s.SelectedColor(1), kBlack);
    EXPECT_EQ(s.m_toolColor[2][0], kGreen);
    EXPECT_EQ(s.SelectedColor(13), 0u);
}

class MainHubTest : public ::testing::Test {
protected:
    CMainHub hub;
    // What a listener saw at each announcement: the tool and its width.
    std::vector<std::pair<int, int>> announced;
    std::vector<COLORREF> paletteOpenedOn;
    std::optional<COLORREF> paletteAnswer;

    int Notifications() const { return static_cast<int>(announced.size()); }

    void SetUp() override
    {
        hub.AddStateListener([this] {
            announced.emplace_back(hub.m_nTool, IsPenTool(hub.m_nTool)
                                                    ? hub.m_toolWidth[hub.m_nTool]
                                                    : 0);
        });
        hub.m_chooseColor = [this](COLORREF initial) {
            paletteOpenedOn.push_back(initial);
            return paletteAnswer;
        };
    }
};

TEST_F(MainHubTest, ToolChangesAreAnnouncedWithTheNewStateInPlace)
{
    hub.SelectTool(4);
    EXPECT_EQ(hub.m_nTool, 4);
    hub.SelectTool(4);  // no change, no announcement
    hub.SelectEraser();
    EXPECT_EQ(hub.m_nTool, 13);
    hub.SelectEraser();
    hub.SelectTool(0);
    hub.SelectTool(14);
    EXPECT_EQ(hub.m_nTool, 13);
    EXPECT_EQ(announced, (std::vector<std::pair<int, int>>{{4, 12}, {13, 0}}));
}

TEST_F(MainHubTest, ListenersCanBeRemovedEvenWhileTheyRun)
{
    int second = 0;
    int handle = 0;
    handle = hub.AddStateListener([&] {
        ++second;
        hub.RemoveStateListener(handle);
    });
    int third = 0;
    const int thirdHandle = hub.AddStateListener([&] { ++third; });
    hub.SelectTool(2);
    hub.RemoveStateListener(thirdHandle);
    hub.SelectTool(3);
    EXPECT_EQ(second, 1);
    EXPECT_EQ(third, 1);
    EXPECT_EQ(Notifications(), 2);
}

TEST_F(MainHubTest, WidthIsSharedWithTheTwinOnly)
{
    hub.SelectTool(5);
    hub.SetToolWidth(9);
    EXPECT_EQ(hub.m_toolWidth[5], 9);
    EXPECT_EQ(hub.m_toolWidth[6], 9);
    EXPECT_EQ(hub.m_toolWidth[1], 2);
    EXPECT_EQ(announced.back(), (std::pair<int, int>{5, 9}));
    const int before = Notifications();
    hub.SetToolWidth(9);
    hub.SetToolWidth(0);
    EXPECT_EQ(Notifications(), before);

    hub.SelectTool(3);
    hub.SetToolWidth(7);
    EXPECT_EQ(hub.m_toolWidth[3], 7);
    EXPECT_EQ(hub.m_toolWidth[4], 12);

    hub.SelectTool(12);
    hub.SetToolWidth(16);
    EXPECT_EQ(hub.m_toolWidth[11], 16);

    const auto widths = hub.m_toolWidth;
    hub.SelectEraser();
    hub.SetToolWidth(3);
    EXPECT_EQ(hub.m_toolWidth, widths);
}

TEST_F(MainHubTest, RecognitionTogglesPerToolAndNeverForTheEraser)
{
    hub.SelectTool(2);
    hub.ToggleRecognition();
    EXPECT_EQ(hub.m_toolRecog[2], 1);
    EXPECT_EQ(hub.m_toolRecog[1], 0);
    hub.ToggleRecognition();
    EXPECT_EQ(hub.m_toolRecog[2], 0);
    EXPECT_EQ(Notifications(), 3);

    const auto before = hub.m_toolRecog;
    hub.SelectEraser();
    hub.ToggleRecognition();
    EXPECT_EQ(hub.m_toolRecog, before);
    EXPECT_EQ(Notifications(), 4);
}

TEST_F(MainHubTest, SingleColourToolSelectsFirstThenOpensThePalette)
{
    hub.SelectTool(1);
    paletteAnswer = kPurple;
    hub.ClickColor(2);
    EXPECT_EQ(hub.m_toolColorSel[1], 2);
    EXPECT_TRUE(paletteOpenedOn.empty());
    EXPECT_EQ(Notifications(), 1);

    hub.ClickColor(2);
    EXPECT_EQ(paletteOpenedOn, std::vector<COLORREF>{kRed});
    EXPECT_EQ(hub.m_toolColor[1][2], kPurple);
    EXPECT_EQ(hub.SelectedColor(1), kPurple);
    EXPECT_EQ(Notifications(), 2);
}

TEST_F(MainHubTest, MulticolourToolOpensThePaletteOnTheClickedColour)
{
    hub.SelectTool(3);
    paletteAnswer = kPurple;
    hub.ClickColor(1);
    EXPECT_EQ(paletteOpenedOn, std::vector<COLORREF>{kYellow});
    EXPECT_EQ(hub.m_toolColor[3][1], kPurple);
    EXPECT_EQ(hub.m_toolColorSel[3], 0);
}

TEST_F(MainHubTest, CancelledPaletteChangesNothing)
{
    hub.SelectTool(2);
    paletteAnswer.reset();
    const auto before = hub.m_toolColor;
    const int notified = Notifications();
    hub.ClickColor(0);
    EXPECT_EQ(paletteOpenedOn.size(), 1u);
    EXPECT_EQ(hub.m_toolColor, before);
    EXPECT_EQ(Notifications(), notified);
}

TEST_F(MainHubTest, ClickColorIsIgnoredForTheEraserAndBadIndices)
{
    hub.SelectEraser();
    hub.ClickColor(0);
    hub.SelectTool(2);
    hub.ClickColor(3);
    hub.ClickColor(-1);
    EXPECT_TRUE(paletteOpenedOn.empty());
}

TEST_F(MainHubTest, PickSymbolTakesCharacterAndFont)
{
    char16_t presetWith = 0;
    hub.m_chooseSymbol = [&](char16_t initial) {
        presetWith = initial;
        return std::optional<SymbolChoice>(SymbolChoice{u'\u263A', QStringLiteral("Symbola")});
    };
    hub.PickSymbol();
    EXPECT_EQ(presetWith, u'\u2605');
    EXPECT_EQ(hub.m_symbolChar, u'\u263A');
    EXPECT_EQ(hub.m_symbolFont, QStringLiteral("Symbola"));
    EXPECT_EQ(Notifications(), 1);

    hub.m_chooseSymbol = [](char16_t) { return std::optional<SymbolChoice>(); };
    hub.PickSymbol();
    EXPECT_EQ(hub.m_symbolChar, u'\u263A');
    EXPECT_EQ(Notifications(), 1);
}

TEST_F(MainHubTest, NewPictureClearsStrokesAndKeepsTheBackground)
{
    TestApp();
    hub.AdoptPicture(std::make_unique<CPicture>(64, 48, 5));
    CPicture& picture = *hub.GetPicture();
    picture.AddStroke(MakeLine({{1, 1}, {20, 20}}));
    hub.NewPicture();
    EXPECT_EQ(picture.GetStrokeCount(), 0);
    EXPECT_EQ(picture.m_nBkgd, 5);
    EXPECT_TRUE(picture.IsPictureDirty());
}
