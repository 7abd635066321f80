#include "config/global_vars.h"

#include <gtest/gtest.h>

#include "core/errors.h"
#include "scramble.h"

namespace ss {
namespace {

ConfigStore Store(std::string_view clear) {
  return ParseConfigBuffer(test::Scramble(clear));
}

TEST(ReadGlobalVars, FillsEveryFieldFromItsKey) {
  TGlobalVars vars;
  ReadGlobalVars(Store("[SYSTEM]\n"
                       "Version=V\nCopyright=C\nSkin=1\nResFolder=R\nMoretoolstxt=MT\n"
                       "Moretoolslink=ML\nHelpContectLink=HC\nHelpHowTosTutorialVideosLink=HH\n"
                       "HelpHomePageLink=HP\nHelpMoreFreeToolsLink=HM\n"
                       "HelpCheckForUpdatesLink=HU\nHelpSupportLink=HS\n"),
                 vars);
  EXPECT_EQ(vars.Version, "V");
  EXPECT_EQ(vars.Copyright, "C");
  EXPECT_EQ(vars.Skin, 1);
  EXPECT_EQ(vars.ResFolder, "R");
  EXPECT_EQ(vars.Moretoolstxt, "MT");
  EXPECT_EQ(vars.Moretoolslink, "ML");
  EXPECT_EQ(vars.HelpContectLink, "HC");
  EXPECT_EQ(vars.HelpHowTosTutorialVideosLink, "HH");
  EXPECT_EQ(vars.HelpHomePageLink, "HP");
  EXPECT_EQ(vars.HelpMoreFreeToolsLink, "HM");
  EXPECT_EQ(vars.HelpCheckForUpdatesLink, "HU");
  EXPECT_EQ(vars.HelpSupportLink, "HS");
  EXPECT_EQ(vars.SettingsFolder, "");
}

TEST(ReadGlobalVars, InvalidSkinLeavesExactlyVersionAndCopyrightSet) {
  TGlobalVars vars;
  try {
    ReadGlobalVars(Store("[SYSTEM]\nVersion=V\nCopyright=C\nSkin=one\nResFolder=R\n"
                         "HelpHomePageLink=H\n"),
                   vars);
    FAIL() << "no error";
  } catch (const EConvertError& error) {
    EXPECT_EQ(error.message(), "'one' is not a valid integer value");
  }
  EXPECT_EQ(vars.Version, "V");
  EXPECT_EQ(vars.Copyright, "C");
  EXPECT_EQ(vars.Skin, 0);
  EXPECT_EQ(vars.ResFolder, "");
  EXPECT_EQ(vars.HelpHomePageLink, "");
}

TEST(ReadGlobalVars, EmptyFileStoresEmptyTextsThenFailsAtSkin) {
  TGlobalVars vars;
  vars.Version = "old";
  vars.Copyright = "old";
  EXPECT_THROW(
      {
        try {
          ReadGlobalVars(Store(""), vars);
        } catch (const EConvertError& error) {
          EXPECT_EQ(error.message(), "'' is not a valid integer value");
          throw;
        }
      },
      EConvertError);
  EXPECT_EQ(vars.Version, "");
  EXPECT_EQ(vars.Copyright, "");
}

TEST(ReadGlobalVars, HaloIsAlwaysOrNeverInAnyCaseAndAutoOtherwise) {
  const std::pair<const char*, HaloMode> cases[] = {
      {"[APPEARANCE]\nHalo=always\n", HaloMode::Always},
      {"[appearance]\nHALO = Never\n", HaloMode::Never},
      {"[APPEARANCE]\nHalo=never\n[OTHER]\nHalo=always\n", HaloMode::Never},
      {"[APPEARANCE]\nHalo=sometimes\n", HaloMode::Auto},
      {"Halo=always\n", HaloMode::Auto}};
  for (const auto& [clear, mode] : cases) {
    TGlobalVars vars;
    vars.Halo = HaloMode::Always;
    ReadGlobalVars(Store(std::string("[SYSTEM]\nSkin=0\n") + clear), vars);
    EXPECT_EQ(vars.Halo, mode) << clear;
  }
}

TEST(ReadGlobalVars, SkinIsTrimmedByTheParserBeforeConversion) {
  TGlobalVars vars;
  ReadGlobalVars(Store("[SYSTEM]\nSkin =   1   \n"), vars);
  EXPECT_EQ(vars.Skin, 1);
}

}  // namespace
}  // namespace ss
