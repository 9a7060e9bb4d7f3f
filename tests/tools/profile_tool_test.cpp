// zorvane-profile and the 导出齿形 flow on designs the batch runner finished: the files written,
// their tip circles against the design's size table, and the refusals (no finished design,
// files kept when the user declines to replace them).

#include "core/design/scripted_interaction.h"
#include "core/profile/design_profiles.h"
#include "core/store/directory_lock.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace zorvane {
namespace {

namespace fs = std::filesystem;

const fs::path kDesigns = ZORVANE_REPORT_DESIGNS;

std::string readFile(const fs::path& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

int runProfile(const fs::path& db, const fs::path& out, const fs::path& errors) {
    const std::string command = std::string("'") + ZORVANE_PROFILE + "' --db '" + db.string() +
                                "' --out '" + out.string() + "' > /dev/null 2> '" +
                                errors.string() + "'";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

struct ToolCase {
    const char* design;
    const char* tipText; // the tip circle of the small sprocket, as the SVG writes its radius
    profile::ToothForm form;
};

class ProfileTool : public ::testing::TestWithParam<ToolCase> {};

TEST_P(ProfileTool, WritesBothSprocketsAsDxfAndSvg) {
    testing::TempDir out;
    ASSERT_EQ(runProfile(kDesigns / GetParam().design, out.path() / "cad", out.path() / "e"), 0)
        << readFile(out.path() / "e");
    for (const char* name : {"small.dxf", "large.dxf", "small.svg", "large.svg"}) {
        EXPECT_GT(fs::file_size(out.path() / "cad" / name), 1000u) << name;
    }
    EXPECT_NE(readFile(out.path() / "cad" / "small.dxf").find("$ACADVER\n  1\nAC1009"),
              std::string::npos);
    EXPECT_NE(readFile(out.path() / "cad" / "small.svg").find(GetParam().tipText),
              std::string::npos);
    const auto design = profile::loadDesignProfiles(kDesigns / GetParam().design);
    EXPECT_EQ(design.sprockets[0].form, GetParam().form);
}

// Roller 12A, z1 = 15, standard form: tip diameter (103.53 + 96.73) / 2; toothed p 31.75, z1 = 29:
// tip diameter 291.94 (p·cot(180°/z) = 291.936).
INSTANTIATE_TEST_SUITE_P(Designs, ProfileTool,
                         ::testing::Values(ToolCase{"roller_low_speed_single_row", "r=\"50.06",
                                                    profile::ToothForm::RollerStandard},
                                           ToolCase{"toothed_medium_speed", "r=\"145.968",
                                                    profile::ToothForm::Toothed}),
                         [](const auto& param) { return std::string(param.param.design); });

TEST(ProfileToolRefusals, NoFinishedDesignAndAWrongCommandLine) {
    testing::TempDir out;
    EXPECT_EQ(runProfile(ZORVANE_BUILT_DATABASE, out.path() / "cad", out.path() / "e"), 1);
    EXPECT_NE(readFile(out.path() / "e").find("设计尚未完成"), std::string::npos);
    EXPECT_FALSE(fs::exists(out.path() / "cad" / "small.dxf"));
    const int status =
        std::system((std::string("'") + ZORVANE_PROFILE + "' --db 2> /dev/null").c_str());
    EXPECT_EQ(WEXITSTATUS(status), 2);
}

TEST(ProfileToolRefusals, AFinishedDesignThatAnotherProgramWrites) {
    testing::TempDir dir;
    const fs::path db = dir.path() / "database";
    fs::copy(kDesigns / "roller_low_speed_single_row", db, fs::copy_options::recursive);
    const store::detail::DirectoryLock writer(db);
    EXPECT_EQ(runProfile(db, dir.path() / "cad", dir.path() / "e"), 2);
    EXPECT_NE(readFile(dir.path() / "e")
                  .find("zorvane-profile: 数据库目录“" + db.string() + "”中的设计正由另一个程序"),
              std::string::npos)
        << readFile(dir.path() / "e");
    EXPECT_FALSE(fs::exists(dir.path() / "cad"));
}

TEST(ProfileExport, SavesBothAsksBeforeReplacingAndRefusesAnUnfinishedDesign) {
    testing::TempDir out;
    design::ScriptedInteraction ui;
    ui.saveAnswer((out.path() / "drive").string(), 1); // no suffix: the SVG file type decides
    profile::exportSprocketProfiles(ui, kDesigns / "toothed_medium_speed", "链轮齿形");
    ASSERT_TRUE(fs::exists(out.path() / "drive-z1.svg"));
    ASSERT_TRUE(fs::exists(out.path() / "drive-z2.svg"));
    EXPECT_EQ(ui.log().back().kind, "info");
    // The tool writes the same drawings as the window.
    ASSERT_EQ(runProfile(kDesigns / "toothed_medium_speed", out.path() / "cad", out.path() / "e"),
              0);
    EXPECT_EQ(readFile(out.path() / "cad" / "small.svg"), readFile(out.path() / "drive-z1.svg"));
    EXPECT_EQ(readFile(out.path() / "cad" / "large.svg"), readFile(out.path() / "drive-z2.svg"));

    fs::remove(out.path() / "drive-z1.svg");
    fs::resize_file(out.path() / "drive-z2.svg", 0);
    ui.saveAnswer((out.path() / "drive.svg").string());
    ui.answer("已存在", design::Answer::No);
    profile::exportSprocketProfiles(ui, kDesigns / "toothed_medium_speed", "链轮齿形");
    EXPECT_EQ(ui.log().back().kind, "question");
    EXPECT_EQ(fs::file_size(out.path() / "drive-z2.svg"), 0u);
    EXPECT_FALSE(fs::exists(out.path() / "drive-z1.svg"));

    ui.clearLog();
    profile::exportSprocketProfiles(ui, ZORVANE_BUILT_DATABASE, "链轮齿形");
    ASSERT_EQ(ui.log().size(), 1u);
    EXPECT_EQ(ui.log()[0].kind, "error");
}

} // namespace
} // namespace zorvane
