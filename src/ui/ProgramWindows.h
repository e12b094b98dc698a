#pragma once

class QWidget;

namespace tagwright::ui {

// The main window redisplays the default template when it becomes active again after one
// of the program's own windows was active (the logo selection window), but not after a
// message box, a system dialog or another program, which would throw away what the user
// typed. A window takes part by being marked once, before it is first shown:
//
//     markAsWindowOfProgram(logoWindow);
//
// The mark is the dynamic property "tagwright.windowOfProgram" set to true.
inline constexpr char WindowOfProgramProperty[] = "tagwright.windowOfProgram";

void markAsWindowOfProgram(QWidget* window);
bool isWindowOfProgram(const QWidget* window);

}  // namespace tagwright::ui
