#include <gtest/gtest.h>

#include <array>

#include "ControlTestUtil.h"
#include "ui/controls/CDeviceKeyButtonUI.h"
#include "ui/controls/CSelectPanelUI.h"

namespace vestra::ui {
namespace {

// Five 40 x 40 keys in a row, 10 px apart, starting at x = 10 (keys span x 10-50, 60-100,
// 110-150, 160-200, 210-250; y 20-60); a plain widget between them is not a key.
class SelectPanelTest : public test::ControlTest {
protected:
    SelectPanelTest() {
        m_panel.resize(300, 100);
        for (int i = 0; i < 5; ++i) {
            m_keys[i] = new CDeviceKeyButtonUI(&m_panel);
            m_keys[i]->setGeometry(10 + 50 * i, 20, 40, 40);
        }
        (new QWidget(&m_panel))->setGeometry(0, 0, 300, 100);
    }

    std::array<bool, 5> Selected() const {
        std::array<bool, 5> selected{};
        for (int i = 0; i < 5; ++i) selected[i] = m_keys[i]->IsKeySelected();
        return selected;
    }

    CSelectPanelUI m_panel;
    std::array<CDeviceKeyButtonUI*, 5> m_keys{};
};

TEST_F(SelectPanelTest, BandSelectsTouchedKeysDeselectsOthersAndNotifiesOnce) {
    m_keys[0]->SetKeySelected(true);  // stale selection from an earlier band
    test::NotifyLog log(m_panel);

    // From inside the second key's column to inside the fourth's.
    test::Drag(m_panel, {70, 5}, {170, 90});

    EXPECT_EQ(Selected(), (std::array{false, true, true, true, false}));
    EXPECT_EQ(log.Types(), std::vector<QString>{"click_select_end"});
    EXPECT_EQ(m_panel.BandRect(), QRect(70, 5, 100, 85));
}

TEST_F(SelectPanelTest, ReverseDragGivesTheSameBand) {
    test::Drag(m_panel, {170, 90}, {70, 5});
    EXPECT_EQ(m_panel.BandRect(), QRect(70, 5, 100, 85));
    EXPECT_EQ(Selected(), (std::array{false, true, true, true, false}));
}

TEST_F(SelectPanelTest, BandEndingOnAKeyEdgeDoesNotTouchIt) {
    // Rectangles exclude their right and bottom edges: a band ending at x = 60 stops where the
    // second key starts.
    test::Drag(m_panel, {0, 0}, {60, 100});
    EXPECT_EQ(Selected(), (std::array{true, false, false, false, false}));
}

TEST_F(SelectPanelTest, ClickWithoutDragSelectsNothingAndRaisesNothing) {
    m_keys[2]->SetKeySelected(true);
    test::NotifyLog log(m_panel);
    test::SendMouse(m_panel, QEvent::MouseButtonPress, {120, 30});
    test::SendMouse(m_panel, QEvent::MouseButtonRelease, {120, 30});
    EXPECT_TRUE(log.entries.empty());
    EXPECT_EQ(Selected(), (std::array{false, false, true, false, false}));
}

TEST_F(SelectPanelTest, DisabledPanelAndHiddenKeysAreLeftOut) {
    m_keys[1]->hide();
    test::Drag(m_panel, {0, 0}, {300, 100});
    EXPECT_EQ(Selected(), (std::array{true, false, true, true, true}));

    m_panel.setEnabled(false);
    test::NotifyLog log(m_panel);
    test::Drag(m_panel, {0, 0}, {50, 50});
    EXPECT_TRUE(log.entries.empty());
}

}  // namespace
}  // namespace vestra::ui
