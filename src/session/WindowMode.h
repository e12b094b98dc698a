#pragma once

#include <QMetaType>

namespace tagwright::session {

// The window's commands whose enabled state the mode decides. The page zones, the paging
// keys and the Next / Previous entries are one command.
enum class Command { Page, New, Save, Font, Logo, Print, Exit, Delete, Setup };

inline constexpr Command AllCommands[] = {Command::Page,  Command::New,  Command::Save,
                                          Command::Font,  Command::Logo, Command::Print,
                                          Command::Exit,  Command::Delete, Command::Setup};

// The panel over the card that holds the window's attention, if any.
enum class Panel { None, Setup, PrintOptions };

// What the window is doing, as far as it decides what the user may do next.
//
// Browsing offers paging, New, Delete, Exit and Setup; editing (a caption or an option
// changed) offers Save instead. Typing in the body offers Save and switches nothing else.
// The setup panel leaves only its own button. The print options panel takes the eight
// buttons and leaves paging as it was; closing it gives all eight back, Save and New
// together even while editing, until the next switch between browsing and editing.
struct WindowMode {
    bool editing = false;
    bool saveOffered = false;
    bool buttonsFreedByPrint = false;
    Panel panel = Panel::None;

    bool operator==(const WindowMode&) const = default;
};

// The one rule from the mode to what is enabled.
bool isEnabled(const WindowMode& mode, Command command);

}  // namespace tagwright::session
