// Builds a pop-up menu from a menu file and reports the chosen item to the owner window.
#pragma once

#include <QString>

class QMenu;

namespace vestra::ui {

class Language;
class WindowBase;

// A menu file:
//     <Menu>
//       <MenuElement name="copy" text="Copy" textid="copy_text" userdata="1"/>
//       <MenuElement name="mode" text="Mode" checkable="true" checked="true"/>
//       <MenuElement name="more" text="More">          (elements inside make a sub-menu)
//         <MenuElement name="paste" text="Paste"/>
//       </MenuElement>
//       <Separator/>
//     </Menu>
// With a language, an item shows the text of its "textid" when the language has one.
// Choosing an item calls owner->OnMenuCommand with its name, user data, text and checked state
// (after the click toggled it).
class MenuBuilder {
public:
    // The menu, owned by owner (a child object of it); null with error set when the file cannot
    // be read or is malformed.
    static QMenu* Build(const QString& file, WindowBase* owner, QString* error = nullptr,
                        const Language* language = nullptr);
};

}  // namespace vestra::ui
