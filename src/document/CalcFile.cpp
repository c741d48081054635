// SPDX-License-Identifier: MIT
#include "document/CalcFile.h"

#include <cstddef>

#include "engine/CalculationDriver.h"

namespace vora {

FileStatus StoreCalculationFile(const std::filesystem::path& path, std::u16string_view text) {
  return WriteTextFile(path, text);
}

FileStatus LoadCalculationFile(const std::filesystem::path& path, std::u16string& text) {
  std::string bytes;
  const FileStatus status = ReadFileBytes(path, bytes);
  if (status != FileStatus::Ok) return status;
  text = DecodeFileBytes(bytes);
  return FileStatus::Ok;
}

FileStatus ReplayFile(const std::filesystem::path& path) {
  std::u16string text;
  const FileStatus status = ReadTextFile(path, text);
  if (status != FileStatus::Ok) return status;
  // Failed statements reach the log through the driver; the run's text and
  // result have no use here.
  std::ptrdiff_t position = -1;
  NCalculatorText::RunCalculation(text, position);
  return FileStatus::Ok;
}

CommandOutcome ExecuteFile(const CommandUi& ui) {
  const FileChoice choice{kCalculationFileFilter, u"tvc", u"", false};
  const auto path = ui.chooseFile ? ui.chooseFile(choice) : std::nullopt;
  if (!path) return CommandOutcome::Cancelled;
  const FileStatus status = ReplayFile(*path);
  if (status != FileStatus::Ok) {
    if (ui.showFailure) ui.showFailure(FileStatusMessage(status, false));
    return CommandOutcome::Failed;
  }
  if (ui.refresh) ui.refresh();
  return CommandOutcome::Done;
}

std::u16string ProposedSaveName(std::u16string_view title) {
  std::u16string name(title.substr(0, title.find_first_of(u":/\\")));
  name += u".tvc";
  return name;
}

}  // namespace vora
