#include "transformations/fft/plan_cache.hpp"

#include <fftw3.h>

#include <list>
#include <mutex>
#include <new>
#include <utility>
#include <vector>

namespace velm {
namespace {

// Plans are cheap to keep and expensive to make (up to ~100 transforms at
// small lengths); a bound keeps a long session over many lengths in check.
constexpr std::size_t kMaxPlans = 64;

struct Entry {
  fftw_r2r_kind kind;
  std::size_t length;
  SharedPlan plan;
};

std::mutex& planner_mutex() {
  static std::mutex mutex;
  return mutex;
}

SharedPlan make_plan(fftw_r2r_kind kind, std::size_t length) {
  // FFTW's planner is not thread safe (its execute is): besides our own lock,
  // tell FFTW so that plans made or destroyed elsewhere in the process do not
  // race with ours.
  static const bool thread_safe = (fftw_make_planner_thread_safe(), true);
  (void)thread_safe;
  std::vector<double> scratch(length);
  // The 64-bit interface: lengths beyond 2^31 are planned, not truncated.
  fftw_iodim64 dimension{static_cast<ptrdiff_t>(length), 1, 1};
  fftw_plan plan = fftw_plan_guru64_r2r(1, &dimension, 0, nullptr, scratch.data(), scratch.data(),
                                        &kind, FFTW_ESTIMATE | FFTW_UNALIGNED);
  if (plan == nullptr) throw std::bad_alloc();
  return SharedPlan(plan, [](fftw_plan p) {
    std::lock_guard<std::mutex> lock(planner_mutex());
    fftw_destroy_plan(p);
  });
}

}  // namespace

SharedPlan cached_plan(fftw_r2r_kind kind, std::size_t length) {
  static std::list<Entry> entries;  // most recently used first
  SharedPlan evicted;  // destroyed after the lock is released: its deleter locks again
  std::lock_guard<std::mutex> lock(planner_mutex());
  for (auto it = entries.begin(); it != entries.end(); ++it) {
    if (it->kind == kind && it->length == length) {
      entries.splice(entries.begin(), entries, it);
      return entries.front().plan;
    }
  }
  SharedPlan plan = make_plan(kind, length);
  entries.push_front(Entry{kind, length, plan});
  if (entries.size() > kMaxPlans) {
    evicted = std::move(entries.back().plan);
    entries.pop_back();
  }
  return plan;
}

}  // namespace velm
