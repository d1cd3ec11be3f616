#include "trace/stage_prompts.h"

#include "res/resource.h"

StagePrompt PromptOf(TraceStage s) {
    if (s >= stage::kInternalLeft && s <= stage::kInternalTop) {
        constexpr unsigned kLines[4] = {IDS_LINE_DOWN, IDS_LINE_RIGHT, IDS_LINE_UP, IDS_LINE_LEFT};
        return {kLines[s - stage::kInternalLeft], 0};
    }
    constexpr StagePrompt kEdges[4] = {{IDS_TRACE_LEFT, IDB_TRACE_LEFT},
                                       {IDS_TRACE_BOTTOM, IDB_TRACE_BOTTOM},
                                       {IDS_TRACE_RIGHT, IDB_TRACE_RIGHT},
                                       {IDS_TRACE_TOP, IDB_TRACE_TOP}};
    return stage::IsTracing(s) ? kEdges[stage::EdgeOf(s)] : StagePrompt{};
}
