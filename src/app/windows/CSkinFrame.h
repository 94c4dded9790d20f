// The drop-down frame where the user picks the main window's background.
#pragma once

#include "app/windows/MainIni.h"
#include "app/windows/SkinChangedParam.h"
#include "app/windows/WindowContext.h"
#include "ui/WindowBase.h"

namespace vestra::app {

// A pop-up below its anchor: preset images ("skin_image_btn_N", image in the property
// "bkimage"), preset colours ("skin_color_btn_N", "#AARRGGBB" in "bkcolor"), the default
// background and a picture file of the user's. Choices go out through SkinNoticeHub; preset and
// default choices are also written to main.ini. The frame closes (and deletes itself) when the
// user clicks outside it or it is deactivated.
class CSkinFrame : public ui::WindowBase {
    Q_OBJECT
public:
    static constexpr char kDefaultImage[] = "common/background.png";

    // Builds the layout "skin.xml" (an empty frame when it cannot be built) and places the
    // frame with its top right corner at the anchor's bottom right corner.
    CSkinFrame(const WindowContext& context, QWidget* anchor, MainIni ini = MainIni());

    // Creates a frame below anchor and shows it.
    static CSkinFrame* Open(const WindowContext& context, QWidget* anchor);

    void PlaceBelow(const QWidget* anchor);

protected:
    void InitWindow() override;
    void Notify(const ui::Notification& notification) override;
    bool event(QEvent* event) override;

    // Asks the user for a picture file; empty when cancelled.
    virtual QString AskForImageFile();

private:
    void ChooseCustomImage();

    WindowContext m_context;
    MainIni m_ini;
    bool m_askingForFile = false;
};

}  // namespace vestra::app
