// Files, the environment and pacing.
#include "common/file_io.h"
#include "common/wide_text.h"
#include "runner.h"
#include "values.h"

namespace rtdriver {

using runner_detail::BadValue;
using runner_detail::Say;

Runner::Outcome Runner::setEnv(const Words& words, const std::string&) {
    const std::wstring name = sim::WideFromUtf8(words[0]);
    const std::wstring value = sim::WideFromUtf8(words[1]);
    // An empty value removes the variable, so programs see it unset.
    if (!SetEnvironmentVariableW(name.c_str(), value.empty() ? nullptr : value.c_str()) &&
        !value.empty()) {
        return "cannot set " + words[0];
    }
    return std::nullopt;
}

Runner::Outcome Runner::writeFile(const Words& words, const std::string&) {
    if (!sim::WriteWholeFile(sim::WideFromUtf8(words[0]), words[1])) {
        return "cannot write " + words[0];
    }
    return std::nullopt;
}

Runner::Outcome Runner::deleteFile(const Words& words, const std::string&) {
    const std::wstring path = sim::WideFromUtf8(words[0]);
    if (!DeleteFileW(path.c_str()) && sim::FileExists(path)) {
        return "cannot delete " + words[0];
    }
    return std::nullopt;
}

Runner::Outcome Runner::makeDir(const Words& words, const std::string&) {
    if (!sim::MakeFolders(sim::WideFromUtf8(words[0]))) {
        return "cannot create the folder " + words[0];
    }
    return std::nullopt;
}

Runner::Outcome Runner::echo(const Words&, const std::string& rest) {
    Say(rest);
    return std::nullopt;
}

Runner::Outcome Runner::sleep(const Words& words, const std::string&) {
    const auto milliseconds = ParseDuration(words[0], TimeUnit::Milliseconds);
    if (!milliseconds) {
        return BadValue("duration", words[0]);
    }
    Sleep(static_cast<DWORD>(*milliseconds));
    return std::nullopt;
}

Runner::Outcome Runner::expectFile(const Words& words, const std::string&) {
    const auto milliseconds = words.size() > 1 ? ParseDuration(words[1], TimeUnit::Seconds)
                                               : std::optional<std::int64_t>{0};
    if (!milliseconds) {
        return BadValue("time-out", words[1]);
    }
    const std::wstring path = sim::WideFromUtf8(words[0]);
    return waitFor(
        *milliseconds, [&path] { return sim::FileExists(path); }, "the file " + words[0], false);
}

Runner::Outcome Runner::expectNoFile(const Words& words, const std::string&) {
    if (sim::FileExists(sim::WideFromUtf8(words[0]))) {
        return "the file " + words[0] + " exists";
    }
    return std::nullopt;
}

Runner::Outcome Runner::expectFileContains(const Words& words, const std::string&) {
    const auto bytes = sim::ReadWholeFile(sim::WideFromUtf8(words[0]));
    if (!bytes) {
        return "cannot read " + words[0];
    }
    if (bytes->find(words[1]) == std::string::npos) {
        return words[0] + " does not contain " + runner_detail::Quoted(sim::WideFromUtf8(words[1]));
    }
    return std::nullopt;
}

}  // namespace rtdriver
