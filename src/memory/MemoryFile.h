// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "document/CommandUi.h"
#include "document/TextFile.h"

/// Memory files (".tvm") and the memory commands Free, Load and Save. A memory
/// file is a script of store statements; loading it replays it through the
/// calculation driver like a worksheet, so the store is never emptied by a load.

namespace vora {

inline constexpr std::u16string_view kMemorySaveFilter = u"Calculator memory files (*.tvm)|*.tvm||";
inline constexpr std::u16string_view kMemoryLoadFilter =
    u"Calculator memory files (*.tvm)|*.tvm|All files (*.*)|*.*||";
inline constexpr std::u16string_view kFreeAllQuestion =
    u"You are about to erase all the memory.\nAre you sure?";

/// U+FEFF, then one line "value->Mem[name];\r\n" per cell in store order, the
/// value as "%.20g" with the unit i whatever the display preferences; with
/// includedOnly only the ticked cells.
std::u16string WriteScript(bool includedOnly);

/// Writes WriteScript(includedOnly) to path; the previous file survives a failure.
FileStatus SaveMemoryFile(const std::filesystem::path& path, bool includedOnly);

/// Replays the file through the driver (position -1, text discarded). Cells the
/// file does not name stay; an empty or unreadable file changes nothing.
FileStatus LoadMemoryFile(const std::filesystem::path& path);

/// Save memory: all cells (or, for the memory pane's Save, the ticked ones),
/// the file chosen by ui; failure shows "Cannot open the file for writing".
CommandOutcome SaveMemory(const CommandUi& ui, bool includedOnly = false);

/// Load memory: chosen file, replay, refresh; failure shows "Cannot open the
/// file for reading" or "Cannot read the file".
CommandOutcome LoadMemory(const CommandUi& ui);

/// Free memory: asks kFreeAllQuestion when FreeConfirmation is 1 or more, then
/// erases every cell and refreshes.
CommandOutcome FreeMemory(const CommandUi& ui);

}  // namespace vora
