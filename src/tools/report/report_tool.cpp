#include "tools/report/report_tool.h"

#include "app/reports/report_files.h"
#include "core/report/report_source.h"

#include <unistd.h>

namespace zorvane::reporttool {

namespace fs = std::filesystem;

namespace {

// Removes the scratch directory whatever happens.
class ScratchDir {
public:
    explicit ScratchDir(const fs::path& parent)
        : path_(parent / (".zorvane-report-" + std::to_string(::getpid()))) {
        std::error_code error;
        fs::remove_all(path_, error);
        if (!fs::create_directory(path_, error)) {
            throw OutputError("无法在输出目录“" + parent.string() + "”中写入：" + error.message());
        }
    }
    ~ScratchDir() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

} // namespace

std::vector<fs::path> writeReports(const fs::path& databaseDir, const fs::path& outDir) {
    std::vector<report::Document> documents;
    for (const auto& info : report::kReports) {
        documents.push_back(report::loadReport(info.id, databaseDir));
    }

    std::error_code error;
    fs::create_directories(outDir, error);
    if (error || !fs::is_directory(outDir)) {
        throw OutputError("无法建立输出目录“" + outDir.string() + "”" +
                          (error ? "：" + error.message() : std::string()));
    }
    const ScratchDir scratch(outDir);
    std::vector<std::string> names;
    for (std::size_t i = 0; i < documents.size(); ++i) {
        for (const auto& format : app::kExportFormats) {
            const std::string name =
                std::string(report::kReports[i].fileStem) + "." + std::string(format.suffix);
            try {
                app::writeReportFile(documents[i], format.format, (scratch.path() / name).string());
            } catch (const app::ExportError& failure) {
                throw OutputError(failure.what());
            }
            names.push_back(name);
        }
    }
    std::vector<fs::path> written;
    for (const std::string& name : names) {
        fs::rename(scratch.path() / name, outDir / name, error);
        if (error) {
            throw OutputError("无法写入文件“" + (outDir / name).string() + "”：" + error.message());
        }
        written.push_back(outDir / name);
    }
    return written;
}

} // namespace zorvane::reporttool
