#include "app/i18n/FontTable.h"

#include <QVariant>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace vestra::app {
namespace {

struct FontRow {
    int id;
    int pixelSize;  // at 96 dpi
    bool underline;
    bool bold;
};

constexpr FontRow kFontRows[] = {
    {FontTable::kDefaultId, 12, false, false},
    {0, 15, false, false},
    {1, 14, true, false},
    {2, 18, false, false},
    {3, 30, false, false},
    {4, 16, false, false},
    {5, 20, false, false},
    {6, 22, false, false},
    {7, 14, false, false},
    {8, 12, false, false},
    {9, 11, false, false},
    {10, 10, false, false},
    {11, 28, false, false},
    {50, 18, false, true},
};

}  // namespace

void FontTable::Rebuild(const QString& family, int dpi) {
    m_family = family;
    m_fonts.clear();
    for (const FontRow& row : kFontRows) {
        QFont font(family);
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(row.pixelSize * dpi / 96.0))));
        font.setUnderline(row.underline);
        font.setBold(row.bold);
        m_fonts.emplace(row.id, font);
    }
    ++m_generation;
}

QFont FontTable::Font(int id) const {
    auto it = m_fonts.find(id);
    if (it == m_fonts.end()) it = m_fonts.find(kDefaultId);
    return it == m_fonts.end() ? QFont() : it->second;
}

void FontTable::ApplyTo(QWidget* root) const {
    if (!root || m_fonts.empty()) return;
    root->setFont(Font(kDefaultId));
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* widget : widgets) {
        const QVariant fontId = widget->property("fontid");
        if (!fontId.isValid()) continue;
        bool ok = false;
        const int id = fontId.toInt(&ok);
        widget->setFont(Font(ok ? id : kDefaultId));
    }
}

}  // namespace vestra::app
