#include "ui/Language.h"

#include <QFile>
#include <QVariant>
#include <QWidget>
#include <QXmlStreamReader>

namespace vestra::ui {

bool Language::LoadLanguage(const QString& file) {
    m_error.clear();
    QFile input(file);
    if (!input.open(QIODevice::ReadOnly)) {
        m_error = QString("cannot open %1: %2").arg(file, input.errorString());
        return false;
    }
    QHash<QString, QString> texts;
    QXmlStreamReader xml(&input);
    if (xml.readNextStartElement() && xml.name() != u"Language") {
        xml.raiseError("the root element is not Language");
    }
    while (!xml.hasError() && xml.readNextStartElement()) {
        if (xml.name() == u"Text" && xml.attributes().hasAttribute("id")) {
            texts.insert(xml.attributes().value("id").toString(),
                         xml.attributes().value("value").toString());
        }
        xml.skipCurrentElement();
    }
    if (xml.hasError()) {
        m_error = QString("%1 line %2: %3").arg(file).arg(xml.lineNumber()).arg(xml.errorString());
        return false;
    }
    m_texts = std::move(texts);
    return true;
}

void Language::ApplyLanguage(QWidget* root) const {
    if (!root) return;
    ApplyTo(root);
    for (QWidget* control : root->findChildren<QWidget*>()) ApplyTo(control);
}

void Language::ApplyTo(QWidget* control) const {
    const QString textId = control->property("textid").toString();
    if (!textId.isEmpty() && m_texts.contains(textId)) {
        const QString& text = m_texts[textId];
        // Labels, buttons and edits have a "text" property; a window shows its title.
        if (control->metaObject()->indexOfProperty("text") >= 0) {
            control->setProperty("text", text);
        } else if (control->isWindow()) {
            control->setWindowTitle(text);
        }
    }
    const QString tipId = control->property("tooltipid").toString();
    if (!tipId.isEmpty() && m_texts.contains(tipId)) control->setToolTip(m_texts[tipId]);
}

QString TextOr(const Language* language, const QString& id, const QString& fallback) {
    const QString text = language ? language->Text(id) : QString();
    return text.isEmpty() ? fallback : text;
}

}  // namespace vestra::ui
