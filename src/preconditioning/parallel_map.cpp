#include "preconditioning/parallel_map.hpp"

#include <tbb/blocked_range.h>
#include <tbb/parallel_for.h>

namespace velm {

std::vector<double> parallel_map(std::size_t count, const std::function<double(std::size_t)>& value) {
  std::vector<double> result(count);
  tbb::parallel_for(tbb::blocked_range<std::size_t>(0, count), [&](const tbb::blocked_range<std::size_t>& range) {
    for (std::size_t i = range.begin(); i != range.end(); ++i) result[i] = value(i);
  });
  return result;
}

}  // namespace velm
