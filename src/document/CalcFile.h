// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "document/CommandUi.h"
#include "document/TextFile.h"

/// Calculation files (".tvc"): storing and loading a worksheet text, and
/// Execute file, which runs a file's statements for their effect on the
/// memory, the last result and the log without touching the worksheet.

namespace vora {

/// The filter of the Open, Save As and Execute file dialogs.
inline constexpr std::u16string_view kCalculationFileFilter =
    u"Calculator calculation files (*.tvc)|*.tvc|Calculator memory files (*.tvm)|*.tvm|"
    u"All files (*.*)|*.*||";

/// Writes the worksheet text as a calculation file (byte-order mark, then the
/// code units), replacing an existing file only when all was written.
FileStatus StoreCalculationFile(const std::filesystem::path& path, std::u16string_view text);

/// Any file loads: an empty file gives an empty text, other bytes whatever
/// code units they spell. text is changed only on Ok.
FileStatus LoadCalculationFile(const std::filesystem::path& path, std::u16string& text);

/// Reads path and runs every statement of it with position -1, the text then
/// being discarded. An empty or unreadable file runs nothing and changes
/// nothing. Shared by Execute file and Load memory.
FileStatus ReplayFile(const std::filesystem::path& path);

/// The Execute file command: choose a file, replay it, refresh; a failure
/// shows "Cannot open the file for reading" or "Cannot read the file".
CommandOutcome ExecuteFile(const CommandUi& ui);

/// The name Save As proposes for a document without a path: the title cut
/// before its first ':', '/' or '\', followed by ".tvc".
std::u16string ProposedSaveName(std::u16string_view title);

}  // namespace vora
