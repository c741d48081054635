// SPDX-License-Identifier: MIT
#include "memory/MemoryFile.h"

#include "document/CalcFile.h"
#include "math/Format.h"
#include "memory/MemoryStore.h"
#include "settings/Preferences.h"

namespace vora {

std::u16string WriteScript(bool includedOnly) {
  std::u16string script(1, u'\uFEFF');
  // The file must read back the same whatever the display preferences, so the
  // value is always in lower-case "%.20g" with the unit i, and the reference
  // is always spelt "Mem".
  MemoryStore::Get().ForEach([&](const MemoryCell& cell) {
    if (includedOnly && !cell.included) return;
    script += FormatComplex(cell.value, kFormatLower, u'i');
    script += u"->Mem[";
    script += cell.name;
    script += u"];\r\n";
  });
  return script;
}

FileStatus SaveMemoryFile(const std::filesystem::path& path, bool includedOnly) {
  const std::u16string script = WriteScript(includedOnly);
  // The writer puts the byte-order mark in front itself.
  return WriteTextFile(path, std::u16string_view(script).substr(1));
}

FileStatus LoadMemoryFile(const std::filesystem::path& path) {
  return ReplayFile(path);
}

CommandOutcome SaveMemory(const CommandUi& ui, bool includedOnly) {
  const FileChoice choice{kMemorySaveFilter, u"tvm", u"Memory 1", true};
  const auto path = ui.chooseFile ? ui.chooseFile(choice) : std::nullopt;
  if (!path) return CommandOutcome::Cancelled;
  const FileStatus status = SaveMemoryFile(*path, includedOnly);
  if (status != FileStatus::Ok) {
    if (ui.showFailure) ui.showFailure(FileStatusMessage(status, true));
    return CommandOutcome::Failed;
  }
  return CommandOutcome::Done;
}

CommandOutcome LoadMemory(const CommandUi& ui) {
  const FileChoice choice{kMemoryLoadFilter, u"tvm", u"", false};
  const auto path = ui.chooseFile ? ui.chooseFile(choice) : std::nullopt;
  if (!path) return CommandOutcome::Cancelled;
  const FileStatus status = LoadMemoryFile(*path);
  if (status != FileStatus::Ok) {
    if (ui.showFailure) ui.showFailure(FileStatusMessage(status, false));
    return CommandOutcome::Failed;
  }
  if (ui.refresh) ui.refresh();
  return CommandOutcome::Done;
}

CommandOutcome FreeMemory(const CommandUi& ui) {
  if (GetPreference(Preference::FreeConfirmation) >= 1 &&
      !(ui.confirm && ui.confirm(kFreeAllQuestion)))
    return CommandOutcome::Cancelled;
  MemoryStore::Get().EraseAll();
  if (ui.refresh) ui.refresh();
  return CommandOutcome::Done;
}

}  // namespace vora
