#include <gtest/gtest.h>

#include "platform/RegistryFile.h"

namespace lumivane {
namespace {

constexpr const char* kKey = "HKEY_CURRENT_USER\\Software\\Brennick\\Lumivane";

std::string Utf16Le(const std::string& ascii) {
  std::string out = "\xFF\xFE";
  for (char c : ascii) {
    out += c;
    out += '\0';
  }
  return out;
}

TEST(RegistryFile, ReadsWhatTheWindowsEditorExports) {
  // UTF-16 with BOM, CRLF, a continued hex line, a key name in other case.
  const std::string exported = Utf16Le(
      "Windows Registry Editor Version 5.00\r\n\r\n"
      "[HKEY_CURRENT_USER\\SOFTWARE\\Brennick\\Lumivane]\r\n"
      "\"RefreshEvery\"=dword:0000000a\r\n"
      "\"Language\"=\"Deutsch\"\r\n"
      "\"DisplayFont\"=hex:f5,ff,ff,ff,00,00,00,00,00,00,00,00,00,00,00,00,bc,02,00,\\\r\n"
      "  00,00,00,00,01\r\n"
      "\"Path\"=\"C:\\\\Users\\\\\\\"x\\\"\"\r\n");
  RegistryFile file(kKey);
  file.Parse(exported);
  EXPECT_EQ(file.ReadDword("refreshevery"), 10u);
  EXPECT_EQ(file.ReadString("Language"), "Deutsch");
  const auto font = file.ReadBinary("DisplayFont");
  ASSERT_TRUE(font);
  ASSERT_EQ(font->size(), 24u);
  EXPECT_EQ((*font)[0], 0xf5);
  EXPECT_EQ((*font)[16], 0xbc);
  EXPECT_EQ((*font)[23], 0x01);
  EXPECT_EQ(file.ReadString("Path"), "C:\\Users\\\"x\"");
  EXPECT_EQ(file.SkippedLines(), 0);
}

TEST(RegistryFile, AValueOfAnotherKindCountsAsMissing) {
  RegistryFile file(kKey);
  file.Parse("[HKEY_CURRENT_USER\\Software\\Brennick\\Lumivane]\n\"A\"=\"12\"\n\"B\"=dword:1\n");
  EXPECT_FALSE(file.ReadDword("A"));
  EXPECT_FALSE(file.ReadString("B"));
  EXPECT_FALSE(file.ReadBinary("B"));
}

TEST(RegistryFile, DamagedLinesAreSkippedAndTheRestIsRead) {
  RegistryFile file(kKey);
  file.Parse(
      "Windows Registry Editor Version 5.00\n\n"
      "[HKEY_CURRENT_USER\\Software\\Brennick\\Lumivane]\n"
      "\"A\"=dword:zz\n"
      "\"B\"=\"unterminated\n"
      "garbage\n"
      "\"C\"=dword:123456789\n"
      "\"D\"=hex:1,2x\n"
      "\"E\"=dword:00000005\n"
      "[HKEY_CURRENT_USER\\Software\\Other]\n"
      "\"E\"=dword:00000009\n");
  EXPECT_EQ(file.SkippedLines(), 5);
  EXPECT_EQ(file.ReadDword("E"), 5u);
  EXPECT_EQ(file.Values().size(), 1u);
}

TEST(RegistryFile, WritesTheStoreFormatAndReadsItBack) {
  RegistryFile file(kKey);
  file.SetDword("Number", 10);
  file.SetString("Text", "a \"quoted\" \\ path");
  file.SetBinary("Bytes", {0xf5, 0xff, 0x00});
  const std::string text = file.Serialize();
  EXPECT_EQ(text,
            "Windows Registry Editor Version 5.00\n\n"
            "[HKEY_CURRENT_USER\\Software\\Brennick\\Lumivane]\n"
            "\"Number\"=dword:0000000a\n"
            "\"Text\"=\"a \\\"quoted\\\" \\\\ path\"\n"
            "\"Bytes\"=hex:f5,ff,00\n");
  RegistryFile again(kKey);
  again.Parse(text);
  EXPECT_EQ(again.ReadString("Text"), "a \"quoted\" \\ path");
  EXPECT_EQ(again.ReadBinary("Bytes"), (std::vector<std::uint8_t>{0xf5, 0xff, 0x00}));
}

TEST(RegistryFile, OtherKeysAndUnknownKindsSurviveARewrite) {
  RegistryFile file(kKey);
  file.Parse(
      "[HKEY_CURRENT_USER\\Software\\Brennick\\Lumivane]\n"
      "\"Multi\"=hex(7):41,00,00,00\n"
      "[HKEY_CURRENT_USER\\Software\\Other]\n"
      "\"X\"=dword:00000001\n");
  file.SetDword("Number", 1);
  const std::string text = file.Serialize();
  EXPECT_NE(text.find("\"Multi\"=hex(7):41,00,00,00\n"), std::string::npos);
  EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Other]\n\"X\"=dword:00000001\n"),
            std::string::npos);
}

}  // namespace
}  // namespace lumivane
