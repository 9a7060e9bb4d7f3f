// Project files (.CHN): the layout byte for byte, a file assembled from the layout by hand,
// designs saved at several steps and carried on to the same end as a design run straight
// through, every scenario's design saved and opened again, files refused whole (cut short, sizes
// out of range, unknown kind, malformed snapshots, hostile records and contents, fuzzed bytes)
// without touching the open design, and a failed save that leaves the old file.

#include "core/design/scripted_interaction.h"
#include "core/project/byte_io.h"
#include "core/project/file_commands.h"
#include "core/project/project_layout.h"
#include "core/store/sqlite_handle.h"
#include "core/text/gbk.h"
#include "core/toothed/toothed_record.h"
#include "support/saved_project.h"
#include "support/user_text.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cmath>
#include <csignal>
#include <cstring>
#include <limits>
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

// Every design the program writes opens again: each scenario run to its end, and two designs
// saved after each of their steps.
TEST(ProjectOpen, EveryScenarioDesignSavedOpensAgain) {
    std::vector<std::pair<std::string, std::optional<std::string>>> saves;
    for (const auto& entry : fs::directory_iterator(kScenarios)) {
        if (fs::exists(entry.path() / "scenario.json")) {
            saves.emplace_back(entry.path().filename().string(), std::nullopt);
        }
    }
    for (const auto& [scenario, chain] :
         {std::pair{"roller_two_rows_required_life", design::Chain::Roller},
          std::pair{"toothed_given_centre_distance_other_pitch", design::Chain::Toothed}}) {
        for (const auto& step : design::steps(chain)) {
            saves.emplace_back(scenario, std::string(step.caption));
        }
    }
    testing::Workspace at;
    design::ScriptedInteraction ui;
    design::DesignSession session{at.path(), ui};
    FileCommands commands{session};
    for (const auto& [scenario, until] : saves) {
        SCOPED_TRACE(scenario + " " + until.value_or("finished"));
        testing::Workspace source;
        const fs::path file = source.path() / "saved.chn";
        testing::savedDesign(kScenarios / scenario / "scenario.json", source, file, until);
        ui.clearLog();
        EXPECT_TRUE(commands.openFile(file.string()))
            << (ui.log().empty() ? "" : ui.log().back().text);
    }
}

// A saved design to damage: its bytes, its decoded parts, and where its record starts.
struct Saved {
    std::string bytes;
    ProjectImage image;
    std::size_t record;
};

Saved saved(const char* scenario) {
    testing::Workspace at;
    Saved s;
    s.bytes =
        testing::savedDesign(kScenarios / scenario / "scenario.json", at, at.path() / "p.chn");
    s.image = decodeProject(
        std::span(reinterpret_cast<const std::uint8_t*>(s.bytes.data()), s.bytes.size()), "p");
    s.record = s.bytes.size() - s.image.record.size();
    return s;
}

using RF = roller::RollerField;
using DF = toothed::ToothedField;

template <class Record, class Field>
std::function<std::string(Saved)> recordBytes(Field field, std::string bytes) {
    return [field, bytes](Saved s) {
        return s.bytes.replace(s.record + Record::entry(field).offset, bytes.size(), bytes);
    };
}
template <class Record, class Field>
std::function<std::string(Saved)> recordDouble(Field field, double value) {
    std::string bytes(8, '\0');
    std::memcpy(bytes.data(), &value, 8); // little-endian machine
    return recordBytes<Record>(field, bytes);
}
template <class Record, class Field>
std::function<std::string(Saved)> recordInt(Field field, std::int32_t value) {
    std::string bytes(4, '\0');
    std::memcpy(bytes.data(), &value, 4);
    return recordBytes<Record>(field, bytes);
}
template <class Record, class Field>
std::function<std::string(Saved)> recordText(Field field, const std::string& utf8) {
    const std::string gbk = text::utf8ToGbk(utf8);
    return recordBytes<Record>(field, static_cast<char>(gbk.size()) + gbk);
}
const auto rollerDouble = recordDouble<roller::RollerRecord, RF>;
const auto rollerInt = recordInt<roller::RollerRecord, RF>;
const auto rollerText = recordText<roller::RollerRecord, RF>;

// The file re-encoded after `change` to its parts.
std::function<std::string(Saved)> reencoded(std::function<void(ProjectImage&)> change) {
    return [change](Saved s) {
        change(s.image);
        return encodeProject(s.image);
    };
}

// The working-table file at `index` with `sql` run on it by the database engine.
std::function<void(ProjectImage&)> engineEdit(std::size_t index, std::string sql) {
    return [index, sql](ProjectImage& image) {
        const testing::TempDir dir;
        const fs::path file = dir.path() / "t.db";
        writeBytes(file, image.work[index].bytes);
        {
            store::detail::Connection table(file, store::detail::Connection::Mode::ReadWrite);
            table.exec(sql);
        }
        image.work[index].bytes = readBytes(file);
    };
}

// The working table at `index` with `rows` more rows, of empty fields.
std::function<void(ProjectImage&)> moreRows(std::size_t index, int rows) {
    return engineEdit(index,
                      "WITH RECURSIVE n(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM n WHERE k < " +
                          std::to_string(rows) + ") INSERT INTO zv_rows(rid) SELECT NULL FROM n");
}

struct HostileFile {
    const char* what;
    const char* scenario;
    std::function<std::string(Saved)> make;
    const char* named; // what the message must name
};

const char* const kRoller = "roller_low_speed_single_row";
const char* const kToothed = "toothed_medium_speed";
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Files that must be refused; other kinds of hostile tables join this list as rows.
const std::vector<HostileFile> kHostileFiles{
    {"speed not a number", kRoller, rollerDouble(RF::n1, kNaN), "“小链轮转速”不是有限的数值"},
    {"power infinite", kRoller, rollerDouble(RF::Power, kInf), "“传递功率”"},
    {"power beyond its bound", kRoller, rollerDouble(RF::Power, 1e9),
     "“传递功率”应为 0.001 到 100000 之间的数值"},
    {"teeth not whole", kRoller, rollerDouble(RF::z1, 17.5),
     "“小链轮齿数”应为 1 到 1000 之间的整数"},
    {"chain speed negative", kRoller, rollerDouble(RF::v, -2.5e107), "“链条速度”应为 0 到 100"},
    {"chain speed beyond any chain", kRoller, rollerDouble(RF::v, 1e4), "“链条速度”应为"},
    {"centre distance zero", kRoller, rollerDouble(RF::aReal, 0), "“实际中心距”应为 1 到"},
    {"ratio tolerance beyond its whole", kRoller, rollerDouble(RF::iTol, 2),
     "“传动比允许误差”应为 0 到 100"},
    {"force infinite", kRoller, rollerDouble(RF::Ft, -kInf), "“有效圆周力”不是有限的数值"},
    {"lubrication item out of range", kRoller, rollerInt(RF::LubCond, 7), "“润滑条件”的列表序号"},
    {"tensioner item out of range", kRoller, rollerInt(RF::TensionerKind, -2), "“张紧装置的种类”"},
    {"switch neither 0 nor 1", kRoller, recordBytes<roller::RollerRecord>(RF::HasInitA0, "\2"),
     "“中心距初值”的开关"},
    {"ratio direction of another text", kRoller, rollerText(RF::iDir, "向左"),
     "“传动比误差的方向”应为"},
    {"chain number unknown", kRoller, rollerText(RF::ChainNo, "99Z"), "链号表“ChainNoNd”"},
    {"pitch of another chain number", kRoller, rollerDouble(RF::p, 15.875), "“链条节距”"},
    {"record of the other chain", kRoller, rollerText(RF::ChainKind, "D"), "“链种类”"},
    {"toothed pitch not in its table", kToothed, recordDouble<toothed::ToothedRecord>(DF::p, 20),
     "节距表“Dc”"},
    {"toothed speed item out of range", kToothed,
     recordInt<toothed::ToothedRecord>(DF::SpeedClass, 9), "“传动速度”"},
    {"one byte appended", kRoller, [](Saved s) { return s.bytes + "2"; }, "多出 1 字节"},
    {"eight bytes appended", kRoller, [](Saved s) { return s.bytes + std::string(8, '\0'); },
     "多出 8 字节"},
    {"one byte cut", kRoller, [](Saved s) { return s.bytes.substr(0, s.bytes.size() - 1); },
     "设计记录不完整"},
    {"step flag neither 0 nor 1", kRoller,
     [](Saved s) { return s.bytes.replace(s.bytes.find("TPF0") - 8 * 20 + 8 * 3 + 4, 1, "\2"); },
     "第 4 个控件（步骤按钮“初始条件”）的保存状态"},
    {"snapshot properties over the bound", kRoller, reencoded([](ProjectImage& image) {
         for (std::size_t i = 0; i <= kMaxSnapshotProperties; ++i) {
             image.snapshots[3].integers["P" + std::to_string(i)] = 1;
         }
     }),
     "属性超过了 256 个的上限"},
    {"snapshot bytes over the bound", kRoller, reencoded([](ProjectImage& image) {
         for (std::size_t i = 0; i < 200; ++i) {
             image.snapshots[5].integers[std::string(90, 'N') + std::to_string(i)] = 1;
         }
     }),
     "第 6 个控件（步骤按钮“链轮齿数”）的保存外观：超过了 16384 字节的上限"},
    {"table file over the bound", kRoller,
     reencoded([](ProjectImage& image) { image.work[1].bytes.resize(kMaxTableFileBytes + 1); }),
     "设计结果表（“Result_Unnamed.db”）的记录：大小"},
    {"table rows over the bound", kRoller, reencoded(moreRows(1, static_cast<int>(kMaxTableRows))),
     "设计结果表（“Result_Unnamed.db”）有"},
    {"history entries over the bound", kRoller,
     reencoded(moreRows(3, static_cast<int>(kMaxHistoryRows))),
     "设计历史表（“Hty_Rec_Unnamed.db”）有"},
    {"speed item of the initial conditions out of its list", kRoller,
     reencoded([](ProjectImage& image) { image.snapshots[3].integers["SpeedItem"] = 9; }),
     "步骤按钮“初始条件”）的保存外观中的“传动速度”超出了它的取值范围"},
    {"centre distance range not finite", kRoller,
     reencoded([](ProjectImage& image) { image.snapshots[3].numbers["A0RangeHigh"] = kInf; }),
     "以节距表示的中心距的范围"},
    {"trigger that falsifies results", kRoller,
     reencoded(engineEdit(1, "CREATE TRIGGER t AFTER INSERT ON zv_rows BEGIN "
                             "UPDATE zv_rows SET c1 = '999'; END")),
     "设计结果表（“Result_Unnamed.db”）含有本程序不会写入的触发器"},
    {"trigger that refuses history entries", kRoller,
     reencoded(engineEdit(3, "CREATE TRIGGER t BEFORE INSERT ON zv_rows BEGIN "
                             "SELECT RAISE(ABORT, 'no'); END")),
     "触发器"},
    {"trigger in the memo file", kRoller,
     reencoded(engineEdit(4, "CREATE TRIGGER t AFTER INSERT ON zv_blobs BEGIN "
                             "DELETE FROM zv_blobs; END")),
     "触发器"},
    {"view", kRoller, reencoded(engineEdit(0, "CREATE VIEW v AS SELECT * FROM zv_rows")), "视图"},
    {"extra table", kRoller, reencoded(engineEdit(0, "CREATE TABLE junk(x)")), "其他表"},
    {"extra index", kRoller, reencoded(engineEdit(2, "CREATE INDEX i ON zv_rows(c0)")), "索引"},
    {"table file in write-ahead mode", kRoller, reencoded(engineEdit(1, "PRAGMA journal_mode=WAL")),
     "预写式日志"},
    {"file over the largest admitted", kRoller,
     [](Saved s) { return s.bytes + std::string(largestProjectBytes(), '\0'); }, "上限"},
};

TEST(ProjectRefusal, HostileProjectFiles) {
    std::map<std::string, Saved> designs;
    for (const char* scenario : {kRoller, kToothed}) {
        designs.emplace(scenario, saved(scenario));
    }
    testing::Workspace source;
    const fs::path good = source.path() / "good.chn";
    writeBytes(good, designs.at(kRoller).bytes);
    OpenDesign design(good);
    for (const auto& row : kHostileFiles) {
        SCOPED_TRACE(row.what);
        const std::string before = testing::designFingerprint(design.session);
        design.expectRefused(row.make(designs.at(row.scenario)), row.what);
        const std::string message = design.ui.log().empty() ? "" : design.ui.log().back().text;
        EXPECT_NE(message.find(row.named), std::string::npos) << message;
        EXPECT_TRUE(testing::speaksOnlyChinese(message)) << message;
        EXPECT_EQ(testing::designFingerprint(design.session), before);
    }
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
