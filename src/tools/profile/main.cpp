// zorvane-profile: writes the face profiles of both sprockets of the finished design whose
// working tables lie in a database directory, as small.dxf, large.dxf, small.svg and large.svg
// in an output directory, as one set (see tools/common/output_set.h). Exit 0 when all were
// written, 1 when there is no finished design (or its tables cannot be read), 2 when the command
// line is wrong or another program (the window, zorvane-calc) is writing the design, 3 when the
// output directory cannot be written.

#include "core/profile/design_profiles.h"
#include "core/store/directory_lock.h"
#include "core/store/stale_files.h"
#include "core/store/store_error.h"
#include "tools/common/output_set.h"
#include "tools/db_out_arguments.h"

#include <iostream>
#include <optional>
#include <string_view>

namespace {

namespace profile = zorvane::profile;

// Shown when the command line is wrong.
constexpr const char* kUsage =
    "用法：zorvane-profile --db DIR --out DIR\n"
    "退出码：0 已写入；1 没有完成的设计或设计数据表无法读取；"
    "2 命令行有误，或另一个程序（窗口或 zorvane-calc）正在使用这个数据库目录；3 输出目录无法写入";

// The four files: each sprocket as DXF and as SVG, as the window's export writes them.
std::vector<zorvane::tools::OutputFile> profileFiles(const profile::DesignProfiles& design) {
    const auto dxf = profile::designProfileTexts(design, profile::FileFormat::Dxf);
    const auto svg = profile::designProfileTexts(design, profile::FileFormat::Svg);
    return {
        {"small.dxf", dxf[0]}, {"large.dxf", dxf[1]}, {"small.svg", svg[0]}, {"large.svg", svg[1]}};
}

} // namespace

int main(int argc, char** argv) {
    const auto args = zorvane::tools::parseDbOutArguments(argc, argv);
    if (!args) {
        std::cerr << kUsage << '\n';
        return 2;
    }
    zorvane::store::removeStaleTemporaries(args->db);
    std::vector<zorvane::tools::OutputFile> files;
    try {
        profile::DesignProfiles design;
        {
            const zorvane::store::DirectoryReadLock reading(args->db);
            design = profile::loadDesignProfiles(args->db);
        }
        files = profileFiles(design);
    } catch (const zorvane::store::WorkspaceBusy& error) {
        std::cerr << "zorvane-profile: " << error.what() << '\n';
        return 2;
    } catch (const zorvane::store::StoreError& error) {
        std::cerr << "zorvane-profile: 无法读取设计数据表：" << error.what() << '\n';
        return 1;
    } catch (const profile::ProfileError& error) {
        std::cerr << "zorvane-profile: " << error.what() << '\n';
        return 1;
    }
    try {
        const auto written = zorvane::tools::writeOutputSet(args->out, "profile", files);
        std::cout << "已写入 " << written.size() << " 个文件到“" << args->out.string() << "”\n";
    } catch (const zorvane::tools::OutputError& failure) {
        std::cerr << "zorvane-profile: " << failure.what() << '\n';
        return 3;
    }
    return 0;
}
