#pragma once

#include <string>

class QWidget;

namespace textures {

// Shows the platform's folder chooser with a title (left unset when empty) and a preselected initial
// folder; returns the chosen folder's path, or "" when the user cancels or the choice is not a folder.
std::u16string BrowseFolder(QWidget* owner, const std::u16string& initialFolder, const std::u16string& title);

} // namespace textures
