#include "core/project/project_layout.h"

#include "core/text/ascii_case.h"

namespace zorvane::project {

namespace {

using K = ControlKind;

constexpr std::array<ControlEntry, 20> kRollerControls{{
    {"spnRF", "TSpeedButton", K::StepButton, {}},
    {"spnSelect", "TSpeedButton", K::StepButton, {}},
    {"spnBegin", "TSpeedButton", K::StepButton, {}},
    {"spnRInit", "TSpeedButton", K::StepButton, {}},
    {"spnRIntensity", "TSpeedButton", K::StepButton, {}},
    {"spnRNum", "TSpeedButton", K::StepButton, {}},
    {"spnRNodeS", "TSpeedButton", K::StepButton, {}},
    {"spnRInit_a0", "TSpeedButton", K::StepButton, {}},
    {"spnR_a0", "TSpeedButton", K::StepButton, {}},
    {"spnRWearable", "TSpeedButton", K::StepButton, {}},
    {"spnRV", "TSpeedButton", K::StepButton, {}},
    {"spnRWheel", "TSpeedButton", K::StepButton, {}},
    {"spnResult", "TSpeedButton", K::ToolButton, "工具按钮“设计结果报表”"},
    {"pnlRstMid", "TPanel", K::Panel, "设计结果页的结果区"},
    {"pnlRstEnd", "TPanel", K::Panel, "设计结果页的链轮尺寸区"},
    {"pnlHistory", "TPanel", K::Panel, "设计历史面板"},
    {"spnHistory", "TSpeedButton", K::ToolButton, "工具按钮“历史记录报表”"},
    {"pnlRollerChain", "TPanel", K::Panel, "滚子链设计步骤面板"},
    {"mniInit", "TMenuItem", K::MenuItem, "菜单项“初始条件报表”"},
    {"mniHistory", "TMenuItem", K::MenuItem, "菜单项“历史记录报表”"},
}};

constexpr std::array<ControlEntry, 22> kToothedControls{{
    {"pnlHtyDbg", "TPanel", K::Panel, "设计历史的调试面板"},
    {"spnSelect", "TSpeedButton", K::StepButton, {}},
    {"spnBegin", "TSpeedButton", K::StepButton, {}},
    {"spnOriginal", "TSpeedButton", K::StepButton, {}},
    {"spnDNum", "TSpeedButton", K::StepButton, {}},
    {"spnDNodeS", "TSpeedButton", K::StepButton, {}},
    {"spnDInit_a0", "TSpeedButton", K::StepButton, {}},
    {"spnD_a0", "TSpeedButton", K::StepButton, {}},
    {"spnDV", "TSpeedButton", K::StepButton, {}},
    {"spnDF", "TSpeedButton", K::StepButton, {}},
    {"spnDWheel", "TSpeedButton", K::StepButton, {}},
    {"spnOpen", "TSpeedButton", K::ToolButton, "工具按钮“打开”"},
    {"spnDSingleP", "TSpeedButton", K::StepButton, {}},
    {"pnlGlideHead", "TPanel", K::Panel, "滚子链设计步骤面板的标题"},
    {"spnResult", "TSpeedButton", K::ToolButton, "工具按钮“设计结果报表”"},
    {"pnlRstMid", "TPanel", K::Panel, "设计结果页的结果区"},
    {"pnlRstEnd", "TPanel", K::Panel, "设计结果页的链轮尺寸区"},
    {"pnlHistory", "TPanel", K::Panel, "设计历史面板"},
    {"spnHistory", "TSpeedButton", K::ToolButton, "工具按钮“历史记录报表”"},
    {"pnlDentiChain", "TPanel", K::Panel, "齿形链设计步骤面板"},
    {"mniInit", "TMenuItem", K::MenuItem, "菜单项“初始条件报表”"},
    {"mniHistory", "TMenuItem", K::MenuItem, "菜单项“历史记录报表”"},
}};

// The captions of the two step buttons above the chains' step panels.
constexpr std::array<std::pair<std::string_view, std::string_view>, 2> kShellButtons{{
    {"spnBegin", "开始新设计"},
    {"spnSelect", "选择链种类"},
}};

// The work files in the user's words, in header order.
constexpr std::array<std::string_view, kWorkFileCount> kWorkFileRoles{
    "初始条件表", "设计结果表", "链轮尺寸表", "设计历史表", "设计历史表的附属文件"};

constexpr std::size_t kPathFieldSize = kPathCapacity + 1 + 3; // short string, three zero bytes

std::size_t recordSizeOf(design::Chain chain) {
    return chain == design::Chain::Roller ? kRollerRecordSize : kToothedRecordSize;
}

} // namespace

std::span<const ControlEntry> controlList(design::Chain chain) {
    if (chain == design::Chain::Roller) {
        return kRollerControls;
    }
    return kToothedControls;
}

bool followsReports(const ControlEntry& control) {
    return control.kind == ControlKind::MenuItem ||
           (control.kind == ControlKind::ToolButton && control.name != "spnOpen");
}

bool carriesInitialValues(std::string_view controlName) {
    return controlName == "spnRInit" || controlName == "spnOriginal";
}

std::optional<int> stepTagOf(std::string_view name) {
    if (name == "spnBegin") {
        return design::kTagBegin;
    }
    if (name == "spnSelect") {
        return design::kTagSelect;
    }
    for (design::Chain chain : {design::Chain::Roller, design::Chain::Toothed}) {
        for (const auto& step : design::steps(chain)) {
            if (step.name == name) {
                return step.tag;
            }
        }
    }
    return std::nullopt;
}

std::string controlDescription(design::Chain chain, std::size_t index) {
    const ControlEntry& control = controlList(chain)[index];
    std::string what(control.description);
    if (control.kind == ControlKind::StepButton) {
        for (const auto& [name, caption] : kShellButtons) {
            if (name == control.name) {
                what = "步骤按钮“" + std::string(caption) + "”";
            }
        }
        for (design::Chain c : {design::Chain::Roller, design::Chain::Toothed}) {
            for (const auto& step : design::steps(c)) {
                if (step.name == control.name) {
                    what = "步骤按钮“" + std::string(step.caption) + "”";
                }
            }
        }
    }
    return "第 " + std::to_string(index + 1) + " 个控件（" + what + "）";
}

std::string workFileDescription(std::size_t index) {
    return std::string(kWorkFileRoles[index]) + "（“" + std::string(kWorkFileNames[index]) + "”）";
}

std::uintmax_t largestProjectBytes() {
    const std::size_t controls = std::max(kRollerControls.size(), kToothedControls.size());
    return 1 + kHeaderSize + kWorkFileCount * kMaxTableFileBytes + kDesignerSize +
           controls * (kStateSize + kMaxSnapshotBytes) +
           std::max(kRollerRecordSize, kToothedRecordSize);
}

design::Chain ProjectImage::listChain() const {
    return !emptyDesign && text::equalIgnoringAsciiCase(kind, "R") ? design::Chain::Roller
                                                                   : design::Chain::Toothed;
}

std::string encodeProject(const ProjectImage& image) {
    ByteWriter out;
    out.u8(image.emptyDesign ? 1 : 0);
    if (!image.emptyDesign) {
        out.shortString(image.kind, kKindCapacity);
        out.shortString(image.picturePath, kPathCapacity);
        for (const auto& file : image.work) {
            out.shortString(file.path, kPathCapacity);
            out.zeros(3);
            out.i32(static_cast<std::int32_t>(file.bytes.size()));
        }
        for (const auto& file : image.work) {
            out.bytes(file.bytes);
        }
    }
    out.bytes(std::string_view(reinterpret_cast<const char*>(image.designer.data()),
                               image.designer.size()));
    for (const auto& state : image.states) {
        out.u8(state.enabled ? 1 : 0);
        out.u8(state.visible ? 1 : 0);
        out.zeros(2);
        out.i32(state.done);
    }
    for (const auto& snapshot : image.snapshots) {
        out.bytes(writeSnapshot(snapshot));
    }
    if (!image.emptyDesign) {
        out.bytes(image.record);
    }
    return out.take();
}

ProjectImage decodeProject(std::span<const std::uint8_t> file, const std::string& fileName) {
    ByteReader in(file, fileName);
    ProjectImage image;
    const std::uint8_t empty = in.u8("");
    if (empty > 1) {
        in.fail("开头的设计标志应为 0 或 1，而不是 " + std::to_string(empty));
    }
    image.emptyDesign = empty == 1;
    if (!image.emptyDesign) {
        in.setPart("文件头");
        image.kind = in.shortString(kKindCapacity, "链种类标记");
        if (!text::equalIgnoringAsciiCase(image.kind, "R") &&
            !text::equalIgnoringAsciiCase(image.kind, "D")) {
            in.fail("链种类标记既不是滚子链也不是齿形链的标记");
        }
        image.picturePath = in.shortString(kPathCapacity, "链轮图路径");
        std::array<std::size_t, kWorkFileCount> sizes{};
        for (std::size_t i = 0; i < kWorkFileCount; ++i) {
            in.setPart("文件头中" + workFileDescription(i) + "的记录");
            image.work[i].path = in.shortString(kPathCapacity, "路径");
            in.skip(kPathFieldSize - kPathCapacity - 1, "路径");
            const std::int32_t size = in.i32("大小");
            if (size < 0) {
                in.fail("大小为负数");
            }
            sizes[i] = static_cast<std::size_t>(size);
            if (sizes[i] > kMaxTableFileBytes) {
                in.fail("大小 " + std::to_string(size) + " 字节超过了 " +
                        std::to_string(kMaxTableFileBytes) + " 字节的上限");
            }
        }
        for (std::size_t i = 0; i < kWorkFileCount; ++i) {
            in.setPart("其中的" + workFileDescription(i));
            const auto bytes = in.bytes(sizes[i], "");
            image.work[i].bytes.assign(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        }
    }
    in.setPart("");
    const auto designer = in.bytes(kDesignerSize, "设计者信息");
    std::copy(designer.begin(), designer.end(), image.designer.begin());
    const design::Chain chain = image.listChain();
    const auto controls = controlList(chain);
    for (std::size_t i = 0; i < controls.size(); ++i) {
        in.setPart(controlDescription(chain, i) + "的保存状态");
        ControlState state;
        const std::uint8_t enabled = in.u8("");
        const std::uint8_t visible = in.u8("");
        in.skip(2, "");
        state.done = in.i32("");
        if (enabled > 1 || visible > 1 || state.done < 0 || state.done > 1) {
            in.fail("不是 0 或 1");
        }
        state.enabled = enabled == 1;
        state.visible = visible == 1;
        image.states.push_back(state);
    }
    for (std::size_t i = 0; i < controls.size(); ++i) {
        in.setPart(controlDescription(chain, i) + "的保存外观");
        in.limitTo(kMaxSnapshotBytes);
        image.snapshots.push_back(readSnapshot(in));
        in.unlimit();
    }
    in.setPart("");
    // The design record follows the snapshots and ends the file: nothing before it, nothing
    // after it, and nothing at all after the snapshots of a design without a chain type.
    const std::size_t size = image.emptyDesign ? 0 : recordSizeOf(chain);
    if (in.left() < size) {
        in.fail("文件末尾的设计记录不完整：应有 " + std::to_string(size) + " 字节，只有 " +
                std::to_string(in.left()) + " 字节");
    }
    if (in.left() > size) {
        in.fail("控件的保存外观之后多出 " + std::to_string(in.left() - size) + " 字节");
    }
    const auto record = in.bytes(size, "设计记录");
    image.record.assign(reinterpret_cast<const char*>(record.data()), record.size());
    return image;
}

} // namespace zorvane::project
