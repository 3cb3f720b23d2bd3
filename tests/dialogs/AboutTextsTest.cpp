#include <gtest/gtest.h>

#include "dialogs/AboutTexts.h"

namespace lumivane {
namespace {

TEST(FormatProductVersion, ReleaseAndServiceReleaseTails) {
  EXPECT_EQ(FormatProductVersion("1.5.0.0"), "1.5");
  EXPECT_EQ(FormatProductVersion("1.5.2.0"), "1.52");
  EXPECT_EQ(FormatProductVersion("1.5.0.1"), "1.50 SR1 (Service Release 1)");
  EXPECT_EQ(FormatProductVersion("2.10.3.12"), "2.103 SR12 (Service Release 12)");
  // A negative build counts as none; numbers lose their leading zeros.
  EXPECT_EQ(FormatProductVersion("1.5.3.-1"), "1.53");
  EXPECT_EQ(FormatProductVersion("01.05.00.00"), "1.5");
}

TEST(FormatProductVersion, AnythingButFourNumbersIsEmpty) {
  for (const char* text : {"", "1.5.0", "1.5.0.0.0", "1.5.x.0", "1..0.0", "1.5.0.0 ", "a.b.c.d",
                           "1.5.0.99999999999999999999"}) {
    EXPECT_EQ(FormatProductVersion(text), "") << text;
  }
}

TEST(MemorySizeText, UnitsChangeAtTheirThresholdsAndRound) {
  EXPECT_EQ(MemorySizeText(0, ","), "0 b");
  EXPECT_EQ(MemorySizeText(10239, ","), "10,239 b");
  EXPECT_EQ(MemorySizeText(10240, ","), "10 KB");
  // 10,751 bytes are 10.499 KB, 10,752 are 10.5 KB: rounded half up.
  EXPECT_EQ(MemorySizeText(10751, ","), "10 KB");
  EXPECT_EQ(MemorySizeText(10752, ","), "11 KB");
  EXPECT_EQ(MemorySizeText(10485759, ","), "10,240 KB");
  EXPECT_EQ(MemorySizeText(10485760, ","), "10 MB");
  EXPECT_EQ(MemorySizeText(4294967296ULL, ","), "4,096 MB");
  EXPECT_EQ(MemorySizeText(4294967296ULL, "."), "4.096 MB");
  EXPECT_EQ(MemorySizeText(4294967296ULL, "\u202f"), "4\u202f096 MB");
  EXPECT_EQ(MemorySizeText(1099511627776ULL * 3, ","), "3,145,728 MB");
}

TEST(MemoryLoadText, PercentThenLoad) {
  EXPECT_EQ(MemoryLoadText(37), "37% Load");
  EXPECT_EQ(MemoryLoadText(100), "100% Load");
}

TEST(WindowsProductName, TableOfBothFamilies) {
  using P = WindowsPlatform;
  auto name = [](P platform, int major, int minor, bool workstation = true,
                 std::string servicePack = "", bool r2 = false, int architecture = 0) {
    WindowsVersionInfo info;
    info.platform = platform;
    info.major = major;
    info.minor = minor;
    info.workstation = workstation;
    info.servicePack = std::move(servicePack);
    info.serverR2 = r2;
    info.processorArchitecture = architecture;
    return WindowsProductName(info);
  };
  EXPECT_EQ(name(P::Windows95Family, 4, 0, true, " C"), "Microsoft Windows 95 OSR2");
  EXPECT_EQ(name(P::Windows95Family, 4, 0, true, " B"), "Microsoft Windows 95 OSR2");
  EXPECT_EQ(name(P::Windows95Family, 4, 0, true, " A"), "Microsoft Windows 95");
  EXPECT_EQ(name(P::Windows95Family, 4, 10, true, " A"), "Microsoft Windows 98 SE");
  EXPECT_EQ(name(P::Windows95Family, 4, 10), "Microsoft Windows 98");
  EXPECT_EQ(name(P::Windows95Family, 4, 90), "Microsoft Windows Millennium Edition");
  EXPECT_EQ(name(P::NTFamily, 6, 0, true), "Microsoft Windows Vista");
  EXPECT_EQ(name(P::NTFamily, 6, 0, false), "Microsoft Windows Server 2008");
  EXPECT_EQ(name(P::NTFamily, 5, 2, true, "", true, 6), "Microsoft Windows Server 2003 \"R2\"");
  EXPECT_EQ(name(P::NTFamily, 5, 2, true, "", false, 6),
            "Microsoft Windows XP Professional x64 Edition");
  EXPECT_EQ(name(P::NTFamily, 5, 2, false, "", false, 6), "Microsoft Windows Server 2003");
  EXPECT_EQ(name(P::NTFamily, 5, 2, true, "", false, 0), "Microsoft Windows Server 2003");
  EXPECT_EQ(name(P::NTFamily, 5, 1), "Microsoft Windows XP");
  EXPECT_EQ(name(P::NTFamily, 5, 0), "Microsoft Windows 2000");
  EXPECT_EQ(name(P::NTFamily, 4, 0), "Microsoft Windows NT");
  EXPECT_EQ(name(P::NTFamily, 3, 51), "Microsoft Windows NT");
  EXPECT_EQ(name(P::NTFamily, 6, 1), "Microsoft Windows 7");
  // Versions the table does not know.
  EXPECT_EQ(name(P::NTFamily, 10, 0), "");
  EXPECT_EQ(name(P::NTFamily, 6, 2), "");
  EXPECT_EQ(name(P::Windows95Family, 5, 0), "");
  EXPECT_EQ(name(P::Other, 5, 1), "");
}

TEST(WindowsServicePackText, NtOnlyWithTheHotfixSpecialCase) {
  WindowsVersionInfo info;
  info.platform = WindowsPlatform::NTFamily;
  info.major = 4;
  info.servicePackMajor = 6;
  info.servicePack = "Service Pack 6";
  EXPECT_EQ(WindowsServicePackText(info, true), "Service Pack 6a");
  EXPECT_EQ(WindowsServicePackText(info, false), "Service Pack 6");
  info.major = 5;
  EXPECT_EQ(WindowsServicePackText(info, true), "Service Pack 6");
  info.platform = WindowsPlatform::Windows95Family;
  info.servicePack = " C";
  EXPECT_EQ(WindowsServicePackText(info, false), "");
  // An unknown version with a service pack shows the bracket alone.
  EXPECT_EQ(PlatformLine("", "Service Pack 1"), " (Service Pack 1)");
  EXPECT_EQ(PlatformLine("Microsoft Windows XP", "Service Pack 3"),
            "Microsoft Windows XP (Service Pack 3)");
  EXPECT_EQ(PlatformLine("Microsoft Windows XP", ""), "Microsoft Windows XP");
}

TEST(OsReleasePrettyName, QuotingAndFallback) {
  EXPECT_EQ(OsReleasePrettyName("NAME=\"Debian GNU/Linux\"\n"
                                "PRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n"
                                "ID=debian\n"),
            "Debian GNU/Linux 12 (bookworm)");
  EXPECT_EQ(OsReleasePrettyName("PRETTY_NAME='It''s \"odd\"'\n"), "Its \"odd\"");
  EXPECT_EQ(OsReleasePrettyName("PRETTY_NAME=\"A \\\"quoted\\\" \\$name\"\r\n"),
            "A \"quoted\" $name");
  EXPECT_EQ(OsReleasePrettyName("PRETTY_NAME=Bare\n"), "Bare");
  // Comments and look-alike keys are no assignment; the last one wins.
  EXPECT_EQ(OsReleasePrettyName("#PRETTY_NAME=\"No\"\nXPRETTY_NAME=No\n"
                                "PRETTY_NAME=First\nPRETTY_NAME=\"Second\"\n"),
            "Second");
  EXPECT_EQ(OsReleasePrettyName("ID=arch\n"), "Linux");
  EXPECT_EQ(OsReleasePrettyName(""), "Linux");
}

TEST(ParseMemInfo, TotalAndLoadFromAvailable) {
  const auto status = ParseMemInfo(
      "MemTotal:        4194304 kB\n"
      "MemFree:          100000 kB\n"
      "MemAvailable:    2642411 kB\n"
      "Buffers:           20000 kB\n"
      "HugePages_Total:       0\n");
  ASSERT_TRUE(status);
  EXPECT_EQ(status->totalBytes, 4294967296ULL);
  // 2,642,411 of 4,194,304 is 62.99 % free: 100 - 62 = 38.
  EXPECT_EQ(status->loadPercent, 38);
  EXPECT_EQ(MemorySizeText(status->totalBytes, ","), "4,096 MB");
}

TEST(ParseMemInfo, OlderKernelsAndBrokenTables) {
  // No MemAvailable: free, buffers and page cache count as available.
  const auto old = ParseMemInfo(
      "MemTotal: 1000 kB\nMemFree: 300 kB\nBuffers: 100 kB\n"
      "Cached: 230 kB\nSwapCached: 999 kB\n");
  ASSERT_TRUE(old);
  EXPECT_EQ(old->loadPercent, 37);
  // More available than total cannot make a negative load.
  EXPECT_EQ(ParseMemInfo("MemTotal: 10 kB\nMemAvailable: 20 kB\n")->loadPercent, 0);
  EXPECT_EQ(ParseMemInfo("MemTotal: 10 kB\nMemAvailable: 0 kB\n")->loadPercent, 100);
  EXPECT_FALSE(ParseMemInfo(""));
  EXPECT_FALSE(ParseMemInfo("MemTotal: 0 kB\n"));
  EXPECT_FALSE(ParseMemInfo("MemTotal: lots kB\nMemAvailable: 10 kB\n"));
  EXPECT_FALSE(ParseMemInfo("MemTotal: 99999999999999999999 kB\n"));
}

}  // namespace
}  // namespace lumivane
