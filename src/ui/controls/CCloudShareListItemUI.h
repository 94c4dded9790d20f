// A row of the shared-profile list: framed while the pointer is over it, "menu" on a right
// click when the layout enables it.
#pragma once

#include "ui/controls/ListRow.h"

namespace vestra::ui {

class CCloudShareListItemUI : public ListRow {
    Q_OBJECT
public:
    static constexpr char kClassName[] = "CloudShareListItemUI";

    explicit CCloudShareListItemUI(QWidget* parent = nullptr);

    // "menu" ("true" enables the context menu notification).
    Q_INVOKABLE void SetAttribute(const QString& name, const QString& value);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    bool m_menuEnabled = false;
};

}  // namespace vestra::ui
