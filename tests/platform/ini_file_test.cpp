#include "platform/ini_file.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <fstream>

#include "geometry/codepage.h"
#include "platform/file_services.h"
#include "service_test_support.h"

namespace {

TEST(IniFile, ReadsWindowsIniText) {
  TMemIniFile ini;
  ini.SetText(
      "orphan=before any section\n"
      "; a comment\r\n"
      "[Set1]\r\n"
      "Data1=6,20594,7943,\r\n"
      "  check1 =  1  \r\n"
      "Formula=a=b, \"c\"\r"
      "dup=first\n"
      "DUP=second\n"
      "[ other ]\n"
      "Data1=x\n"
      "[\x83\x41]\n"  // "ア": its second byte is "A"
      "k=a\n"
      "[\x83\x61]\n"  // "ヂ": its second byte is "a"
      "k=b\n");
  struct Case {
    const char* section;
    const char* key;
    const char* expected;
  };
  const Case cases[] = {
      {"Set1", "Data1", "6,20594,7943,"},  // commas are part of the value
      {"set1", "DATA1", "6,20594,7943,"},  // names ignore case
      {"Set1", "check1", "1"},             // blanks around key and value go
      {"Set1", "Formula", "a=b, \"c\""},   // the rest of the line after the first "="
      {"Set1", "dup", "first"},            // the first of two keys counts
      {"other", "Data1", "x"},             // section names are trimmed
      {"Set1", "orphan", "(default)"},     // lines before any section belong to none
      {"Set1", "; a comment", "(default)"},
      {"Set1", "missing", "(default)"},
      {"\x83\x41", "k", "a"},  // double-byte names do not fold their second byte
      {"\x83\x61", "k", "b"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ini.ReadString(c.section, c.key, "(default)"), c.expected) << c.section << " " << c.key;
  }
  EXPECT_EQ(ini.ReadSection("SET1"), (std::vector<std::string>{"Data1", "check1", "Formula", "dup", "DUP"}));
  EXPECT_TRUE(ini.SectionExists("OTHER"));
  EXPECT_TRUE(ini.ValueExists("set1", "formula"));
  EXPECT_FALSE(ini.ValueExists("Set2", "Data1"));
}

TEST(IniFile, NumbersAndBooleans) {
  struct Case {
    const char* value;
    int expected;  // with the default 77
  };
  const Case cases[] = {
      {"12", 12},
      {"+7", 7},
      {"-5", -5},
      {"$1A", 26},
      {"0x10", 16},
      {"-$10", -16},
      {"$FFFFFFFF", -1},
      {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"2147483648", 77},
      {"$100000000", 77},
      {"12a", 77},
      {"abc", 77},
      {"", 77},
      {"0x", 77},
      {"1 2", 77},
      {"-", 77},
  };
  for (const Case& c : cases) {
    TMemIniFile ini;
    ini.SetText(std::string("[S]\nk=") + c.value + "\n");
    EXPECT_EQ(ini.ReadInteger("S", "k", 77), c.expected) << c.value;
  }
  TMemIniFile ini;
  ini.SetText("[S]\nzero=0\none=1\ntwo=2\nword=true\n");
  EXPECT_FALSE(ini.ReadBool("S", "zero", true));
  EXPECT_TRUE(ini.ReadBool("S", "one", false));
  EXPECT_TRUE(ini.ReadBool("S", "two", false));
  EXPECT_TRUE(ini.ReadBool("S", "word", true));  // not a number: the default
  EXPECT_FALSE(ini.ReadBool("S", "word", false));
  EXPECT_TRUE(ini.ReadBool("S", "none", true));
}

TEST(IniFile, WritesReplaceInPlaceAndAppend) {
  TMemIniFile ini;
  ini.SetText("; kept\r\n[Set1]\r\nData1=6,20594,7943,\r\nscale=3\r\n[Other]\r\nx=1\r\n");
  ini.WriteBool("set1", "check1", false);
  ini.WriteInteger("SET1", "SCALE", 12);  // the key keeps its spelling in the file
  ini.WriteString("New", "Data2", "7,20594,7943,");
  ini.WriteString("Other", "line", "a\r\nb");
  EXPECT_EQ(ini.GetText(),
            "; kept\r\n"
            "\r\n"
            "[Set1]\r\n"
            "Data1=6,20594,7943,\r\n"
            "scale=12\r\n"
            "check1=0\r\n"
            "\r\n"
            "[Other]\r\n"
            "x=1\r\n"
            "line=a  b\r\n"
            "\r\n"
            "[New]\r\n"
            "Data2=7,20594,7943,\r\n"
            "\r\n");
  ini.DeleteKey("SET1", "data1");
  ini.EraseSection("other");
  EXPECT_EQ(ini.GetText(), "; kept\r\n\r\n[Set1]\r\nscale=12\r\ncheck1=0\r\n\r\n[New]\r\nData2=7,20594,7943,\r\n\r\n");
}

TEST(IniFile, RoundTripThroughTheFile) {
  ScratchFolder folder;
  const auto path = folder / "Zuro.ini";
  {
    TMemIniFile ini(path);  // no file yet: every default applies
    EXPECT_EQ(ini.ReadString("Set1", "Data1", "6,20594,7943,"), "6,20594,7943,");
    EXPECT_TRUE(ini.ReadBool("Set1", "check1", true));
    EXPECT_EQ(ini.ReadInteger("Set1", "scale", 12), 12);
    ini.WriteString("Set1", "Data1", "6,20594,7943,");
    ini.WriteString("Set1", "Data2", J("7,20594,7943,\"メモ, 鋼材\""));
    ini.WriteString("Set1", "Data3", "8,,,");
    ini.WriteBool("Set1", "check1", false);
    ini.WriteInteger("Set1", "scale", 0);
    ini.UpdateFile();
  }
  EXPECT_EQ(LoadWholeFile(path, kLargestSettingsFile),
            "[Set1]\r\nData1=6,20594,7943,\r\nData2=7,20594,7943,\"\x83\x81\x83\x82, \x8D\x7C\x8D\xDE\"\r\n"
            "Data3=8,,,\r\ncheck1=0\r\nscale=0\r\n\r\n");
  TMemIniFile again(path);
  EXPECT_EQ(again.ReadString("Set1", "Data1", ""), "6,20594,7943,");
  EXPECT_EQ(again.ReadString("Set1", "Data2", ""), J("7,20594,7943,\"メモ, 鋼材\""));
  EXPECT_EQ(again.ReadString("Set1", "Data3", ""), "8,,,");
  EXPECT_FALSE(again.ReadBool("Set1", "check1", true));
  EXPECT_EQ(again.ReadInteger("Set1", "scale", 12), 0);
  // Writing the four option keys leaves the moduli rows as they were.
  again.WriteBool("Set1", "check1", true);
  again.UpdateFile();
  EXPECT_EQ(TMemIniFile(path).ReadString("Set1", "Data3", "?"), "8,,,");
}

TEST(IniFile, NameEndingInALoneLeadByteMatchesItself) {
  // 0x82 opens a double-byte character but the name ends there.
  const std::string section = "Set\x82";
  const std::string key = "k\x82";
  TMemIniFile ini;
  ini.WriteString(section, key, "1");
  ini.WriteString(section, key, "2");
  EXPECT_EQ(ini.GetText(), "[Set\x82]\r\nk\x82=2\r\n\r\n");
  EXPECT_EQ(ini.ReadString(section, key, ""), "2");
  EXPECT_FALSE(ini.SectionExists("Set\x83"));
  EXPECT_TRUE(ini.SectionExists("SET\x82"));  // the letters still without case
}

TEST(IniFile, SettingsFileAboveItsLimitReadsAsEmpty) {
  ScratchFolder folder;
  const auto path = folder / "Zuro.ini";
  {
    std::ofstream out(path, std::ios::binary);
    out << "[Set1]\r\nscale=3\r\n";
  }
  ASSERT_EQ(::truncate(path.c_str(), kLargestSettingsFile + 1), 0);
  TMemIniFile ini(path);
  EXPECT_FALSE(ini.SectionExists("Set1"));
  EXPECT_EQ(ini.ReadInteger("Set1", "scale", 12), 12);
}

TEST(IniFile, UnwritableFileRaisesAndUnreadableReadsEmpty) {
  ScratchFolder folder;
  TMemIniFile ini(folder / "no_such_folder" / "Zuro.ini");
  EXPECT_EQ(ini.ReadInteger("Set1", "scale", 12), 12);
  ini.WriteInteger("Set1", "scale", 3);
  EXPECT_THROW(ini.UpdateFile(), FileError);

  TMemIniFile folderAsFile(folder.path());  // a folder reads as an empty file
  EXPECT_FALSE(folderAsFile.SectionExists("Set1"));
}

}  // namespace
