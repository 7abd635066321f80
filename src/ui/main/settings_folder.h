// The name of the per-user data folder made from the application title.
#pragma once

#include <string>

namespace ss {

// The title with every character that a folder name cannot hold (\ / : * ? " < > | and bytes
// below 0x20) replaced by a space; a name of dots only ("." or "..") gets spaces for its dots,
// so no title can name a folder outside the user's application-data folder.
std::string SettingsFolderName(const std::string& title);

}  // namespace ss
