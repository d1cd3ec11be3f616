// The outbox folder on disk: the log, numbered message records and their companions.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace outbox {

class OutboxFolder {
  public:
    // RIMTRACE_OUTBOX if set, else "outbox" in the folder that holds this DLL; created with
    // any missing parents.
    OutboxFolder();

    // Appends one line to outbox.log.
    void log(std::string_view line) const;
    // Claims the lowest free message number by creating its record file exclusively, so two
    // senders never share a number. nullopt when the folder cannot be written.
    std::optional<int> claimNumber() const;
    // Writes a file of the outbox whole.
    bool write(const std::wstring& name, std::string_view bytes) const;
    // Copies a file into the outbox; false when it cannot be read.
    bool copyIn(const std::wstring& source, const std::wstring& name) const;

  private:
    std::wstring folder_;  // with a trailing separator
};

// "message-001" for 1; more digits from 1000 on.
std::wstring MessageStem(int number);

}  // namespace outbox
