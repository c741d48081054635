# SPDX-License-Identifier: MIT
# The elementary functions, checked against GNU MPC at 200 bits.
find_library(VORA_MPC_LIBRARY mpc REQUIRED)
find_library(VORA_MPFR_LIBRARY mpfr REQUIRED)
find_library(VORA_GMP_LIBRARY gmp REQUIRED)

add_library(vora_elementary_oracle STATIC ${CMAKE_CURRENT_SOURCE_DIR}/ElementaryOracle.cpp)
target_include_directories(vora_elementary_oracle PUBLIC ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(vora_elementary_oracle PUBLIC vora_elementary ${VORA_MPC_LIBRARY}
                      ${VORA_MPFR_LIBRARY} ${VORA_GMP_LIBRARY})
vora_set_warnings(vora_elementary_oracle)

vora_add_test(math_elementary_tests
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/ElementaryFunctionsTest.cpp
          ${CMAKE_CURRENT_SOURCE_DIR}/ElementaryFunctionsValuesTest.cpp
          ${CMAKE_CURRENT_SOURCE_DIR}/ElementaryFunctionsAccuracyTest.cpp
  LIBS vora_elementary_oracle)
