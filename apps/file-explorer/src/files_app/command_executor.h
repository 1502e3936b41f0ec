#pragma once
// The command executor: the single entry point that runs every Command, applies the read-only
// archive guard and sets the one status message that belongs to the command.

#include "command/command.h"

namespace fe {

class FileExplorerWidget;

// Answers true when the command was applied (or was a pure view change), false when nothing was
// applied. Failures never escape: they end as status messages.
bool execute_command(FileExplorerWidget& explorer, const Command& command);

// Whether the command changes files and is therefore refused inside an archive.
bool writes_files(const Command& command);

}  // namespace fe
