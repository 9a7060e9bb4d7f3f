#pragma once
// The chain-type panel and the initial-conditions panel: their lists and defaults, the checks
// of each field and of the confirmation, the rows of the initial-conditions table, and the first
// proposals for the tooth counts and the working-condition factor.

#include "core/design/interaction.h"
#include "core/design/steps.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zorvane::design {

// List items of the panels, in list order.
inline constexpr std::array<std::string_view, 8> kRowItems{"单排", "双排", "三排",     "四排",
                                                           "五排", "六排", "六排以上", " "};
inline constexpr std::array<std::string_view, 2> kRollerTypeItems{"A型", "B型"};
inline constexpr std::array<std::string_view, 3> kMotorItems{"电动机或汽轮机", "内燃机--机械传动",
                                                             "内燃机--液力传动"};
inline constexpr std::array<std::string_view, 4> kLayoutItems{"水平传动", "倾斜传动",
                                                              "接近垂直传动", "垂直传动"};
inline constexpr std::array<std::string_view, 4> kSpeedItems{
    "低速传动(v≤3m/s)", "中速传动(v>3～8m/s)", "高速传动(v>8m/s)", " "};
inline constexpr std::array<std::string_view, 4> kLubItems{"干润滑", "润滑不充分",
                                                           "由设计结果确定(推荐)", "良好的润滑"};
inline constexpr std::array<std::string_view, 3> kLoadItems{"平稳载荷", "中等冲击", "严重冲击"};
inline constexpr std::array<std::string_view, 3> kFloatItems{"上调", "下调", "上调或下调"};
inline constexpr std::array<std::string_view, 4> kTensionerItems{"张紧轮", "压块", "压块与导板",
                                                                 "托板和托架"};
inline constexpr std::array<std::string_view, 3> kRatioDirItems{"允许增大", "允许减小", "可大或小"};

inline constexpr std::string_view kRatioNote =
    "通常传动比i≤7；推荐i=2～3.5；当v<2m/s且载荷平稳时，i可达10。";
inline constexpr std::array<std::string_view, 11> kLoadGuideLines{
    "平稳载荷",
    "  液体搅拌机;中小型离心式鼓风机;离心式压缩机;谷物机械;均匀负载",
    "输送机;发电机;均匀负载不反转的一般机械",
    "中等冲击",
    "  半液体搅拌机;三缸以上往复压缩机;大型或不均匀负载输送机;中型",
    "起重机和升降机;重载天轴传动;金属切削机床;食品机械;木工机械;印",
    "染纺织机械;大型风机;中等脉动载荷不反转的一般机械",
    "严重冲击",
    "  船用螺旋桨;制砖机;单双缸往复压缩机;挖掘机;往复式、振动式输送",
    "机;破碎机;重型起重机械;石油钻井机械;锻压机械;线材拉拔机械;冲床",
    ";严重冲击、有反转的机械"};

// Multi-row factor by the item of the rows list; nothing for "六排以上", whose factor the pitch
// step sets.
std::optional<double> multiRowFactor(int rowItem);
int rowCount(int rowItem);
// Working-condition factor by load kind and prime mover.
double workingConditionFactor(int loadItem, int motorItem);

struct SelectInputs {
    bool roller = true;
    int rowItem = 0;
    int typeItem = 0;
};

// The inputs of the initial-conditions panel. Edit boxes and editable lists carry their texts;
// lists carry their item index (-1 when an editable list holds a text of one's own).
struct InitInputs {
    std::string power;
    std::string n1;
    int motor = 0;
    int layout = 0;
    int speed = 1;
    int lub = 2;
    int load = 0;
    bool pulsating = false;
    bool adjustable = true;
    bool hasInitA0 = false;
    std::string initA0;
    std::string floatText{kFloatItems[2]};
    std::string floatPercent = "5";
    bool hasLife = false;
    std::string life;
    bool hasTensioner = true;
    int tensioner = 0;
    std::string tensionerText{kTensionerItems[0]};
    std::string ratio;
    int ratioDir = 2;
    std::string ratioTol = "0.5";
};

// The inputs of the panel in the order of its keyboard route.
enum class InitField {
    Power,
    N1,
    Motor,
    Layout,
    Speed,
    Lub,
    Load,
    InitA0,
    Float,
    FloatPercent,
    Life,
    Tensioner,
    Ratio,
    RatioDir,
    RatioTol,
    Ok,
    Cancel
};

// Which optional inputs are enabled, from the switches and the chain kind.
struct InitEnables {
    bool pulsating = false; // chkLoadKind
    bool initA0 = false;    // edtInita, cbxFloat, edtFloat, UpDown1
    bool lifeSwitch = true; // chkT
    bool life = false;      // edtT
    bool tensioner = true;  // cbxTight
    bool speed = true;      // cbxV
};
InitEnables initEnables(const InitInputs& inputs, Chain chain);

// Where Enter (or the Down arrow) moves the focus from `field`.
InitField nextInRoute(InitField field, const InitEnables& enables);

// The check made when the user leaves a field: refused after its error was shown (the focus then
// goes back into the field); the value read when the text is a number. A field without a check
// always passes.
struct LeaveCheck {
    bool accepted = true;
    std::optional<double> value;
};
LeaveCheck checkOnLeave(InitField field, const std::string& text, Interaction& ui);

// Everything a confirmed panel stores. Values stored by checks that passed before a failing one
// (the life and the initial centre distance) are reported even when the confirmation fails.
struct InitOutcome {
    bool confirmed = false;
    std::optional<InitField> focus; // where the focus goes after a refused input
    std::optional<double> life;     // T, roller only: −1 when no life is required
    std::optional<double> initA0;

    double power = 0;
    double n1 = 0;
    double ratio = 0;
    double ratioTol = 0;
    std::string ratioDirText;
    std::string a0DirText;
    std::optional<double> a0Tol; // the percentage of edtFloat / 100, when it is a number
    int tensionerKind = 0;
    bool adjustable = false;
    bool hasTensioner = false;
    bool pulsating = false;
    bool hasInitA0 = false;
    int speedClass = 0;
    int lubCond = 0;
    int layout = 0;
    double ka = 0;
    double z1 = 0;
    double z2Calc = 0;
    double z2 = 0;
    std::string z2CalcText; // the large sprocket's calculated count, as its label shows it
    std::string z1Label;    // "{" + speed class text + "}", roller only

    struct Row {
        std::string item, value, unit;
    };
    std::vector<Row> rows;
};

InitOutcome confirmInitialConditions(const InitInputs& inputs, Chain chain, Interaction& ui);

// The large sprocket proposal from x = z1 × i by the ratio direction item.
double proposeLargeCount(double x, int ratioDirItem);
// The same by the direction's text as the design record keeps it; a text that is none of the
// list's items rounds to the nearest count.
double proposeLargeCount(double x, std::string_view ratioDirText);

// A text cut to its first `count` characters.
std::string firstCharacters(const std::string& text, std::size_t count);

} // namespace zorvane::design
