#include "last_words.h"

#include <unistd.h>

#include <csignal>
#include <cstring>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

namespace {

// Plain storage only: the handlers run when nothing else can be trusted.
char gReplay[512];
volatile std::uint64_t gSeed = 0;
volatile std::uint64_t gStep = 0;
volatile bool gPlaying = false;

void Write(const char* text) {
    const ssize_t ignored = ::write(STDERR_FILENO, text, std::strlen(text));
    (void)ignored;
}

void WriteNumber(std::uint64_t value, bool hex) {
    char digits[24];
    int n = 0;
    const unsigned base = hex ? 16 : 10;
    do {
        digits[n++] = "0123456789abcdef"[value % base];
        value /= base;
    } while (value != 0 && n < 20);
    char text[28] = {};
    int k = 0;
    if (hex) {
        text[k++] = '0';
        text[k++] = 'x';
    }
    while (n > 0) {
        text[k++] = digits[--n];
    }
    Write(text);
}

void SayLastWords() {
    if (!gPlaying) {
        return;
    }
    Write("\nrimtrace_sequences: died in sequence ");
    WriteNumber(gSeed, true);
    Write(" at step ");
    WriteNumber(gStep, false);
    Write("\n  replay: ");
    Write(gReplay);
    Write(" --replay ");
    WriteNumber(gSeed, true);
    Write("\n");
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
    gSeed = seed;
    gStep = 0;
    gPlaying = true;
}

void NoteStep(std::uint64_t step) {
    gStep = step;
}
