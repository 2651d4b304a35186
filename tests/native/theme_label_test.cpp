#include "controls/theme_label.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace vantry {
namespace {

// Records what the model asks of its window; text measures a fixed extent per character so
// geometry can be checked without fonts.
class FakeView : public ThemeLabelView {
  public:
    void ApplyWindowEnabled(bool enabled) override { windowEnabled = enabled; }
    void ApplyWindowFont(const FontDescription& font) override { windowFont = font; }
    void ApplyWindowBackground(uint32_t colour) override { background = colour; }
    void ApplyWindowText(const std::string& text) override { windowText = text; }
    TextExtent MeasureText(const std::string& text) override {
        ++measures;
        return {charWidth * static_cast<double>(text.size()), textHeight};
    }
    int ClientHeight() override { return clientHeight; }
    void ResizeWindow(int width, int height) override {
        clientWidth = width;
        clientHeight = height;
    }
    void ReleaseTarget() override { log.push_back("ReleaseTarget"); }
    void ReleaseSurface() override { log.push_back("ReleaseSurface"); }
    void DrawCaption(const CaptionDrawing& drawing) override {
        drawings.push_back(drawing);
        log.push_back("Draw");
    }
    void BlitCaption() override { log.push_back("Blit"); }
    void SetBlendTimer(bool running) override { timerRunning = running; }
    void TrackMouseLeave() override { log.push_back("Track"); }
    void HookWindow() override { log.push_back("Hook"); }
    void UnhookWindow() override { log.push_back("Unhook"); }
    void PumpMessages() override {}
    void PropertyChanged(const char* name) override {
        log.push_back(std::string("Changed:") + name);
    }
    void MouseEnter() override { log.push_back("MouseEnter"); }
    void MouseLeave() override { log.push_back("MouseLeave"); }
    void MouseMove(const MouseEventArgs&) override { log.push_back("MouseMove"); }

    void Clear() {
        log.clear();
        drawings.clear();
    }

    bool windowEnabled = false;
    FontDescription windowFont;
    uint32_t background = 0;
    std::string windowText;
    double charWidth = 5;
    double textHeight = 13;
    int clientWidth = 0;
    int clientHeight = 0;
    bool timerRunning = false;
    int measures = 0;
    std::vector<std::string> log;
    std::vector<CaptionDrawing> drawings;
};

class ThemeLabelTest : public ::testing::Test {
  protected:
    ThemeLabelTest() { label.Create(); }
    int Ticks() {
        int ticks = 0;
        while (view.timerRunning && ticks < 1000) {
            label.BlendTick();
            ++ticks;
        }
        return ticks;
    }
    FakeView view;
    ThemeLabelModel label{view};
};

TEST_F(ThemeLabelTest, CreationAppliesTheDefaultsAndDrawsOnce) {
    EXPECT_TRUE(label.Enabled());
    EXPECT_TRUE(view.windowEnabled);
    EXPECT_EQ(label.Caption(), "Theme Label");
    EXPECT_EQ(view.windowText, "Theme Label");
    EXPECT_EQ(label.ForeColor(), 0u);
    EXPECT_EQ(label.BackColor(), 0u);
    EXPECT_EQ(label.GlowColor(), 0x00FFFFFFu);
    EXPECT_EQ(label.HoverColor(), 0x00764521u);
    EXPECT_FALSE(label.UseHover());
    EXPECT_FALSE(label.UseBlend());
    EXPECT_EQ(label.GlowSize(), 10);
    EXPECT_EQ(label.FadeInStep(), 25);
    EXPECT_EQ(label.FadeOutStep(), 10);
    EXPECT_TRUE(label.AutoSize());
    EXPECT_EQ(label.Font().face, "Tahoma");
    EXPECT_DOUBLE_EQ(label.Font().points, 8.25);
    EXPECT_TRUE(label.Ready());
    EXPECT_EQ(label.BlendLevel(), 255);
    ASSERT_EQ(view.drawings.size(), 1u);
    EXPECT_EQ(view.drawings[0].colour, 0u);
    EXPECT_EQ(view.drawings[0].glowSize, 10);
}

TEST_F(ThemeLabelTest, UnchangedValuesNeitherNotifyNorRedraw) {
    view.Clear();
    label.SetCaption("Theme Label");
    label.SetForeColor(0);
    label.SetBackColor(0);
    label.SetGlowColor(0x00FFFFFF);
    label.SetHoverColor(0x00764521);
    label.SetGlowSize(10);
    label.SetAutoSize(true);
    FontDescription bigger = label.Font();
    bigger.points = 20;
    bigger.bold = true;
    label.SetFont(bigger);
    EXPECT_TRUE(view.log.empty());
    EXPECT_DOUBLE_EQ(label.Font().points, 8.25);
}

TEST_F(ThemeLabelTest, AppliedChangeNotifiesAfterStoringAndBeforeTheRedraw) {
    view.Clear();
    label.SetCaption("Close");
    EXPECT_EQ(view.log, (std::vector<std::string>{"Changed:Caption", "ReleaseTarget",
                                                  "ReleaseSurface", "Draw"}));
    EXPECT_EQ(view.windowText, "Close");
    EXPECT_EQ(view.drawings.back().text, "Close");
}

TEST_F(ThemeLabelTest, FadeTicksReuseTheMeasurementAndTheDrawingObjects) {
    label.SetUseBlend(true);
    label.SetHoverColor(0xFFFFFF);
    view.Clear();
    view.measures = 0;
    label.MouseMoved({});
    EXPECT_EQ(Ticks(), 11);
    EXPECT_EQ(view.measures, 0);
    EXPECT_EQ(std::count(view.log.begin(), view.log.end(), "ReleaseSurface"), 0);
    EXPECT_EQ(std::count(view.log.begin(), view.log.end(), "Draw"), 12);
    EXPECT_EQ(view.drawings.back().colour, 0xFFFFFFu);
}

TEST_F(ThemeLabelTest, NewCaptionFontOrSizeIsMeasuredAndDrawnAfresh) {
    view.measures = 0;
    label.SetCaption("Close");
    EXPECT_EQ(view.measures, 1);
    EXPECT_EQ(view.drawings.back().width, 5 * 5 + 20);
    FontDescription other = label.Font();
    other.face = "Verdana";
    label.SetFont(other);
    EXPECT_EQ(view.measures, 2);
    EXPECT_EQ(view.drawings.back().font.face, "Verdana");
    // Same text block: the objects are kept; another glow size makes a new block.
    view.Clear();
    label.SetForeColor(0x123456);
    EXPECT_EQ(view.log, (std::vector<std::string>{"Changed:ForeColor", "Draw"}));
    view.Clear();
    label.SetGlowSize(12);
    EXPECT_EQ(view.log, (std::vector<std::string>{"Changed:GlowSize", "ReleaseTarget",
                                                  "ReleaseSurface", "Draw"}));
    EXPECT_EQ(view.drawings.back().width, 5 * 5 + 24);
    EXPECT_EQ(view.measures, 2);
}

TEST_F(ThemeLabelTest, AtTwiceTheDpiTheCaptionIsMeasuredAgainAndItsGlowDoubles) {
    label.SetCaption("Close");
    view.measures = 0;
    view.charWidth = 10;  // the view's font made at 192 dpi
    view.textHeight = 26;
    label.SetDpi(192);
    EXPECT_EQ(view.measures, 1);
    const CaptionDrawing& drawing = view.drawings.back();
    EXPECT_EQ(drawing.dpi, 192);
    EXPECT_EQ(drawing.glowSize, 20);
    EXPECT_EQ(drawing.width, 2 * (5 * 5 + 20));
    EXPECT_EQ(drawing.height, 2 * (13 + 20));
    EXPECT_EQ(label.GlowSize(), 10);  // the stored property keeps its 96-dpi value
}

TEST_F(ThemeLabelTest, BackColorCopiesTheOldBitmapWithoutRedrawing) {
    view.Clear();
    label.SetBackColor(0x123456);
    EXPECT_EQ(view.background, 0x123456u);
    EXPECT_EQ(view.log, (std::vector<std::string>{"Changed:BackColor", "Blit"}));
}

TEST_F(ThemeLabelTest, UseHoverAndUseBlendCoupleBothWays) {
    label.SetUseBlend(true);
    EXPECT_TRUE(label.UseHover());
    EXPECT_TRUE(label.UseBlend());
    label.SetUseHover(false);
    EXPECT_FALSE(label.UseHover());
    EXPECT_FALSE(label.UseBlend());
    // Switching hover on leaves fading alone.
    label.SetUseHover(true);
    EXPECT_FALSE(label.UseBlend());
}

TEST_F(ThemeLabelTest, AutoSizeTakesTheTextBlockAndCentresVertically) {
    label.SetCaption(std::string(12, 'x'));  // 60 x 13 pixels
    EXPECT_EQ(view.clientWidth, 80);
    EXPECT_EQ(view.clientHeight, 33);
    EXPECT_EQ(view.drawings.back().y, 0);
    EXPECT_EQ(view.drawings.back().width, 80);

    label.SetAutoSize(false);
    view.clientHeight = 40;
    label.RedrawCaption();
    EXPECT_EQ(view.drawings.back().height, 33);
    EXPECT_EQ(view.drawings.back().y, 4);  // 20 - 16.5 = 3.5, ties to even

    label.SetCaption("");
    EXPECT_EQ(view.drawings.back().width, 20);

    // A tab name thousands of characters long: the widest block a window can take.
    label.SetCaption(std::string(8000, 'x'));  // 40000 pixels
    EXPECT_EQ(view.drawings.back().width, 32767);
}

TEST_F(ThemeLabelTest, RefreshBeforeReadyDoesNothing) {
    FakeView fresh;
    ThemeLabelModel unready(fresh);
    unready.Refresh();
    unready.RedrawCaption();
    EXPECT_TRUE(fresh.log.empty());
}

TEST(BlendColor, MixesEachChannelWithTiesToEven) {
    EXPECT_EQ(BlendColor(0x000000, 0xFFFFFF, 128), 0x7F7F7Fu);
    EXPECT_EQ(BlendColor(0x102030, 0xFFFFFF, 255), 0x102030u);
    EXPECT_EQ(BlendColor(0x102030, 0x764521, 0), 0x764521u);
    EXPECT_EQ(BlendColor(0x0000FF, 0x000000, 1), 0x000001u);  // 255/255 * 1 = 1
}

TEST_F(ThemeLabelTest, WithoutBlendTheHoverColourShowsAtOnce) {
    label.SetHoverColor(0xFFFFFF);
    label.MouseMoved({});
    EXPECT_EQ(view.drawings.back().colour, 0xFFFFFFu);
    EXPECT_FALSE(view.timerRunning);
    label.MouseLeft();
    EXPECT_EQ(view.drawings.back().colour, 0u);
    EXPECT_FALSE(view.timerRunning);
}

TEST_F(ThemeLabelTest, AMarkedLabelKeepsTheHoverColourAfterThePointerLeaves) {
    label.SetHoverColor(0xFFFFFF);
    label.SetMarked(true);
    EXPECT_EQ(view.drawings.back().colour, 0xFFFFFFu);
    label.MouseMoved({});
    label.MouseLeft();
    EXPECT_EQ(view.drawings.back().colour, 0xFFFFFFu);
    label.SetMarked(false);
    EXPECT_EQ(view.drawings.back().colour, 0u);
}

TEST_F(ThemeLabelTest, ADimmedLabelRestsInGreyAndStillShowsHover) {
    label.SetHoverColor(0xFFFFFF);
    label.SetDimmed(true);
    EXPECT_EQ(view.drawings.back().colour, kDimmedColor);
    EXPECT_TRUE(view.drawings.back().dimmed);
    label.MouseMoved({});
    EXPECT_EQ(view.drawings.back().colour, 0xFFFFFFu);
    label.MouseLeft();
    label.SetDimmed(false);
    EXPECT_EQ(view.drawings.back().colour, 0u);
    EXPECT_FALSE(view.drawings.back().dimmed);
}

TEST_F(ThemeLabelTest, DefaultFadesTakeElevenTicksInAndTwentySixOut) {
    label.SetUseBlend(true);
    label.SetHoverColor(0xFFFFFF);
    label.MouseMoved({});
    EXPECT_EQ(view.drawings.back().colour, 0u);  // the fade starts from ForeColor
    EXPECT_TRUE(view.timerRunning);
    EXPECT_EQ(Ticks(), 11);
    EXPECT_EQ(label.BlendLevel(), 255);
    EXPECT_EQ(view.drawings.back().colour, 0xFFFFFFu);

    label.MouseLeft();
    EXPECT_EQ(view.drawings.back().colour, 0xFFFFFFu);
    EXPECT_EQ(Ticks(), 26);
    EXPECT_EQ(view.drawings.back().colour, 0u);
}

TEST_F(ThemeLabelTest, LeavingMidFadeKeepsTheColourOnScreen) {
    label.SetUseBlend(true);
    label.SetHoverColor(0xFFFFFF);
    label.SetFadeInStep(50);
    label.MouseMoved({});
    label.BlendTick();
    label.BlendTick();  // level 100
    ASSERT_EQ(label.BlendLevel(), 100);
    uint32_t onScreen = view.drawings.back().colour;
    label.MouseLeft();
    EXPECT_EQ(label.BlendLevel(), 155);
    EXPECT_EQ(view.drawings.back().colour, onScreen);
}

TEST_F(ThemeLabelTest, HoverHooksOnceAndRaisesEnterBeforeTheMove) {
    view.Clear();
    label.MouseMoved({});
    label.MouseMoved({});
    std::vector<std::string> events;
    for (const auto& entry : view.log) {
        if (entry == "MouseEnter" || entry == "MouseMove" || entry == "Hook" || entry == "Track")
            events.push_back(entry);
    }
    EXPECT_EQ(events,
              (std::vector<std::string>{"Track", "Hook", "MouseEnter", "MouseMove", "MouseMove"}));
    EXPECT_TRUE(label.Subclassed());
    label.MouseLeft();
    EXPECT_FALSE(label.Subclassed());
    EXPECT_EQ(view.log.back(), "MouseLeave");
}

TEST_F(ThemeLabelTest, DisabledLabelIgnoresHover) {
    label.SetEnabled(false);
    view.Clear();
    label.MouseMoved({});
    label.MouseLeft();
    EXPECT_EQ(view.log, (std::vector<std::string>{"MouseMove"}));
    EXPECT_FALSE(label.Hovered());
}

TEST_F(ThemeLabelTest, DestructionFreesSurfaceThenTargetThenUnhooks) {
    label.MouseMoved({});
    view.Clear();
    label.Destroy();
    EXPECT_EQ(view.log, (std::vector<std::string>{"ReleaseSurface", "ReleaseTarget", "Unhook"}));
}

TEST_F(ThemeLabelTest, ShowReappliesPropertiesAndDrawsOnce) {
    PropertyBag bag;
    bag.Write("usehover", true);  // UseBlend defaults to true
    label.LoadStoredProperties(bag);
    view.Clear();
    label.Show();
    EXPECT_TRUE(label.UseHover());
    EXPECT_TRUE(label.UseBlend());
    EXPECT_EQ(view.drawings.size(), 1u);
    for (const char* name : {"Changed:Enabled", "Changed:UseHover", "Changed:UseBlend",
                             "Changed:FadeInStep", "Changed:FadeOutStep"}) {
        EXPECT_NE(std::find(view.log.begin(), view.log.end(), name), view.log.end()) << name;
    }
    EXPECT_EQ(std::find(view.log.begin(), view.log.end(), "Changed:Caption"), view.log.end());
}

TEST_F(ThemeLabelTest, ShowAppliesUseHoverFirstSoStoredHoverOffSwitchesFadingOff) {
    PropertyBag bag;
    bag.Write("usehover", false);
    bag.Write("useblend", true);
    label.LoadStoredProperties(bag);
    label.Show();
    EXPECT_FALSE(label.UseHover());
    EXPECT_FALSE(label.UseBlend());
}

}  // namespace
}  // namespace vantry
