#pragma once
// The roller chain design record RollerRecord, 384 bytes, and the engine RollerEngine that owns it.
// The project file stores the record byte for byte, so the layout table below is a file format:
// offsets, widths, reserved blocks and the padding between fields must never move.

#include "core/records/fixed_record.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace zorvane::roller {

// Fields in the order of their offsets. The names are the quantities' own symbols.
enum class RollerField : std::uint8_t {
    ChainKind,     // "R"
    Power,         // transmitted power P, kW
    KA,            // working-condition factor
    n1,            // small sprocket speed, r/min
    Reserved40,    // never written or read
    SpeedClass,    // 0 low, 1 medium, 2 high speed
    i,             // actual ratio z2/z1
    iInit,         // required ratio
    iTol,          // allowed relative ratio deviation
    z1,            // small sprocket teeth (whole number)
    z2Calc,        // z1 * iInit, 2 decimals
    z2,            // large sprocket teeth (whole number)
    a0,            // initial centre distance, mm
    Pd,            // design power, kW
    Kp,            // multi-row factor
    Reserved128,   // never written or read
    p,             // pitch, mm
    Reserved144,   // never written or read
    Lp,            // chain length in links (whole number)
    Reserved160,   // never written or read
    a,             // theoretical centre distance, mm
    aReal,         // actual centre distance, mm (whole number)
    v,             // chain speed, m/s
    Ft,            // effective circumferential force, N
    FQ,            // shaft force, N
    S,             // static safety factor
    b2,            // inner link outer width b2max, mm
    dz,            // pin diameter dzmax, mm
    T,             // service life, h; -1: none required
    pr,            // hinge pressure, MPa
    Reserved248,   // never written or read
    ChainNo,       // chain number, e.g. "08A"
    Q,             // ultimate tensile load of the chain
    Rows,          // number of rows (whole number)
    dr,            // roller diameter drmax, mm
    pt,            // row pitch, mm
    h,             // inner plate height hmax, mm
    LifeAccepted,  // the initial centre distance step may complete
    Adjustable,    // centre distance adjustable
    HasTensioner,  // tensioning device fitted
    TensionerKind, // 0 张紧轮, 1 压块, 2 压块与导板, 3 托板和托架
    Pulsating,     // pulsating load
    HasInitA0,     // an initial centre distance was given
    InitA0,        // given initial centre distance, mm
    A0Dir,         // "上调", "下调" or "上调或下调"
    A0Tol,         // allowed relative deviation of InitA0
    iDir,          // "允许增大", "允许减小" or "可大或小"
    LubCond, // 0 干润滑, 1 润滑不充分, 2 由设计结果确定(推荐), 3 良好的润滑
    Layout,  // 0 水平, 1 倾斜, 2 接近垂直, 3 垂直传动
};

struct RollerRecordLayout {
    using Field = RollerField;
    using F = RollerField;
    using T = records::FieldType;
    using Entry = records::FieldEntry<RollerField>;
    static constexpr std::size_t size = 384;
    static constexpr std::size_t kTextCapacity = 10;

    // The byte layout of the roller chain record; gaps between entries are padding.
    static constexpr std::array<Entry, 49> fields{{
        {F::ChainKind, 0, T::ShortString, kTextCapacity, "ChainKind"},
        {F::Power, 16, T::Double, 0, "Power"},
        {F::KA, 24, T::Double, 0, "KA"},
        {F::n1, 32, T::Double, 0, "n1"},
        {F::Reserved40, 40, T::Reserved, 8, "Reserved40"},
        {F::SpeedClass, 48, T::Int32, 0, "SpeedClass"},
        {F::i, 56, T::Double, 0, "i"},
        {F::iInit, 64, T::Double, 0, "iInit"},
        {F::iTol, 72, T::Double, 0, "iTol"},
        {F::z1, 80, T::Double, 0, "z1"},
        {F::z2Calc, 88, T::Double, 0, "z2Calc"},
        {F::z2, 96, T::Double, 0, "z2"},
        {F::a0, 104, T::Double, 0, "a0"},
        {F::Pd, 112, T::Double, 0, "Pd"},
        {F::Kp, 120, T::Double, 0, "Kp"},
        {F::Reserved128, 128, T::Reserved, 8, "Reserved128"},
        {F::p, 136, T::Double, 0, "p"},
        {F::Reserved144, 144, T::Reserved, 8, "Reserved144"},
        {F::Lp, 152, T::Double, 0, "Lp"},
        {F::Reserved160, 160, T::Reserved, 8, "Reserved160"},
        {F::a, 168, T::Double, 0, "a"},
        {F::aReal, 176, T::Double, 0, "aReal"},
        {F::v, 184, T::Double, 0, "v"},
        {F::Ft, 192, T::Double, 0, "Ft"},
        {F::FQ, 200, T::Double, 0, "FQ"},
        {F::S, 208, T::Double, 0, "S"},
        {F::b2, 216, T::Double, 0, "b2"},
        {F::dz, 224, T::Double, 0, "dz"},
        {F::T, 232, T::Double, 0, "T"},
        {F::pr, 240, T::Double, 0, "pr"},
        {F::Reserved248, 248, T::Reserved, 8, "Reserved248"},
        {F::ChainNo, 256, T::ShortString, kTextCapacity, "ChainNo"},
        {F::Q, 272, T::Double, 0, "Q"},
        {F::Rows, 280, T::Double, 0, "Rows"},
        {F::dr, 288, T::Double, 0, "dr"},
        {F::pt, 296, T::Double, 0, "pt"},
        {F::h, 304, T::Double, 0, "h"},
        {F::LifeAccepted, 312, T::Bool, 0, "LifeAccepted"},
        {F::Adjustable, 313, T::Bool, 0, "Adjustable"},
        {F::HasTensioner, 314, T::Bool, 0, "HasTensioner"},
        {F::TensionerKind, 316, T::Int32, 0, "TensionerKind"},
        {F::Pulsating, 320, T::Bool, 0, "Pulsating"},
        {F::HasInitA0, 321, T::Bool, 0, "HasInitA0"},
        {F::InitA0, 328, T::Double, 0, "InitA0"},
        {F::A0Dir, 336, T::ShortString, kTextCapacity, "A0Dir"},
        {F::A0Tol, 352, T::Double, 0, "A0Tol"},
        {F::iDir, 360, T::ShortString, kTextCapacity, "iDir"},
        {F::LubCond, 372, T::Int32, 0, "LubCond"},
        {F::Layout, 376, T::Int32, 0, "Layout"},
    }};
};

using RollerRecord = records::FixedRecord<RollerRecordLayout>;
static_assert(RollerRecord::kSize == 384);

// Values of the main window's NeedLifeCheck: whether the initial centre distance step has to run
// the fatigue life check because the chosen pitch was not confirmed by the power rating.
inline constexpr int kLifeCheckNone = 0;
inline constexpr int kLifeCheckRequired = 10;

// A pitch with its chain number, as chosen by PitchBySpeed.
struct RollerPitchChoice {
    double p;                 // pitch, mm
    std::string_view chainNo; // e.g. "08A"
};

// The roller chain design engine: one exists while a roller chain design is open. The step
// operations and coefficient lookups work on the record it owns; fields without their own
// setter here are written in place through record().
class RollerEngine {
public:
    RollerEngine() = default; // zero-filled record
    explicit RollerEngine(const RollerRecord& record) : rec_(record) {}

    // Stores at most 10 bytes of the GBK form of `text` into ChainKind ("R" after creation).
    void SetKind(std::string_view text);
    std::string GetKind() const;

    // Stores `value` into a double field of the record, unchanged. Any other field (a count,
    // a switch, a text or a reserved block) throws std::logic_error.
    void SetValue(RollerField field, double value);

    // Coefficient lookups of the pitch selection; implemented in roller_engine.cpp.

    // The small-sprocket tooth factor Kz for z1 teeth at speed n1, against the candidate's peak
    // speed nPeak. z1 above 25 uses the z1 = 25 row and the fixed speed 1800 r/min instead of
    // nPeak; z1 from 1 to 8 continues the table with its formulas. Returns 0 when z1 is below 1
    // (after rounding) or not a number, for which no factor exists.
    static double ToothFactor(double z1, double n1, double nPeak);

    // Pd = KA * Power / (Kz * Kp) for the record's z1, n1, KA, Power and Kp. Returns false and
    // leaves Pd as it was when Kz * Kp is not a positive finite number.
    bool CalcDesignPower(double nPeak);

    // log10(P / rating) for a chain of pitch p (mm) on a 19-tooth sprocket at n r/min carrying
    // P kW: negative while P is below the link-plate fatigue rating, or the roller and bushing
    // impact rating. P = 0 gives -infinity; p or n not positive, or P negative or not a
    // number, gives +infinity, so that such a chain is never taken as carrying the power.
    static double PlateMargin(double p, double n, double P);
    static double RollerMargin(double p, double n, double P);

    // The largest pitch allowed at speed n: stores it into p and ChainNo and returns it. Above
    // 220 r/min the pitch is a reduction by speed and needLifeCheck becomes kLifeCheckRequired;
    // otherwise needLifeCheck keeps its value.
    RollerPitchChoice PitchBySpeed(double n, int& needLifeCheck);

    RollerRecord& record() { return rec_; }
    const RollerRecord& record() const { return rec_; }

private:
    RollerRecord rec_;
};

} // namespace zorvane::roller
