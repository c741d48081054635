# SPDX-License-Identifier: MIT
vora_add_test(settings_store_tests SOURCES MemorySettingsStoreTest.cpp PreferencesIoTest.cpp
              LIBS vora_settings)
