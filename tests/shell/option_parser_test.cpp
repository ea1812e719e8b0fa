#include "shell/option_parser.h"
#include "shell/shell_application.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Parsed {
    ShellApplication application;
    OptionParser parser{application};
    const ShellConfig& config() const { return *application.GetConfig(); }
    std::vector<std::string> tokens() const {
        const char* const* t = parser.GetTokens();
        return {t, t + parser.GetTokenCount()};
    }
};

void parse(Parsed& p, const std::wstring& commandLine) {
    p.parser.Parse(commandLine.c_str());
}

void expectDefaults(const ShellConfig& c) {
    EXPECT_EQ(c.width, 640);
    EXPECT_EQ(c.height, 480);
    EXPECT_EQ(c.fullScreen, 1);
    EXPECT_EQ(c.fsaaMode, 0);
    EXPECT_EQ(c.quitAfterFrame, -1);
    EXPECT_EQ(c.quitAfterTime, -1.0f);
    EXPECT_EQ(c.windowX, 20);
    EXPECT_EQ(c.windowY, 50);
    EXPECT_EQ(c.fitToScreen, 1);
    EXPECT_EQ(c.defaultPosition, 1);
}

TEST(OptionParser, EmptyOrBlankCommandLinesChangeNothing) {
    for (const wchar_t* line : {L"", L"   ", L"\t \t", L" \t  \t "}) {
        Parsed p;
        parse(p, line);
        EXPECT_EQ(p.parser.GetTokenCount(), 0);
        expectDefaults(p.config());
    }
}

TEST(OptionParser, FrameLimitAcceptsZeroOnlyWhenWritten) {
    struct Case {
        const wchar_t* line;
        int expected;
    };
    for (const Case& c : {Case{L"-qaf=0", 0}, Case{L"-qaf=00", 0}, Case{L"-qaf=abc", -1}, Case{L"-qaf=", -1},
                          Case{L"-qaf=7", 7}, Case{L"-qaf=-3", -3}, Case{L"-quitafterframe=12x", 12},
                          Case{L"-quitafterframe=0", 0}, Case{L"-qaf=5 -qaf=x", 5}}) {
        Parsed p;
        parse(p, c.line);
        EXPECT_EQ(p.config().quitAfterFrame, c.expected) << std::wstring(c.line).size();
        EXPECT_EQ(p.parser.GetTokenCount(), 0);
    }
}

TEST(OptionParser, TimeLimitIgnoresZero) {
    // The field starts from a value of its own, so that a value that is stored shows from one ignored.
    constexpr float before = 7.0f;
    struct Case {
        const wchar_t* line;
        float expected;
    };
    for (const Case& c : {Case{L"-qat=0", before}, Case{L"-qat=0.0", before}, Case{L"-qat=1.5", 1.5f},
                          Case{L"-qat=-1", -1.0f}, Case{L"-qat=2.5 -qat=0", 2.5f}, Case{L"-qat=abc", before},
                          Case{L"-quitaftertime=0.25", 0.25f}, Case{L"-qat=0.1", 0.1f}}) {
        Parsed p;
        p.application.GetConfig()->quitAfterTime = before;
        parse(p, c.line);
        EXPECT_EQ(p.config().quitAfterTime, c.expected) << c.line;
        EXPECT_EQ(p.parser.GetTokenCount(), 0);
    }
    // Beyond the float range the value saturates instead of being undefined; below it, it rounds to 0
    // and is ignored.
    Parsed huge;
    parse(huge, L"-qat=1e300");
    EXPECT_TRUE(std::isinf(huge.config().quitAfterTime));
    EXPECT_GT(huge.config().quitAfterTime, 0.0f);
    Parsed tiny;
    parse(tiny, L"-qat=1e-300");
    EXPECT_EQ(tiny.config().quitAfterTime, -1.0f);
}

TEST(OptionParser, SizesPositionsAndModes) {
    Parsed zero;
    parse(zero, L"-width=0 -height=0 -posx=0 -posy=0 -FSAAMode=0");
    expectDefaults(zero.config());
    EXPECT_EQ(zero.parser.GetTokenCount(), 0);

    Parsed size;
    parse(size, L"-width=200 -height=100");
    EXPECT_EQ(size.config().width, 200);
    EXPECT_EQ(size.config().height, 100);
    EXPECT_EQ(size.config().defaultPosition, 0);
    EXPECT_EQ(size.config().fitToScreen, 0);

    Parsed position;
    parse(position, L"-posy=33");
    EXPECT_EQ(position.config().windowX, 20);
    EXPECT_EQ(position.config().windowY, 33);
    EXPECT_EQ(position.config().defaultPosition, 0);
    EXPECT_EQ(position.config().fitToScreen, 1);

    Parsed modes;
    parse(modes, L"-windowed -FSAAMode=2 -fullscreen");
    EXPECT_EQ(modes.config().fullScreen, 1);
    EXPECT_EQ(modes.config().fsaaMode, 2);
    Parsed framed;
    parse(framed, L"-fullscreenPlease -windowedToo");
    EXPECT_EQ(framed.config().fullScreen, 0);
    EXPECT_EQ(framed.parser.GetTokenCount(), 0);

    // atoi's reading, with out-of-range values clamped.
    Parsed big;
    parse(big, L"-width=99999999999 -height=-99999999999 -posx=+12abc");
    EXPECT_EQ(big.config().width, INT_MAX);
    EXPECT_EQ(big.config().height, INT_MIN);
    EXPECT_EQ(big.config().windowX, 12);
}

TEST(OptionParser, UnknownTokensReachTheApplicationInOrder) {
    Parsed p;
    parse(p, L"first -qat=3 second");
    EXPECT_EQ(p.tokens(), (std::vector<std::string>{"first", "second"}));
    EXPECT_EQ(p.config().quitAfterTime, 3.0f);

    // Options are case-sensitive and have no quoting; tabs separate too.
    Parsed q;
    parse(q, L"-fsaamode=2\t\"a b\" -Width=3 -width 'x'  ");
    EXPECT_EQ(q.tokens(),
              (std::vector<std::string>{"-fsaamode=2", "\"a", "b\"", "-Width=3", "-width", "'x'"}));
    EXPECT_EQ(q.config().fsaaMode, 0);
    EXPECT_EQ(q.config().width, 640);

    // Each character is reduced to its low byte: U+0141 becomes 'A', U+00E9 stays 0xE9.
    Parsed wide;
    parse(wide, L"\u0141b\u00e9 -qaf=\u0132");
    ASSERT_EQ(wide.parser.GetTokenCount(), 1);
    EXPECT_EQ(wide.tokens()[0], "Ab\xe9");
    EXPECT_EQ(wide.config().quitAfterFrame, 2);
}

TEST(OptionParser, KeepsAtMostOneHundredTokens) {
    std::wstring line;
    for (int i = 0; i < 150; ++i) {
        line += L"t" + std::to_wstring(i) + L" ";
    }
    line += L"-qaf=4";
    Parsed p;
    parse(p, line);
    ASSERT_EQ(p.parser.GetTokenCount(), TokenList::MaxUnconsumedTokens);
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(p.tokens()[static_cast<std::size_t>(i)], std::string("t").append(std::to_string(i)));
    }
    EXPECT_EQ(p.config().quitAfterFrame, 4);
}

// Random command lines built from options with known values, unknown words and random delimiters: the
// kept tokens are the unknown words in order, and each field holds what its last accepted option gave.
TEST(OptionParser, RandomCommandLinesFollowTheFieldRules) {
    struct Value {
        const char* text;
        int asInt;
    };
    const Value values[] = {{"0", 0}, {"17", 17}, {"-4", -4}, {"abc", 0}, {"", 0}, {"9z", 9}, {"00", 0}};
    const char* const words[] = {"x", "-w", "-width", "--qaf=1", "-FSAAmode=1", "\"q\"", "-qa=3", "W=2"};
    std::mt19937 random(12345);
    auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };

    for (int round = 0; round < 2000; ++round) {
        ShellConfig expected;
        std::vector<std::string> expectedTokens;
        std::string line;
        const std::size_t tokenCount = pick(12);
        for (std::size_t t = 0; t < tokenCount; ++t) {
            line += std::string((t == 0 ? 0 : 1) + pick(3), pick(2) ? ' ' : '\t');
            const Value& v = values[pick(std::size(values))];
            std::string token;
            switch (pick(9)) {
            case 0:
                token = std::string("-width=") + v.text;
                if (v.asInt != 0) {
                    expected.width = v.asInt;
                    expected.defaultPosition = 0;
                }
                break;
            case 1:
                token = std::string("-height=") + v.text;
                if (v.asInt != 0) {
                    expected.height = v.asInt;
                    expected.fitToScreen = 0;
                }
                break;
            case 2:
                token = std::string("-posx=") + v.text;
                if (v.asInt != 0) {
                    expected.windowX = v.asInt;
                    expected.defaultPosition = 0;
                }
                break;
            case 3:
                token = std::string("-FSAAMode=") + v.text;
                if (v.asInt != 0) {
                    expected.fsaaMode = v.asInt;
                }
                break;
            case 4:
                token = pick(2) ? "-fullscreen" : "-windowed";
                expected.fullScreen = token == "-fullscreen" ? 1 : 0;
                break;
            case 5:
                token = std::string(pick(2) ? "-qaf=" : "-quitafterframe=") + v.text;
                if (v.asInt != 0 || v.text[0] == '0') {
                    expected.quitAfterFrame = v.asInt;
                }
                break;
            case 6:
                token = std::string(pick(2) ? "-qat=" : "-quitaftertime=") + v.text;
                if (v.asInt != 0) {
                    expected.quitAfterTime = static_cast<float>(v.asInt);
                }
                break;
            default:
                token = words[pick(std::size(words))];
                expectedTokens.push_back(token);
                break;
            }
            line += token;
        }
        line += std::string(pick(3), ' ');

        Parsed p;
        parse(p, std::wstring(line.begin(), line.end()));
        SCOPED_TRACE(line);
        ASSERT_EQ(p.tokens(), expectedTokens);
        const ShellConfig& c = p.config();
        EXPECT_EQ(c.width, expected.width);
        EXPECT_EQ(c.height, expected.height);
        EXPECT_EQ(c.windowX, expected.windowX);
        EXPECT_EQ(c.fsaaMode, expected.fsaaMode);
        EXPECT_EQ(c.fullScreen, expected.fullScreen);
        EXPECT_EQ(c.quitAfterFrame, expected.quitAfterFrame);
        EXPECT_EQ(c.quitAfterTime, expected.quitAfterTime);
        EXPECT_EQ(c.fitToScreen, expected.fitToScreen);
        EXPECT_EQ(c.defaultPosition, expected.defaultPosition);
    }
}

} // namespace
