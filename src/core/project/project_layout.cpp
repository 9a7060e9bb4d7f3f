#include "core/project/project_layout.h"

#include "core/text/ascii_case.h"

namespace zorvane::project {

namespace {

using K = ControlKind;

constexpr std::array<ControlEntry, 20> kRollerControls{{
    {"spnRF", "TSpeedButton", K::StepButton},
    {"spnSelect", "TSpeedButton", K::StepButton},
    {"spnBegin", "TSpeedButton", K::StepButton},
    {"spnRInit", "TSpeedButton", K::StepButton},
    {"spnRIntensity", "TSpeedButton", K::StepButton},
    {"spnRNum", "TSpeedButton", K::StepButton},
    {"spnRNodeS", "TSpeedButton", K::StepButton},
    {"spnRInit_a0", "TSpeedButton", K::StepButton},
    {"spnR_a0", "TSpeedButton", K::StepButton},
    {"spnRWearable", "TSpeedButton", K::StepButton},
    {"spnRV", "TSpeedButton", K::StepButton},
    {"spnRWheel", "TSpeedButton", K::StepButton},
    {"spnResult", "TSpeedButton", K::ToolButton},
    {"pnlRstMid", "TPanel", K::Panel},
    {"pnlRstEnd", "TPanel", K::Panel},
    {"pnlHistory", "TPanel", K::Panel},
    {"spnHistory", "TSpeedButton", K::ToolButton},
    {"pnlRollerChain", "TPanel", K::Panel},
    {"mniInit", "TMenuItem", K::MenuItem},
    {"mniHistory", "TMenuItem", K::MenuItem},
}};

constexpr std::array<ControlEntry, 22> kToothedControls{{
    {"pnlHtyDbg", "TPanel", K::Panel},
    {"spnSelect", "TSpeedButton", K::StepButton},
    {"spnBegin", "TSpeedButton", K::StepButton},
    {"spnOriginal", "TSpeedButton", K::StepButton},
    {"spnDNum", "TSpeedButton", K::StepButton},
    {"spnDNodeS", "TSpeedButton", K::StepButton},
    {"spnDInit_a0", "TSpeedButton", K::StepButton},
    {"spnD_a0", "TSpeedButton", K::StepButton},
    {"spnDV", "TSpeedButton", K::StepButton},
    {"spnDF", "TSpeedButton", K::StepButton},
    {"spnDWheel", "TSpeedButton", K::StepButton},
    {"spnOpen", "TSpeedButton", K::ToolButton},
    {"spnDSingleP", "TSpeedButton", K::StepButton},
    {"pnlGlideHead", "TPanel", K::Panel},
    {"spnResult", "TSpeedButton", K::ToolButton},
    {"pnlRstMid", "TPanel", K::Panel},
    {"pnlRstEnd", "TPanel", K::Panel},
    {"pnlHistory", "TPanel", K::Panel},
    {"spnHistory", "TSpeedButton", K::ToolButton},
    {"pnlDentiChain", "TPanel", K::Panel},
    {"mniInit", "TMenuItem", K::MenuItem},
    {"mniHistory", "TMenuItem", K::MenuItem},
}};

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
    const std::uint8_t empty = in.u8("第一个字节");
    if (empty > 1) {
        in.fail("第一个字节应为 0 或 1，而不是 " + std::to_string(empty));
    }
    image.emptyDesign = empty == 1;
    if (!image.emptyDesign) {
        image.kind = in.shortString(kKindCapacity, "链种类标记");
        if (!text::equalIgnoringAsciiCase(image.kind, "R") &&
            !text::equalIgnoringAsciiCase(image.kind, "D")) {
            in.fail("链种类标记应为“R”或“D”");
        }
        image.picturePath = in.shortString(kPathCapacity, "链轮图路径");
        std::array<std::size_t, kWorkFileCount> sizes{};
        std::size_t total = 0;
        for (std::size_t i = 0; i < kWorkFileCount; ++i) {
            image.work[i].path = in.shortString(kPathCapacity, "数据表文件路径");
            in.skip(kPathFieldSize - kPathCapacity - 1, "数据表文件路径");
            const std::int32_t size = in.i32("数据表文件大小");
            if (size < 0 || static_cast<std::size_t>(size) > in.left()) {
                in.fail("数据表文件“" + std::string(kWorkFileNames[i]) + "”的大小 " +
                        std::to_string(size) + " 超出文件范围");
            }
            sizes[i] = static_cast<std::size_t>(size);
            total += sizes[i];
        }
        if (total > in.left()) {
            in.fail("数据表文件的大小之和超出文件范围");
        }
        for (std::size_t i = 0; i < kWorkFileCount; ++i) {
            const auto bytes = in.bytes(sizes[i], "数据表文件");
            image.work[i].bytes.assign(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        }
    }
    const auto designer = in.bytes(kDesignerSize, "设计者信息");
    std::copy(designer.begin(), designer.end(), image.designer.begin());
    const auto controls = controlList(image.listChain());
    for (std::size_t i = 0; i < controls.size(); ++i) {
        ControlState state;
        const std::uint8_t enabled = in.u8("控件状态");
        const std::uint8_t visible = in.u8("控件状态");
        in.skip(2, "控件状态");
        state.done = in.i32("控件状态");
        if (enabled > 1 || visible > 1) {
            in.fail("控件“" + std::string(controls[i].name) + "”的状态不是 0 或 1");
        }
        state.enabled = enabled == 1;
        state.visible = visible == 1;
        image.states.push_back(state);
    }
    for (std::size_t i = 0; i < controls.size(); ++i) {
        image.snapshots.push_back(readSnapshot(in));
    }
    if (!image.emptyDesign) {
        const std::size_t size = recordSizeOf(image.listChain());
        if (in.left() < size) {
            in.fail("文件末尾缺少设计记录");
        }
        const auto record = file.subspan(file.size() - size);
        image.record.assign(reinterpret_cast<const char*>(record.data()), record.size());
    }
    return image;
}

} // namespace zorvane::project
