# SPDX-License-Identifier: MIT
vora_add_library(vora_elementary
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/ElementaryFunctions.cpp
          ${CMAKE_CURRENT_SOURCE_DIR}/Routines.cpp
  DEPS vora_math)
