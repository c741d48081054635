# SPDX-License-Identifier: MIT
vora_add_test(memory_statistics_tests SOURCES StatisticsTest.cpp LIBS vora_memory)
if(TARGET vora_engine)
  vora_add_test(memory_file_tests SOURCES MemoryFileTest.cpp LIBS vora_memory)
endif()
