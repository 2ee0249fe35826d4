// The hive text format: what each kind of line gives, and which texts are refused.
#include "browser/about/hive_text.h"

#include <gtest/gtest.h>

#include <fstream>

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
  EXPECT_EQ(hive->FindValue("k", row.value_name), row.expected);
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
    EXPECT_TRUE(hive->HasKey(key)) << key;
  EXPECT_FALSE(hive->HasKey("software\\micro"));
  // The same key named twice is one key with the values of both sections.
  std::vector<std::string> names;
  hive->ForEachValue("software\\microsoft\\shared tools\\msinfo",
                     [&](std::string_view name, const HiveValue&) { names.emplace_back(name); });
  EXPECT_EQ(names, (std::vector<std::string>{"path", "other"}));
}

TEST(HiveText, ALaterValueOfTheSameNameReplacesTheEarlier) {
  const auto hive =
      ParseHive("REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n\"a\"=\"1\"\n\"A\"=\"2\"\n", kRoot);
  ASSERT_TRUE(hive.has_value());
  EXPECT_EQ(hive->FindValue("k", "a"), (HiveValue{REG_SZ, {'2', 0}}));
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
        MalformedRow{"EmptyFirstKeyName", "REGEDIT4\n[HKEY_LOCAL_MACHINE\\\\A]\n"},
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

// The largest hive the registry reads, in shapes that strain a parser: the peak memory
// the parse adds stays far below what a cost per ancestor or per line would take.
constexpr std::size_t kLargeSize = (16 << 20) - 64;
constexpr std::size_t kDeepComponents = kLargeSize / 2 - 32;

struct LargeRow {
  const char* name;
  std::string (*body)();  // sections and values of about kLargeSize bytes
  std::string (*key)();   // a key of the hive, which holds the REG_SZ value "v"="x"
};

std::string DeepKey() {
  std::string key = "a";
  for (std::size_t i = 1; i < kDeepComponents; ++i) key += "\\a";
  return key;
}

std::string Deep() { return "[HKEY_LOCAL_MACHINE\\" + DeepKey() + "]\n\"v\"=\"x\"\n"; }

std::string Wide() {
  std::string text;
  for (int i = 0; text.size() < kLargeSize; ++i)
    text += "[HKEY_LOCAL_MACHINE\\" + std::to_string(i) + "]\n";
  return text + "[HKEY_LOCAL_MACHINE\\7]\n\"v\"=\"x\"\n";
}

std::string ManyValues() {
  std::string text = "[HKEY_LOCAL_MACHINE\\k]\n";
  for (int i = 0; text.size() < kLargeSize; ++i) text += "\"" + std::to_string(i) + "\"=\"\"\n";
  return text + "\"v\"=\"x\"\n";
}

std::string ManyLines() {
  return "[HKEY_LOCAL_MACHINE\\k]\n\"v\"=\"x\"\n" + std::string(kLargeSize, '\n');
}

// A figure of this process's memory, in KiB: "VmRSS" now, "VmHWM" its peak.
long MemoryKib(std::string_view figure) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.starts_with(figure)) return std::stol(line.substr(figure.size() + 1));
  return -1;
}

// Starts the peak over from what the process holds now; false when the kernel refuses.
bool ResetPeak() {
  std::ofstream file("/proc/self/clear_refs");
  file << "5";
  file.close();
  return !file.fail();
}

class LargeHive : public testing::TestWithParam<LargeRow> {};

TEST_P(LargeHive, ParsesWithMemoryLinearInItsSize) {
  const LargeRow& row = GetParam();
  std::string text = "REGEDIT4\n" + row.body();
  ASSERT_LE(text.size(), std::size_t{16 << 20});
  ASSERT_TRUE(ResetPeak());
  const long before = MemoryKib("VmRSS");
  const auto hive = ParseHive(std::move(text), kRoot);
  const long added_kib = MemoryKib("VmHWM") - before;
  ASSERT_TRUE(hive.has_value());
  const std::string key = row.key();
  EXPECT_TRUE(hive->HasKey(key));
  EXPECT_EQ(hive->FindValue(key, "v"), (HiveValue{REG_SZ, {'x', 0}}));
  EXPECT_LT(added_kib, 64 << 10);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LargeHive,
    testing::Values(LargeRow{"Deep", Deep, DeepKey},
                    LargeRow{"Wide", Wide, [] { return std::string("7"); }},
                    LargeRow{"ManyValues", ManyValues, [] { return std::string("k"); }},
                    LargeRow{"ManyLines", ManyLines, [] { return std::string("k"); }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
