#pragma once
// Runs a check once with every vector instruction set the filters were
// built for that this processor has, down to the plain one.
#include <gtest/gtest.h>
#include <hwy/targets.h>

#include <cstdint>
#include <functional>

namespace kroma::testing {

inline void ForEachVectorTarget(const std::function<void()>& check) {
  for (std::int64_t target : hwy::SupportedAndGeneratedTargets()) {
    SCOPED_TRACE(hwy::TargetName(target));
    hwy::SetSupportedTargetsForTest(target);
    check();
  }
  hwy::SetSupportedTargetsForTest(0);
}

}  // namespace kroma::testing
