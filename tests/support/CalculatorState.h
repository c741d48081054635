// SPDX-License-Identifier: MIT
#pragma once

#include "engine/CalculationDriver.h"
#include "memory/MemoryStore.h"
#include "support/RecordingLog.h"

namespace vora::testing {

/// Every piece of process-wide calculator state back to its start.
inline void ResetCalculatorState() {
  EvaluationState::ResetForTests();
  PreferenceState::ResetForTests();
  MemoryStore::ResetForTests();
  NCalculatorText::ResetLastResultForTests();
}

/// Fresh evaluation state, preferences, memory and last result for each test,
/// with a recording log registered.
class CalculatorStateTest : public CoreStateTest {
 protected:
  void SetUp() override {
    CoreStateTest::SetUp();
    MemoryStore::ResetForTests();
    NCalculatorText::ResetLastResultForTests();
  }
  void TearDown() override {
    MemoryStore::ResetForTests();
    NCalculatorText::ResetLastResultForTests();
    CoreStateTest::TearDown();
  }
};

}  // namespace vora::testing
