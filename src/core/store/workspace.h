#pragma once
// The working tables of one database directory, written by one program at a time. Opening a
// workspace locks the directory, brings the tables' files to a consistent state (a commit that a
// crash cut short is rolled back, a journal of a file replaced since is dropped, a file damaged
// beyond repair is set aside) and keeps the files attached to one connection. Tables of these
// files, wherever they are opened in the program, read and write through that connection, so that
// everything one step of a design writes, across all the files, is one atomic and durable commit.
// Between steps each file holds its whole table, so the files can be copied.
//
// A workspace can also be made in memory, for designs computed side by side in one process (for
// comparing candidate designs): its working tables start empty in memory, its steps commit there
// and nothing of the directory is locked, read or written for them. It serves the thread that
// makes it: on that thread, tables opened by the directory's paths reach its working tables and
// the reference tables of its snapshot (reference_snapshot.h), while any other thread, the one
// of a file-backed workspace of the same directory among them, keeps reaching the files. It is
// used and destroyed on that thread.

#include "core/store/sqlite_handle.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zorvane::store {

class ReferenceSnapshot;

namespace detail {
class DirectoryLock;
class SnapshotBinding;
} // namespace detail

class Workspace {
public:
    struct TableSpec {
        std::string name; // the table, e.g. "Result_Unnamed"
        bool blobs;       // whether it has a memo and graphic file (.mb)
    };

    // Throws WorkspaceBusy when another program holds the directory and StoreError when the
    // directory cannot be used; nothing in the directory is changed then.
    Workspace(std::filesystem::path directory, const std::vector<TableSpec>& tables);
    // The working tables `tables` of the snapshot's directory, in memory (see above).
    Workspace(std::shared_ptr<const ReferenceSnapshot> references,
              const std::vector<TableSpec>& tables);
    ~Workspace();
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    const std::filesystem::path& directory() const { return directory_; }
    bool inMemory() const { return references_ != nullptr; }
    // One message for the user per file that the opening had to set aside.
    const std::vector<std::string>& repairs() const { return repairs_; }

    // A step: what is written until commit() is kept together, durably, or not at all. A step
    // begun inside another one joins it. Leaving without commit() rolls the step back.
    class Step {
    public:
        Step() = default;
        explicit Step(Workspace& workspace);
        Step(Step&& other) noexcept;
        Step& operator=(Step&&) = delete;
        ~Step();
        void commit();

    private:
        Workspace* workspace_ = nullptr;
    };
    Step beginStep() { return Step(*this); }
    bool inStep() const { return stepOpen_; }
    // How many writes the tables took through this workspace so far (rolled back ones too): a
    // count that changes whenever what the tables hold may have changed.
    std::uint64_t writeCount() const { return writeCount_; }

    // Closes the files so that they can be replaced as a whole (a project being opened), and
    // attaches them again with the same care as at the opening. No table of them may be open.
    // Inside a step, what the step wrote so far is committed first, and the step goes on after
    // the files are attached again. Working tables in memory have no files to replace.
    void releaseFiles();
    void attachFiles();

    // An open table that holds rows in memory; told when a step was rolled back.
    class Listener {
    public:
        virtual void reloadAfterRollback() = 0;

    protected:
        ~Listener() = default;
    };
    void addListener(Listener* listener);
    void removeListener(Listener* listener);

    // What the opening asks of every working-table file before it keeps it: that the file is no
    // link, holds exactly what the store writes into such a file, and that SQLite opens it for
    // writing and finds it whole (a journal a crash left beside it is rolled back first). The
    // reason it fails, as a Chinese phrase to follow "数据表文件“…”", or nullopt.
    static std::optional<std::string> fileProblem(const std::filesystem::path& file);
    static bool fileIsSound(const std::filesystem::path& file) { return !fileProblem(file); }

    // Where a file of an open workspace of this program is attached, if it is.
    struct Attachment {
        Workspace* workspace;
        detail::Connection* connection;
        std::string schema;
    };
    // An in-memory workspace of this thread comes first.
    static std::optional<Attachment> attachmentOf(const std::filesystem::path& file);

    // Called before every write into `schema`: the first write of this workspace into a file
    // renews the file's stamp inside the same commit (see journal_owner.h).
    void aboutToWrite(const std::string& schema);
    // A table file of the workspace opened or closed; the files cannot be released while open.
    void tableOpened() { ++openTables_; }
    void tableClosed() { --openTables_; }

private:
    struct File {
        std::filesystem::path path;
        std::string schema;
    };
    struct Unsound {
        const File* file = nullptr;
        std::string problem; // as fileProblem gives it
    };
    // Checks `file` and opens it for writing on `connection` (made with the first file); what is
    // wrong with it, or nullopt.
    static std::optional<std::string> attachChecked(std::unique_ptr<detail::Connection>& connection,
                                                    const File& file);
    // The connection with every file attached, or null with the first file that failed its
    // check in `unsound`.
    std::unique_ptr<detail::Connection> connect(Unsound& unsound);
    // Renames an unusable file (or a link, never its target) out of the way, with a message for
    // the user.
    void setAside(const Unsound& unsound);
    void removeSuperJournals();
    void rollback();
    // The attachments of this workspace's files, in the registry of its kind.
    void registerFiles();
    void unregisterFiles();

    std::filesystem::path directory_;
    std::shared_ptr<const ReferenceSnapshot> references_; // in memory when set
    std::unique_ptr<detail::SnapshotBinding> binding_;
    std::unique_ptr<detail::DirectoryLock> lock_;
    std::vector<File> files_;
    std::unique_ptr<detail::Connection> connection_;
    std::vector<std::string> repairs_;
    std::vector<Listener*> listeners_;
    std::map<std::string, bool> stamped_;
    bool stepOpen_ = false;
    bool resumeStep_ = false;
    std::uint64_t writeCount_ = 0;
    int openTables_ = 0;
};

} // namespace zorvane::store
