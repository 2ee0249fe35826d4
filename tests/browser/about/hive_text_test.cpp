// The hive text format: what each kind of line gives, and which texts are refused.
#include "browser/about/hive_text.h"

#include <gtest/gtest.h>

#include "browser/about/registry.h"

namespace {

using browser::registry::Hive;
using browser::registry::HiveValue;
using browser::registry::ParseHive;
using namespace browser::registry;

constexpr char kRoot[] = "HKEY_LOCAL_MACHINE";

struct ValueRow {
  const char* name;
  const char* line;  // one value line in [HKEY_LOCAL_MACHINE\K]
  const char* value_name;
  HiveValue expected;
};

class HiveValueLine : public testing::TestWithParam<ValueRow> {};

TEST_P(HiveValueLine, GivesTypeAndExactBytes) {
  const ValueRow& row = GetParam();
  const auto hive = ParseHive(std::string("REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n") + row.line, kRoot);
  ASSERT_TRUE(hive.has_value());
  const auto& values = hive->keys.at("k").values;
  ASSERT_TRUE(values.contains(row.value_name));
  EXPECT_EQ(values.at(row.value_name), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, HiveValueLine,
    testing::Values(
        ValueRow{"Text",
                 R"("Path"="/usr/bin/tool")",
                 "path",
                 {REG_SZ, {'/', 'u', 's', 'r', '/', 'b', 'i', 'n', '/', 't', 'o', 'o', 'l', 0}}},
        ValueRow{"EmptyText", R"("E"="")", "e", {REG_SZ, {0}}},
        ValueRow{"EscapedQuoteAndBackslash",
                 R"("Q"="a\"b\\c")",
                 "q",
                 {REG_SZ, {'a', '"', 'b', '\\', 'c', 0}}},
        ValueRow{"Utf8TextIsItsBytes", "\"U\"=\"\xC3\xA9\"", "u", {REG_SZ, {0xC3, 0xA9, 0}}},
        ValueRow{"DefaultValue", R"(@="d")", "", {REG_SZ, {'d', 0}}},
        ValueRow{"DwordLeastSignificantFirst",
                 R"("N"=dword:0000001a)",
                 "n",
                 {REG_DWORD, {0x1a, 0, 0, 0}}},
        ValueRow{
            "DwordShortAndUpperCase", R"("N"=DWORD:A0B)", "n", {REG_DWORD, {0x0b, 0x0a, 0, 0}}},
        ValueRow{"Binary", R"("B"=hex:00,ff,10)", "b", {REG_BINARY, {0x00, 0xff, 0x10}}},
        ValueRow{"BinaryEmpty", R"("B"=hex:)", "b", {REG_BINARY, {}}},
        ValueRow{
            "Expandable", R"("X"=hex(2):25,41,25,00)", "x", {REG_EXPAND_SZ, {'%', 'A', '%', 0}}},
        ValueRow{"AnyType", R"("M"=hex(7):61,00,00)", "m", {REG_MULTI_SZ, {'a', 0, 0}}},
        ValueRow{"ContinuedLines",
                 "\"C\"=hex:01,02,\\\r\n  03,\\\n  04",
                 "c",
                 {REG_BINARY, {1, 2, 3, 4}}},
        ValueRow{"NamesFoldCase", R"("MiXeD"="v")", "mixed", {REG_SZ, {'v', 0}}},
        ValueRow{"BlanksAroundEquals", "\"S\" = \"v\"  ", "s", {REG_SZ, {'v', 0}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HiveText, KeysFoldCaseAndImplyTheirParents) {
  const auto hive = ParseHive(
      "\xEF\xBB\xBF; written by hand\r\nREGEDIT4\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\r\n\"PATH\"=\"x\"\r\n"
      "[hkey_local_machine\\software\\microsoft\\shared tools\\msinfo]\r\n\"Other\"=\"y\"\r\n",
      kRoot);
  ASSERT_TRUE(hive.has_value());
  for (const char* key :
       {"", "software", "software\\microsoft", "software\\microsoft\\shared tools"})
    EXPECT_TRUE(hive->keys.contains(key)) << key;
  // The same key named twice is one key with the values of both sections.
  EXPECT_EQ(hive->keys.at("software\\microsoft\\shared tools\\msinfo").values.size(), 2u);
}

TEST(HiveText, ALaterValueOfTheSameNameReplacesTheEarlier) {
  const auto hive =
      ParseHive("REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n\"a\"=\"1\"\n\"A\"=\"2\"\n", kRoot);
  ASSERT_TRUE(hive.has_value());
  EXPECT_EQ(hive->keys.at("k").values.at("a").data, (std::vector<std::uint8_t>{'2', 0}));
}

struct MalformedRow {
  const char* name;
  const char* text;
};

class MalformedHive : public testing::TestWithParam<MalformedRow> {};

TEST_P(MalformedHive, GivesNoHive) { EXPECT_FALSE(ParseHive(GetParam().text, kRoot).has_value()); }

INSTANTIATE_TEST_SUITE_P(
    Rows, MalformedHive,
    testing::Values(
        MalformedRow{"Empty", ""}, MalformedRow{"NoHeader", "[HKEY_LOCAL_MACHINE\\K]\n"},
        MalformedRow{"OtherHeader", "Windows Registry Editor Version 5.00\n"},
        MalformedRow{"ValueBeforeSection", "REGEDIT4\n\"a\"=\"b\"\n"},
        MalformedRow{"OtherRoot", "REGEDIT4\n[HKEY_CURRENT_USER\\K]\n"},
        MalformedRow{"RootPrefixOnly", "REGEDIT4\n[HKEY_LOCAL_MACHINEX\\K]\n"},
        MalformedRow{"DeletedKey", "REGEDIT4\n[-HKEY_LOCAL_MACHINE\\K]\n"},
        MalformedRow{"EmptyKeyName", "REGEDIT4\n[HKEY_LOCAL_MACHINE\\A\\\\B]\n"},
        MalformedRow{"TrailingBackslashInKey", "REGEDIT4\n[HKEY_LOCAL_MACHINE\\A\\]\n"},
        MalformedRow{"UnclosedSection", "REGEDIT4\n[HKEY_LOCAL_MACHINE\\A\n"},
        MalformedRow{"UnterminatedText", "REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n\"a\"=\"b\n"},
        MalformedRow{"UnknownEscape", "REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n\"a\"=\"b\\n\"\n"},
        MalformedRow{"TextThenJunk", "REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n\"a\"=\"b\" c\n"},
        MalformedRow{"DeletedValue", "REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n\"a\"=-\n"},
        MalformedRow{"DwordTooLong", "REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n\"a\"=dword:123456789\n"},
        MalformedRow{"DwordNotHex", "REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n\"a\"=dword:12g4\n"},
        MalformedRow{"DwordEmpty", "REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n\"a\"=dword:\n"},
        MalformedRow{"HexByteTooLong", "REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n\"a\"=hex:100\n"},
        MalformedRow{"HexTrailingComma", "REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n\"a\"=hex:01,\n"},
        MalformedRow{"HexTypeNotHex", "REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n\"a\"=hex(z):01\n"},
        MalformedRow{"ContinuationAtEnd", "REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n\"a\"=hex:01,\\"},
        MalformedRow{"NoEquals", "REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n\"a\" \"b\"\n"},
        MalformedRow{"StrayLine", "REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\nhello\n"},
        MalformedRow{"ControlBytes", "REGEDIT4\n\x01\x02\xff\n"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
