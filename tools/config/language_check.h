// suitestart-config: the language files of a launcher folder (lang\<tag>.ini), checked and
// shown as the launcher reads them.
#pragma once

#include <string>
#include <vector>

#include "config/config_store.h"
#include "tools/config/folder_check.h"
#include "tools/config/folder_view.h"

namespace ss::tool {

// Checks every file in the folder's lang\ and the settings' [LANGUAGE] choice against them:
// names, encoding, sections and keys (with line numbers), placeholders against the English
// texts', mnemonics that clash in a menu; and the skin folder `skinFolder` (relative, empty when
// unknown) for picture folders of languages without a file and right-to-left languages without a
// main picture of their own. Appends to `report`; nothing here stops the launcher.
void CheckLanguageFiles(const FolderView& folder, const ConfigStore& settings,
                        const std::string& skinFolder, FolderReport& report);

// Every text of the launcher as it would show them for the user language `tag`, after every
// fallback (a button's name for readers last from `settings`' [ACCESSIBILITY]), one "Key: text"
// line each, headed by the file chosen (or the built-in English). Placeholders stay as they are.
// Raises std::invalid_argument when `tag` is no language tag.
std::string FormatLanguageTexts(const FolderView& folder, const ConfigStore& settings,
                                const std::string& tag);

}  // namespace ss::tool
