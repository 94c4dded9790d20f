// The fonts the layouts name by id (dynamic property "fontid"), all of one family.
#pragma once

#include <QFont>
#include <QString>
#include <map>

class QWidget;

namespace vestra::app {

class FontTable {
public:
    // The id of the default font, the one a window uses for controls that name none.
    static constexpr int kDefaultId = -1;

    // Builds every font of family, sizes in pixels at 96 dpi scaled to dpi; counts a generation.
    void Rebuild(const QString& family, int dpi);

    // The font of id; the default font for an unknown id.
    QFont Font(int id) const;
    QString Family() const { return m_family; }
    // How many times the table was built.
    int Generation() const { return m_generation; }

    // Gives root the default font and every widget at or below root that has a "fontid" property
    // ("default" or a number) its font; nothing before the first Rebuild.
    void ApplyTo(QWidget* root) const;

private:
    QString m_family;
    std::map<int, QFont> m_fonts;
    int m_generation = 0;
};

}  // namespace vestra::app
