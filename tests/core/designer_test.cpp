// The designer record and the designer-information dialog: the stored layout, the 50-byte
// limit, and what confirming, cancelling and loading do to the record and the boxes.

#include "core/design/scripted_interaction.h"
#include "core/records/designer_record.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace zorvane::records {
namespace {

using design::ScriptedInteraction;

std::tm fixedTime(int hour, int minute, int second) {
    std::tm t{};
    t.tm_year = 2024 - 1900;
    t.tm_mon = 2; // March
    t.tm_mday = 7;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return t;
}

OwnerSource ownerOf(std::string name, std::string organisation) {
    return [=] { return std::optional<OwnerInfo>(OwnerInfo{name, organisation}); };
}

OwnerSource noOwner() {
    return [] { return std::optional<OwnerInfo>(); };
}

LocalClock fixedClock(int* calls = nullptr) {
    return [calls] {
        const int call = calls ? (*calls)++ : 0;
        return fixedTime(9, 5, 2 + call); // a later call would show another second
    };
}

DesignerInfo makeInfo(OwnerSource owner = ownerOf("张三", "机械设计室"),
                      int* clockCalls = nullptr) {
    return DesignerInfo(std::move(owner), fixedClock(clockCalls), "C");
}

std::string chinese(std::size_t count) {
    std::string text;
    for (std::size_t k = 0; k < count; ++k) {
        text += "链";
    }
    return text;
}

// ---- layout ---------------------------------------------------------------------------------

struct DesignerRow {
    DesignerField field;
    std::size_t offset;
};

class DesignerLayoutTest : public testing::TestWithParam<DesignerRow> {};

TEST_P(DesignerLayoutTest, TextStandsAtItsOffsetAndNowhereElse) {
    const DesignerRow row = GetParam();
    DesignerRec rec;
    rec.setText(row.field, "张三");
    const std::vector<std::uint8_t> expected{0x04, 0xD5, 0xC5, 0xC8, 0xFD};
    const auto& bytes = rec.bytes();
    ASSERT_EQ(bytes.size(), 306U);
    for (std::size_t k = 0; k < bytes.size(); ++k) {
        const bool inside = k >= row.offset && k < row.offset + expected.size();
        ASSERT_EQ(bytes[k], inside ? expected[k - row.offset] : 0) << "byte " << k;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryField, DesignerLayoutTest,
                         testing::Values(DesignerRow{DesignerField::Designer, 0},
                                         DesignerRow{DesignerField::Organization, 51},
                                         DesignerRow{DesignerField::DesignKind, 102},
                                         DesignerRow{DesignerField::DesignForm, 153},
                                         DesignerRow{DesignerField::DesignDate, 204},
                                         DesignerRow{DesignerField::DesignTime, 255}),
                         [](const auto& testRow) {
                             return std::string(DesignerRec::entry(testRow.param.field).name);
                         });

// ---- the 50-byte limit ----------------------------------------------------------------------

struct CutCase {
    const char* name;
    std::string typed;
    std::string stored;
};

class DesignerCut : public testing::TestWithParam<CutCase> {};

TEST_P(DesignerCut, ConfirmedNameIsStoredCutWhileTheBoxKeepsAll) {
    const CutCase& c = GetParam();
    DesignerInfo info = makeInfo();
    ScriptedInteraction ui;
    ui.designerAnswer(true, c.typed);
    EXPECT_TRUE(info.show(ui));
    EXPECT_EQ(info.record().getText(DesignerField::Designer), c.stored);
    EXPECT_EQ(info.boxes()[DesignerInfo::NameBox], c.typed);
    info.LoadDialog(info.record());
    EXPECT_EQ(info.boxes()[DesignerInfo::NameBox], c.stored);
}

INSTANTIATE_TEST_SUITE_P(
    Names, DesignerCut,
    testing::Values(CutCase{"SixtyAscii", std::string(60, 'n'), std::string(50, 'n')},
                    CutCase{"FiftyAscii", std::string(50, 'n'), std::string(50, 'n')},
                    CutCase{"ThirtyChinese", chinese(30), chinese(25)},
                    CutCase{"OddBoundary", "a" + chinese(30), "a" + chinese(24)}),
    [](const auto& testRow) { return std::string(testRow.param.name); });

// ---- defaults -------------------------------------------------------------------------------

TEST(DesignerInfo, StartsWithTheSystemOwnerAndOneStamp) {
    int calls = 0;
    DesignerInfo info = makeInfo(ownerOf("张三", "机械设计室"), &calls);
    const design::DesignerBoxes expected{"张三", "机械设计室", "", "", "03/07/24", "09:05:02"};
    EXPECT_EQ(info.boxes(), expected);
    EXPECT_EQ(info.record().getText(DesignerField::Designer), "张三");
    EXPECT_EQ(info.record().getText(DesignerField::Organization), "机械设计室");
    EXPECT_EQ(info.record().getText(DesignerField::DesignDate), "03/07/24");
    EXPECT_EQ(info.record().getText(DesignerField::DesignTime), "09:05:02");
    EXPECT_EQ(calls, 1);
}

TEST(DesignerInfo, WithoutAnOwnerNameAndOrganisationStartEmpty) {
    for (const OwnerSource& source : {noOwner(), ownerOf("", ""), OwnerSource{}}) {
        DesignerInfo info = makeInfo(source);
        EXPECT_EQ(info.boxes()[DesignerInfo::NameBox], "");
        EXPECT_EQ(info.boxes()[DesignerInfo::CompanyBox], "");
        EXPECT_EQ(info.record().getText(DesignerField::Designer), "");
        EXPECT_EQ(info.record().getText(DesignerField::Organization), "");
    }
}

TEST(DesignerInfo, DateAndTimeAreStampedOnlyAtCreation) {
    int calls = 0;
    DesignerInfo info = makeInfo(ownerOf("张三", ""), &calls);
    ScriptedInteraction ui;
    info.SetDesignKind("链传动");
    info.SetDesignForm("滚子链");
    info.LoadDialog(info.record());
    EXPECT_TRUE(info.show(ui)); // a new design shows the dialog again
    info.ClearKindForm();
    info.StoreDialog();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(info.record().getText(DesignerField::DesignTime), "09:05:02");
    EXPECT_EQ(info.boxes()[DesignerInfo::TimeBox], "09:05:02");
}

struct AccountCase {
    const char* name;
    std::string gecos;
    std::string login;
    std::string expected;
};

class AccountName : public testing::TestWithParam<AccountCase> {};

TEST_P(AccountName, FullNameUpToTheFirstCommaElseLogin) {
    const AccountCase& c = GetParam();
    EXPECT_EQ(accountDisplayName(c.gecos, c.login), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Gecos, AccountName,
                         testing::Values(AccountCase{"FullName", "Li Si", "lisi", "Li Si"},
                                         AccountCase{"WithRoomAndPhone", "张三,Room 101,1234,,",
                                                     "zhang", "张三"},
                                         AccountCase{"Empty", "", "zhang", "zhang"},
                                         AccountCase{"OnlyCommas", ",,,", "zhang", "zhang"},
                                         AccountCase{"NotUtf8", "\xB5\xF7", "zhang", "zhang"},
                                         AccountCase{"NothingAtAll", "", "", ""}),
                         [](const auto& testRow) { return std::string(testRow.param.name); });

TEST(DesignerInfo, DateTimeTextsFollowTheLocaleAndFallBackToC) {
    const std::tm t = fixedTime(21, 5, 2);
    const DateTimeTexts c = formatDateTime(t, "C");
    EXPECT_EQ(c.date, "03/07/24");
    EXPECT_EQ(c.time, "21:05:02");
    const DateTimeTexts missing = formatDateTime(t, "xx_NOWHERE.UTF-8");
    EXPECT_EQ(missing.date, c.date);
    EXPECT_EQ(missing.time, c.time);
}

TEST(DesignerInfo, SystemSourcesStampADate) {
    const DesignerInfo info;
    EXPECT_FALSE(info.record().getText(DesignerField::DesignDate).empty());
    EXPECT_EQ(info.boxes()[DesignerInfo::DateBox],
              info.record().getText(DesignerField::DesignDate));
}

// ---- the dialog -----------------------------------------------------------------------------

TEST(DesignerInfo, CancelAfterEditingLeavesTheRecordUnchanged) {
    DesignerInfo info = makeInfo();
    const DesignerRec before = info.record();
    ScriptedInteraction ui;
    ui.designerAnswer(false, "李四", "别的单位");
    EXPECT_FALSE(info.show(ui));
    EXPECT_EQ(info.record(), before);
    // The boxes keep what was typed until they are loaded again.
    EXPECT_EQ(info.boxes()[DesignerInfo::NameBox], "李四");
    info.LoadDialog(info.record());
    EXPECT_EQ(info.boxes()[DesignerInfo::NameBox], "张三");
}

TEST(DesignerInfo, LoadingAProjectRecordShowsItWithoutTakingItOver) {
    DesignerInfo info = makeInfo();
    DesignerRec fromFile;
    fromFile.setText(DesignerField::Designer, "王五");
    fromFile.setText(DesignerField::DesignForm, "齿形链");
    const DesignerRec before = info.record();

    info.LoadDialog(fromFile);
    EXPECT_EQ(info.boxes()[DesignerInfo::NameBox], "王五");
    EXPECT_EQ(info.boxes()[DesignerInfo::SortBox], "齿形链");
    EXPECT_EQ(info.record(), before);

    // 文件 > 属性 loads the current record again, not the one from the file...
    info.LoadDialog(info.record());
    EXPECT_EQ(info.boxes()[DesignerInfo::NameBox], "张三");

    // ...unless the dialog was confirmed while it showed the file's values.
    info.LoadDialog(fromFile);
    ScriptedInteraction ui;
    EXPECT_TRUE(info.show(ui));
    EXPECT_EQ(info.record(), fromFile);
}

TEST(DesignerInfo, KindAndFormChangeTheRecordButNotTheBoxes) {
    DesignerInfo info = makeInfo();
    info.SetDesignKind("链传动");
    info.SetDesignForm("滚子链");
    EXPECT_EQ(info.boxes()[DesignerInfo::KindBox], "");
    EXPECT_EQ(info.record().getText(DesignerField::DesignKind), "链传动");

    info.LoadDialog(info.record());
    EXPECT_EQ(info.boxes()[DesignerInfo::SortBox], "滚子链");
    info.ClearKindForm();
    EXPECT_EQ(info.boxes()[DesignerInfo::KindBox], "");
    EXPECT_EQ(info.boxes()[DesignerInfo::SortBox], "");
    EXPECT_EQ(info.record().getText(DesignerField::DesignForm), "滚子链");
}

TEST(DesignerInfo, RecordBytesSurviveTheProjectFile) {
    DesignerInfo info = makeInfo();
    info.SetDesignKind("链传动");
    const DesignerRec reloaded = DesignerRec::fromBytes(info.bytes());
    EXPECT_EQ(reloaded, info.record());
    EXPECT_EQ(reloaded.getText(DesignerField::DesignKind), "链传动");
    const std::vector<std::uint8_t> truncated(info.bytes().begin(), info.bytes().end() - 1);
    EXPECT_THROW(DesignerRec::fromBytes(truncated), std::invalid_argument);
}

} // namespace
} // namespace zorvane::records
