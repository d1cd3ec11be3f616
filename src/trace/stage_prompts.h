#pragma once
#include "trace/trace_stage.h"

// The instruction of a tracing stage: its prompt string and picture (0 for none).
struct StagePrompt {
    unsigned stringId = 0;
    unsigned pictureId = 0;
};

StagePrompt PromptOf(TraceStage s);
