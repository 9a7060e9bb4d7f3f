#pragma once
// The fixed texts of the About box (帮助 > 关于), UTF-8. ZORVANE_VERSION, when the build
// defines it, must be a string literal such as "0.1.0".

namespace zorvane::app {

inline constexpr char kAboutProductName[] = "Zorvane";

#ifdef ZORVANE_VERSION
inline constexpr char kAboutVersion[] = ZORVANE_VERSION;
#else
inline constexpr char kAboutVersion[] = "0.1.0";
#endif

inline constexpr char kAboutVersionLabel[] = "版本";

inline constexpr char kAboutDescription[] =
    "滚子链传动与齿形链传动的设计计算，以及链条参考数据的查询。";

inline constexpr char kAboutCredits[] =
    "版权所有 © Zorvane 开发组。参考数据取自公开发布的链传动标准与机械设计手册。";

} // namespace zorvane::app
