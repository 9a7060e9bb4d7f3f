#include "tools/dbbuild/program_coefficients.h"

#include "core/design/initial_conditions.h"
#include "core/roller/roller_formulas.h"
#include "core/roller/roller_record.h"
#include "core/store/table.h"
#include "core/text/number_text.h"
#include "tools/dbbuild/csv_table.h"

#include <cmath>
#include <optional>
#include <string>

namespace zorvane::dbbuild {

namespace {

void compare(const store::Table& table, const std::string& rowLabel, const char* field,
             std::optional<double> program) {
    const auto shown = table.number(field);
    const bool same = shown && program ? std::abs(*shown - *program) < 1e-12 : !shown && !program;
    if (!same) {
        throw SourceError(table.name() + " 的“" + rowLabel + "”一行，字段“" + field + "”为" +
                          (shown ? text::general(*shown) : std::string("空")) + "，而程序取" +
                          (program ? text::general(*program) : std::string("空")) +
                          "；表中数值必须与设计所用的相同");
    }
}

} // namespace

void checkProgramCoefficients(const std::filesystem::path& databaseDir) {
    // Kz: below the peak speed (n1 < nPeak) and at or above it.
    store::Table kz(databaseDir, "RToothFactor");
    kz.open();
    for (kz.first(); !kz.eof(); kz.next()) {
        const double z1 = kz.number(0).value_or(0);
        const std::string label = "z1 = " + text::general(z1);
        compare(kz, label, "Kz(n1低于峰值转速)", roller::RollerEngine::ToothFactor(z1, 0, 1));
        compare(kz, label, "Kz(n1不低于峰值转速)", roller::RollerEngine::ToothFactor(z1, 1, 0));
    }
    // Kp: one row per item of the rows list up to six rows; the rows beyond have no table value.
    store::Table kp(databaseDir, "RRowFactor");
    kp.open();
    int item = 0;
    for (kp.first(); !kp.eof(); kp.next(), ++item) {
        const auto rows = text::parseInteger(kp.text("排数"));
        compare(kp, kp.text("排数"), "Kp(程序值)",
                rows && *rows == design::rowCount(item) ? design::multiRowFactor(item)
                                                        : std::nullopt);
    }
    // c2 by the whole-number part of the pitch.
    store::Table c2(databaseDir, "RPitchFactor");
    c2.open();
    for (c2.first(); !c2.eof(); c2.next()) {
        const double p = c2.number("节距p").value_or(0);
        compare(c2, "p = " + text::general(p), "节距系数c2", roller::PitchCoefC2(p));
    }
}

} // namespace zorvane::dbbuild
