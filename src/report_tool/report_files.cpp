#include "report_tool/report_files.h"

#include <algorithm>
#include <system_error>

#include "report_tool/reading/text_encoding.h"

namespace {

bool IsReportName(const std::filesystem::path& path) {
    std::string extension = PathToUtf8(path.extension());
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(c | 0x20); });
    return extension == ".pts";
}

// Every report file under a folder; folders that cannot be entered are passed by.
void AddFolder(const std::filesystem::path& folder, ReportInputs& inputs) {
    std::vector<std::filesystem::path> found;
    std::error_code error;
    const auto options = std::filesystem::directory_options::skip_permission_denied;
    for (auto it = std::filesystem::recursive_directory_iterator(folder, options, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        std::error_code typeError;
        if (it->is_regular_file(typeError) && IsReportName(it->path())) {
            found.push_back(it->path());
        }
    }
    if (error) {
        inputs.notFound.push_back(PathToUtf8(folder) + ": " + error.message());
    }
    std::sort(found.begin(), found.end());
    inputs.files.insert(inputs.files.end(), found.begin(), found.end());
}

}  // namespace

ReportInputs FindReports(const std::vector<std::string>& names) {
    ReportInputs inputs;
    for (const std::string& name : names) {
        const std::filesystem::path path = PathFromUtf8(name);
        std::error_code error;
        if (std::filesystem::is_directory(path, error)) {
            AddFolder(path, inputs);
        } else if (std::filesystem::exists(path, error)) {
            inputs.files.push_back(path);
        } else {
            inputs.notFound.push_back(name + ": no such file or folder");
        }
    }
    return inputs;
}
