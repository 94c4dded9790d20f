#include "ui/controls/CAudioRecordUI.h"

#include <QPainter>
#include <algorithm>

namespace vestra::ui {

CAudioRecordUI::CAudioRecordUI(QWidget* parent) : QLabel(parent) {
    // A ramp over the first half shows the graph's scale before any audio arrives.
    for (int i = 0; i < 256; ++i) m_samples[i] = i;
}

void CAudioRecordUI::SetSamples(std::span<const std::int32_t> samples) {
    const std::size_t count = std::min<std::size_t>(samples.size(), kSampleCount);
    std::copy_n(samples.begin(), count, m_samples.begin());
    update();
}

int CAudioRecordUI::BarCount() const {
    return std::clamp((width() + 1) / 2, 0, kSampleCount);
}

void CAudioRecordUI::SetAttribute(const QString&, const QString&) {}

void CAudioRecordUI::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const int h = height();
    const int bars = BarCount();
    for (int i = 0; i < bars; ++i) {
        // Samples below zero or above full scale draw an empty or a full bar.
        const qint64 scaled = qint64(m_samples[i]) * h / kFullScale;
        const int barHeight = static_cast<int>(std::clamp<qint64>(scaled, 0, h));
        if (barHeight > 0) painter.fillRect(2 * i, h - barHeight, 1, barHeight, Qt::black);
    }
}

}  // namespace vestra::ui
