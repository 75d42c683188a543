// Splitting the program path and joining the INI path.
#include "watcher/config/ini_path.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Text(const PathPart &part) { return std::string(part.text, part.length); }

std::string Split(const char *path) {
  PathParts parts;
  SplitPath(path, &parts);
  return Text(parts.drive) + "|" + Text(parts.directory) + "|" + Text(parts.baseName) + "|" +
         Text(parts.extension);
}

std::string Ini(const std::string &path) {
  char out[256];
  return DeriveIniPath(path.c_str(), out, sizeof(out)) ? std::string(out) : "<none>";
}

TEST(SplitPath, FindsDriveDirectoryBaseNameAndExtension) {
  EXPECT_EQ(Split("C:\\TOOLS\\KORVANE.EXE"), "C:|\\TOOLS\\|KORVANE|.EXE");
  EXPECT_EQ(Split("c:/tools/korvane.exe"), "c:|/tools/|korvane|.exe");
  EXPECT_EQ(Split("D:\\a/b\\K.EXE"), "D:|\\a/b\\|K|.EXE");
  EXPECT_EQ(Split("C:\\v1.3\\my.tools\\KORVANE"), "C:|\\v1.3\\my.tools\\|KORVANE|");
  EXPECT_EQ(Split("C:\\TOOLS\\K.tar.EXE"), "C:|\\TOOLS\\|K.tar|.EXE");
}

TEST(SplitPath, DriveOnlyWhenTheSecondCharacterIsAColon) {
  EXPECT_EQ(Split("\\\\server\\share\\K.EXE"), "|\\\\server\\share\\|K|.EXE");
  EXPECT_EQ(Split("tools\\K.EXE"), "|tools\\|K|.EXE");
  EXPECT_EQ(Split("AB:\\K.EXE"), "|AB:\\|K|.EXE");
  EXPECT_EQ(Split("C:KORVANE.EXE"), "C:||KORVANE|.EXE");
  EXPECT_EQ(Split("KORVANE.EXE"), "||KORVANE|.EXE");
  EXPECT_EQ(Split("K"), "||K|");
}

TEST(JoinPath, AddsOnlyTheMissingSeparatorAndDot) {
  PathParts parts = {{"Q:", 2}, {"\\TOOLS", 6}, {"KV", 2}, {"INI", 3}};
  char out[64];
  ASSERT_EQ(JoinPath(&parts, out, sizeof(out)), 1);
  EXPECT_STREQ(out, "Q:\\TOOLS\\KV.INI");
  parts.directory = {"/x/", 3};
  parts.extension = {".INI", 4};
  ASSERT_EQ(JoinPath(&parts, out, sizeof(out)), 1);
  EXPECT_STREQ(out, "Q:/x/KV.INI");
  parts.drive = {"", 0};
  parts.directory = {"", 0};
  ASSERT_EQ(JoinPath(&parts, out, sizeof(out)), 1);
  EXPECT_STREQ(out, "KV.INI");
}

TEST(DeriveIniPath, KeepsDirectoryAndBaseNameAndReplacesTheExtension) {
  EXPECT_EQ(Ini("C:\\TOOLS\\KORVANE.EXE"), "C:\\TOOLS\\KORVANE.INI");
  EXPECT_EQ(Ini("C:/tools/korvane.exe"), "C:/tools/korvane.INI");
  EXPECT_EQ(Ini("C:\\v1.3\\KORVANE"), "C:\\v1.3\\KORVANE.INI");
  EXPECT_EQ(Ini("\\\\srv\\sh\\KORVANE.EXE"), "\\\\srv\\sh\\KORVANE.INI");
  EXPECT_EQ(Ini("KORVANE.EXE"), "KORVANE.INI");
}

TEST(DeriveIniPath, LongBaseNamesAndExtensionsAreKeptWhole) {
  EXPECT_EQ(Ini("C:\\T\\binding_test_long_name.exe"), "C:\\T\\binding_test_long_name.INI");
  EXPECT_EQ(Ini("C:\\T\\K.executable"), "C:\\T\\K.INI");
  std::string dir = "C:\\" + std::string(150, 'd') + "\\";
  std::string base(60, 'b');
  EXPECT_EQ(Ini(dir + base + ".program"), dir + base + ".INI");
}

TEST(DeriveIniPath, AResultAbove255CharactersIsNoPath) {
  std::string dir = "C:\\" + std::string(240, 'd') + "\\";  // 244 characters
  EXPECT_EQ(Ini(dir + "1234567.EXE").size(), 255u);
  EXPECT_EQ(Ini(dir + "12345678.EXE"), "<none>");
  char out[9] = "junk";
  EXPECT_EQ(DeriveIniPath("C:\\K.EXE", out, 8), 0);  // "C:\K.INI" needs 9 bytes
  EXPECT_STREQ(out, "");
  EXPECT_EQ(DeriveIniPath("C:\\K.EXE", out, 9), 1);
  EXPECT_STREQ(out, "C:\\K.INI");
}

}  // namespace
