// SPDX-License-Identifier: MIT
#include "cli/CliLogReceiver.h"

#include <gtest/gtest.h>

namespace vora::cli {
namespace {

TEST(CliLogReceiverTest, CopiesEntriesAndWritesOneNumberedLineEach) {
  CliLogReceiver log;
  {
    // The reporter lends its texts: they must be copied, not kept.
    std::u16string context = u"Division";
    std::u16string description = u"Operation has singularity at 0";
    log.AddEntry({LogStatus::Warning, u"Memory", u"Uninitialized memory used, value forced to 0"});
    log.AddEntry({LogStatus::Error, context, description});
    context.assign(context.size(), u'x');
    description.assign(description.size(), u'x');
  }
  EXPECT_EQ(FormatLogLines(log.Entries()),
            "1\tWarning\tMemory\tUninitialized memory used, value forced to 0\n"
            "2\tError\tDivision\tOperation has singularity at 0\n");
  EXPECT_EQ(FormatLogLines(log.Entries(), "m.tvm: ").substr(0, 16), "m.tvm: 1\tWarning");

  log.ClearEntries();
  EXPECT_EQ(FormatLogLines(log.Entries()), "");
}

TEST(CliLogReceiverTest, ScopeRegistersAndRestoresTheReceiver) {
  EvaluationState::ResetForTests();
  CliLogReceiver outer;
  CliLogReceiver inner;
  EvaluationState::Get().logReceiver = &outer;
  {
    ScopedLogReceiver scope(inner);
    EXPECT_EQ(EvaluationState::Get().logReceiver, &inner);
    ReportMathError(MathErrorKind::SyntaxError, 0, 0);
  }
  EXPECT_EQ(EvaluationState::Get().logReceiver, &outer);
  EXPECT_EQ(inner.Entries(),
            (std::vector<CliLogEntry>{{LogStatus::Error, u"None", u"Syntax error"}}));
  EXPECT_TRUE(outer.Entries().empty());
  EvaluationState::ResetForTests();
}

}  // namespace
}  // namespace vora::cli
