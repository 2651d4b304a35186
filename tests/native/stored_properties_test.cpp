#include "controls/stored_properties.h"

#include <gtest/gtest.h>

#include "controls/theme_label.h"

namespace vantry {
namespace {

class SilentView : public ThemeLabelView {
  public:
    void ApplyWindowEnabled(bool) override {}
    void ApplyWindowFont(const FontDescription& font) override { windowFont = font; }
    void ApplyWindowBackground(uint32_t) override {}
    void ApplyWindowText(const std::string&) override {}
    TextExtent MeasureText(const std::string&) override { return {}; }
    int ClientHeight() override { return 0; }
    void ResizeWindow(int, int) override {}
    void ReleaseTarget() override {}
    void ReleaseSurface() override {}
    void DrawCaption(const CaptionDrawing&) override { ++draws; }
    void BlitCaption() override {}
    void SetBlendTimer(bool) override {}
    void TrackMouseLeave() override {}
    void HookWindow() override {}
    void UnhookWindow() override {}
    void PumpMessages() override {}
    void PropertyChanged(const char*) override { ++notifications; }
    void MouseEnter() override {}
    void MouseLeave() override {}
    void MouseMove(const MouseEventArgs&) override {}

    FontDescription windowFont;
    int draws = 0;
    int notifications = 0;
};

class StoredPropertiesTest : public ::testing::Test {
  protected:
    StoredPropertiesTest() { label.Create(); }
    SilentView view;
    ThemeLabelModel label{view};
};

TEST_F(StoredPropertiesTest, FreshControlSavesOnlyUseBlendAndFont) {
    PropertyBag bag;
    label.SaveStoredProperties(bag);
    ASSERT_EQ(bag.Entries().size(), 2u);
    EXPECT_EQ(bag.Entries()[0].first, "UseBlend");
    EXPECT_EQ(std::get<bool>(bag.Entries()[0].second), false);
    EXPECT_EQ(bag.Entries()[1].first, "Font");
    EXPECT_EQ(std::get<FontDescription>(bag.Entries()[1].second).face, "Tahoma");
}

TEST_F(StoredPropertiesTest, SavedValuesReadBackInSaveOrder) {
    label.SetBackColor(0x00332211);
    label.SetGlowSize(4);
    label.SetCaption("Config");
    PropertyBag bag;
    label.SaveStoredProperties(bag);
    std::vector<std::string> keys;
    for (const auto& entry : bag.Entries()) keys.push_back(entry.first);
    EXPECT_EQ(keys,
              (std::vector<std::string>{"Caption", "BackColor", "GlowSize", "UseBlend", "Font"}));

    SilentView otherView;
    ThemeLabelModel other(otherView);
    other.Create();
    other.LoadStoredProperties(bag);
    EXPECT_EQ(other.BackColor(), 0x00332211u);
    EXPECT_EQ(other.GlowSize(), 4);
    EXPECT_EQ(other.Caption(), "Config");
}

TEST_F(StoredPropertiesTest, MissingKeysLoadTheirDefaultsWithoutNotifyingOrDrawing) {
    PropertyBag bag;
    bag.Write("caption", std::string("Drop Target"));
    bag.Write("hovercolor", int32_t{0x00FFFFFF});
    bag.Write("useblend", false);
    FontDescription font;
    font.face = "Verdana";
    bag.Write("font", font);
    view.draws = 0;
    view.notifications = 0;
    label.LoadStoredProperties(bag);
    EXPECT_EQ(label.Caption(), "Drop Target");
    EXPECT_EQ(label.HoverColor(), 0x00FFFFFFu);
    EXPECT_FALSE(label.UseHover());
    EXPECT_FALSE(label.UseBlend());
    EXPECT_TRUE(label.AutoSize());
    EXPECT_EQ(label.GlowSize(), 10);
    EXPECT_EQ(label.FadeInStep(), 25);
    EXPECT_EQ(label.FadeOutStep(), 10);
    EXPECT_EQ(view.windowFont.face, "Verdana");  // the stored font is the window's at once
    EXPECT_EQ(view.draws, 0);
    EXPECT_EQ(view.notifications, 0);
}

TEST_F(StoredPropertiesTest, StoredHoverWithoutBlendLoadsWithFadingOn) {
    PropertyBag bag;
    bag.Write("usehover", true);
    label.LoadStoredProperties(bag);
    EXPECT_TRUE(label.UseHover());
    EXPECT_TRUE(label.UseBlend());
}

TEST(PropertyBag, KeysMatchWithoutCaseAndRewriteInPlace) {
    PropertyBag bag;
    bag.Write("GlowSize", 3.0f);
    bag.Write("Caption", std::string("a"));
    bag.Write("glowsize", 7.0f);
    ASSERT_EQ(bag.Entries().size(), 2u);
    EXPECT_EQ(bag.ReadFloat("GLOWSIZE", 0), 7.0f);
    EXPECT_EQ(bag.ReadInt("glowSize", 0), 7);
    EXPECT_EQ(bag.ReadString("missing", "dflt"), "dflt");
    // A value of the wrong kind reads as the fallback rather than as garbage.
    EXPECT_EQ(bag.ReadInt("caption", 42), 42);
}

}  // namespace
}  // namespace vantry
