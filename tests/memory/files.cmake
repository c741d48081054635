# SPDX-License-Identifier: MIT
vora_add_test(memory_files_tests SOURCES MemoryFileTest.cpp StatisticsTest.cpp LIBS vora_memory)
