#include "savefile/WriteSteps.h"

#include <utility>

namespace zovek {

namespace {
WriteStepHook& Hook() {
  static WriteStepHook hook;
  return hook;
}
}  // namespace

void SetWriteStepHook(WriteStepHook hook) { Hook() = std::move(hook); }

int AtWriteStep(WriteStep step) { return Hook() ? Hook()(step) : 0; }

}  // namespace zovek
