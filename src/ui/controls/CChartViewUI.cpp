#include "ui/controls/CChartViewUI.h"

#include <QPainter>
#include <algorithm>

#include "ui/controls/ControlAttribute.h"
#include "ui/controls/ImageString.h"

namespace vestra::ui {

CChartViewUI::CChartViewUI(QWidget* parent) : QWidget(parent) {}

void CChartViewUI::AddItem(const QString& label, double value) {
    m_items.push_back({label, value});
    update();
}

void CChartViewUI::ClearItems() {
    m_items.clear();
    update();
}

void CChartViewUI::SetAttribute(const QString& name, const QString& value) {
    if (name == "view") {
        if (value == "pie") m_view = View::kPie;
        // The layouts spell the histogram view this way.
        if (value == "histpgram") m_view = View::kHistogram;
    } else if (name == "shadowimage") {
        m_shadowImage = value;
    } else if (name == "shadowimageheight") {
        m_shadowImageHeight = std::max(0, value.toInt());
    } else if (name == "pillarimage") {
        m_pillarImage = value;
    } else if (name == "pillarimagewidth") {
        m_pillarImageWidth = std::max(0, value.toInt());
    } else if (name == "showtext") {
        m_showText = value == "true";
    } else {
        return;
    }
    update();
}

bool CChartViewUI::event(QEvent* event) {
    if (auto attribute = AttributeFromEvent(*this, *event)) {
        SetAttribute(attribute->first, attribute->second);
    }
    return QWidget::event(event);
}

void CChartViewUI::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    double total = 0;
    for (const Item& item : m_items) total += std::max(0.0, item.value);
    if (m_view == View::kHistogram) {
        PaintHistogram(painter, total);
    } else if (total > 0) {
        PaintPie(painter, total);
    }
}

void CChartViewUI::PaintPie(QPainter& painter, double total) {
    // The pie takes the left square; the legend, when shown, the rest.
    const int side = std::min(width(), height());
    const QRect pie(0, (height() - side) / 2, side, side);
    int start = 90 * 16;
    const int rowHeight = fontMetrics().height() + 4;
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        const double value = std::max(0.0, m_items[i].value);
        const int span = static_cast<int>(-value / total * 360 * 16);
        painter.setPen(Qt::NoPen);
        painter.setBrush(ItemColor(i));
        painter.drawPie(pie, start, span);
        start += span;
        if (!m_showText) continue;
        const QRect row(side + 8, static_cast<int>(i) * rowHeight, width() - side - 8, rowHeight);
        painter.fillRect(QRect(row.left(), row.top() + 4, rowHeight - 8, rowHeight - 8),
                         ItemColor(i));
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(row.adjusted(rowHeight, 0, 0, 0), Qt::AlignVCenter, m_items[i].label);
    }
}

void CChartViewUI::PaintHistogram(QPainter& painter, double total) {
    const int band = m_showText ? kLegendHeight : 0;
    const int bottom = height() - band;
    if (!m_shadowImage.isEmpty()) {
        // A shadow picture that cannot be loaded is dropped rather than tried on every paint.
        if (ImageString::Load(ImageString::Parse(m_shadowImage).file).isNull()) {
            m_shadowImage.clear();
        } else {
            ImageString::Draw(painter,
                              QRect(0, bottom - m_shadowImageHeight, width(), m_shadowImageHeight),
                              m_shadowImage);
        }
    }
    if (m_items.empty() || total <= 0) return;

    double largest = 0;
    for (const Item& item : m_items) largest = std::max(largest, item.value);
    const int slot = width() / static_cast<int>(m_items.size());
    const int barWidth = m_pillarImageWidth > 0 ? m_pillarImageWidth : std::max(1, slot * 3 / 5);
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        const int barHeight =
            static_cast<int>(std::max(0.0, m_items[i].value) / largest * std::max(0, bottom - 4));
        const int x = static_cast<int>(i) * slot + (slot - barWidth) / 2;
        const QRect bar(x, bottom - barHeight, barWidth, barHeight);
        if (!ImageString::Draw(painter, bar, m_pillarImage)) painter.fillRect(bar, ItemColor(i));
        if (m_showText) {
            painter.setPen(palette().color(QPalette::WindowText));
            painter.drawText(QRect(static_cast<int>(i) * slot, bottom, slot, band), Qt::AlignCenter,
                             m_items[i].label);
        }
    }
}

QColor CChartViewUI::ItemColor(std::size_t index) const {
    // Hues spread by the golden angle around the palette's highlight stay apart for any count.
    const QColor base = palette().color(QPalette::Highlight);
    const int hue = (std::max(0, base.hslHue()) + static_cast<int>(index) * 137) % 360;
    return QColor::fromHsl(hue, std::max(base.hslSaturation(), 120), 140);
}

}  // namespace vestra::ui
