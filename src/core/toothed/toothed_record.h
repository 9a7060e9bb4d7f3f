#pragma once
// The toothed chain design record TD_DesignRec, 344 bytes, and the engine TD_Design that owns
// it. The project file stores the record byte for byte, so the layout table below is a file
// format. The field names match the roller record's for the same quantities; several offsets
// differ (z2 comes before z2Calc here, SpeedClass sits at 192).

#include "core/records/fixed_record.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace zorvane::toothed {

// Fields in the order of their offsets.
enum class TD_Field : std::uint8_t {
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

struct TD_Layout {
    using Field = TD_Field;
    using F = TD_Field;
    using T = records::FieldType;
    using Entry = records::FieldEntry<TD_Field>;
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

using TD_DesignRec = records::FixedRecord<TD_Layout>;
static_assert(TD_DesignRec::kSize == 344);

// The toothed chain design engine: one exists while a toothed chain design is open. The numeric
// helpers and step operations work on the record it owns; fields without their own setter here
// are written in place through record().
class TD_Design {
public:
    TD_Design() = default; // zero-filled record
    explicit TD_Design(const TD_DesignRec& record) : rec_(record) {}

    // Stores at most 10 bytes of the GBK form of `text` into ChainKind ("D" after creation).
    void SetKind(std::string_view text);
    std::string GetKind() const;

    // Stores `value` into a double field of the record, unchanged. Any other field (a count,
    // a switch, a text or a reserved block) throws std::logic_error.
    void SetValue(TD_Field field, double value);

    TD_DesignRec& record() { return rec_; }
    const TD_DesignRec& record() const { return rec_; }

private:
    TD_DesignRec rec_;
};

} // namespace zorvane::toothed
