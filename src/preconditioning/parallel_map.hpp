// A parallel map over an index range on the process-wide data-parallel pool
// (oneTBB, started on first use).
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

namespace velm {

// result[i] = value(i) for i < count. Workers write only their own positions,
// so the result is the same for any number of threads; an exception thrown by
// `value` reaches the caller.
std::vector<double> parallel_map(std::size_t count, const std::function<double(std::size_t)>& value);

}  // namespace velm
