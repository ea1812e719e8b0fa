#include "files/nym_trace.h"

#include "tests/files/debug_capture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using NymTraceTest = DebugCapture;

TEST_F(NymTraceTest, InstanceIsCreatedOnceAndRestartsAfterDestroy) {
    NymTrace* first = NymTrace::Instance();
    EXPECT_EQ(NymTrace::Instance(), first);
    EXPECT_EQ(first->SetLevel(999), 999);
    NymTrace::Destroy();

    // A new trace starts again at threshold 1.
    NymTrace::Instance()->Print(0, "hidden\n");
    NymTrace::Instance()->Print(1, "shown\n");
    EXPECT_EQ(lines, std::vector<std::wstring>{L"shown\n"});
}

TEST_F(NymTraceTest, LevelsBelowTheThresholdAreNotWritten) {
    NymTrace* trace = NymTrace::Instance();
    trace->Print(0, "level 0\n");
    trace->Print(1, "level 1\n");
    trace->SetLevel(999);
    trace->Print(666, "level 666\n");
    trace->Print(998, "level 998\n");
    trace->Print(999, "level 999\n");
    trace->Print(1000, "level 1000\n");
    trace->Print(6000, "level 6000\n");
    trace->SetLevel(-5);
    trace->Print(-5, "level -5\n");
    trace->Print(-6, "level -6\n");
    EXPECT_EQ(lines, (std::vector<std::wstring>{L"level 1\n", L"level 999\n", L"level 1000\n",
                                                L"level 6000\n", L"level -5\n"}));
}

TEST_F(NymTraceTest, EveryConversion) {
    NymTrace* trace = NymTrace::Instance();
    trace->Print(1, "%d|%d|%d|%d", 10, -7, 2147483647, -2147483647 - 1);
    trace->Print(1, "%x|%x|%x", 255, 0, -1);
    trace->Print(1, "%c%c%c", 'A', 0x142, -190); // only the low byte counts: 'A', 'B', 'B'
    trace->Print(1, "[%s][%s]", "text", "");
    // Fixed point 16.16: 1.5, -0.5, the smallest step, and the largest value, which rounds in float.
    trace->Print(1, "%r|%r|%r|%r", 98304, -32768, 1, 2147483647);
    // The double passes through float: 0.1 still prints as 0.100000, but 123456789 becomes 123456792.
    trace->Print(1, "%f|%f|%f", 0.1, 123456789.0, -2.25);
    trace->Print(1, "100%% %d%%", 5);
    trace->Print(1, "%s=%d (%x) at %r%c", "n", 42, 42, 65536 * 3, '\n');
    EXPECT_EQ(lines, (std::vector<std::wstring>{
                         L"10|-7|2147483647|-2147483648",
                         L"ff|0|ffffffff",
                         L"ABB",
                         L"[text][]",
                         L"1.500000|-0.500000|0.000015|32768.000000",
                         L"0.100000|123456792.000000|-2.250000",
                         L"100% 5%",
                         L"n=42 (2a) at 3.000000\n",
                     }));
}

TEST_F(NymTraceTest, TrailingPercentAppendsNothingAndTakesNoArgument) {
    NymTrace::Instance()->Print(1, "ends in %");
    NymTrace::Instance()->Print(1, "%%%d", 7);
    EXPECT_EQ(lines, (std::vector<std::wstring>{L"ends in ", L"%7"}));
}

TEST_F(NymTraceTest, AbsentFormatWritesNothing) {
    NymTrace::Instance()->Print(1000, nullptr);
    EXPECT_TRUE(lines.empty());
}

TEST_F(NymTraceTest, NullStringArgumentIsWrittenAsNull) {
    NymTrace::Instance()->Print(1, "name=%s\n", static_cast<const char*>(nullptr));
    EXPECT_EQ(all(), L"name=(null)\n");
}

TEST_F(NymTraceTest, UnsupportedConversionAbandonsTheMessage) {
    NymTrace* trace = NymTrace::Instance();
    for (const char* format : {"width %5d\n", "precision %.2f\n", "long %ld\n", "unknown %q\n"}) {
        testing::internal::CaptureStderr();
        trace->Print(1, format, 3);
        const std::string error = testing::internal::GetCapturedStderr();
        const char offending = std::string(format)[std::string(format).find('%') + 1];
        EXPECT_EQ(error, std::string("NymTrace supports only %f %x %d %c %s not ") + offending + "\n")
            << format;
    }
    EXPECT_TRUE(lines.empty());

    // A message below the threshold is not even parsed.
    testing::internal::CaptureStderr();
    trace->Print(0, "%q");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

    // The next message is complete again: nothing of the abandoned one survives.
    trace->Print(1, "ok\n");
    EXPECT_EQ(lines, std::vector<std::wstring>{L"ok\n"});
}

TEST_F(NymTraceTest, LongMessagesAreCutAt255Characters) {
    NymTrace* trace = NymTrace::Instance();
    const std::string text(300, 'a');
    trace->Print(1, text.c_str());
    trace->Print(1, "%s%s", text.c_str(), "tail");
    // A conversion that straddles the end keeps the characters that fit.
    const std::string prefix(252, 'b');
    trace->Print(1, "%s%d", prefix.c_str(), 12345);
    // A conversion far longer than the buffer.
    trace->Print(1, "%f", 1e38);
    trace->Print(1, "%s%f%s", prefix.c_str(), 1e38, "more");
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], std::wstring(255, L'a'));
    EXPECT_EQ(lines[1], std::wstring(255, L'a'));
    EXPECT_EQ(lines[2], std::wstring(252, L'b') + L"123");
    EXPECT_EQ(lines[3], L"99999996802856924650656260769173209088.000000");
    EXPECT_EQ(lines[4], std::wstring(252, L'b') + L"999");
}

TEST_F(NymTraceTest, BytesOutsideTheLocaleAreWidenedOneByOne) {
    NymTrace::Instance()->Print(1, "caf\xe9 %s\n", "\xff");
    EXPECT_EQ(all(), L"caf\u00e9 \u00ff\n");
}

TEST_F(NymTraceTest, PrintErrorWritesItsMessageAtLevel1000) {
    NymTrace* trace = NymTrace::Instance();
    trace->SetLevel(1001);
    trace->PrintError(6000, "not shown\n");
    trace->SetLevel(999);
    trace->PrintError(666, "Failed to create appClass\n");
    trace->PrintError(1000, "50% done %d\n");
    // No message, no line: as a call without a format.
    trace->PrintError(1000, nullptr);
    EXPECT_EQ(lines, (std::vector<std::wstring>{L"Failed to create appClass\n", L"50% done %d\n"}));
}

} // namespace
