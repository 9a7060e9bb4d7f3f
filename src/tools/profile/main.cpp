// zorvane-profile: writes the face profiles of both sprockets of the finished design whose
// working tables lie in a database directory, as small.dxf, large.dxf, small.svg and large.svg
// in an output directory. Exit 0 when all were written, 1 when there is no finished design (or
// its tables cannot be read), 2 when the command line is wrong, 3 when the output directory
// cannot be written.

#include "core/profile/design_profiles.h"
#include "core/store/store_error.h"
#include "tools/db_out_arguments.h"

#include <iostream>
#include <optional>
#include <string_view>

namespace {

constexpr const char* kUsage = "用法：zorvane-profile --db DIR --out DIR";

} // namespace

int main(int argc, char** argv) {
    namespace profile = zorvane::profile;
    const auto args = zorvane::tools::parseDbOutArguments(argc, argv);
    if (!args) {
        std::cerr << kUsage << '\n';
        return 2;
    }
    profile::DesignProfiles design;
    try {
        design = profile::loadDesignProfiles(args->db);
        profile::buildProfile(design.sprockets[0]);
        profile::buildProfile(design.sprockets[1]);
    } catch (const zorvane::store::StoreError& error) {
        std::cerr << "zorvane-profile: 无法读取设计数据表：" << error.what() << '\n';
        return 1;
    } catch (const profile::ProfileError& error) {
        std::cerr << "zorvane-profile: " << error.what() << '\n';
        return 1;
    }
    std::error_code error;
    std::filesystem::create_directories(args->out, error);
    if (error || !std::filesystem::is_directory(args->out)) {
        std::cerr << "zorvane-profile: 无法建立输出目录“" << args->out.string() << "”\n";
        return 3;
    }
    try {
        std::size_t count = 0;
        for (const auto format : {profile::FileFormat::Dxf, profile::FileFormat::Svg}) {
            count +=
                profile::writeDesignProfiles(design, format, args->out, "small", "large").size();
        }
        std::cout << "已写入 " << count << " 个文件到“" << args->out.string() << "”\n";
    } catch (const profile::ProfileError& failure) {
        std::cerr << "zorvane-profile: " << failure.what() << '\n';
        return 3;
    }
    return 0;
}
