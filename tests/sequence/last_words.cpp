#include "last_words.h"

#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstring>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

namespace {

// Plain storage only: the handlers run when nothing else can be trusted. The words are written
// out whole when a sequence begins; only the step is filled in at the end.
char gReplay[512];
char gWords[700];
char gStepWords[96];
volatile std::uint64_t gStep = 0;

void Write(const char* text, std::size_t size) {
    const ssize_t ignored = ::write(STDERR_FILENO, text, size);
    (void)ignored;
}

void SayLastWords() {
    if (gStepWords[0] == '\0') {
        return;  // no sequence began
    }
    char digits[24];
    std::size_t n = sizeof digits;
    for (std::uint64_t step = gStep; n == sizeof digits || step != 0; step /= 10) {
        digits[--n] = static_cast<char>('0' + step % 10);
    }
    Write(gStepWords, std::strlen(gStepWords));
    Write(digits + n, sizeof digits - n);
    Write(gWords, std::strlen(gWords));
}

extern "C" void OnSignal(int signal) {
    SayLastWords();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

}  // namespace

#if defined(__SANITIZE_ADDRESS__)
// The sanitized tree has UBSan beside ASan; UBSan ends the process without the death callback,
// but calls this before each of its reports.
extern "C" void __ubsan_on_report() {
    SayLastWords();
}
#endif

void InstallLastWords(const std::string& replayCommand) {
    std::strncpy(gReplay, replayCommand.c_str(), sizeof gReplay - 1);
#if defined(__SANITIZE_ADDRESS__)
    // ASan reports a bad access itself and then dies here.
    __sanitizer_set_death_callback(SayLastWords);
#else
    for (int s : {SIGSEGV, SIGBUS, SIGFPE, SIGILL}) {
        std::signal(s, OnSignal);
    }
#endif
    std::signal(SIGABRT, OnSignal);
}

void NoteSequence(std::uint64_t seed) {
    const auto hex = static_cast<unsigned long long>(seed);
    std::snprintf(gStepWords, sizeof gStepWords,
                  "\nrimtrace_sequences: died in sequence 0x%016llx at step ", hex);
    std::snprintf(gWords, sizeof gWords, "\n  replay: %s --replay 0x%016llx\n", gReplay, hex);
    gStep = 0;
}

void NoteStep(std::uint64_t step) {
    gStep = step;
}
