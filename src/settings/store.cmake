# SPDX-License-Identifier: MIT
# The settings store interface, its in-memory implementation and preference
# loading and saving belong to vora_settings itself.
target_sources(vora_settings PRIVATE ${CMAKE_CURRENT_LIST_DIR}/MemorySettingsStore.cpp
                                     ${CMAKE_CURRENT_LIST_DIR}/PreferencesIo.cpp)
