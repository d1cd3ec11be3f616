#pragma once
#include <cstdint>
#include <string>

// What the process prints when it dies inside a sequence (a sanitizer report, a crash, an
// abort): the sequence's seed, the step, and the command that replays it.
void InstallLastWords(const std::string& replayCommand);
void NoteSequence(std::uint64_t seed);
void NoteStep(std::uint64_t step);
