# SPDX-License-Identifier: MIT
# Memory files replay through the calculation driver; the statistics need only
# the store, the formatting and the square root.
vora_add_library(vora_memory SOURCES MemoryFile.cpp Statistics.cpp
                 DEPS vora_engine vora_document vora_memstore vora_elementary vora_math
                      vora_settings)
