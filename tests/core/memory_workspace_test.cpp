// Designs computed in memory, side by side on four threads over one snapshot of the reference
// tables, while the window's own workspace of the same directory goes on: each gives the rows of
// the same design computed alone on files, and the directory keeps every byte it had.

#include "core/design/scripted_interaction.h"
#include "core/design/session.h"
#include "core/records/design_history.h"
#include "core/records/result_tables.h"
#include "core/roller/roller_design.h"
#include "core/store/reference_snapshot.h"
#include "core/store/sha256.h"
#include "core/store/store_error.h"
#include "core/store/table.h"
#include "core/toothed/toothed_design.h"
#include "support/design_inputs.h"
#include "support/fixed_designer.h"
#include "support/working_tables.h"
#include "support/workspace.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <thread>

namespace zorvane::design {
namespace {

using testing::Rows;
using testing::rowsOf;

using testing::fixedDesigner;

struct Case {
    const char* name;
    bool roller;
    InitInputs inputs;
};

const std::vector<Case>& cases() {
    static const std::vector<Case> table{
        {"roller, low speed", true, testing::lowSpeedSingleRow()},
        {"roller, required life", true, testing::requiredLifeAtHighSpeed()},
        {"toothed, medium speed", false, testing::toothedMediumSpeed()},
    };
    return table;
}

// Everything a design leaves in its working tables, with what it asked.
struct Outcome {
    Rows init, results, sizes, history;
    std::vector<std::string> asked;
    bool operator==(const Outcome&) const = default;
};

// A whole design of `c` through the session's steps, taking each panel's proposal.
Outcome runDesign(DesignSession& session, ScriptedInteraction& ui, const Case& c) {
    session.beginNewDesign();
    session.openChainTypeStep();
    session.confirmChainType({c.roller, 0, 0});
    session.steps().openInitialConditions();
    if (!session.steps().confirmInitialConditions(c.inputs).confirmed) {
        return {};
    }
    const int last = c.roller ? 9 : 8;
    for (int position = 1; position <= last; ++position) {
        if (c.roller) {
            roller::designOf(session)->runStep(position);
        } else {
            toothed::designOf(session)->runStep(position);
        }
        if (position == 1) {
            if (c.roller) {
                roller::designOf(session)->checkSmallToothCount();
                roller::designOf(session)->confirmToothCounts();
            } else {
                toothed::designOf(session)->checkSmallToothCount();
                toothed::designOf(session)->confirmToothCounts();
            }
        } else if (position == 4) {
            session.steps().confirmInitialCentreDistance();
        } else if (position == 5) {
            session.steps().confirmCentreDistanceChange();
        } else if (position == 7 && c.roller) {
            roller::designOf(session)->confirmStaticStrength();
        }
    }
    auto& results = *session.results();
    Outcome out{rowsOf(*results.initTable(), {"项目", "数值", "单位"}),
                rowsOf(*results.resultTable(), {"项目", "数值", "单位"}),
                rowsOf(*results.sizeTable(), {"名称", "小链轮数值", "大链轮数值"}),
                rowsOf(*session.history()->historyTable(), {"项目", "数值"}),
                {}};
    for (const auto& exchange : ui.log()) {
        out.asked.push_back(exchange.kind + ":" + exchange.text + "=" + exchange.answer);
    }
    return out;
}

// Each case computed alone, on files, in a directory of its own.
const std::vector<Outcome>& aloneOnFiles() {
    static const std::vector<Outcome> outcomes = [] {
        std::vector<Outcome> all;
        for (const auto& c : cases()) {
            testing::Workspace directory;
            ScriptedInteraction ui;
            DesignSession session(directory.path(), ui, fixedDesigner());
            all.push_back(runDesign(session, ui, c));
        }
        return all;
    }();
    return outcomes;
}

// Every file under `directory` by its relative path, with the digest of its bytes.
std::map<std::string, std::string> digests(const std::filesystem::path& directory) {
    std::map<std::string, std::string> out;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(directory)) {
        if (!entry.is_regular_file()) {
            out[entry.path().lexically_relative(directory).string()] = "(no file)";
            continue;
        }
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), {});
        store::Sha256 sha;
        sha.add(bytes);
        out[entry.path().lexically_relative(directory).string()] = sha.hexDigest();
    }
    return out;
}

// Runs `perThread` on four threads at once and waits for them.
void onFourThreads(const std::function<void(int)>& perThread) {
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back(perThread, t);
    }
    for (auto& thread : threads) {
        thread.join();
    }
}

class MemoryWorkspaceTest : public ::testing::Test {
protected:
    // Each thread computes every case twice, in an order of its own, each in a fresh session.
    std::vector<std::vector<std::pair<std::size_t, Outcome>>> runOnFourThreads() {
        std::vector<std::vector<std::pair<std::size_t, Outcome>>> got(4);
        onFourThreads([&](int t) {
            for (std::size_t round = 0; round < 2 * cases().size(); ++round) {
                const std::size_t index = (round + static_cast<std::size_t>(t)) % cases().size();
                ScriptedInteraction ui;
                auto session = DesignSession::inMemory(references, ui, fixedDesigner());
                got[static_cast<std::size_t>(t)].emplace_back(
                    index, runDesign(*session, ui, cases()[index]));
            }
        });
        return got;
    }

    // The designs on four threads, checked against the same designs alone, while this thread
    // does `meanwhile` (told when they are done).
    void whileComputing(const std::function<void(const std::atomic<bool>&)>& meanwhile) {
        std::atomic<bool> done{false};
        std::thread computing([&] {
            expectEachAsAlone(runOnFourThreads());
            done = true;
        });
        try {
            meanwhile(done);
        } catch (const std::exception& error) {
            ADD_FAILURE() << error.what();
        }
        computing.join();
    }

    void expectEachAsAlone(const std::vector<std::vector<std::pair<std::size_t, Outcome>>>& got) {
        for (std::size_t t = 0; t < got.size(); ++t) {
            ASSERT_EQ(got[t].size(), 2 * cases().size());
            for (const auto& [index, outcome] : got[t]) {
                EXPECT_FALSE(outcome.results.empty()) << cases()[index].name;
                EXPECT_EQ(outcome, aloneOnFiles()[index])
                    << "thread " << t << ", " << cases()[index].name;
            }
        }
    }

    testing::Workspace directory;
    std::shared_ptr<const store::ReferenceSnapshot> references =
        std::make_shared<store::ReferenceSnapshot>(directory.database());
};

TEST_F(MemoryWorkspaceTest, DesignsOnFourThreadsLeaveTheDirectoryByteForByte) {
    aloneOnFiles();
    // The window holds the directory's working tables, with a design in them. Meanwhile it
    // gives up its files and takes them again, as opening a project does, and reads them.
    ScriptedInteraction windowUi;
    DesignSession window(directory.path(), windowUi, fixedDesigner());
    runDesign(window, windowUi, cases().front());
    window.closeDesign(false);
    const auto before = digests(directory.database());

    int reads = 0;
    whileComputing([&](const std::atomic<bool>& done) {
        while (!done) {
            window.workspace()->releaseFiles();
            window.workspace()->attachFiles();
            store::Table reference(directory.database(), "Ka");
            reference.open();
            store::Table results(directory.database(), "Result_Unnamed");
            results.open();
            EXPECT_EQ(rowsOf(results, {"项目", "数值", "单位"}), aloneOnFiles().front().results);
            ++reads;
        }
    });

    EXPECT_GT(reads, 0);
    EXPECT_GT(references->heldFiles(), 10u); // the reference tables were read from memory
    EXPECT_EQ(digests(directory.database()), before);
}

TEST_F(MemoryWorkspaceTest, TheWindowDesignsOnFilesMeanwhile) {
    aloneOnFiles();
    ScriptedInteraction windowUi;
    windowUi.answer("是否保存", Answer::No, true);
    windowUi.answer("确实要重新开始", Answer::Yes, true);
    DesignSession window(directory.path(), windowUi, fixedDesigner());
    auto before = digests(directory.database());

    std::vector<Outcome> windows;
    whileComputing([&](const std::atomic<bool>&) {
        for (const auto& c : cases()) {
            windows.push_back(runDesign(window, windowUi, c));
        }
    });

    // The window's designs went as they go alone, into its files; nothing else changed.
    ASSERT_EQ(windows.size(), cases().size());
    for (std::size_t i = 0; i < cases().size(); ++i) {
        EXPECT_EQ(windows[i].results, aloneOnFiles()[i].results) << cases()[i].name;
    }
    auto after = digests(directory.database());
    for (const auto& working : {"Init_Unnamed.db", "Result_Unnamed.db", "Size_Unnamed.db",
                                "Hty_Rec_Unnamed.db", "Hty_Rec_Unnamed.mb"}) {
        EXPECT_NE(after.erase(working), 0u) << working;
        before.erase(working);
    }
    EXPECT_EQ(after, before);
}

// A design in memory that tries to write a reference table, or to make a table beside the
// working ones, is refused and the directory keeps its bytes.
TEST_F(MemoryWorkspaceTest, NothingIsWrittenIntoTheDirectory) {
    const auto before = digests(directory.database());
    ScriptedInteraction ui;
    auto session = DesignSession::inMemory(references, ui);
    const std::vector<std::pair<const char*, std::function<void(store::Table&)>>> attempts{
        {"a reference table rewritten",
         [](store::Table& table) {
             table.setReadOnly(false);
             table.open();
             table.edit();
             table.setField(0, table.field(0));
             table.post();
         }},
        {"a table made",
         [](store::Table& table) {
             table.setFieldDefs({{"名称", store::FieldKind::Text, 20}});
             table.create();
         }},
    };
    for (const auto& [what, attempt] : attempts) {
        store::Table table(directory.database(), "Ka");
        EXPECT_THROW(attempt(table), store::StoreError) << what;
    }
    EXPECT_EQ(digests(directory.database()), before);
}

} // namespace
} // namespace zorvane::design
