#include "WindowMode.h"

namespace tagwright::session {

bool isEnabled(const WindowMode& mode, Command command)
{
    const bool browsingCommands = !mode.editing || mode.buttonsFreedByPrint;
    switch (mode.panel) {
    case Panel::Setup:
        return command == Command::Setup;
    case Panel::PrintOptions:
        return command == Command::Page && !mode.editing;
    case Panel::None:
        break;
    }
    switch (command) {
    case Command::Page:
        return !mode.editing;
    case Command::New:
    case Command::Exit:
    case Command::Delete:
    case Command::Setup:
        return browsingCommands;
    case Command::Save:
        return mode.saveOffered;
    case Command::Font:
    case Command::Logo:
    case Command::Print:
        return true;
    }
    return false;
}

}  // namespace tagwright::session
