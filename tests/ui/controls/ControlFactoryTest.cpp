#include <gtest/gtest.h>

#include <memory>

#include "ControlTestUtil.h"
#include "ui/controls/CAudioRecordUI.h"
#include "ui/controls/CChartViewUI.h"
#include "ui/controls/CCircleProgressUI.h"
#include "ui/controls/CCloudShareListItemUI.h"
#include "ui/controls/CComboEditContainerElementUI.h"
#include "ui/controls/CDeviceKeyButtonUI.h"
#include "ui/controls/CHandImgButtonUI.h"
#include "ui/controls/CHandImgSelectButtonUI.h"
#include "ui/controls/CRedioMacroButtonUI.h"
#include "ui/controls/CSelectPanelUI.h"
#include "ui/controls/CWndUI.h"
#include "ui/controls/ControlAttribute.h"
#include "ui/controls/ControlFactory.h"

namespace vestra::ui {
namespace {

class ControlFactoryTest : public test::ControlTest {};

struct ClassCase {
    const char* name;
    const char* otherName;  // the same class by its other name, in another case
    const QMetaObject* meta;
};

const ClassCase kClasses[] = {
    {"DeviceKeyButton", "cdevicekeybuttonui", &CDeviceKeyButtonUI::staticMetaObject},
    {"SelectPanel", "CSELECTPANELUI", &CSelectPanelUI::staticMetaObject},
    {"CircleProgress", "CCircleProgressUi", &CCircleProgressUI::staticMetaObject},
    {"HandImgButton", "chandimgbuttonui", &CHandImgButtonUI::staticMetaObject},
    {"HandImgSelectButton", "CHANDIMGSELECTBUTTONUI", &CHandImgSelectButtonUI::staticMetaObject},
    {"RedioMacroButton", "credioMacroButtonUI", &CRedioMacroButtonUI::staticMetaObject},
    {"AudioRecord", "caudiorecordui", &CAudioRecordUI::staticMetaObject},
    {"ChartView", "cchartviewui", &CChartViewUI::staticMetaObject},
    {"Wnd", "CWNDUI", &CWndUI::staticMetaObject},
    {"ComboEditContainerElement", "ccomboeditcontainerelementui",
     &CComboEditContainerElementUI::staticMetaObject},
    {"CloudShareListItemUI", "ccloudsharelistitemui", &CCloudShareListItemUI::staticMetaObject},
};

TEST_F(ControlFactoryTest, CreatesEveryClassByEitherNameInAnyCase) {
    QWidget parent;
    for (const ClassCase& c : kClasses) {
        for (const QString& name : {QString(c.name), QString(c.name).toLower(),
                                    QString(c.name).toUpper(), QString(c.otherName)}) {
            QWidget* control = CreateCustomControl(name, &parent);
            ASSERT_NE(control, nullptr) << name.toStdString();
            EXPECT_EQ(control->metaObject(), c.meta) << name.toStdString();
            EXPECT_EQ(control->parentWidget(), &parent);
            EXPECT_TRUE(SetControlAttribute(control, "nosuchattribute", "1"));
        }
    }
}

TEST_F(ControlFactoryTest, UnknownNamesGiveNull) {
    for (const char* name : {"", "Button", "DeviceKey", "DeviceKeyButtonX", "UI", "LightControl"}) {
        EXPECT_EQ(CreateCustomControl(name, nullptr), nullptr) << name;
    }
    QWidget plain;
    EXPECT_FALSE(SetControlAttribute(&plain, "handimage", "x.png"));
}

TEST_F(ControlFactoryTest, EveryControlPaintsWithMissingPicturesAndOddSizes) {
    const QString missing = "/nonexistent/folder/missing.png";
    for (const ClassCase& c : kClasses) {
        std::unique_ptr<QWidget> control(CreateCustomControl(c.name, nullptr));
        ASSERT_NE(control, nullptr);
        for (const char* attribute :
             {"lightimage", "keysetimage", "handimage", "redioimage", "normalimage", "hotimage",
              "pushedimage", "disabledimage", "shadowimage", "pillarimage"}) {
            SetControlAttribute(control.get(), attribute, missing);
        }
        SetControlAttribute(control.get(), "shadowimage",
                            "file='" + missing + "' source='0,0,5,5'");
        SetControlAttribute(control.get(), "shadowimageheight", "10");
        SetControlAttribute(control.get(), "view", "histpgram");
        SetControlAttribute(control.get(), "bkcolor", "not a colour");
        if (auto* key = qobject_cast<CDeviceKeyButtonUI*>(control.get())) {
            key->SetLightTint(0x00FF00, 255, TintSwitch::kOn);
            key->SetKeySetHidden(false);
        }
        if (auto* chart = qobject_cast<CChartViewUI*>(control.get())) {
            chart->AddItem("a", 3);
            chart->AddItem("b", -1);
            chart->AddItem("c", 0);
        }
        for (QSize size : {QSize(0, 0), QSize(1, 1), QSize(7, 300), QSize(120, 40)}) {
            control->resize(size);
            if (!size.isEmpty()) test::Render(*control);
        }
        if (auto* chart = qobject_cast<CChartViewUI*>(control.get())) {
            EXPECT_TRUE(chart->ShadowImage().isEmpty()) << "an unloadable shadow is dropped";
        }
    }
}

TEST_F(ControlFactoryTest, DynamicPropertiesReachTheAttributes) {
    CChartViewUI chart;
    EXPECT_EQ(chart.CurrentView(), CChartViewUI::View::kPie);
    chart.setProperty("view", "histpgram");
    EXPECT_EQ(chart.CurrentView(), CChartViewUI::View::kHistogram);
    chart.setProperty("view", "histogram");  // not a value the chart knows: unchanged
    EXPECT_EQ(chart.CurrentView(), CChartViewUI::View::kHistogram);
}

TEST_F(ControlFactoryTest, ColourAttributes) {
    EXPECT_EQ(ParseColorAttribute("#80FF0000"), QColor::fromRgba(0x80FF0000));
    EXPECT_EQ(ParseColorAttribute("0xff00ff00"), QColor::fromRgba(0xFF00FF00));
    EXPECT_EQ(ParseColorAttribute("#0000FF"), QColor::fromRgba(0xFF0000FF));
    for (const char* bad : {"", "#", "red", "#12345", "#GG000000", "#1234567890"}) {
        EXPECT_EQ(ParseColorAttribute(bad), std::nullopt) << bad;
    }
}

}  // namespace
}  // namespace vestra::ui
