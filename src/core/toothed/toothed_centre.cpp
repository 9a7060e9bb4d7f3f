// The toothed chain from the initial centre distance to the shaft load: the range offered for
// the initial centre distance, the link count, the theoretical centre distance, the chain speed
// and the forces.

#include "core/text/number_text.h"
#include "core/toothed/toothed_record.h"

#include <cmath>
#include <numbers>

namespace zorvane::toothed {
namespace {

// a0min = 0.2 z1 (i + 1) below this ratio, 0.33 z1 (i - 1) from it on.
constexpr double kA0MinRatio = 4.0;

// Largest initial centre distance, in pitches, with and without an adjustable centre distance;
// the upper end of the best range for a pulsating load without tensioner; the proposal where
// the best range is (30 ~ 50) p.
constexpr double kA0MaxAdjustable = 80.0;
constexpr double kA0MaxFixed = 30.0;
constexpr double kA0BestPulsating = 25.0;
constexpr std::string_view kA0BestDefault = "40";

constexpr std::string_view kUpOrDown = "上调或下调";
constexpr std::string_view kUp = "上调";

// The fixed Ka up to this ratio and above the other; the Ka rows lie in between.
constexpr double kKaLowRatio = 1.05;
constexpr double kKaLow = 0.19245;
constexpr double kKaHighRatio = 30.0;
constexpr double kKaHigh = 0.25;

// A count this large is no chain, and could not be held as a whole number.
constexpr double kMaxLinks = 1e15;

// Layout codes of the drive arrangement.
constexpr std::int32_t kHorizontal = 0;
constexpr std::int32_t kInclined = 1;
constexpr std::int32_t kNearlyVertical = 2;
constexpr std::int32_t kVertical = 3;
constexpr double kVerticalLoadFactor = 1.05;

// The whole number nearest to value, halves to even, as text.
std::string wholeText(double value) {
    if (!std::isfinite(value)) {
        return text::fixed(value, 0, 0);
    }
    return text::fixed(static_cast<double>(text::roundHalfEven(value)), 0, 0);
}

} // namespace

double TD_Design::A0Min(double z1, double i) {
    return i < kA0MinRatio ? 0.2 * z1 * (i + 1.0) : 0.33 * z1 * (i - 1.0);
}

TD_A0Proposal TD_Design::ShowA0Range() const {
    const double a0min = A0Min(rec_.getDouble(TD_Field::z1), rec_.getDouble(TD_Field::i));
    // The proposals are taken from a0min as the text shows it; the range from a0min itself.
    const std::string s = text::fixed(a0min, 10, 2);
    const double shown = text::parseDecimal(s).value_or(a0min);
    const bool adjustable = rec_.getBool(TD_Field::Adjustable);
    const bool tensioner = rec_.getBool(TD_Field::HasTensioner);
    const bool pulsating = rec_.getBool(TD_Field::Pulsating);

    TD_A0Proposal out;
    out.rangeText = "本设计中,a0在理论上的取值范围为:(" + s;
    if (adjustable) {
        out.range = {a0min, kA0MaxAdjustable};
        if (tensioner) {
            out.rangeText += "～80)p,a0还可以大于80p,a0的最佳取值范围为:(30～50)p";
            out.defaultText = kA0BestDefault;
        } else if (!pulsating) {
            out.rangeText += "～80)p,a0的最佳取值范围为:(30～50)p";
            out.defaultText = kA0BestDefault;
        } else {
            out.rangeText += "～80)p,a0的最佳取值范围为:(" + s + "～25)p";
            out.defaultText = wholeText((shown + kA0BestPulsating) / 2.0);
        }
    } else {
        out.range = {a0min, kA0MaxFixed};
        if (pulsating && !tensioner) {
            out.rangeText += "～30)p,a0的最佳取值范围为:(" + s + "～25)p";
            out.defaultText = wholeText((shown + kA0BestPulsating) / 2.0);
        } else {
            out.rangeText += "～30)p";
            out.defaultText = wholeText((shown + kA0MaxFixed) / 2.0);
        }
    }

    if (!rec_.getBool(TD_Field::HasInitA0)) {
        return out;
    }
    // A given initial value replaces the theoretical range: it may move by A0Tol of itself in
    // the direction the initial conditions allow.
    const double given = rec_.getDouble(TD_Field::InitA0) / rec_.getDouble(TD_Field::p);
    const double delta = rec_.getDouble(TD_Field::A0Tol) * given;
    const std::string direction = text::trimmed(rec_.getText(TD_Field::A0Dir));
    out.range = {given, given};
    out.initialText = "本设计中,a0的初值为" + text::fixed(given, 10, 3) + "p,";
    if (direction == kUpOrDown) {
        out.range = {given - delta, given + delta};
        out.initialText += "允许" + direction + text::fixed(delta, 10, 3) + "p.";
    } else {
        const bool up = direction == kUp;
        const double bound = up ? given + delta : given - delta;
        out.range[up ? 1U : 0U] = bound;
        out.initialText += "允许" + direction + "至" + text::fixed(bound, 10, 3) + "p.";
    }
    out.defaultText = text::fixed((out.range[0] + out.range[1]) / 2.0, 10, 3);
    return out;
}

std::optional<TD_LinkCount> TD_Design::LinkCount(double a0p) const {
    if (!(std::isfinite(a0p) && a0p > 0.0)) {
        return std::nullopt;
    }
    const double z1 = rec_.getDouble(TD_Field::z1);
    const double z2 = rec_.getDouble(TD_Field::z2);
    const double q = (z2 - z1) / (2.0 * std::numbers::pi);
    const double exact = 2.0 * a0p + q * q / a0p + (z1 + z2) / 2.0;
    if (!(std::fabs(exact) < kMaxLinks)) {
        return std::nullopt;
    }
    TD_LinkCount out{};
    out.exact = exact;
    out.links = text::truncateRoundUp(exact);
    out.evenLinks = out.links;
    if (out.odd()) {
        out.evenLinks += static_cast<double>(out.links) > exact ? -1 : 1;
    }
    out.lengthM = exact * rec_.getDouble(TD_Field::p) / 1000.0;
    return out;
}

double TD_Design::KaFactor(double c, const std::vector<TD_KaRow>& ka) {
    if (c <= kKaLowRatio) {
        return kKaLow;
    }
    if (c > kKaHighRatio) {
        return kKaHigh;
    }
    const auto line = [c](const TD_KaRow& from, const TD_KaRow& to) {
        if (to.first == from.first) {
            return to.second;
        }
        return from.second + (c - from.first) / (to.first - from.first) * (to.second - from.second);
    };
    const TD_KaRow low{kKaLowRatio, kKaLow};
    const TD_KaRow high{kKaHighRatio, kKaHigh};
    if (ka.empty()) {
        return line(low, high);
    }
    if (c < ka.front().first) {
        return line(low, ka.front());
    }
    for (std::size_t k = 1; k < ka.size(); ++k) {
        if (ka[k].first >= c) {
            return line(ka[k - 1], ka[k]);
        }
    }
    return line(ka.back(), high);
}

double TD_Design::CalcCentreDistance(const std::vector<TD_KaRow>& ka) {
    const double z1 = rec_.getDouble(TD_Field::z1);
    const double z2 = rec_.getDouble(TD_Field::z2);
    const double lp = rec_.getDouble(TD_Field::Lp);
    const double p = rec_.getDouble(TD_Field::p);
    const double a = z1 == z2 ? (lp - z1) * p / 2.0
                              : (2.0 * lp - z1 - z2) * p * KaFactor((lp - z1) / (z2 - z1), ka);
    rec_.setDouble(TD_Field::a, a);
    return a;
}

double TD_Design::CalcSpeed() {
    const double v = rec_.getDouble(TD_Field::z1) * rec_.getDouble(TD_Field::n1) *
                     rec_.getDouble(TD_Field::p) / 60000.0;
    rec_.setDouble(TD_Field::v, v);
    return v;
}

std::optional<double> TD_Design::CalcForce() {
    const double v = rec_.getDouble(TD_Field::v);
    if (!(std::isfinite(v) && v > 0.0)) {
        return std::nullopt;
    }
    const double ft = 1000.0 * rec_.getDouble(TD_Field::Power) / v;
    rec_.setDouble(TD_Field::Ft, ft);
    return ft;
}

bool TD_Design::AsksTensionFactor(std::int32_t layout) {
    return layout == kHorizontal || layout == kInclined;
}

TD_CheckedValue TD_Design::CheckTensionFactor(std::string_view answer) {
    const std::optional<double> kf = text::parseDecimal(answer);
    if (!kf) {
        return {std::nullopt, "请正确输入拉力系数!"};
    }
    if (*kf < kTensionFactorMin || *kf > kTensionFactorMax) {
        return {std::nullopt, "拉力系数输入值超出范围!"};
    }
    return {kf, {}};
}

double TD_Design::ShaftLoad(std::int32_t layout, double KA, double Ft, double kf) {
    if (AsksTensionFactor(layout)) {
        return kf * Ft * KA;
    }
    if (layout == kNearlyVertical || layout == kVertical) {
        return kVerticalLoadFactor * KA * Ft;
    }
    return kTensionFactorDefault * Ft * KA;
}

double TD_Design::CalcShaftLoad(double kf) {
    const double fq = ShaftLoad(rec_.getInt(TD_Field::Layout), rec_.getDouble(TD_Field::KA),
                                rec_.getDouble(TD_Field::Ft), kf);
    rec_.setDouble(TD_Field::FQ, fq);
    return fq;
}

} // namespace zorvane::toothed
