// The single entry point to fast real-to-real trigonometric transforms.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace velm {

enum class TransformKind : std::uint8_t { DctIV = 0, DstIV = 1, DstII = 2, DstIII = 3 };

// A transform length and kind; owns nothing and may be copied freely.
struct FFTWwrapper {
  std::size_t length;
  TransformKind kind;
};

// The doubled transform of `input`, which must hold exactly `wrapper.length`
// values (equality check without a message of its own). Length 0 gives an
// empty result. Safe to call from any number of threads at once.
std::vector<double> forward(const FFTWwrapper& wrapper, std::span<const double> input);

// The same transform written into `output` (exactly `wrapper.length` values;
// it may be the input itself), for callers that own the destination already.
void forward_into(const FFTWwrapper& wrapper, std::span<const double> input, std::span<double> output);

}  // namespace velm
