#include "cli/CommandRegistry.h"

namespace zovek::cli {

extern const Command kInfoCommand, kDumpCommand, kVerifyCommand, kSetCommand, kApplyCommand, kDiffCommand,
    kKeysCommand;

const std::vector<const Command*>& Commands() {
  static const std::vector<const Command*> commands{&kInfoCommand,  &kDumpCommand, &kVerifyCommand, &kSetCommand,
                                                    &kApplyCommand, &kDiffCommand, &kKeysCommand};
  return commands;
}

}  // namespace zovek::cli
