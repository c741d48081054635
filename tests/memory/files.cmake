# SPDX-License-Identifier: MIT
vora_add_test(memory_statistics_tests SOURCES StatisticsTest.cpp LIBS vora_memory)
