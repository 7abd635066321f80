// The launcher's texts in its user's language: a language file's text, or the built-in English,
// with the product's details filled in.
#pragma once

#include <string>
#include <string_view>

#include "ui/main/form_main_tables.h"

namespace ss {

// The current year in the local calendar, as the About dialog's copyright line shows it.
std::string LocalYear();

// The text of `key` in LauncherLanguage's [TEXT] (else `english`), with {title}, {year},
// {copyright} and {version} filled from the application's title, the year and the settings as
// they stand; a translation is first cut between characters at `maxUnits` UTF-16 units.
std::string LauncherText(std::string_view key, std::string_view english,
                         std::size_t maxUnits = 1024);
inline std::string LauncherText(const main_window::LanguageText& text,
                                std::size_t maxUnits = 1024) {
  return LauncherText(text.key, text.english, maxUnits);
}

// What a screen reader calls a button: LauncherLanguage's [ACCESSIBILITY] name, else the
// settings', else the launcher's own.
std::string ButtonReaderName(const main_window::ButtonLayout& button);

}  // namespace ss
