#include "ui/MenuBuilder.h"

#include <QFile>
#include <QMenu>
#include <QXmlStreamReader>

#include "ui/Language.h"
#include "ui/MenuCommand.h"
#include "ui/WindowBase.h"

namespace vestra::ui {
namespace {

bool IsTrue(QStringView value) {
    return value.compare(u"true", Qt::CaseInsensitive) == 0;
}

// Reads the children of the current element into menu, up to the element's end.
void ReadElements(QXmlStreamReader& xml, QMenu* menu, WindowBase* owner, const Language* language) {
    while (xml.readNextStartElement()) {
        if (xml.name() == u"Separator") {
            menu->addSeparator();
            xml.skipCurrentElement();
            continue;
        }
        if (xml.name() != u"MenuElement") {
            xml.raiseError(QString("unexpected element %1").arg(xml.name()));
            return;
        }
        const QXmlStreamAttributes attributes = xml.attributes();
        const QString name = attributes.value("name").toString();
        // A text id in the current language wins over the element's own text.
        const QString translated =
            language ? language->Text(attributes.value("textid").toString()) : QString();
        const QString text =
            translated.isEmpty() ? attributes.value("text").toString() : translated;
        const QString userData = attributes.value("userdata").toString();
        const bool checkable = IsTrue(attributes.value("checkable"));
        const bool checked = IsTrue(attributes.value("checked"));

        auto* sub = new QMenu(text, menu);
        ReadElements(xml, sub, owner, language);
        if (xml.hasError()) return;
        if (!sub->isEmpty()) {
            sub->menuAction()->setObjectName(name);
            menu->addMenu(sub);
            continue;
        }
        delete sub;
        QAction* action = menu->addAction(text);
        action->setObjectName(name);
        action->setCheckable(checkable);
        action->setChecked(checked);
        QObject::connect(
            action, &QAction::triggered, owner, [owner, name, userData, action](bool isChecked) {
                owner->OnMenuCommand(MenuCommand{name, userData, action->text(), isChecked});
            });
    }
}

}  // namespace

QMenu* MenuBuilder::Build(const QString& file, WindowBase* owner, QString* error,
                          const Language* language) {
    QFile input(file);
    if (!input.open(QIODevice::ReadOnly)) {
        if (error) *error = QString("cannot open %1: %2").arg(file, input.errorString());
        return nullptr;
    }
    QXmlStreamReader xml(&input);
    auto* menu = new QMenu(owner);
    if (xml.readNextStartElement()) {
        if (xml.name() == u"Menu") {
            ReadElements(xml, menu, owner, language);
        } else {
            xml.raiseError("the root element is not Menu");
        }
    }
    if (xml.hasError()) {
        if (error) {
            *error =
                QString("%1 line %2: %3").arg(file).arg(xml.lineNumber()).arg(xml.errorString());
        }
        delete menu;
        return nullptr;
    }
    return menu;
}

}  // namespace vestra::ui
