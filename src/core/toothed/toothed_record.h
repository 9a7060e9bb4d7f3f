#pragma once
// The toothed chain design record ToothedRecord, 344 bytes, and the engine ToothedEngine that owns
// it. The project file stores the record byte for byte, so the layout table below is a file
// format. The field names match the roller record's for the same quantities; several offsets
// differ (z2 comes before z2Calc here, SpeedClass sits at 192).

#include "core/records/fixed_record.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zorvane::toothed {

// Fields in the order of their offsets.
enum class ToothedField : std::uint8_t {
    ChainKind,     // "D"
    Power,         // transmitted power P, kW
    KA,            // working-condition factor
    n1,            // small sprocket speed, r/min
    Reserved40,    // never written or read
    i,             // actual ratio z2/z1
    iInit,         // required ratio
    iTol,          // allowed relative ratio deviation
    z1,            // small sprocket teeth (whole number)
    z2,            // large sprocket teeth (whole number)
    z2Calc,        // z1 * iInit, 2 decimals
    a0,            // initial centre distance, mm
    P0,            // rated power per unit chain width, kW/mm
    Reserved112,   // never written or read
    Kz,            // tooth-count coefficient of the small sprocket
    Pd,            // design power KA*P/Kz, kW
    p,             // pitch, mm
    Reserved144,   // never written or read
    Lp,            // chain length in links (whole number)
    Reserved160,   // never written or read
    a,             // theoretical centre distance, mm
    aReal,         // actual centre distance, mm (not rounded)
    v,             // chain speed, m/s
    SpeedClass,    // item of the (disabled) speed-class box
    Ft,            // effective circumferential force, N
    FQ,            // shaft force, N
    Reserved216,   // 64 bytes, never written or read
    Adjustable,    // centre distance adjustable
    HasTensioner,  // tensioning device fitted
    TensionerKind, // 0 张紧轮, 1 压块, 2 压块与导板, 3 托板和托架
    Pulsating,     // pulsating load
    HasInitA0,     // an initial centre distance was given
    InitA0,        // given initial centre distance, mm
    A0Dir,         // "上调", "下调" or "上调或下调"
    A0Tol,         // allowed relative deviation of InitA0
    iDir,          // "允许增大", "允许减小" or "可大或小"
    Layout,        // 0 水平, 1 倾斜, 2 接近垂直, 3 垂直传动
};

struct ToothedRecordLayout {
    using Field = ToothedField;
    using F = ToothedField;
    using T = records::FieldType;
    using Entry = records::FieldEntry<ToothedField>;
    static constexpr std::size_t size = 344;
    static constexpr std::size_t kTextCapacity = 10;

    // The byte layout of the toothed chain record; gaps between entries are padding.
    static constexpr std::array<Entry, 37> fields{{
        {F::ChainKind, 0, T::ShortString, kTextCapacity, "ChainKind"},
        {F::Power, 16, T::Double, 0, "Power"},
        {F::KA, 24, T::Double, 0, "KA"},
        {F::n1, 32, T::Double, 0, "n1"},
        {F::Reserved40, 40, T::Reserved, 8, "Reserved40"},
        {F::i, 48, T::Double, 0, "i"},
        {F::iInit, 56, T::Double, 0, "iInit"},
        {F::iTol, 64, T::Double, 0, "iTol"},
        {F::z1, 72, T::Double, 0, "z1"},
        {F::z2, 80, T::Double, 0, "z2"},
        {F::z2Calc, 88, T::Double, 0, "z2Calc"},
        {F::a0, 96, T::Double, 0, "a0"},
        {F::P0, 104, T::Double, 0, "P0"},
        {F::Reserved112, 112, T::Reserved, 8, "Reserved112"},
        {F::Kz, 120, T::Double, 0, "Kz"},
        {F::Pd, 128, T::Double, 0, "Pd"},
        {F::p, 136, T::Double, 0, "p"},
        {F::Reserved144, 144, T::Reserved, 8, "Reserved144"},
        {F::Lp, 152, T::Double, 0, "Lp"},
        {F::Reserved160, 160, T::Reserved, 8, "Reserved160"},
        {F::a, 168, T::Double, 0, "a"},
        {F::aReal, 176, T::Double, 0, "aReal"},
        {F::v, 184, T::Double, 0, "v"},
        {F::SpeedClass, 192, T::Int32, 0, "SpeedClass"},
        {F::Ft, 200, T::Double, 0, "Ft"},
        {F::FQ, 208, T::Double, 0, "FQ"},
        {F::Reserved216, 216, T::Reserved, 64, "Reserved216"},
        {F::Adjustable, 280, T::Bool, 0, "Adjustable"},
        {F::HasTensioner, 281, T::Bool, 0, "HasTensioner"},
        {F::TensionerKind, 284, T::Int32, 0, "TensionerKind"},
        {F::Pulsating, 288, T::Bool, 0, "Pulsating"},
        {F::HasInitA0, 289, T::Bool, 0, "HasInitA0"},
        {F::InitA0, 296, T::Double, 0, "InitA0"},
        {F::A0Dir, 304, T::ShortString, kTextCapacity, "A0Dir"},
        {F::A0Tol, 320, T::Double, 0, "A0Tol"},
        {F::iDir, 328, T::ShortString, kTextCapacity, "iDir"},
        {F::Layout, 340, T::Int32, 0, "Layout"},
    }};
};

using ToothedRecord = records::FixedRecord<ToothedRecordLayout>;
static_assert(ToothedRecord::kSize == 344);

// Rows of the reference tables as the step handlers read them, in table order.
// dkz: 小链轮齿数, 齿数系数.
using ToothedKzRow = std::pair<double, double>;
// Dc: 节距 (through its text form, mm), 编号.
struct ToothedPitchRow {
    double pitchMm;
    std::int64_t key;
};
// DcChild: 编号, 链宽 (mm).
struct ToothedWidthRow {
    std::int64_t key;
    double widthMm;
};

// One row of the sprocket size table: item, small sprocket, large sprocket.
struct ToothedSizeRow {
    std::string_view item;
    double smallValue;
    double largeValue;
};

inline constexpr std::size_t kSprocketSizeRows = 11;

// The toothed chain design engine: one exists while a toothed chain design is open. The numeric
// helpers and step operations work on the record it owns; fields without their own setter here
// are written in place through record().
class ToothedEngine {
public:
    ToothedEngine() = default; // zero-filled record
    explicit ToothedEngine(const ToothedRecord& record) : rec_(record) {}

    // Stores at most 10 bytes of the GBK form of `text` into ChainKind ("D" after creation).
    void SetKind(std::string_view text);
    std::string GetKind() const;

    // Stores `value` into a double field of the record, unchanged. Any other field (a count,
    // a switch, a text or a reserved block) throws std::logic_error.
    void SetValue(ToothedField field, double value);

    // Power and width (toothed_power.cpp) --------------------------------------------------

    // Quadratic Lagrange interpolation of log10 y over log10 x through (x1, y1), (x2, y2),
    // (x3, y3), evaluated at x. NaN unless every argument is positive and finite and the three
    // x are distinct.
    static double LogInterp3(double x1, double x2, double x3, double y1, double y2, double y3,
                             double x);

    // Rated power per unit chain width (kW per mm) of a chain of pitch p (mm) at n r/min. The
    // pitch is known by its integer part (38.1 -> 38). Returns 0 for a pitch the table lacks
    // and -1 for a speed outside that pitch's ranges.
    static double RatedPowerPerWidth(double n, double p);

    // log10(P0) + 0.97 log10(n1) - c, c = 2.503 for line "1" and 2.982 for any other line:
    // negative below that boundary line of the lubrication chart. P0 = 0 gives -infinity; P0
    // negative, n1 not positive, or either not a number gives +infinity (above both lines).
    double LubBoundary(std::string_view line) const;
    // The lubrication method of the record's (n1, P0) by the two boundary lines.
    std::string_view LubricationMethod() const;

    // The tooth-count coefficient Kz: 0.77 below 17 teeth, 1.88 above 37; otherwise an odd z1
    // takes its row of dkz, and an even one (or an odd one the table lacks) interpolates
    // linearly between its neighbour rows. Nothing when the rows do not bracket z1, z1 is not
    // a number, or the coefficient found is not positive.
    static std::optional<double> ToothCoefficient(double z1, const std::vector<ToothedKzRow>& dkz);
    // Stores Kz for the record's z1 and the design power Pd = KA * Power / Kz. Returns false
    // and leaves both as they were when no coefficient is found.
    bool CalcDesignPower(const std::vector<ToothedKzRow>& dkz);

    // Stores P0 = RatedPowerPerWidth(n1, p) and returns it when the table rates the record's
    // pitch at its speed. Nothing, with P0 left as it was, for a speed outside the pitch's
    // ranges and also for a pitch the table lacks: neither gives a usable rating, and both
    // send the user back to the pitch or the speed.
    std::optional<double> CalcRatedPower();

    // The chain width the design power needs, Pd / P0 in mm; +infinity when P0 is not a
    // positive number, so that no width is wide enough.
    static double RequiredWidth(double Pd, double P0);

    // The pitch texts the pitch dialog offers at n1 r/min, in dialog order; never empty.
    static std::vector<std::string_view> PitchChoices(double n1);

    // The chain widths offered for pitch p: the DcChild rows of the key of p's Dc row that are
    // wider than the required width as the width query writes it (shortest general text), in
    // table order. Empty when Dc lacks the pitch or the required width is not a number.
    static std::vector<double> WidthChoices(const std::vector<ToothedPitchRow>& dc,
                                            const std::vector<ToothedWidthRow>& dcChild, double p,
                                            double requiredWidth);

    // Sprocket sizes (toothed_sprocket.cpp) --------------------------------------------------

    // The main dimensions of both sprockets of pitch p (mm), angles in degrees, in the order
    // of the size table.
    static std::array<ToothedSizeRow, kSprocketSizeRows> SprocketSizes(double p, double z1,
                                                                       double z2);

    ToothedRecord& record() { return rec_; }
    const ToothedRecord& record() const { return rec_; }

private:
    ToothedRecord rec_;
};

} // namespace zorvane::toothed
