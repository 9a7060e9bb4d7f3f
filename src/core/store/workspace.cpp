#include "core/store/workspace.h"

#include "core/store/directory_lock.h"
#include "core/store/journal_owner.h"
#include "core/store/reference_snapshot.h"
#include "core/store/store_error.h"
#include "core/store/table_definition.h"
#include "core/store/table_file.h"
#include "core/store/table_schema_check.h"
#include "core/text/ascii_case.h"
#include "core/text/system_error_text.h"

#include <sqlite3.h>

#include <algorithm>
#include <mutex>
#include <random>
#include <system_error>

namespace zorvane::store {

namespace fs = std::filesystem;

namespace {

using Registry = std::map<std::string, std::pair<Workspace*, std::string>>;

// The files of the open file-backed workspaces of this program, by a key that ignores the case
// of the file name and the spelling of the directory. Threads that compute designs in memory look
// files up here while the window's thread attaches and releases its own.
std::mutex attachmentsMutex;

Registry& attachments() {
    static Registry instance;
    return instance;
}

// The files of this thread's in-memory workspaces, by the same key: they come first.
Registry& memoryAttachments() {
    thread_local Registry instance;
    return instance;
}

// The directory of a path, absolute and without links; a design's files share a few directories,
// so each is resolved once, for every thread.
fs::path resolvedDirectory(const fs::path& directory) {
    static std::mutex mutex;
    static std::map<std::string, fs::path> known;
    const std::lock_guard lock(mutex);
    const auto [at, added] = known.try_emplace(directory.string());
    if (added) {
        std::error_code error;
        at->second = fs::weakly_canonical(fs::absolute(directory, error), error);
        if (error) {
            at->second = directory;
        }
    }
    return at->second;
}

// The key of a path: its resolved directory and its file name in lower case.
std::string fileKey(const fs::path& file) {
    std::string name = file.filename().string();
    std::transform(name.begin(), name.end(), name.begin(), text::lowerAscii);
    return (resolvedDirectory(file.parent_path()) / name).string();
}

std::uint32_t freshStamp() {
    thread_local std::mt19937 generator{std::random_device{}()};
    // The header fields are signed 32-bit integers; SQLite refuses larger values.
    std::uniform_int_distribution<std::uint32_t> stamps(1, 0x7fffffffu);
    return stamps(generator);
}

std::string schemaOfFile(std::size_t index) {
    return index == 0 ? "main" : "w" + std::to_string(index);
}

void removeQuietly(const fs::path& file) {
    std::error_code error;
    fs::remove(file, error);
}

} // namespace

Workspace::Workspace(fs::path directory, const std::vector<TableSpec>& tables)
    : directory_(std::move(directory)) {
    detail::requireDirectory(directory_);
    lock_ = std::make_unique<detail::DirectoryLock>(directory_);
    for (const auto& table : tables) {
        auto located = detail::locateTableFile(directory_, table.name);
        if (table.blobs) {
            located.blobs = detail::findBlobs(located).value_or(located.blobs);
        }
        files_.push_back({located.table, schemaOfFile(files_.size())});
        if (table.blobs) {
            files_.push_back({located.blobs, schemaOfFile(files_.size())});
        }
    }
    if (files_.empty()) {
        throw StoreError("数据库目录“" + directory_.string() + "”中没有要写的数据表");
    }
    attachFiles();
}

Workspace::Workspace(std::shared_ptr<const ReferenceSnapshot> references,
                     const std::vector<TableSpec>& tables)
    : directory_(references->directory()), references_(std::move(references)) {
    for (const auto& table : tables) {
        // Spelt as a table's open spells files that do not exist; the registry ignores case.
        const std::string base = detail::normalizeTableName(table.name);
        files_.push_back({directory_ / (base + ".db"), schemaOfFile(files_.size())});
        if (table.blobs) {
            files_.push_back({directory_ / (base + ".mb"), schemaOfFile(files_.size())});
        }
    }
    if (files_.empty()) {
        throw StoreError("数据库目录“" + directory_.string() + "”中没有要写的数据表");
    }
    for (const auto& file : files_) {
        if (memoryAttachments().contains(fileKey(file.path))) {
            throw StoreError("数据表“" + file.path.string() + "”已在本线程的内存中打开");
        }
    }
    binding_ = std::make_unique<detail::SnapshotBinding>(references_);
    attachFiles();
}

Workspace::~Workspace() {
    if (stepOpen_) {
        rollback();
    }
    if (connection_) {
        unregisterFiles();
    }
    connection_.reset();
}

void Workspace::registerFiles() {
    if (references_) {
        for (const auto& file : files_) {
            memoryAttachments()[fileKey(file.path)] = {this, file.schema};
        }
        return;
    }
    const std::lock_guard lock(attachmentsMutex);
    for (const auto& file : files_) {
        attachments()[fileKey(file.path)] = {this, file.schema};
    }
}

void Workspace::unregisterFiles() {
    if (references_) {
        for (const auto& file : files_) {
            memoryAttachments().erase(fileKey(file.path));
        }
        return;
    }
    const std::lock_guard lock(attachmentsMutex);
    for (const auto& file : files_) {
        attachments().erase(fileKey(file.path));
    }
}

std::optional<std::string> Workspace::fileProblem(const fs::path& file) {
    if (auto problem = detail::schemaProblem(file)) {
        return problem;
    }
    return detail::integrityProblem(file);
}

std::optional<std::string> Workspace::attachChecked(std::unique_ptr<detail::Connection>& connection,
                                                    const File& file) {
    std::error_code error;
    const bool existed = fs::exists(fs::symlink_status(file.path, error));
    // Before the file is attached: nothing of a file from elsewhere may run, not even once.
    if (existed) {
        if (auto problem = detail::schemaProblem(file.path)) {
            return problem;
        }
    }
    try {
        if (!connection) {
            connection = std::make_unique<detail::Connection>(
                file.path, detail::Connection::Mode::Create, detail::Connection::Links::Refuse);
        } else {
            connection->attach(file.path, file.schema, false, true);
        }
        const std::string schema = detail::quoteIdentifier(file.schema);
        if (!existed) {
            connection->exec("PRAGMA " + schema +
                             ".page_size=" + std::to_string(detail::kPageSize));
        }
        connection->exec("PRAGMA " + schema + ".journal_mode=DELETE");
        connection->exec("PRAGMA " + schema + ".synchronous=FULL");
        if (!existed) {
            return std::nullopt;
        }
        // The first read of a file for writing rolls back what a crash left in its journal.
        detail::Statement check(*connection, "PRAGMA " + schema + ".quick_check");
        if (check.step() && check.columnText(0) == "ok") {
            return std::nullopt;
        }
    } catch (const StoreError&) {
    }
    return detail::kDamagedProblem;
}

std::unique_ptr<detail::Connection> Workspace::connect(Unsound& unsound) {
    unsound = {};
    std::unique_ptr<detail::Connection> connection;
    for (const auto& file : files_) {
        if (auto problem = attachChecked(connection, file)) {
            // Stop at the first failure: a damaged file attached could fail the next ones.
            unsound = {&file, std::move(*problem)};
            return nullptr;
        }
    }
    return connection;
}

void Workspace::setAside(const Unsound& unsound) {
    const fs::path& path = unsound.file->path;
    const fs::path aside = path.string() + ".damaged";
    std::error_code error;
    // rename moves a link itself, never the file it points to.
    const bool link = fs::is_symlink(fs::symlink_status(path, error));
    fs::remove_all(aside, error);
    fs::rename(path, aside, error);
    if (error) {
        throw StoreError("数据表文件“" + path.string() + "”" + unsound.problem +
                         "，且无法改名留存：" + text::systemErrorText(error));
    }
    removeQuietly(path.string() + "-journal");
    // A write-ahead log stays with its file; SQLite would take one left here into the new file.
    fs::rename(path.string() + "-wal", aside.string() + "-wal", error);
    removeQuietly(path.string() + "-shm");
    const std::string named = "数据表文件“" + path.string() + "”";
    const std::string renewed = "；新的设计将由模板重新建立这个数据表。";
    if (link) {
        repairs_.push_back(named + unsound.problem + "，已把这个链接改名为“" +
                           aside.filename().string() + "”留存，它指向的文件没有改动" + renewed);
    } else {
        repairs_.push_back(named + unsound.problem + "，已改名为“" + aside.filename().string() +
                           "”留存" + renewed);
    }
}

void Workspace::attachFiles() {
    if (connection_) {
        return;
    }
    if (references_) {
        // Each file a fresh database in memory on the one connection; a step stays atomic
        // across them and rolls back as on files.
        auto connection = detail::Connection::inMemory(files_.front().path);
        for (std::size_t i = 1; i < files_.size(); ++i) {
            connection->attachInMemory(files_[i].schema);
        }
        connection_ = std::move(connection);
        registerFiles();
        return;
    }
    std::error_code error;
    for (const auto& file : files_) {
        const fs::path journal = file.path.string() + "-journal";
        if (fs::exists(journal, error) && detail::journalBelongsElsewhere(file.path, journal)) {
            removeQuietly(journal);
        }
    }
    // Every file is opened for writing and checked on the one connection. A file damaged beyond
    // repair is set aside and the connection made again, with a fresh file in its place.
    Unsound unsound;
    std::vector<const File*> setAsideAlready;
    auto connection = connect(unsound);
    while (unsound.file) {
        if (std::find(setAsideAlready.begin(), setAsideAlready.end(), unsound.file) !=
            setAsideAlready.end()) {
            throw StoreError("无法在数据库目录“" + directory_.string() + "”中建立数据表文件“" +
                             unsound.file->path.filename().string() + "”：" + unsound.problem);
        }
        setAside(unsound);
        setAsideAlready.push_back(unsound.file);
        connection = connect(unsound);
    }
    // What SQLite left of a journal after reading the file was not to be rolled back: the
    // transaction it kept had been committed, or it was not this file's. Only now, with every
    // file recovered, may the super-journals go: a journal whose super-journal is gone counts as
    // committed.
    for (const auto& file : files_) {
        removeQuietly(file.path.string() + "-journal");
    }
    removeSuperJournals();
    // Nothing reaches a table file before the commit, so a journal without the file's first page
    // never stands for a file that was written.
    connection->exec("PRAGMA cache_spill=OFF");
    connection_ = std::move(connection);
    registerFiles();
    stamped_.clear();
    if (resumeStep_) {
        connection_->exec("BEGIN");
        stepOpen_ = true;
        resumeStep_ = false;
    }
}

// The super-journal of a commit across the files lies beside the first file. Once every file is
// recovered no journal names it any more.
void Workspace::removeSuperJournals() {
    const std::string prefix = files_.front().path.filename().string() + "-mj";
    std::error_code error;
    for (fs::directory_iterator it(directory_, error), end; !error && it != end;
         it.increment(error)) {
        if (it->path().filename().string().starts_with(prefix)) {
            removeQuietly(it->path());
        }
    }
}

void Workspace::releaseFiles() {
    if (openTables_ > 0) {
        throw StoreError("数据库目录“" + directory_.string() + "”中的工作表仍在使用，不能替换");
    }
    if (references_) {
        throw StoreError("数据库目录“" + directory_.string() +
                         "”的这组工作表只在内存中，没有可替换的文件");
    }
    if (stepOpen_) {
        // What the step wrote so far is kept; the step goes on once the files are back.
        connection_->exec("COMMIT");
        stepOpen_ = false;
        resumeStep_ = true;
    }
    unregisterFiles();
    connection_.reset();
}

std::optional<Workspace::Attachment> Workspace::attachmentOf(const fs::path& file) {
    const std::string key = fileKey(file);
    const auto attachment = [](const Registry::value_type& entry) {
        Workspace* workspace = entry.second.first;
        return Attachment{workspace, workspace->connection_.get(), entry.second.second};
    };
    if (const auto found = memoryAttachments().find(key); found != memoryAttachments().end()) {
        return attachment(*found);
    }
    const std::lock_guard lock(attachmentsMutex);
    const auto found = attachments().find(key);
    if (found == attachments().end()) {
        return std::nullopt;
    }
    return attachment(*found);
}

void Workspace::aboutToWrite(const std::string& schema) {
    ++writeCount_;
    // The stamp tells a file's journal from a stale one; tables in memory have neither.
    if (references_ || stamped_[schema]) {
        return;
    }
    const std::string quoted = detail::quoteIdentifier(schema);
    detail::Statement read(*connection_, "PRAGMA " + quoted + ".user_version");
    const long long previous = read.step() ? read.columnInt(0) : 0;
    connection_->exec("PRAGMA " + quoted + ".application_id=" + std::to_string(previous));
    connection_->exec("PRAGMA " + quoted + ".user_version=" + std::to_string(freshStamp()));
    stamped_[schema] = true;
}

void Workspace::addListener(Listener* listener) {
    listeners_.push_back(listener);
}

void Workspace::removeListener(Listener* listener) {
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

void Workspace::rollback() {
    sqlite3_exec(connection_->get(), "ROLLBACK", nullptr, nullptr, nullptr);
    stepOpen_ = false;
    stamped_.clear();
    for (Listener* listener : std::vector<Listener*>(listeners_)) {
        try {
            listener->reloadAfterRollback();
        } catch (const std::exception&) {
            // the table stays as it was shown; the next open reads the files again
        }
    }
}

Workspace::Step::Step(Workspace& workspace) {
    if (workspace.stepOpen_ || !workspace.connection_) {
        return; // joins the step already open
    }
    workspace.connection_->exec("BEGIN");
    workspace.stepOpen_ = true;
    workspace_ = &workspace;
}

Workspace::Step::Step(Step&& other) noexcept : workspace_(other.workspace_) {
    other.workspace_ = nullptr;
}

Workspace::Step::~Step() {
    if (workspace_) {
        workspace_->rollback();
    }
}

void Workspace::Step::commit() {
    Workspace* workspace = workspace_;
    if (!workspace) {
        return;
    }
    workspace_ = nullptr;
    try {
        workspace->connection_->exec("COMMIT");
    } catch (...) {
        workspace->rollback();
        throw;
    }
    workspace->stepOpen_ = false;
}

} // namespace zorvane::store
