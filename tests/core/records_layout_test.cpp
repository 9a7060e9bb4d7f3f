// The byte layouts of the two design records, checked against offsets written out here by hand
// rather than against the layout tables, so a moved field fails even when the table and the
// code agree with each other.

#include "core/roller/roller_record.h"
#include "core/toothed/toothed_record.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <ostream>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace zorvane {
namespace {

using records::FieldType;
using roller::RollerEngine;
using roller::RollerField;
using roller::RollerRecord;
using toothed::ToothedEngine;
using toothed::ToothedField;
using toothed::ToothedRecord;
using Bytes = std::vector<std::uint8_t>;
using R = RollerField;
using D = ToothedField;
constexpr FieldType Dbl = FieldType::Double, I32 = FieldType::Int32, Bit = FieldType::Bool,
                    Str = FieldType::ShortString, Rsv = FieldType::Reserved;

template <typename Field> struct LayoutRow {
    Field field;
    std::size_t offset;
    FieldType type;
};

template <typename Field> void PrintTo(const LayoutRow<Field>& row, std::ostream* os) {
    *os << "offset " << row.offset;
}

// "上调或下调" in GBK after its length byte: exactly the 10-byte capacity.
const Bytes kA0DirBytes{0x0A, 0xC9, 0xCF, 0xB5, 0xF7, 0xBB, 0xF2, 0xCF, 0xC2, 0xB5, 0xF7};

Bytes littleEndian(std::uint64_t bits, std::size_t width) {
    Bytes out;
    for (std::size_t k = 0; k < width; ++k) {
        out.push_back(static_cast<std::uint8_t>(bits >> (8 * k)));
    }
    return out;
}

// Writes a value that differs per field through the public setters and returns the bytes that
// must then stand at the field's offset. Reserved fields cannot be written and stay zero.
template <typename Design, typename Field>
Bytes writeDistinctive(Design& design, const LayoutRow<Field>& row) {
    auto& rec = design.record();
    switch (row.type) {
    case FieldType::Double: {
        const double value = static_cast<double>(row.offset) + 0.125;
        design.SetValue(row.field, value);
        return littleEndian(std::bit_cast<std::uint64_t>(value), 8);
    }
    case FieldType::Int32: {
        const auto value = static_cast<std::int32_t>(0x01020300 + row.offset);
        rec.setInt(row.field, value);
        return littleEndian(static_cast<std::uint32_t>(value), 4);
    }
    case FieldType::Bool:
        rec.setBool(row.field, true);
        return {0x01};
    case FieldType::ShortString:
        rec.setText(row.field, "上调或下调");
        return kA0DirBytes;
    case FieldType::Reserved:
        EXPECT_THROW(rec.getDouble(row.field), std::logic_error);
        EXPECT_THROW(design.SetValue(row.field, 1.0), std::logic_error);
        return {};
    }
    return {};
}

template <typename Design, typename Field> void expectFieldAt(const LayoutRow<Field>& row) {
    Design design;
    const Bytes expected = writeDistinctive(design, row);
    const auto& bytes = design.record().bytes();
    for (std::size_t k = 0; k < bytes.size(); ++k) {
        const bool inside = k >= row.offset && k < row.offset + expected.size();
        const std::uint8_t want = inside ? expected[k - row.offset] : std::uint8_t{0};
        ASSERT_EQ(bytes[k], want) << "byte " << k;
    }
}

// Every field once, with the offsets and types of the record layout.
template <typename Field>
void expectRowsCoverEveryField(const std::vector<LayoutRow<Field>>& rows, std::size_t count) {
    std::set<std::size_t> seen;
    for (const auto& row : rows) {
        seen.insert(static_cast<std::size_t>(row.field));
    }
    EXPECT_EQ(rows.size(), count);
    EXPECT_EQ(seen.size(), count);
}

struct Gap {
    std::size_t offset;
    std::size_t width;
    bool operator==(const Gap&) const = default;
};

// The padding the layout table leaves between (and after) its fields.
template <typename Rec> std::vector<Gap> paddingOf() {
    std::vector<Gap> gaps;
    std::size_t end = 0;
    for (std::size_t k = 0; k < Rec::kFieldCount; ++k) {
        const auto& entry = Rec::entry(static_cast<typename Rec::Field>(k));
        if (entry.offset > end) {
            gaps.push_back({end, entry.offset - end});
        }
        end = entry.offset + records::fieldWidth(entry);
    }
    if (end < Rec::kSize) {
        gaps.push_back({end, Rec::kSize - end});
    }
    return gaps;
}

// ---- roller chain record --------------------------------------------------------------------

// clang-format off
const std::vector<LayoutRow<RollerField>> kRollerRows{
    {R::ChainKind, 0, Str}, {R::Power, 16, Dbl}, {R::KA, 24, Dbl}, {R::n1, 32, Dbl},
    {R::Reserved40, 40, Rsv}, {R::SpeedClass, 48, I32}, {R::i, 56, Dbl}, {R::iInit, 64, Dbl},
    {R::iTol, 72, Dbl}, {R::z1, 80, Dbl}, {R::z2Calc, 88, Dbl}, {R::z2, 96, Dbl}, {R::a0, 104, Dbl},
    {R::Pd, 112, Dbl}, {R::Kp, 120, Dbl}, {R::Reserved128, 128, Rsv}, {R::p, 136, Dbl},
    {R::Reserved144, 144, Rsv}, {R::Lp, 152, Dbl}, {R::Reserved160, 160, Rsv}, {R::a, 168, Dbl},
    {R::aReal, 176, Dbl}, {R::v, 184, Dbl}, {R::Ft, 192, Dbl}, {R::FQ, 200, Dbl}, {R::S, 208, Dbl},
    {R::b2, 216, Dbl}, {R::dz, 224, Dbl}, {R::T, 232, Dbl}, {R::pr, 240, Dbl},
    {R::Reserved248, 248, Rsv}, {R::ChainNo, 256, Str}, {R::Q, 272, Dbl}, {R::Rows, 280, Dbl},
    {R::dr, 288, Dbl}, {R::pt, 296, Dbl}, {R::h, 304, Dbl}, {R::LifeAccepted, 312, Bit},
    {R::Adjustable, 313, Bit}, {R::HasTensioner, 314, Bit}, {R::TensionerKind, 316, I32},
    {R::Pulsating, 320, Bit}, {R::HasInitA0, 321, Bit}, {R::InitA0, 328, Dbl}, {R::A0Dir, 336, Str},
    {R::A0Tol, 352, Dbl}, {R::iDir, 360, Str}, {R::LubCond, 372, I32}, {R::Layout, 376, I32},
};
// clang-format on

class RollerLayout : public testing::TestWithParam<LayoutRow<RollerField>> {};

TEST_P(RollerLayout, FieldStandsAtItsOffsetAndNowhereElse) {
    expectFieldAt<RollerEngine>(GetParam());
}

INSTANTIATE_TEST_SUITE_P(EveryField, RollerLayout, testing::ValuesIn(kRollerRows),
                         [](const auto& testRow) {
                             return std::string(RollerRecord::entry(testRow.param.field).name);
                         });

TEST(RollerRecord, IsZeroFilled384BytesWithTheDocumentedPadding) {
    EXPECT_EQ(sizeof(RollerRecord::Bytes), 384U);
    const RollerEngine design;
    EXPECT_TRUE(std::all_of(design.record().bytes().begin(), design.record().bytes().end(),
                            [](std::uint8_t b) { return b == 0; }));
    expectRowsCoverEveryField(kRollerRows, RollerRecord::kFieldCount);
    const std::vector<Gap> padding{{11, 5},  {52, 4},  {267, 5}, {315, 1},
                                   {322, 6}, {347, 5}, {371, 1}, {380, 4}};
    EXPECT_EQ(paddingOf<RollerRecord>(), padding);
}

// ---- toothed chain record -------------------------------------------------------------------

// clang-format off
const std::vector<LayoutRow<ToothedField>> kToothedRows{
    {D::ChainKind, 0, Str}, {D::Power, 16, Dbl}, {D::KA, 24, Dbl}, {D::n1, 32, Dbl},
    {D::Reserved40, 40, Rsv}, {D::i, 48, Dbl}, {D::iInit, 56, Dbl}, {D::iTol, 64, Dbl},
    {D::z1, 72, Dbl}, {D::z2, 80, Dbl}, {D::z2Calc, 88, Dbl}, {D::a0, 96, Dbl}, {D::P0, 104, Dbl},
    {D::Reserved112, 112, Rsv}, {D::Kz, 120, Dbl}, {D::Pd, 128, Dbl}, {D::p, 136, Dbl},
    {D::Reserved144, 144, Rsv}, {D::Lp, 152, Dbl}, {D::Reserved160, 160, Rsv}, {D::a, 168, Dbl},
    {D::aReal, 176, Dbl}, {D::v, 184, Dbl}, {D::SpeedClass, 192, I32}, {D::Ft, 200, Dbl},
    {D::FQ, 208, Dbl}, {D::Reserved216, 216, Rsv}, {D::Adjustable, 280, Bit},
    {D::HasTensioner, 281, Bit}, {D::TensionerKind, 284, I32}, {D::Pulsating, 288, Bit},
    {D::HasInitA0, 289, Bit}, {D::InitA0, 296, Dbl}, {D::A0Dir, 304, Str}, {D::A0Tol, 320, Dbl},
    {D::iDir, 328, Str}, {D::Layout, 340, I32},
};
// clang-format on

class ToothedLayout : public testing::TestWithParam<LayoutRow<ToothedField>> {};

TEST_P(ToothedLayout, FieldStandsAtItsOffsetAndNowhereElse) {
    expectFieldAt<ToothedEngine>(GetParam());
}

INSTANTIATE_TEST_SUITE_P(EveryField, ToothedLayout, testing::ValuesIn(kToothedRows),
                         [](const auto& testRow) {
                             return std::string(ToothedRecord::entry(testRow.param.field).name);
                         });

TEST(ToothedRecord, IsZeroFilled344BytesWithTheDocumentedPadding) {
    EXPECT_EQ(sizeof(ToothedRecord::Bytes), 344U);
    const ToothedEngine design;
    EXPECT_TRUE(std::all_of(design.record().bytes().begin(), design.record().bytes().end(),
                            [](std::uint8_t b) { return b == 0; }));
    expectRowsCoverEveryField(kToothedRows, ToothedRecord::kFieldCount);
    const std::vector<Gap> padding{{11, 5}, {196, 4}, {282, 2}, {290, 6}, {315, 5}, {339, 1}};
    EXPECT_EQ(paddingOf<ToothedRecord>(), padding);
    // The 64-byte reserved block ends exactly where the switches begin.
    EXPECT_EQ(records::fieldWidth(ToothedRecord::entry(ToothedField::Reserved216)), 64U);
}

// ---- encodings ------------------------------------------------------------------------------

TEST(DesignRecord, NumbersAreLittleEndianIeeeAndSigned) {
    RollerEngine design;
    design.SetValue(RollerField::T, -1.0); // "no life required"
    design.record().setInt(RollerField::TensionerKind, -2);
    const auto& b = design.record().bytes();
    EXPECT_EQ(Bytes(b.begin() + 232, b.begin() + 240),
              (Bytes{0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF0, 0xBF}));
    EXPECT_EQ(Bytes(b.begin() + 316, b.begin() + 320), (Bytes{0xFE, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(design.record().getDouble(RollerField::T), -1.0);
    EXPECT_EQ(design.record().getInt(RollerField::TensionerKind), -2);
}

TEST(DesignRecord, SetValueRefusesFieldsThatHoldNoDouble) {
    for (const RollerField field : {R::ChainKind, R::SpeedClass, R::Adjustable, R::Reserved40}) {
        RollerEngine design;
        EXPECT_THROW(design.SetValue(field, 1.0), std::logic_error);
        EXPECT_EQ(design.record(), RollerRecord{});
    }
    for (const ToothedField field : {D::ChainKind, D::SpeedClass, D::Pulsating, D::Reserved216}) {
        ToothedEngine design;
        EXPECT_THROW(design.SetValue(field, 1.0), std::logic_error);
        EXPECT_EQ(design.record(), ToothedRecord{});
    }
}

TEST(DesignRecord, AnyNonZeroSwitchByteReadsTrue) {
    RollerRecord::Bytes bytes{};
    bytes[313] = 2;
    const auto rec = RollerRecord::fromBytes(bytes);
    EXPECT_TRUE(rec.getBool(RollerField::Adjustable));
    EXPECT_FALSE(rec.getBool(RollerField::HasTensioner));
}

// ---- short strings of capacity 10 -----------------------------------------------------------

struct KindCase {
    const char* name;
    std::string text;
    std::string stored;
    std::uint8_t lengthByte;
};

class ShortStringCapacity : public testing::TestWithParam<KindCase> {};

TEST_P(ShortStringCapacity, SetKindKeepsTenBytesWithoutSplittingACharacter) {
    const KindCase& c = GetParam();
    RollerEngine rollerDesign;
    ToothedEngine toothedDesign;
    // A longer text first: what it leaves behind the new one must not survive.
    rollerDesign.SetKind("ABCDEFGHIJ");
    toothedDesign.SetKind("ABCDEFGHIJ");
    rollerDesign.SetKind(c.text);
    toothedDesign.SetKind(c.text);
    EXPECT_EQ(rollerDesign.GetKind(), c.stored);
    EXPECT_EQ(toothedDesign.GetKind(), c.stored);
    for (const auto* bytes :
         {rollerDesign.record().bytes().data(), toothedDesign.record().bytes().data()}) {
        EXPECT_EQ(bytes[0], c.lengthByte);
        EXPECT_TRUE(std::all_of(bytes + 1 + c.lengthByte, bytes + 16,
                                [](std::uint8_t b) { return b == 0; }));
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, ShortStringCapacity,
                         testing::Values(KindCase{"Roller", "R", "R", 1},
                                         KindCase{"Empty", "", "", 0},
                                         KindCase{"TenAscii", "0123456789", "0123456789", 10},
                                         KindCase{"TwelveAscii", "0123456789AB", "0123456789", 10},
                                         KindCase{"FiveChinese", "上调或下调", "上调或下调", 10},
                                         KindCase{"OddBoundary", "a上调或下调", "a上调或下", 9}),
                         [](const auto& testRow) { return std::string(testRow.param.name); });

// ---- project file round trip ----------------------------------------------------------------

TEST(DesignRecord, BytesSurviveReloadAndFieldWritesLeavePaddingAlone) {
    RollerRecord::Bytes pattern{};
    for (std::size_t k = 0; k < pattern.size(); ++k) {
        pattern[k] = static_cast<std::uint8_t>(k * 7 + 3);
    }
    RollerEngine design(RollerRecord::fromBytes(pattern));
    EXPECT_EQ(design.record().bytes(), pattern);

    design.SetValue(RollerField::Lp, 120.0);
    design.record().setBool(RollerField::HasInitA0, true);
    const auto& after = design.record().bytes();
    for (std::size_t k = 0; k < after.size(); ++k) {
        const bool written = (k >= 152 && k < 160) || k == 321;
        if (!written) {
            ASSERT_EQ(after[k], pattern[k]) << "byte " << k;
        }
    }
    EXPECT_EQ(RollerRecord::fromBytes(after), design.record());
}

TEST(DesignRecord, FromBytesDemandsTheExactSize) {
    const Bytes shortBlock(383), longBlock(385), exact(344);
    EXPECT_THROW(RollerRecord::fromBytes(shortBlock), std::invalid_argument);
    EXPECT_THROW(RollerRecord::fromBytes(longBlock), std::invalid_argument);
    EXPECT_THROW(RollerRecord::fromBytes(exact), std::invalid_argument);
    EXPECT_NO_THROW(ToothedRecord::fromBytes(exact));
}

} // namespace
} // namespace zorvane
