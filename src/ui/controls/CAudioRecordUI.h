// The level graph of the audio-light page: one bar per sample, two pixels apart, on white.
#pragma once

#include <QLabel>
#include <array>
#include <cstdint>
#include <span>

namespace vestra::ui {

class CAudioRecordUI : public QLabel {
    Q_OBJECT
public:
    static constexpr char kClassName[] = "AudioRecord";
    static constexpr int kSampleCount = 500;
    // A sample of this size fills the graph's height.
    static constexpr int kFullScale = 8192;

    explicit CAudioRecordUI(QWidget* parent = nullptr);

    // Replaces the first samples (at most kSampleCount) and repaints.
    void SetSamples(std::span<const std::int32_t> samples);
    std::int32_t Sample(int index) const { return m_samples[index]; }

    // Bars drawn at the current width: one per two pixels, at most one per sample.
    int BarCount() const;

    // The graph has no attributes of its own.
    Q_INVOKABLE void SetAttribute(const QString& name, const QString& value);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<std::int32_t, kSampleCount> m_samples{};
};

}  // namespace vestra::ui
