// A chart of labelled values, as a pie or as a histogram with an optional shadow strip and a
// legend band.
#pragma once

#include <QString>
#include <QWidget>
#include <vector>

namespace vestra::ui {

class CChartViewUI : public QWidget {
    Q_OBJECT
public:
    static constexpr char kClassName[] = "ChartView";
    enum class View { kPie, kHistogram };
    // Height of the legend band under the histogram when labels are shown.
    static constexpr int kLegendHeight = 25;

    struct Item {
        QString label;
        double value = 0;
    };

    explicit CChartViewUI(QWidget* parent = nullptr);

    void AddItem(const QString& label, double value);
    void ClearItems();
    const std::vector<Item>& Items() const { return m_items; }

    View CurrentView() const { return m_view; }
    QString ShadowImage() const { return m_shadowImage; }

    // "view" ("pie" or "histpgram"), "shadowimage", "shadowimageheight", "pillarimage",
    // "pillarimagewidth" and "showtext" ("true" or not); names and values compared exactly.
    // "showhtml" and "font" are accepted from older layouts: labels are plain text in the
    // widget's own font.
    Q_INVOKABLE void SetAttribute(const QString& name, const QString& value);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void PaintPie(QPainter& painter, double total);
    void PaintHistogram(QPainter& painter, double total);
    QColor ItemColor(std::size_t index) const;

    View m_view = View::kPie;
    QString m_shadowImage;
    int m_shadowImageHeight = 0;
    QString m_pillarImage;
    int m_pillarImageWidth = 0;
    bool m_showText = true;
    std::vector<Item> m_items;
};

}  // namespace vestra::ui
