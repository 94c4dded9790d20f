#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "device/model/Equaliser.h"

namespace vestra::test {
namespace {

// Records what the equaliser writes to the headset and when it stores and saves.
class RecordingHost : public EqualiserHost {
public:
    void WriteEqualiserProperty(std::string_view property, int value) override {
        writes.emplace_back(std::string(property), value);
    }
    void StoreSettings() override { ++stores; }
    void SaveProfile() override { ++saves; }

    std::vector<std::pair<std::string, int>> writes;
    int stores = 0;
    int saves = 0;
};

EqBands Curve(int first) {
    EqBands bands{};
    for (int b = 0; b < kEqBandCount; ++b) bands[b] = first + b;
    return bands;
}

std::vector<int> AsVector(const EqBands& bands) {
    return {bands.begin(), bands.end()};
}

class EqualiserTest : public ::testing::Test {
protected:
    // A profile with custom equalisers named after their curves' first band.
    void AddCustom(const std::vector<std::string>& names) {
        for (size_t i = 0; i < names.size(); ++i) {
            profile.SetCustomEq(static_cast<int>(i), Curve(static_cast<int>(10 * (i + 1))));
        }
        profile.SetCustomEqNames(names);
    }

    CHs6533Profiledata profile;
    RecordingHost host;
    Equaliser eq{profile, host};
};

TEST_F(EqualiserTest, PresetFivePlaysAndStoresTenZeros) {
    profile.SetEq(5, Curve(1));  // the type's last values are replaced by the preset
    eq.Load(3, 0);
    ASSERT_TRUE(eq.Select(5));

    ASSERT_EQ(host.writes.size(), 11u);
    EXPECT_EQ(host.writes[0], std::make_pair(std::string("Enable_EQ_GFX"), 1));
    for (int b = 0; b < kEqBandCount; ++b) {
        EXPECT_EQ(host.writes[b + 1], std::make_pair(EqBandProperty(b), 0));
    }
    EXPECT_EQ(profile.GetEq(5), std::vector<int>(10, 0));
    EXPECT_EQ(eq.Type(), 5);
    EXPECT_FALSE(eq.CustomLayoutEnabled());
    EXPECT_EQ(host.stores, 1);
    EXPECT_EQ(host.saves, 1);
}

TEST_F(EqualiserTest, TypesOutsideOneToThirteenChangeNothing) {
    eq.Load(3, 0);
    for (int type : {0, 14, -1}) EXPECT_FALSE(eq.Select(type));
    EXPECT_EQ(eq.Type(), 3);
    EXPECT_TRUE(host.writes.empty());
    EXPECT_EQ(host.saves, 0);
}

TEST_F(EqualiserTest, MovingABandUnderAPresetTurnsItIntoAnUnnamedCustomCurve) {
    AddCustom({"Alpha", "Beta"});
    eq.Load(3, 1);
    ASSERT_TRUE(eq.Select(3));
    host.writes.clear();
    const int saves = host.saves;

    ASSERT_TRUE(eq.SetBand(4, 9));
    EXPECT_EQ(eq.Type(), kEqCustomType);
    EXPECT_TRUE(eq.CustomLayoutEnabled());
    EXPECT_EQ(eq.ChosenName(), -1);
    ASSERT_EQ(host.writes.size(), 1u);
    EXPECT_EQ(host.writes[0], std::make_pair(std::string("EQ_Slider5"), 9));
    // Only the page moved: the curve in effect and the profile wait for a save.
    EXPECT_EQ(eq.Sliders()[4], 9);
    EXPECT_EQ(eq.Bands(), kEqPresets[2]);
    EXPECT_EQ(host.saves, saves);
    EXPECT_FALSE(eq.SetBand(10, 1));
}

TEST_F(EqualiserTest, SavingANameAlreadyUsedInAnotherCaseIsRefusedWithZero) {
    AddCustom({"Bass Boost"});
    eq.Load(kEqCustomType, 0);
    eq.SetBand(0, 5);
    EXPECT_EQ(eq.Save("bass BOOST"), EqSaveResult::NameInUse);
    EXPECT_EQ(profile.GetCustomEqNames(), std::vector<std::string>{"Bass Boost"});
    EXPECT_EQ(profile.GetCustomEq(0), AsVector(Curve(10)));
    EXPECT_EQ(host.saves, 0);
}

TEST_F(EqualiserTest, TheTwentyFirstNameIsRefused) {
    std::vector<std::string> names;
    for (int i = 0; i < kMaxCustomEqualisers; ++i) names.push_back("Eq " + std::to_string(i));
    AddCustom(names);
    eq.Load(kEqCustomType, 0);
    EXPECT_EQ(eq.Save("One more"), EqSaveResult::Refused);
    EXPECT_EQ(eq.Names().size(), 20u);
    EXPECT_EQ(profile.GetCustomEqNames().size(), 20u);
    EXPECT_EQ(host.saves, 0);
}

TEST_F(EqualiserTest, SavingANewNameAddsTheSlidersCurveAndChoosesIt) {
    AddCustom({"Alpha"});
    eq.Load(1, 0);
    eq.Select(2);
    eq.SetBand(9, -4);
    ASSERT_EQ(eq.Save("Night"), EqSaveResult::Saved);
    EXPECT_EQ(profile.GetCustomEqNames(), (std::vector<std::string>{"Alpha", "Night"}));
    EqBands expected = kEqPresets[1];
    expected[9] = -4;
    EXPECT_EQ(profile.GetCustomEq(1), AsVector(expected));
    EXPECT_EQ(eq.ChosenName(), 1);
    EXPECT_EQ(eq.SelectedIndex(), 1);
}

TEST_F(EqualiserTest, AnEmptyNameOverwritesTheChosenCustomEqualiser) {
    AddCustom({"A", "B", "C"});
    eq.Load(kEqCustomType, 2);
    eq.SetBand(0, -13);
    ASSERT_EQ(eq.Save(""), EqSaveResult::Saved);
    EqBands expected = Curve(30);
    expected[0] = -13;
    EXPECT_EQ(profile.GetCustomEq(2), AsVector(expected));
    EXPECT_EQ(profile.GetCustomEq(1), AsVector(Curve(20)));

    // With no name chosen there is nothing to overwrite.
    eq.Select(4);
    eq.SetBand(0, 1);
    EXPECT_EQ(eq.Save(""), EqSaveResult::Refused);
}

TEST_F(EqualiserTest, SelectingACustomEqualiserPlaysItsCurve) {
    AddCustom({"A", "B"});
    eq.Load(1, 0);
    ASSERT_TRUE(eq.SelectCustom(1));
    ASSERT_EQ(host.writes.size(), 11u);
    EXPECT_EQ(host.writes[0].first, "Enable_EQ_GFX");
    EXPECT_EQ(host.writes[10], std::make_pair(std::string("EQ_Slider10"), 29));
    EXPECT_EQ(eq.SelectedIndex(), 1);
    EXPECT_EQ(eq.Type(), kEqCustomType);
    EXPECT_FALSE(eq.SelectCustom(2));
    EXPECT_FALSE(eq.SelectCustom(-1));
}

TEST_F(EqualiserTest, DeletingTheOnlyCustomEqualiserReturnsToPresetOne) {
    profile.SetEq(1, Curve(-3));
    AddCustom({"Solo"});
    eq.Load(kEqCustomType, 0);
    host.writes.clear();

    ASSERT_TRUE(eq.Delete());
    EXPECT_EQ(eq.Type(), 1);
    EXPECT_FALSE(eq.CustomLayoutEnabled());
    EXPECT_EQ(eq.Sliders(), Curve(-3));
    EXPECT_TRUE(profile.GetCustomEqNames().empty());
    EXPECT_TRUE(host.writes.empty());  // the headset keeps playing until the next choice
    EXPECT_FALSE(eq.Delete());
}

TEST_F(EqualiserTest, DeletingMovesTheLaterCurvesDownWithTheirNames) {
    AddCustom({"A", "B", "C"});
    eq.Load(kEqCustomType, 0);
    ASSERT_TRUE(eq.Delete());
    EXPECT_EQ(profile.GetCustomEqNames(), (std::vector<std::string>{"B", "C"}));
    EXPECT_EQ(profile.GetCustomEq(0), AsVector(Curve(20)));
    EXPECT_EQ(profile.GetCustomEq(1), AsVector(Curve(30)));
    EXPECT_EQ(eq.ChosenName(), 0);
    EXPECT_EQ(eq.Sliders(), Curve(20));
}

}  // namespace
}  // namespace vestra::test
