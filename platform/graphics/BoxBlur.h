#pragma once

#include <cstddef>
#include <cstdint>

// Blurs an 8-bit alpha mask in place with three box passes each way, close
// to a Gaussian of the given standard deviation (in pixels).
void blurAlphaMask(std::uint8_t* pixels, int width, int height, int stride, double sigma);
