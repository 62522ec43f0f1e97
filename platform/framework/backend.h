// What a backend implements besides the members of the framework's classes
// that the core leaves to it (window, controls, modal loop, icons, the
// toolkit's session in app_runner.h). The core calls these; the program
// never does.
#pragma once

#include <string>
#include <vector>

#include "platform/framework/cdialog.h"

// Shows `text` titled `title` with an OK button and the icon that `type`
// names (MB_ICON*), over the active dialog; returns IDOK once dismissed.
int ShowMessageBox(const std::string& text, const std::string& title, UINT type);

namespace kvn {

// The dialogs whose modal loop runs, innermost last; a backend adds a dialog
// when its window exists and removes it when the loop ends.
std::vector<CDialog*>& OpenDialogs();

} // namespace kvn
