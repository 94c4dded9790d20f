// A device's power display ("MpDevicePower"): battery level, charge state, wireless mark and,
// for the mouse pad, the phone lying on its charger.
#pragma once

#include <QString>
#include <QWidget>
#include <cstddef>
#include <cstdint>

class QLabel;
class QProgressBar;

namespace vestra::ui {
class Language;
class ResourceIndex;
}  // namespace vestra::ui

namespace vestra::app {

class CMpDevicePowerUI : public QWidget {
    Q_OBJECT
public:
    static constexpr char kClassName[] = "MpDevicePower";
    // Devices report at most this much of their power block.
    static constexpr size_t kBlockSize = 64;
    // The dynamic property that holds the image string a status label shows.
    static constexpr char kImageProperty[] = "bkimage";

    explicit CMpDevicePowerUI(QWidget* parent = nullptr);

    // Loads the power display layout (tabs/MpDevicePower.ui) into this widget and finds
    // its controls. False, with Error() set, when the layout cannot be built.
    bool Create(const ui::ResourceIndex& resources, const QString& layoutId);
    QString Error() const { return m_error; }

    void SetKind(int kind, int subType);
    int Kind() const { return m_kind; }
    int SubType() const { return m_subType; }
    void ShowPowerLayout(bool shown);
    // Where the phone tool tips come from; English when none is set. Not owned.
    void SetLanguage(const ui::Language* language) { m_language = language; }

    // block: byte 0 battery percent, 1 charge state, 3 wireless flag, 5 phone type. Shorter
    // blocks read as zero-padded. Nothing happens unless the layout has all its controls.
    void SetPowerStatus(const uint8_t* block, size_t length);

private:
    void SetImage(QLabel* label, const QString& imageString);

    QString m_error;
    QString m_skinFolder;
    const ui::Language* m_language = nullptr;
    QLabel* m_value = nullptr;
    QLabel* m_wirelessLogo = nullptr;
    QLabel* m_status = nullptr;
    QProgressBar* m_progress = nullptr;
    QLabel* m_phoneType = nullptr;
    QWidget* m_powerLayout = nullptr;
    int m_kind = 0;
    int m_subType = 0;
};

}  // namespace vestra::app
