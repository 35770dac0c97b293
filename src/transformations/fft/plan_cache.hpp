// Process-wide cache of FFTW real-to-real plans, one per (kind, length).
#pragma once

#include <fftw3.h>

#include <cstddef>
#include <memory>

namespace velm {

// A plan for in-place execution on any buffer of its length (planned with
// FFTW_ESTIMATE | FFTW_UNALIGNED, so every run gives the same bits). Shared:
// a plan evicted from the cache lives on while a caller still executes it.
using SharedPlan = std::shared_ptr<std::remove_pointer_t<fftw_plan>>;

// The plan for `length` ≥ 1 values of `kind`, made on first request.
// Safe to call from any number of threads.
SharedPlan cached_plan(fftw_r2r_kind kind, std::size_t length);

}  // namespace velm
