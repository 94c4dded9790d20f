#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "hid/ReportDescriptorParser.h"
#include "support/SampleDescriptors.h"

namespace vestra::hid {
namespace {

using test::HeadsetDescriptor;
using test::KeyboardDescriptor;
using test::MouseDescriptor;
using Bytes = std::vector<uint8_t>;

std::vector<ParsedDescriptor> ParseOk(const std::vector<uint8_t>& bytes) {
    std::vector<ParsedDescriptor> collections;
    EXPECT_EQ(ReportDescriptorParser::Parse(bytes, collections), DescriptorError::None);
    return collections;
}

// The usages GetUsages reports for the page, with room for 32.
std::vector<uint16_t> Usages(const ParsedDescriptor& d, uint16_t page,
                             const std::vector<uint8_t>& report,
                             HidpStatus expected = HidpStatus::Success) {
    std::array<uint16_t, 32> list{};
    uint32_t count = 0;
    EXPECT_EQ(d.GetUsages(ReportType::Input, page, report, list, count), expected);
    return {list.begin(), list.begin() + count};
}

TEST(ReportDescriptorTest, KeyboardInterfaceHasThreeCollectionsWithTheirOwnReports) {
    std::vector<ParsedDescriptor> c = ParseOk(KeyboardDescriptor());
    ASSERT_EQ(c.size(), 3u);

    const HidCaps& keyboard = c[0].Caps();
    EXPECT_EQ(keyboard.usagePage, 0x01);
    EXPECT_EQ(keyboard.usage, 0x06);
    EXPECT_EQ(keyboard.inputReportByteLength, 9);  // id + modifiers + reserved + 6 keys
    EXPECT_EQ(keyboard.outputReportByteLength, 2);
    EXPECT_EQ(keyboard.featureReportByteLength, 0);
    EXPECT_EQ(keyboard.numberInputButtonCaps, 2);
    EXPECT_EQ(keyboard.numberInputValueCaps, 0);
    EXPECT_EQ(keyboard.numberOutputButtonCaps, 1);

    const HidCaps& consumer = c[1].Caps();
    EXPECT_EQ(consumer.usagePage, 0x0C);
    EXPECT_EQ(consumer.inputReportByteLength, 3);
    EXPECT_EQ(consumer.outputReportByteLength, 0);

    const HidCaps& vendor = c[2].Caps();
    EXPECT_EQ(vendor.usagePage, 0xFF00);
    EXPECT_EQ(vendor.usage, 0x01);
    EXPECT_EQ(vendor.inputReportByteLength, 64);
    EXPECT_EQ(vendor.outputReportByteLength, 64);
    ASSERT_EQ(vendor.numberInputValueCaps, 1);
    const HidValueCaps& in = c[2].ValueCaps(ReportType::Input)[0];
    EXPECT_EQ(in.reportId, 4);
    EXPECT_EQ(in.usageMin, 2);
    EXPECT_EQ(in.bitSize, 8);
    EXPECT_EQ(in.reportCount, 63);

    EXPECT_TRUE(c[2].UsesReportIds());
    EXPECT_EQ(c[2].ReportLength(ReportType::Input, 4), 64);
    EXPECT_EQ(c[2].ReportLength(ReportType::Input, 3), 0);  // the consumer collection's
    EXPECT_EQ(c[1].ReportLength(ReportType::Input, 3), 3);
}

TEST(ReportDescriptorTest, KeyboardCapsDescribeRangesArraysAndBitPositions) {
    std::vector<ParsedDescriptor> c = ParseOk(KeyboardDescriptor());
    const std::vector<HidButtonCaps>& buttons = c[0].ButtonCaps(ReportType::Input);
    ASSERT_EQ(buttons.size(), 2u);
    EXPECT_FALSE(buttons[0].isArray);
    EXPECT_TRUE(buttons[0].isRange);
    EXPECT_EQ(buttons[0].usageMin, 0xE0);
    EXPECT_EQ(buttons[0].usageMax, 0xE7);
    EXPECT_EQ(buttons[0].bitOffset, 0u);
    EXPECT_TRUE(buttons[1].isArray);
    EXPECT_EQ(buttons[1].bitOffset, 16u);  // after the modifiers and the reserved byte
    EXPECT_EQ(buttons[1].reportCount, 6);
    EXPECT_EQ(buttons[1].logicalMax, 0x65);
    // 8 modifier bits plus 6 array slots.
    EXPECT_EQ(c[0].MaxUsageListLength(ReportType::Input, 0x07), 14u);
    EXPECT_EQ(c[0].MaxUsageListLength(ReportType::Output, 0x08), 5u);
}

TEST(ReportDescriptorTest, KeyboardUsagesComeInReportOrder) {
    std::vector<ParsedDescriptor> c = ParseOk(KeyboardDescriptor());
    // Left shift (E1), then keys R, A, Space in the order the array holds them.
    std::vector<uint8_t> report = {0x01, 0x02, 0x00, 0x15, 0x04, 0x2C, 0x00, 0x00, 0x00};
    EXPECT_EQ(Usages(c[0], 0x07, report), (std::vector<uint16_t>{0xE1, 0x15, 0x04, 0x2C}));
}

TEST(ReportDescriptorTest, ArraySlotsMapThroughTheWholeUsageListFromLogicalMinimum) {
    // Logical 1..4 over the usages B5, B6, E9-EA; two 8-bit slots; no report ids.
    std::vector<uint8_t> bytes = {0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x01, 0x25,
                                  0x04, 0x09, 0xB5, 0x09, 0xB6, 0x19, 0xE9, 0x29, 0xEA,
                                  0x75, 0x08, 0x95, 0x02, 0x81, 0x00, 0xC0};
    std::vector<ParsedDescriptor> c = ParseOk(bytes);
    ASSERT_EQ(c.size(), 1u);
    EXPECT_FALSE(c[0].UsesReportIds());
    EXPECT_EQ(c[0].Caps().inputReportByteLength, 3);  // 2 data bytes + the 0 id byte
    EXPECT_EQ(c[0].ButtonCaps(ReportType::Input).size(), 3u);
    // The three capabilities share one field of two slots.
    EXPECT_EQ(c[0].MaxUsageListLength(ReportType::Input, 0x0C), 2u);

    struct Case {
        std::vector<uint8_t> report;
        std::vector<uint16_t> usages;
    };
    const Case cases[] = {
        {{0, 3, 1}, {0xE9, 0xB5}},
        {{0, 2, 4}, {0xB6, 0xEA}},
        {{0, 0, 5}, {}},  // outside the logical range: nothing
    };
    for (const Case& test : cases) EXPECT_EQ(Usages(c[0], 0x0C, test.report), test.usages);
}

TEST(ReportDescriptorTest, MouseWithoutReportIdsReadsSignedValues) {
    std::vector<ParsedDescriptor> c = ParseOk(MouseDescriptor());
    ASSERT_EQ(c.size(), 1u);
    const ParsedDescriptor& mouse = c[0];
    EXPECT_FALSE(mouse.UsesReportIds());
    EXPECT_EQ(mouse.Caps().inputReportByteLength, 7);
    EXPECT_EQ(mouse.Caps().numberInputValueCaps, 3);

    // Buttons 1 and 3, X -5, Y 300, wheel -1.
    std::vector<uint8_t> report = {0x00, 0x05, 0xFB, 0xFF, 0x2C, 0x01, 0xFF};
    EXPECT_EQ(Usages(mouse, 0x09, report), (std::vector<uint16_t>{1, 3}));

    uint32_t raw = 0;
    EXPECT_EQ(mouse.GetUsageValue(ReportType::Input, 0x01, 0x30, report, raw), HidpStatus::Success);
    EXPECT_EQ(raw, 0xFFFBu);
    struct Case {
        uint16_t usage;
        int32_t scaled;
    };
    for (Case test : {Case{0x30, -5}, Case{0x31, 300}, Case{0x38, -1}}) {
        int32_t scaled = 0;
        EXPECT_EQ(mouse.GetScaledUsageValue(ReportType::Input, 0x01, test.usage, report, scaled),
                  HidpStatus::Success);
        EXPECT_EQ(scaled, test.scaled) << std::hex << test.usage;
    }
}

TEST(ReportDescriptorTest, PushAndPopScopeThePhysicalRange) {
    std::vector<ParsedDescriptor> c = ParseOk(HeadsetDescriptor());
    ASSERT_EQ(c.size(), 2u);
    const ParsedDescriptor& vendor = c[1];
    EXPECT_EQ(vendor.Caps().inputReportByteLength, 2);
    EXPECT_EQ(vendor.Caps().outputReportByteLength, 5);
    EXPECT_EQ(vendor.Caps().featureReportByteLength, 17);
    EXPECT_EQ(vendor.ValueCaps(ReportType::Input)[0].physicalMax, 100);
    EXPECT_EQ(vendor.ValueCaps(ReportType::Output)[0].physicalMax, 0);  // popped

    int32_t scaled = 0;
    EXPECT_EQ(vendor.GetScaledUsageValue(ReportType::Input, 0xFFA0, 0x10, Bytes{0x02, 128}, scaled),
              HidpStatus::Success);
    EXPECT_EQ(scaled, 50);  // 128 of 0..255 onto 0..100
}

TEST(ReportDescriptorTest, ExtendedUsageCarriesItsOwnPage) {
    // Button page is current, but the first usage names the consumer page in its high half.
    std::vector<uint8_t> bytes = {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x05, 0x09, 0x0B,
                                  0xE9, 0x00, 0x0C, 0x00,  // Usage 0x000C00E9
                                  0x09, 0x01, 0x15, 0x00, 0x25, 0x01, 0x75, 0x01, 0x95,
                                  0x02, 0x81, 0x02, 0x95, 0x06, 0x81, 0x01, 0xC0};
    std::vector<ParsedDescriptor> c = ParseOk(bytes);
    ASSERT_EQ(c.size(), 1u);
    const std::vector<HidButtonCaps>& caps = c[0].ButtonCaps(ReportType::Input);
    ASSERT_EQ(caps.size(), 2u);
    EXPECT_EQ(caps[0].usagePage, 0x0C);
    EXPECT_EQ(caps[0].usageMin, 0xE9);
    EXPECT_EQ(caps[1].usagePage, 0x09);
    EXPECT_EQ(Usages(c[0], 0x0C, {0x00, 0x03}), (std::vector<uint16_t>{0xE9}));
    EXPECT_EQ(Usages(c[0], 0x09, {0x00, 0x03}), (std::vector<uint16_t>{1}));
}

TEST(ReportDescriptorTest, QueriesReportWhyTheyFail) {
    std::vector<ParsedDescriptor> c = ParseOk(KeyboardDescriptor());
    const ParsedDescriptor& keyboard = c[0];
    const std::vector<uint8_t> fourKeys = {0x01, 0x00, 0x00, 0x04, 0x05, 0x06, 0x07, 0x00, 0x00};

    Usages(keyboard, 0x0C, fourKeys, HidpStatus::UsageNotFound);
    Usages(keyboard, 0x07, {0x03, 0x00, 0x00}, HidpStatus::IncompatibleReportId);
    Usages(keyboard, 0x07, {0x01, 0x00, 0x00}, HidpStatus::InvalidReportLength);
    Usages(keyboard, 0x07, {}, HidpStatus::InvalidReportLength);

    std::array<uint16_t, 2> two{};
    uint32_t count = 0;
    EXPECT_EQ(keyboard.GetUsages(ReportType::Input, 0x07, fourKeys, two, count),
              HidpStatus::BufferTooSmall);
    EXPECT_EQ(count, 2u);
    EXPECT_EQ(two[0], 0x04);
    EXPECT_EQ(two[1], 0x05);

    uint32_t value = 0;
    EXPECT_EQ(keyboard.GetUsageValue(ReportType::Input, 0x07, 0x04, fourKeys, value),
              HidpStatus::UsageNotFound);  // a button, not a value
    EXPECT_EQ(c[2].GetUsageValue(ReportType::Input, 0xFF00, 0x02, Bytes{0x04, 0x11}, value),
              HidpStatus::InvalidReportLength);
}

TEST(ReportDescriptorTest, ScalingNeedsUsableRangesAndInRangeValues) {
    // One 8-bit value (Generic Desktop X) with the given logical range and main item flags.
    auto descriptor = [](uint8_t logicalMin, uint8_t logicalMax, uint8_t flags) {
        return std::vector<uint8_t>{0x05, 0x01, 0x09,       0x01,  0xA1,       0x01, 0x09,
                                    0x30, 0x15, logicalMin, 0x25,  logicalMax, 0x75, 0x08,
                                    0x95, 0x01, 0x81,       flags, 0xC0};
    };
    struct Case {
        uint8_t logicalMin, logicalMax, flags, raw;
        HidpStatus status;
        int32_t scaled;
    };
    const Case cases[] = {
        {0, 10, 0x02, 7, HidpStatus::Success, 7},
        {0, 10, 0x42, 15, HidpStatus::Null, 0},  // null state
        {0, 10, 0x02, 15, HidpStatus::ValueOutOfRange, 0},
        {5, 5, 0x02, 5, HidpStatus::BadLogPhyValues, 0},
        {0xF6, 10, 0x02, 0xFB, HidpStatus::Success, -5},  // -10..10, sign-extended
    };
    for (const Case& test : cases) {
        std::vector<ParsedDescriptor> c =
            ParseOk(descriptor(test.logicalMin, test.logicalMax, test.flags));
        int32_t scaled = 99;
        EXPECT_EQ(
            c[0].GetScaledUsageValue(ReportType::Input, 0x01, 0x30, Bytes{0, test.raw}, scaled),
            test.status);
        EXPECT_EQ(scaled, test.scaled);
    }
}

TEST(ReportDescriptorTest, ScalingFullThirtyTwoBitRangesDoesNotOverflow) {
    std::vector<uint8_t> bytes = {0x05, 0x01, 0x09, 0x01, 0xA1, 0x01, 0x09,
                                  0x30, 0x17, 0x00, 0x00, 0x00, 0x00,  // Logical Minimum 0
                                  0x27, 0xFF, 0xFF, 0xFF, 0x7F,        // Logical Maximum 0x7FFFFFFF
                                  0x37, 0x00, 0x00, 0x00, 0x80,  // Physical Minimum -0x80000000
                                  0x47, 0xFF, 0xFF, 0xFF, 0x7F,  // Physical Maximum 0x7FFFFFFF
                                  0x75, 0x20, 0x95, 0x01, 0x81, 0x02, 0xC0};
    std::vector<ParsedDescriptor> c = ParseOk(bytes);
    int32_t scaled = 0;
    EXPECT_EQ(c[0].GetScaledUsageValue(ReportType::Input, 0x01, 0x30,
                                       Bytes{0, 0xFF, 0xFF, 0xFF, 0x7F}, scaled),
              HidpStatus::Success);
    EXPECT_EQ(scaled, 0x7FFFFFFF);
}

std::vector<uint8_t> Repeat(std::vector<uint8_t> head, const std::vector<uint8_t>& item,
                            size_t times, const std::vector<uint8_t>& tail) {
    for (size_t i = 0; i < times; ++i) head.insert(head.end(), item.begin(), item.end());
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

TEST(ReportDescriptorTest, MalformedDescriptorsAreRefused) {
    const std::vector<uint8_t> open = {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01};
    const std::vector<uint8_t> oneByte = {0x75, 0x08, 0x95, 0x01, 0x81, 0x02};
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        DescriptorError error;
    };
    const Case cases[] = {
        {"empty", {}, DescriptorError::NoCollection},
        {"physical collection only", {0xA1, 0x00, 0xC0}, DescriptorError::NoCollection},
        {"two-byte item cut short", {0xA1, 0x01, 0x26, 0xFF}, DescriptorError::Truncated},
        {"four-byte item cut short", {0x27, 0xFF, 0xFF}, DescriptorError::Truncated},
        {"long item cut short", {0xFE, 0x05, 0x00, 0x01}, DescriptorError::Truncated},
        {"long item header cut short", {0xFE, 0x05}, DescriptorError::Truncated},
        {"report id 0", {0xA1, 0x01, 0x85, 0x00, 0xC0}, DescriptorError::BadReportId},
        {"report id 256", {0xA1, 0x01, 0x86, 0x00, 0x01, 0xC0}, DescriptorError::BadReportId},
        {"report size 257", {0x76, 0x01, 0x01}, DescriptorError::ReportSizeTooLarge},
        {"report count 65536",
         Repeat(open, {0x75, 0x01, 0x97, 0x00, 0x00, 0x01, 0x00, 0x81, 0x02}, 1, {0xC0}),
         DescriptorError::TooManyFields},
        {"report of 16384 data bytes",
         Repeat(open, {0x75, 0x08, 0x96, 0x00, 0x40, 0x81, 0x02}, 1, {0xC0}),
         DescriptorError::ReportTooLong},
        {"three 8192-bit fields",
         Repeat(open, {0x75, 0x01, 0x96, 0x00, 0x20, 0x81, 0x02}, 3, {0xC0}),
         DescriptorError::TooManyFields},
        {"257 usages for one field", Repeat(open, {0x09, 0x30}, 257, oneByte),
         DescriptorError::TooManyUsages},
        {"1025 capabilities",
         Repeat(open, {0x09, 0x30, 0x75, 0x08, 0x95, 0x01, 0x81, 0x02}, 1025, {0xC0}),
         DescriptorError::TooManyCaps},
        {"65 collections", Repeat({}, {0xA1, 0x01, 0xC0}, 65, {}),
         DescriptorError::TooManyCollections},
        {"17 pushes", Repeat({}, {0xA4}, 17, {}), DescriptorError::PushOverflow},
        {"pop without push", {0xB4}, DescriptorError::PopUnderflow},
        {"33 nested collections", Repeat({}, {0xA1, 0x00}, 33, {}),
         DescriptorError::CollectionTooDeep},
        {"end without collection", {0xA1, 0x01, 0xC0, 0xC0}, DescriptorError::UnbalancedCollection},
        {"collection left open", open, DescriptorError::UnbalancedCollection},
    };
    for (const Case& test : cases) {
        std::vector<ParsedDescriptor> collections(1);
        EXPECT_EQ(ReportDescriptorParser::Parse(test.bytes, collections), test.error) << test.name;
        EXPECT_TRUE(collections.empty()) << test.name;
    }
}

TEST(ReportDescriptorTest, LimitsThemselvesAreAccepted) {
    const std::vector<uint8_t> open = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01};
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
    };
    const Case cases[] = {
        {"16383 data bytes", Repeat(open, {0x75, 0x08, 0x96, 0xFF, 0x3F, 0x81, 0x02}, 1, {0xC0})},
        {"report id 255",
         Repeat(open, {0x85, 0xFF, 0x75, 0x08, 0x95, 0x01, 0x81, 0x02}, 1, {0xC0})},
        {"16 pushes", Repeat(Repeat({}, {0xA4}, 16, {}), {0xB4}, 16, {0xA1, 0x01, 0xC0})},
        {"long and reserved items skipped", {0xFE, 0x02, 0x10, 0xAA, 0xBB, 0x0C, 0xA1, 0x01, 0xC0}},
        {"reversed usage range",
         Repeat(open, {0x19, 0x05, 0x29, 0x01, 0x75, 0x01, 0x95, 0x01, 0x81, 0x02}, 1, {0xC0})},
    };
    for (const Case& test : cases) {
        std::vector<ParsedDescriptor> collections;
        EXPECT_EQ(ReportDescriptorParser::Parse(test.bytes, collections), DescriptorError::None)
            << test.name;
        EXPECT_EQ(collections.size(), 1u) << test.name;
    }
    std::vector<ParsedDescriptor> widest = ParseOk(cases[0].bytes);
    EXPECT_EQ(widest[0].Caps().inputReportByteLength, 16384);
}

TEST(ReportDescriptorTest, EveryPrefixOfARealDescriptorIsHandled) {
    for (const std::vector<uint8_t>& full :
         {KeyboardDescriptor(), MouseDescriptor(), HeadsetDescriptor()}) {
        const size_t expected = ParseOk(full).size();
        for (size_t length = 0; length < full.size(); ++length) {
            std::vector<uint8_t> prefix(full.begin(), full.begin() + length);
            std::vector<ParsedDescriptor> collections;
            if (ReportDescriptorParser::Parse(prefix, collections) == DescriptorError::None) {
                EXPECT_LE(collections.size(), expected);
            }
        }
    }
}

}  // namespace
}  // namespace vestra::hid
