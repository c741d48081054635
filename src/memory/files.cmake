# SPDX-License-Identifier: MIT
# Memory files and commands replay through the calculation driver; the
# statistics need only the store and the formatting.
if(EXISTS ${PROJECT_SOURCE_DIR}/src/engine/CMakeLists.txt)
  vora_add_library(vora_memory SOURCES MemoryFile.cpp Statistics.cpp
                   DEPS vora_engine vora_document vora_memstore vora_math vora_settings)
else()
  vora_add_library(vora_memory SOURCES Statistics.cpp DEPS vora_memstore vora_math vora_settings)
endif()
