// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

/// What the file and memory commands ask of the window: a file choice, a Yes/No
/// question, a failure message and a refresh. The commands know nothing of
/// dialogs; the window (or a test, or the command line) answers through these.

namespace vora {

/// One file dialog. The filter is in the "Name|*.ext|...||" form.
struct FileChoice {
  std::u16string_view filter;
  std::u16string_view defaultExtension;
  std::u16string_view initialName;  // empty: no proposal
  bool save = false;                // save: asks before overwriting; open: the file must exist
};

struct CommandUi {
  /// The chosen path; nullopt when the user cancels. Unset: always cancelled.
  std::function<std::optional<std::filesystem::path>(const FileChoice&)> chooseFile;
  /// Yes/No without icon; true for Yes. Unset: always No.
  std::function<bool(std::u16string_view question)> confirm;
  /// Exclamation icon and OK. Unset: nothing shown.
  std::function<void(std::u16string_view message)> showFailure;
  /// The status bar's result pane and the memory pane are to be refreshed.
  std::function<void()> refresh;
};

enum class CommandOutcome { Done, Cancelled, Failed };

}  // namespace vora
