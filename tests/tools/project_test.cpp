// Project files (.CHN): the layout byte for byte, a file assembled from the layout by hand,
// designs saved at several steps and carried on to the same end as a design run straight
// through, files refused whole (cut short, sizes out of range, unknown kind, malformed snapshots,
// fuzzed bytes) without touching the open design, and a failed save that leaves the old file.

#include "core/design/scripted_interaction.h"
#include "core/project/byte_io.h"
#include "core/project/file_commands.h"
#include "core/project/project_layout.h"
#include "support/saved_project.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <csignal>
#include <sys/resource.h>

namespace zorvane::project {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::writeBytes;

const fs::path kScenarios = ZORVANE_SCENARIO_DIR;

// The tables and the end of a design run to its end (after opening `open`), as the runner prints
// them, without the message log.
nlohmann::json run(const std::string& scenario, const testing::Workspace& at,
                   std::optional<fs::path> open = {}) {
    const auto outcome =
        calc::runScenario(calc::readScenario(kScenarios / scenario / "scenario.json"),
                          {at.path(), at.database(), open, {}, {}});
    auto json = nlohmann::json::parse(outcome.json);
    json.erase("log");
    return json;
}

// A roller design saved after its pitch step: the file the refusal tests damage.
std::string savedRollerProject(const fs::path& file) {
    testing::Workspace at;
    return testing::savedDesign(kScenarios / "roller_low_speed_single_row" / "scenario.json", at,
                                file, "链条节距");
}

struct SaveCase {
    const char* scenario;
    const char* until;
};

class SaveAndCarryOn : public ::testing::TestWithParam<SaveCase> {};

TEST_P(SaveAndCarryOn, EndsWithTheTablesOfTheDesignRunStraightThrough) {
    const SaveCase& c = GetParam();
    testing::Workspace straight, first, second;
    const fs::path file = first.path() / "half.chn";
    testing::savedDesign(kScenarios / c.scenario / "scenario.json", first, file, c.until);
    ASSERT_TRUE(fs::exists(file));
    EXPECT_EQ(run(c.scenario, second, file), run(c.scenario, straight));
}

INSTANTIATE_TEST_SUITE_P(Steps, SaveAndCarryOn,
                         ::testing::Values(SaveCase{"roller_low_speed_single_row", "初始条件"},
                                           SaveCase{"roller_low_speed_single_row", "初定中心距"},
                                           SaveCase{"roller_two_rows_required_life", "链条节距"},
                                           SaveCase{"roller_low_speed_single_row", "链轮主要尺寸"},
                                           SaveCase{"toothed_medium_speed", "链条节距"},
                                           SaveCase{"toothed_given_centre_distance_other_pitch",
                                                    "实际中心距"}),
                         [](const auto& param) { return std::to_string(param.index); });

TEST(ProjectLayout, AWrittenFileHasTheLayoutsOffsets) {
    testing::Workspace at;
    const std::string bytes = savedRollerProject(at.path() / "p.chn");
    ASSERT_GT(bytes.size(), 1253u);
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(bytes[i]); };
    const auto int32 = [&](std::size_t offset) {
        return static_cast<std::int32_t>(byte(offset) | byte(offset + 1) << 8 |
                                         byte(offset + 2) << 16 | byte(offset + 3) << 24);
    };
    EXPECT_EQ(byte(0), 0);                // a chain type was chosen
    EXPECT_EQ(bytes.substr(1, 2), "\1R"); // the kind marker
    std::size_t total = 0;
    for (std::size_t i = 0; i < 5; ++i) {
        const std::size_t path = 1 + 212 + 208 * i;
        EXPECT_TRUE(bytes.substr(path + 1, byte(path)).ends_with(std::string(kWorkFileNames[i])));
        EXPECT_EQ(bytes.substr(path + 201, 3), std::string(3, '\0'));
        total += static_cast<std::size_t>(int32(path + 204));
    }
    const std::size_t states = 1253 + total + 306;
    EXPECT_EQ(byte(states + 2), 0); // the two zero bytes of a state
    EXPECT_EQ(bytes.substr(states + 8 * 20, 4), "TPF0");
    // The design record is the file's last 384 bytes, a roller record with its kind.
    EXPECT_EQ(bytes.substr(bytes.size() - 384, 2), "\1R");
}

// A snapshot laid out by another writer of the format: filer flags, every value kind, a child.
std::string foreignSnapshot(const std::string& name, bool enabled, bool blue) {
    using Value = std::function<void(ByteWriter&)>;
    const auto raw = [](std::string bytes) {
        return [bytes](ByteWriter& out) { out.bytes(bytes); };
    };
    const auto sized = [](std::string bytes) {
        return [bytes](ByteWriter& out) {
            out.i32(static_cast<std::int32_t>(bytes.size()));
            out.bytes(bytes);
        };
    };
    const auto text = [](std::string t) { return [t](ByteWriter& out) { out.lengthPrefixed(t); }; };
    const struct {
        const char* name;
        std::uint8_t tag;
        Value value;
    } properties[] = {
        {"Tag", 19, [](ByteWriter& out) { out.i64(1234567890123); }}, // 8-byte integer
        {"Scale", 5, raw(std::string(10, '\0'))},                     // extended
        {"Ratio", 15, raw(std::string(4, '\0'))},                     // single
        {"Width", 21, raw(std::string(8, '\0'))},                     // double
        {"Price", 16, raw(std::string(8, '\0'))},                     // currency
        {"When", 17, raw(std::string(8, '\0'))},                      // date
        {"Caption", 6, text("步骤")},
        {"Hint", 12, sized("abc")},                                 // long string
        {"HelpKeyword", 20, sized("xy")},                           // UTF-8 string
        {"Title", 18, raw(std::string("\2\0\0\0a\0b\0", 8))},       // wide string of 2 characters
        {"Glyph.Data", 10, sized("\1\2\3\4")},                      // binary
        {"Anchors", 11, raw(std::string("\6akLeft\5akTop\0", 14))}, // set
        {"Items.Strings", 1, raw(std::string("\6\1a\3\5\0\0", 7))}, // list of values
        // A collection of two items, the first with an order number.
        {"Columns", 14, raw(std::string("\2\0\1\5Width\2\x40\0\1\0\0", 15))},
        {"PopupMenu", 13, raw("")}, // nil
        {"Enabled", static_cast<std::uint8_t>(enabled ? 9 : 8), raw("")},
        {"Font.Color", 7, text(blue ? "clBlue" : "clWindowText")},
        {"Left", 3, raw(std::string("\xf8\xff", 2))},
    };
    ByteWriter out;
    out.bytes("TPF0");
    out.bytes("\xf2\2\7"); // filer flags with a child position
    out.lengthPrefixed("TSpeedButton");
    out.lengthPrefixed(name);
    for (const auto& property : properties) {
        out.lengthPrefixed(property.name);
        out.u8(property.tag);
        property.value(out);
    }
    out.u8(0);                    // end of the properties
    out.lengthPrefixed("TLabel"); // a child component
    out.lengthPrefixed("lblChild");
    out.bytes(std::string(3, '\0')); // its properties, its children, and the end of the children
    return out.take();
}

TEST(ProjectLayout, AFileAssembledFromTheLayoutOpensAndCarriesOn) {
    testing::Workspace saved;
    const std::string original = savedRollerProject(saved.path() / "p.chn");
    const auto image = decodeProject(
        std::span(reinterpret_cast<const std::uint8_t*>(original.data()), original.size()), "p");
    ByteWriter out;
    out.u8(0);
    out.shortString("R", 10);
    out.shortString("", 200);
    for (std::size_t i = 0; i < 5; ++i) {
        out.shortString("C:\\elsewhere\\" + std::string(kWorkFileNames[i]), 200); // never used
        out.zeros(3);
        out.i32(static_cast<std::int32_t>(image.work[i].bytes.size()));
    }
    for (const auto& file : image.work) {
        out.bytes(file.bytes);
    }
    out.zeros(306);
    const auto controls = controlList(design::Chain::Roller);
    for (std::size_t i = 0; i < controls.size(); ++i) {
        out.bytes(std::string(reinterpret_cast<const char*>(&image.states[i].enabled), 1));
        out.u8(image.states[i].visible);
        out.zeros(2);
        out.i32(image.states[i].done);
    }
    for (std::size_t i = 0; i < controls.size(); ++i) {
        out.bytes(foreignSnapshot(std::string(controls[i].name), image.states[i].enabled,
                                  image.snapshots[i].fontColor == kColorBlue));
    }
    out.bytes(image.record);
    const fs::path assembled = saved.path() / "assembled.chn";
    writeBytes(assembled, out.data());

    testing::Workspace straight, carried;
    EXPECT_EQ(run("roller_low_speed_single_row", carried, assembled),
              run("roller_low_speed_single_row", straight));
}

// An open design in a session, and everything of it a refused file must leave alone.
struct OpenDesign {
    testing::Workspace at;
    design::ScriptedInteraction ui;
    design::DesignSession session{at.path(), ui};
    FileCommands commands{session};

    explicit OpenDesign(const fs::path& project) {
        EXPECT_TRUE(commands.openFile(project.string()));
    }

    std::string everything() { return testing::designFingerprint(session); }

    // Opens the damaged bytes; the file must be refused with an error naming it, and nothing of
    // the design may change.
    void expectRefused(const std::string& bytes, const std::string& why) {
        SCOPED_TRACE(why);
        const fs::path damaged = at.path() / "damaged.chn";
        writeBytes(damaged, bytes);
        const std::string before = everything();
        ui.clearLog();
        EXPECT_FALSE(commands.openFile(damaged.string()));
        ASSERT_FALSE(ui.log().empty());
        EXPECT_EQ(ui.log().back().kind, "error");
        EXPECT_NE(ui.log().back().text.find("damaged.chn"), std::string::npos);
        EXPECT_EQ(everything(), before);
    }
};

TEST(ProjectRefusal, DamagedFilesLeaveTheOpenDesignAsItWas) {
    testing::Workspace source;
    const fs::path good = source.path() / "good.chn";
    const std::string bytes = savedRollerProject(good);
    OpenDesign design(good);

    for (std::size_t cut : {std::size_t{0}, std::size_t{1}, std::size_t{11}, std::size_t{700},
                            std::size_t{1253}, bytes.size() / 2, bytes.size() - 385}) {
        design.expectRefused(bytes.substr(0, cut), "cut after " + std::to_string(cut));
    }
    auto changed = [&](std::size_t at, std::string_view with) {
        std::string copy = bytes;
        copy.replace(at, with.size(), with);
        return copy;
    };
    design.expectRefused(changed(0, "\2"), "first byte 2");
    design.expectRefused(changed(1, "\1X"), "unknown kind");
    design.expectRefused(changed(1, "\x0bRRRRRRRRRRR"), "kind longer than its capacity");
    design.expectRefused(changed(1 + 416, "\xff\xff\xff\x7f"), "size beyond the file");
    design.expectRefused(changed(1 + 416, "\xff\xff\xff\xff"), "negative size");
    // The Init table's bytes replaced by text: a good layout with a table the store cannot read.
    design.expectRefused(changed(1253, std::string(100, 'x')), "unreadable working table");
    const std::size_t snapshots = bytes.find("TPF0");
    design.expectRefused(changed(snapshots, "TPF1"), "snapshot without its signature");
    design.expectRefused(changed(snapshots + 4, "\xff"), "class name beyond the file");
    design.expectRefused(changed(bytes.find("Enabled", snapshots) + 7, "\x63"),
                         "unknown value kind");
}

// Mutated project files, a fixed seed and a bounded count: every one either opens or is refused
// with a message, and a refused one leaves the design as it was.
TEST(ProjectRefusal, FuzzedFilesOpenOrAreRefusedWhole) {
    testing::Workspace source;
    const fs::path good = source.path() / "good.chn";
    const std::string bytes = savedRollerProject(good);
    OpenDesign design(good);
    std::mt19937 random(20261209);
    const fs::path file = design.at.path() / "fuzzed.chn";
    int refused = 0;
    for (int i = 0; i < 60; ++i) {
        writeBytes(file, testing::mutated(bytes, random,
                                          [&](std::size_t size) { return random() % size; }));
        const std::string before = design.everything();
        design.ui.clearLog();
        if (!design.commands.openFile(file.string())) {
            ++refused;
            EXPECT_EQ(design.everything(), before) << "mutation " << i;
            const auto& log = design.ui.log();
            EXPECT_TRUE(!log.empty() && log.back().kind == "error") << "mutation " << i;
        } else {
            ASSERT_TRUE(design.commands.openFile(good.string())); // back to the good design
        }
    }
    EXPECT_GT(refused, 30);
}

TEST(ProjectSave, AFailedSaveLeavesTheEarlierFileWholeAndIsNotReportedAsDone) {
    testing::Workspace source;
    const fs::path good = source.path() / "good.chn";
    savedRollerProject(good);
    OpenDesign design(good);
    const fs::path target = design.at.path() / "kept.chn";
    writeBytes(target, "the earlier file");
    design.session.state().IsSaved = false;

    // A file size limit below the project's size: the write fails part way.
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit small{4096, limit.rlim_max};
    setrlimit(RLIMIT_FSIZE, &small);
    design.commands.saveAsFile(target.string());
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, previous);

    EXPECT_EQ(readBytes(target), "the earlier file");
    EXPECT_FALSE(design.session.state().SaveSucceeded);
    EXPECT_FALSE(design.session.state().IsSaved);
    EXPECT_EQ(design.ui.log().back().kind, "error");
    EXPECT_NE(design.ui.log().back().text.find("文件超过了系统允许的大小"), std::string::npos);
    for (const auto& entry : fs::directory_iterator(design.at.path())) {
        EXPECT_EQ(entry.path().filename().string().find(".saving-"), std::string::npos);
    }
}

} // namespace
} // namespace zorvane::project
