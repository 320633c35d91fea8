#pragma once
// The simple tag commands: fixed texts inserted at the caret or wrapped
// around the selection, and the menus that hold them.

#include <span>
#include <string_view>

class CVeskHtmlView;

struct SimpleTagCommand {
    enum Operation { kInsert, kWrap, kParagraph };
    int id;
    Operation operation;
    std::string_view open;   // the inserted text, or the opening text
    std::string_view close;  // the closing text of a wrap
};

std::span<const SimpleTagCommand> SimpleTagCommands();
const SimpleTagCommand* FindSimpleTagCommand(int id);

// Gives the view every simple tag command.
void InstallSimpleTagCommands(CVeskHtmlView& view);
// Runs one of them on the view.
void RunSimpleTagCommand(CVeskHtmlView& view, const SimpleTagCommand& command);

// The layout of the menus "ﾃｷｽﾄ(&S)", "文字(&C)" and "ﾍﾟｰｼﾞ(&P)": a command id,
// a separator (0), or a submenu opening (kSubmenu, its title) and closing (kEndSubmenu).
struct TagMenuItem {
    static constexpr int kSeparator = 0;
    static constexpr int kSubmenu = -1;
    static constexpr int kEndSubmenu = -2;
    int id;
    // A submenu's title; for a command shown twice, the label of its second place.
    const char* title;
};
struct TagMenu {
    const char* title;
    std::span<const TagMenuItem> items;
};
std::span<const TagMenu> TagMenus();
